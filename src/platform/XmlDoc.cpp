#include "XmlDoc.h"

#include "SysUtils.h"

#include <QStringDecoder>

#include <algorithm>

namespace {

// Comments, instructions and the declaration are kept; a DOCTYPE is skipped
// (no DTD is ever loaded). Whitespace-only text is dropped.
constexpr unsigned kParseFlags =
    pugi::parse_default | pugi::parse_comments | pugi::parse_pi | pugi::parse_declaration;
constexpr unsigned kSaveFlags = pugi::format_indent | pugi::format_no_declaration;
const char* const kIndent = "  ";

QByteArray U8(const QString& s) { return s.toUtf8(); }
QString Q(const char* s) { return QString::fromUtf8(s); }

struct ByteArrayWriter : pugi::xml_writer {
    QByteArray Data;
    void write(const void* data, size_t size) override
    {
        Data.append(static_cast<const char*>(data), static_cast<qsizetype>(size));
    }
};

// The document as pugixml parsed it, in UTF-8, so that its error offset
// can be turned into a line and a column.
QByteArray AsParsed(const QByteArray& bytes, pugi::xml_encoding enc)
{
    std::optional<QStringConverter::Encoding> e;
    switch (enc) {
    case pugi::encoding_utf16_le: e = QStringConverter::Utf16LE; break;
    case pugi::encoding_utf16_be: e = QStringConverter::Utf16BE; break;
    case pugi::encoding_utf32_le: e = QStringConverter::Utf32LE; break;
    case pugi::encoding_utf32_be: e = QStringConverter::Utf32BE; break;
    case pugi::encoding_latin1: return QString::fromLatin1(bytes).toUtf8();
    default: return bytes;
    }
    QStringDecoder dec(*e, QStringConverter::Flag::Stateless);
    QString text = dec.decode(bytes);
    return text.toUtf8();
}

void PositionOf(const QByteArray& text, ptrdiff_t offset, int& line, int& column)
{
    const qsizetype end = std::clamp<qsizetype>(qsizetype(offset), 0, text.size());
    line = 1;
    column = 1;
    for (qsizetype i = 0; i < end; ++i) {
        const char c = text[i];
        if (c == '\n' || (c == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n'))) {
            ++line;
            column = 1;
        } else if ((static_cast<unsigned char>(c) & 0xC0) != 0x80 && c != '\r') {
            ++column;  // count characters, not UTF-8 continuation bytes
        }
    }
}

}  // namespace

// ---- TXmlNode -------------------------------------------------------------

TXmlNodeType TXmlNode::NodeType() const
{
    switch (FNode.type()) {
    case pugi::node_element: return TXmlNodeType::Element;
    case pugi::node_pcdata: return TXmlNodeType::Text;
    case pugi::node_cdata: return TXmlNodeType::CData;
    case pugi::node_comment: return TXmlNodeType::Comment;
    case pugi::node_pi: return TXmlNodeType::ProcessingInstruction;
    case pugi::node_declaration: return TXmlNodeType::Declaration;
    case pugi::node_doctype: return TXmlNodeType::Doctype;
    default: return TXmlNodeType::Null;
    }
}

QString TXmlNode::Name() const { return Q(FNode.name()); }

QString TXmlNode::Value() const { return Q(FNode.value()); }

TXmlNode TXmlNode::Parent() const { return TXmlNode(FNode.parent()); }

TXmlNode TXmlNode::ChildElement(const QString& name) const
{
    return TXmlNode(FNode.child(U8(name).constData()));
}

std::optional<QString> TXmlNode::ChildText(const QString& name) const
{
    const TXmlNode e = ChildElement(name);
    if (e.IsNull())
        return std::nullopt;
    return e.Text();
}

int TXmlNode::ChildElementCount() const
{
    int n = 0;
    for (pugi::xml_node c = FNode.first_child(); c; c = c.next_sibling())
        if (c.type() == pugi::node_element) ++n;
    return n;
}

TXmlNode TXmlNode::ChildElementAt(int index) const
{
    if (index < 0) return TXmlNode();
    for (pugi::xml_node c = FNode.first_child(); c; c = c.next_sibling()) {
        if (c.type() != pugi::node_element) continue;
        if (index-- == 0) return TXmlNode(c);
    }
    return TXmlNode();
}

QList<TXmlNode> TXmlNode::ChildNodes() const
{
    QList<TXmlNode> out;
    for (pugi::xml_node c = FNode.first_child(); c; c = c.next_sibling()) out << TXmlNode(c);
    return out;
}

TXmlNode TXmlNode::AddChild(const QString& name)
{
    if (FNode.type() != pugi::node_element) return TXmlNode();
    return TXmlNode(FNode.append_child(U8(name).constData()));
}

QString TXmlNode::Text() const
{
    if (FNode.type() == pugi::node_pcdata || FNode.type() == pugi::node_cdata) return Value();
    // An iterative walk: a deeply nested file must not exhaust the stack.
    QByteArray text;
    pugi::xml_node n = FNode.first_child();
    while (n) {
        if (n.type() == pugi::node_pcdata || n.type() == pugi::node_cdata) text += n.value();
        if (n.first_child()) {
            n = n.first_child();
            continue;
        }
        while (n && n != FNode && !n.next_sibling()) n = n.parent();
        if (!n || n == FNode) break;
        n = n.next_sibling();
    }
    return QString::fromUtf8(text);
}

void TXmlNode::SetText(const QString& value)
{
    if (FNode.type() != pugi::node_element) return;
    FNode.remove_children();
    if (!value.isEmpty()) FNode.append_child(pugi::node_pcdata).set_value(U8(value).constData());
}

std::optional<QString> TXmlNode::Attribute(const QString& name) const
{
    pugi::xml_attribute a = FNode.attribute(U8(name).constData());
    if (!a) return std::nullopt;
    return Q(a.value());
}

QString TXmlNode::AttributeOr(const QString& name, const QString& def) const
{
    return Attribute(name).value_or(def);
}

void TXmlNode::SetAttribute(const QString& name, const QString& value)
{
    if (FNode.type() != pugi::node_element) return;
    const QByteArray n = U8(name);
    pugi::xml_attribute a = FNode.attribute(n.constData());
    if (!a) a = FNode.append_attribute(n.constData());
    a.set_value(U8(value).constData());
}

QList<QPair<QString, QString>> TXmlNode::Attributes() const
{
    QList<QPair<QString, QString>> out;
    for (pugi::xml_attribute a = FNode.first_attribute(); a; a = a.next_attribute())
        out.append({Q(a.name()), Q(a.value())});
    return out;
}

// ---- TXmlDocument ---------------------------------------------------------

TXmlDocument::TXmlDocument() : FDoc(std::make_unique<pugi::xml_document>()) {}

TXmlDocument::~TXmlDocument() = default;

QString TXmlLoadResult::Reason() const
{
    if (Line > 0)
        return QStringLiteral("%1 (line %2, column %3)").arg(Message).arg(Line).arg(Column);
    return Message;
}

TXmlLoadResult TXmlDocument::LoadFromBytes(const QByteArray& bytes)
{
    TXmlLoadResult r;
    FDoc->reset();
    pugi::xml_parse_result pr = FDoc->load_buffer(bytes.constData(), static_cast<size_t>(bytes.size()),
                                                  kParseFlags, pugi::encoding_auto);
    if (pr) {
        r.Ok = true;
        return r;
    }
    r.Message = Q(pr.description());
    PositionOf(AsParsed(bytes, pr.encoding), pr.offset, r.Line, r.Column);
    FDoc->reset();
    return r;
}

TXmlLoadResult TXmlDocument::LoadFromFile(const QString& path)
{
    QByteArray bytes;
    try {
        bytes = ReadFileBytes(path, TReadKind::Document);
    } catch (const EFOpenError& e) {
        FDoc->reset();
        TXmlLoadResult r;
        r.Message = e.Message();
        return r;
    }
    return LoadFromBytes(bytes);
}

QByteArray TXmlDocument::SaveToBytes() const
{
    ByteArrayWriter w;
    FDoc->save(w, kIndent, kSaveFlags, pugi::encoding_utf8);
    return w.Data;
}

TWriteResult TXmlDocument::SaveToFile(const QString& path) const
{
    return SafeWriteFile(path, SaveToBytes());
}

QList<TXmlNode> TXmlDocument::Nodes() const
{
    return TXmlNode(*FDoc).ChildNodes();
}

TXmlNode TXmlDocument::DocumentElement() const
{
    return TXmlNode(FDoc->document_element());
}

void TXmlDocument::ClearDocument()
{
    FDoc->reset();
}

TXmlNode TXmlDocument::AddChild(const QString& name)
{
    return TXmlNode(FDoc->append_child(U8(name).constData()));
}

TXmlNode TXmlDocument::AddComment(const QString& text)
{
    pugi::xml_node c = FDoc->append_child(pugi::node_comment);
    c.set_value(U8(text).constData());
    return TXmlNode(c);
}

TXmlNode TXmlDocument::AddDeclaration(const QString& version, const QString& encoding)
{
    // A declaration is only valid as the first node of the document.
    pugi::xml_node d = FDoc->prepend_child(pugi::node_declaration);
    d.append_attribute("version").set_value(U8(version).constData());
    if (!encoding.isEmpty()) d.append_attribute("encoding").set_value(U8(encoding).constData());
    return TXmlNode(d);
}
