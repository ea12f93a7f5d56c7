// The string grid's clipboard: copy and cut as tab-separated text (and the
// top-left cell's rich text), paste with smart fill, and the same text form
// as the SelectionAsText property.
#include "AdvGrid.h"
#include "AdvGridFilesKit.h"
#include "AdvGridReaders.h"
#include "AdvGridStreamReader.h"
#include "AdvGridUnit.h"

#include "AdvObj.h"
#include "AdvUtil.h"
#include "AsgHTMLEText.h"
#include "BaseGridUndo.h"
#include "CodePages.h"
#include "DateUtils.h"
#include "Files.h"
#include "Controls.h"
#include "Messages.h"
#include "Names.h"
#include "SysFormat.h"
#include "asgdd.h"

#include <QBuffer>
#include <algorithm>
#include <cmath>

namespace {

unsigned CF_HTMLFormat()
{
    static const unsigned format = RegisterClipboardFormat(QStringLiteral("HTML Format"));
    return format;
}

bool IsCheckBoxCell(TAdvStringGrid* g, int c, int r)
{
    TCellGraphic* cg = g->GetCellGraphic(c, r);
    if (!cg) return false;
    const TCellType t = cg->CellType();
    return t == ctCheckBox || t == ctDataCheckBox || t == ctVirtCheckBox || t == ctRowCheckBox ||
           t == ctTriStateCheckBox;
}

// May a paste, cut, fill or drop write the cell (displayed column)? The
// grid's own editability answers, the application's OnCanEditCell
// included; `always` lets AllowClipboardAlways override it.
bool PasteEditable(TAdvStringGrid* g, int c, int r, bool always)
{
    if (always && g->Navigation()->AllowClipboardAlways()) return true;
    return g->IsEditable(g->RealColIndex(c), r);
}

// The rich text of a cell: Windows-1252 bytes and a terminating zero, as
// other programs read text/rtf.
QByteArray RichTextBlock(const QString& text) { return UnicodeToAnsi(text) + QByteArray(1, '\0'); }

QString RichTextOfBlock(QByteArray block)
{
    const qsizetype z = block.indexOf('\0');
    if (z >= 0) block.truncate(z);
    return AnsiToUnicode(block);
}

TGridRect Normalized(TGridRect r)
{
    if (r.Left > r.Right) std::swap(r.Left, r.Right);
    if (r.Top > r.Bottom) std::swap(r.Top, r.Bottom);
    return r;
}

// The selection widened to whole merged areas: a merged top-left cell
// moves it to its area's base cell, a merged bottom-right cell to its
// area's far corner. The grid's selection follows when it changed.
TGridRect ClipWidenedSelection(TAdvStringGrid* g)
{
    const TGridRect old = Normalized(g->Selection());
    TGridRect s = old;
    const auto area = [g](int c, int r, TPoint& base, TPoint& span) {
        const int rc = g->RealColIndex(c);
        span = g->CellSpan(rc, r);
        if (span.X <= 0 && span.Y <= 0) return false;
        base = g->BaseCell(rc, r);
        base.X = g->DisplColIndex(base.X);
        return base.X >= 0;
    };
    TPoint base, span;
    if (area(s.Left, s.Top, base, span)) {
        s.Left = base.X;
        s.Top = base.Y;
    }
    if (area(s.Right, s.Bottom, base, span)) {
        s.Right = std::min(base.X + span.X, g->ColCount() - 1);
        s.Bottom = std::min(base.Y + span.Y, g->RowCount() - 1);
    }
    if (s != old) g->SetSelection(s);
    return s;
}

}  // namespace

// ---- the text form -------------------------------------------------------------------

