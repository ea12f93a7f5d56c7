#include "USet_SDO_Server_Access.h"

#include "AdvCGrid.h"
#include "ClassesLists.h"
#include "ComCtrls.h"
#include "UComon.h"

TFSet_SDO_Server_Access* FSet_SDO_Server_Access = nullptr;

namespace {

TTableGridSpec SdoServerSpec(int page)
{
    const bool read = page == 0;
    TTableGridSpec spec;
    spec.Name = read ? QStringLiteral("sga") : QStringLiteral("sgb");
    spec.TabName = read ? QStringLiteral("TS_SDO_Read") : QStringLiteral("TS_SDO_Write");
    spec.TabCaption = read ? 2114 : 2115;
    spec.Section = read ? QStringLiteral("SDO_Read") : QStringLiteral("SDO_Write");
    spec.DataRows = 500;
    const int h = read ? 2116 : 2125;
    spec.FixedHeader = h;
    const std::pair<const char*, int> columns[] = {{"Index", 65},      {"SubIndex", 61},   {"NByte", 55},
                                                   {"Address_B1", 80}, {"Address_B2", 80}, {"Address_B3", 80},
                                                   {"Address_B4", 80}, {"Mnemonic", 170}};
    int header = h + 1;
    for (auto [attribute, width] : columns)
        spec.Columns.push_back({header++, edNormal, {}, width, clWindow, taLeftJustify, QLatin1String(attribute), std::nullopt});
    const int hints = read ? 2134 : 2142;
    for (size_t c = 0; c < spec.Columns.size(); ++c) spec.Hints.push_back(hints + int(c));
    return spec;
}

}  // namespace

TFSet_SDO_Server_Access::TFSet_SDO_Server_Access(TComponent* AOwner)
    : TSDOTableForm(AOwner, 749, TTableBand{2100, 2150, 2165})
{
    BuildSdoPages(SdoServerSpec(0), SdoServerSpec(1));
}

QString TFSet_SDO_Server_Access::TablePath() const
{
    return SDO_Server_CANopen_File;
}

// Nothing checks for the same index and sub-index in two rows: the EDS
// file then lists the object twice.
QString TFSet_SDO_Server_Access::RowFault(int page, const TRowCells& cell)
{
    return SdoRowFault(SdoServerSteps(page), cell, PageSize(page));
}
