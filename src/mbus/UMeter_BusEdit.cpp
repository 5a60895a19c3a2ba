// The network editor's work on the network: the show that loads it, the
// selection in the tree, the panels that show a node or a variable, adding,
// modifying and deleting, OK and Cancel.
#include "mbus/UMeter_Bus.h"
#include "mbus/UMeter_BusTexts.h"

#include <stdexcept>

#include "controls/ExPageControl.h"
#include "controls/FxButton.h"
#include "platform/Dialogs.h"
#include "platform/ExtCtrls.h"
#include "platform/Menus.h"
#include "platform/StdControls.h"
#include "platform/StringList.h"
#include "platform/TreeView.h"
#include "shell/TextChecks.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

namespace {

using namespace mbus_editor;

const QString Root_Text = QStringLiteral("M-Bus Network");

Integer Int_Or(const TEdit* Edit, Integer Fallback)
{
    return Text_To_Int(Edit->Text(), Fallback);
}

Byte Flag(const TCheckBox* Box)
{
    return Box->Checked() ? 1 : 0;
}

void Report(const QString& Error)
{
    Application->ShowException(std::runtime_error(Error.toStdString()));
}

} // namespace

QString TFMeter_Bus::Node_Text(const TNodo& Node)
{
    if (Node.MBus_Type == 0)
        return QStringLiteral("wM-Bus Node - Address ") + Node.wMBus_Add + QStringLiteral(" - ") + Node.Description;
    const Integer address = Node.Node_ID_Type != 0 ? Node.Node_Sec : Node.Node_Pri;
    return QStringLiteral("ID ") + QString::number(address) + QStringLiteral(" - ") + Node.Description;
}

QString TFMeter_Bus::Var_Text(const TVariabile& Var)
{
    return QStringLiteral("VAR - ") + Var.Description;
}

void TFMeter_Bus::Clear_Network()
{
    TW->Items()->Clear();
    NODE_ORIG = TW->Items()->Add(nullptr, Root_Text);
    NODE_ID = nullptr;
    SELECT_NODE = nullptr;
    Nodi_List.clear();
}

void TFMeter_Bus::Enable_Paste_Items()
{
    PasteVariable1->SetEnabled(Copy_Var != nullptr);
    PasteNode1->SetEnabled(Copy_Node != nullptr);
}

void TFMeter_Bus::FormShow(TObject*)
{
    CB_Cut_After->Items()->Clear();
    for (Integer k = 1; k <= 250; ++k)
        CB_Cut_After->Items()->Add(QString::number(k));
    CB_Cut_After->SetItemIndex(0);

    Clear_Network();
    for (TControl* c : {static_cast<TControl*>(CB_Manu_Spec_Data), static_cast<TControl*>(E_Manu_Spec_Data),
                        static_cast<TControl*>(L_MSD_Length), static_cast<TControl*>(E_MSD_Length),
                        static_cast<TControl*>(L_MSD_Offset), static_cast<TControl*>(E_MSD_Offset),
                        static_cast<TControl*>(L_Cut_After), static_cast<TControl*>(CB_Cut_After),
                        static_cast<TControl*>(L_Frames), static_cast<TControl*>(CB_Access_Number),
                        static_cast<TControl*>(E_Access_Number)})
        c->SetVisible(true);

    QString error;
    FLoad.Begin(M_Bus_File);
    const bool loaded = Load_MBus_Network(M_Bus_File, Nodi_List, error);
    if (!loaded)
        FLoad.Set_Failed();
    // Every node and variable read, up to a fault, gets its tree item.
    TW->Items()->BeginUpdate();
    for (const auto& node : Nodi_List) {
        TTreeNode* item = TW->Items()->AddChild(NODE_ORIG, Node_Text(*node));
        for (const auto& var : node->Var_List)
            TW->Items()->AddChild(item, Var_Text(*var));
    }
    TW->Items()->EndUpdate();

    // Whatever the load said, the selection starts afresh on this network.
    NODE_ORIG->Expand(false);
    NODE_ID = nullptr;
    SELECT_NODE = nullptr;
    IND_NODO = -1;
    IND_VAR = -1;
    Sposta_Oggetti_Var(0);
    Enable_Paste_Items();
    CB_MBus_TypeChange(this);
    Is_Change = false;
    if (!loaded)
        Report(error);
}

