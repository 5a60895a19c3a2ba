// The file IEC_61850_Client.xml of the IEC 61850 client window: the
// catalogue, the data-attribute rows and the data-set rows with the
// settings of their members.

#include "plant/UIEC_61850_Access.h"

#include <algorithm>

#include "grid/columns/ExColumnGrid.h"
#include "platform/FileSystem.h"
#include "platform/StdControls.h"
#include "platform/XmlDocument.h"
#include "shell/TextChecks.h"
#include "shell/UComon.h"

namespace {

const QString Root_Name = QStringLiteral("IEC_68850_Client");
// The data-set table's Reference column.
constexpr Integer dReference = 2;

// Columns 1 to 18 of the data-attribute table.
const char* const DA_Attributes[] = {
    "Index", "bType", "fc", "Reference", "StartByte", "NumByte", "IPAddress", "Port", "OnChange",
    "OnCMD", "OnTimer", "Time", "Position", "StartBit", "ReadWrite", "Convertion", "MoltFact", "Mnemonic",
};
// Columns 1 to 8 of the data-set table.
const char* const DataSet_Attributes[] = {
    "Index", "Reference", "GooseName", "EnGoose", "IPAddress", "Port", "Time", "Mnemonic",
};

// One element per table row, its attributes the cells from column 1 on;
// none when the table holds only its one row and that row is blank.
template <size_t N>
std::vector<TXMLNode> Write_Rows(TXMLNode List, const char* Element, const TExColumnGrid* Grid,
                                 const char* const (&Attributes)[N])
{
    std::vector<TXMLNode> rows;
    if (Grid->GetRowCount() <= 2 && Grid->GetCellEx(1, 1).isEmpty())
        return rows;
    for (Integer r = 1; r < Grid->GetRowCount(); ++r) {
        TXMLNode e = List.AddChild(QLatin1String(Element));
        for (size_t c = 0; c < N; ++c)
            e.SetAttribute(QLatin1String(Attributes[c]), Grid->GetCellEx(Integer(c) + 1, r));
        rows.push_back(e);
    }
    return rows;
}

QString Attr(const TXMLNode& Node, const char* Name)
{
    return Node.Attribute(QLatin1String(Name));
}

// The element children of a node, comments left out.
std::vector<TXMLNode> Elements(const TXMLNode& Parent)
{
    std::vector<TXMLNode> list;
    for (TXMLNode c = Parent.FirstChild(); c; c = c.NextSibling())
        if (c.NodeType() == ntElement)
            list.push_back(c);
    return list;
}

} // namespace

// ------------------------------------------------------------ writing

bool TFIEC_61850_Access::Write_Client_File(QString& Error)
{
    XML1->Clear();
    XML1->SetActive(true);
    TXMLNode root = XML1->AddChild(Root_Name);
    XML1->AddComment(QStringLiteral("SW_VERSION = 1.000"));

    TXMLNode files = root.AddChild(QStringLiteral("List_ICD_Files"));
    for (const auto& d : List_IEC_Dev) {
        TXMLNode e = files.AddChild(QStringLiteral("ICD_File"));
        e.SetAttribute(QStringLiteral("Name"), d->fName);
        e.SetAttribute(QStringLiteral("FileName"), d->fFileName);
    }

    Write_Rows(root.AddChild(QStringLiteral("List_DA_Selected")), "DA_Item", ACG_DA, DA_Attributes);
    std::vector<TXMLNode> sets = Write_Rows(root.AddChild(QStringLiteral("List_DataSet_Selected")),
                                                  "DataSet_Item", ACG_DataSet, DataSet_Attributes);
    for (Integer r = 1; r <= Integer(sets.size()); ++r) {
        TXMLNode members = sets[size_t(r - 1)].AddChild(QStringLiteral("DataSet_List_DAs"));
        if (r > Integer(List_DataSet.size()))
            continue;
        for (const auto& m : List_DataSet[size_t(r - 1)]->List_DAs) {
            TXMLNode item = members.AddChild(QStringLiteral("DataSet_DA_Item"));
            item.SetAttribute(QStringLiteral("bType"), m->Select_DA->fbType);
            item.SetAttribute(QStringLiteral("Reference"), m->Select_DA->fReference);
            item.SetAttribute(QStringLiteral("Position"), m->Position);
            item.SetAttribute(QStringLiteral("StartBit"), m->bitAddress);
            item.SetAttribute(QStringLiteral("Convertion"), m->conversion);
            item.SetAttribute(QStringLiteral("MoltFact"), m->multFactor);
            item.SetAttribute(QStringLiteral("Mnemonic"), m->Mnemonic);
        }
    }

    if (!XML1->SaveToFile(IEC_61850_Client_File)) {
        Error = XML1->ErrorMessage();
        return false;
    }
    return true;
}

