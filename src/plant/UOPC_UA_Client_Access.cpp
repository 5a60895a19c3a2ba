#include "plant/UOPC_UA_Client_Access.h"

#include "controls/FxButton.h"
#include "grid/columns/ExColumnGrid.h"
#include "platform/Dialogs.h"
#include "platform/ExtCtrls.h"
#include "platform/FileSystem.h"
#include "platform/PageControl.h"
#include "platform/StdControls.h"
#include "platform/StringList.h"
#include "plant/UOPC_UA_Add_Server.h"
#include "plant/UOPC_UA_Scan_Server.h"
#include "shell/CodeTables.h"
#include "shell/TextChecks.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

TFOPC_UA_Client_Access* FOPC_UA_Client_Access = nullptr;

namespace {

constexpr Integer Rows = 1024;
constexpr const char* Node_Types = "Numeric|String|Guid|ByteString";
constexpr const char* Data_Types =
    "Boolean|Int8|UInt8|Int16|UInt16|Int32|UInt32|Int64|UInt64|Float|Double|String|DateTime|Guid|ByteString";

// The variable tables keep no file of their own: the model does.
constexpr TRuleColumn Read_Columns[] = {
    {nullptr, reCheck, 50, 5446, 5455, rmDefault},
    {nullptr, reText, 180, 5447, 5456, rmDefault},
    {nullptr, reCombo, 90, 5448, 5457, rmDefault, "", Node_Types},
    {nullptr, reText, 160, 5449, 5458, rmDefault},
    {nullptr, reCombo, 85, 5450, 5459, rmDefault, "", Data_Types},
    {nullptr, reText, 115, 5451, 5460, rmDefault},
    {nullptr, reCombo, 75, 5513, 5516, rmDefault, "", "Variable|Array"},
    {nullptr, reText, 50, 5514, 5517, rmDefault},
    {nullptr, reText, 55, 5515, 5518, rmDefault},
    {nullptr, reText, 70, 5452, 5461, rmDefault},
    {nullptr, reText, 65, 5453, 5462, rmDefault},
    {nullptr, reCombo, 60, 5529, 5530, rmDefault, "", "#8"},
    {nullptr, reCheck, 45, 5505, 5507, rmDefault},
    {nullptr, reCheck, 60, 5506, 5508, rmDefault},
    {nullptr, reCheck, 55, 5525, 5526, rmDefault},
    {nullptr, reText, 150, 5454, 5463, rmDefault},
};

constexpr TRuleColumn Write_Columns[] = {
    {nullptr, reCheck, 50, 5465, 5477, rmDefault},
    {nullptr, reText, 180, 5466, 5478, rmDefault},
    {nullptr, reCombo, 90, 5467, 5479, rmDefault, "", Node_Types},
    {nullptr, reText, 160, 5468, 5480, rmDefault},
    {nullptr, reCombo, 85, 5469, 5481, rmDefault, "", Data_Types},
    {nullptr, reText, 115, 5470, 5482, rmDefault},
    {nullptr, reCheck, 75, 5471, 5484, rmDefault},
    {nullptr, reCheck, 60, 5472, 5483, rmDefault},
    {nullptr, reCheck, 65, 5473, 5485, rmDefault},
    {nullptr, reText, 70, 5474, 5486, rmDefault},
    {nullptr, reText, 65, 5475, 5487, rmDefault},
    {nullptr, reCombo, 60, 5531, 5532, rmDefault, "", "#8"},
    {nullptr, reCheck, 45, 5509, 5511, rmDefault},
    {nullptr, reCheck, 60, 5510, 5512, rmDefault},
    {nullptr, reCheck, 55, 5527, 5528, rmDefault},
    {nullptr, reText, 150, 5476, 5488, rmDefault},
};

const TRuleTable Read_Rules{nullptr, Read_Columns, 5445, -1, 2, true};
const TRuleTable Write_Rules{nullptr, Write_Columns, 5464, -1, 2, true};
const TRuleGridLook Look{true, true, true, true, true};
const TRuleTexts Texts{5400, 5401, {5433, 5434, 5435, 5436, 5437, 5438}, {5439, 5440, 5441, 5442, 5443, 5444}, 5493,
                       -1};
// No path: the frame reads and writes nothing; OPC_UA_Client.xml goes
// through the model's reader and writer.
const QString No_File;
const TRuleFile File{&No_File, "OPC_UA_Client", ""};

// Columns of the variable tables.
enum {
    cEnable = 1, cName, cNode_Type, cNode_Id, cVar_Type, cName_Space,
    cVar_Array, cStart, cLen,            // read table
    cTime = 10, cPosition, cStart_Bit, cSwap, cSwap_Word, cSwap_All, cMnemonic,
};
// Write table columns 7 to 9.
enum { cOn_Change = 7, cOn_CMD, cOn_Timer };

// The server table: header and hint texts of columns 1 to 10, widths.
const struct {
    Integer Header, Hint, Width;
} Server_Columns[] = {
    {5411, -1, 40},   {5412, 5422, 50},  {5413, 5423, 200}, {5414, 5424, 150}, {5415, 5425, 90}, {5416, 5426, 90},
    {5417, 5427, 110}, {5418, 5428, 110}, {5419, 5429, 110}, {5420, 5430, 150}, {5421, 5431, 140},
};

QString YN(bool value)
{
    return value ? QStringLiteral("Y") : QStringLiteral("N");
}

Integer Ask(Integer Text, Cardinal Buttons)
{
    return Application->MessageBox(Lang_Text(Text), Application->Title(), Buttons | MB_ICONQUESTION);
}

} // namespace

