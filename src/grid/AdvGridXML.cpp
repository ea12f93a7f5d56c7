// The string grid's XML export and import.
#include "AdvGrid.h"
#include "AdvGridFilesKit.h"
#include "AdvGridReaders.h"

#include "ClassesLists.h"
#include "Files.h"

#include <pugixml.hpp>
#include <algorithm>
#include <vector>

namespace {

// Fixed English messages of this unit.
const char* const kCannotCreate = "Cannot Create file ";
const char* const kXmlNotFound = "XML file not found";
const char* const kParseError = "XMLDOM Parsing error %1 on line %2";

QString NodeName(const pugi::xml_node& n) { return QString::fromUtf8(n.name()); }

// The text of every descendant text node, as the DOM's Text gives it.
QString NodeText(const pugi::xml_node& n)
{
    if (n.type() == pugi::node_pcdata || n.type() == pugi::node_cdata) return QString::fromUtf8(n.value());
    QString text;
    for (pugi::xml_node d = n.first_child(); d;) {
        if (d.type() == pugi::node_pcdata || d.type() == pugi::node_cdata) text += QString::fromUtf8(d.value());
        if (d.first_child()) {
            d = d.first_child();
            continue;
        }
        while (d && !d.next_sibling() && d != n) d = d.parent();
        if (!d || d == n) break;
        d = d.next_sibling();
    }
    return text;
}

QString Unescape(QString text) { return text.replace(QLatin1String("$amp;"), QLatin1String("&")); }

int ChildCount(const pugi::xml_node& n)
{
    int k = 0;
    for (pugi::xml_node c = n.first_child(); c; c = c.next_sibling()) ++k;
    return k;
}

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
    const QByteArray bytes = ReadFileBytes(FileName);
    pugi::xml_document doc;
    const pugi::xml_parse_result res = doc.load_buffer(bytes.constData(), size_t(bytes.size()),
                                                       pugi::parse_default | pugi::parse_comments | pugi::parse_pi);
    if (!res) {
        const qsizetype upto = std::clamp<qsizetype>(qsizetype(res.offset), 0, bytes.size());
        const int line = int(bytes.left(upto).count('\n')) + 1;
        throw Exception(QString::fromLatin1(kParseError).arg(int(res.status)).arg(line));
    }
    const pugi::xml_node root = doc.document_element();
    const bool fixedSaved = SaveFixedCells() || SaveFixedRows();
    const int co = SaveStartCol();
    const int ro = !fixedSaved || LoadFieldDescr ? FixedRows() : 0;
    int mc = co, mr = ro, row = 0;
    // Grows the grid to hold (c, r); false when the cell lies beyond the limits.
    const auto grow = [&](int c, int r) {
        if (c < 0 || r < 0 || c >= GridImportLimits::MaxCols || r >= GridImportLimits::MaxRows) return false;
        if (c >= ColCount()) SetColCount(c + 1);
        if (r >= RowCount()) SetRowCount(r + 1);
        mc = std::max(mc, c);
        mr = std::max(mr, r);
        return true;
    };
    bool firstRecord = true;
    for (pugi::xml_node rec = root.first_child(); rec; rec = rec.next_sibling()) {
        int col = 0, level = 1;
        if (LevelToRow && firstRecord && !rec.first_attribute()) row = -1;
        firstRecord = false;
        // The walk keeps its own stack: a document may nest very deeply.
        std::vector<pugi::xml_node> stack{rec};
        while (!stack.empty()) {
            const pugi::xml_node n = stack.back();
            stack.pop_back();
            bool startedRow = false;
            if (n.type() == pugi::node_element && n.first_attribute()) {
                for (pugi::xml_attribute a = n.first_attribute(); a; a = a.next_attribute()) {
                    if (grow(col + co, row + ro)) {
                        if (fixedSaved && Cells(col + co, 0).isEmpty())
                            LoadCellText(col + co, 0, QString::fromUtf8(a.name()));
                        LoadCellText(col + co, row + ro, Unescape(QString::fromUtf8(a.value())));
                    }
                    ++col;
                }
                if (LevelToRow) {
                    ++row;
                    col = level;
                    startedRow = true;
                }
            }
            const int children = ChildCount(n);
            if (children > 1) {
                if (LevelToRow && !startedRow) {
                    ++row;
                    col = 0;
                }
                ++level;
                std::vector<pugi::xml_node> kids;
                for (pugi::xml_node c = n.first_child(); c; c = c.next_sibling()) kids.push_back(c);
                stack.insert(stack.end(), kids.rbegin(), kids.rend());
            } else if (children == 0) {
                const int c = col + co, r = row + ro;
                if (c >= 0 && r >= 0 && c < ColCount() && r < RowCount()) LoadCellText(c, r, QString());
                ++col;
            } else {
                if (grow(col + co, row + ro)) {
                    if (fixedSaved && LoadFieldDescr && Cells(col + co, 0).isEmpty())
                        LoadCellText(col + co, 0, NodeName(n));
                    QString text = Unescape(NodeText(n));
                    if (QuoteEmptyCells() && text == QLatin1String("\"\"")) text.clear();
                    LoadCellText(col + co, row + ro, text);
                }
                ++col;
            }
        }
        if (!LevelToRow) ++row;
    }
    SetColCount(mc + 1);
    SetRowCount(mr + 1);
    CellsLoaded();
}
