#include "ExtCtrls.h"
#include "StdCtrlsWidgets.h"

#include <QEvent>
#include <QLabel>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>

#include <algorithm>
#include <limits>
#include <climits>

// ---------------------------------------------------------------- TTimer

TTimer::TTimer(TComponent* AOwner)
    : TComponent(AOwner), FTimer(std::make_unique<QTimer>())
{
    FTimer->setTimerType(Qt::PreciseTimer);
    QObject::connect(FTimer.get(), &QTimer::timeout, FTimer.get(), [this] { GuardEvent([this] { Timer(); }); });
}

TTimer::~TTimer()
{
    FTimer->stop();
}

void TTimer::SetEnabled(bool v)
{
    if (v == FEnabled) return;
    FEnabled = v;
    UpdateTimer();
}

void TTimer::SetInterval(unsigned v)
{
    if (v == FInterval) return;
    FInterval = v;
    UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent v)
{
    FOnTimer = std::move(v);
    UpdateTimer();
}

bool TTimer::Running() const
{
    return FTimer->isActive();
}

int TTimer::RemainingTime() const
{
    return FTimer->remainingTime();
}

void TTimer::UpdateTimer()
{
    FTimer->stop();
    if (FEnabled && FInterval > 0 && FOnTimer && !HasState(csDestroying))
        FTimer->start(int(std::min<unsigned>(FInterval, unsigned(INT_MAX))));
}

void TTimer::Timer()
{
    if (FOnTimer) FOnTimer(this);
}

// ---------------------------------------------------------------- TCustomPanel

namespace {

void BevelColors(TBevelCut cut, TColor& top, TColor& bottom)
{
    top = cut == bvLowered ? clBtnShadow : clBtnHighlight;
    bottom = cut == bvLowered ? clBtnHighlight : clBtnShadow;
}

}  // namespace

TCustomPanel::TCustomPanel(TComponent* AOwner)
    : TCustomControl(AOwner)
{
    SetControlStyle(ControlStyle() | csAcceptsControls | csOpaque | csSetCaption);
    SetBounds(0, 0, 185, 41);
}

void TCustomPanel::SetBevelOuter(TBevelCut v)
{
    FBevelOuter = v;
    BordersChanged();
}

void TCustomPanel::SetBevelInner(TBevelCut v)
{
    FBevelInner = v;
    BordersChanged();
}

void TCustomPanel::SetBevelWidth(int v)
{
    FBevelWidth = std::max(1, v);
    BordersChanged();
}

void TCustomPanel::SetBorderWidth(int v)
{
    FBorderWidth = std::max(0, v);
    BordersChanged();
}

void TCustomPanel::SetAlignment(TAlignment v)
{
    FAlignment = v;
    Invalidate();
}

void TCustomPanel::BordersChanged()
{
    Realign();
    Invalidate();
}

void TCustomPanel::TextChanged()
{
    Invalidate();
}

void TCustomPanel::AdjustClientRect(TRect& r)
{
    int bevel = FBorderWidth;
    if (FBevelOuter != bvNone) bevel += FBevelWidth;
    if (FBevelInner != bvNone) bevel += FBevelWidth;
    r.Inflate(-bevel, -bevel);
}

void TCustomPanel::Paint()
{
    TCanvas* c = Canvas();
    TRect r = ClientRect();
    TColor top, bottom;
    if (FBevelOuter != bvNone) {
        BevelColors(FBevelOuter, top, bottom);
        Frame3D(c, r, top, bottom, FBevelWidth);
    }
    Frame3D(c, r, Color(), Color(), FBorderWidth);
    if (FBevelInner != bvNone) {
        BevelColors(FBevelInner, top, bottom);
        Frame3D(c, r, top, bottom, FBevelWidth);
    }
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Color());
    c->FillRect(r);
    if (Caption().isEmpty()) return;
    c->Brush()->SetStyle(bsClear);
    c->Font()->Assign(Font());
    int h = c->TextHeight(QStringLiteral("W"));
    r.Top = (r.Top + r.Bottom - h) / 2;
    r.Bottom = r.Top + h;
    unsigned flags = DT_EXPANDTABS | DT_VCENTER | DT_SINGLELINE;
    if (FAlignment == taCenter) flags |= DT_CENTER;
    if (FAlignment == taRightJustify) flags |= DT_RIGHT;
    c->DrawText(Caption(), r, flags);
}

// ---------------------------------------------------------------- TSplitter

