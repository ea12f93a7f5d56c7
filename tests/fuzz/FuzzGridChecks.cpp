#include "FuzzGridChecks.h"

#include "AdvGridReaders.h"
#include "FuzzChecks.h"
#include "TextFiles.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <string>

namespace {

QByteArray Bytes(const uint8_t* data, size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

// Every line break as CR LF, as the readers give multi-line texts back.
QString CRLFBreaks(const QString& s)
{
    QString r;
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] == u'\r' || s[i] == u'\n') {
            if (s[i] == u'\r' && i + 1 < s.size() && s[i + 1] == u'\n') ++i;
            r += QStringLiteral("\r\n");
        } else {
            r += s[i];
        }
    }
    return r;
}

// Up to eight cells cut from the text at a separator byte.
QStringList CellsOf(const QString& text, char16_t separator)
{
    QStringList cells = text.split(QChar(separator));
    while (cells.size() > 8) cells.removeLast();
    return cells;
}

bool InLimits(const TTextCellData& d)
{
    if (d.Cols < 0 || d.Rows < 0 || d.Cols > GridImportLimits::MaxCols || d.Rows > GridImportLimits::MaxRows)
        return false;
    return std::all_of(d.Widths.begin(), d.Widths.end(),
                       [](const TTextCellWidth& w) { return w.Width >= 0 && w.Width <= GridImportLimits::MaxExtent; });
}

}  // namespace

void CheckTextCellReaders(const uint8_t* data, size_t size)
{
    const QByteArray bytes = Bytes(data, size);
    const QStringList lines = SplitLines(DecodeText(bytes).Text);
    for (const bool multi : {false, true}) {
        TTextCellData d;
        if (ReadTextCellFile(lines, multi, d)) {
            FUZZ_CHECK(d.HasHeader);
            FUZZ_CHECK(InLimits(d));
            FUZZ_CHECK(d.Cells.size() < size_t(lines.size()));
            if (!multi)
                for (const TTextCell& c : d.Cells) FUZZ_CHECK(!c.Text.contains(u'\r'));
        }
        qsizetype consumed = -1;
        QString error;
        if (ReadTextCellStream(bytes, multi, d, consumed, error)) {
            FUZZ_CHECK(InLimits(d));
            FUZZ_CHECK(consumed >= 0 && consumed <= bytes.size() && consumed % 2 == 0);
            // A stop is at the start of a line: after a CR, or its LF.
            if (consumed > 0 && consumed + 1 < bytes.size()) {
                const auto unit = [&](qsizetype i) { return uchar(bytes[2 * i]) | (uchar(bytes[2 * i + 1]) << 8); };
                const qsizetype u = consumed / 2;
                FUZZ_CHECK(unit(u - 1) == u'\r' || (u >= 2 && unit(u - 2) == u'\r'));
            }
        } else {
            FUZZ_CHECK(!error.isEmpty());
        }
    }
}

void CheckCSVReader(const uint8_t* data, size_t size)
{
    const QString text = DecodeText(Bytes(data, size)).Text;
    const QStringList lines = SplitLines(text);
    const QChar guess = lines.isEmpty() ? QChar(0) : GuessCSVDelimiter(lines[0], lines.size() > 1 ? lines[1] : QString());
    const QChar delimiters[] = {guess, u',', u';', u'\t'};
    for (const QChar d : delimiters)
        for (const bool java : {false, true})
            for (const QString& line : lines) {
                const QStringList fields = SplitCSVRecord(line, d, java);
                FUZZ_CHECK(fields.size() <= line.size() + 1);
                if (d.isNull()) FUZZ_CHECK(fields.size() <= 1);
            }

    // The standard dialect's round trip of cells made from the input.
    QString source = text;
    source.remove(QChar(11));
    const QStringList cells = CellsOf(source, u'\x1f');
    QStringList expected;
    for (const QString& c : cells) expected << CRLFBreaks(c);
    for (const QChar d : {QChar(u','), QChar(u';'), QChar(u'\t')})
        for (const bool always : {false, true}) {
            TCSVWriteOptions o;
            o.Delimiter = d;
            o.AlwaysQuotes = always;
            QStringList written;
            for (const QString& c : cells) written << QuoteCSVField(c, o);
            const QString record = written.join(d);
            FUZZ_CHECK(!record.contains(u'\r') && !record.contains(u'\n'));
            if (SplitCSVRecord(record, d, false) != expected)
                FuzzFailure("CSV round trip: " + record.toStdString());
        }
}