TFOPC_UA_Client_Access::TFOPC_UA_Client_Access(TComponent* AOwner)
    : TRuleTableForm(AOwner, QStringLiteral("FOPC_UA_Client_Access"), 1150, 660, Texts, File),
      Hint_Server_List(std::make_unique<TStringList>())
{
    // The server table with its buttons above the two variable tables.
    TPanel* p_servers = Make_Control<TPanel>(this, this, "P_Servers");
    p_servers->SetAlign(alTop);
    p_servers->SetHeight(214);
    p_servers->SetBevelOuter(bvNone);
    p_servers->SetShowCaption(false);
    L_Server_List_Title = Make_Control<TLabel>(this, p_servers, "L_Server_List_Title");
    L_Server_List_Title->SetBounds(10, 4, 400, 14);
    L_Server_List_Title->Font()->SetStyle(fsBold);
    ACG_OPC_UA_Server = Make_Control<TExColumnGrid>(this, p_servers, "ACG_OPC_UA_Server");
    ACG_OPC_UA_Server->SetBounds(10, 22, 1010, 164);
    ACG_OPC_UA_Server->SetColCount(Integer(std::size(Server_Columns)));
    ACG_OPC_UA_Server->SetRowCount(2);
    ACG_OPC_UA_Server->SetOptions((ACG_OPC_UA_Server->Options() | goRowSelect | goColSizing) & ~goEditing);
    ACG_OPC_UA_Server->SetShowHint(true);
    for (Integer c = 0; c < Integer(std::size(Server_Columns)); ++c)
        ACG_OPC_UA_Server->Columns()->Items(c)->SetWidth(Server_Columns[c].Width);
    ACG_OPC_UA_Server->OnClickCell = [this](TObject* s, Integer r, Integer c) { ACG_OPC_UA_ServerClickCell(s, r, c); };
    ACG_OPC_UA_Server->OnDblClickCell = [this](TObject* s, Integer r, Integer c) {
        ACG_OPC_UA_ServerDblClickCell(s, r, c);
    };
    ACG_OPC_UA_Server->OnGridHint = [this](TObject* s, Integer r, Integer c, QString& h) { Server_Grid_Hint(s, r, c, h); };

    const struct {
        TFxButton** Button;
        const char* Name;
        void (TFOPC_UA_Client_Access::*Action)();
    } server_buttons[] = {
        {&Btn_Add_Server, "Btn_Add_Server", &TFOPC_UA_Client_Access::Add_Server},
        {&Btn_Modify_Server, "Btn_Modify_Server", &TFOPC_UA_Client_Access::Modify_Server},
        {&Btn_Delete_Server, "Btn_Delete_Server", &TFOPC_UA_Client_Access::Delete_Server},
        {&Btn_Scan_Server, "Btn_Scan_Server", &TFOPC_UA_Client_Access::Scan_Server},
    };
    Integer top = 22;
    for (const auto& b : server_buttons) {
        TFxButton* button = Make_Control<TFxButton>(this, p_servers, b.Name);
        button->SetBounds(1032, top, 108, 30);
        button->SetShowHint(true);
        button->OnClick = [this, action = b.Action](TObject*) { (this->*action)(); };
        *b.Button = button;
        top += 38;
    }
    L_Variables_List_Title = Make_Control<TLabel>(this, p_servers, "L_Variables_List_Title");
    L_Variables_List_Title->SetBounds(10, 196, 400, 14);
    L_Variables_List_Title->Font()->SetStyle(fsBold);

    ACG_OPC_UA_Var_R = Add_Grid(Read_Rules, Look, "ACG_OPC_UA_Var_R", Rows, "TS_OPC_UA_Var_Read", &Do_Copy_Read);
    ACG_OPC_UA_Var_W = Add_Grid(Write_Rules, Look, "ACG_OPC_UA_Var_W", Rows, "TS_OPC_UA_Var_Write", &Do_Copy_Write);
    PC_OPC_UA_Vars = PageControl1;
    PC_OPC_UA_Vars->SetName(QStringLiteral("PC_OPC_UA_Vars"));
    TS_OPC_UA_Var_Read = Sheet(0);
    TS_OPC_UA_Var_Write = Sheet(1);
    Hint_Var_R_List = Hint_List(ACG_OPC_UA_Var_R);
    Hint_Var_W_List = Hint_List(ACG_OPC_UA_Var_W);
    for (TExColumnGrid* g : {ACG_OPC_UA_Var_R, ACG_OPC_UA_Var_W}) {
        g->OnEnter = [this](TObject* s) { ACG_OPC_UA_Var_Enter(s); };
        g->OnExit = [this](TObject* s) { ACG_OPC_UA_Var_Exit(s); };
    }

    Btn_AutoPosition = Make_Control<TFxButton>(this, P_Button, "Btn_AutoPosition");
    Btn_AutoPosition->SetBounds(8 + 4 * 98, 7, 90, 30);
    Btn_AutoPosition->SetCaption(QStringLiteral("Auto Pos"));
    Btn_AutoPosition->OnClick = [this](TObject* s) { Btn_AutoPositionClick(s); };
}

