#include "XmlDocument.h"

#include "FileSystem.h"

#include <QFileInfo>
#include <pugixml.hpp>

namespace {

pugi::xml_node N(pugi::xml_node_struct* p)
{
    return pugi::xml_node(p);
}

QString Q(const pugi::char_t* s)
{
    return QString::fromUtf8(s);
}

QByteArray U(const QString& s)
{
    return s.toUtf8();
}

bool IsText(const pugi::xml_node& n)
{
    return n.type() == pugi::node_pcdata || n.type() == pugi::node_cdata;
}

// Comments and processing instructions count as nodes, as they do for every
// reader of these files; the declaration and a document type do not. A text
// that is only blanks is kept where it is an element's whole content.
constexpr unsigned kParseFlags = pugi::parse_default | pugi::parse_comments | pugi::parse_pi | pugi::parse_ws_pcdata_single;

struct ByteWriter : pugi::xml_writer {
    QByteArray bytes;
    void write(const void* data, size_t size) override { bytes.append(static_cast<const char*>(data), qsizetype(size)); }
};

} // namespace

// ---------------------------------------------------------------------------
// TXMLNode

TNodeType TXMLNode::NodeType() const
{
    switch (N(node_).type()) {
    case pugi::node_element: return ntElement;
    case pugi::node_pcdata: return ntText;
    case pugi::node_cdata: return ntCData;
    case pugi::node_comment: return ntComment;
    case pugi::node_pi: return ntProcessingInstr;
    case pugi::node_document: return ntDocument;
    case pugi::node_doctype: return ntDocType;
    default: return ntReserved;
    }
}

QString TXMLNode::NodeName() const
{
    switch (N(node_).type()) {
    case pugi::node_pcdata: return QStringLiteral("#text");
    case pugi::node_cdata: return QStringLiteral("#cdata-section");
    case pugi::node_comment: return QStringLiteral("#comment");
    case pugi::node_document: return QStringLiteral("#document");
    default: return Q(N(node_).name());
    }
}

QString TXMLNode::Text() const
{
    const pugi::xml_node n = N(node_);
    if (n.type() != pugi::node_element)
        return Q(n.value());
    QString r;
    for (pugi::xml_node c = n.first_child(); c; c = c.next_sibling())
        if (IsText(c))
            r += Q(c.value());
    return r;
}

bool TXMLNode::IsTextElement() const
{
    const pugi::xml_node n = N(node_);
    if (n.type() != pugi::node_element)
        return false;
    const pugi::xml_node first = n.first_child();
    return !first || (IsText(first) && !first.next_sibling());
}

void TXMLNode::SetText(const QString& Value)
{
    pugi::xml_node n = N(node_);
    if (!n)
        return;
    if (n.type() != pugi::node_element) {
        n.set_value(U(Value).constData());
        return;
    }
    while (n.first_child())
        n.remove_child(n.first_child());
    if (!Value.isEmpty())
        n.append_child(pugi::node_pcdata).set_value(U(Value).constData());
}

bool TXMLNode::HasAttribute(const QString& Name) const
{
    return bool(N(node_).attribute(U(Name).constData()));
}

QString TXMLNode::Attribute(const QString& Name) const
{
    return Q(N(node_).attribute(U(Name).constData()).value());
}

void TXMLNode::SetAttribute(const QString& Name, const QString& Value)
{
    pugi::xml_node n = N(node_);
    if (n.type() != pugi::node_element)
        return;
    const QByteArray name = U(Name);
    pugi::xml_attribute a = n.attribute(name.constData());
    if (!a)
        a = n.append_attribute(name.constData());
    a.set_value(U(Value).constData());
}

Integer TXMLNode::AttributeCount() const
{
    Integer count = 0;
    for (pugi::xml_attribute a = N(node_).first_attribute(); a; a = a.next_attribute())
        ++count;
    return count;
}

namespace {
pugi::xml_attribute AttributeAt(pugi::xml_node n, Integer index)
{
    if (index < 0)
        return {};
    pugi::xml_attribute a = n.first_attribute();
    for (Integer i = 0; a && i < index; ++i)
        a = a.next_attribute();
    return a;
}

pugi::xml_node ChildAt(pugi::xml_node n, Integer index)
{
    if (index < 0)
        return {};
    pugi::xml_node c = n.first_child();
    for (Integer i = 0; c && i < index; ++i)
        c = c.next_sibling();
    return c;
}

Integer CountChildren(pugi::xml_node n)
{
    Integer count = 0;
    for (pugi::xml_node c = n.first_child(); c; c = c.next_sibling())
        ++count;
    return count;
}
} // namespace

QString TXMLNode::AttributeName(Integer Index) const
{
    return Q(AttributeAt(N(node_), Index).name());
}

QString TXMLNode::AttributeValue(Integer Index) const
{
    return Q(AttributeAt(N(node_), Index).value());
}

Integer TXMLNode::ChildCount() const
{
    return CountChildren(N(node_));
}

TXMLNode TXMLNode::Child(Integer Index) const
{
    return TXMLNode(ChildAt(N(node_), Index).internal_object());
}

