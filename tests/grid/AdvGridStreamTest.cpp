// The binary grid stream: round trips of cells with their properties and
// objects, and hostile streams that must leave the grid as it was.
#include "AdvGridFilesTestKit.h"
#include "AdvGridStreamReader.h"

#include "AdvObj.h"
#include "AdvGridUnit.h"
#include "ComponentStream.h"
#include "Names.h"

#include <QBuffer>
#include <algorithm>
#include <QGuiApplication>
#include <gtest/gtest.h>

namespace {

QByteArray StreamOf(TAdvStringGrid* g, const TGridRect& r)
{
    QByteArray bytes;
    QBuffer b(&bytes);
    b.open(QIODevice::WriteOnly);
    g->SaveRectToBinStream(r, &b);
    return bytes;
}

void LoadAt(TAdvStringGrid* g, TPoint p, QByteArray bytes)
{
    QBuffer b(&bytes);
    b.open(QIODevice::ReadOnly);
    g->LoadAtPointFromBinStream(p, &b);
}

// A source grid 8 x 12 with a decorated block at columns 4-5, rows 7-9.
TTestAdvGridPtr DecoratedGrid()
{
    auto g = NewFixtureGrid(8, 12);
    g->CellProperties(4, 7)->SetBrushColor(TColor(0x123456));
    g->CellProperties(4, 7)->SetFontStyle(TFontStyles{fsBold});
    g->CellProperties(4, 7)->SetFontName(QStringLiteral("Mono"));
    g->AddCheckBox(5, 7, true, false);
    g->GetCellGraphic(5, 7)->SetGreyed(true);
    TCellGraphic* img = g->CreateCellGraphic(4, 8);
    img->SetMultiImage(4, 8, 0, haLeft, vaTop, nullptr);
    for (int i : {3, 5, 2}) img->CellIntList()->Add(i);
    TBitmap* owned = g->CreateBitmap(5, 8, false, haLeft, vaTop);
    owned->SetSize(3, 2);
    g->SetCells(4, 9, QString());
    return g;
}

}  // namespace

TEST(GridStream, RectangleLandsAtThePointWithItsObjects)
{
    TBitmap foreign;  // outlives the grid that refers to it
    foreign.SetSize(4, 4);
    auto src = DecoratedGrid();
    src->AddBitmap(5, 9, &foreign, false, haLeft, vaTop);
    const QByteArray bytes = StreamOf(src.get(), TGridRect{4, 7, 5, 9});
    EXPECT_FALSE(ReadGridStreamImage(bytes).Header.FullGrid);

    auto dst = NewFixtureGrid(6, 6);
    LoadAt(dst.get(), TPoint(1, 1), bytes);
    EXPECT_EQ(dst->Cells(1, 1), QStringLiteral("4,7"));
    EXPECT_EQ(dst->Cells(2, 2), QStringLiteral("5,8"));
    EXPECT_EQ(dst->Cells(1, 3), QString()) << "a saved empty cell empties the target";
    EXPECT_EQ(dst->Cells(3, 1), QStringLiteral("3,1")) << "outside the block nothing changes";
    EXPECT_EQ(dst->CellProperties(1, 1)->BrushColor(), TColor(0x123456));
    EXPECT_TRUE(dst->CellProperties(1, 1)->FontStyle().Contains(fsBold));
    EXPECT_EQ(dst->CellProperties(1, 1)->FontName(), QStringLiteral("Mono"));
    EXPECT_EQ(dst->CellProperties(1, 1)->OwnerCol(), 1);

    TCellGraphic* check = dst->GetCellGraphic(2, 1);
    ASSERT_NE(check, nullptr);
    EXPECT_EQ(check->CellType(), ctCheckBox);
    EXPECT_TRUE(check->CellBoolean());
    EXPECT_TRUE(check->Greyed());
    EXPECT_EQ(check->CellAngle(), 0);

    TCellGraphic* images = dst->GetCellGraphic(1, 2);
    ASSERT_NE(images, nullptr);
    ASSERT_NE(images->CellIntList(), nullptr);
    EXPECT_EQ(images->CellIntList()->StrValue(), QStringLiteral("3,5,2"));

    TCellGraphic* bmp = dst->GetCellGraphic(2, 2);
    ASSERT_NE(bmp, nullptr);
    ASSERT_NE(bmp->CellBitmap(), nullptr);
    EXPECT_TRUE(bmp->CellCreated());
    EXPECT_EQ(bmp->CellBitmap()->Width(), 3);
    EXPECT_EQ(bmp->CellBitmap()->Height(), 2);

    // A picture the cell does not own comes back without its object.
    EXPECT_EQ(dst->GetCellGraphic(2, 3), nullptr);
    EXPECT_NE(dst->GridObjects(2, 3), nullptr);
}

