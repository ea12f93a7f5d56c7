// The string grid's input against QTableWidget on the same data in the same
// run: Down keys sent to the widget, wheel notches that scroll, and pointer
// moves across the cells without a button, each key and notch followed by a
// render of the viewport. Both grids are shown offscreen at 1280 x 800 with
// the same font. The wheel also runs at 1,000 rows: the time per notch must
// not grow with the row count. After the runs a table gives both times per
// event and the ratio ours/Qt.
//   QT_QPA_PLATFORM=offscreen build/release/tests/bench_grid_input
//   ... --quick   (10,000 rows, 100 keys and notches, 1,000 moves: what CI runs)

#include "AdvGrid.h"
#include "AdvObj.h"
#include "Forms.h"

#include <QApplication>
#include <QFontDatabase>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTableWidget>
#include <QWheelEvent>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 800;
constexpr int kCols = 10;
constexpr int kSmallRows = 1000;

int gRows = 100000;
int gOps = 1000;
int gMoves = 10000;
std::map<std::string, double> gPerEvent;  // seconds per event

template <class F>
double Timed(F&& f)
{
    const auto t0 = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

void SendKey(QWidget* w, int key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(w, &release);
}

void SendWheel(QWidget* w, int notches)
{
    const QPoint p(200, 200);
    QWheelEvent e(QPointF(p), QPointF(w->mapToGlobal(p)), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
                  Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &e);
}

void SendMove(QWidget* w, QPoint p)
{
    QMouseEvent e(QEvent::MouseMove, QPointF(p), QPointF(w->mapToGlobal(p)), Qt::NoButton, Qt::NoButton,
                  Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

void Render(QWidget* w, QImage& img) { w->render(&img); }

QPoint MovePoint(int i) { return QPoint(40 + (i * 37) % (kWidth - 80), 40 + (i * 23) % (kHeight - 80)); }

struct Ours {
    explicit Ours(int rows)
    {
        Form = Create<TForm>(nullptr);
        Form->SetBounds(0, 0, kWidth + 20, kHeight + 20);
        Grid = Create<TAdvStringGrid>(Form);
        Grid->SetParent(Form);
        Grid->Font()->SetName(QStringLiteral("DejaVu Sans"));
        Grid->Font()->SetHeight(-12);
        Grid->SetBounds(0, 0, kWidth, kHeight);
        Grid->SetColCount(kCols + 1);
        Grid->SetRowCount(rows + 1);
        Grid->SetFixedCols(1);
        Grid->SetFixedRows(1);
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < kCols; ++c) Grid->SetCells(c + 1, r + 1, QStringLiteral("R%1C%2").arg(r + 1).arg(c + 1));
        Form->Show();
        Grid->SetFocus();
        QApplication::processEvents();
        Img = QImage(Grid->Widget()->size(), QImage::Format_RGB32);
    }
    ~Ours() { Free(Form); }
    QWidget* W() const { return Grid->Widget(); }
    void Keys()
    {
        for (int i = 0; i < gOps; ++i) {
            SendKey(W(), Qt::Key_Down);
            Render(W(), Img);
        }
    }
    void Wheel(bool proportional)
    {
        Grid->MouseActions()->SetWheelAction(waScroll);
        Grid->SetScrollProportional(proportional);
        for (int i = 0; i < gOps; ++i) {
            SendWheel(W(), -1);
            Render(W(), Img);
        }
    }
    void Moves(bool hoverRow)
    {
        Grid->SetHoverRow(hoverRow);
        for (int i = 0; i < gMoves; ++i) SendMove(W(), MovePoint(i));
    }
    TForm* Form;
    TAdvStringGrid* Grid;
    QImage Img;
};

struct Theirs {
    explicit Theirs(int rows)
    {
        Table = std::make_unique<QTableWidget>(rows, kCols);
        Table->resize(kWidth, kHeight);
        QFont f(QStringLiteral("DejaVu Sans"));
        f.setPixelSize(12);
        Table->setFont(f);
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < kCols; ++c)
                Table->setItem(r, c, new QTableWidgetItem(QStringLiteral("R%1C%2").arg(r + 1).arg(c + 1)));
        Table->setMouseTracking(true);
        Table->viewport()->setMouseTracking(true);
        Table->show();
        Table->setFocus();
        Table->setCurrentCell(0, 0);
        QApplication::processEvents();
        Img = QImage(Table->viewport()->size(), QImage::Format_RGB32);
    }
    void Keys()
    {
        for (int i = 0; i < gOps; ++i) {
            SendKey(Table.get(), Qt::Key_Down);
            Render(Table->viewport(), Img);
        }
    }
    void Wheel(bool)
    {
        for (int i = 0; i < gOps; ++i) {
            SendWheel(Table->viewport(), -1);
            Render(Table->viewport(), Img);
        }
    }
    void Moves(bool)
    {
        for (int i = 0; i < gMoves; ++i) SendMove(Table->viewport(), MovePoint(i));
    }
    std::unique_ptr<QTableWidget> Table;
    QImage Img;
};

template <class G>
void Run(const std::string& who)
{
    {
        G g(gRows);
        gPerEvent["keys " + who] = Timed([&] { g.Keys(); }) / gOps;
    }
    {
        G g(gRows);
        gPerEvent["wheel " + who] = Timed([&] { g.Wheel(false); }) / gOps;
    }
    {
        G g(gRows);
        gPerEvent["wheel proportional " + who] = Timed([&] { g.Wheel(true); }) / gOps;
    }
    {
        G g(kSmallRows);
        gPerEvent["wheel small " + who] = Timed([&] { g.Wheel(false); }) / gOps;
    }
    {
        G g(gRows);
        gPerEvent["moves " + who] = Timed([&] { g.Moves(false); }) / gMoves;
    }
    {
        G g(gRows);
        gPerEvent["moves hover row " + who] = Timed([&] { g.Moves(true); }) / gMoves;
    }
}

void BM_Ours(benchmark::State& state)
{
    for (auto _ : state) state.SetIterationTime(Timed([] { Run<Ours>("ours"); }));
}
void BM_QTableWidget(benchmark::State& state)
{
    for (auto _ : state) state.SetIterationTime(Timed([] { Run<Theirs>("qt"); }));
}

void PrintTable()
{
    const char* cases[] = {"keys", "wheel", "wheel proportional", "wheel small", "moves", "moves hover row"};
    std::printf("\n%d rows x %d columns (wheel small: %d rows), %d keys and notches, %d moves\n", gRows, kCols,
                kSmallRows, gOps, gMoves);
    std::printf("%-20s %14s %14s %8s  %s\n", "case", "ours (us/ev)", "Qt (us/ev)", "ratio", "target");
    for (const char* c : cases) {
        const double o = gPerEvent[std::string(c) + " ours"], q = gPerEvent[std::string(c) + " qt"];
        std::printf("%-20s %14.2f %14.2f %8.2f  %s\n", c, o * 1e6, q * 1e6, q > 0 ? o / q : 0.0, "at most 1.0x");
    }
    const double big = gPerEvent["wheel ours"], small = gPerEvent["wheel small ours"];
    std::printf("wheel per notch at %d rows / at %d rows: %.2f (target within 1.2)\n", gRows, kSmallRows,
                small > 0 ? big / small : 0.0);
}

} // namespace

BENCHMARK(BM_Ours)->Unit(benchmark::kMillisecond)->Iterations(1)->UseManualTime();
BENCHMARK(BM_QTableWidget)->Unit(benchmark::kMillisecond)->Iterations(1)->UseManualTime();

int main(int argc, char** argv)
{
    std::vector<char*> args;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--quick") == 0) {
            gRows = 10000;
            gOps = 100;
            gMoves = 1000;
            continue;
        }
        args.push_back(argv[i]);
    }
    int n = int(args.size());
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(n, args.data());
    QFontDatabase::addApplicationFont(QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"));
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
    benchmark::Initialize(&n, args.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    PrintTable();
    return 0;
}