TSplitter::TSplitter(TComponent* AOwner) : TGraphicControl(AOwner)
{
    SetBounds(0, 0, 3, 100);
    SetAlign(alLeft);
    SetCursor(crHSplit);
}

TControl* TSplitter::Neighbour() const
{
    TWinControl* p = Parent();
    if (!p) return nullptr;
    for (int i = 0; i < p->ControlCount(); ++i) {
        TControl* c = p->Controls(i);
        if (c == this || !c->Visible() || c->Align() != Align()) continue;
        const bool against = [&] {
            switch (Align()) {
            case alTop: return c->Top() + c->Height() == Top();
            case alBottom: return c->Top() == Top() + Height();
            case alLeft: return c->Left() + c->Width() == Left();
            case alRight: return c->Left() == Left() + Width();
            default: return false;
            }
        }();
        if (against) return c;
    }
    return nullptr;
}

int TSplitter::MoveBorder(int delta)
{
    TControl* n = Neighbour();
    if (!n || delta == 0) return 0;
    const bool vertical = Vertical();
    const int oldSize = vertical ? n->Width() : n->Height();
    // Which way the neighbour grows when the border moves right or down.
    const int sign = (Align() == alTop || Align() == alLeft) ? 1 : -1;
    // The control filling the rest gives the room the neighbour grows into.
    int room = std::numeric_limits<int>::max() / 2;
    if (TWinControl* p = Parent())
        for (int i = 0; i < p->ControlCount(); ++i) {
            TControl* c = p->Controls(i);
            if (c->Align() == alClient && c->Visible())
                room = std::min(room, (vertical ? c->Width() : c->Height()) - FMinSize);
        }
    int newSize = oldSize + sign * delta;
    newSize = std::min(newSize, oldSize + std::max(room, 0));
    newSize = std::max(newSize, std::min(FMinSize, oldSize));
    if (newSize == oldSize) return 0;
    // The neighbour keeps its outer edge; only the border moves.
    if (vertical) {
        if (Align() == alRight) n->SetBounds(n->Left() + oldSize - newSize, n->Top(), newSize, n->Height());
        else n->SetWidth(newSize);
    } else {
        if (Align() == alBottom) n->SetBounds(n->Left(), n->Top() + oldSize - newSize, n->Width(), newSize);
        else n->SetHeight(newSize);
    }
    const int moved = sign * (newSize - oldSize);
    // The parent's alignment puts the splitter back against the neighbour.
    if (TWinControl* p = Parent()) p->Realign();
    if (OnMoved) OnMoved(this);
    return moved;
}

void TSplitter::Paint()
{
    Canvas()->Brush()->SetStyle(bsSolid);
    Canvas()->Brush()->SetColor(Color());
    Canvas()->FillRect(ClientRect());
}

void TSplitter::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TGraphicControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft) return;
    SetCursor(Vertical() ? crHSplit : crVSplit);
    FDragging = true;
    FDownPos = Vertical() ? X : Y;
}

void TSplitter::MouseMove(TShiftState Shift, int X, int Y)
{
    TGraphicControl::MouseMove(Shift, X, Y);
    // The splitter moves with the border, so the grip stays at FDownPos.
    if (FDragging) MoveBorder((Vertical() ? X : Y) - FDownPos);
}

void TSplitter::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TGraphicControl::MouseUp(Button, Shift, X, Y);
    if (Button == mbLeft) FDragging = false;
}

// ---------------------------------------------------------------- TShape

TShape::TShape(TComponent* AOwner)
    : TGraphicControl(AOwner), FPen(std::make_unique<TPen>()), FBrush(std::make_unique<TBrush>())
{
    FPen->OnChange = [this](TObject*) { Invalidate(); };
    FBrush->OnChange = [this](TObject*) { Invalidate(); };
    SetBounds(0, 0, 65, 65);
}

TShape::~TShape() = default;

void TShape::SetShape(TShapeType v)
{
    if (v == FShape) return;
    FShape = v;
    Invalidate();
}

void TShape::Paint()
{
    TCanvas* c = Canvas();
    c->SetPen(FPen.get());
    c->SetBrush(FBrush.get());
    // The pen sits inside the bounds.
    int pw = FPen->Width();
    int x = pw / 2, y = pw / 2;
    int w = Width() - pw + 1, h = Height() - pw + 1;
    if (pw == 0) {
        --w;
        --h;
    }
    int s = std::min(w, h);
    if (FShape == stSquare || FShape == stRoundSquare || FShape == stCircle) {
        x += (w - s) / 2;
        y += (h - s) / 2;
        w = h = s;
    }
    switch (FShape) {
    case stRectangle:
    case stSquare: c->Rectangle(x, y, x + w, y + h); break;
    case stRoundRect:
    case stRoundSquare: c->RoundRect(x, y, x + w, y + h, s / 4, s / 4); break;
    case stEllipse:
    case stCircle: c->Ellipse(x, y, x + w, y + h); break;
    }
}

