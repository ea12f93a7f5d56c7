// The analogue clock's hot path against plain QPainter drawing in the same
// run: with the animation on, every glide step and every clock tick repaints
// the hands over the cached face. "Hands" renders the default 180 x 180
// clock in wsClassic with its face cached (the copy plus the hands); "Face"
// makes it draw the face again first (one full paint). The Qt side draws the
// same face and hands with QPainter into a 180 x 180 pixmap each time, with
// no cache. Counters: ours_us, qt_us and ratio ours/Qt. Figures only:
// nothing here fails on time, and a sanitized build measures nothing.

#include "AdvWatch.h"
#include "BenchCommon.h"
#include "DateUtils.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <benchmark/benchmark.h>
#include <cmath>
#include <memory>

namespace {

constexpr int kSize = 180;

// The face and hands of a classic clock, drawn directly each time.
void DrawClockDirect(QPixmap& pm, int hour, int minute)
{
    QPainter p(&pm);
    p.fillRect(pm.rect(), Qt::white);
    const QPointF c(kSize / 2.0, kSize / 2.0);
    const double r = kSize / 2.0 - 4;
    p.setPen(QPen(Qt::black, 3));
    p.setBrush(Qt::white);
    p.drawEllipse(c, r, r);
    for (int i = 0; i < 60; ++i) {
        const double a = i * M_PI / 30;
        const double inner = i % 5 == 0 ? r - 10 : r - 5;
        p.setPen(QPen(Qt::black, i % 5 == 0 ? 2 : 1));
        p.drawLine(QPointF(c.x() + inner * std::sin(a), c.y() - inner * std::cos(a)),
                   QPointF(c.x() + (r - 2) * std::sin(a), c.y() - (r - 2) * std::cos(a)));
    }
    p.setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
    for (int h = 1; h <= 12; ++h) {
        const double a = h * M_PI / 6, d = r - 22;
        const QRectF box(c.x() + d * std::sin(a) - 10, c.y() - d * std::cos(a) - 8, 20, 16);
        p.drawText(box, Qt::AlignCenter, QString::number(h));
    }
    const QRectF ampm(c.x() - 14, c.y() + 24, 28, 15);
    p.setPen(Qt::black);
    p.drawRect(ampm);
    p.drawText(ampm, Qt::AlignCenter, QStringLiteral("AM"));
    const double ha = (hour % 12 + minute / 60.0) * M_PI / 6, ma = minute * M_PI / 30;
    p.setPen(QPen(Qt::darkGray, 5));
    p.drawLine(c + QPointF(2, 2), c + QPointF(2 + r * 0.5 * std::sin(ha), 2 - r * 0.5 * std::cos(ha)));
    p.drawLine(c + QPointF(2, 2), c + QPointF(2 + r * 0.8 * std::sin(ma), 2 - r * 0.8 * std::cos(ma)));
    p.setPen(QPen(Qt::black, 5));
    p.drawLine(c, c + QPointF(r * 0.5 * std::sin(ha), -r * 0.5 * std::cos(ha)));
    p.drawLine(c, c + QPointF(r * 0.8 * std::sin(ma), -r * 0.8 * std::cos(ma)));
    p.setBrush(Qt::black);
    p.drawEllipse(c, 4, 4);
}

struct TWatchFree {
    void operator()(TAdvWatch* w) const { Free(w); }
};

void Run(benchmark::State& state, bool face)
{
    std::unique_ptr<TAdvWatch, TWatchFree> watch(Create<TAdvWatch>(nullptr));
    TAdvWatch* w = watch.get();
    w->SetAnimation(false);
    w->SetTime(EncodeTime(10, 10, 0, 0));
    QImage img(kSize, kSize, QImage::Format_ARGB32_Premultiplied);
    QPixmap pm(kSize, kSize);
    w->Widget()->render(&img);  // warm both, the face cached
    DrawClockDirect(pm, 10, 10);
    double oursSec = 0, theirsSec = 0;
    int minute = 10;
    bool shade = false;
    for (auto _ : state) {
        minute = (minute + 1) % 60;
        w->SetTime(EncodeTime(10, uint16_t(minute), 0, 0));
        if (face) {  // a change of the face's look: the next paint draws it again
            shade = !shade;
            w->Appearance()->SetBackgroundColor(shade ? TColor(0xF8F8F8) : clWhite);
        }
        oursSec += BenchTimed([&] { w->Widget()->render(&img); });
        theirsSec += BenchTimed([&] { DrawClockDirect(pm, 10, minute); });
    }
    BenchRatioCounters(state, oursSec, theirsSec, "us");
}

void BM_Hands(benchmark::State& state) { Run(state, false); }
void BM_Face(benchmark::State& state) { Run(state, true); }

}  // namespace

// Target for the hands: at most 0.5x the direct draw.
BENCHMARK(BM_Hands)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Face)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    BenchArgs args(argc, argv);
    BenchOffscreen();
    QApplication app(args.Argc(), args.Argv());
    args.RunBenchmarks();
    return 0;
}