// ------------------------------------------------------------ reading

TIEC_DataSet* TFIEC_61850_Access::Get_DataSet(Integer Index, const QString& Reference) const
{
    if (Index < 0 || Index >= Integer(List_IEC_Dev.size()))
        return nullptr;
    for (const auto& ld : List_IEC_Dev[size_t(Index)]->List_LDevice)
        for (const auto& ln : ld->List_LN)
            for (const auto& ds : ln->List_DataSet)
                if (ds->fReference == Reference)
                    return ds.get();
    return nullptr;
}

namespace {

QString Missing(const char* Attribute, const char* Element, Integer Number)
{
    return QStringLiteral("Attribute \"%1\" missing in %2 number %3 of %4")
        .arg(QLatin1String(Attribute), QLatin1String(Element))
        .arg(Number)
        .arg(ExtractFileName(IEC_61850_Client_File));
}

} // namespace

bool TFIEC_61850_Access::Read_Client_File()
{
    const bool read = [this] {
        if (!XML1->LoadFromFile(IEC_61850_Client_File)) {
            Error_Box(XML1->ErrorMessage());
            return false;
        }
        TXMLNode root;
        for (Integer i = 0; i < XML1->ChildCount() && !root; ++i)
            if (XML1->Child(i).NodeType() == ntElement && XML1->Child(i).NodeName() == Root_Name)
                root = XML1->Child(i);
        return Load_Catalogue(root.FindChild(QStringLiteral("List_ICD_Files")))
               && Load_DA_Rows(root.FindChild(QStringLiteral("List_DA_Selected")))
               && Load_DataSet_Rows(root.FindChild(QStringLiteral("List_DataSet_Selected")));
    }();
    // Whatever was read is shown whole: the sizes by type and the devices.
    Set_Start_Num_Byte();
    Show_IEC_Devices();
    return read;
}

bool TFIEC_61850_Access::Load_Catalogue(const TXMLNode& List)
{
    Integer number = 0;
    for (const TXMLNode& e : Elements(List)) {
        ++number;
        if (!e.HasAttribute(QStringLiteral("FileName"))) {
            Error_Box(Missing("FileName", "ICD_File", number));
            return false;
        }
        const QString name = Attr(e, "FileName");
        // A name with a folder in it names no catalogue copy.
        const bool plain = !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'));
        const QString path = Catalogue_Folder() + name;
        QString error;
        std::unique_ptr<TIEC_Device> device =
            TIEC_Device::Create(plain && FileExists(path) ? path : QString(), error);
        if (!device) {
            Error_Box(error);
            return false;
        }
        if (!plain || !FileExists(path)) {
            // The copy is gone: the entry stays, without a model, so that
            // the rows keep naming their devices by position and nothing of
            // the catalogue is lost on the next OK.
            device->fName = Attr(e, "Name");
            device->fFileName = name;
        }
        List_IEC_Dev.push_back(std::move(device));
    }
    return true;
}

