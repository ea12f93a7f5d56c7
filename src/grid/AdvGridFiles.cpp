// The string grid's save range, cell-text hooks, the text cell file and
// stream, fixed-width files and aligned text listings.
#include "AdvGrid.h"
#include "AdvGridFilesKit.h"
#include "AdvGridReaders.h"

#include "AdvUtil.h"
#include "AsgHTMLEText.h"
#include "Files.h"
#include "Forms.h"
#include "RichText.h"
#include "SysFormat.h"
#include "TextFiles.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QIODevice>
#include <algorithm>

namespace {

// Fixed English messages of this unit.
const char* const kCorruptFile = "File contains no data or corrupt file ";
const char* const kCannotCreate = "Cannot Create file ";
const char* const kFileNotFound = "File %1 not found";
const char* const kConvertAt = "Error at position: %1 in Cell [%2, %3].";

bool IsCheckBoxType(TCellType t)
{
    return t == ctCheckBox || t == ctDataCheckBox || t == ctVirtCheckBox || t == ctRowCheckBox ||
           t == ctTriStateCheckBox;
}

// Pending paints and timers run during a long load, at most every 100 ms;
// user input waits until the load ends.
class TLoadPacer {
public:
    TLoadPacer() { FClock.start(); }
    void Tick()
    {
        if (FClock.elapsed() < 100) return;
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        FClock.restart();
    }

private:
    QElapsedTimer FClock;
};

}  // namespace

void RaiseGridWriteError(const QString& FileName, const QString& Reason) { RaiseFileCreateError(FileName, Reason); }

// ---- save range ----------------------------------------------------------------

int TAdvStringGrid::SaveStartCol() const { return SaveFixedCells() || SaveFixedCols() ? 0 : FixedCols(); }
int TAdvStringGrid::SaveStartRow() const { return SaveFixedCells() || SaveFixedRows() ? 0 : FixedRows(); }

int TAdvStringGrid::SaveEndCol() const
{
    return SaveFixedCells() || SaveFixedCols() ? ColCount() - 1 : ColCount() - FixedRightCols() - 1;
}

int TAdvStringGrid::SaveEndRow() const
{
    return SaveFixedCells() || SaveFixedRows() ? RowCount() - 1 : RowCount() - FixedFooters() - 1;
}

// ---- cell texts ------------------------------------------------------------------

void TAdvStringGrid::SaveCellText(int ACol, int ARow, QString& Value)
{
    Value = SaveVirtCells() ? Cells(ACol, ARow) : GridCells(ACol, ARow);
    if (Value.isEmpty()) {
        if (TCellGraphic* g = GetCellGraphic(ACol, ARow); g && IsCheckBoxType(g->CellType())) {
            const bool checked = g->CellBoolean() && !(g->CellType() == ctTriStateCheckBox && g->Greyed());
            Value = checked ? CheckTrue() : CheckFalse();
        }
    } else {
        switch (GetTextType(Value, true)) {
        case 1:
            if (!SaveWithHTML()) Value = HTMLStrip(Value);
            break;
        case 2:
            // Rich text goes out as its source on one line, or as what it reads.
            if (SaveWithRTF())
                Value.remove(u'\r').remove(u'\n');
            else
                Value = RichTextToPlain(Value);
            break;
        default: break;
        }
    }
    if (OnSaveCell) OnSaveCell(this, ACol, ARow, Value);
}

void TAdvStringGrid::LoadCellText(int ACol, int ARow, const QString& Value)
{
    if (OnLoadCell) {
        QString v = Value;
        OnLoadCell(this, ACol, ARow, v);
        SetGridCells(ACol, ARow, v);
        return;
    }
    SetGridCells(ACol, ARow, Value);
}

TGridRect TAdvStringGrid::GetUsedCells()
{
    TGridRect r{-1, -1, -1, -1};
    const int cols = TotalColCount();
    for (int row = 0; row < RowCount(); ++row)
        for (int c = 0; c < cols; ++c) {
            if (Cells(c, row).isEmpty()) continue;
            if (r.Left < 0) {
                r = TGridRect{c, row, c, row};
                continue;
            }
            r.Left = std::min(r.Left, c);
            r.Right = std::max(r.Right, c);
            r.Bottom = row;
        }
    return r.Left < 0 ? TGridRect{0, 0, 0, 0} : r;
}

