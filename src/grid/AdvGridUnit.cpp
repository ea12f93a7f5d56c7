#include "AdvGridUnit.h"

#include "AdvGrid.h"
#include "AdvObjPopup.h"
#include "Classes.h"
#include "ComponentRef.h"
#include "Names.h"
#include "OsProfile.h"
#include "StdCtrls.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QWidget>

namespace {

// Moves and resizes of the focus-frame grid's window or an ancestor keep
// its focus frame on the current cell.
class TAdvGridFocusFrameFilter : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

struct TAdvGridUnitState {
    int Counter = 0;
    TComponentRef<TAdvStringGrid> FocusGrid;
    QPointer<TAdvGridFocusFrameFilter> Filter;
    bool DateTimeEditors = false;
    unsigned ClipboardFormat = 0;
    unsigned EditDoneMsg = 0;
    unsigned DTPShiftMsg = 0;
    QString HintFontName;
};

TAdvGridUnitState& AdvGridUnit()
{
    static TAdvGridUnitState state;
    return state;
}

bool TAdvGridFocusFrameFilter::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type t = event->type();
    if (t != QEvent::Move && t != QEvent::Resize) return false;
    TAdvStringGrid* grid = AdvGridUnit().FocusGrid;
    if (!grid || !grid->Widget() || !watched->isWidgetType()) return false;
    auto* w = static_cast<QWidget*>(watched);
    QWidget* gw = grid->Widget();
    if (w == gw || w->isAncestorOf(gw)) GuardEvent([grid] { grid->MoveFocusHelper(); });
    return false;
}

TComponent* AdvGridMakeArrow(TComponent* AOwner)
{
    return new TArrowWindow(dynamic_cast<TWinControl*>(AOwner), arrUp);
}

} // namespace

const QStringList& AdvGridClassNames()
{
    static const QStringList names{
        QStringLiteral("TAdvStringGrid"), QStringLiteral("TDropList"), QStringLiteral("TArrowWindow"),
        QStringLiteral("TGridCombo"), QStringLiteral("TGridSpin"), QStringLiteral("TGridTransEdit"),
        QStringLiteral("TGridTransCombo"), QStringLiteral("TGridCheckBox"), QStringLiteral("TGridEditBtn"),
        QStringLiteral("TGridDateTimePicker"), QStringLiteral("TGridUnitEditBtn"),
        QStringLiteral("TGridTrackbarDropDown"), QStringLiteral("TGridMemoDropDown"),
        QStringLiteral("TGridCalculatorDropDown"), QStringLiteral("TGridTimepickerDropDown"),
        QStringLiteral("TGridDetailPickerDropDown"), QStringLiteral("TGridGridDropDown"),
        QStringLiteral("TGridColorDropDown"), QStringLiteral("TGridImageDropDown"), QStringLiteral("TGridButton"),
        QStringLiteral("TGridDatePicker"), QStringLiteral("THeaderDragButton"), QStringLiteral("TControlEdit"),
        QStringLiteral("TControlCombo"), QStringLiteral("TScrollBar"), QStringLiteral("TAdvRichEdit"),
        QStringLiteral("TFooterPanel"), QStringLiteral("TSearchPanel")};
    return names;
}

void AdvGridUnitInit()
{
    TAdvGridUnitState& u = AdvGridUnit();
    if (u.Counter-- != 0) return;
    u.FocusGrid = nullptr;
    if (!u.Filter && qApp) {
        u.Filter = new TAdvGridFocusFrameFilter;
        u.Filter->setParent(qApp);
        qApp->installEventFilter(u.Filter);
    }
    // The classes this unit has; the others come with their issues. Each on
    // its own: a name taken already does not stop the names after it.
    const std::pair<QString, TComponentFactory> classes[] = {
        {QStringLiteral("TAdvStringGrid"), [](TComponent* o) -> TComponent* { return Create<TAdvStringGrid>(o); }},
        {QStringLiteral("TArrowWindow"), AdvGridMakeArrow},
        {QStringLiteral("TScrollBar"), [](TComponent* o) -> TComponent* { return new TScrollBar(o); }},
    };
    for (const auto& [name, factory] : classes) {
        try {
            RegisterClass(name, factory);
        } catch (const EFilerError&) {
        }
    }
    u.DateTimeEditors = GetFileVersionMS(QStringLiteral("comctl32.dll")) > 0x00040045;
    u.ClipboardFormat = RegisterClipboardFormat(QStringLiteral("TAdvStringGrid Cells"));
    u.EditDoneMsg = RegisterWindowMessage(QStringLiteral("GridEditDone"));
    u.DTPShiftMsg = RegisterWindowMessage(QStringLiteral("DTPShiftFocus"));
}

void AdvGridUnitDone()
{
    TAdvGridUnitState& u = AdvGridUnit();
    if (u.Counter++ != -1) return;
    if (u.Filter) {
        if (qApp) qApp->removeEventFilter(u.Filter);
        delete u.Filter.data();
    }
    u.FocusGrid = nullptr;
    u.HintFontName.clear();
}

int AdvGridUnitCounter() { return AdvGridUnit().Counter; }

TAdvStringGrid* FocusFrameGrid() { return AdvGridUnit().FocusGrid; }
void SetFocusFrameGrid(TAdvStringGrid* Grid) { AdvGridUnit().FocusGrid = Grid; }
bool DateTimeEditorsAvailable() { return AdvGridUnit().DateTimeEditors; }
void SetDateTimeEditorsAvailable(bool v) { AdvGridUnit().DateTimeEditors = v; }
unsigned GridClipboardFormat() { return AdvGridUnit().ClipboardFormat; }
unsigned GridEditDoneMessage() { return AdvGridUnit().EditDoneMsg; }
unsigned GridDTPShiftFocusMessage() { return AdvGridUnit().DTPShiftMsg; }
QString& GridHintFontName() { return AdvGridUnit().HintFontName; }

void SetWindowTransparent(TControl* Control)
{
    if (Control && Control->Widget()) Control->Widget()->setAttribute(Qt::WA_TransparentForMouseEvents);
}
