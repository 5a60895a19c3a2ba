#include "fieldbus/UDefOffset.h"

#include <stdexcept>

#include "controls/FxButton.h"
#include "grid/columns/ExColumnGrid.h"
#include "platform/Dialogs.h"
#include "platform/ExtCtrls.h"
#include "platform/FileSystem.h"
#include "platform/Form.h"
#include "platform/PageControl.h"
#include "platform/Splitter.h"
#include "platform/StdControls.h"
#include "platform/StringList.h"
#include "platform/XmlDocument.h"
#include "shell/TextChecks.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

TFDefOffset* FDefOffset = nullptr;

namespace {

// The DeviceNet network table has 64 rows; a longer file is cut there.
constexpr Integer Max_Slaves = 64;
const QString None = QStringLiteral("None");

TPanel* Make_Panel(TForm* Form, TWinControl* Parent, const char* Name, TAlign Align)
{
    TPanel* panel = Make_Control<TPanel>(Form, Parent, Name);
    panel->SetAlign(Align);
    panel->SetBevelOuter(bvNone);
    panel->SetShowCaption(false);
    return panel;
}

TLabel* Make_Note(TForm* Form, TWinControl* Parent, const char* Name)
{
    TLabel* label = Make_Control<TLabel>(Form, Parent, Name);
    label->SetAlign(alTop);
    label->SetHeight(20);
    label->SetWordWrap(true);
    return label;
}

TExColumnGrid* Make_Grid(TForm* Form, TWinControl* Parent, const char* Name, std::initializer_list<Integer> Widths)
{
    TExColumnGrid* g = Make_Control<TExColumnGrid>(Form, Parent, Name);
    g->SetAlign(alClient);
    g->SetColCount(Integer(Widths.size()));
    g->SetRowCount(2);
    Integer c = 0;
    for (const Integer w : Widths)
        g->Columns()->Items(c++)->SetWidth(w);
    return g;
}

// A required attribute; throws the conversion error when it is missing.
QString Required(const TXMLNode& Node, const char* Name, const QString& File)
{
    const QString name = QLatin1String(Name);
    if (!Node.HasAttribute(name))
        throw EConvertError(
            QStringLiteral("Attribute \"%1\" missing in %2 of %3").arg(name, Node.NodeName(), File));
    return Node.Attribute(name);
}

// The element children of a node, in document order.
std::vector<TXMLNode> Elements(const TXMLNode& Node)
{
    std::vector<TXMLNode> list;
    for (TXMLNode n = Node ? Node.FirstChild() : TXMLNode(); n; n = n.NextSibling())
        if (n.NodeType() == ntElement)
            list.push_back(n);
    return list;
}

} // namespace

TFDefOffset::TFDefOffset(TComponent* AOwner) : TStepDialog(AOwner, QStringLiteral("FDefOffset"), 482, 610)
{
    Btn_OK->SetModalResult(mrNone);
    Btn_OK->OnClick = [this](TObject* s) { bitbtn1Click(s); };

    Panel1 = Make_Panel(this, this, "Panel1", alLeft);
    Panel1->SetBounds(0, 0, 262, 400);
    // The frame's label heads the slave list.
    Label1->SetParent(Panel1);
    Label1->SetAlign(alTop);
    Label1->SetHeight(36);
    Label1->SetWordWrap(true);
    ACG_DN_Slaves = Make_Grid(this, Panel1, "ACG_DN_Slaves", {55, 80, 90, 100});
    ACG_DN_Slaves->SetFixedCols(0);
    // The list starts at its first column, the slave's ID.
    ACG_DN_Slaves->SetLeftCol(0);
    ACG_DN_Slaves->SetCol(0);
    for (Integer c = 0; c < 4; ++c)
        ACG_DN_Slaves->Columns()->Items(c)->SetReadOnly(true);
    ACG_DN_Slaves->OnClick = [this](TObject* s) { ACG_DN_SlavesClick(s); };

    Splitter1 = Make_Control<TSplitter>(this, this, "Splitter1");
    Splitter1->SetAlign(alLeft);
    Splitter1->SetBounds(262, 0, 4, 400);

    Panel3 = Make_Panel(this, this, "Panel3", alClient);
    Label2 = Make_Note(this, Panel3, "Label2");
    Label2->SetHeight(36);
    Label3 = Make_Note(this, Panel3, "Label3");
    Label3->SetTop(40);
    Label3->SetHeight(36);
    PageControl1 = Make_Control<TPageControl>(this, Panel3, "PageControl1");
    PageControl1->SetAlign(alClient);
    TabSheet1 = new TTabSheet(this);
    TabSheet1->SetName(QStringLiteral("TabSheet1"));
    TabSheet1->SetPageControl(PageControl1);
    TabSheet2 = new TTabSheet(this);
    TabSheet2->SetName(QStringLiteral("TabSheet2"));
    TabSheet2->SetPageControl(PageControl1);
    ACG_ByteIN = Make_Grid(this, TabSheet1, "ACG_ByteIN", {40, 65, 100});
    ACG_ByteOUT = Make_Grid(this, TabSheet2, "ACG_ByteOUT", {40, 65, 100});
    for (TExColumnGrid* g : {ACG_ByteIN, ACG_ByteOUT}) {
        g->SetOptions(g->Options() | goEditing);
        g->Columns()->Items(0)->SetReadOnly(true);
        g->Columns()->Items(1)->SetEditor(edComboList);
        g->Columns()->Items(2)->SetEditor(edNormal);
    }
    PageControl1->SetActivePage(TabSheet1);

    Check_Byte_Offset.resize(size_t(DN_Array_Positions));
    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnShow = [this](TObject* s) { FormShow(s); };
}

