// The string grid's editing cycle against QTableWidget on the same data in
// the same run, both 800 x 600 in the same font, 1,000 rows x 5 columns:
//   text:  for each cell, open the text editor, type one character, Enter
//          (ours: the typed character opens the editor; Qt: editItem, the
//          character, Enter and the commit);
//   combo: for each edComboList cell with 20 items, open, Down, Enter
//          (Qt: a delegate that makes a QComboBox with the same items).
// The keys go to the editor widget. After the runs a table gives both times
// per cell and the ratio ours/Qt.
//   QT_QPA_PLATFORM=offscreen build/release/tests/bench_grid_edit
//   ... --quick   (100 cells each: what CI runs)

#include "AdvGrid.h"
#include "AdvGridEditors.h"
#include "AdvGridInplace.h"
#include "BenchCommon.h"
#include "Forms.h"

#include <QApplication>
#include <QComboBox>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kCols = 5;
constexpr int kRows = 1000;
constexpr int kComboItems = 20;

int gCells = 1000;
std::map<std::string, double> gPerCell;  // seconds per cell

void SendKey(QWidget* w, int key, const QString& text = QString())
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(w, &release);
}

QString ComboItem(int i) { return QStringLiteral("Choice %1").arg(i, 2, 10, QLatin1Char('0')); }

struct Ours {
    Ours()
    {
        Form = Create<TForm>(nullptr);
        Form->SetBounds(0, 0, kWidth + 20, kHeight + 20);
        Grid = Create<TAdvStringGrid>(Form);
        Grid->SetParent(Form);
        Grid->Font()->SetName(QStringLiteral("DejaVu Sans"));
        Grid->Font()->SetHeight(-12);
        Grid->SetBounds(0, 0, kWidth, kHeight);
        Grid->SetColCount(kCols + 1);
        Grid->SetRowCount(kRows + 1);
        TGridOptions o = Grid->Options();
        o.Include(goEditing);
        Grid->SetOptions(o);
        for (int r = 1; r <= kRows; ++r)
            for (int c = 1; c <= kCols; ++c) Grid->SetCells(c, r, c == 2 ? ComboItem(r % kComboItems) : BenchCellText(r, c));
        for (int i = 0; i < kComboItems; ++i) Grid->AddComboString(ComboItem(i));
        Grid->OnGetEditorType = [](TObject*, int c, int, TEditorType& e) {
            if (c == 2) e = edComboList;
        };
        Form->Show();
        Grid->SetFocus();
        QApplication::processEvents();
    }
    ~Ours() { Free(Form); }
    void Text()
    {
        for (int i = 0; i < gCells; ++i) {
            Grid->FocusCell(1, 1 + i % kRows);
            SendKey(Grid->Widget(), Qt::Key_X, QStringLiteral("x"));
            SendKey(Grid->InplaceEditor()->Widget(), Qt::Key_Return, QStringLiteral("\r"));
        }
    }
    void Combo()
    {
        for (int i = 0; i < gCells; ++i) {
            Grid->FocusCell(2, 1 + i % kRows);
            SendKey(Grid->Widget(), Qt::Key_F2);
            QWidget* cb = Grid->Combobox()->Widget();
            SendKey(cb, Qt::Key_Down);
            SendKey(cb, Qt::Key_Return, QStringLiteral("\r"));
        }
    }
    TForm* Form;
    TAdvStringGrid* Grid;
};

// Makes the editors and remembers the last one made.
class TBenchDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    bool Combo = false;
    QWidget* Last = nullptr;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QWidget* w;
        if (Combo) {
            auto* cb = new QComboBox(parent);
            for (int i = 0; i < kComboItems; ++i) cb->addItem(ComboItem(i));
            w = cb;
        } else {
            w = QStyledItemDelegate::createEditor(parent, option, index);
        }
        const_cast<TBenchDelegate*>(this)->Last = w;
        return w;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        if (auto* cb = qobject_cast<QComboBox*>(editor)) cb->setCurrentIndex(cb->findText(index.data().toString()));
        else QStyledItemDelegate::setEditorData(editor, index);
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override
    {
        if (auto* cb = qobject_cast<QComboBox*>(editor)) model->setData(index, cb->currentText());
        else QStyledItemDelegate::setModelData(editor, model, index);
    }
};

struct Theirs {
    Theirs()
    {
        Table = std::make_unique<QTableWidget>(kRows, kCols);
        Table->resize(kWidth, kHeight);
        QFont f(QStringLiteral("DejaVu Sans"));
        f.setPixelSize(12);
        Table->setFont(f);
        for (int r = 0; r < kRows; ++r)
            for (int c = 0; c < kCols; ++c)
                Table->setItem(r, c, new QTableWidgetItem(c == 1 ? ComboItem((r + 1) % kComboItems) : BenchCellText(r + 1, c + 1)));
        Delegate = new TBenchDelegate(Table.get());
        Table->setItemDelegate(Delegate);
        Table->show();
        Table->setFocus();
        QApplication::processEvents();
    }
    void Edit(int col, bool combo)
    {
        Delegate->Combo = combo;
        for (int i = 0; i < gCells; ++i) {
            QTableWidgetItem* item = Table->item(i % kRows, col);
            Table->setCurrentItem(item);
            Table->editItem(item);
            QWidget* e = Delegate->Last;
            if (combo) SendKey(e, Qt::Key_Down);
            else SendKey(e, Qt::Key_X, QStringLiteral("x"));
            SendKey(e, Qt::Key_Return, QStringLiteral("\r"));
        }
    }
    void Text() { Edit(0, false); }
    void Combo() { Edit(1, true); }
    std::unique_ptr<QTableWidget> Table;
    TBenchDelegate* Delegate = nullptr;
};

template <class G>
void Run(const std::string& who)
{
    {
        G g;
        gPerCell["text " + who] = BenchTimed([&] { g.Text(); }) / gCells;
    }
    {
        G g;
        gPerCell["combo " + who] = BenchTimed([&] { g.Combo(); }) / gCells;
    }
}

void BM_Ours(benchmark::State& state)
{
    for (auto _ : state) state.SetIterationTime(BenchTimed([] { Run<Ours>("ours"); }));
}
void BM_QTableWidget(benchmark::State& state)
{
    for (auto _ : state) state.SetIterationTime(BenchTimed([] { Run<Theirs>("qt"); }));
}

void PrintTable()
{
    std::printf("\n%d rows x %d columns, %d cells per case\n", kRows, kCols, gCells);
    const BenchRatioTable table(8, "us/cell", 1e6, 15, 1);
    for (const char* c : {"text", "combo"}) {
        const double o = gPerCell[std::string(c) + " ours"], q = gPerCell[std::string(c) + " qt"];
        table.Row(c, o, q, "at most 1.0x");
    }
}

}  // namespace

BENCHMARK(BM_Ours)->Unit(benchmark::kMillisecond)->Iterations(1)->UseManualTime();
BENCHMARK(BM_QTableWidget)->Unit(benchmark::kMillisecond)->Iterations(1)->UseManualTime();

int main(int argc, char** argv)
{
    BenchArgs args(argc, argv);
    if (args.Quick()) gCells = 100;
    BenchOffscreen();
    QApplication app(args.Argc(), args.Argv());
    BenchDejaVuFont();
    args.RunBenchmarks();
    PrintTable();
    return 0;
}
