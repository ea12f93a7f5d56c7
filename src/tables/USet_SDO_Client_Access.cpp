#include "USet_SDO_Client_Access.h"

#include "AdvCGrid.h"
#include "ClassesLists.h"
#include "ComCtrls.h"
#include "UComon.h"

TFSet_SDO_Client_Access* FSet_SDO_Client_Access = nullptr;

namespace {

TTableColumnSpec SdoClientColumn(int header, int width, const char* attribute, TEditorType editor = edNormal)
{
    return {header, editor, {}, width, clWindow, taLeftJustify, QLatin1String(attribute), std::nullopt};
}

TTableGridSpec SdoClientSpec(int page)
{
    const bool read = page == 0;
    TTableGridSpec spec;
    spec.Name = read ? QStringLiteral("sga") : QStringLiteral("sgb");
    spec.TabName = read ? QStringLiteral("TS_SDO_Read") : QStringLiteral("TS_SDO_Write");
    spec.TabCaption = read ? 2014 : 2015;
    spec.Section = read ? QStringLiteral("SDO_Read") : QStringLiteral("SDO_Write");
    spec.DataRows = 256;
    const int h = read ? 2016 : 2027;
    spec.FixedHeader = h;
    spec.Columns = {SdoClientColumn(h + 1, 60, "Device_ID"), SdoClientColumn(h + 2, 55, "Index"),
                    SdoClientColumn(h + 3, 60, "SubIndex"), SdoClientColumn(h + 4, 45, "NByte"),
                    SdoClientColumn(h + 5, 60, "Poll_Time")};
    int next = h + 6;
    if (!read) spec.Columns.push_back(SdoClientColumn(next++, 68, "On_Change", edDataCheckBox));
    const char* addresses[4] = {"Address_B1", "Address_B2", "Address_B3", "Address_B4"};
    for (const char* a : addresses) spec.Columns.push_back(SdoClientColumn(next++, 70, a));
    spec.Columns.push_back(SdoClientColumn(next, read ? 163 : 95, "Mnemonic"));
    const int hints = read ? 2039 : 2049;
    for (size_t c = 0; c < spec.Columns.size(); ++c) spec.Hints.push_back(hints + int(c));
    return spec;
}

}  // namespace

TFSet_SDO_Client_Access::TFSet_SDO_Client_Access(TComponent* AOwner)
    : TSDOTableForm(AOwner, 798, TTableBand{2000, 2060, 2079})
{
    BuildSdoPages(SdoClientSpec(0), SdoClientSpec(1));
}

QString TFSet_SDO_Client_Access::TablePath() const
{
    return SDO_Client_CANopen_File;
}

QString TFSet_SDO_Client_Access::RowFault(int page, const TRowCells& cell)
{
    return SdoRowFault(SdoClientSteps(page), cell, PageSize(page));
}
