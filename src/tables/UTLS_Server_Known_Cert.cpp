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
    const TTableGridSpec spec = TLSGrid();
    ASG = Create<TAdvStringGrid>(this);
    ASG->SetName(spec.Name);
    ASG->SetParent(this);
    ASG->SetAlign(alClient);
    ASG->SetColCount(int(spec.Columns.size()) + 1);
    ASG->SetRowCount(spec.DataRows + 1);
    ASG->SetFixedCols(1);
    ASG->SetFixedRows(1);
    ASG->SetOptions({goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect, goEditing,
                     goRowSizing, goColSizing});
    ASG->SetVAlignment(vtaCenter);
    ASG->SetCells(0, 0, LangText(spec.FixedHeader));
    ASG->SetColWidths(0, 40);
    for (size_t c = 0; c < spec.Columns.size(); ++c) {
        ASG->SetCells(int(c) + 1, 0, LangText(spec.Columns[c].Header));
        ASG->SetColWidths(int(c) + 1, spec.Columns[c].Width);
    }
    for (int r = 1; r <= spec.DataRows; ++r) {
        ASG->AddCheckBox(1, r, false, false);
        ASG->SetRowHeights(r, TLSRowHeight);
        ASG->SetCells(0, r, QString::number(r));
        for (size_t c = 0; c < spec.Columns.size(); ++c) {
            ASG->SetColors(int(c) + 1, r, spec.Columns[c].Color);
            ASG->SetAlignments(int(c) + 1, r, spec.Columns[c].Alignment);
        }
    }
}

QString TFTLS_Server_Known_Cert::TablePath() const
{
    return TLS_Known_Cert_File;
}
