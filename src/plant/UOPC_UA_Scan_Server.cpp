#include "plant/UOPC_UA_Scan_Server.h"

#include "controls/FxButton.h"
#include "grid/columns/ExColumnGrid.h"
#include "platform/Dialogs.h"
#include "platform/ExtCtrls.h"
#include "platform/Graphics.h"
#include "platform/Library.h"
#include "platform/StdControls.h"
#include "platform/Timer.h"
#include "shell/CodeTables.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

TFOPC_UA_Scan_Server* FOPC_UA_Scan_Server = nullptr;

namespace {

enum { cN, cRead, cWrite, cName, cNode_Type, cNode_Id, cData_Type, cName_Space, cRead_Write, cCount };

const struct {
    Integer Width;
    Integer Header;  // -1: the fixed "Read/Write"
    bool Check;
} Columns[cCount] = {
    {40, 5710, false},  {45, 5711, true},   {45, 5724, true},   {260, 5712, false}, {90, 5713, false},
    {260, 5714, false}, {90, 5715, false},  {130, 5716, false}, {90, -1, false},
};

QByteArray Copy(const char* text)
{
    return text ? QByteArray(text) : QByteArray();
}

} // namespace

opcua_structure TOPC_UA_Scan_Var::Node() const
{
    opcua_structure node = Record;
    node.displayName = DisplayName.constData();
    node.stringname = StringName.constData();
    node.byteString = ByteString.constData();
    return node;
}

TFOPC_UA_Scan_Server::TFOPC_UA_Scan_Server(TComponent* AOwner)
    : TStepDialog(AOwner, QStringLiteral("FOPC_UA_Scan_Server"), 1035, 337)
{
    Label1->SetVisible(false);

    ACG_OPC_UA_Scan_Var = Make_Control<TExColumnGrid>(this, this, "ACG_OPC_UA_Scan_Var");
    ACG_OPC_UA_Scan_Var->SetAlign(alClient);
    ACG_OPC_UA_Scan_Var->SetColCount(cCount);
    ACG_OPC_UA_Scan_Var->SetRowCount(1025);
    ACG_OPC_UA_Scan_Var->SetOptions(ACG_OPC_UA_Scan_Var->Options() | goEditing | goColSizing);
    for (Integer c = 0; c < cCount; ++c) {
        TGridColumnItem* item = ACG_OPC_UA_Scan_Var->Columns()->Items(c);
        item->SetWidth(Columns[c].Width);
        if (Columns[c].Check) {
            item->SetEditor(edDataCheckBox);
            item->SetCheckTrue(QStringLiteral("Y"));
            item->SetCheckFalse(QStringLiteral("N"));
            item->SetAlignment(taCenter);
        }
        item->SetReadOnly(c >= cName && c < cRead_Write);
    }
    ACG_OPC_UA_Scan_Var->Columns()->Items(cRead_Write)->SetHeader(QStringLiteral("Read/Write"));

    // Beside the title while the browse runs.
    LWaiting = Make_Control<TLabel>(this, P_Title, "LWaiting");
    LWaiting->SetBounds(600, 20, 400, 29);
    LWaiting->Font()->SetSize(18);
    LWaiting->Font()->SetStyle(fsBold);
    LWaiting->Font()->SetColor(clRed);
    LWaiting->SetVisible(false);

    Timer_Scan = new TTimer(this);
    Timer_Scan->SetName(QStringLiteral("Timer_Scan"));
    Timer_Scan->SetInterval(100);
    Timer_Scan->SetEnabled(false);
    Timer_Scan->OnTimer = [this](TObject* s) { Timer_ScanTimer(s); };

    const struct {
        TFxButton** Button;
        const char* Name;
        bool Select;
    } buttons[] = {
        {&Btn_SelectAllRead, "Btn_SelectAllRead", true},
        {&Btn_ClearAllRead, "Btn_ClearAllRead", false},
        {&Btn_SelectAllWrite, "Btn_SelectAllWrite", true},
        {&Btn_ClearAllWrite, "Btn_ClearAllWrite", false},
    };
    Integer left = 8;
    for (const auto& b : buttons) {
        TFxButton* button = Make_Control<TFxButton>(this, P_Button, b.Name);
        button->SetBounds(left, 7, 110, 30);
        button->SetShowHint(true);
        if (b.Select)
            button->OnClick = [this](TObject* s) { Btn_SelectAllReadClick(s); };
        else
            button->OnClick = [this](TObject* s) { Btn_ClearAllReadClick(s); };
        *b.Button = button;
        left += 118;
    }
    Btn_OK->SetModalResult(mrOk);

    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnShow = [this](TObject* s) { FormShow(s); };
}

TFOPC_UA_Scan_Server::~TFOPC_UA_Scan_Server()
{
    if (FOPC_UA_Scan_Server == this)
        FOPC_UA_Scan_Server = nullptr;
}

void TFOPC_UA_Scan_Server::FormCreate(TObject*)
{
    Frame_Create();
    Set_Lang();
}

void TFOPC_UA_Scan_Server::FormShow(TObject*)
{
    Erase_Table();
    if (Server.server_address && *Server.server_address) {
        List_Var.clear();
        LWaiting->SetVisible(true);
        Timer_Scan->SetEnabled(true);
    } else {
        Show_Variables_List();
    }
}