double TAdvStringGrid::CellToReal(int ACol, int ARow)
{
    const QString text = Cells(ACol, ARow);
    if (text.isEmpty()) return 0;
    const QString number = ExtractNumberText(text);
    bool ok = false;
    const double v = number.toDouble(&ok);
    if (ok) return v;
    // Where the conversion stops: after the longest prefix that reads.
    qsizetype good = 0;
    for (qsizetype n = number.size() - 1; n > 0 && good == 0; --n)
        if (number.left(n).toDouble(&ok), ok) good = n;
    throw EAdvGridError(QString::fromLatin1(kConvertAt).arg(good + 1).arg(ACol).arg(ARow));
}

// ---- text cell file ---------------------------------------------------------------

void TAdvStringGrid::SaveToFile(const QString& FileName, bool Unicode)
{
    const int h = SavedHiddenCols(this);
    TFileProgress progress(this);
    QString out;
    out += QStringLiteral("%1,%2\r\n").arg(SaveColCount() + h).arg(SaveRowCount());
    for (int c = SaveStartCol(); c <= SaveEndCol() + h; ++c) {
        const int w = c < ColCount() ? ColWidths(c) : (c < TotalColCount() ? AllColWidths(c) : DefaultColWidth());
        out += QStringLiteral("cw %1,%2\r\n").arg(c).arg(w);
    }
    QString text;
    for (int r = SaveStartRow(); r <= SaveEndRow(); ++r) {
        for (int c = SaveStartCol(); c <= SaveEndCol() + h; ++c) {
            SaveCellText(c, r, text);
            if (text.isEmpty()) continue;
            out += QStringLiteral("%1,%2,").arg(c).arg(r);
            out += EncodeLineBreaks(text);
            out += QLatin1String("\r\n");
        }
        progress.Report(r, std::max(1, SaveRowCount() - 1));
    }
    const TWriteResult w =
        WriteTextFile(FileName, out, Unicode ? TTextEncoding::Utf16LeBom : TTextEncoding::Ansi);
    if (!w) RaiseGridWriteError(FileName, w.Error);
}

void TAdvStringGrid::LoadFromFile(const QString& FileName)
{
    const TDecodedText decoded = ReadTextFile(FileName);
    TTextCellData data;
    const int x = SaveFixedCells() || SaveFixedCols() ? 0 : FixedCols();
    const int y = SaveFixedCells() || SaveFixedRows() ? 0 : FixedRows();
    if (!ReadTextCellFile(SplitLines(decoded.Text), MultilineCells(), data) || x + data.Cols < 1 ||
        y + data.Rows < 1 || x + data.Cols > GridImportLimits::MaxCols || y + data.Rows > GridImportLimits::MaxRows)
        throw EAdvGridError(QString::fromLatin1(kCorruptFile) + FileName);
    SetColCount(x + data.Cols);
    SetRowCount(y + data.Rows);
    for (const TTextCellWidth& w : data.Widths)
        if (w.Col >= 0 && w.Col < ColCount()) SetColWidths(w.Col, w.Width);
    TFileProgress progress(this);
    TLoadPacer pacer;
    for (const TTextCell& cell : data.Cells) {
        if (cell.Col >= 0 && cell.Row >= 0 && cell.Col < ColCount() && cell.Row < RowCount())
            LoadCellText(cell.Col, cell.Row, cell.Text);
        progress.Report(cell.Row, std::max(1, RowCount() - 1));
        pacer.Tick();
    }
    CellsChanged(TGridRect{0, 0, ColCount(), RowCount()});
    CellsLoaded();
}

// ---- text cell stream ---------------------------------------------------------------

void TAdvStringGrid::SaveToStream(QIODevice* Stream)
{
    QByteArray out;
    AppendStreamLine(out, QStringLiteral("%1,%2").arg(SaveColCount()).arg(SaveRowCount()));
    for (int c = 0; c < ColCount(); ++c) AppendStreamLine(out, QStringLiteral("cw %1,%2").arg(c).arg(ColWidths(c)));
    QString text;
    for (int r = SaveStartRow(); r <= SaveEndRow(); ++r)
        for (int c = SaveStartCol(); c <= SaveEndCol(); ++c) {
            SaveCellText(c, r, text);
            if (text.isEmpty()) continue;
            AppendStreamLine(out, QStringLiteral("%1,%2,").arg(c - SaveStartCol()).arg(r - SaveStartRow()) +
                                      EncodeLineBreaks(text));
        }
    if (Stream->write(out) != out.size()) throw EStreamError(Stream->errorString());
}