// ---------------------------------------------------------------- TImage

TImage::TImage(TComponent* AOwner)
    : TGraphicControl(AOwner), FPicture(std::make_unique<TPicture>())
{
    FPicture->OnChange = [this](TObject*) { PictureChanged(); };
    SetBounds(0, 0, 105, 105);
}

TImage::~TImage() = default;

void TImage::SetStretch(bool v)
{
    if (v == FStretch) return;
    FStretch = v;
    Invalidate();
}

void TImage::SetProportional(bool v)
{
    if (v == FProportional) return;
    FProportional = v;
    Invalidate();
}

void TImage::SetCenter(bool v)
{
    if (v == FCenter) return;
    FCenter = v;
    Invalidate();
}

void TImage::SetTransparent(bool v)
{
    if (v == FTransparent) return;
    FTransparent = v;
    PictureChanged();
}

void TImage::SetAutoSize(bool v)
{
    if (v == FAutoSize) return;
    FAutoSize = v;
    PictureChanged();
}

void TImage::PictureChanged()
{
    if (TGraphic* g = FPicture->Graphic()) {
        if (g->Transparent() != FTransparent) {
            // Setting the flag notifies the picture again; keep it to one pass.
            auto keep = std::move(FPicture->OnChange);
            g->SetTransparent(FTransparent);
            FPicture->OnChange = std::move(keep);
        }
        if (FAutoSize && g->Width() > 0 && g->Height() > 0) SetBounds(Left(), Top(), g->Width(), g->Height());
    }
    Invalidate();
}

TRect TImage::DestRect() const
{
    int w = FPicture->Width(), h = FPicture->Height();
    int cw = ClientWidth(), ch = ClientHeight();
    if (FStretch || (FProportional && (w > cw || h > ch))) {
        if (FProportional && w > 0 && h > 0) {
            // Fit inside, keeping the proportions.
            if (int64_t(cw) * h <= int64_t(ch) * w) {
                h = int(int64_t(h) * cw / w);
                w = cw;
            } else {
                w = int(int64_t(w) * ch / h);
                h = ch;
            }
        } else {
            w = cw;
            h = ch;
        }
    }
    TRect r(0, 0, w, h);
    if (FCenter) r.Offset((cw - w) / 2, (ch - h) / 2);
    return r;
}

void TImage::Paint()
{
    TGraphic* g = FPicture->Graphic();
    if (!g || g->Empty()) return;
    Canvas()->StretchDraw(DestRect(), g);
}

// ---------------------------------------------------------------- TCustomLinkLabel

TCustomLinkLabel::TCustomLinkLabel(TComponent* AOwner)
    : TWinControl(AOwner, new TKeyEndWidget<QLabel>)
{
    QLabel* l = LabelWidget();
    l->setTextFormat(Qt::RichText);
    l->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    l->setOpenExternalLinks(false);
    l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QObject::connect(l, &QLabel::linkActivated, &FSignals, [this](const QString& key) {
        bool ok = false;
        size_t i = size_t(key.toUInt(&ok));
        if (!ok || i >= FLinks.size()) return;
        const TLink link = FLinks[i];
        GuardEvent([&] {
            if (!link.Href.isEmpty() || link.Id.isEmpty())
                DoOnLinkClick(link.Href, sltURL);
            else
                DoOnLinkClick(link.Id, sltID);
        });
    });
    SetBounds(0, 0, 53, 17);
}

QLabel* TCustomLinkLabel::LabelWidget() const
{
    return static_cast<QLabel*>(Widget());
}

