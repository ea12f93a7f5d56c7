// The row operations on a small column grid and a small string grid with
// check boxes, each with a hidden column: moving rows, the paste rules and
// the two table options.

#include "AdvCGrid.h"
#include "DialogResponder.h"
#include "UComon.h"
#include "UComonRows.h"
#include "UFormLook.h"

#include <gtest/gtest.h>

namespace {

// Four data rows, data columns 1..4; column 1 the Enable (a data check box
// in the column grid, a check box in the string grid), column 3 hidden.
class RowOps : public ::testing::Test {
public:
    void SetUp() override
    {
        ResetSharedState();
        C = Create<TAdvColumnGrid>(nullptr);
        S = Create<TAdvStringGrid>(nullptr);
        for (TAdvStringGrid* g : {static_cast<TAdvStringGrid*>(C), S}) {
            g->SetColCount(5);
            g->SetRowCount(5);
        }
        C->Columns()->Items(1)->SetEditor(edDataCheckBox);
        for (int r = 1; r <= 4; ++r) {
            FillC(r, {"Y", QStringLiteral("a%1").arg(r), QStringLiteral("h%1").arg(r), QStringLiteral("m%1").arg(r)});
            S->AddCheckBox(1, r, r % 2 == 1, false);
            for (int c = 2; c <= 4; ++c)
                S->SetCells(c, r, C->Cells(c, r));
        }
        C->HideColumn(3);
        S->HideColumn(3);
    }
    void TearDown() override
    {
        Free(C);
        Free(S);
        ResetSharedState();
    }
    void FillC(int r, const QStringList& cells)
    {
        for (int c = 0; c < cells.size(); ++c)
            C->SetCells(c + 1, r, cells[c]);
    }
    QStringList CRow(int r) const
    {
        QStringList out;
        for (int c = 1; c <= 4; ++c)
            out << C->Cells(c, r);
        return out;
    }
    // The string grid's row with its check box as "Y" / "N" ("-": no box).
    QStringList SRow(int r) const
    {
        bool state = false;
        QStringList out{S->GetCheckBoxState(1, r, state) ? (state ? "Y" : "N") : "-"};
        for (int c = 2; c <= 4; ++c)
            out << S->Cells(c, r);
        return out;
    }

public:
    TAdvColumnGrid* C = nullptr;
    TAdvStringGrid* S = nullptr;
};

}  // namespace

