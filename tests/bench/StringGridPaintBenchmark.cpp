// Painting one screenful of the string grid against QTableWidget on the same
// data in the same run: 1280 x 1024 pixels, 40 rows x 12 columns visible
// (row height 25, column width 105, one fixed row and column), in three
// cases - plain texts; mixed alignments with a colour and font colour of
// their own on every cell; mini-markup in every cell. Both are rendered into
// a QImage of the same size and format through QWidget::render. Each case
// reports our time per screenful, Qt's and the ratio (counters qt_ms and
// ratio). Figures only: nothing here fails on time.

#include "AdvGrid.h"
#include "BenchCommon.h"
#include "Forms.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QTextDocument>
#include <benchmark/benchmark.h>

namespace {

constexpr int kW = 1280, kH = 1024, kRowH = 25, kColW = 105, kRows = 41, kCols = 13;

enum TCase { pcPlain, pcColoured, pcMarkup };

QString CellText(TCase c, int col, int row)
{
    if (c == pcMarkup)
        return QStringLiteral("<b>Cell</b> %1,%2 <i>with</i> <font color=\"clRed\">colour</font> text")
            .arg(col)
            .arg(row);
    return QStringLiteral("Cell %1,%2 text").arg(col).arg(row);
}

// Rich text through a text document, as the markup cells.
class TRichDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* p, const QStyleOptionViewItem& o, const QModelIndex& i) const override
    {
        QTextDocument doc;
        doc.setDefaultFont(o.font);
        doc.setHtml(i.data().toString());
        p->save();
        p->translate(o.rect.topLeft());
        doc.drawContents(p, QRectF(0, 0, o.rect.width(), o.rect.height()));
        p->restore();
    }
};

struct TGridFree {
    void operator()(TAdvStringGrid* g) const { Free(g); }
};

void BM_PaintScreenful(benchmark::State& state)
{
    const TCase kind = TCase(state.range(0));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(12);

    std::unique_ptr<TAdvStringGrid, TGridFree> ours(Create<TAdvStringGrid>(nullptr));
    TAdvStringGrid* g = ours.get();
    g->SetScrollBars(ssNone);
    g->SetBounds(0, 0, kW, kH);
    g->SetColCount(kCols);
    g->SetRowCount(kRows);
    g->SetFixedRows(1);
    g->SetFixedCols(1);
    g->SetDefaultRowHeight(kRowH);
    g->SetDefaultColWidth(kColW);
    g->SetFixedRowHeight(kRowH);
    g->Font()->SetName(QStringLiteral("DejaVu Sans"));
    g->Font()->SetHeight(-12);

    QTableWidget theirs(kRows - 1, kCols - 1);
    theirs.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    theirs.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    theirs.resize(kW, kH);
    theirs.setFont(font);
    theirs.horizontalHeader()->setDefaultSectionSize(kColW);
    theirs.horizontalHeader()->setFixedHeight(kRowH);
    theirs.verticalHeader()->setDefaultSectionSize(kRowH);
    theirs.verticalHeader()->setFixedWidth(kColW);
    if (kind == pcMarkup) theirs.setItemDelegate(new TRichDelegate(&theirs));
    if (kind == pcColoured) g->SetVAlignment(vtaCenter);

    const TAlignment aligns[] = {taLeftJustify, taCenter, taRightJustify};
    const Qt::Alignment qaligns[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
    for (int r = 1; r < kRows; ++r)
        for (int c = 1; c < kCols; ++c) {
            const QString t = CellText(kind, c, r);
            g->SetCells(c, r, t);
            auto* item = new QTableWidgetItem(t);
            if (kind == pcColoured) {
                const TColor back = TColor(0xE0E0E0 + (r * 7 + c) % 16), fore = TColor(0x200000 * (c % 4));
                g->SetAlignments(c, r, aligns[c % 3]);
                g->SetColors(c, r, back);
                g->SetFontColors(c, r, fore);
                item->setTextAlignment(qaligns[c % 3] | Qt::AlignVCenter);
                item->setBackground(ToQColor(back));
                item->setForeground(ToQColor(fore));
            }
            theirs.setItem(r - 1, c - 1, item);
        }

    QImage imgOurs(kW, kH, QImage::Format_ARGB32_Premultiplied), imgTheirs(kW, kH, QImage::Format_ARGB32_Premultiplied);
    g->Widget()->render(&imgOurs);  // warm both
    theirs.render(&imgTheirs);
    double oursSec = 0, theirsSec = 0;
    for (auto _ : state) {
        oursSec += BenchTimed([&] { g->Widget()->render(&imgOurs); });
        theirsSec += BenchTimed([&] { theirs.render(&imgTheirs); });
    }
    BenchRatioCounters(state, oursSec, theirsSec, "ms");
}

} // namespace

// 0 plain (target at most 1.0x), 1 coloured (at most 1.0x), 2 markup (at most 2x).
BENCHMARK(BM_PaintScreenful)->Arg(pcPlain)->Arg(pcColoured)->Arg(pcMarkup)->Unit(benchmark::kMillisecond)->Iterations(20);
