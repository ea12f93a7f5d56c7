// The string grid's XML export and import.
#include "AdvGrid.h"
#include "AdvGridFilesKit.h"
#include "AdvGridReaders.h"

#include "ClassesLists.h"
#include "Files.h"

#include <algorithm>
#include <vector>

namespace {

// Fixed English messages of this unit.
const char* const kCannotCreate = "Cannot Create file ";
const char* const kXmlNotFound = "XML file not found";
const char* const kParseError = "XMLDOM Parsing error %1 on line %2";

}  // namespace

void TAdvStringGrid::SaveToXML(const QString& FileName, const QString& ListDescr, const QString& RecordDescr,
                               TStrings* FieldDescr, bool ExportEmptyCells)
{
    const TXmlCharset charset = XmlCharsetOf(XMLEncoding());
    const int h = SavedHiddenCols(this);
    TFileProgress progress(this);
    QString out;
    out += QStringLiteral("<?xml version=\"1.0\" encoding=\"%1\" ?>\r\n").arg(XMLEncoding());
    out += u'<' + ListDescr + QLatin1String(">\r\n");
    ExportNotification(esExportStart, SaveStartRow());
    QString text;
    for (int r = SaveStartRow(); r <= SaveEndRow(); ++r) {
        ExportNotification(esExportNextRow, r);
        out += u'<' + RecordDescr + QLatin1String(">\r\n");
        for (int c = SaveStartCol(); c <= SaveEndCol() + h; ++c) {
            const int tc = SavedTextCol(this, c);
            if (TCellProperties* p = HasCellProperties(tc, r) ? GetCellProperties(tc, r) : nullptr;
                p && !p->IsBaseCell())
                continue;
            SaveCellText(tc, r, text);
            if (text.isEmpty() && !ExportEmptyCells) continue;
            if (text.isEmpty() && QuoteEmptyCells()) text = QStringLiteral("\"\"");
            const int i = c - SaveStartCol();
            const QString field = FieldDescr && i < FieldDescr->Count() ? FieldDescr->Strings(i)
                                                                        : QStringLiteral("FIELD%1").arg(i);
            out += u'<' + field + u'>' + XmlEscapeText(text, charset) + QLatin1String("</") + field +
                   QLatin1String(">\r\n");
        }
        out += QLatin1String("</") + RecordDescr + QLatin1String(">\r\n");
        progress.Report(r, std::max(1, SaveEndRow() - SaveStartRow()));
    }
    out += QLatin1String("</") + ListDescr + QLatin1String(">\r\n");
    ExportNotification(esExportDone, -1);
    if (!SafeWriteFile(FileName, XmlEncodeBytes(out, charset)))
        throw EAdvGridError(QString::fromLatin1(kCannotCreate) + FileName);
}

void TAdvStringGrid::LoadFromXML(const QString& FileName, bool LevelToRow, bool LoadFieldDescr)
{
    if (!FileExists(FileName)) throw Exception(QString::fromLatin1(kXmlNotFound));
    const QByteArray bytes = ReadFileBytes(FileName, TReadKind::GridImport);
    TXmlWalkSink sink;
    sink.FixedSaved = SaveFixedCells() || SaveFixedRows();
    sink.LoadFieldDescr = LoadFieldDescr;
    sink.LevelToRow = LevelToRow;
    sink.QuoteEmptyCells = QuoteEmptyCells();
    sink.ColOffset = SaveStartCol();
    sink.RowOffset = !sink.FixedSaved || LoadFieldDescr ? FixedRows() : 0;
    int mc = sink.ColOffset, mr = sink.RowOffset;
    sink.Grow = [&](int c, int r) {
        if (c < 0 || r < 0 || c >= GridImportLimits::MaxCols || r >= GridImportLimits::MaxRows) return false;
        if (c >= ColCount()) SetColCount(c + 1);
        if (r >= RowCount()) SetRowCount(r + 1);
        mc = std::max(mc, c);
        mr = std::max(mr, r);
        return true;
    };
    sink.Header = [&](int c, const QString& name) {
        if (Cells(c, 0).isEmpty()) LoadCellText(c, 0, name);
    };
    sink.Load = [&](int c, int r, const QString& text) { LoadCellText(c, r, text); };
    sink.Clear = [&](int c, int r) {
        if (c >= 0 && r >= 0 && c < ColCount() && r < RowCount()) LoadCellText(c, r, QString());
    };
    int code = 0, line = 0;
    // A parse error raises before any cell changes.
    if (!WalkXmlRecords(bytes, sink, code, line))
        throw Exception(QString::fromLatin1(kParseError).arg(code).arg(line));
    SetColCount(mc + 1);
    SetRowCount(mr + 1);
    CellsLoaded();
}