TFOPC_UA_Client_Access::~TFOPC_UA_Client_Access()
{
    if (FOPC_UA_Client_Access == this)
        FOPC_UA_Client_Access = nullptr;
}

// ------------------------------------------------------------ texts

void TFOPC_UA_Client_Access::Set_Lang()
{
    TRuleTableForm::Set_Lang();
    L_Server_List_Title->SetCaption(Lang_Text(5402));
    L_Variables_List_Title->SetCaption(Lang_Text(5432));
    const struct {
        TFxButton* Button;
        Integer Caption, Hint;
    } buttons[] = {
        {Btn_Add_Server, 5403, 5407},
        {Btn_Modify_Server, 5404, 5408},
        {Btn_Delete_Server, 5405, 5409},
        {Btn_Scan_Server, 5406, 5410},
    };
    for (const auto& b : buttons) {
        b.Button->SetCaption(Lang_Text(b.Caption));
        b.Button->SetHint(Lang_Text(b.Hint));
    }
    Hint_Server_List->Clear();
    for (Integer c = 0; c < Integer(std::size(Server_Columns)); ++c) {
        ACG_OPC_UA_Server->Columns()->Items(c)->SetHeader(Lang_Text(Server_Columns[c].Header));
        if (c > 0)
            Hint_Server_List->Add(Lang_Text(Server_Columns[c].Hint));
    }
    // These page captions have no text of their own.
    TS_OPC_UA_Var_Read->SetCaption(QStringLiteral("Variables in Read"));
    TS_OPC_UA_Var_Write->SetCaption(QStringLiteral("Variables in Write"));
}

void TFOPC_UA_Client_Access::Server_Grid_Hint(TObject*, Integer ARow, Integer ACol, QString& HintStr)
{
    const Integer entry = ACG_OPC_UA_Server->RealColIndex(ACol) - 1;
    HintStr = ARow == 0 && entry >= 0 && entry < Hint_Server_List->Count() ? Hint_Server_List->Strings(entry)
                                                                            : QString();
}

// ------------------------------------------------------------ showing