void TAdvStringGrid::LoadFromStream(QIODevice* Stream)
{
    const qint64 start = Stream->pos();
    const QByteArray bytes = Stream->peek(Stream->bytesAvailable());
    TTextCellData data;
    qsizetype consumed = 0;
    QString error;
    if (!ReadTextCellStream(bytes, MultilineCells(), data, consumed, error)) throw EConvertError(error);
    const int sc = SaveStartCol();
    const int sr = SaveStartRow();
    if (data.HasHeader) {
        if (data.Cols + sc < 1 || data.Rows + sr < 1 || data.Cols + sc > GridImportLimits::MaxCols ||
            data.Rows + sr > GridImportLimits::MaxRows)
            throw EConvertError(QStringLiteral("Invalid stream format"));
        SetColCount(data.Cols + sc);
        SetRowCount(data.Rows + sr);
    }
    Stream->seek(start + consumed);
    for (const TTextCellWidth& w : data.Widths)
        if (w.Col >= 0 && w.Col < ColCount()) SetColWidths(w.Col, w.Width);
    for (const TTextCell& cell : data.Cells) {
        const int c = cell.Col + sc;
        const int r = cell.Row + sr;
        if (c >= 0 && r >= 0 && c < ColCount() && r < RowCount()) LoadCellText(c, r, cell.Text);
    }
    CellsChanged(TGridRect{0, 0, ColCount(), RowCount()});
    CellsLoaded();
}

// ---- fixed width ------------------------------------------------------------------------

namespace {

// The longest line of any exported text of the column.
int LongestLine(TAdvStringGrid* g, int col)
{
    int n = 0;
    QString text;
    for (int r = 0; r < g->RowCount(); ++r) {
        g->SaveCellText(col, r, text);
        for (const QString& line : SplitLines(text)) n = std::max(n, int(line.size()));
    }
    return n;
}

}  // namespace

void TAdvStringGrid::SaveToFixed(const QString& FileName, TIntList* Positions)
{
    const int h = SavedHiddenCols(this);
    const int first = SaveStartCol();
    const int last = SaveEndCol() + h;
    for (int k = first; k <= last; ++k)
        if (Positions->Count() <= k - first) Positions->Add(LongestLine(this, SavedTextCol(this, k)) + 1);
    ExportNotification(esExportStart, SaveStartRow());
    QString out;
    QString text;
    for (int r = SaveStartRow(); r <= SaveEndRow(); ++r) {
        ExportNotification(esExportNextRow, r);
        for (int k = first; k <= last; ++k) {
            SaveCellText(SavedTextCol(this, k), r, text);
            out += FitFixedField(text, Positions->Items(k - first));
        }
        out += QLatin1String("\r\n");
    }
    ExportNotification(esExportDone, -1);
    const TWriteResult w = WriteTextFile(FileName, out, TTextEncoding::Ansi);
    if (!w) throw EAdvGridError(QString::fromLatin1(kCannotCreate) + FileName);
}

void TAdvStringGrid::LoadFromFixed(const QString& FileName, TIntList* Positions, bool DoTrim, int MaxRows)
{
    if (!FileExists(FileName)) throw EAdvGridError(QString::fromLatin1(kFileNotFound).arg(FileName));
    QStringList lines;
    try {
        lines = SplitLines(ReadTextFile(FileName).Text);
    } catch (const EFOpenError&) {
        throw EAdvGridError(QString::fromLatin1(kFileNotFound).arg(FileName));
    }
    const int fields = std::max(0, Positions->Count() - 1);
    if (FixedCols() + fields > GridImportLimits::MaxCols)
        throw EAdvGridError(QString::fromLatin1(kCorruptFile) + FileName);
    SetColCount(std::max(1, FixedCols() + fields));
    Positions->Sort([](int a, int b) { return a < b ? -1 : a > b ? 1 : 0; });
    std::vector<int> pos;
    for (int i = 0; i < Positions->Count(); ++i) pos.push_back(Positions->Items(i));
    int r = SaveStartRow();
    int read = 0;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (r >= RowCount()) SetRowCount(r + 1);
        const QStringList f = SplitFixedLine(lines[i], pos, DoTrim);
        for (int k = 0; k < f.size(); ++k)
            if (SaveStartCol() + k < ColCount()) LoadCellText(SaveStartCol() + k, r, f[k]);
        ++read;
        if (MaxRows != -1 && read >= std::max(1, MaxRows)) break;
        if (r + 1 >= RowCount() && i + 1 < lines.size()) SetRowCount(r + 2);
        ++r;
    }
    CellsChanged(TGridRect{0, 0, ColCount(), RowCount()});
    CellsLoaded();
}