namespace {

// The value of attribute name in the attribute text of a tag ("" when absent).
QString AttributeValue(const QString& attrs, const QString& name)
{
    static const QRegularExpression re(
        QStringLiteral(R"re((\w+)\s*=\s*(?:"([^"]*)"|'([^']*)'|([^\s>]+)))re"));
    for (auto it = re.globalMatch(attrs); it.hasNext();) {
        auto m = it.next();
        if (m.captured(1).compare(name, Qt::CaseInsensitive) != 0) continue;
        for (int g = 2; g <= 4; ++g)
            if (m.capturedStart(g) >= 0) return m.captured(g);
    }
    return QString();
}

// The caption is markup: the character references that escaping a text for
// it produces stand for their characters, so an escaped "&" shows as "&".
// Anything else, a lone "&" included, is shown as written.
QString DecodeCharacterReferences(const QString& text)
{
    static const struct { const char* ref; QChar ch; } refs[] = {
        {"&lt;", QLatin1Char('<')}, {"&gt;", QLatin1Char('>')}, {"&quot;", QLatin1Char('"')},
        {"&apos;", QLatin1Char('\'')}, {"&#39;", QLatin1Char('\'')}, {"&amp;", QLatin1Char('&')},
    };
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size();) {
        bool matched = false;
        if (text[i] == QLatin1Char('&')) {
            for (const auto& r : refs) {
                const QLatin1StringView ref(r.ref);
                if (QStringView(text).mid(i).startsWith(ref)) {
                    out += r.ch;
                    i += ref.size();
                    matched = true;
                    break;
                }
            }
        }
        if (!matched) out += text[i++];
    }
    return out;
}

}  // namespace

void TCustomLinkLabel::TextChanged()
{
    static const QRegularExpression anchor(QStringLiteral(R"(<a(\s[^>]*)?>(.*?)</a\s*>)"),
                                           QRegularExpression::CaseInsensitiveOption |
                                               QRegularExpression::DotMatchesEverythingOption);
    FLinks.clear();
    QString html;
    const QString text = Caption();
    qsizetype pos = 0;
    for (auto it = anchor.globalMatch(text); it.hasNext();) {
        auto m = it.next();
        html += DecodeCharacterReferences(text.mid(pos, m.capturedStart() - pos)).toHtmlEscaped();
        TLink link{DecodeCharacterReferences(AttributeValue(m.captured(1), QStringLiteral("href"))),
                   AttributeValue(m.captured(1), QStringLiteral("id")),
                   DecodeCharacterReferences(m.captured(2))};
        html += QStringLiteral("<a href=\"%1\">%2</a>").arg(FLinks.size()).arg(link.Text.toHtmlEscaped());
        FLinks.push_back(link);
        pos = m.capturedEnd();
    }
    html += DecodeCharacterReferences(text.mid(pos)).toHtmlEscaped();
    // Keep line breaks and runs of blanks as written.
    html.replace(QStringLiteral("\r\n"), QStringLiteral("<br>"));
    html.replace(QLatin1Char('\n'), QStringLiteral("<br>"));
    LabelWidget()->setText(QStringLiteral("<span style=\"white-space:pre\">%1</span>").arg(html));
}

QString TCustomLinkLabel::DisplayText() const
{
    static const QRegularExpression anchor(QStringLiteral(R"(<a(\s[^>]*)?>(.*?)</a\s*>)"),
                                           QRegularExpression::CaseInsensitiveOption |
                                               QRegularExpression::DotMatchesEverythingOption);
    QString t = Caption();
    t.replace(anchor, QStringLiteral("\\2"));
    return DecodeCharacterReferences(t);
}

void TCustomLinkLabel::DoOnLinkClick(const QString& Link, TSysLinkType LinkType)
{
    if (OnLinkClick) OnLinkClick(this, Link, LinkType);
}

// ---------------------------------------------------------------- TControlScrollBar

TControlScrollBar::TControlScrollBar(TScrollingWinControl* AControl, TScrollBarKind AKind)
    : FControl(AControl), FKind(AKind)
{
}

QScrollBar* TControlScrollBar::Bar() const
{
    QScrollArea* a = FControl->Area();
    return FKind == sbVertical ? a->verticalScrollBar() : a->horizontalScrollBar();
}

int TControlScrollBar::Position() const
{
    return Bar()->value();
}

void TControlScrollBar::SetPosition(int v)
{
    Bar()->setValue(std::clamp(v, 0, MaxPosition()));
}

void TControlScrollBar::SetRange(int v)
{
    FRange = std::max(0, v);
    FControl->UpdateScrollBars();
}

void TControlScrollBar::SetVisible(bool v)
{
    FVisible = v;
    FControl->UpdateScrollBars();
}

bool TControlScrollBar::IsScrollBarVisible() const
{
    return FShown;
}

int TControlScrollBar::MaxPosition() const
{
    TRect c = FControl->ClientRect();
    return std::max(0, FRange - (FKind == sbVertical ? c.Height() : c.Width()));
}

// ---------------------------------------------------------------- TScrollingWinControl

namespace {

// Tells the scrolling control when a child of its content moves, resizes,
// shows or hides, so the ranges follow.
class TChildWatcher : public QObject {
public:
    TChildWatcher(QWidget* content, std::function<void()> changed)
        : QObject(content), FChanged(std::move(changed))
    {
        content->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        switch (e->type()) {
        case QEvent::ChildAdded:
            if (o == parent()) {
                if (auto* w = qobject_cast<QWidget*>(static_cast<QChildEvent*>(e)->child()))
                    w->installEventFilter(this);
                FChanged();
            }
            break;
        case QEvent::ChildRemoved:
            if (o == parent()) FChanged();
            break;
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::Hide:
            if (o != parent()) FChanged();
            break;
        default:
            break;
        }
        return false;
    }

private:
    std::function<void()> FChanged;
};

// The wheel does not scroll a scrolling control by itself (the platform's
// does not either); a handler of the form or the control decides.
class TWheelStop : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject*, QEvent* e) override { return e->type() == QEvent::Wheel; }
};

}  // namespace