TEST(GridStream, WholeGridClearsAndResizesTheTarget)
{
    auto src = NewFixtureGrid(3, 4);
    src->SetColWidths(1, 77);
    src->SetRowHeights(2, 31);
    QByteArray bytes;
    {
        QBuffer b(&bytes);
        b.open(QIODevice::WriteOnly);
        src->SaveToBinStream(&b);
    }
    EXPECT_TRUE(ReadGridStreamImage(bytes).Header.FullGrid);
    auto dst = NewFixtureGrid(6, 10);
    LoadAt(dst.get(), TPoint(0, 0), bytes);
    EXPECT_EQ(dst->ColCount(), 3);
    EXPECT_EQ(dst->RowCount(), 4);
    EXPECT_EQ(dst->ColWidths(1), 77);
    EXPECT_EQ(dst->RowHeights(2), 31);
    EXPECT_EQ(Snapshot(dst.get()).mid(1), Snapshot(src.get()).mid(1));
}

TEST(GridStream, FileRoundTripAndMissingFile)
{
    auto src = DecoratedGrid();
    const QString file = TempFile(QStringLiteral("cells.bin"));
    src->SaveToBinFile(file);
    auto dst = NewFixtureGrid(2, 2);
    dst->LoadFromBinFile(file);
    EXPECT_EQ(Snapshot(dst.get()).mid(1), Snapshot(src.get()).mid(1));
    EXPECT_EQ(dst->GetCellGraphic(4, 8)->CellIntList()->StrValue(), QStringLiteral("3,5,2"));

    const QStringList before = Snapshot(dst.get());
    EXPECT_THROW(dst->LoadFromBinFile(TempFile(QStringLiteral("none.bin"))), EFOpenError);
    EXPECT_EQ(Snapshot(dst.get()), before);
}

TEST(GridStream, TrailingByteIsIgnored)
{
    auto src = NewFixtureGrid(3, 3);
    QByteArray bytes = StreamOf(src.get(), TGridRect{1, 1, 2, 2}) + QByteArray(1, '\0');
    auto dst = NewFixtureGrid(4, 4);
    LoadAt(dst.get(), TPoint(2, 2), bytes);
    EXPECT_EQ(dst->Cells(3, 3), QStringLiteral("2,2"));
}

TEST(GridStream, PositionsBeyondSixteenBitsAreRefused)
{
    auto g = NewFixtureGrid(3, 3);
    try {
        StreamOf(g.get(), TGridRect{0, 65535, 0, 65536});
        FAIL() << "no error";
    } catch (const EAdvGridError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Cells beyond column or row 65535 cannot be written to a grid stream"));
    }
}

