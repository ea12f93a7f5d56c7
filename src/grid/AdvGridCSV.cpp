// The string grid's CSV export and import.
#include "AdvGrid.h"
#include "AdvGridFilesKit.h"
#include "AdvGridReaders.h"

#include "AdvUtil.h"
#include "Files.h"
#include "TextFiles.h"

#include <QIODevice>
#include <algorithm>

namespace {

// Fixed English messages of this unit.
const char* const kFileIsEmpty = "File is empty";

QString CSVText(TAdvStringGrid* g)
{
    const int h = SavedHiddenCols(g);
    TCSVWriteOptions o;
    o.Delimiter = g->Delimiter().isNull() ? QChar(u',') : g->Delimiter();
    o.AlwaysQuotes = g->AlwaysQuotes();
    o.QuoteEmptyCells = g->QuoteEmptyCells();
    o.JavaCSV = g->JavaCSV();
    o.OemConvert = g->OemConvert();
    TFileProgress progress(g);
    QString out;
    QString text;
    g->ExportNotification(esExportStart, g->SaveStartRow());
    for (int r = g->SaveStartRow(); r <= g->SaveEndRow(); ++r) {
        g->ExportNotification(esExportNextRow, r);
        for (int c = g->SaveStartCol(); c <= g->SaveEndCol() + h; ++c) {
            if (c > g->SaveStartCol()) out += o.Delimiter;
            g->SaveCellText(SavedTextCol(g, c), r, text);
            out += QuoteCSVField(text, o);
        }
        out += QLatin1String("\r\n");
        progress.Report(r, std::max(1, g->RowCount() - 1));
    }
    g->ExportNotification(esExportDone, -1);
    return out;
}

void WriteCSV(const QString& FileName, const QString& Text, TTextEncoding Encoding)
{
    const TWriteResult w = WriteTextFile(FileName, Text, Encoding);
    if (!w) RaiseGridWriteError(FileName, w.Error);
}

}  // namespace

void TAdvStringGrid::SaveToCSV(const QString& FileName, bool Unicode)
{
    WriteCSV(FileName, CSVText(this), Unicode ? TTextEncoding::Utf8Bom : TTextEncoding::Ansi);
}

void TAdvStringGrid::AppendToCSV(const QString& FileName, bool Unicode)
{
    const TDecodedText old = ReadTextFile(FileName, TReadKind::GridImport);
    QString text;
    for (const QString& line : SplitLines(old.Text)) text += line + QLatin1String("\r\n");
    text += CSVText(this);
    WriteCSV(FileName, text, Unicode ? TTextEncoding::Utf8Bom : old.Encoding);
}

void TAdvStringGrid::LoadFromCSV(const QString& FileName, int MaxRows)
{
    const QByteArray bytes = ReadFileBytes(FileName, TReadKind::GridImport);
    if (bytes.isEmpty()) return;
    ReadCSVLines(SplitLines(DecodeText(bytes).Text), MaxRows, false);
}

void TAdvStringGrid::InsertFromCSV(const QString& FileName, int MaxRows)
{
    const QByteArray bytes = ReadFileBytes(FileName, TReadKind::GridImport);
    if (bytes.isEmpty()) return;
    ReadCSVLines(SplitLines(DecodeText(bytes).Text), MaxRows, true);
}

void TAdvStringGrid::LoadFromCSVStream(QIODevice* Stream, int MaxRows)
{
    const QByteArray bytes = Stream->readAll();
    if (bytes.isEmpty()) return;
    ReadCSVLines(SplitLines(DecodeText(bytes).Text), MaxRows, false);
}

void TAdvStringGrid::ReadCSVLines(const QStringList& Lines, int MaxRows, bool Insert)
{
    // Everything is checked before the grid changes: a text without lines
    // leaves even the floating footer's row alone.
    if (Lines.isEmpty()) throw Exception(QString::fromLatin1(kFileIsEmpty));
    const int c0 = SaveStartCol();
    int r = Insert ? RowCount() : SaveStartRow();
    const bool keepFooter = Insert && FooterVisible();
    QStringList footer;
    if (keepFooter) {
        const int last = RowCount() - 1;
        for (int c = 0; c < TotalColCount(); ++c) {
            footer.append(GridCells(c, last));
            SetGridCells(c, last, QString());
        }
        r = last;
    }
    QChar delim = Delimiter();
    if (delim.isNull()) delim = GuessCSVDelimiter(Lines[0], Lines.size() > 1 ? Lines[1] : QString());
    const int h = SaveHiddenCells() ? NumHiddenColumns() : 0;
    const int first = LoadFirstRow() ? 0 : 1;
    const qsizetype available = std::max<qsizetype>(0, Lines.size() - first);
    const qsizetype records = MaxRows > 0 ? std::min<qsizetype>(MaxRows, available) : available;
    if (r + records + FixedFooters() > GridImportLimits::MaxRows)
        throw EAdvGridError(QStringLiteral("Invalid stream format"));
    TFileProgress progress(this);
    if (progress.Wanted())
        SetRowCount(int(Insert ? Lines.size() + RowCount() : SaveStartRow() + Lines.size() + FixedFooters()));
    const bool java = JavaCSV();
    int done = 0;
    for (qsizetype i = first; i < Lines.size() && (MaxRows <= 0 || done < MaxRows); ++i) {
        QString line = Lines[i];
        if (OemConvert()) OemToStr(line);
        if (r >= RowCount() - FixedFooters()) SetRowCount(r + 1000);
        const QStringList fields = SplitCSVRecord(line, delim, java);
        const int n = int(std::min<qsizetype>(fields.size(), GridImportLimits::MaxCols - c0 + h));
        if (c0 + n - h > ColCount()) SetColCount(c0 + n - h);
        for (int k = 0; k < n && c0 + k < TotalColCount(); ++k) LoadCellText(c0 + k, r, fields[k]);
        ++r;
        ++done;
        progress.Report(done, double(records));
    }
    // The footer's texts get a row of their own, below the last record.
    SetRowCount(r + FixedFooters() + (keepFooter ? 1 : 0));
    FMaxRowCount = RowCount();
    if (keepFooter)
        for (int c = 0; c < footer.size() && c < TotalColCount(); ++c) SetGridCells(c, RowCount() - 1, footer[c]);
    CellsChanged(TGridRect{0, 0, ColCount(), RowCount()});
    CellsLoaded();
}