TScrollingWinControl::TScrollingWinControl(TComponent* AOwner)
    : TWinControl(AOwner, new TKeyEndWidget<QScrollArea>),
      FHorz(std::make_unique<TControlScrollBar>(this, sbHorizontal)),
      FVert(std::make_unique<TControlScrollBar>(this, sbVertical))
{
    QScrollArea* a = Area();
    a->setWidgetResizable(false);
    a->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    a->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    FContent = new QWidget;
    FContent->setAutoFillBackground(false);
    a->setWidget(FContent);
    a->viewport()->setAutoFillBackground(false);
    a->viewport()->installEventFilter(new TWheelStop(a->viewport()));
    AttachSubWidget(a->viewport());
    FChildWatcher = new TChildWatcher(FContent, [this] {
        if (FAutoScroll && FUpdating == 0) UpdateScrollBars();
    });
    SetControlStyle(ControlStyle() | csAcceptsControls);
    SetBounds(0, 0, 185, 41);
    UpdateScrollBars();
}

TScrollingWinControl::~TScrollingWinControl()
{
    // The content (and the children's widgets) go only after this object:
    // nothing may call back into it by then.
    delete FChildWatcher;
}

QScrollArea* TScrollingWinControl::Area() const
{
    return static_cast<QScrollArea*>(Widget());
}

QWidget* TScrollingWinControl::ClientWidget() const
{
    return FContent;
}

void TScrollingWinControl::SetAutoScroll(bool v)
{
    FAutoScroll = v;
    UpdateScrollBars();
}

void TScrollingWinControl::SetBorderStyle(TBorderStyle v)
{
    FBorderStyle = v == bsNone ? bsNone : bsSingle;
    Area()->setFrameShape(FBorderStyle == bsSingle ? QFrame::StyledPanel : QFrame::NoFrame);
    UpdateScrollBars();
}

TRect TScrollingWinControl::ClientRect() const
{
    const QScrollArea* a = Area();
    int frame = a->frameWidth();
    int bar = a->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, a);
    int w = Width() - 2 * frame - (FVert->FShown ? bar : 0);
    int h = Height() - 2 * frame - (FHorz->FShown ? bar : 0);
    return Rect(0, 0, std::max(0, w), std::max(0, h));
}

void TScrollingWinControl::AdjustClientRect(TRect& r)
{
    // Aligned children cover the whole content, not only the visible part.
    r.Right = r.Left + std::max(r.Width(), FHorz->FRange);
    r.Bottom = r.Top + std::max(r.Height(), FVert->FRange);
}

TSize TScrollingWinControl::ContentExtent() const
{
    TSize s;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (!c->Visible()) continue;
        // Aligned children follow the view; they do not make it scroll.
        if (c->Align() == alClient) continue;
        if (c->Align() != alTop && c->Align() != alBottom) s.cx = std::max(s.cx, c->Left() + c->Width());
        if (c->Align() != alLeft && c->Align() != alRight) s.cy = std::max(s.cy, c->Top() + c->Height());
    }
    return s;
}

