// The string grid as a drop target, driven through the target's operations
// (a real drag loop returns at once under the offscreen platform).
#include "AdvGridFilesTestKit.h"

#include "AdvGridDragDrop.h"
#include "DialogResponder.h"
#include "Files.h"
#include "TempProgramDir.h"
#include "TestHarness.h"

#include <QBuffer>
#include <QDir>
#include <gtest/gtest.h>

namespace {

struct TDropForm {
    TForm* Form = Create<TForm>(nullptr);
    TTestAdvGrid* Grid = nullptr;
    TDropForm()
    {
        Form->SetBounds(0, 0, 420, 260);
        Grid = Create<TTestAdvGrid>(Form);
        Grid->SetParent(Form);
        Grid->SetBounds(8, 8, 400, 240);
        Grid->SetColCount(5);
        Grid->SetRowCount(6);
        Grid->SetDefaultColWidth(70);
        Grid->SetDefaultRowHeight(22);
        for (int r = 0; r < 6; ++r)
            for (int c = 0; c < 5; ++c) Grid->SetCells(c, r, QStringLiteral("%1,%2").arg(c).arg(r));
        Grid->SetOptions(Grid->Options() + goEditing);
        Form->Show();
        PumpEvents();
    }
    ~TDropForm() { Free(Form); }
    // The screen point in the middle of a cell.
    TPoint At(int c, int r) const
    {
        const TRect rc = Grid->CellRect(c, r);
        return Grid->ClientToScreen(TPoint((rc.Left + rc.Right) / 2, (rc.Top + rc.Bottom) / 2));
    }
};

}  // namespace

TEST(GridDropTarget, TextLandsUnderThePointerWithInsertedRows)
{
    TDropForm f;
    TGridDropTarget target(f.Grid);
    TGridRect dropped{-1, -1, -1, -1};
    f.Grid->OnOleDropped = [&](TObject*, const TGridRect& r) { dropped = r; };
    target.DropText(f.At(2, 2), QStringLiteral("a\tb\r\nc\td\r\n"));
    EXPECT_EQ(f.Grid->RowCount(), 6);
    EXPECT_EQ(RowText(f.Grid, 2), QStringLiteral("0,2|1,2|a|b|4,2"));
    EXPECT_EQ(RowText(f.Grid, 3), QStringLiteral("0,3|1,3|c|d|4,3"));
    EXPECT_EQ(dropped, (TGridRect{2, 2, 3, 3}));
    EXPECT_EQ(f.Grid->Selection(), dropped);

    const QString dir = QString::fromLocal8Bit(qgetenv("CALYPTOR_GRAB_DIR"));
    if (!dir.isEmpty()) TestHarness::GrabToPng(f.Form, QDir(dir).filePath(QStringLiteral("grid_after_drop.png")));

    // A refused drop and a drop outside every cell change nothing.
    f.Grid->OnOleDrop = [](TObject*, int, int, const QString&, bool& allow) { allow = false; };
    target.DropText(f.At(1, 1), QStringLiteral("no"));
    target.DropText(TPoint(-5000, -5000), QStringLiteral("no"));
    target.DropURL(TPoint(-5000, -5000), QStringLiteral("http://x"));
    EXPECT_EQ(f.Grid->Cells(1, 1), QStringLiteral("1,1"));
    f.Grid->OnOleDrop = nullptr;
    target.DropRTF(f.At(1, 1), QStringLiteral("{\\rtf1 x}"));
    EXPECT_EQ(f.Grid->Cells(1, 1), QStringLiteral("{\\rtf1 x}"));
}

TEST(GridDropTarget, ACsvFileIsLoadedAndABrokenOneIsReported)
{
    TDropForm f;
    TGridDropTarget target(f.Grid);
    const QString csv = QDir(CurrentTempProgramDir()).filePath(QStringLiteral("drop.CSV"));
    ASSERT_TRUE(SafeWriteFile(csv, "x;y\r\n1;2\r\n"));
    target.DropFiles(f.At(1, 1), {csv, csv});  // more than one file: nothing
    EXPECT_EQ(f.Grid->Cells(0, 0), QStringLiteral("0,0"));
    target.DropFiles(f.At(1, 1), {csv});
    EXPECT_EQ(RowText(f.Grid, 0), QStringLiteral("x|y|2,0|3,0|4,0"));
    EXPECT_EQ(f.Grid->RowCount(), 2);

    // A BOM alone is a file without lines: the error reaches the user, the cells stay.
    ASSERT_TRUE(SafeWriteFile(csv, "\xEF\xBB\xBF"));
    DialogResponder responder;
    responder.ExpectMessage(QStringLiteral("File is empty"));
    target.DropFiles(f.At(1, 1), {csv});
    EXPECT_EQ(responder.Pending(), 0);
    EXPECT_EQ(RowText(f.Grid, 0), QStringLiteral("x|y|2,0|3,0|4,0"));
}

TEST(GridDropTarget, DroppedCellsLandUnderThePointAndABrokenStreamIsReported)
{
    TDropForm f;
    TGridDropTarget target(f.Grid);
    auto src = NewFixtureGrid(4, 4);
    src->CellProperties(1, 1)->SetBrushColor(TColor(0x00FF00));
    auto bytes = std::make_unique<QByteArray>();
    {
        QBuffer b(bytes.get());
        b.open(QIODevice::WriteOnly);
        src->SaveRectToBinStream(TGridRect{1, 1, 2, 2}, &b);
    }
    auto stream = [](const QByteArray& data) {
        auto b = std::make_unique<QBuffer>();
        b->setData(data);
        b->open(QIODevice::ReadOnly);
        return b;
    };
    target.DropStream(TPoint(-5000, -5000), stream(*bytes));  // outside every cell: nothing
    EXPECT_EQ(RowText(f.Grid, 2), QStringLiteral("0,2|1,2|2,2|3,2|4,2"));
    target.DropStream(f.At(2, 2), stream(*bytes));
    EXPECT_EQ(RowText(f.Grid, 2), QStringLiteral("0,2|1,2|1,1|2,1|4,2"));
    EXPECT_EQ(RowText(f.Grid, 3), QStringLiteral("0,3|1,3|1,2|2,2|4,3"));
    EXPECT_EQ(f.Grid->CellProperties(2, 2)->BrushColor(), TColor(0x00FF00));

    // The bottom-right corner: what falls outside the grid is dropped.
    target.DropStream(f.At(4, 5), stream(*bytes));
    EXPECT_EQ(f.Grid->Cells(4, 5), QStringLiteral("1,1"));
    EXPECT_EQ(f.Grid->ColCount(), 5);
    EXPECT_EQ(f.Grid->RowCount(), 6);

    const QStringList before = Snapshot(f.Grid);
    DialogResponder responder;
    responder.ExpectMessage(QStringLiteral("Invalid stream format"));
    target.DropStream(f.At(1, 1), stream(bytes->left(bytes->size() - 3)));
    EXPECT_EQ(responder.Pending(), 0);
    EXPECT_EQ(Snapshot(f.Grid), before);
}

TEST(GridDropTarget, TextLandsOnlyInCellsTheApplicationLetsEdit)
{
    TDropForm f;
    TGridDropTarget target(f.Grid);
    f.Grid->OnCanEditCell = [](TObject*, int, int ACol, bool& CanEdit) {
        if (ACol == 2) CanEdit = false;
    };
    target.DropText(f.At(1, 2), QStringLiteral("a\tb\tc\r\n"));
    EXPECT_EQ(RowText(f.Grid, 2), QStringLiteral("0,2|a|2,2|c|4,2"));
}