void TFOPC_UA_Scan_Server::Erase_Table()
{
    ACG_OPC_UA_Scan_Var->SetRowCount(2);
    for (Integer c = 0; c < cCount; ++c)
        ACG_OPC_UA_Scan_Var->SetCellEx(c, 1, QString());
}

void TFOPC_UA_Scan_Server::Timer_ScanTimer(TObject*)
{
    Timer_Scan->SetEnabled(false);
    auto error = [](Integer n) {
        Application->MessageBox(Lang_Text(n), Application->Title(), MB_OK | MB_ICONERROR);
    };
    // Loaded for this browse only; the destructor unloads it.
    TLibrary library;
    if (!library.Load(QLatin1String(Library_Name), Exe_Folder)) {
        error(5730);
        return;
    }
    const auto begin = reinterpret_cast<opcua_client_begin_proc>(library.Proc("opcua_client_begin"));
    const auto variable = reinterpret_cast<opcua_return_variable_proc>(library.Proc("opcua_return_variable"));
    if (!begin || !variable) {
        error(5731);
        return;
    }
    // The library holds the program until it knows the variables.
    const Integer n = begin(Server);
    for (Integer i = 0; i < n; ++i) {
        TOPC_UA_Scan_Var entry;
        variable(&entry.Record, i);
        // The library's texts last only until its next call.
        entry.DisplayName = Copy(entry.Record.displayName);
        entry.StringName = Copy(entry.Record.stringname);
        entry.ByteString = Copy(entry.Record.byteString);
        List_Var.push_back(std::move(entry));
    }
    LWaiting->SetVisible(false);
    Show_Variables_List();
}

void TFOPC_UA_Scan_Server::Show_Variables_List()
{
    if (List_Var.empty()) {
        Erase_Table();
        return;
    }
    TExColumnGrid* g = ACG_OPC_UA_Scan_Var;
    g->SetRowCount(Integer(List_Var.size()) + 1);
    for (Integer r = 1; r <= Integer(List_Var.size()); ++r) {
        const opcua_structure node = List_Var[size_t(r - 1)].Node();
        const Byte access = node.accessLevel;
        const auto tick = [](bool on) { return on ? QStringLiteral("Y") : QStringLiteral("N"); };
        g->SetCellEx(cN, r, QString::number(r));
        g->SetCellEx(cRead, r, tick(access == 0 || (access & 1)));
        g->SetCellEx(cWrite, r, tick(access == 0 || (access & 2)));
        g->SetCellEx(cName, r, QString::fromLocal8Bit(node.displayName));
        g->SetCellEx(cNode_Type, r, OPC_UA_Id_Type_Name(node.identifierType));
        g->SetCellEx(cNode_Id, r, OPC_UA_Id_Text(node));
        g->SetCellEx(cData_Type, r, OPC_UA_Data_Type_Name(node.dataType));
        g->SetCellEx(cName_Space, r, QString::number(node.nameSpaceIndex));
        g->SetCellEx(cRead_Write, r,
                     access == 1   ? QStringLiteral("Read")
                     : access == 2 ? QStringLiteral("Write")
                                   : QStringLiteral("Read/Write"));
    }
}

void TFOPC_UA_Scan_Server::Set_Column(TObject* Sender, const QString& Value)
{
    if (List_Var.empty())
        return;
    const Integer col = Sender == Btn_SelectAllWrite || Sender == Btn_ClearAllWrite ? cWrite : cRead;
    for (Integer r = 1; r < ACG_OPC_UA_Scan_Var->GetRowCount(); ++r)
        ACG_OPC_UA_Scan_Var->SetCellEx(col, r, Value);
}

void TFOPC_UA_Scan_Server::Btn_SelectAllReadClick(TObject* Sender)
{
    Set_Column(Sender, QStringLiteral("Y"));
}

void TFOPC_UA_Scan_Server::Btn_ClearAllReadClick(TObject* Sender)
{
    Set_Column(Sender, QStringLiteral("N"));
}

void TFOPC_UA_Scan_Server::Set_Lang()
{
    SetCaption(Lang_Text(5700));
    L_SW_Desc->SetCaption(Lang_Text(5701));
    const struct {
        TFxButton* Button;
        Integer Caption, Hint;
    } buttons[] = {
        {Btn_OK, 5702, 5706},
        {Btn_Cancel, 5703, 5707},
        {Btn_SelectAllRead, 5704, 5708},
        {Btn_ClearAllRead, 5705, 5709},
        {Btn_SelectAllWrite, 5726, 5728},
        {Btn_ClearAllWrite, 5727, 5729},
    };
    for (const auto& b : buttons) {
        b.Button->SetCaption(Lang_Text(b.Caption));
        b.Button->SetHint(Lang_Text(b.Hint));
    }
    for (Integer c = 0; c < cCount; ++c)
        if (Columns[c].Header >= 0)
            ACG_OPC_UA_Scan_Var->Columns()->Items(c)->SetHeader(Lang_Text(Columns[c].Header));
    LWaiting->SetCaption(Lang_Text(5723));
}