TFDefOffset::~TFDefOffset()
{
    if (FDefOffset == this)
        FDefOffset = nullptr;
}

void TFDefOffset::FormCreate(TObject*)
{
    Frame_Create();
    PageControl1->SetActivePage(TabSheet1);
    Set_Lang();
}

void TFDefOffset::Set_Lang()
{
    SetCaption(Lang_Text(3900));
    L_SW_Desc->SetCaption(Lang_Text(3901));
    Btn_OK->SetCaption(Lang_Text(3902));
    Btn_Cancel->SetCaption(Lang_Text(3903));
    Btn_OK->SetHint(Lang_Text(3904));
    Btn_Cancel->SetHint(Lang_Text(3905));
    TabSheet1->SetCaption(Lang_Text(3906));
    TabSheet2->SetCaption(Lang_Text(3907));
    Label1->SetCaption(Lang_Text(3908));
    Label2->SetCaption(Lang_Text(3909));
    Label3->SetCaption(Lang_Text(3910));
    for (Integer c = 0; c < 4; ++c)
        ACG_DN_Slaves->Columns()->Items(c)->SetHeader(Lang_Text(3911 + c));
    for (Integer c = 0; c < 3; ++c) {
        ACG_ByteIN->Columns()->Items(c)->SetHeader(Lang_Text(3915 + c));
        ACG_ByteOUT->Columns()->Items(c)->SetHeader(Lang_Text(3918 + c));
    }
}

void TFDefOffset::Fill_Offset_Items(TExColumnGrid* Grid)
{
    TStringList items;
    items.Add(None);
    for (Integer i = 0; i < DN_Array_Positions; ++i)
        items.Add(QString::number(i));
    Grid->Columns()->Items(1)->SetComboItems(&items);
}

void TFDefOffset::FormShow(TObject*)
{
    List_Slaves_DN.clear();
    MAX_BYTE_IN = DN_Array_Positions;
    MAX_BYTE_OUT = DN_Array_Positions;
    Fill_Offset_Items(ACG_ByteIN);
    Fill_Offset_Items(ACG_ByteOUT);
    Slave_Before_Select = -1;
    ACG_ByteIN->SetRowCount(1);
    ACG_ByteOUT->SetRowCount(1);
    // A file that does not read whole is not written over: OK waits for
    // the next show.
    const bool loaded = Load_Slave_DN() && Load_Offset_Slave_DN();
    Btn_OK->SetEnabled(loaded);
    if (loaded)
        Select_First();
}