void TFMeter_Bus::TWChange(TObject* Sender, TTreeNode*)
{
    TWClick(Sender);
}

void TFMeter_Bus::TWClick(TObject*)
{
    IND_NODO = -1;
    IND_VAR = -1;
    NODE_ID = nullptr;
    SELECT_NODE = nullptr;
    TTreeNode* selected = TW->Selected();
    if (selected != nullptr && NODE_ORIG != nullptr) {
        for (Integer k = 0; k < NODE_ORIG->Count() && IND_NODO < 0; ++k) {
            TTreeNode* node = NODE_ORIG->Item(k);
            if (node == selected) {
                IND_NODO = k;
                NODE_ID = SELECT_NODE = node;
                break;
            }
            for (Integer j = 0; j < node->Count(); ++j)
                if (node->Item(j) == selected) {
                    IND_NODO = k;
                    IND_VAR = j;
                    NODE_ID = node;
                    SELECT_NODE = selected;
                    break;
                }
        }
        // A tree item without its entry in the list counts as no selection.
        if (IND_NODO >= Integer(Nodi_List.size())
            || (IND_VAR >= 0 && IND_VAR >= Integer(Nodi_List[size_t(IND_NODO)]->Var_List.size()))) {
            IND_NODO = IND_VAR = -1;
            NODE_ID = SELECT_NODE = nullptr;
        }
    }
    Aggiorna_Label();
    CB_Var_ToDChange(this);
    CB_Var_DimChange(this);
    if (IND_VAR >= 0)
        ExPageControl1->SetActivePage(ExTabSheet2);
    else if (IND_NODO >= 0)
        ExPageControl1->SetActivePage(ExTabSheet1);
}

void TFMeter_Bus::Show_Node(const TNodo& n)
{
    CB_Node_En->SetChecked(n.Enable == 1);
    E_New_Node_Desc->SetText(n.Description);
    CB_MBus_Type->SetItemIndex(n.MBus_Type);
    if (n.Node_ID_Type != 0)
        RB_ID_Secondary->SetChecked(true);
    else
        RB_ID_Primary->SetChecked(true);
    E_New_Node_ID_Pri->SetText(QString::number(n.Node_Pri));
    E_New_Node_ID_Sec->SetText(QString::number(n.Node_Sec));
    CB_Node_State->SetChecked(n.Enable_NS == 1);
    E_Node_State->SetText(QString::number(n.Node_State));
    CB_Ident_Num->SetChecked(n.Enable_IN == 1);
    E_Iden->SetText(QString::number(n.Ident_Num));
    CB_BCDtoINT_IN->SetChecked(n.BCDtoINT_IN == 1);
    CB_Swap_IN->SetItemIndex(n.Swap_Ident);
    CB_SND_NKE->SetChecked(n.Send_SNK == 1);
    CB_Reset_App->SetChecked(n.Reset_App == 1);
    CB_Var_Type->SetItemIndex(n.Var_List_Type);
    CB_Cut_After->SetItemIndex(n.Cut_After);
    CB_Manu_Spec_Data->SetChecked(n.Enable_MS == 1);
    E_Manu_Spec_Data->SetText(QString::number(n.Manufacturer_Spec));
    E_MSD_Length->SetText(QString::number(n.MSD_Length));
    E_MSD_Offset->SetText(QString::number(n.MSD_Offset));
    CB_Access_Number->SetChecked(n.Enable_AN == 1);
    E_Access_Number->SetText(QString::number(n.Access_Number));

    E_wMBus_ManID->SetText(n.wMBus_ManID);
    E_wMBus_Add->SetText(n.wMBus_Add);
    E_wMBus_Ver->SetText(n.wMBus_Ver);
    E_wMBus_DevType->SetText(n.wMBus_DevType);
    CB_wMBus_EnKey->SetChecked(n.wMBus_En_Key == 1);
    for (Integer k = 0; k < 16; ++k)
        E_wMBus_K[k]->SetText(n.wMBus_Key[size_t(k)]);
    CB_wMBus_Node_State->SetChecked(n.Enable_NS == 1);
    E_wMBus_NodeState->SetText(QString::number(n.Node_State));
    CB_wMBus_Ident_Num->SetChecked(n.Enable_IN == 1);
    E_wMBus_Ident->SetText(QString::number(n.Ident_Num));
    CB_wMBus_RSSI->SetChecked(n.Enable_RSSI == 1);
    E_wMBus_RSSI->SetText(QString::number(n.RSSI));
    CB_wMBus_Access_Number->SetChecked(n.Enable_AN == 1);
    E_wMBus_Access_Number->SetText(QString::number(n.Access_Number));
    CB_wMBus_Conv_BCD->SetChecked(n.BCDtoINT_IN == 1);
    CB_wMBus_Swap_Ident->SetItemIndex(n.Swap_Ident);
    CB_wMBus_VarList->SetItemIndex(n.Var_List_Type);
}