QString TAdvStringGrid::ClipTextOf(const TGridRect& R, bool Disjunct)
{
    FClipTopLeft = TPoint(R.Left, R.Top);
    if (R.Right < R.Left || R.Bottom < R.Top) return QString();
    const bool skipRows = Disjunct && MouseActions()->DisjunctRowSelect() && !MouseActions()->DisjunctColSelect();
    const bool skipCols = Disjunct && MouseActions()->DisjunctColSelect();
    const bool sel = R.Top > FixedRows() || R.Bottom < RowCount() - FixedFooters() - 1;
    ExportNotification(esExportStart, -1);
    for (int r = R.Top; r <= R.Bottom; ++r) ExportNotification(sel ? esExportSelRow : esExportNewRow, r);
    QString out;
    QString text;
    for (int r = R.Top; r <= R.Bottom; ++r) {
        if (skipRows && !RowSelect(r)) continue;
        ExportNotification(esExportNewRow, r);
        for (int c = R.Left; c <= R.Right; ++c) {
            if (skipCols && !ColSelect(c)) continue;
            SaveCellText(RealColIndex(c), r, text);
            if (text.startsWith(QLatin1String("|\\"))) text = DecodeWideText(text);
            if (!Navigation()->CopyHTMLTagsToClipboard() && text.contains(QLatin1String("</")))
                text = StrippedCells(RealColIndex(c), r);
            out += EncodeClipField(text, ExcelClipboardFormat());
            if (c != R.Right) out += u'\t';
        }
        if (R.Top < R.Bottom) out += QLatin1String("\r\n");
    }
    ExportNotification(esExportDone, -1);
    return out;
}

void TAdvStringGrid::CopyRectToClipboard(const TGridRect& R, bool Disjunct)
{
    const QString text = ClipTextOf(R, Disjunct);
    // The private format is made before the clipboard opens: a rectangle
    // that cannot be streamed leaves the clipboard as it was.
    const bool fmt = Navigation()->AllowFmtClipboard() && R.Left <= R.Right && R.Top <= R.Bottom;
    const QByteArray cells = fmt ? BinStreamOfRect(R) : QByteArray();
    TClipboard& clip = Clipboard();
    clip.Open();
    clip.SetAsText(text);
    if (Navigation()->AllowRTFClipboard() && R.Left <= R.Right && R.Top <= R.Bottom) {
        const QString top = Cells(RealColIndex(R.Left), R.Top);
        if (top.contains(QLatin1String("{\\"))) clip.SetData(CF_RTF(), RichTextBlock(top));
    }
    if (fmt) clip.SetData(GridClipboardFormat(), cells);
    clip.Close();
    FClipOperation = coCopy;
}

TGridRect TAdvStringGrid::SaveRange() const
{
    return TGridRect{SaveStartCol(), SaveStartRow(), SaveEndCol(), SaveEndRow()};
}

void TAdvStringGrid::CopyToClipBoard() { CopyRectToClipboard(SaveRange(), false); }

void TAdvStringGrid::CopySelectionToClipboard()
{
    const TGridRect S = ClipWidenedSelection(this);
    const bool fmt = Navigation()->AllowFmtClipboard();
    if (MouseActions()->DisjunctRowSelect() && !fmt)
        CopyRectToClipboard(TGridRect{FixedCols(), SaveStartRow(), ColCount() - FixedRightCols() - 1, SaveEndRow()}, true);
    else if (MouseActions()->DisjunctColSelect() && !fmt)
        CopyRectToClipboard(SaveRange(), true);
    else
        CopyRectToClipboard(S, false);
}

void TAdvStringGrid::CutToClipboard()
{
    const TGridRect R = SaveRange();
    CopyRectToClipboard(R, false);
    for (int r = R.Top; r <= R.Bottom; ++r) {
        for (int c = R.Left; c <= R.Right; ++c)
            if (PasteEditable(this, c, r, true)) SetCells(RealColIndex(c), r, QString());
        if (ShowModifiedEnabled()) SetRowModified(r, true);
    }
    FClipOperation = coCut;
}

void TAdvStringGrid::CutSelectionToClipboard()
{
    const TGridRect before = Normalized(Selection());
    CopySelectionToClipboard();
    const TGridRect S = Normalized(Selection());
    if (MouseActions()->DisjunctRowSelect()) {
        for (int r = RowCount() - 1; r >= FixedRows(); --r)
            if (RowSelect(r)) {
                ClearRows(r, 1);
                if (ShowModifiedEnabled()) SetRowModified(r, true);
            }
    } else if (MouseActions()->DisjunctColSelect()) {
        for (int c = ColCount() - 1; c >= FixedCols(); --c)
            if (ColSelect(c)) ClearCols(c, 1);
    } else {
        TAdvGridUndoRedo* undo = UndoRedo();
        if (undo) undo->StartSequence();
        for (int r = S.Top; r <= S.Bottom; ++r) {
            for (int c = S.Left; c <= S.Right; ++c) {
                if (!PasteEditable(this, c, r, true)) continue;
                const int rc = RealColIndex(c);
                if (undo) undo->RegisterChange(rc, r, Cells(rc, r), QString());
                SetCells(rc, r, QString());
            }
            if (ShowModifiedEnabled()) SetRowModified(r, true);
        }
        if (undo) undo->StopSequence();
        if (Navigation()->AllowFmtClipboard()) FreeCellPropertiesRange(S.Left, S.Top, S.Right, S.Bottom);
    }
    FClipOperation = coCut;
    if (OnCellsChanged) OnCellsChanged(this, before);
    if (NumHiddenColumns() > 0) Invalidate();
}

