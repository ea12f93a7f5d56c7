// The recording back-end.

#include "GraphicsRecording.h"

namespace {

const char* const kPenStyles[] = {"psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot",
                                  "psClear", "psInsideFrame"};
const char* const kPenModes[] = {"pmBlack", "pmWhite", "pmNop", "pmNot", "pmCopy", "pmNotCopy",
                                 "pmMergePenNot", "pmMaskPenNot", "pmMergeNotPen", "pmMaskNotPen",
                                 "pmMerge", "pmNotMerge", "pmMask", "pmNotMask", "pmXor", "pmNotXor"};
const char* const kBrushStyles[] = {"bsSolid", "bsClear", "bsHorizontal", "bsVertical",
                                    "bsFDiagonal", "bsBDiagonal", "bsCross", "bsDiagCross"};

QString RectText(const TRect& r)
{
    return QStringLiteral("%1,%2,%3,%4").arg(r.Left).arg(r.Top).arg(r.Right).arg(r.Bottom);
}

QString PointsText(const std::vector<TPoint>& pts)
{
    QStringList parts;
    for (const TPoint& p : pts) parts << QStringLiteral("%1,%2").arg(p.X).arg(p.Y);
    return parts.join(QLatin1Char(' '));
}

QString PenText(const TCanvasOp& op)
{
    QString s = QStringLiteral(" pen=") + ColorToString(op.PenColor);
    if (op.PenWidth != 1) s += QStringLiteral("/w%1").arg(op.PenWidth);
    if (op.PenStyle != psSolid) s += QLatin1Char('/') + QLatin1String(kPenStyles[op.PenStyle]);
    if (op.PenMode != pmCopy) s += QLatin1Char('/') + QLatin1String(kPenModes[op.PenMode]);
    return s;
}

QString BrushText(const TCanvasOp& op)
{
    if (op.BrushStyle == bsClear) return QStringLiteral(" brush=clear");
    QString s = QStringLiteral(" brush=") + ColorToString(op.BrushColor);
    if (op.BrushStyle != bsSolid) s += QLatin1Char('/') + QLatin1String(kBrushStyles[op.BrushStyle]);
    return s;
}

QString FontText(const TCanvasOp& op)
{
    QString s = QStringLiteral(" font=%1/%2/%3").arg(op.FontName).arg(op.FontHeight).arg(ColorToString(op.FontColor));
    if (op.FontStyle.Contains(fsBold)) s += QStringLiteral("/B");
    if (op.FontStyle.Contains(fsItalic)) s += QStringLiteral("/I");
    if (op.FontStyle.Contains(fsUnderline)) s += QStringLiteral("/U");
    if (op.FontStyle.Contains(fsStrikeOut)) s += QStringLiteral("/S");
    if (op.FontOrientation != 0) s += QStringLiteral("/o%1").arg(op.FontOrientation);
    if (op.Opaque) s += QStringLiteral(" bk=") + ColorToString(op.BrushColor);
    return s;
}

QString Quoted(const QString& t)
{
    QString e = t;
    e.replace(QLatin1Char('\r'), QLatin1String("\\r")).replace(QLatin1Char('\n'), QLatin1String("\\n"));
    return QLatin1Char('"') + e + QLatin1Char('"');
}

}  // namespace

