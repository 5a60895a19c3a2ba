#include "plant/UIEC_Client_Decode.h"

#include "platform/FileSystem.h"
#include "platform/XmlDocument.h"

#include <QHash>
#include <functional>

// The type templates of one file, indexed once by kind and id so that each
// lookup finds every template of that id, in document order, without a scan.
// It also keeps the templates being expanded on the current path: a type that
// contains itself, directly or through others, is not expanded again, and
// nesting deeper than any real model stops, so every file is read to its end.
// It counts the objects built as well: templates used many times over can
// multiply a small file into more objects than memory holds, so reading stops
// at a limit far above any real device's model.
class TSCL_Templates {
public:
    enum TKind { LNodeType, DOType, DAType, KindCount };

    explicit TSCL_Templates(const TXMLNode& DataTypeTemplates);

    // Calls Visit for each template of that kind and id, unless that type is
    // already being expanded on the current path.
    void Expand(TKind kind, const QString& id, const std::function<void(const TXMLNode&)>& Visit);

    // Counts one more object of the model; throws TTooLarge past the limit.
    void Count();
    struct TTooLarge {};

private:
    static constexpr int kMaxNesting = 64;
    std::size_t built_ = 0;
    QHash<QString, std::vector<TXMLNode>> index_[KindCount];
    std::vector<std::pair<TKind, QString>> path_;
};

namespace {

bool IsElement(const TXMLNode& n, QLatin1String name)
{
    return n.NodeType() == ntElement && n.NodeName() == name;
}

// Calls Visit for each child element named name, in document order.
template <class F>
void ForEachChild(const TXMLNode& parent, QLatin1String name, F Visit)
{
    for (TXMLNode c = parent.FirstChild(); c; c = c.NextSibling())
        if (IsElement(c, name))
            Visit(c);
}

TXMLNode FirstChildNamed(const TXMLNode& parent, QLatin1String name)
{
    for (TXMLNode c = parent.FirstChild(); c; c = c.NextSibling())
        if (IsElement(c, name))
            return c;
    return {};
}

bool IsLogicalNode(const TXMLNode& n)
{
    return IsElement(n, QLatin1String("LN0")) || IsElement(n, QLatin1String("LN"));
}

// Frees the objects of an owned list from its last to its first.
template <class T>
void FreeBackwards(std::vector<std::unique_ptr<T>>& list)
{
    while (!list.empty())
        list.pop_back();
}

template <class T>
T* Append(std::vector<std::unique_ptr<T>>& list, TSCL_Templates& templates)
{
    templates.Count();
    list.push_back(std::make_unique<T>());
    return list.back().get();
}

} // namespace

TSCL_Templates::TSCL_Templates(const TXMLNode& DataTypeTemplates)
{
    static const QLatin1String names[KindCount] = {
        QLatin1String("LNodeType"), QLatin1String("DOType"), QLatin1String("DAType")};
    for (TXMLNode c = DataTypeTemplates.FirstChild(); c; c = c.NextSibling()) {
        if (c.NodeType() != ntElement || !c.HasAttribute(QStringLiteral("id")))
            continue;
        const QString name = c.NodeName();
        for (int k = 0; k < KindCount; ++k)
            if (name == names[k])
                index_[k][c.Attribute(QStringLiteral("id"))].push_back(c);
    }
}

void TSCL_Templates::Expand(TKind kind, const QString& id, const std::function<void(const TXMLNode&)>& Visit)
{
    const auto found = index_[kind].constFind(id);
    if (found == index_[kind].constEnd() || path_.size() >= std::size_t(kMaxNesting))
        return;
    for (const auto& step : path_)
        if (step.first == kind && step.second == id)
            return;
    path_.emplace_back(kind, id);
    // Copied: Visit may look up other types, which leaves the index as it is,
    // but the list must not depend on that.
    const std::vector<TXMLNode> templates = found.value();
    for (const TXMLNode& t : templates)
        Visit(t);
    path_.pop_back();
}

void TSCL_Templates::Count()
{
    if (++built_ > std::size_t(IEC_Max_Model_Objects))
        throw TTooLarge{};
}

// ---------------------------------------------------------------------------
// Destruction: owned lists from their last object to their first; a data
// set's members belong to the data objects.

TIEC_DA::~TIEC_DA() { FreeBackwards(List_DA); }

TIEC_DO::~TIEC_DO()
{
    FreeBackwards(List_DO);
    FreeBackwards(List_DA);
}

TIEC_LN::~TIEC_LN()
{
    FreeBackwards(List_DO);
    FreeBackwards(List_DataSet);
}

TIEC_LDevice::~TIEC_LDevice() { FreeBackwards(List_LN); }

TIEC_Device::~TIEC_Device() { FreeBackwards(List_LDevice); }

// ---------------------------------------------------------------------------
// Lookups: exact names, list order, first match.

TIEC_LDevice* TIEC_Device::Find_LDevice(const QString& name) const
{
    for (const auto& ld : List_LDevice)
        if (ld->fName == name)
            return ld.get();
    return nullptr;
}