void TFMeter_Bus::Reset_Var_Panel()
{
    CB_Var_En->SetChecked(true);
    E_New_Var_Desc->SetText(QString());
    for (TComboBox* c : {CB_Var_ToD, CB_Var_FF, CB_Var_Dim, CB_Var_Unit, CB_VIFE, CB_PostOpe})
        c->SetItemIndex(0);
    E_VIF_ASCII->SetText(QString());
    E_Var_MR->SetText(QString());
    E_Sto_Num->SetText(QStringLiteral("0"));
    E_Tariff->SetText(QStringLiteral("0"));
    E_Length->SetText(QStringLiteral("0"));
    for (TCheckBox* c : {CB_BCDtoINT, CB_Float, CB_Force_Int32, CB_TP_MR})
        c->SetChecked(false);
    E_TP_Year->SetText(QStringLiteral("1"));
    E_Position->SetText(QStringLiteral("1"));
}

void TFMeter_Bus::Show_Var(const TVariabile& v)
{
    CB_Var_En->SetChecked(v.Enable);
    E_New_Var_Desc->SetText(v.Description);
    CB_Var_ToD->SetItemIndex(v.Type_Of_Data);
    CB_Var_FF->SetItemIndex(v.Function_Field);
    CB_Var_Dim->SetItemIndex(v.Dimension);
    CB_Var_Unit->SetItemIndex(v.Unita);
    CB_VIFE->SetItemIndex(v.VIFE == 255 ? 0 : v.VIFE);
    CB_PostOpe->SetItemIndex(v.Post_Operation);
    E_VIF_ASCII->SetText(v.VIF_ASCII);
    E_Var_MR->SetText(QString::number(v.PositionData));
    E_Sto_Num->SetText(QString::number(v.Storage_Number));
    E_Tariff->SetText(QString::number(v.Tariff));
    E_Length->SetText(QString::number(v.Length));
    CB_BCDtoINT->SetChecked(v.BCDtoINT);
    CB_Float->SetChecked(v.Conv_Float);
    CB_Force_Int32->SetChecked(v.Force_Int32);
    CB_TP_MR->SetChecked(v.TP_Mod_Regs);
    E_TP_Year->SetText(QString::number(v.TP_Mod_Year));
    E_Position->SetText(QString::number(v.Position));
}

void TFMeter_Bus::Aggiorna_Label()
{
    if (IND_NODO < 0) {
        btn_Add_Node->SetCaption(Lang(1723));
        btn_Add_Var->SetCaption(Lang(1748));
        CB_Var_ToDChange(this);
    } else {
        const TNodo& node = *Nodi_List[size_t(IND_NODO)];
        Show_Node(node);
        if (IND_VAR < 0) {
            btn_Add_Node->SetCaption(Lang(1724));
            btn_Add_Var->SetCaption(Lang(1748));
            Reset_Var_Panel();
        } else {
            btn_Add_Node->SetCaption(Lang(1723));
            btn_Add_Var->SetCaption(Lang(1749));
            Show_Var(*node.Var_List[size_t(IND_VAR)]);
        }
        Sposta_Oggetti_Var(node.Var_List_Type);
    }
    CB_MBus_TypeChange(this);
}

QString TFMeter_Bus::Panel_Node_Text()
{
    if (CB_MBus_Type->ItemIndex() == 0)
        return QStringLiteral("wM-Bus Node - Address ") + E_wMBus_Add->Text() + QStringLiteral(" - ") + E_New_Node_Desc->Text();
    const QString address = RB_ID_Primary->Checked() ? E_New_Node_ID_Pri->Text() : E_New_Node_ID_Sec->Text();
    return QStringLiteral("ID ") + address + QStringLiteral(" - ") + E_New_Node_Desc->Text();
}