QString TCanvasOp::ToString() const
{
    const QString& k = Kind;
    if (k == QLatin1String("FillRect") || k == QLatin1String("FrameRect"))
        return k + QLatin1Char('(') + RectText(Rect) + QLatin1Char(')') + BrushText(*this);
    if (k == QLatin1String("Rectangle") || k == QLatin1String("Ellipse"))
        return k + QLatin1Char('(') + RectText(Rect) + QLatin1Char(')') + PenText(*this) + BrushText(*this);
    if (k == QLatin1String("RoundRect"))
        return k + QStringLiteral("(%1,%2,%3)").arg(RectText(Rect)).arg(Points[0].X).arg(Points[0].Y) +
               PenText(*this) + BrushText(*this);
    if (k == QLatin1String("Arc"))
        return k + QStringLiteral("(%1,%2)").arg(RectText(Rect), PointsText(Points)) + PenText(*this);
    if (k == QLatin1String("Pie") || k == QLatin1String("Chord"))
        return k + QStringLiteral("(%1,%2)").arg(RectText(Rect), PointsText(Points)) + PenText(*this) +
               BrushText(*this);
    if (k == QLatin1String("Line") || k == QLatin1String("Polyline"))
        return k + QLatin1Char('(') + PointsText(Points) + QLatin1Char(')') + PenText(*this);
    if (k == QLatin1String("Polygon"))
        return k + QLatin1Char('(') + PointsText(Points) + QLatin1Char(')') + PenText(*this) + BrushText(*this);
    if (k == QLatin1String("SetPixel"))
        return k + QStringLiteral("(%1)=").arg(PointsText(Points)) + ColorToString(Color);
    if (k == QLatin1String("TextOut"))
        return k + QStringLiteral("(%1,%2)").arg(PointsText(Points), Quoted(Text)) + FontText(*this);
    if (k == QLatin1String("TextRect"))
        return k + QStringLiteral("(%1,%2,%3)").arg(RectText(Rect), PointsText(Points), Quoted(Text)) +
               FontText(*this);
    if (k == QLatin1String("DrawText"))
        return k + QStringLiteral("(%1,%2,$%3)").arg(RectText(Rect), Quoted(Text)).arg(Flags, 0, 16) +
               FontText(*this);
    if (k == QLatin1String("Draw") || k == QLatin1String("StretchDraw"))
        return k + QStringLiteral("(%1,%2)").arg(RectText(Rect), GraphicClass);
    if (k == QLatin1String("DrawImage") || k == QLatin1String("CopyRect"))
        return k + QStringLiteral("(%1,%2)").arg(RectText(Rect), Text);
    if (k == QLatin1String("FloodFill"))
        return k + QStringLiteral("(%1,%2,%3)")
                       .arg(PointsText(Points), ColorToString(Color),
                            Flags == fsSurface ? QStringLiteral("fsSurface") : QStringLiteral("fsBorder")) +
               BrushText(*this);
    if (k == QLatin1String("Clip"))
        return Text.isEmpty() ? QStringLiteral("Clip(none)") : QStringLiteral("Clip(%1)").arg(Text);
    return k + QLatin1Char('(') + RectText(Rect) + QLatin1Char(')');
}

// ---------------------------------------------------------------------------

TCanvasOp& TRecordingBackend::Add(TCanvas& c, const QString& kind)
{
    TCanvasOp op;
    op.Kind = kind;
    op.PenColor = c.Pen()->Color();
    op.PenWidth = c.Pen()->Width();
    op.PenStyle = c.Pen()->Style();
    op.PenMode = c.Pen()->Mode();
    op.BrushColor = c.Brush()->Color();
    op.BrushStyle = c.Brush()->Style();
    op.FontName = c.Font()->Name();
    op.FontHeight = c.Font()->Height();
    op.FontStyle = c.Font()->Style();
    op.FontColor = c.Font()->Color();
    op.FontOrientation = c.Font()->Orientation();
    FOps.push_back(std::move(op));
    return FOps.back();
}

void TRecordingBackend::FillRect(TCanvas& c, const TRect& r)
{
    Add(c, QStringLiteral("FillRect")).Rect = r;
}

void TRecordingBackend::FrameRect(TCanvas& c, const TRect& r)
{
    Add(c, QStringLiteral("FrameRect")).Rect = r;
}

void TRecordingBackend::Rectangle(TCanvas& c, const TRect& r)
{
    Add(c, QStringLiteral("Rectangle")).Rect = r;
}

void TRecordingBackend::RoundRect(TCanvas& c, const TRect& r, int cornerW, int cornerH)
{
    TCanvasOp& op = Add(c, QStringLiteral("RoundRect"));
    op.Rect = r;
    op.Points = {TPoint(cornerW, cornerH)};
}

void TRecordingBackend::Ellipse(TCanvas& c, const TRect& r)
{
    Add(c, QStringLiteral("Ellipse")).Rect = r;
}

