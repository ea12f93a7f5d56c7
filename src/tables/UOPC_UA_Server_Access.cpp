#include "UOPC_UA_Server_Access.h"

#include "UComon.h"

TFOPC_UA_Server_Access* FOPC_UA_Server_Access = nullptr;

TFOPC_UA_Server_Access::TFOPC_UA_Server_Access(TComponent* AOwner) : TTitledForm(AOwner, 640, 337, 2700, 2701) {}

// ---- the row rules ----

namespace {

// The length of each sized type; a fixed-size type's Length is read-only.
struct TOPCUAType {
    const char* Name;
    const char* Length;
    bool Fixed;
};
constexpr TOPCUAType OPCUATypes[] = {
    {"Boolean", "1", true},  {"Signed Byte", "1", true}, {"Byte", "1", true},      {"Int16", "2", true},
    {"UInt16", "2", true},   {"Int32", "4", true},       {"UInt32", "4", true},    {"Int64", "8", true},
    {"UInt64", "8", true},   {"Float", "4", true},       {"Double", "8", true},    {"String", "10", false},
    {"ByteString", "10", false},
};
constexpr int OPCUAPositionMax = 1499;

}  // namespace

QStringList OPCUAVarTypes()
{
    QStringList out;
    for (const TOPCUAType& t : OPCUATypes)
        out << QLatin1String(t.Name);
    return out;
}

QStringList OPCUARWTypes()
{
    return {QStringLiteral("Read Only"), QStringLiteral("Read/Write")};
}

bool OPCUATypeLength(const QString& type, QString& length, bool& readOnly)
{
    for (const TOPCUAType& t : OPCUATypes)
        if (type == QLatin1String(t.Name)) {
            length = QLatin1String(t.Length);
            readOnly = t.Fixed;
            return true;
        }
    return false;
}

QString OPCUARowFault(const TRowCells& cell, bool enabled, int row)
{
    if (!enabled || cell(opcType).trimmed().isEmpty() || TableIntIn(cell(opcPosition), 0, OPCUAPositionMax))
        return QString();
    return TableFormatText(LangText(2727), {row, OPCUAPositionMax});
}