void CheckFixedReader(const uint8_t* data, size_t size)
{
    if (size == 0) return;
    const size_t n = std::min<size_t>(data[0] % 8, size - 1);
    std::vector<int> positions;
    for (size_t i = 0; i < n; ++i) positions.push_back(data[1 + i] % 64);
    std::sort(positions.begin(), positions.end());
    const QStringList lines = SplitLines(DecodeText(Bytes(data + 1 + n, size - 1 - n)).Text);
    for (const QString& line : lines)
        for (const bool trim : {false, true}) {
            const QStringList fields = SplitFixedLine(line, positions, trim);
            FUZZ_CHECK(size_t(fields.size()) == (n > 0 ? n - 1 : 0));
            for (qsizetype k = 0; k < fields.size(); ++k)
                FUZZ_CHECK(fields[k].size() <= positions[size_t(k) + 1] - std::max(1, positions[size_t(k)]) + 1);
        }
    for (int w : {0, 1, 5})
        for (const QString& line : lines) FUZZ_CHECK(FitFixedField(line, w).size() == w);
}

void CheckClipText(const uint8_t* data, size_t size)
{
    const QString text = DecodeText(Bytes(data, size)).Text;
    const QStringList lines = SplitClipLines(text);
    FUZZ_CHECK(!lines.isEmpty());
    int cols = 0, extra = 0;
    ClipTextBlockSize(text, cols, extra);
    int widest = 0, nonEmpty = 0;
    for (const QString& line : lines) {
        widest = std::max(widest, int(line.count(u'\t')) + 1);
        if (!line.isEmpty()) ++nonEmpty;
        for (const QString& f : line.split(u'\t')) FUZZ_CHECK(DecodeClipField(f).size() <= 2 * f.size());
    }
    FUZZ_CHECK(cols == widest);
    FUZZ_CHECK(extra == nonEmpty - 1);

    // Cells of letters, digits, blanks and line breaks through the text form.
    QString source;
    for (QChar c : text) {
        const char16_t u = c.unicode();
        source += (u == u'\r' || u == u'\n' || u == u'|') ? c : QChar(u'a' + u % 26);
        if (u % 7 == 0) source += u' ';
    }
    const QStringList cells = CellsOf(source, u'|');
    QStringList row;
    for (const QString& c : cells) row << EncodeClipField(c, false);
    const QString form = row.join(u'\t') + QStringLiteral("\r\n");
    const QStringList back = SplitClipLines(form);
    FUZZ_CHECK(back.size() == 2 && back[1].isEmpty());
    const QStringList fields = back[0].split(u'\t');
    FUZZ_CHECK(fields.size() == cells.size());
    for (qsizetype i = 0; i < fields.size() && i < cells.size(); ++i)
        if (DecodeClipField(fields[i]) != CRLFBreaks(cells[i]))
            FuzzFailure("clip round trip: " + cells[i].toStdString());
}

namespace {

// A sink that records the walk against a grid of Cols x Rows that grows.
struct XmlWalkRecorder {
    int Cols = 4, Rows = 4;
    long Writes = 0;
    TXmlWalkSink Sink;
    QStringList Loaded;