// Every cut of a real stream, and streams that lie, raise and leave the
// grid, its counts and the stream position as they were.
TEST(GridStream, HostileStreamsChangeNothing)
{
    auto src = DecoratedGrid();
    const QByteArray whole = StreamOf(src.get(), TGridRect{0, 0, 7, 11});

    auto record = [](TStreamRecord r) {
        QByteArray b;
        WriteStreamRecord(b, r);
        return b;
    };
    TGridStreamHeader huge;
    huge.ColCount = 2;
    huge.RowCount = 2000000000;
    huge.FullGrid = true;
    TGridStreamHeader shortWidths;
    shortWidths.ColCount = 3;
    shortWidths.RowCount = 1;
    shortWidths.FullGrid = true;
    shortWidths.ColWidths = {10, 20};
    shortWidths.RowHeights = {10};
    TGridStreamHeader later;
    later.Version = GridStreamVersion + 1;
    TStreamRecord unknown = GridStreamCellRecord(1, 1, QStringLiteral("x"), false);
    unknown.Add(QStringLiteral("Colour"), 1);
    TStreamRecord wrongType;
    wrongType.ClassName = QStringLiteral("TGridCellIO");
    wrongType.Add(QStringLiteral("Col"), QStringLiteral("one"));
    TStreamRecord badProp = GridStreamCellRecord(1, 1, QStringLiteral("x"), true);
    TStreamRecord props;
    props.ClassName = QStringLiteral("TGridCellPropIO");
    props.Add(QStringLiteral("CellProperties.Alignment"), 99);
    TGridStreamHeader oneCell;
    oneCell.ColCount = oneCell.RowCount = 1;
    const QByteArray plain = record(GridStreamHeaderRecord(oneCell));
    TGridStreamHeader lying;
    lying.ColCount = 2;
    lying.RowCount = 1000000;

    struct Case {
        const char* what;
        QByteArray bytes;
        QString message;
    };
    std::vector<Case> cases = {
        {"garbage", QByteArray("not a stream at all"), QStringLiteral("Invalid stream format")},
        {"huge count", record(GridStreamHeaderRecord(huge)), QStringLiteral("Invalid stream format")},
        {"short widths", record(GridStreamHeaderRecord(shortWidths)),
         QStringLiteral("Error reading TGridPropIO.ColWidths: invalid property value")},
        {"later version", record(GridStreamHeaderRecord(later)), QStringLiteral("Invalid stream format")},
        {"unknown property", plain + record(unknown),
         QStringLiteral("Error reading TGridCellIO.Colour: property does not exist")},
        {"wrong type", plain + record(wrongType), QStringLiteral("Error reading TGridCellIO.Col: invalid property value")},
        {"more cells claimed than held",
         record(GridStreamHeaderRecord(lying)) + record(GridStreamCellRecord(0, 0, QStringLiteral("a"), false)),
         QStringLiteral("Invalid stream format")},
        {"enum out of range", plain + record(badProp) + record(props),
         QStringLiteral("Error reading TGridCellPropIO.CellProperties.Alignment: invalid property value")},
    };
    // Cuts inside records (a cut at a record's end, or one byte after it,
    // is a shorter stream that reads).
    std::vector<qsizetype> ends;
    for (qsizetype pos = 0; pos < whole.size();) {
        ReadStreamRecord(whole, pos);
        ends.push_back(pos);
    }
    for (qsizetype n = 1; n < whole.size(); n += 5) {
        const bool atEnd = std::find_if(ends.begin(), ends.end(), [n](qsizetype e) { return n == e || n == e + 1; }) !=
                           ends.end();
        if (!atEnd) cases.push_back({"cut", whole.left(n), QString()});
    }

    auto dst = NewFixtureGrid(8, 12);
    const QStringList before = Snapshot(dst.get());
    for (const Case& c : cases) {
        QByteArray bytes = QByteArray("prefix") + c.bytes;
        QBuffer b(&bytes);
        b.open(QIODevice::ReadOnly);
        b.seek(6);
        try {
            dst->LoadAtPointFromBinStream(TPoint(0, 0), &b);
            ADD_FAILURE() << c.what << " loaded";
        } catch (const EComponentStreamError& e) {
            if (!c.message.isEmpty()) {
                EXPECT_EQ(e.Message(), c.message) << c.what;
            }
        }
        EXPECT_EQ(b.pos(), 6) << c.what;
        EXPECT_EQ(Snapshot(dst.get()), before) << c.what;
        EXPECT_EQ(dst->GridObjects(4, 7), nullptr) << c.what;
    }
}

TEST(GridStream, FilePictureKeepsItsNameWithoutReadingTheFile)
{
    auto src = NewFixtureGrid(3, 3);
    auto* fp = new TFilePicture;
    fp->SetStoredFile(QStringLiteral("/dev/zero"), 40, 30);
    TCellGraphic* g = src->CreateCellGraphic(1, 1);
    g->SetFilePicture(fp, false, noStretch, 0, haLeft, vaTop);
    g->SetCellCreated(true);
    auto dst = NewFixtureGrid(3, 3);
    LoadAt(dst.get(), TPoint(1, 1), StreamOf(src.get(), TGridRect{1, 1, 1, 1}));
    TCellGraphic* back = dst->GetCellGraphic(1, 1);
    ASSERT_NE(back, nullptr);
    ASSERT_NE(back->CellFilePicture(), nullptr);
    EXPECT_EQ(back->CellFilePicture()->Filename(), QStringLiteral("/dev/zero"));
    EXPECT_EQ(back->CellFilePicture()->Width(), 40);
}