bool TFIEC_61850_Access::Load_DA_Rows(const TXMLNode& List)
{
    const std::vector<TXMLNode> items = Elements(List);
    if (items.empty())
        return true;
    ACG_DA->SetRowCount(Integer(items.size()) + 1);
    for (Integer i = 0; i < Integer(items.size()); ++i) {
        const TXMLNode& e = items[size_t(i)];
        const Integer r = i + 1;
        for (Integer c = 0; c < Integer(std::size(DA_Attributes)); ++c) {
            const char* name = DA_Attributes[c];
            const bool optional = c + 1 == 5 || c + 1 == 6;  // StartByte, NumByte
            if (!optional && !e.HasAttribute(QLatin1String(name))) {
                Error_Box(Missing(name, "DA_Item", r));
                // The table keeps the rows read whole.
                ACG_DA->SetRowCount(std::max(r, 2));
                if (r == 1)
                    for (Integer k = 0; k < ACG_DA->GetColCount(); ++k)
                        ACG_DA->SetCellEx(k, 1, QString());
                return false;
            }
            ACG_DA->SetCellEx(c + 1, r, e.Attribute(QLatin1String(name)));
        }
        ACG_DA->SetCellEx(0, r, QString::number(r));
    }
    return true;
}

bool TFIEC_61850_Access::Load_DataSet_Rows(const TXMLNode& List)
{
    const std::vector<TXMLNode> items = Elements(List);
    if (items.empty())
        return true;
    ACG_DataSet->SetRowCount(Integer(items.size()) + 1);
    // On a fault the table keeps the rows that have their choice.
    const auto stop = [this](const QString& message) {
        Error_Box(message);
        const Integer kept = Integer(List_DataSet.size());
        ACG_DataSet->SetRowCount(std::max(kept + 1, 2));
        if (kept == 0)
            for (Integer k = 0; k < ACG_DataSet->GetColCount(); ++k)
                ACG_DataSet->SetCellEx(k, 1, QString());
        return false;
    };
    for (Integer i = 0; i < Integer(items.size()); ++i) {
        const TXMLNode& e = items[size_t(i)];
        const Integer r = i + 1;
        for (Integer c = 0; c < Integer(std::size(DataSet_Attributes)); ++c) {
            if (!e.HasAttribute(QLatin1String(DataSet_Attributes[c])))
                return stop(Missing(DataSet_Attributes[c], "DataSet_Item", r));
            ACG_DataSet->SetCellEx(c + 1, r, e.Attribute(QLatin1String(DataSet_Attributes[c])));
        }
        ACG_DataSet->SetCellEx(0, r, QString::number(r));
        Integer index = 0;
        if (!Try_Text_To_Int(Attr(e, "Index"), index))
            return stop(QStringLiteral("'%1' is not a valid integer value (Index of DataSet_Item number %2 of %3)")
                            .arg(Attr(e, "Index"))
                            .arg(r)
                            .arg(ExtractFileName(IEC_61850_Client_File)));
        auto choice = std::make_unique<TDataSet>();
        choice->Select_DataSet = Get_DataSet(index, ACG_DataSet->GetCellEx(dReference, r));
        // Stored members are taken back by position while they still match.
        const std::vector<TXMLNode> members = Elements(e.FindChild(QStringLiteral("DataSet_List_DAs")));
        for (Integer k = 0; k < Integer(members.size()); ++k) {
            const TXMLNode& m = members[size_t(k)];
            if (choice->Select_DataSet == nullptr || k >= Integer(choice->Select_DataSet->List_DA.size()))
                continue;
            TIEC_DA* da = choice->Select_DataSet->List_DA[size_t(k)];
            if (da->fbType != Attr(m, "bType") || da->fReference != Attr(m, "Reference"))
                continue;
            auto member = std::make_unique<TDataSet_DA>();
            member->Select_DA = da;
            member->Position = Attr(m, "Position");
            member->bitAddress = Attr(m, "StartBit");
            member->conversion = Attr(m, "Convertion");
            member->multFactor = Attr(m, "MoltFact");
            member->Mnemonic = Attr(m, "Mnemonic");
            choice->List_DAs.push_back(std::move(member));
        }
        List_DataSet.push_back(std::move(choice));
    }
    return true;
}