bool TFDefOffset::Load_Slave_DN()
{
    ACG_DN_Slaves->SetRowCount(1);
    if (!FileExists(DNETM_Net_File))
        return true;
    TXMLDocument xml;
    if (!xml.LoadFromFile(DNETM_Net_File)) {
        Application->MessageBox(xml.ErrorMessage(), Application->Title(), MB_OK | MB_ICONERROR);
        return false;
    }
    std::vector<TXMLNode> rows = Elements(xml.Root());
    if (Integer(rows.size()) > Max_Slaves)
        rows.resize(size_t(Max_Slaves));
    ACG_DN_Slaves->SetRowCount(Integer(rows.size()) + 1);
    const QString file = ExtractFileName(DNETM_Net_File);
    try {
        for (size_t i = 0; i < rows.size(); ++i) {
            const Integer r = Integer(i) + 1;
            const char* names[4] = {"ID", "NB_IN", "NB_OUT", "Mnemonic"};
            for (Integer c = 0; c < 4; ++c)
                ACG_DN_Slaves->SetCellEx(c, r, Required(rows[i], names[c], file));
            Integer numbers[3];
            for (Integer c = 0; c < 3; ++c) {
                const QString text = ACG_DN_Slaves->GetCellEx(c, r);
                if (!Try_Text_To_Int(text, numbers[c]))
                    throw EConvertError(QStringLiteral("'%1' is not a valid integer value (row %2 of %3)")
                                            .arg(text)
                                            .arg(r)
                                            .arg(file)
                                            );
            }
            auto slave = std::make_unique<TSlave_DN>();
            slave->ID = Byte(numbers[0]);
            slave->ByteIN = Word(numbers[1]);
            slave->ByteOUT = Word(numbers[2]);
            for (Integer j = 0; j < slave->ByteIN; ++j)
                slave->SL_ByteIN << None;
            for (Integer j = 0; j < slave->ByteOUT; ++j)
                slave->SL_ByteOUT << None;
            slave->SL_ByteIN_M = QStringList(slave->ByteIN, QString());
            slave->SL_ByteOUT_M = QStringList(slave->ByteOUT, QString());
            List_Slaves_DN.push_back(std::move(slave));
        }
    } catch (const std::exception& e) {
        Application->HandleException(this, e);
        return false;
    }
    return true;
}

bool TFDefOffset::Load_Offset_Slave_DN()
{
    if (!FileExists(DNETM_DefOff_File))
        return true;
    TXMLDocument xml;
    if (!xml.LoadFromFile(DNETM_DefOff_File)) {
        Application->MessageBox(xml.ErrorMessage(), Application->Title(), MB_OK | MB_ICONERROR);
        return false;
    }
    const QString file = ExtractFileName(DNETM_DefOff_File);
    const std::vector<TXMLNode> nodes = Elements(xml.Root());
    try {
        // The n-th node belongs to the n-th slave; surplus nodes are left out.
        for (size_t i = 0; i < nodes.size() && i < List_Slaves_DN.size(); ++i) {
            TSlave_DN& s = *List_Slaves_DN[i];
            const struct {
                const char* Name;
                QStringList* Offsets;
                QStringList* Mnemonics;
            } sides[] = {{"ByteIN", &s.SL_ByteIN, &s.SL_ByteIN_M}, {"ByteOUT", &s.SL_ByteOUT, &s.SL_ByteOUT_M}};
            for (const auto& side : sides) {
                const std::vector<TXMLNode> rows = Elements(nodes[i].FindChild(QLatin1String(side.Name)));
                for (size_t j = 0; j < rows.size() && j < size_t(side.Offsets->size()); ++j) {
                    (*side.Offsets)[qsizetype(j)] = Required(rows[j], "Offset", file);
                    (*side.Mnemonics)[qsizetype(j)] = Required(rows[j], "Mnemonic", file);
                }
            }
        }
    } catch (const std::exception& e) {
        Application->HandleException(this, e);
        return false;
    }
    return true;
}

void TFDefOffset::Select_First()
{
    if (ACG_DN_Slaves->GetRowCount() < 2) {
        ACG_ByteIN->SetRowCount(1);
        ACG_ByteOUT->SetRowCount(1);
        return;
    }
    ACG_DN_Slaves->SetRowEx(1);
    ACG_DN_SlavesClick(ACG_DN_Slaves);
}

void TFDefOffset::ACG_DN_SlavesClick(TObject*)
{
    if (Slave_Before_Select >= 0)
        Save_Data_ByteIN_ByteOUT();
    const Integer row = ACG_DN_Slaves->GetRowEx();
    if (row < 1 || row > Integer(List_Slaves_DN.size()))
        return;
    ACG_DN_Slaves->SelectRows(row, 1);
    Slave_Before_Select = row - 1;
    Update_Slave_DN();
}

