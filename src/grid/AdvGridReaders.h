#pragma once
// The readers and the field writers of the string grid's exchange formats,
// apart from the grid: the text cell file and stream, CSV records and the
// delimiter guess, fixed-width lines and tab-separated clipboard text. They
// see only Qt Core and the text utilities, so that the fuzz build compiles
// them alone. Every reader checks what it reads before the grid changes.

#include <QByteArray>
#include <QChar>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

// What an imported file may declare: more gives "corrupt".
namespace GridImportLimits {
inline constexpr int MaxCols = 65536;
inline constexpr int MaxRows = 16777216;
inline constexpr int MaxExtent = 32767;  // a width or height in pixels
}  // namespace GridImportLimits

// ---- text cell file and stream ----------------------------------------------

struct TTextCell {
    int Col = 0;
    int Row = 0;
    QString Text;  // decoded
};

struct TTextCellWidth {
    int Col = 0;
    int Width = 0;
};

struct TTextCellData {
    bool HasHeader = false;
    int Cols = 0;  // as declared
    int Rows = 0;
    std::vector<TTextCellWidth> Widths;
    std::vector<TTextCell> Cells;
};

// The lines of a text cell file. False (the file is corrupt) for no line, a
// header whose counts do not read or exceed the limits, or a width outside
// 0..MaxExtent. Cell lines whose position does not read are skipped.
bool ReadTextCellFile(const QStringList& Lines, bool MultiLine, TTextCellData& Out);

// A text cell stream from Bytes[0]: UTF-16LE lines ending CR LF. Reading
// stops before the first line that is not a width or cell line; Consumed is
// the byte count up to that line. False with Error for a field that does not
// read as an integer or a count beyond the limits.
bool ReadTextCellStream(const QByteArray& Bytes, bool MultiLine, TTextCellData& Out, qsizetype& Consumed,
                        QString& Error);
// One line of the stream form, CR LF included.
void AppendStreamLine(QByteArray& Out, const QString& Line);

// ---- CSV ----------------------------------------------------------------------

// The delimiter of two first lines: one of , ; # TAB | @ * - + & or QChar(0).
QChar GuessCSVDelimiter(const QString& L1, const QString& L2);

// The fields of one record as the grid reads them, line breaks decoded
// (JavaCSV: "~" and "^"; otherwise vertical tabs). A delimiter of QChar(0)
// makes the line one field. A line ending with the delimiter has no last
// field.
QStringList SplitCSVRecord(const QString& Line, QChar Delimiter, bool JavaCSV);

struct TCSVWriteOptions {
    QChar Delimiter = QLatin1Char(',');
    bool AlwaysQuotes = false;
    bool QuoteEmptyCells = true;
    bool JavaCSV = false;
    bool OemConvert = false;
};
// One written field. Outside JavaCSV every line break becomes a vertical
// tab inside quotes, and a field that starts with a blank is quoted, so that
// the reader gives the cell back.
QString QuoteCSVField(const QString& Text, const TCSVWriteOptions& Options);

// ---- fixed width ----------------------------------------------------------------

// The n - 1 fields between n sorted 1-based positions.
QStringList SplitFixedLine(const QString& Line, const std::vector<int>& SortedPositions, bool DoTrim);
// The text cut or padded with blanks to Width characters.
QString FitFixedField(const QString& Text, int Width);

// ---- tab-separated text ---------------------------------------------------------

// The lines of a text split at CR (an LF right after it belongs to the line
// end); a text ending with a line end has one more, empty, line.
QStringList SplitClipLines(const QString& Text);
// A field of pasted text: one holding an LF loses its enclosing quotes, its
// vertical tabs and lone LFs become CR LF.
QString DecodeClipField(const QString& Field);
// The width (largest field count) and the extra row count of a text.
void ClipTextBlockSize(const QString& Text, int& Cols, int& ExtraRows);
// One cell in the text form: multi-line text quoted with one LF per break
// (ExcelFormat: vertical tabs).
QString EncodeClipField(const QString& Text, bool ExcelFormat);

// ---- XML --------------------------------------------------------------------------

enum class TXmlCharset { Latin1, Utf8, Ascii };
// By the declared name: ISO-8859-1 and UTF-8 in any letter case, else ASCII.
TXmlCharset XmlCharsetOf(const QString& EncodingName);
// The text escaped for an element: & > < " as entities, CR, control
// characters and an all-blank text as character references, characters
// the charset cannot hold as references.
QString XmlEscapeText(const QString& Text, TXmlCharset Charset);
// The bytes of written XML text in the charset.
QByteArray XmlEncodeBytes(const QString& Text, TXmlCharset Charset);

// What the XML import does with each record it walks. The walk computes
// the grid positions (offsets included) and leaves the grid to the sink.
struct TXmlWalkSink {
    int ColOffset = 0, RowOffset = 0;
    bool FixedSaved = false;      // header names go to row 0
    bool LoadFieldDescr = false;  // element names too, not only attribute names
    bool LevelToRow = false;
    bool QuoteEmptyCells = false;
    // Makes (c, r) exist; false when it lies beyond the import limits.
    std::function<bool(int c, int r)> Grow;
    // The header (c, 0) gets the name when it is empty.
    std::function<void(int c, const QString& name)> Header;
    std::function<void(int c, int r, const QString& text)> Load;
    // An empty leaf: the cell is emptied when it exists, the grid not grown.
    std::function<void(int c, int r)> Clear;
};
// Parses an XML document and walks each child of its document element as a
// record. False on a parse error, with the parser's status and the line.
// The walk keeps its own stack, so deep nesting cannot overflow.
bool WalkXmlRecords(const QByteArray& Bytes, const TXmlWalkSink& Sink, int& ErrorCode, int& ErrorLine);
// The text of a read element or attribute: the "$amp;" form of "&" decoded.
QString XmlUnescapeRead(QString Text);