// The private clipboard format carries cells with their look and objects
// from one grid to another; a broken block changes nothing.
TEST(GridStream, PrivateClipboardFormatBetweenGrids)
{
    if (QGuiApplication::platformName() != QLatin1String("offscreen"))
        GTEST_SKIP() << "the clipboard of a desktop is not touched";
    auto src = DecoratedGrid();
    src->Navigation()->SetAllowFmtClipboard(true);
    src->SetSelection(TGridRect{4, 7, 5, 8});
    src->CopySelectionToClipboard();
    ASSERT_TRUE(Clipboard().HasFormat(GridClipboardFormat()));
    EXPECT_EQ(Clipboard().AsText(), QStringLiteral("4,7\t5,7\r\n4,8\t5,8\r\n"));

    auto dst = NewFixtureGrid(3, 3);
    dst->SetOptions(dst->Options() + goEditing);
    dst->Navigation()->SetAllowSmartClipboard(false);
    dst->Navigation()->SetAllowFmtClipboard(true);
    dst->SetSelection(TGridRect{1, 1, 1, 1});
    dst->PasteSelectionFromClipboard();
    EXPECT_EQ(dst->ColCount(), 3) << "grown to the block";
    EXPECT_EQ(dst->RowCount(), 3);
    EXPECT_EQ(dst->Cells(1, 1), QStringLiteral("4,7"));
    EXPECT_EQ(dst->CellProperties(1, 1)->BrushColor(), TColor(0x123456));
    ASSERT_NE(dst->GetCellGraphic(2, 1), nullptr);
    EXPECT_EQ(dst->GetCellGraphic(2, 1)->CellType(), ctCheckBox);
    EXPECT_EQ(dst->GetCellGraphic(1, 2)->CellIntList()->StrValue(), QStringLiteral("3,5,2"));

    // A block that does not read: an error, and the grid as it was.
    const QStringList before = Snapshot(dst.get());
    Clipboard().Open();
    Clipboard().SetAsText(QStringLiteral("x"));
    Clipboard().SetData(GridClipboardFormat(), QByteArray("TPF0\x0bTGridPropIO"));
    Clipboard().Close();
    EXPECT_THROW(dst->PasteSelectionFromClipboard(), EComponentStreamError);
    EXPECT_EQ(Snapshot(dst.get()), before);
}

// Merge data pointing outside the grid is cut back or dropped.
TEST(GridStream, MergesStayInsideTheGrid)
{
    QByteArray bytes;
    TGridStreamHeader one;
    one.ColCount = one.RowCount = 1;
    WriteStreamRecord(bytes, GridStreamHeaderRecord(one));
    struct Case {
        bool base;
        int sx, sy;
        bool wantBase;
        int wantX, wantY;
    };
    const Case cases[] = {
        {false, 1000, 1000, true, -1, -1},  // a base cell far outside
        {false, -3, 0, true, -1, -1},       // a base cell after the covered one
        {false, 1, 1, false, 1, 1},         // a real covered cell stays
        {true, 50, 1, true, 3, 1},          // a span beyond the right edge is cut
    };
    auto g = NewFixtureGrid(6, 6);
    for (const Case& c : cases) {
        QByteArray data = bytes;
        WriteStreamRecord(data, GridStreamCellRecord(0, 0, QStringLiteral("m"), true));
        TStreamRecord p;
        p.ClassName = QStringLiteral("TGridCellPropIO");
        p.Add(QStringLiteral("CellProperties.IsBaseCell"), c.base);
        p.Add(QStringLiteral("CellProperties.CellSpanX"), c.sx);
        p.Add(QStringLiteral("CellProperties.CellSpanY"), c.sy);
        p.Add(QStringLiteral("HasGraphic"), false);
        WriteStreamRecord(data, p);
        LoadAt(g.get(), TPoint(2, 2), data);
        TCellProperties* got = g->CellProperties(2, 2);
        EXPECT_EQ(got->IsBaseCell(), c.wantBase) << c.sx;
        EXPECT_EQ(got->CellSpanX(), c.wantX) << c.sx;
        EXPECT_EQ(got->CellSpanY(), c.wantY) << c.sx;
        g->SetCellProperties(2, 2, nullptr);
    }
}