TIEC_LN* TIEC_LDevice::Find_LN(const QString& lnClass) const
{
    for (const auto& ln : List_LN)
        if (ln->flnClass == lnClass)
            return ln.get();
    return nullptr;
}

namespace {

template <class T>
T* FindDepthFirst(const std::vector<std::unique_ptr<T>>& list, const QString& name,
                  std::vector<std::unique_ptr<T>> T::*children)
{
    for (const auto& item : list) {
        if (item->fName == name)
            return item.get();
        if (T* found = FindDepthFirst(item.get()->*children, name, children))
            return found;
    }
    return nullptr;
}

TIEC_DA* FirstLeaf(const std::vector<std::unique_ptr<TIEC_DA>>& list)
{
    if (list.empty())
        return nullptr;
    TIEC_DA* first = list.front().get();
    return first->List_DA.empty() ? first : FirstLeaf(first->List_DA);
}

} // namespace

TIEC_DO* TIEC_LN::Find_DO(const QString& name) const { return FindDepthFirst(List_DO, name, &TIEC_DO::List_DO); }
TIEC_DO* TIEC_DO::Find_DO(const QString& name) const { return FindDepthFirst(List_DO, name, &TIEC_DO::List_DO); }
TIEC_DA* TIEC_DO::Find_DA(const QString& name) const { return FindDepthFirst(List_DA, name, &TIEC_DA::List_DA); }
TIEC_DA* TIEC_DA::Find_DA(const QString& name) const { return FindDepthFirst(List_DA, name, &TIEC_DA::List_DA); }
TIEC_DA* TIEC_DO::Find_First_DA() const { return FirstLeaf(List_DA); }
TIEC_DA* TIEC_DA::Find_First_DA() const { return FirstLeaf(List_DA); }

// ---------------------------------------------------------------------------
// Reading

std::unique_ptr<TIEC_Device> TIEC_Device::Create(const QString& path, QString& Error)
{
    std::unique_ptr<TIEC_Device> device(new TIEC_Device);
    device->fFileName = ExtractFileName(path);
    Error.clear();
    if (!device->Decode_Device(path, Error))
        return nullptr;
    return device;
}

bool TIEC_Device::Decode_Device(const QString& path, QString& Error)
{
    if (!FileExists(path))
        return true;
    TXMLDocument xml;
    if (!xml.LoadFromFile(path)) {
        Error = xml.ErrorMessage();
        return false;
    }
    TXMLNode scl;
    for (Integer i = 0; i < xml.ChildCount() && !scl; ++i)
        if (IsElement(xml.Child(i), QLatin1String("SCL")))
            scl = xml.Child(i);
    const TXMLNode ied = FirstChildNamed(scl, QLatin1String("IED"));
    const TXMLNode dataTypeTemplates = FirstChildNamed(scl, QLatin1String("DataTypeTemplates"));
    if (!ied || !dataTypeTemplates)
        return true;

    fName = ied.Attribute(QStringLiteral("name"));
    const TXMLNode server = FirstChildNamed(FirstChildNamed(ied, QLatin1String("AccessPoint")), QLatin1String("Server"));
    if (!server)
        return true;

    TSCL_Templates templates(dataTypeTemplates);
    try {
        // Pass 1: the model of every logical device.
        ForEachChild(server, QLatin1String("LDevice"), [&](const TXMLNode& element) {
            Append(List_LDevice, templates)->Decode_LDevice(element, templates, *this, false, fName);
        });
        // Pass 2: the data sets, whose members may name any logical device.
        std::size_t k = 0;
        ForEachChild(server, QLatin1String("LDevice"), [&](const TXMLNode& element) {
            if (k < List_LDevice.size())
                List_LDevice[k]->Decode_LDevice(element, templates, *this, true, fName);
            ++k;
        });
    } catch (const TSCL_Templates::TTooLarge&) {
        FreeBackwards(List_LDevice);
        Error = QStringLiteral("%1: the model has more than %2 objects and is not read.")
                    .arg(ExtractFileName(path))
                    .arg(IEC_Max_Model_Objects);
        return false;
    }
    return true;
}

void TIEC_LDevice::Decode_LDevice(const TXMLNode& element, TSCL_Templates& templates, const TIEC_Device& device,
                                  bool DataSetSearch, const QString& reference)
{
    fName = element.Attribute(QStringLiteral("inst"));
    const QString ldReference = reference + fName;
    std::size_t i = 0;
    for (TXMLNode c = element.FirstChild(); c; c = c.NextSibling()) {
        if (!IsLogicalNode(c))
            continue;
        if (!DataSetSearch)
            Append(List_LN, templates)->Decode_LN(c, templates, ldReference);
        else if (i < List_LN.size())
            List_LN[i]->Decode_LN_DataSet(c, templates, device, ldReference);
        ++i;
    }
}