void TRecordingBackend::ArcShape(TCanvas& c, const char* kind, const TRect& r, TPoint start, TPoint end)
{
    TCanvasOp& op = Add(c, QLatin1String(kind));
    op.Rect = r;
    op.Points = {start, end};
}

void TRecordingBackend::Line(TCanvas& c, TPoint a, TPoint b)
{
    Add(c, QStringLiteral("Line")).Points = {a, b};
}

void TRecordingBackend::Polyline(TCanvas& c, const std::vector<TPoint>& pts)
{
    Add(c, QStringLiteral("Polyline")).Points = pts;
}

void TRecordingBackend::Polygon(TCanvas& c, const std::vector<TPoint>& pts)
{
    Add(c, QStringLiteral("Polygon")).Points = pts;
}

void TRecordingBackend::SetPixel(TCanvas& c, int x, int y, TColor color)
{
    TCanvasOp& op = Add(c, QStringLiteral("SetPixel"));
    op.Points = {TPoint(x, y)};
    op.Color = color;
}

TColor TRecordingBackend::GetPixel(TCanvas&, int, int)
{
    return clNone;
}

void TRecordingBackend::TextOut(TCanvas& c, int x, int y, const QString& text, const TRect* clip)
{
    TCanvasOp& op = Add(c, clip ? QStringLiteral("TextRect") : QStringLiteral("TextOut"));
    op.Points = {TPoint(x, y)};
    op.Text = text;
    if (clip) op.Rect = *clip;
    op.Opaque = clip ? c.Brush()->Style() != bsClear : c.OpaqueText();
}

void TRecordingBackend::DrawText(TCanvas& c, const QString& text, const TRect& r, unsigned flags,
                                 const TTextLayout&)
{
    TCanvasOp& op = Add(c, QStringLiteral("DrawText"));
    op.Rect = r;
    op.Text = text;
    op.Flags = flags;
    op.Opaque = c.OpaqueText();
}

void TRecordingBackend::DrawFocusRect(TCanvas& c, const TRect& r)
{
    Add(c, QStringLiteral("DrawFocusRect")).Rect = r;
}

void TRecordingBackend::DrawGraphic(TCanvas& c, const TRect& dest, TGraphic* g, bool stretch)
{
    TCanvasOp& op = Add(c, stretch ? QStringLiteral("StretchDraw") : QStringLiteral("Draw"));
    op.Rect = dest;
    op.GraphicClass = g->ClassName();
}

void TRecordingBackend::DrawImage(TCanvas& c, const TRect& dest, const QImage& img, const TRect& src)
{
    TCanvasOp& op = Add(c, QStringLiteral("DrawImage"));
    op.Rect = dest;
    op.Text = QStringLiteral("%1x%2 from %3").arg(img.width()).arg(img.height()).arg(RectText(src));
}

void TRecordingBackend::CopyRect(TCanvas& c, const TRect& dest, TCanvas&, const TRect& src)
{
    TCanvasOp& op = Add(c, QStringLiteral("CopyRect"));
    op.Rect = dest;
    op.Text = QStringLiteral("from ") + RectText(src);
}

void TRecordingBackend::FloodFill(TCanvas& c, int x, int y, TColor color, TFillStyle style)
{
    TCanvasOp& op = Add(c, QStringLiteral("FloodFill"));
    op.Points = {TPoint(x, y)};
    op.Color = color;
    op.Flags = unsigned(style);
}

void TRecordingBackend::ClipChanged(TCanvas& c)
{
    TCanvasOp& op = Add(c, QStringLiteral("Clip"));
    if (c.ClipRegion()) {
        QStringList rects;
        for (const QRect& q : *c.ClipRegion()) rects << RectText(TRect::FromQRect(q));
        op.Text = rects.isEmpty() ? QStringLiteral("empty") : rects.join(QLatin1Char(' '));
    }
}

// ---------------------------------------------------------------------------

TRecordingCanvas::TRecordingCanvas(TRect device)
{
    auto rec = std::make_unique<TRecordingBackend>(device);
    FRecorder = rec.get();
    SetBackend(std::move(rec));
}

QStringList TRecordingCanvas::Log() const
{
    QStringList out;
    for (const TCanvasOp& op : FRecorder->Ops()) out << op.ToString();
    return out;
}
