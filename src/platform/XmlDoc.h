#pragma once
// XML documents: a thin wrapper over pugixml that keeps attribute order,
// document-level comments and processing instructions, and converts between
// UTF-8 and QString at its boundary.
//
// A TXmlNode is a handle into its document; it stays valid while the node is
// in the document. A null handle answers every query with "absent" (empty
// name, no attribute, no children) and ignores changes; nothing here throws.

#include "Files.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <memory>
#include <optional>
#include <pugixml.hpp>

enum class TXmlNodeType {
    Null,
    Element,
    Text,        // character data
    CData,       // a CDATA section
    Comment,
    ProcessingInstruction,
    Declaration,  // <?xml ...?>
    Doctype,
};

class TXmlNode {
public:
    TXmlNode() = default;
    explicit TXmlNode(pugi::xml_node n) : FNode(n) {}

    bool IsNull() const { return !FNode; }
    explicit operator bool() const { return bool(FNode); }
    bool operator==(const TXmlNode& o) const { return FNode == o.FNode; }

    TXmlNodeType NodeType() const;
    bool IsElement() const { return NodeType() == TXmlNodeType::Element; }

    // The element's tag name (the target of a processing instruction).
    QString Name() const;
    // The content of a text, CDATA, comment or processing-instruction node.
    QString Value() const;

    TXmlNode Parent() const;
    // The first child element of exactly that name; null when absent.
    TXmlNode ChildElement(const QString& name) const;
    // The text of that child element; nothing when it is absent (an empty
    // element gives the empty text).
    std::optional<QString> ChildText(const QString& name) const;
    // Element children only: text, comments and instructions are not counted.
    int ChildElementCount() const;
    TXmlNode ChildElementAt(int index) const;
    // Every child node in order, for a full walk.
    QList<TXmlNode> ChildNodes() const;

    // Appends a child element and returns it.
    TXmlNode AddChild(const QString& name);

    // The concatenated text of every descendant text and CDATA node.
    QString Text() const;
    // Replaces the children by one text node.
    void SetText(const QString& value);

    // Absent and present-but-empty are told apart.
    std::optional<QString> Attribute(const QString& name) const;
    QString AttributeOr(const QString& name, const QString& def) const;
    // Changes the value in place, or appends the attribute after the others.
    void SetAttribute(const QString& name, const QString& value);
    // Name and value of every attribute in document order.
    QList<QPair<QString, QString>> Attributes() const;

    pugi::xml_node Handle() const { return FNode; }

private:
    pugi::xml_node FNode;
};

struct TXmlLoadResult {
    bool Ok = false;
    QString Message;  // empty on success
    int Line = 0;     // 1-based position of the error, 0 when unknown
    int Column = 0;
    explicit operator bool() const { return Ok; }
    // Why the load failed, as the user is shown it: the message, then the
    // position when it is known ("... (line 3, column 7)").
    QString Reason() const;
};

class TXmlDocument {
public:
    TXmlDocument();
    ~TXmlDocument();
    TXmlDocument(const TXmlDocument&) = delete;
    TXmlDocument& operator=(const TXmlDocument&) = delete;

    // The encoding is taken from a BOM or the declaration. No DTD is loaded
    // and no external entity resolved; whitespace-only text is dropped.
    // A failed load leaves the document empty.
    TXmlLoadResult LoadFromBytes(const QByteArray& bytes);
    TXmlLoadResult LoadFromFile(const QString& path);

    // UTF-8 without BOM, no declaration unless one was added, two blanks of
    // indentation; CR, LF and TAB in attribute values as character references.
    QByteArray SaveToBytes() const;
    TWriteResult SaveToFile(const QString& path) const;

    // The top-level nodes in order (declaration, comments, the root ...).
    QList<TXmlNode> Nodes() const;
    // The first element at document level; null when there is none.
    TXmlNode DocumentElement() const;
    // Removes every top-level node.
    void ClearDocument();
    // Appended at document level after the existing nodes.
    TXmlNode AddChild(const QString& name);
    TXmlNode AddComment(const QString& text);
    // <?xml version="1.0" encoding="UTF-8"?>, put first (its only valid place).
    TXmlNode AddDeclaration(const QString& version = QStringLiteral("1.0"),
                            const QString& encoding = QStringLiteral("UTF-8"));

private:
    std::unique_ptr<pugi::xml_document> FDoc;
};