void TFDefOffset::Update_Slave_DN()
{
    const TSlave_DN& s = *List_Slaves_DN[size_t(Slave_Before_Select)];
    const struct {
        TExColumnGrid* Grid;
        const QStringList& Offsets;
        const QStringList& Mnemonics;
    } sides[] = {{ACG_ByteIN, s.SL_ByteIN, s.SL_ByteIN_M}, {ACG_ByteOUT, s.SL_ByteOUT, s.SL_ByteOUT_M}};
    for (const auto& side : sides) {
        side.Grid->SetRowCount(Integer(side.Offsets.size()) + 1);
        for (qsizetype j = 0; j < side.Offsets.size(); ++j) {
            side.Grid->SetCellEx(0, Integer(j) + 1, QString::number(j));
            side.Grid->SetCellEx(1, Integer(j) + 1, side.Offsets[j]);
            side.Grid->SetCellEx(2, Integer(j) + 1, side.Mnemonics[j]);
        }
    }
}

bool TFDefOffset::Save_Data_ByteIN_ByteOUT()
{
    if (Slave_Before_Select < 0 || Slave_Before_Select >= Integer(List_Slaves_DN.size()))
        return true;
    TSlave_DN& s = *List_Slaves_DN[size_t(Slave_Before_Select)];
    const struct {
        TExColumnGrid* Grid;
        QStringList& Offsets;
        QStringList& Mnemonics;
    } sides[] = {{ACG_ByteIN, s.SL_ByteIN, s.SL_ByteIN_M}, {ACG_ByteOUT, s.SL_ByteOUT, s.SL_ByteOUT_M}};
    for (const auto& side : sides)
        for (Integer r = 1; r < side.Grid->GetRowCount() && r <= side.Offsets.size(); ++r) {
            side.Offsets[r - 1] = side.Grid->GetCellEx(1, r);
            side.Mnemonics[r - 1] = side.Grid->GetCellEx(2, r);
        }
    return true;
}

void TFDefOffset::Reset_Array_Check()
{
    Check_Byte_Offset.assign(size_t(DN_Array_Positions), TByteOwner());
}

bool TFDefOffset::Check_Data()
{
    Reset_Array_Check();
    // Input bytes may share positions; output bytes may not.
    for (const auto& slave : List_Slaves_DN)
        for (qsizetype j = 0; j < slave->SL_ByteOUT.size(); ++j) {
            const Integer pos = Text_To_Int(slave->SL_ByteOUT[j], -1);
            // A position beyond the array (hand-edited) is not placed.
            if (pos < 0 || pos >= DN_Array_Positions)
                continue;
            TByteOwner& owner = Check_Byte_Offset[size_t(pos)];
            if (owner.ID >= 0) {
                Application->MessageBox(Lang_Text(3921) + QStringLiteral("\n\r( ") + Lang_Text(3922) +
                                            QString::number(owner.ID) + Lang_Text(3923) + QString::number(owner.Byte) +
                                            Lang_Text(3924) + QString::number(slave->ID) + Lang_Text(3925) +
                                            QString::number(j) + QStringLiteral(")"),
                                        Application->Title(), MB_OK | MB_ICONERROR);
                return false;
            }
            owner = {slave->ID, Integer(j)};
        }
    return true;
}

bool TFDefOffset::Save_Offset_Slave_DN()
{
    TXMLDocument xml;
    xml.SetActive(true);
    TXMLNode root = xml.AddChild(QStringLiteral("Define_Offset"));
    xml.AddComment(QStringLiteral("SW_VERSION = 1.000"));
    for (const auto& s : List_Slaves_DN) {
        TXMLNode node = root.AddChild(QStringLiteral("Nodo_DNET"));
        const struct {
            const char* Name;
            const QStringList& Offsets;
            const QStringList& Mnemonics;
        } sides[] = {{"ByteIN", s->SL_ByteIN, s->SL_ByteIN_M}, {"ByteOUT", s->SL_ByteOUT, s->SL_ByteOUT_M}};
        for (const auto& side : sides) {
            TXMLNode list = node.AddChild(QLatin1String(side.Name));
            for (qsizetype j = 0; j < side.Offsets.size(); ++j) {
                TXMLNode row = list.AddChild(QStringLiteral("row"));
                row.SetAttribute(QStringLiteral("Offset"), side.Offsets[j]);
                row.SetAttribute(QStringLiteral("Mnemonic"), side.Mnemonics[j]);
            }
        }
    }
    if (!xml.SaveToFile(DNETM_DefOff_File)) {
        Application->MessageBox(xml.ErrorMessage(), Application->Title(), MB_OK | MB_ICONERROR);
        return false;
    }
    return true;
}

void TFDefOffset::bitbtn1Click(TObject*)
{
    Save_Data_ByteIN_ByteOUT();
    if (Check_Data() && Save_Offset_Slave_DN())
        SetModalResult(mrOk);
}
