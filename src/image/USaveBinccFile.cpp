// Configuration files read through the platform's XML document.

#include "image/USaveBinccFile.h"

#include "platform/FileSystem.h"
#include "platform/XmlDocument.h"

namespace {

// The root's child elements by name, each element's text as its value. An
// element holding more than a text cannot be read and counts as missing.
class TElement_Values : public TNamed_Values {
public:
    TXMLNode Element;
    bool Value(const char* name, QString& text) const override
    {
        const TXMLNode child = Element.FindChild(QLatin1String(name));
        if (child.IsNull() || !child.IsTextElement())
            return false;
        text = child.Text();
        return true;
    }
};

// A table row's attributes by name.
class TAttribute_Values : public TNamed_Values {
public:
    TXMLNode Row;
    bool Value(const char* name, QString& text) const override
    {
        const QLatin1String key(name);
        if (!Row.HasAttribute(key))
            return false;
        text = Row.Attribute(key);
        return true;
    }
};

} // namespace

struct TConfig_File::TImpl {
    TXMLDocument Document;
    TElement_Values Root;
};

TConfig_File::TConfig_File() : Impl(std::make_unique<TImpl>()) {}

TConfig_File::~TConfig_File() = default;

bool TConfig_File::Exists(const QString& path)
{
    return FileExists(path);
}

bool TConfig_File::Load(const QString& path, QString& error)
{
    Impl->Document.SetActive(true);
    if (!Impl->Document.LoadFromFile(path)) {
        error = Impl->Document.ErrorMessage();
        return false;
    }
    // The document element, whatever its name, is the root.
    Impl->Root.Element = Impl->Document.Root();
    return true;
}

const TNamed_Values& TConfig_File::Root_Values() const
{
    return Impl->Root;
}

bool TConfig_File::Visit_Table(const char* table, const std::function<void(const TNamed_Values&)>& row) const
{
    const TXMLNode element = Impl->Root.Element.FindChild(QLatin1String(table));
    if (element.IsNull())
        return false;
    TAttribute_Values values;
    // Walked sibling by sibling: one step per row, however long the table.
    for (values.Row = element.FirstChild(); values.Row; values.Row = values.Row.NextSibling()) {
        // Rows are elements; a comment or text between them is no rule.
        if (values.Row.NodeType() == ntElement)
            row(values);
    }
    return true;
}