    explicit XmlWalkRecorder(uint8_t flags)
    {
        Sink.FixedSaved = flags & 1;
        Sink.LoadFieldDescr = flags & 2;
        Sink.QuoteEmptyCells = flags & 4;
        Sink.ColOffset = (flags >> 3) & 1;
        Sink.RowOffset = (flags >> 4) & 1;
        Sink.Grow = [this](int c, int r) {
            if (c < 0 || r < 0 || c >= GridImportLimits::MaxCols || r >= GridImportLimits::MaxRows) return false;
            Cols = std::max(Cols, c + 1);
            Rows = std::max(Rows, r + 1);
            return true;
        };
        Sink.Header = [this](int c, const QString&) {
            if (c < 0 || c >= Cols) FuzzFailure("xml header outside the grid");
        };
        Sink.Load = [this](int c, int r, const QString& text) {
            if (c < 0 || r < 0 || c >= Cols || r >= Rows) FuzzFailure("xml cell written outside the grown grid");
            ++Writes;
            Loaded << text;
        };
        Sink.Clear = [](int, int) {};
    }
};

}  // namespace

void CheckXmlReader(const uint8_t* data, size_t size)
{
    const QByteArray bytes = Bytes(data, size);
    const uint8_t flags = size > 0 ? data[size - 1] : 0;
    for (bool levelToRow : {false, true}) {
        XmlWalkRecorder rec(flags);
        rec.Sink.LevelToRow = levelToRow;
        int code = 0, line = 0;
        if (!WalkXmlRecords(bytes, rec.Sink, code, line)) {
            FUZZ_CHECK(code != 0);
            FUZZ_CHECK(line >= 1 && line <= bytes.count('\n') + 1);
        }
    }

    // Cells made from the input, written as the grid's writer writes them and
    // read back, are equal under both charsets that carry every character.
    QString source = DecodeText(bytes).Text;
    for (qsizetype i = 0; i < source.size(); ++i) {
        const char16_t u = source[i].unicode();
        // The writer drops what is no XML character; "$amp;" is a documented
        // input form of "&".
        if (u == 0 || u == u'$' || u >= 0xFFFE || QChar::isSurrogate(u)) source[i] = QChar(u'x');
    }
    QStringList cells = CellsOf(source, u'|');
    cells.removeAll(QString());
    for (const char* encoding : {"ISO-8859-1", "UTF-8"}) {
        const TXmlCharset charset = XmlCharsetOf(QString::fromLatin1(encoding));
        QStringList parts{QStringLiteral("<?xml version=\"1.0\" encoding=\"%1\" ?>\r\n<LIST>\r\n<RECORD>\r\n")
                              .arg(QString::fromLatin1(encoding))};
        for (qsizetype i = 0; i < cells.size(); ++i)
            parts << QStringLiteral("<FIELD%1>").arg(i) << XmlEscapeText(cells[i], charset)
                  << QStringLiteral("</FIELD%1>\r\n").arg(i);
        parts << QStringLiteral("</RECORD>\r\n<RECORD>\r\n<FIELD0>end</FIELD0>\r\n</RECORD>\r\n</LIST>\r\n");
        const QString doc = parts.join(QString());
        XmlWalkRecorder rec(0);
        int code = 0, line = 0;
        if (!WalkXmlRecords(XmlEncodeBytes(doc, charset), rec.Sink, code, line)) {
            FuzzFailure(std::string("xml round trip does not parse under ") + encoding);
            continue;
        }
        const QStringList expected = QStringList(cells) << QStringLiteral("end");
        if (rec.Loaded != expected) {
            qsizetype i = 0;
            while (i < rec.Loaded.size() && i < expected.size() && rec.Loaded[i] == expected[i]) ++i;
            // The code units around the first difference in that cell.
            qsizetype at = 0;
            if (i < rec.Loaded.size() && i < expected.size())
                while (at < rec.Loaded[i].size() && at < expected[i].size() && rec.Loaded[i][at] == expected[i][at]) ++at;
            const auto units = [at](const QStringList& l, qsizetype k) {
                std::string r = k < l.size() ? "" : " (none)";
                for (qsizetype j = std::max<qsizetype>(0, at - 4); k < l.size() && j < l[k].size() && j < at + 8; ++j)
                    r += " " + QString::number(l[k][j].unicode(), 16).toStdString();
                return r;
            };
            FuzzFailure(std::string("xml round trip under ") + encoding + ", cell " + std::to_string(i) + " unit " +
                        std::to_string(at) + ": wrote" + units(expected, i) + ", read" + units(rec.Loaded, i));
        }
    }
}