void TFOPC_UA_Client_Access::Show_Done()
{
    ACG_OPC_UA_Server->SetRowCount(2);
    for (Integer c = 0; c < ACG_OPC_UA_Server->GetColCount() + ACG_OPC_UA_Server->NumHiddenColumns(); ++c)
        ACG_OPC_UA_Server->SetCellEx(c, 1, QString());
    OPC_UA_Server_List.clear();
    FClient_Load.Begin(OPC_UA_Client_File);
    if (FileExists(OPC_UA_Client_File)) {
        QString error;
        if (!Read_OPC_UA_Client_File(OPC_UA_Client_File, OPC_UA_Server_List, error)) {
            FClient_Load.Set_Failed();
            Error_Box(error);
        }
    }
    Show_OPC_UA_Server_List();
    Show_OPC_UA_Var_List();
    Ind_Server = -1;
}

Integer TFOPC_UA_Client_Access::Selected_Server() const
{
    const Integer index = ACG_OPC_UA_Server->GetRowEx() - 1;
    return index >= 0 && index < Integer(OPC_UA_Server_List.size()) ? index : -1;
}

void TFOPC_UA_Client_Access::Show_OPC_UA_Server_List()
{
    TExColumnGrid* g = ACG_OPC_UA_Server;
    if (OPC_UA_Server_List.empty()) {
        g->SetRowCount(2);
        for (Integer c = 0; c < g->GetColCount(); ++c)
            g->SetCellEx(c, 1, QString());
        return;
    }
    g->SetRowCount(Integer(OPC_UA_Server_List.size()) + 1);
    for (Integer i = 0; i < Integer(OPC_UA_Server_List.size()); ++i) {
        const TOPC_UA_Server& s = *OPC_UA_Server_List[size_t(i)];
        const QString cells[] = {QString::number(i + 1), YN(s.Enable()), s.ServerAddress(),  s.Authorization(),
                                 s.UserName(),            s.Password(),   s.Certificate(),    s.PrivateKey(),
                                 s.SecurityType(),        s.SecurityPolicy(), s.Mnemonic()};
        for (Integer c = 0; c < Integer(std::size(cells)); ++c)
            g->SetCellEx(c, i + 1, cells[c]);
    }
}

void TFOPC_UA_Client_Access::Erase_Var_List(TExColumnGrid* Grid)
{
    const Integer columns = Grid->GetColCount() + Grid->NumHiddenColumns();
    for (Integer r = 1; r < Grid->GetRowCount(); ++r) {
        Grid->SetCellEx(0, r, QString::number(r));
        Grid->SetCellEx(cEnable, r, QStringLiteral("Y"));
        for (Integer c = cEnable + 1; c < columns; ++c)
            Grid->SetCellEx(c, r, QString());
    }
}

void TFOPC_UA_Client_Access::Show_OPC_UA_Var_List()
{
    Erase_Var_List(ACG_OPC_UA_Var_R);
    Erase_Var_List(ACG_OPC_UA_Var_W);
    const Integer index = Selected_Server();
    if (index < 0)
        return;
    const TOPC_UA_Server& server = *OPC_UA_Server_List[size_t(index)];
    for (const bool read : {true, false}) {
        TExColumnGrid* g = read ? ACG_OPC_UA_Var_R : ACG_OPC_UA_Var_W;
        const TOPC_UA_Variable_List& list = read ? server.Var_List_R : server.Var_List_W;
        for (Integer j = 0; j < Integer(list.size()) && j + 1 < g->GetRowCount(); ++j) {
            const TOPC_UA_Variable& v = *list[size_t(j)];
            const Integer r = j + 1;
            g->SetCellEx(cEnable, r, YN(v.Enable()));
            g->SetCellEx(cName, r, v.DispalyName());
            g->SetCellEx(cNode_Type, r, v.NodeType());
            g->SetCellEx(cNode_Id, r, v.NodeID());
            g->SetCellEx(cVar_Type, r, v.VarType());
            g->SetCellEx(cName_Space, r, QString::number(v.nameSpaceIndex));
            g->SetCellEx(cVar_Array, r, read ? v.VarArray() : v.OnChange());
            g->SetCellEx(cStart, r, read ? v.Start() : v.OnCMD());
            g->SetCellEx(cLen, r, read ? v.Len() : v.OnTimer());
            g->SetCellEx(cTime, r, v.Time());
            g->SetCellEx(cPosition, r, v.Position());
            g->SetCellEx(cStart_Bit, r, v.StartBit());
            g->SetCellEx(cSwap, r, YN(v.Swap()));
            g->SetCellEx(cSwap_Word, r, YN(v.Swap_Word()));
            g->SetCellEx(cSwap_All, r, YN(v.Swap_All()));
            g->SetCellEx(cMnemonic, r, v.Mnemonic());
        }
    }
}

