// The binary grid stream's fuzz checks: the reader on any input, and the
// round trip of a small rectangle of generated cells.
#include "AdvGridStreamReader.h"
#include "FuzzChecks.h"
#include "FuzzGridChecks.h"

#include <QByteArray>
#include <QString>

namespace {

// The smallest record: signature, two name lengths, two end markers.
constexpr qsizetype FuzzStreamMinRecord = 8;

void FuzzStreamReadAny(const QByteArray& bytes)
{
    try {
        const TGridStreamImage img = ReadGridStreamImage(bytes);
        const TGridStreamHeader& h = img.Header;
        FUZZ_CHECK(qsizetype(img.Cells.size()) <= bytes.size() / FuzzStreamMinRecord);
        FUZZ_CHECK(h.ColCount >= 0 && h.ColCount <= GridImportLimits::MaxCols);
        FUZZ_CHECK(h.RowCount >= 0 && h.RowCount <= GridImportLimits::MaxRows);
        if (h.FullGrid) {
            FUZZ_CHECK(h.ColWidths.size() == h.ColCount && h.RowHeights.size() == h.RowCount);
            // Every width took at least one byte of the input.
            FUZZ_CHECK(h.ColWidths.size() + h.RowHeights.size() <= bytes.size());
        }
        for (const TGridStreamCell& c : img.Cells) {
            FUZZ_CHECK(c.Col >= 0 && c.Col <= GridStreamMaxPosition);
            FUZZ_CHECK(c.Row >= 0 && c.Row <= GridStreamMaxPosition);
            FUZZ_CHECK(c.HasProp || !c.HasGraphic);
            FUZZ_CHECK(c.Cell.size() <= bytes.size());
        }
    } catch (const EComponentStreamError&) {
    }
}

// Up to 3 x 2 cells whose texts are slices of the input; every other cell
// with a colour, every third with a check box.
void FuzzStreamRoundTrip(const QByteArray& bytes)
{
    const QString text = QString::fromUtf8(bytes);
    TGridStreamHeader h;
    h.ColCount = 3;
    h.RowCount = 2;
    h.ColWidths = {64, 10, 0};
    h.RowHeights = {20, 32767};
    h.FullGrid = true;
    h.ID = int(bytes.size());
    QByteArray out;
    WriteStreamRecord(out, GridStreamHeaderRecord(h));
    std::vector<QString> texts;
    for (int i = 0; i < 6; ++i) {
        const QString t = text.mid(i * text.size() / 6, text.size() / 6);
        // Texts travel as UTF-8: a surrogate cut in half comes back replaced.
        texts.push_back(QString::fromUtf8(t.toUtf8()));
        const bool prop = i % 2 == 0;
        WriteStreamRecord(out, GridStreamCellRecord(i % 3, i / 3, t, prop));
        if (!prop) continue;
        TStreamRecord p;
        p.ClassName = QStringLiteral("TGridCellPropIO");
        p.Add(QStringLiteral("CellProperties.BrushColor"), i * 1000);
        p.Add(QStringLiteral("HasGraphic"), i % 3 == 0);
        WriteStreamRecord(out, p);
        if (i % 3 != 0) continue;
        TStreamRecord g;
        g.ClassName = QStringLiteral("TGridGraphicIO");
        g.Add(QStringLiteral("CellGraphic.CellType"), 4);
        g.Add(QStringLiteral("CellGraphic.CellBoolean"), true);
        WriteStreamRecord(out, g);
    }
    const TGridStreamImage img = ReadGridStreamImage(out);
    FUZZ_CHECK(img.Header.ColCount == 3 && img.Header.RowCount == 2);
    FUZZ_CHECK(img.Header.RowHeights == h.RowHeights);
    FUZZ_CHECK(img.Cells.size() == 6);
    for (size_t i = 0; i < img.Cells.size() && i < 6; ++i) {
        FUZZ_CHECK(img.Cells[i].Cell == texts[i]);
        FUZZ_CHECK(img.Cells[i].HasProp == (i % 2 == 0));
        FUZZ_CHECK(img.Cells[i].HasGraphic == (i % 6 == 0));
    }
}

}  // namespace

void CheckGridStream(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    FuzzStreamReadAny(bytes);
    FuzzStreamRoundTrip(bytes);
}