void TAdvStringGrid::CopyToClipBoardAsHTML()
{
    // No folder: cell pictures go below the program folder.
    QString html = SaveToHTMLString(QString());
    MakeClipboardHTML(html);
    // Linux programs read text/html as a page: the header lines, which only
    // say where the page starts, are left off.
    const int start = html.indexOf(QLatin1String("<!DOCTYPE"));
    TClipboard& clip = Clipboard();
    clip.Open();
    clip.SetAsText(html);
    clip.SetData(CF_HTMLFormat(), UnicodeToAnsi(html.mid(std::max(0, start))));
    clip.Close();
}

QString TAdvStringGrid::SelectionAsText() { return ClipTextOf(Normalized(Selection()), false); }

void TAdvStringGrid::SetSelectionAsText(const QString& Value)
{
    const TGridRect S = Normalized(Selection());
    const int c0 = S.Left;
    int c = c0, r = S.Top;
    int lastC = c0, lastR = r;
    const QStringList lines = SplitClipLines(Value);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QStringList fields = lines[i].split(u'\t');
        for (const QString& f : fields) {
            // One past the end grows the grid first, so that nothing is
            // stored outside it.
            if (c == ColCount() && c < GridImportLimits::MaxCols) SetColCount(c + 1);
            if (c < ColCount() && r < RowCount()) {
                SetGridCells(RealColIndex(c), r, DecodeClipField(f));
                lastC = c;
                lastR = r;
            }
            ++c;
        }
        if (i + 1 < lines.size()) {
            ++r;
            const int limit = RowCount() - (FooterVisible() && FooterFixedLastRow() ? 1 : 0);
            if (r >= limit) SetRowCount(RowCount() + 1);
        }
        c = c0;
    }
    CellsChanged(TGridRect{RealColIndex(c0), S.Top, RealColIndex(lastC), lastR});
}

void TAdvStringGrid::TextBlockSize(const QString& Text, int& Cols, int& ExtraRows)
{
    ClipTextBlockSize(Text, Cols, ExtraRows);
}

// ---- pasting ------------------------------------------------------------------------------

void TAdvStringGrid::PasteCell(int ACol, int ARow, const QString& Value)
{
    const int c = RealColIndex(ACol);
    if (TAdvGridUndoRedo* undo = UndoRedo()) undo->RegisterChange(c, ARow, Cells(c, ARow), Value);
    if (IsCheckBoxCell(this, c, ARow)) {
        GetCellGraphic(c, ARow)->SetCellBoolean(Value == CheckTrue());
        RepaintDisplayedCell(c, ARow);
    } else {
        SetCells(c, ARow, Value);
    }
    if (c != ACol) RepaintDisplayedCell(c, ARow);
}

void TAdvStringGrid::CellsPasted(TPoint SourceTopLeft, const TGridRect& TargetRect, TClipOperation Operation)
{
    (void)SourceTopLeft;
    (void)Operation;
    if (!ShowModifiedEnabled()) return;
    for (int r = TargetRect.Top; r <= TargetRect.Bottom && r < RowCount(); ++r) SetRowModified(r, true);
}

bool TAdvStringGrid::FmtClipboardAllowed() { return Navigation()->AllowFmtClipboard(); }

// One field through the events and PasteCell; false when refused.
bool TAdvStringGrid::PasteOneCell(int ACol, int ARow, QString Value, bool Events)
{
    bool allow = true;
    const bool wide = Value.startsWith(QLatin1String("|\\"));
    if (Events) {
        if (wide && OnClipboardBeforePasteWideCell) {
            QString decoded = DecodeWideText(Value);
            OnClipboardBeforePasteWideCell(this, ACol, ARow, allow, decoded);
            Value = EncodeWideText(decoded);
        } else if (!wide && OnClipboardBeforePasteCell) {
            OnClipboardBeforePasteCell(this, ACol, ARow, allow, Value);
        }
    }
    if (!allow) return false;
    PasteCell(ACol, ARow, Value);
    if (Events) {
        if (wide && OnClipboardAfterPasteWideCell)
            OnClipboardAfterPasteWideCell(this, ACol, ARow, DecodeWideText(Value));
        else if (!wide && OnClipboardAfterPasteCell)
            OnClipboardAfterPasteCell(this, ACol, ARow, Value);
    }
    return true;
}