void TScrollingWinControl::UpdateScrollBars()
{
    if (FUpdating > 0 || !FContent) return;
    ++FUpdating;
    QScrollArea* a = Area();
    if (FAutoScroll) {
        TSize ext = ContentExtent();
        FHorz->FRange = ext.cx;
        FVert->FRange = ext.cy;
    }
    // Which bars show: a bar takes room from the other direction.
    int frame = a->frameWidth();
    int bar = a->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, a);
    int w = Width() - 2 * frame, h = Height() - 2 * frame;
    bool vs = FVert->FVisible && FVert->FRange > h;
    bool hs = FHorz->FVisible && FHorz->FRange > w - (vs ? bar : 0);
    if (hs && !vs) vs = FVert->FVisible && FVert->FRange > h - bar;
    FHorz->FShown = hs;
    FVert->FShown = vs;
    a->setHorizontalScrollBarPolicy(hs ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    a->setVerticalScrollBarPolicy(vs ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    TRect client = ClientRect();
    FContent->resize(std::max(client.Width(), FHorz->FRange), std::max(client.Height(), FVert->FRange));
    // The bars' ranges now, not only when Qt lays the area out (it may be hidden).
    for (TControlScrollBar* sb : {FHorz.get(), FVert.get()}) {
        QScrollBar* b = sb->Bar();
        int page = sb->FKind == sbVertical ? client.Height() : client.Width();
        b->setRange(0, sb->MaxPosition());
        b->setPageStep(std::max(1, page));
        b->setSingleStep(sb->FIncrement);
    }
    --FUpdating;
}

void TScrollingWinControl::AlignControls(TRect& r)
{
    TRect before = ClientRect();
    ArrangeControls(r);
    UpdateScrollBars();
    // A bar that came or went changed the room the children have: once more.
    TRect after = ClientRect();
    if (after.Width() != before.Width() || after.Height() != before.Height()) {
        TRect again = after;
        ArrangeControls(again);
        UpdateScrollBars();
    }
}

void TScrollingWinControl::ArrangeControls(TRect& r)
{
    TWinControl::AlignControls(r);
}

void TScrollingWinControl::Resize()
{
    UpdateScrollBars();
    Realign();
    TWinControl::Resize();
}

bool TScrollingWinControl::HandleQtEvent(QWidget* w, QEvent* e)
{
    // Children moved while the control was hidden told nobody (Qt holds
    // their move and resize events back until they show).
    if (w == Widget() && e->type() == QEvent::Show) UpdateScrollBars();
    return TWinControl::HandleQtEvent(w, e);
}

void TScrollingWinControl::ScrollBy(TScrollBarKind Kind, unsigned Code, int ThumbPos)
{
    TControlScrollBar* sb = Kind == sbVertical ? FVert.get() : FHorz.get();
    TRect client = ClientRect();
    int page = Kind == sbVertical ? client.Height() : client.Width();
    int pos = sb->Position();
    switch (Code) {
    case SB_LINEUP: pos -= sb->FIncrement; break;
    case SB_LINEDOWN: pos += sb->FIncrement; break;
    case SB_PAGEUP: pos -= page; break;
    case SB_PAGEDOWN: pos += page; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: pos = ThumbPos; break;
    case SB_TOP: pos = 0; break;
    case SB_BOTTOM: pos = sb->MaxPosition(); break;
    default: return;  // SB_ENDSCROLL: nothing left to do
    }
    sb->SetPosition(pos);
}

void TScrollingWinControl::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_VSCROLL || Message.Msg == WM_HSCROLL) {
        ScrollBy(Message.Msg == WM_VSCROLL ? sbVertical : sbHorizontal, unsigned(Message.WParam & 0xFFFF),
                 int(int16_t(uint16_t(Message.WParam >> 16))));
        Message.Result = 0;
        return;
    }
    TWinControl::WndProc(Message);
}

void TScrollingWinControl::ScrollInView(TControl* AControl)
{
    if (!AControl) return;
    TRect client = ClientRect();
    auto bring = [](TControlScrollBar* sb, int lo, int hi, int view) {
        int pos = sb->Position();
        if (hi > pos + view) pos = hi - view;
        if (lo < pos) pos = lo;
        sb->SetPosition(pos);
    };
    bring(FHorz.get(), AControl->Left(), AControl->Left() + AControl->Width(), client.Width());
    bring(FVert.get(), AControl->Top(), AControl->Top() + AControl->Height(), client.Height());
}

// ---------------------------------------------------------------- TScrollBox

TScrollBox::TScrollBox(TComponent* AOwner)
    : TScrollingWinControl(AOwner)
{
    SetBorderStyle(bsSingle);
    SetTabStop(false);
}