void TIEC_LN::Decode_LN(const TXMLNode& element, TSCL_Templates& templates, const QString& reference)
{
    flnClass = element.Attribute(QStringLiteral("lnClass"));
    flnType = element.Attribute(QStringLiteral("lnType"));
    fPrefix = element.Attribute(QStringLiteral("prefix"));
    fInst = element.Attribute(QStringLiteral("inst"));
    const QString lnReference = reference + u'/' + fPrefix + flnClass + fInst;
    if (flnType.isEmpty())
        return;
    templates.Expand(TSCL_Templates::LNodeType, flnType, [&](const TXMLNode& lnodeType) {
        ForEachChild(lnodeType, QLatin1String("DO"), [&](const TXMLNode& d) {
            Append(List_DO, templates)->Decode_DO(d, templates, lnReference);
        });
    });
}

void TIEC_DO::Decode_DO(const TXMLNode& element, TSCL_Templates& templates, const QString& reference)
{
    fName = element.Attribute(QStringLiteral("name"));
    const QString doReference = reference + u'.' + fName;
    const QString type = element.Attribute(QStringLiteral("type"));
    if (type.isEmpty())
        return;
    templates.Expand(TSCL_Templates::DOType, type, [&](const TXMLNode& doType) {
        for (TXMLNode c = doType.FirstChild(); c; c = c.NextSibling()) {
            if (IsElement(c, QLatin1String("SDO")))
                Append(List_DO, templates)->Decode_DO(c, templates, doReference);
            else if (IsElement(c, QLatin1String("DA")))
                Append(List_DA, templates)->Decode_DA(c, templates, QString(), doReference);
        }
    });
}

void TIEC_DA::Decode_DA(const TXMLNode& element, TSCL_Templates& templates, const QString& FC_Father,
                        const QString& reference)
{
    fName = element.Attribute(QStringLiteral("name"));
    fReference = reference + u'.' + fName;
    fbType = element.Attribute(QStringLiteral("bType"));
    fFC = FC_Father;
    if (element.HasAttribute(QStringLiteral("fc")))
        fFC = element.Attribute(QStringLiteral("fc"));
    // An Enum's type names an enumeration, never a structure.
    if (!element.HasAttribute(QStringLiteral("type")) || fbType == QLatin1String("Enum"))
        return;
    templates.Expand(TSCL_Templates::DAType, element.Attribute(QStringLiteral("type")), [&](const TXMLNode& daType) {
        ForEachChild(daType, QLatin1String("BDA"), [&](const TXMLNode& b) {
            Append(List_DA, templates)->Decode_DA(b, templates, fFC, fReference);
        });
    });
}

void TIEC_LN::Decode_LN_DataSet(const TXMLNode& element, TSCL_Templates& templates, const TIEC_Device& device,
                                const QString& reference)
{
    flnClass = element.Attribute(QStringLiteral("lnClass"));
    // Data sets are named after the node's class only, without prefix and inst.
    const QString dataSetBase = reference + u'/' + flnClass;
    if (element.Attribute(QStringLiteral("lnType")).isEmpty())
        return;
    ForEachChild(element, QLatin1String("DataSet"), [&](const TXMLNode& ds) {
        Append(List_DataSet, templates)->Decode_DataSet(ds, templates, device, dataSetBase);
    });
    ForEachChild(element, QLatin1String("GSEControl"), [&](const TXMLNode& gse) { Decode_LN_Goose(gse, reference); });
}

void TIEC_LN::Decode_LN_Goose(const TXMLNode& element, const QString& reference)
{
    const QString name = element.Attribute(QStringLiteral("name"));
    const QString datSet = element.Attribute(QStringLiteral("datSet"));
    if (name.isEmpty() || datSet.isEmpty())
        return;
    for (const auto& ds : List_DataSet)
        if (ds->fName == datSet) {
            ds->fGooseName = name;
            return;
        }
}

void TIEC_DataSet::Decode_DataSet(const TXMLNode& element, TSCL_Templates& templates, const TIEC_Device& device,
                                  const QString& reference)
{
    fName = element.Attribute(QStringLiteral("name"));
    fReference = reference + u'.' + fName;
    ForEachChild(element, QLatin1String("FCDA"), [&](const TXMLNode& fcda) {
        const QString ldInst = fcda.Attribute(QStringLiteral("ldInst"));
        const QString lnClass = fcda.Attribute(QStringLiteral("lnClass"));
        const QString doName = fcda.Attribute(QStringLiteral("doName"));
        const QString daName = fcda.Attribute(QStringLiteral("daName"));
        const TIEC_LDevice* ld = ldInst.isEmpty() ? nullptr : device.Find_LDevice(ldInst);
        const TIEC_LN* ln = ld == nullptr || lnClass.isEmpty() ? nullptr : ld->Find_LN(lnClass);
        const TIEC_DO* d = ln == nullptr || doName.isEmpty() ? nullptr : ln->Find_DO(doName);
        if (d == nullptr)
            return;
        if (TIEC_DA* member = daName.isEmpty() ? d->Find_First_DA() : d->Find_DA(daName))
            List_DA.push_back(member);
    });
}
