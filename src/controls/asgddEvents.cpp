#include "asgddEvents.h"

#include "Controls.h"

#include <QDrag>
#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

namespace {

uint32_t EffectOf(Qt::DropAction a)
{
    switch (a) {
    case Qt::CopyAction: return DROPEFFECT_COPY;
    case Qt::MoveAction: return DROPEFFECT_MOVE;
    case Qt::LinkAction: return DROPEFFECT_LINK;
    default: return DROPEFFECT_NONE;
    }
}

uint32_t EffectsOf(Qt::DropActions a)
{
    uint32_t e = DROPEFFECT_NONE;
    if (a & Qt::CopyAction) e |= DROPEFFECT_COPY;
    if (a & Qt::MoveAction) e |= DROPEFFECT_MOVE;
    if (a & Qt::LinkAction) e |= DROPEFFECT_LINK;
    return e;
}

Qt::DropActions ActionsOf(uint32_t effects)
{
    Qt::DropActions a;
    if (effects & DROPEFFECT_COPY) a |= Qt::CopyAction;
    if (effects & DROPEFFECT_MOVE) a |= Qt::MoveAction;
    if (effects & DROPEFFECT_LINK) a |= Qt::LinkAction;
    return a;
}

}  // namespace

// ---- the Qt side of a drop target -----------------------------------------------------

namespace {

const char* const kFilterName = "asgddDropTarget";

class DropTargetFilter : public QObject {
public:
    DropTargetFilter(QWidget* w, TASGDropTarget* target) : QObject(w), FWidget(w), FTarget(target)
    {
        setObjectName(QLatin1String(kFilterName));
    }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (watched != FWidget)
            return false;
        // The control sees the drag pass over it before the drop target does.
        DeliverDragOver(FWidget, e);
        switch (e->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop: {
            auto* d = static_cast<QDropEvent*>(e);
            uint32_t keys = 0;
            if (d->modifiers() & Qt::ControlModifier) keys |= MK_CONTROL;
            if (d->modifiers() & Qt::ShiftModifier) keys |= MK_SHIFT;
            if (d->buttons() & Qt::LeftButton) keys |= MK_LBUTTON;
            if (d->buttons() & Qt::RightButton) keys |= MK_RBUTTON;
            const TPoint pt = TPoint::FromQPoint(FWidget->mapToGlobal(d->position().toPoint()));
            uint32_t effect = EffectsOf(d->possibleActions());
            GuardEvent([&] {
                if (e->type() == QEvent::DragEnter)
                    FTarget->DragEnter(d->mimeData(), keys, pt, effect);
                else if (e->type() == QEvent::DragMove)
                    FTarget->DragOver(keys, pt, effect);
                else
                    FTarget->Drop(d->mimeData(), keys, pt, effect);
            });
            const Qt::DropAction action = effect & DROPEFFECT_MOVE   ? Qt::MoveAction
                                          : effect & DROPEFFECT_COPY ? Qt::CopyAction
                                          : effect & DROPEFFECT_LINK ? Qt::LinkAction
                                                                     : Qt::IgnoreAction;
            if (action == Qt::IgnoreAction) {
                d->ignore();
            } else {
                d->setDropAction(action);
                d->accept();
            }
            return true;
        }
        case QEvent::DragLeave:
            GuardEvent([&] { FTarget->DragLeave(); });
            return true;
        default:
            return false;
        }
    }

private:
    QWidget* FWidget;
    TASGDropTarget* FTarget;
};

}  // namespace

bool RegisterDragDrop(TWinControl* Control, TASGDropTarget* Target)
{
    QWidget* w = Control ? Control->Widget() : nullptr;
    if (!w || !Target)
        return false;
    RevokeDragDrop(Control);
    w->installEventFilter(new DropTargetFilter(w, Target));
    w->setAcceptDrops(true);
    return true;
}

void RevokeDragDrop(TWinControl* Control)
{
    QWidget* w = Control ? Control->Widget() : nullptr;
    if (!w)
        return;
    delete w->findChild<DropTargetFilter*>(QLatin1String(kFilterName), Qt::FindDirectChildrenOnly);
    w->setAcceptDrops(false);
}

// ---- starting a drag ---------------------------------------------------------------------

QImage TASGDropSource::DragPicture() const
{
    return QImage();
}

namespace {

// The drag loop of Qt. Escape and the button's release are Qt's business;
// the source hears of each change of the action and, from a short timer
// that Qt's loop keeps running, is asked QueryDrag.
Qt::DropAction RunQtDrag(std::unique_ptr<QMimeData> data, Qt::DropActions allowed, TASGDropSource* source)
{
    QObject* origin = QGuiApplication::instance();
    if (!origin)
        return Qt::IgnoreAction;
    QDrag drag(origin);
    drag.setMimeData(data.release());
    const QImage picture = source->DragPicture();
    if (!picture.isNull()) {
        const TPoint off = source->DragPictureOffset();
        drag.setPixmap(QPixmap::fromImage(picture));
        drag.setHotSpot(QPoint(-off.X, -off.Y));
    }
    QObject::connect(&drag, &QDrag::actionChanged, [source](Qt::DropAction a) {
        GuardEvent([&] {
            source->GiveFeedback(EffectOf(a));
            source->QueryDrag();
        });
    });
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [source] { GuardEvent([&] { source->QueryDrag(); }); });
    ticker.start(50);
    const Qt::DropAction a = drag.exec(allowed, allowed & Qt::MoveAction ? Qt::MoveAction : Qt::CopyAction);
    ticker.stop();
    return a;
}

TDragRunner& Runner()
{
    static TDragRunner r = RunQtDrag;
    return r;
}

HRESULT RunDrag(TASGDropSource* source, const TSourceDataObject& data, uint32_t allowed, uint32_t& effect)
{
    effect = DROPEFFECT_NONE;
    if (!source)
        return E_INVALIDARG;
    const Qt::DropAction a = Runner()(data.MakeMimeData(), ActionsOf(allowed), source);
    source->EndDragDrop();
    effect = EffectOf(a);
    if (a == Qt::IgnoreAction || source->NoAccept())
        return DRAGDROP_S_CANCEL;
    return DRAGDROP_S_DROP;
}

}  // namespace

TDragRunner SetDragRunner(TDragRunner Runner_)
{
    TDragRunner old = Runner();
    Runner() = Runner_ ? std::move(Runner_) : TDragRunner(RunQtDrag);
    return old;
}

HRESULT BeginTextDragDrop(TASGDropSource* DropSource, const QString& Text, const QString& RTF, uint32_t& Effect,
                          uint32_t AllowedEffects, QBuffer* Stream)
{
    return RunDrag(DropSource, TSourceDataObject(Text, Stream, -1, RTF), AllowedEffects, Effect);
}

HRESULT BeginColumnDragDrop(TASGDropSource* DropSource, int ColumnIndex, uint32_t AllowedEffects, uint32_t& Effect)
{
    return RunDrag(DropSource, TSourceDataObject(QString(), nullptr, ColumnIndex, QString()), AllowedEffects, Effect);
}