void TFMeter_Bus::Node_From_Panel(TNodo& n)
{
    n.Enable = Flag(CB_Node_En);
    n.Description = E_New_Node_Desc->Text();
    // An address of the other kind that is no number is stored as 0.
    n.Node_Pri = Int_Or(E_New_Node_ID_Pri, 0);
    n.Node_Sec = Int_Or(E_New_Node_ID_Sec, 0);
    n.Send_SNK = Flag(CB_SND_NKE);
    n.Reset_App = Flag(CB_Reset_App);
    n.Enable_NS = Flag(CB_Node_State);
    n.Node_State = Int_Or(E_Node_State, 0);
    n.Enable_IN = Flag(CB_Ident_Num);
    n.Ident_Num = Int_Or(E_Iden, 0);
    n.BCDtoINT_IN = Flag(CB_BCDtoINT_IN);
    n.Swap_Ident = std::max<Integer>(CB_Swap_IN->ItemIndex(), 0);
    n.Node_ID_Type = RB_ID_Primary->Checked() ? 0 : 1;
    n.Var_List_Type = Byte(std::max<Integer>(CB_Var_Type->ItemIndex(), 0));
    n.Cut_After = Byte(std::max<Integer>(CB_Cut_After->ItemIndex(), 0));
    n.Enable_MS = Flag(CB_Manu_Spec_Data);
    n.Manufacturer_Spec = Int_Or(E_Manu_Spec_Data, 0);
    n.MSD_Length = Byte(Int_Or(E_MSD_Length, 0));
    n.MSD_Offset = Byte(Int_Or(E_MSD_Offset, 0));
    n.Enable_AN = Flag(CB_Access_Number);
    n.Access_Number = Int_Or(E_Access_Number, 0);
    // Only item 0 is wireless; a type the list does not hold stays wired.
    n.MBus_Type = CB_MBus_Type->ItemIndex() == 0 ? 0 : 1;
    n.wMBus_ManID = E_wMBus_ManID->Text();
    n.wMBus_Add = E_wMBus_Add->Text();
    n.wMBus_Ver = E_wMBus_Ver->Text();
    n.wMBus_DevType = E_wMBus_DevType->Text();
    for (Integer k = 0; k < 16; ++k)
        n.wMBus_Key[size_t(k)] = E_wMBus_K[k]->Text();
    n.wMBus_En_Key = Flag(CB_wMBus_EnKey);
    if (n.MBus_Type == 0) {
        n.Enable_NS = Flag(CB_wMBus_Node_State);
        n.Node_State = Int_Or(E_wMBus_NodeState, 0);
        n.Enable_IN = Flag(CB_wMBus_Ident_Num);
        n.Ident_Num = Int_Or(E_wMBus_Ident, 0);
        n.BCDtoINT_IN = Flag(CB_wMBus_Conv_BCD);
        n.Swap_Ident = std::max<Integer>(CB_wMBus_Swap_Ident->ItemIndex(), 0);
        n.Var_List_Type = Byte(std::max<Integer>(CB_wMBus_VarList->ItemIndex(), 0));
        n.Enable_AN = Flag(CB_wMBus_Access_Number);
        n.Access_Number = Int_Or(E_wMBus_Access_Number, 0);
        n.Enable_RSSI = Flag(CB_wMBus_RSSI);
        n.RSSI = Int_Or(E_wMBus_RSSI, 0);
    }
}

void TFMeter_Bus::Var_From_Panel(TVariabile& v)
{
    v.Enable = CB_Var_En->Checked();
    v.Description = E_New_Var_Desc->Text();
    v.Type_Of_Data = std::max<Integer>(CB_Var_ToD->ItemIndex(), 0);
    v.Function_Field = std::max<Integer>(CB_Var_FF->ItemIndex(), 0);
    v.Dimension = std::max<Integer>(CB_Var_Dim->ItemIndex(), 0);
    v.Unita = std::max<Integer>(CB_Var_Unit->ItemIndex(), 0);
    v.VIFE = Byte(std::max<Integer>(CB_VIFE->ItemIndex(), 0));
    v.Post_Operation = Byte(std::max<Integer>(CB_PostOpe->ItemIndex(), 0));
    v.PositionData = Int_Or(E_Var_MR, 0);
    v.Storage_Number = LongWord(Text_To_Int64(E_Sto_Num->Text(), 0));
    v.Tariff = Int_Or(E_Tariff, 0);
    v.BCDtoINT = CB_BCDtoINT->Checked();
    v.Conv_Float = CB_Float->Checked();
    v.Force_Int32 = CB_Force_Int32->Checked();
    v.TP_Mod_Regs = CB_TP_MR->Checked();
    v.VIF_ASCII = E_VIF_ASCII->Text();
    v.Length = Int_Or(E_Length, 0);
    v.TP_Mod_Year = Int_Or(E_TP_Year, 0);
    v.Position = Word(Int_Or(E_Position, 0));
}

