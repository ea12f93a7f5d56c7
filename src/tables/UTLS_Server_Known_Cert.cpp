#include "UTLS_Server_Known_Cert.h"

#include "AdvGrid.h"
#include "ClassesLists.h"
#include "UComon.h"
#include "UTableColumns.h"

TFTLS_Server_Known_Cert* FTLS_Server_Known_Cert = nullptr;

namespace {

constexpr int TLSDataRows = 10;
constexpr int TLSRowHeight = 60;

TTableGridSpec TLSGrid()
{
    TTableGridSpec g;
    g.Name = QStringLiteral("ASG");
    g.DataRows = TLSDataRows;
    g.FixedHeader = 1614;
    g.Columns = {
        TableCheckColumn(1615, 50, TableEnableColor, "Enable", QStringLiteral("Y")),
        TableTextColumn(1616, 500, TableAddressColor, "Certificate", QString()),
        TableTextColumn(1617, 160, clWhite, "Mnemonic", QString()),
    };
    g.Hints = {1618, 1619, 1620};
    return g;
}

}  // namespace

TFTLS_Server_Known_Cert::TFTLS_Server_Known_Cert(TComponent* AOwner)
    : TTableForm(AOwner, 800, {1600, 0, 1621}),
      Hint_List(new TStringList)
{
    Init_Table();
    AddStringGridPage(TLSGrid(), ASG);
}

TFTLS_Server_Known_Cert::~TFTLS_Server_Known_Cert()
{
    delete Hint_List;
}

void TFTLS_Server_Known_Cert::Init_Table()
{
    ASG = NewCheckBoxTableGrid(this, TLSGrid(),
                               {goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect, goEditing,
                                goRowSizing, goColSizing},
                               TLSRowHeight);
    ASG->SetVAlignment(vtaCenter);
}

QString TFTLS_Server_Known_Cert::TablePath() const
{
    return TLS_Known_Cert_File;
}