// ---- aligned text ------------------------------------------------------------------------

namespace {

QString AlignIn(const QString& text, int width, TAlignment a)
{
    QString s = text;
    if (a == taRightJustify) {
        if (s.size() < width) s.prepend(QString(width - s.size(), u' '));
    } else if (a == taCenter) {
        while (s.size() < width) s = u' ' + s + u' ';
    }
    return s;
}

void WriteAscii(TAdvStringGrid* g, const QString& FileName, bool Unicode, bool Append)
{
    THourGlass hourglass;
    QStringList lines;
    TTextEncoding enc = Unicode ? TTextEncoding::Utf16LeBom : TTextEncoding::Ansi;
    if (Append && FileExists(FileName)) {
        const TDecodedText old = ReadTextFile(FileName);
        lines = SplitLines(old.Text);
        if (!Unicode) enc = old.Encoding;
    }
    const int h = SavedHiddenCols(g);
    const int c0 = g->SaveFixedCells() || g->SaveFixedCols() ? 0 : g->FixedCols();
    const int r0 = g->SaveFixedCells() || g->SaveFixedRows() ? 0 : g->FixedRows();
    const int c1 = g->ColCount() - 1 + h;
    std::vector<int> widths;
    for (int c = c0; c <= c1; ++c) widths.push_back(LongestLine(g, SavedTextCol(g, c)));
    g->ExportNotification(esExportStart, r0);
    QString text;
    for (int r = r0; r < g->RowCount(); ++r) {
        g->ExportNotification(esExportNextRow, r);
        QString line;
        QStringList more;
        int startPos = 0;
        for (int c = c0; c <= c1; ++c) {
            const int tc = SavedTextCol(g, c);
            const int w = widths[size_t(c - c0)];
            // Aligned as the cell shows on the screen: its own alignment,
            // numbers to the right with AutoNumAlign, the alignment event.
            TAlignment a = taLeftJustify;
            TVAlignment va = vtaTop;
            g->GetCellAlignment(tc, r, a, va);
            g->SaveCellText(tc, r, text);
            QStringList parts = text.split(QStringLiteral("\r\n"));
            QString f = AlignIn(parts.front(), w, a);
            if (f.size() < w + 1) f += QString(w + 1 - f.size(), u' ');
            line += f;
            if (g->MultilineCells())
                for (int i = 1; i < parts.size(); ++i) {
                    if (more.size() < i) more.append(QString());
                    QString& m = more[i - 1];
                    if (m.size() < startPos) m += QString(startPos - m.size(), u' ');
                    m += AlignIn(parts[i], w, a);
                }
            startPos += w + 1;
        }
        lines.append(line);
        lines.append(more);
    }
    g->ExportNotification(esExportDone, -1);
    const TWriteResult w = WriteTextFile(FileName, lines.join(QLatin1String("\r\n")) + QLatin1String("\r\n"), enc);
    if (!w) RaiseGridWriteError(FileName, w.Error);
}

}  // namespace

void TAdvStringGrid::SaveToASCII(const QString& FileName, bool Unicode) { WriteAscii(this, FileName, Unicode, false); }
void TAdvStringGrid::AppendToASCII(const QString& FileName, bool Unicode) { WriteAscii(this, FileName, Unicode, true); }

// ---- passing cells between grids ---------------------------------------------------------

void TAdvStringGrid::AssignCells(TPersistent* Source)
{
    auto* source = dynamic_cast<TAdvStringGrid*>(Source);
    if (!source) return;
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    source->SaveToStream(&buffer);
    buffer.seek(0);
    LoadFromStream(&buffer);
}