TEST_F(RowOps, DeleteAndInsertMoveEveryDataColumnHiddenOnesToo)
{
    struct Case {
        const char* Name;
        std::function<void(RowOps*)> Op;
        QStringList C[4];
        QStringList S[4];
    };
    const Case cases[] = {
        {"delete row 1", [](RowOps* t) { GridDeleteRow(1, t->C); CheckGridDeleteRow(1, t->S, true); },
         {{"Y", "a2", "h2", "m2"}, {"Y", "a3", "h3", "m3"}, {"Y", "a4", "h4", "m4"}, {"", "", "", ""}},
         {{"N", "a2", "h2", "m2"}, {"Y", "a3", "h3", "m3"}, {"N", "a4", "h4", "m4"}, {"Y", "", "", ""}}},
        {"delete the last row", [](RowOps* t) { GridDeleteRow(4, t->C); CheckGridDeleteRow(4, t->S, false); },
         {{"Y", "a1", "h1", "m1"}, {"Y", "a2", "h2", "m2"}, {"Y", "a3", "h3", "m3"}, {"", "", "", ""}},
         {{"Y", "a1", "h1", "m1"}, {"N", "a2", "h2", "m2"}, {"Y", "a3", "h3", "m3"}, {"N", "", "", ""}}},
        {"insert at row 1", [](RowOps* t) { GridInsertRow(1, t->C, true); CheckGridInsertRow(1, t->S, true); },
         {{"Y", "", "", ""}, {"Y", "a1", "h1", "m1"}, {"Y", "a2", "h2", "m2"}, {"Y", "a3", "h3", "m3"}},
         {{"Y", "", "", ""}, {"Y", "a1", "h1", "m1"}, {"N", "a2", "h2", "m2"}, {"Y", "a3", "h3", "m3"}}},
        {"insert at the last row", [](RowOps* t) { GridInsertRow(4, t->C, false); CheckGridInsertRow(4, t->S, false); },
         {{"Y", "a1", "h1", "m1"}, {"Y", "a2", "h2", "m2"}, {"Y", "a3", "h3", "m3"}, {"", "", "", ""}},
         {{"Y", "a1", "h1", "m1"}, {"N", "a2", "h2", "m2"}, {"Y", "a3", "h3", "m3"}, {"N", "", "", ""}}},
        {"rows outside the data rows do nothing",
         [](RowOps* t) { GridDeleteRow(0, t->C); GridInsertRow(5, t->C, true); CheckGridDeleteRow(9, t->S, true); },
         {{"Y", "a1", "h1", "m1"}, {"Y", "a2", "h2", "m2"}, {"Y", "a3", "h3", "m3"}, {"Y", "a4", "h4", "m4"}},
         {{"Y", "a1", "h1", "m1"}, {"N", "a2", "h2", "m2"}, {"Y", "a3", "h3", "m3"}, {"N", "a4", "h4", "m4"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TearDown();
        SetUp();
        c.Op(this);
        for (int r = 1; r <= 4; ++r) {
            EXPECT_EQ(CRow(r), c.C[r - 1]) << "column grid row " << r;
            EXPECT_EQ(SRow(r), c.S[r - 1]) << "string grid row " << r;
        }
        EXPECT_EQ(C->RowCount(), 5);
        EXPECT_EQ(C->ColCount(), 4);
        EXPECT_EQ(C->Cells(0, 1), QString());  // column 0 is never touched
    }
}

TEST_F(RowOps, PasteRefusesAsksAndPastes)
{
    struct Case {
        const char* Name;
        bool StringGrid;
        bool Copied;
        int Width;              // texts in the clipboard
        QStringList Target;     // the target row (4) before the paste; string grid: box from "Y"/"N"
        int Message;            // 0: none
        TModalResult Answer;
        bool Pasted;
    };
    const Case cases[] = {
        {"column grid, not copied", false, false, 4, {"", "", "", ""}, 1102, mrOk, false},
        {"column grid, width 3 against 4", false, true, 3, {"", "", "", ""}, 1101, mrOk, false},
        {"column grid, used row, No", false, true, 4, {"N", "x", "", ""}, 1100, mrNo, false},
        {"column grid, used row, Yes", false, true, 4, {"N", "", "", "x"}, 1100, mrYes, true},
        {"column grid, check values only", false, true, 4, {"N", "", "", ""}, 0, mrOk, true},
        {"column grid, blanks only", false, true, 4, {"Y", "  ", "", ""}, 0, mrOk, true},
        {"string grid, not copied", true, false, 4, {"N", "", "", ""}, 1102, mrOk, false},
        {"string grid, width 5", true, true, 5, {"N", "", "", ""}, 1101, mrOk, false},
        {"string grid, check values only", true, true, 4, {"Y", "", "", ""}, 0, mrOk, true},
        {"string grid, a cell of blanks asks", true, true, 4, {"N", "", " ", ""}, 1100, mrNo, false},
        {"string grid, used row, Yes", true, true, 4, {"N", "x", "", ""}, 1100, mrYes, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TearDown();
        SetUp();
        if (c.StringGrid) {
            S->SetCheckBoxState(1, 2, false);
            CheckGridCopyRow(S, 2);
        } else {
            GridCopyRow(C, 2);
        }
        while (Row_Clipboard->Count() > c.Width)
            Row_Clipboard->Delete(Row_Clipboard->Count() - 1);
        while (Row_Clipboard->Count() < c.Width)
            Row_Clipboard->Add(QString());
        for (int col = 1; col <= 4; ++col) {
            if (c.StringGrid && col == 1)
                S->SetCheckBoxState(1, 4, c.Target[0] == "Y");
            else if (c.StringGrid)
                S->SetCells(col, 4, c.Target[col - 1]);
            else
                C->SetCells(col, 4, c.Target[col - 1]);
        }
        const QStringList before = c.StringGrid ? SRow(4) : CRow(4);
        DialogResponder r;
        if (c.Message)
            r.ExpectMessage(LangText(c.Message), c.Answer, c.Message == 1100 ? mtConfirmation : mtError);
        if (c.StringGrid)
            CheckGridPasteRow(S, 4, c.Copied);
        else
            GridPasteRow(C, 4, c.Copied);
        EXPECT_EQ(r.Pending(), 0);
        const QStringList after = c.StringGrid ? SRow(4) : CRow(4);
        if (c.Pasted)
            EXPECT_EQ(after, (c.StringGrid ? QStringList{"N", "a2", "h2", "m2"} : QStringList{"Y", "a2", "h2", "m2"}));
        else
            EXPECT_EQ(after, before);
    }
}

TEST_F(RowOps, CheckStatesTravelThroughTheClipboard)
{
    CheckGridCopyRow(S, 1);
    EXPECT_EQ(Row_Clipboard->Strings(0), QStringLiteral("Y"));
    EXPECT_EQ(Row_Clipboard_Checks, (std::vector<bool>{true, false, false, false}));
    DialogResponder r;
    r.ExpectMessage(LangText(1100), mrYes);
    CheckGridPasteRow(S, 2, true);
    EXPECT_EQ(r.Pending(), 0);
    EXPECT_EQ(SRow(2), (QStringList{"Y", "a1", "h1", "m1"}));

    // A row copied by the column-grid form carries no flags: texts only.
    GridCopyRow(C, 3);
    Row_Clipboard_Checks.clear();
    S->SetCells(2, 4, QString());
    S->SetCells(3, 4, QString());
    S->SetCells(4, 4, QString());
    CheckGridPasteRow(S, 4, true);
    EXPECT_EQ(S->Cells(2, 4), QStringLiteral("a3"));
}

TEST_F(RowOps, EnterMovesToTheNextCellOnlyWithTheOption)
{
    struct Case {
        bool Option;
        QChar Key;
        int Col, Row;
        int ToCol, ToRow;
        QChar KeyAfter;
    };
    // Displayed columns 1..3 (column 3 hidden): the last one is 3.
    const Case cases[] = {
        {true, QChar(13), 1, 1, 2, 1, QChar(0)},
        {true, QChar(13), 3, 2, 1, 3, QChar(0)},
        {true, QChar(13), 3, 4, 1, 1, QChar(0)},
        {true, QChar('a'), 1, 1, 1, 1, QChar('a')},
        {false, QChar(13), 1, 1, 1, 1, QChar(13)},
    };
    for (const Case& c : cases) {
        Opt_Jump_Field_Tables = c.Option;
        C->SetCol(c.Col);
        C->SetRow(c.Row);
        QChar key = c.Key;
        GridEnterNextCell(C, key);
        EXPECT_EQ(C->Col(), c.ToCol);
        EXPECT_EQ(C->Row(), c.ToRow);
        EXPECT_EQ(key, c.KeyAfter);
    }
}

TEST_F(RowOps, OnlyAHeaderDoubleClickSizesAColumnAndOnlyWithTheOption)
{
    // The column fits its data cells (the grid's normal rows).
    C->SetCells(2, 1, QStringLiteral("a rather long cell text for the column"));
    const int before = C->ColWidths(2);
    Opt_Double_Click_Auto_Size = true;
    GridHeaderAutoSize(C, 1, 2);
    EXPECT_EQ(C->ColWidths(2), before);
    Opt_Double_Click_Auto_Size = false;
    GridHeaderAutoSize(C, 0, 2);
    EXPECT_EQ(C->ColWidths(2), before);
    Opt_Double_Click_Auto_Size = true;
    GridHeaderAutoSize(C, 0, 2);
    EXPECT_GT(C->ColWidths(2), before);
}