// ------------------------------------------------------------ tables into the model

void TFOPC_UA_Client_Access::Save_Variables(TExColumnGrid* Grid, Integer Index, Integer Skip)
{
    if (Index < 0 || Index >= Integer(OPC_UA_Server_List.size()))
        return;
    const bool read = Grid == ACG_OPC_UA_Var_R;
    TOPC_UA_Server& server = *OPC_UA_Server_List[size_t(Index)];
    TOPC_UA_Variable_List& list = read ? server.Var_List_R : server.Var_List_W;
    // Variables beyond the table's rows (a file may hold more) were never
    // shown and stay behind the table's.
    TOPC_UA_Variable_List beyond;
    const size_t shown = size_t(Grid->GetRowCount() - 1);
    for (size_t i = shown; i < list.size(); ++i)
        beyond.push_back(std::move(list[i]));
    list.clear();
    for (Integer r = 1; r < Grid->GetRowCount() && (r == Skip || !Grid->GetCellEx(cName, r).isEmpty()); ++r) {
        if (r == Skip)
            continue;
        auto cell = [&](Integer c) { return Grid->GetCellEx(c, r); };
        auto v = std::make_unique<TOPC_UA_Variable>();
        v->SetEnable(cell(cEnable) == QLatin1String("Y"));
        v->SetDispalyName(cell(cName));
        // The node type first: the identifier is read by it.
        v->SetNodeType(cell(cNode_Type));
        v->SetNodeID(cell(cNode_Id));
        v->SetVarType(cell(cVar_Type));
        v->nameSpaceIndex = Word(Decimal_To_Int(cell(cName_Space), 0));
        v->SetTime(cell(cTime));
        v->SetPosition(cell(cPosition));
        v->SetStartBit(cell(cStart_Bit));
        v->SetSwap(cell(cSwap) == QLatin1String("Y"));
        v->SetSwap_Word(cell(cSwap_Word) == QLatin1String("Y"));
        v->SetSwap_All(cell(cSwap_All) == QLatin1String("Y"));
        v->SetMnemonic(cell(cMnemonic));
        if (read) {
            v->SetVarArray(cell(cVar_Array));
            v->SetStart(cell(cStart));
            v->SetLen(cell(cLen));
            for (auto set : {&TOPC_UA_Variable::SetOnChange, &TOPC_UA_Variable::SetOnCMD, &TOPC_UA_Variable::SetOnTimer})
                ((*v).*set)(QStringLiteral("N"));
        } else {
            v->SetOnChange(cell(cOn_Change));
            v->SetOnCMD(cell(cOn_CMD));
            v->SetOnTimer(cell(cOn_Timer));
        }
        list.push_back(std::move(v));
    }
    for (auto& v : beyond)
        list.push_back(std::move(v));
}

void TFOPC_UA_Client_Access::Save_Variable_in_Read()
{
    Save_Variables(ACG_OPC_UA_Var_R, Ind_Server);
}

void TFOPC_UA_Client_Access::Save_Variable_in_Write()
{
    Save_Variables(ACG_OPC_UA_Var_W, Ind_Server);
}

void TFOPC_UA_Client_Access::ACG_OPC_UA_Var_Enter(TObject*)
{
    Ind_Server = Selected_Server();
}

void TFOPC_UA_Client_Access::ACG_OPC_UA_Var_Exit(TObject* Sender)
{
    // The server shown when the user entered the table takes the edits,
    // also when the exit comes from a click on another server.
    if (Ind_Server >= 0) {
        if (Sender == ACG_OPC_UA_Var_R)
            Save_Variable_in_Read();
        else if (Sender == ACG_OPC_UA_Var_W)
            Save_Variable_in_Write();
    }
    Ind_Server = -1;
}

TExColumnGrid* TFOPC_UA_Client_Access::Active_Table() const
{
    return PC_OPC_UA_Vars->ActivePage() == TS_OPC_UA_Var_Write ? ACG_OPC_UA_Var_W : ACG_OPC_UA_Var_R;
}