void TAdvStringGrid::PasteTextAt(int ACol, int ARow, const QString& Text, TPasteCount& Count)
{
    Count = TPasteCount();
    if (ACol < 0 || ARow < 0) return;
    TNavigation* nav = Navigation();
    if (!Options().Contains(goEditing) && !nav->AllowClipboardAlways() && !MouseActions()->RangeSelectAndEdit()) return;
    TAdvGridUndoRedo* undo = UndoRedo();
    if (undo) undo->StartSequence();
    int r = ARow, c = ACol;
    int lastC = ACol, lastR = ARow;
    const QStringList lines = SplitClipLines(Text);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString& line = lines[i];
        const bool moreText = i + 1 < lines.size();
        ++Count.L;
        ImportNotification(FPasteAll ? isImportNewRow : isImportSelRow, r);
        if (nav->ClipboardPasteAction() == paInsert && !line.isEmpty() && r <= RowCount()) InsertRows(r, 1);
        Count.F = 1;
        const QStringList fields = line.split(u'\t');
        for (qsizetype k = 0; k < fields.size(); ++k) {
            const bool last = k + 1 == fields.size();
            if (!last) ++Count.F;
            ++Count.N;
            const QString field = DecodeClipField(fields[k]);
            if (last && field.isEmpty() && !moreText) break;
            if (c >= ColCount() && nav->AllowClipboardColGrow() && c < GridImportLimits::MaxCols) SetColCount(c + 1);
            if (c < ColCount() && r < RowCount() && PasteEditable(this, c, r, true)) {
                if (PasteOneCell(c, r, field, true)) {
                    lastC = std::max(lastC, c);
                    lastR = std::max(lastR, r);
                }
            }
            ++c;
        }
        c = ACol;
        if (moreText) {
            ++r;
            const int limit = RowCount() - (FooterVisible() && FooterFixedLastRow() ? 1 : 0);
            if (r >= limit && nav->AllowClipboardRowGrow() && r < GridImportLimits::MaxRows) SetRowCount(RowCount() + 1);
        }
    }
    if (undo) undo->StopSequence();
    const TGridRect target{ACol, ARow, lastC, lastR};
    CellsPasted(FClipTopLeft, target, FClipOperation);
    CellsChanged(TGridRect{RealColIndex(ACol), ARow, RealColIndex(lastC), lastR});
}

void TAdvStringGrid::PasteAt(int ACol, int ARow, TPasteCount& Count)
{
    Count = TPasteCount();
    TClipboard& clip = Clipboard();
    if (FmtClipboardAllowed() && clip.HasFormat(GridClipboardFormat())) {
        PasteCellsBlock(ACol, ARow, clip.GetData(GridClipboardFormat()), Count);
        return;
    }
    if (Navigation()->AllowRTFClipboard() && clip.HasFormat(CF_RTF())) {
        const QString rtf = RichTextOfBlock(clip.GetData(CF_RTF()));
        if (PasteEditable(this, ACol, ARow, false)) PasteCell(ACol, ARow, rtf);
        Count.L = Count.F = 1;
        return;
    }
    if (clip.HasFormat(CF_UNICODETEXT)) PasteTextAt(ACol, ARow, clip.AsText(), Count);
}

