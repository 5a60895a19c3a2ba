#pragma once
// The XML document behind every configuration, settings and job file: load
// and save a file, empty the document, take the document element as the
// root, find child elements by name, walk child nodes by index, read and
// write element texts and attributes, add elements and comments.
//
// Attributes keep the order in which they were written, and their values
// keep tabs and line breaks. A file that is missing, empty or not
// well-formed gives an error message the caller can show.

#include <QString>
#include <memory>

#include "Object.h"
#include "Types.h"

namespace pugi {
struct xml_node_struct;
}

enum TNodeType {
    ntReserved,
    ntElement,
    ntAttribute,
    ntText,
    ntCData,
    ntEntityRef,
    ntEntity,
    ntProcessingInstr,
    ntComment,
    ntDocument,
    ntDocType,
    ntDocFragment,
    ntNotation,
};

// A node of a document: a light handle, valid while its document holds the
// node (loading, clearing or freeing the document ends it). A null handle
// stands for "no such node": its reads give empty results and its writes do
// nothing.
class TXMLNode {
public:
    TXMLNode() = default;
    bool IsNull() const { return node_ == nullptr; }
    explicit operator bool() const { return node_ != nullptr; }
    friend bool operator==(const TXMLNode&, const TXMLNode&) = default;

    TNodeType NodeType() const;
    // An element's or processing instruction's name; "#text", "#cdata-section",
    // "#comment" for the other kinds.
    QString NodeName() const;

    // An element's text: its one text child, empty when it has no children;
    // see IsTextElement. The value of a text, comment or processing
    // instruction node.
    QString Text() const;
    // True for an element whose children are one text node or nothing: one
    // whose Text is its whole content.
    bool IsTextElement() const;
    // Replaces an element's children with the text (none for an empty text),
    // or sets another node's value.
    void SetText(const QString& Value);

    bool HasAttribute(const QString& Name) const;
    // The value, or empty when the attribute is missing (see HasAttribute).
    QString Attribute(const QString& Name) const;
    // Changes an existing attribute in its place, or appends a new one.
    void SetAttribute(const QString& Name, const QString& Value);
    Integer AttributeCount() const;
    QString AttributeName(Integer Index) const;
    QString AttributeValue(Integer Index) const;

    // Child nodes of every kind, in document order.
    Integer ChildCount() const;
    TXMLNode Child(Integer Index) const;
    // The first child node and the node after this one, of every kind: a
    // walk over many children that costs one step per node.
    TXMLNode FirstChild() const;
    TXMLNode NextSibling() const;
    // The first child element of that name (names match exactly).
    TXMLNode FindChild(const QString& Name) const;
    // Appends a child element.
    TXMLNode AddChild(const QString& Name);
    void ClearChildren();

private:
    friend class TXMLDocument;
    explicit TXMLNode(pugi::xml_node_struct* node) : node_(node) {}
    pugi::xml_node_struct* node_ = nullptr;
};

class TXMLDocument : public TObject {
public:
    TXMLDocument();
    ~TXMLDocument() override;
    QString ClassName() const override { return QStringLiteral("TXMLDocument"); }

    // An inactive document is empty; making it active starts an empty one.
    bool Active() const { return active_; }
    void SetActive(bool Value);

    // Replaces the content with the file's (the document becomes active).
    // On failure the document is left empty, the result is false and
    // ErrorMessage says what went wrong. Declarations and document types are
    // not nodes; comments and processing instructions are.
    bool LoadFromFile(const QString& FileName);
    bool LoadFromXML(const QString& XML);
    // Writes the document whole, as UTF-8 with a declaration and indented
    // elements; the old file stays unless the new one is complete.
    bool SaveToFile(const QString& FileName);
    QString SaveToXML() const;
    QString ErrorMessage() const { return error_; }

    // Removes every top-level node.
    void Clear();
    // Top-level nodes, in document order.
    Integer ChildCount() const;
    TXMLNode Child(Integer Index) const;
    // The document element: the one top-level element, whatever comments or
    // processing instructions stand before it. Null in an empty document.
    TXMLNode Root() const;
    // Appends an element or a comment at document level.
    TXMLNode AddChild(const QString& Name);
    TXMLNode AddComment(const QString& Text);

private:
    bool Parse(const QByteArray& Bytes, const QString& Source);
    TXMLNode DocumentNode() const;

    struct Impl;
    std::unique_ptr<Impl> d_;
    bool active_ = false;
    QString error_;
};