TXMLNode TXMLNode::FirstChild() const
{
    return TXMLNode(N(node_).first_child().internal_object());
}

TXMLNode TXMLNode::NextSibling() const
{
    return TXMLNode(N(node_).next_sibling().internal_object());
}

TXMLNode TXMLNode::FindChild(const QString& Name) const
{
    return TXMLNode(N(node_).child(U(Name).constData()).internal_object());
}

TXMLNode TXMLNode::AddChild(const QString& Name)
{
    pugi::xml_node n = N(node_);
    if (n.type() != pugi::node_element && n.type() != pugi::node_document)
        return {};
    return TXMLNode(n.append_child(U(Name).constData()).internal_object());
}

void TXMLNode::ClearChildren()
{
    pugi::xml_node n = N(node_);
    while (n.first_child())
        n.remove_child(n.first_child());
}

// ---------------------------------------------------------------------------
// TXMLDocument

struct TXMLDocument::Impl {
    pugi::xml_document doc;
};

TXMLDocument::TXMLDocument() : d_(std::make_unique<Impl>()) {}

TXMLDocument::~TXMLDocument() = default;

void TXMLDocument::SetActive(bool Value)
{
    if (Value == active_)
        return;
    d_->doc.reset();
    active_ = Value;
}

TXMLNode TXMLDocument::DocumentNode() const
{
    return TXMLNode(d_->doc.internal_object());
}

bool TXMLDocument::Parse(const QByteArray& Bytes, const QString& Source)
{
    d_->doc.reset();
    active_ = true;
    error_.clear();
    if (Bytes.trimmed().isEmpty()) {
        error_ = QStringLiteral("%1 is empty.").arg(Source);
        return false;
    }
    const pugi::xml_parse_result r = d_->doc.load_buffer(Bytes.constData(), size_t(Bytes.size()), kParseFlags, pugi::encoding_auto);
    if (r) {
        // The parser takes several top-level elements too; a document has
        // exactly one root element.
        int elements = 0;
        for (pugi::xml_node c = d_->doc.first_child(); c; c = c.next_sibling())
            elements += c.type() == pugi::node_element;
        if (elements == 1)
            return true;
        error_ = QStringLiteral("%1 is not well-formed XML: more than one root element.").arg(Source);
        d_->doc.reset();
        return false;
    }
    // Line and column of the fault, counted in the text as read.
    const qsizetype offset = std::clamp<qsizetype>(qsizetype(r.offset), 0, Bytes.size());
    const QByteArray before = Bytes.left(offset);
    const qsizetype line = before.count('\n') + 1;
    const qsizetype column = offset - (before.lastIndexOf('\n') + 1) + 1;
    error_ = QStringLiteral("%1 is not well-formed XML: %2 (line %3, column %4).")
                 .arg(Source, QString::fromLatin1(r.description()))
                 .arg(line)
                 .arg(column);
    d_->doc.reset();
    return false;
}

bool TXMLDocument::LoadFromFile(const QString& FileName)
{
    const QString source = QStringLiteral("The file \"%1\"").arg(FileName);
    if (!QFileInfo(FileName).isFile()) {
        d_->doc.reset();
        active_ = true;
        error_ = QStringLiteral("%1 does not exist.").arg(source);
        return false;
    }
    QByteArray bytes;
    QString readError;
    if (!ReadWholeFile(FileName, bytes, &readError)) {
        d_->doc.reset();
        active_ = true;
        error_ = readError;
        return false;
    }
    return Parse(bytes, source);
}

bool TXMLDocument::LoadFromXML(const QString& XML)
{
    return Parse(XML.toUtf8(), QStringLiteral("The text"));
}

QString TXMLDocument::SaveToXML() const
{
    ByteWriter w;
    d_->doc.save(w, "  ", pugi::format_indent | pugi::format_no_declaration, pugi::encoding_utf8);
    return QString::fromUtf8(w.bytes);
}

bool TXMLDocument::SaveToFile(const QString& FileName)
{
    ByteWriter w;
    w.bytes = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    d_->doc.save(w, "  ", pugi::format_indent | pugi::format_no_declaration, pugi::encoding_utf8);
    error_.clear();
    return WriteWholeFile(FileName, w.bytes, &error_);
}

void TXMLDocument::Clear()
{
    active_ = true;
    DocumentNode().ClearChildren();
}

Integer TXMLDocument::ChildCount() const
{
    return DocumentNode().ChildCount();
}

TXMLNode TXMLDocument::Child(Integer Index) const
{
    return DocumentNode().Child(Index);
}

TXMLNode TXMLDocument::Root() const
{
    for (TXMLNode n = DocumentNode().FirstChild(); n; n = n.NextSibling())
        if (n.NodeType() == ntElement)
            return n;
    return {};
}

TXMLNode TXMLDocument::AddChild(const QString& Name)
{
    active_ = true;
    return DocumentNode().AddChild(Name);
}

TXMLNode TXMLDocument::AddComment(const QString& Text)
{
    active_ = true;
    pugi::xml_node c = d_->doc.append_child(pugi::node_comment);
    c.set_value(U(Text).constData());
    return TXMLNode(c.internal_object());
}
