#include "USet_SDO_Client_AccessRules.h"

#include "SysFormat.h"
#include "UFormLook.h"

namespace {

std::vector<TSdoStep> SdoAddressSteps(int firstCol, int firstMessage)
{
    std::vector<TSdoStep> out;
    for (int b = 0; b < 4; ++b)
        out.push_back({TSdoStep::Address, firstCol + b, 0, 0, firstMessage + b, b + 1});
    return out;
}

std::vector<TSdoStep> SdoJoin(std::vector<TSdoStep> head, const std::vector<TSdoStep>& tail)
{
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

}  // namespace

const std::vector<TSdoStep>& SdoClientSteps(int page)
{
    static const std::vector<TSdoStep> steps[2] = {
        SdoJoin({{TSdoStep::Range, 1, 1, 127, 2061},
                 {TSdoStep::Range, 2, 4096, 65535, 2062},
                 {TSdoStep::Range, 3, 0, 255, 2063},
                 {TSdoStep::ByteCount, 4, 0, 0, 2064},
                 {TSdoStep::Range, 5, 1, 100000000, 2065}},
                SdoAddressSteps(6, 2066)),
        SdoJoin({{TSdoStep::Range, 1, 1, 127, 2070},
                 {TSdoStep::Range, 2, 4096, 65535, 2071},
                 {TSdoStep::Range, 3, 0, 255, 2072},
                 {TSdoStep::ByteCount, 4, 0, 0, 2073},
                 {TSdoStep::Range, 5, 0, 100000000, 2074}},
                SdoAddressSteps(7, 2075)),
    };
    return steps[page == 0 ? 0 : 1];
}

const std::vector<TSdoStep>& SdoServerSteps(int page)
{
    static const std::vector<TSdoStep> steps[2] = {
        SdoJoin({{TSdoStep::Range, 1, 8192, 24575, 2151},
                 {TSdoStep::Range, 2, 0, 255, 2152},
                 {TSdoStep::ByteCount, 3, 0, 0, 2153}},
                SdoAddressSteps(4, 2154)),
        SdoJoin({{TSdoStep::Range, 1, 8192, 24575, 2158},
                 {TSdoStep::Range, 2, 0, 255, 2159},
                 {TSdoStep::ByteCount, 3, 0, 0, 2160}},
                SdoAddressSteps(4, 2161)),
    };
    return steps[page == 0 ? 0 : 1];
}

QString SdoRowFault(const std::vector<TSdoStep>& steps, const std::function<QString(int col)>& cell, int nByte)
{
    int bytes = 0;
    for (const TSdoStep& s : steps) {
        const int v = StrToIntDef(cell(s.Col), -1);
        switch (s.What) {
        case TSdoStep::Range:
            if (v < s.Min || v > s.Max) return LangText(s.Message);
            break;
        case TSdoStep::ByteCount:
            if (v != 1 && v != 2 && v != 4) return LangText(s.Message);
            bytes = v;
            break;
        case TSdoStep::Address:
            if (s.Byte > bytes) break;  // a byte the value does not use
            if (v < 0 || v > nByte - 1) return LangText(s.Message) + QString::number(nByte - 1);
            break;
        }
    }
    return QString();
}