void TFOPC_UA_Client_Access::Save_Active_Table(Integer Skip)
{
    Save_Variables(Active_Table(), Selected_Server(), Skip);
    Ind_Server = -1;
}

// ------------------------------------------------------------ row buttons

void TFOPC_UA_Client_Access::Btn_DelRowClick(TObject* Sender)
{
    TRuleTableForm::Btn_DelRowClick(Sender);
    Save_Active_Table();
}

void TFOPC_UA_Client_Access::Btn_InsRowClick(TObject* Sender)
{
    // The new blank row would end the table there and cut the server's
    // variables below it: it is left out until the user names it.
    const Integer row = Active_Table()->GetRowEx();
    TRuleTableForm::Btn_InsRowClick(Sender);
    Save_Active_Table(row);
}

void TFOPC_UA_Client_Access::Btn_PasteRowClick(TObject* Sender)
{
    TRuleTableForm::Btn_PasteRowClick(Sender);
    Save_Active_Table();
}

// ------------------------------------------------------------ servers

void TFOPC_UA_Client_Access::ACG_OPC_UA_ServerClickCell(TObject*, Integer ARow, Integer)
{
    if (ARow > 0)
        Show_OPC_UA_Var_List();
}

void TFOPC_UA_Client_Access::ACG_OPC_UA_ServerDblClickCell(TObject*, Integer ARow, Integer)
{
    if (ARow == -1)
        Add_Server();
    else
        Modify_Server();
}

namespace {

// The dialog's fields into a server.
void Take_Dialog(TOPC_UA_Server& s, const TFOPC_UA_Add_Server& d)
{
    s.SetEnable(d.CB_OPC_UA_Server_Enable->Checked());
    s.SetServerAddress(d.E_Server_Add->Text());
    s.SetAuthorization(OPC_UA_Auth_Name(d.CB_Auth->ItemIndex()));
    s.SetUserName(d.E_User->Text());
    s.SetPassword(d.E_Pass->Text());
    s.SetCertificate(d.RE_Certificate->Text());
    s.SetPrivateKey(d.RE_Priv_Key->Text());
    s.SetSecurityType(OPC_UA_Security_Mode_Name(d.CB_Sec_Type->ItemIndex()));
    s.SetSecurityPolicy(OPC_UA_Security_Policy_Name(d.CB_Sec_Policy->ItemIndex()));
    s.SetMnemonic(d.E_Mnemonic->Text());
}

} // namespace

void TFOPC_UA_Client_Access::Add_Server()
{
    FOPC_UA_Add_Server->FormType = 1;
    if (FOPC_UA_Add_Server->ShowModal() == mrOk) {
        auto server = std::make_unique<TOPC_UA_Server>();
        Take_Dialog(*server, *FOPC_UA_Add_Server);
        OPC_UA_Server_List.push_back(std::move(server));
    }
    Show_OPC_UA_Server_List();
}

void TFOPC_UA_Client_Access::Modify_Server()
{
    const Integer index = Selected_Server();
    if (index >= 0) {
        TOPC_UA_Server& s = *OPC_UA_Server_List[size_t(index)];
        TFOPC_UA_Add_Server& d = *FOPC_UA_Add_Server;
        d.FormType = 2;
        d.CB_OPC_UA_Server_Enable->SetChecked(s.Enable());
        d.E_Server_Add->SetText(s.ServerAddress());
        d.E_User->SetText(s.UserName());
        d.E_Pass->SetText(s.Password());
        d.RE_Certificate->SetText(s.Certificate());
        d.RE_Priv_Key->SetText(s.PrivateKey());
        d.E_Mnemonic->SetText(s.Mnemonic());
        d.CB_Auth->SetItemIndex(OPC_UA_Auth_Code(s.Authorization()));
        d.CB_Sec_Type->SetItemIndex(OPC_UA_Security_Mode_Code(s.SecurityType()));
        d.CB_Sec_Policy->SetItemIndex(OPC_UA_Security_Policy_Code(s.SecurityPolicy()));
        if (d.ShowModal() == mrOk)
            Take_Dialog(s, d);
    }
    Show_OPC_UA_Server_List();
}

void TFOPC_UA_Client_Access::Delete_Server()
{
    const Integer index = Selected_Server();
    if (index < 0 || Ask(5489, MB_YESNOCANCEL) != IDYES)
        return;
    OPC_UA_Server_List.erase(OPC_UA_Server_List.begin() + index);
    Show_OPC_UA_Server_List();
    Show_OPC_UA_Var_List();
}