void TAdvStringGrid::PasteCellsBlock(int ACol, int ARow, QByteArray Block, TPasteCount& Count)
{
    // The whole block is checked before the grid grows or rows go in.
    const TGridStreamHeader h = ReadGridStreamImage(Block).Header;
    TNavigation* nav = Navigation();
    PasteBegin();
    if (nav->AllowClipboardColGrow() && h.ColCount + ACol >= ColCount())
        SetColCount(std::min(h.ColCount + ACol, GridImportLimits::MaxCols));
    if (nav->AllowClipboardRowGrow() && h.RowCount + ARow >= RowCount())
        SetRowCount(std::min(h.RowCount + ARow, GridImportLimits::MaxRows));
    if (nav->AllowClipboardColGrow() || nav->AllowClipboardRowGrow() || nav->ClipboardPasteAction() == paInsert) {
        Count.L = RowCount();
        Count.F = ColCount();
    }
    if (nav->ClipboardPasteAction() == paInsert && h.RowCount > 0) InsertRows(ARow, h.RowCount);
    QBuffer buffer(&Block);
    buffer.open(QIODevice::ReadOnly);
    LoadAtPointFromBinStream(TPoint(ACol, ARow), &buffer);
    const TGridRect target{ACol, ARow, ACol + h.ColCount - 1, ARow + h.RowCount - 1};
    CellsPasted(h.ID == StreamID() ? FClipTopLeft : TPoint(-1, -1), target, FClipOperation);
    Count.N = h.ColCount * h.RowCount;
    PasteEnd();
}

void TAdvStringGrid::PasteFromClipboard()
{
    ImportNotification(isImportStart, -1);
    FPasteAll = true;
    TPasteCount count;
    PasteAt(SaveStartCol(), SaveStartRow(), count);
    ImportNotification(isImportDone, -1);
    CellsLoaded();
}

namespace {

// The value of a series at step i, or false when it ends.
struct TSeries {
    enum Kind { None, Date, Decimal, Integer } kind = None;
    bool asDate = true;
    double v1 = 0, step = 0;
    int yd = 0, md = 0, dd = 0;
};

bool LooksLikeDate(const QString& s, QChar dateSep)
{
    return s.size() > 1 && s.indexOf(dateSep, 1) > 0 && s.indexOf(dateSep, s.indexOf(dateSep, 1) + 1) > 0;
}

TSeries SeriesOf(const QString& v1, const QString& v2)
{
    TSeries s;
    const QChar ds = LocaleDateSeparator();
    const QChar ts = LocaleTimeSeparator();
    if ((LooksLikeDate(v1, ds) && LooksLikeDate(v2, ds)) || v1.contains(ts) || v2.contains(ts)) {
        TDateTime a = 0, b = 0;
        if (!TryStrToDateTime(v1, a) || !TryStrToDateTime(v2, b)) return s;
        int y1, m1, d1, y2, m2, d2;
        DecodeDate(a, y1, m1, d1);
        DecodeDate(b, y2, m2, d2);
        s.kind = TSeries::Date;
        s.asDate = v1.contains(ds);
        s.v1 = a;
        s.step = b - a;
        s.yd = y2 - y1;
        s.md = m2 - m1;
        s.dd = d2 - d1;
        return s;
    }
    const QChar dec = LocaleDecimalSeparator();
    if (v1.contains(dec) || v2.contains(dec)) {
        double a = 0, b = 0;
        if (!TryStrToFloat(v1, a) || !TryStrToFloat(v2, b)) return s;
        s.kind = TSeries::Decimal;
        s.v1 = a;
        s.step = b - a;
        return s;
    }
    int a = 0, b = 0;
    if (TryStrToInt(v1, a) && TryStrToInt(v2, b)) {
        s.kind = TSeries::Integer;
        s.v1 = a;
        s.step = double(b) - a;
    }
    return s;
}

}  // namespace