void TFMeter_Bus::btn_Add_NodeClick(TObject*)
{
    const bool add = btn_Add_Node->Caption() == Lang(1723);
    if (!add) {
        if (NODE_ID != nullptr && IND_NODO >= 0 && Controllo_Dati_New_Nodo()) {
            Node_From_Panel(*Nodi_List[size_t(IND_NODO)]);
            NODE_ID->SetText(Panel_Node_Text());
        }
    } else if (Controllo_Dati_New_Nodo()) {
        auto node = std::make_unique<TNodo>();
        Node_From_Panel(*node);
        TW->Items()->AddChild(NODE_ORIG, Panel_Node_Text());
        Nodi_List.push_back(std::move(node));
    }
    NODE_ORIG->Expand(false);
    Is_Change = true;
}

void TFMeter_Bus::btn_Add_VarClick(TObject*)
{
    const bool add = btn_Add_Var->Caption() == Lang(1748);
    if (add) {
        if (NODE_ID != nullptr && IND_NODO >= 0 && Controllo_Dati_New_Var(true)) {
            auto var = std::make_unique<TVariabile>();
            Var_From_Panel(*var);
            TW->Items()->AddChild(NODE_ID, Var_Text(*var));
            Nodi_List[size_t(IND_NODO)]->Var_List.push_back(std::move(var));
        }
    } else if (SELECT_NODE != nullptr && IND_VAR >= 0 && Controllo_Dati_New_Var(false)) {
        TVariabile& var = *Nodi_List[size_t(IND_NODO)]->Var_List[size_t(IND_VAR)];
        Var_From_Panel(var);
        SELECT_NODE->SetText(Var_Text(var));
    }
    NODE_ORIG->Expand(false);
    Is_Change = true;
}

void TFMeter_Bus::btn_Delete_ItemClick(TObject*)
{
    auto confirmed = [](Integer Text) { return MessageDlg(Lang(Text), mtConfirmation, mbYesNo) == mrYes; };
    if (IND_NODO < 0) {
        if (confirmed(1893)) {
            Clear_Network();
            IND_NODO = IND_VAR = -1;
            Is_Change = true;
        }
    } else if (IND_VAR < 0) {
        if (confirmed(1894)) {
            Nodi_List.erase(Nodi_List.begin() + IND_NODO);
            TTreeNode* item = NODE_ID;
            NODE_ID = SELECT_NODE = nullptr;
            item->Delete();
            TWClick(this);
            Is_Change = true;
        }
    } else if (confirmed(1895)) {
        auto& vars = Nodi_List[size_t(IND_NODO)]->Var_List;
        vars.erase(vars.begin() + IND_VAR);
        TTreeNode* item = SELECT_NODE;
        SELECT_NODE = nullptr;
        item->Delete();
        TWClick(this);
        Is_Change = true;
    }
    TW->Repaint();
}

void TFMeter_Bus::DeleteItem1Click(TObject* Sender)
{
    btn_Delete_ItemClick(Sender);
}

void TFMeter_Bus::FxButton2Click(TObject*)
{
    if (!FLoad.Confirm_Replace())
        return;
    QString error;
    if (!Save_MBus_Network(M_Bus_File, Nodi_List, error)) {
        // Nothing is lost: the window stays open with the network as it is.
        Report(error);
        return;
    }
    Clear_Network();
    IND_NODO = IND_VAR = -1;
    SetModalResult(mrOk);
}

void TFMeter_Bus::FxButton4Click(TObject*)
{
    if (Is_Change && MessageDlg(Lang(1896), mtConfirmation, mbYesNo) != mrYes)
        return;
    SetModalResult(mrCancel);
}