void TFOPC_UA_Client_Access::Import(TOPC_UA_Variable_List& List, Integer Col)
{
    const TFOPC_UA_Scan_Server& scan = *FOPC_UA_Scan_Server;
    for (Integer r = 1; r <= Integer(scan.List_Var.size()) && r < scan.ACG_OPC_UA_Scan_Var->GetRowCount(); ++r) {
        if (scan.ACG_OPC_UA_Scan_Var->GetCellEx(Col, r) != QLatin1String("Y"))
            continue;
        const opcua_structure node = scan.List_Var[size_t(r - 1)].Node();
        auto v = std::make_unique<TOPC_UA_Variable>();
        v->SetEnable(true);
        v->SetDispalyName(QString::fromLocal8Bit(node.displayName));
        v->nameSpaceIndex = node.nameSpaceIndex;
        v->identifierType = node.identifierType;
        v->numeric = node.numeric;
        v->stringname = QString::fromLocal8Bit(node.stringname);
        v->guide1 = node.guide1;
        v->guide2 = node.guide2;
        v->guide3 = node.guide3;
        std::copy(std::begin(node.guide4), std::end(node.guide4), v->guide4.begin());
        v->byteString = QString::fromLocal8Bit(node.byteString);
        v->dataType = node.dataType;
        List.push_back(std::move(v));
    }
}

void TFOPC_UA_Client_Access::Scan_Server()
{
    const Integer index = Selected_Server();
    if (index < 0) {
        Error_Box(Lang_Text(5490));
        return;
    }
    TOPC_UA_Server& server = *OPC_UA_Server_List[size_t(index)];
    // The library gets 8-bit texts; they live until the scan window closes.
    const QByteArray address = server.ServerAddress().toLocal8Bit();
    const QByteArray user = server.UserName().toLocal8Bit();
    const QByteArray password = server.Password().toLocal8Bit();
    const QByteArray certificate = server.Certificate().toLocal8Bit();
    const QByteArray key = server.PrivateKey().toLocal8Bit();
    TFOPC_UA_Scan_Server& scan = *FOPC_UA_Scan_Server;
    scan.Server = {address.constData(),
                   OPC_UA_Auth_Code(server.Authorization()),
                   user.constData(),
                   password.constData(),
                   certificate.constData(),
                   key.constData(),
                   OPC_UA_Security_Mode_Code(server.SecurityType()),
                   OPC_UA_Security_Policy_Code(server.SecurityPolicy())};
    const Integer result = scan.ShowModal();
    scan.Server = {};  // the texts end here
    if (result != mrOk)
        return;
    if (!scan.List_Var.empty()) {
        const struct {
            TOPC_UA_Variable_List& List;
            Integer Col;
            Integer Question;
        } lists[] = {{server.Var_List_R, 1, 5491}, {server.Var_List_W, 2, 5492}};
        for (const auto& l : lists) {
            if (l.List.empty()) {
                Import(l.List, l.Col);
                continue;
            }
            const Integer answer = Ask(l.Question, MB_YESNOCANCEL);
            if (answer == IDCANCEL)
                continue;
            if (answer == IDNO)
                l.List.clear();
            Import(l.List, l.Col);
        }
    }
    Show_OPC_UA_Var_List();
}

void TFOPC_UA_Client_Access::Btn_AutoPositionClick(TObject*)
{
    const Integer index = Selected_Server();
    if (index < 0 || Ask(5494, MB_YESNO) != IDYES)
        return;
    Auto_Position(OPC_UA_Server_List, index + 1);
    Show_OPC_UA_Var_List();
}

// ------------------------------------------------------------ OK

bool TFOPC_UA_Client_Access::Controllo_dati()
{
    return Controllo_Dati(OPC_UA_Server_List);
}

void TFOPC_UA_Client_Access::Btn_OKClick(TObject*)
{
    if (!Controllo_dati() || !FClient_Load.Confirm_Replace())
        return;
    QString error;
    if (!Write_OPC_UA_Client_File(OPC_UA_Client_File, OPC_UA_Server_List, error)) {
        Error_Box(error);
        return;
    }
    SetModalResult(mrOk);
}