void TAdvStringGrid::PasteSelectionFromClipboard()
{
    ImportNotification(isImportStart, -1);
    FPasteAll = false;
    const TGridRect S = ClipWidenedSelection(this);
    TPasteCount count;
    PasteAt(Options().Contains(goRowSelect) ? FixedCols() : S.Left, S.Top, count);
    const int cells = (S.Right - S.Left + 1) * (S.Bottom - S.Top + 1);
    if (!Navigation()->AllowSmartClipboard() || cells == count.N - 1) return;
    PasteBegin();
    const bool oneCol = S.Left == S.Right;
    const bool oneRow = S.Top == S.Bottom;
    if (count.N == 1 && cells > 1) {
        const int tc = RealColIndex(S.Left);
        QString value = Cells(tc, S.Top);
        if (IsCheckBoxCell(this, tc, S.Top))
            value = GetCellGraphic(tc, S.Top)->CellBoolean() ? CheckTrue() : CheckFalse();
        for (int c = S.Left; c <= S.Right; ++c)
            for (int r = S.Top; r <= S.Bottom; ++r) {
                if (!PasteEditable(this, c, r, true)) continue;
                const bool topLeft = c == S.Left && r == S.Top;
                if (PasteOneCell(c, r, value, !topLeft))
                    CellsPasted(TPoint(S.Left, S.Top), TGridRect{c, r, c, r}, coCopy);
            }
    }
    PasteEnd();
    bool repeatLines = true;
    if (count.N > 1 && (oneCol || oneRow) && cells > 1) {
        const QString v1 = Cells(RealColIndex(S.Left), S.Top);
        const QString v2 = oneCol ? Cells(RealColIndex(S.Left), S.Top + 1) : Cells(RealColIndex(S.Left + 1), S.Top);
        const TSeries series = SeriesOf(v1, v2);
        if (series.kind != TSeries::None) {
            double value = series.v1;
            try {
                for (int c = S.Left; c <= S.Right; ++c)
                    for (int r = S.Top; r <= S.Bottom; ++r) {
                        QString text;
                        switch (series.kind) {
                        case TSeries::Date: text = series.asDate ? DateToStr(value) : TimeToStr(value); break;
                        case TSeries::Decimal: text = Format(FloatFormat(), {value}); break;
                        default: text = QString::number(qint64(std::llround(value))); break;
                        }
                        if (PasteEditable(this, c, r, false)) {
                            const bool topLeft = c == S.Left && r == S.Top;
                            if (PasteOneCell(c, r, text, !topLeft))
                                CellsPasted(TPoint(S.Left, S.Top), TGridRect{c, r, c, r}, coCopy);
                        }
                        if (series.kind == TSeries::Date) {
                            const bool onlyY = series.yd != 0 && series.md == 0 && series.dd == 0;
                            const bool onlyM = series.md != 0 && series.yd == 0 && series.dd == 0;
                            const bool onlyD = series.dd != 0 && series.yd == 0 && series.md == 0;
                            if (onlyY || onlyM || onlyD)
                                value = IncDatePart(int16_t(series.yd), int16_t(series.md), int16_t(series.dd), value, 0);
                            else
                                value += series.step;
                        } else {
                            value += series.step;
                        }
                    }
            } catch (const EConvertError&) {
                // A date that cannot be formed ends the series.
            }
            CellsChanged(S);
            return;
        }
        // The pasted block repeated over the rest of the selection.
        const int n = count.N - 1;
        if (n > 0) {
            if (oneCol)
                for (int r = S.Top + n; r <= S.Bottom; ++r) {
                    if (PasteEditable(this, S.Left, r, true))
                        PasteOneCell(S.Left, r, Cells(RealColIndex(S.Left), r - n), true);
                }
            else
                for (int c = S.Left + n; c <= S.Right; ++c) {
                    if (PasteEditable(this, c, S.Top, true))
                        PasteOneCell(c, S.Top, Cells(RealColIndex(c - n), S.Top), true);
                }
            CellsPasted(TPoint(S.Left, S.Top), S, coCopy);
        }
        repeatLines = false;
    }
    if (repeatLines && !oneCol && !oneRow) {
        if (count.L == 1)
            for (int r = S.Top + 1; r <= S.Bottom; ++r) {
                TPasteCount again;
                PasteAt(S.Left, r, again);
            }
        if (count.F == 1)
            for (int c = S.Left + 1; c <= S.Right; ++c) {
                TPasteCount again;
                PasteAt(c, S.Top, again);
            }
        SetSelection(S);
    }
    ImportNotification(isImportDone, -1);
    CellsChanged(S);
    CellsLoaded();
}

// ---- keys -------------------------------------------------------------------------------

bool TAdvStringGrid::ClipboardShortCut(Word Key, TShiftState Shift)
{
    if (!Navigation()->AllowClipboardShortCuts()) return false;
    const bool ctrl = Shift.Contains(ssCtrl);
    const bool shift = Shift.Contains(ssShift);
    void (TAdvStringGrid::*op)() = nullptr;
    if ((ctrl && Key == Word('C')) || (ctrl && Key == VK_INSERT))
        op = &TAdvStringGrid::CopySelectionToClipboard;
    else if ((ctrl && Key == Word('X')) || (shift && Key == VK_DELETE))
        op = &TAdvStringGrid::CutSelectionToClipboard;
    else if ((ctrl && Key == Word('V')) || (shift && Key == VK_INSERT))
        op = &TAdvStringGrid::PasteSelectionFromClipboard;
    if (!op) return false;
    try {
        (this->*op)();
    } catch (const std::exception& e) {
        ReportEventException(e);
    }
    return true;
}
