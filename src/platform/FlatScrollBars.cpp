#include "FlatScrollBars.h"

#include <QScrollBar>
#include <QVariant>
#include <QWidget>

namespace {

// Kept on the grid's widget as dynamic properties, so the grid class needs
// no field for a look few grids use.
constexpr const char* FlatSBInitName = "calyptorFlatSB";

QString FlatSBPropName(int Index)
{
    return QStringLiteral("calyptorFlatSB%1").arg(Index);
}

QWidget* FlatSBWidget(TCustomGrid* Grid)
{
    return Grid ? Grid->Widget() : nullptr;
}

QString FlatSBColorText(TColor c)
{
    const QColor q = ToQColor(c);
    return q.name();
}

void FlatSBApply(TCustomGrid* Grid)
{
    for (int bar : {SB_HORZ, SB_VERT}) {
        const QString css = FlatSBStyleSheet(Grid, bar);
        if (QScrollBar* sb = Grid->ScrollBarWidget(bar)) sb->setStyleSheet(css);
        // A flat bar with a width of its own takes that room from the cells.
        const intptr_t size = FlatSB_GetScrollProp(Grid, bar == SB_VERT ? WSB_PROP_CXVSCROLL : WSB_PROP_CYHSCROLL);
        Grid->SetScrollBarExtent(bar, css.isEmpty() ? 0 : int(size));
    }
}

}  // namespace

bool InitializeFlatSB(TCustomGrid* Grid)
{
    QWidget* w = FlatSBWidget(Grid);
    if (!w) return false;
    w->setProperty(FlatSBInitName, true);
    FlatSBApply(Grid);
    return true;
}

void UninitializeFlatSB(TCustomGrid* Grid)
{
    QWidget* w = FlatSBWidget(Grid);
    if (!w) return;
    w->setProperty(FlatSBInitName, QVariant());
    for (int i : {WSB_PROP_CYVSCROLL, WSB_PROP_CXHSCROLL, WSB_PROP_CYHSCROLL, WSB_PROP_CXVSCROLL, WSB_PROP_VBKGCOLOR,
                  WSB_PROP_HBKGCOLOR, WSB_PROP_VSTYLE, WSB_PROP_HSTYLE})
        w->setProperty(FlatSBPropName(i).toLatin1().constData(), QVariant());
    FlatSBApply(Grid);
}

bool FlatSBInitialized(TCustomGrid* Grid)
{
    QWidget* w = FlatSBWidget(Grid);
    return w && w->property(FlatSBInitName).toBool();
}

bool FlatSB_SetScrollProp(TCustomGrid* Grid, int Index, intptr_t Value, bool Redraw)
{
    if (!FlatSBInitialized(Grid)) return false;
    switch (Index) {
    case WSB_PROP_CYVSCROLL: case WSB_PROP_CXHSCROLL: case WSB_PROP_CYHSCROLL: case WSB_PROP_CXVSCROLL:
    case WSB_PROP_VBKGCOLOR: case WSB_PROP_HBKGCOLOR: case WSB_PROP_VSTYLE: case WSB_PROP_HSTYLE: break;
    default: return false;
    }
    Grid->Widget()->setProperty(FlatSBPropName(Index).toLatin1().constData(), qlonglong(Value));
    if (Redraw) FlatSBApply(Grid);
    return true;
}

intptr_t FlatSB_GetScrollProp(TCustomGrid* Grid, int Index)
{
    QWidget* w = FlatSBWidget(Grid);
    const QVariant v = w ? w->property(FlatSBPropName(Index).toLatin1().constData()) : QVariant();
    return v.isValid() ? intptr_t(v.toLongLong()) : -1;
}

int FlatSB_SetScrollInfo(TCustomGrid* Grid, int Bar, const TScrollInfo& Info, bool Redraw)
{
    if (!Grid) return 0;
    Grid->SetScrollInfo(Bar, Info);
    if (Redraw) FlatSBApply(Grid);
    return Info.Pos;
}

bool FlatSB_ShowScrollBar(TCustomGrid* Grid, int Bar, bool Show)
{
    if (!Grid) return false;
    Grid->ShowScrollBar(Bar, Show);
    return true;
}

QString FlatSBStyleSheet(TCustomGrid* Grid, int Bar)
{
    if (!FlatSBInitialized(Grid)) return QString();
    const bool vert = Bar == SB_VERT;
    const intptr_t style = FlatSB_GetScrollProp(Grid, vert ? WSB_PROP_VSTYLE : WSB_PROP_HSTYLE);
    if (style != FSB_FLAT_MODE && style != FSB_ENCARTA_MODE) return QString();
    const intptr_t colour = FlatSB_GetScrollProp(Grid, vert ? WSB_PROP_VBKGCOLOR : WSB_PROP_HBKGCOLOR);
    const intptr_t size = FlatSB_GetScrollProp(Grid, vert ? WSB_PROP_CXVSCROLL : WSB_PROP_CYHSCROLL);
    const QString bk = colour >= 0 ? FlatSBColorText(TColor(colour)) : FlatSBColorText(clBtnFace);
    const QString kind = vert ? QStringLiteral("vertical") : QStringLiteral("horizontal");
    QString css = QStringLiteral("QScrollBar:%1 { background: %2; border: none; margin: 0px; }"
                                 "QScrollBar::handle:%1 { background: %3; border: none; min-%4: 12px; }"
                                 "QScrollBar::add-line:%1, QScrollBar::sub-line:%1 { border: none; background: %2; }")
                      .arg(kind, bk, FlatSBColorText(clBtnShadow),
                           vert ? QStringLiteral("height") : QStringLiteral("width"));
    if (size > 0)
        css += QStringLiteral("QScrollBar:%1 { %2: %3px; }")
                   .arg(kind, vert ? QStringLiteral("width") : QStringLiteral("height"))
                   .arg(size);
    // "Encarta" bars stay flat until the pointer is over them.
    if (style == FSB_ENCARTA_MODE)
        css += QStringLiteral("QScrollBar::handle:%1:hover { border: 2px outset %2; }").arg(kind, bk);
    return css;
}
