// The network editor's copy and paste of a variable or a whole node (with
// new addresses and positions asked by the paste dialog), and the import of
// another network file.
#include "mbus/UMeter_Bus.h"
#include "mbus/UMeter_BusTexts.h"

#include "mbus/UNewIDNode.h"

#include "grid/columns/ExColumnGrid.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "platform/Menus.h"
#include "platform/StdControls.h"
#include "platform/StringList.h"
#include "platform/TreeView.h"
#include "shell/TextChecks.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

namespace {

using namespace mbus_editor;

std::unique_ptr<TVariabile> Copy_Of(const TVariabile& Var)
{
    auto v = std::make_unique<TVariabile>();
    v->Enable = Var.Enable;
    v->Description = Var.Description;
    v->Type_Of_Data = Var.Type_Of_Data;
    v->Function_Field = Var.Function_Field;
    v->Dimension = Var.Dimension;
    v->Unita = Var.Unita;
    v->PositionData = Var.PositionData;
    v->Storage_Number = Var.Storage_Number;
    v->Tariff = Var.Tariff;
    v->VIFE = Var.VIFE;
    v->BCDtoINT = Var.BCDtoINT;
    v->Length = Var.Length;
    v->VIF_ASCII = Var.VIF_ASCII;
    v->Conv_Float = Var.Conv_Float;
    v->Force_Int32 = Var.Force_Int32;
    v->TP_Mod_Regs = Var.TP_Mod_Regs;
    v->TP_Mod_Year = Var.TP_Mod_Year;
    v->Position = Var.Position;
    v->Post_Operation = Var.Post_Operation;
    return v;
}

// A node's fields without its variables.
void Copy_Fields(TNodo& Target, const TNodo& Source)
{
    Target.Enable = Source.Enable;
    Target.Description = Source.Description;
    Target.Node_Pri = Source.Node_Pri;
    Target.Node_Sec = Source.Node_Sec;
    Target.Send_SNK = Source.Send_SNK;
    Target.Reset_App = Source.Reset_App;
    Target.Enable_NS = Source.Enable_NS;
    Target.Node_State = Source.Node_State;
    Target.Enable_IN = Source.Enable_IN;
    Target.Ident_Num = Source.Ident_Num;
    Target.BCDtoINT_IN = Source.BCDtoINT_IN;
    Target.Swap_Ident = Source.Swap_Ident;
    Target.Node_ID_Type = Source.Node_ID_Type;
    Target.Var_List_Type = Source.Var_List_Type;
    Target.Cut_After = Source.Cut_After;
    Target.Enable_MS = Source.Enable_MS;
    Target.Manufacturer_Spec = Source.Manufacturer_Spec;
    Target.MSD_Length = Source.MSD_Length;
    Target.MSD_Offset = Source.MSD_Offset;
    Target.MBus_Type = Source.MBus_Type;
    Target.wMBus_ManID = Source.wMBus_ManID;
    Target.wMBus_Add = Source.wMBus_Add;
    Target.wMBus_Ver = Source.wMBus_Ver;
    Target.wMBus_DevType = Source.wMBus_DevType;
    Target.wMBus_En_Key = Source.wMBus_En_Key;
    Target.wMBus_Key = Source.wMBus_Key;
    Target.Enable_RSSI = Source.Enable_RSSI;
    Target.RSSI = Source.RSSI;
    Target.Enable_AN = Source.Enable_AN;
    Target.Access_Number = Source.Access_Number;
}

// Fills the paste dialog's rows 3a + 1 .. 3a + 3 for variable a.
void Fill_Var_Rows(TExColumnGrid* Grid, Integer a, const TVariabile& Var)
{
    const Integer row = 3 * a + 1;
    Grid->SetCells(0, row, Lang(1902));
    Grid->SetCells(1, row, QString::number(Var.PositionData));
    Grid->SetCells(0, row + 1, Lang(1903));
    Grid->SetCells(0, row + 2, Lang(1904));
    Grid->SetCells(1, row + 2, QString::number(Var.TP_Mod_Year));
    for (Integer r = row; r < row + 3; ++r)
        Grid->SetCells(2, r, Var.Description);
}

// The positions typed for variable a.
void Take_Var_Rows(const TExColumnGrid* Grid, Integer a, TVariabile& Var)
{
    Var.PositionData = Text_To_Int(Grid->Cells(1, 3 * a + 1), 0);
    Var.TP_Mod_Year = Text_To_Int(Grid->Cells(1, 3 * a + 3), 0);
}

} // namespace

void TFMeter_Bus::CopyVariable1Click(TObject*)
{
    if (IND_NODO < 0 || IND_NODO >= Integer(Nodi_List.size()))
        return Error_Box(1898);
    const TNodo& node = *Nodi_List[size_t(IND_NODO)];
    if (IND_VAR < 0 || IND_VAR >= Integer(node.Var_List.size()))
        return Error_Box(1897);
    Copy_Var = Copy_Of(*node.Var_List[size_t(IND_VAR)]);
    PasteVariable1->SetEnabled(true);
}

void TFMeter_Bus::CopyNode1Click(TObject*)
{
    if (IND_NODO == -1)
        return Error_Box(1899);
    if (IND_NODO < 0 || IND_NODO >= Integer(Nodi_List.size()))
        return Error_Box(1900);
    const TNodo& node = *Nodi_List[size_t(IND_NODO)];
    if (!Copy_Node)
        Copy_Node = std::make_unique<TNodo>();
    Copy_Fields(*Copy_Node, node);
    Copy_Node->Var_List.clear();
    for (const auto& var : node.Var_List)
        Copy_Node->Var_List.push_back(Copy_Of(*var));
    PasteNode1->SetEnabled(true);
}

void TFMeter_Bus::PasteVariable1Click(TObject*)
{
    if (!Copy_Var)
        return Error_Box(1901);
    if (IND_NODO < 0 || IND_NODO >= Integer(Nodi_List.size()) || NODE_ID == nullptr)
        return Error_Box(1905);
    TFNewIDNode* dialog = FNewIDNode;
    dialog->Form_Type = 2;
    dialog->Editor = this;
    dialog->ESG_MR_Var->SetRowCount(4);
    Fill_Var_Rows(dialog->ESG_MR_Var, 0, *Copy_Var);
    if (dialog->ShowModal() != mrOk)
        return;
    auto var = Copy_Of(*Copy_Var);
    Take_Var_Rows(dialog->ESG_MR_Var, 0, *var);
    TW->Items()->AddChild(NODE_ID, Var_Text(*var));
    Nodi_List[size_t(IND_NODO)]->Var_List.push_back(std::move(var));
    Is_Change = true;
}

void TFMeter_Bus::PasteNode1Click(TObject*)
{
    if (!Copy_Node)
        return;
    TFNewIDNode* dialog = FNewIDNode;
    const TNodo& source = *Copy_Node;
    const bool wired = source.MBus_Type == 1;
    if (wired) {
        dialog->Form_Type = 1;
        if (source.Node_ID_Type == 1)
            dialog->RB_ID_Secondary->SetChecked(true);
        else
            dialog->RB_ID_Primary->SetChecked(true);
        dialog->E_New_Node_ID_Pri->SetText(QString::number(source.Node_Pri));
        dialog->E_New_Node_ID_Sec->SetText(QString::number(source.Node_Sec));
    } else {
        dialog->Form_Type = 3;
        dialog->E_wMBus_Add->SetText(source.wMBus_Add);
        dialog->E_wMBus_RSSI->SetText(QString::number(source.RSSI));
    }
    dialog->E_MR_NodeState->SetText(QString::number(source.Node_State));
    dialog->E_MR_IdentNum->SetText(QString::number(source.Ident_Num));
    dialog->Editor = this;
    TExColumnGrid* grid = dialog->ESG_MR_Var;
    const Integer count = Integer(source.Var_List.size());
    if (count == 0) {
        grid->SetRowCount(2);
        for (Integer c = 0; c < 3; ++c)
            grid->SetCells(c, 1, QString());
    } else {
        grid->SetRowCount(3 * count + 1);
        for (Integer a = 0; a < count; ++a)
            Fill_Var_Rows(grid, a, *source.Var_List[size_t(a)]);
    }
    if (dialog->ShowModal() != mrOk)
        return;

    auto node = std::make_unique<TNodo>();
    Copy_Fields(*node, source);
    node->Node_State = Text_To_Int(dialog->E_MR_NodeState->Text(), 0);
    node->Ident_Num = Text_To_Int(dialog->E_MR_IdentNum->Text(), 0);
    node->Node_ID_Type = dialog->RB_ID_Secondary->Checked() ? 1 : 0;
    node->RSSI = Text_To_Int(dialog->E_wMBus_RSSI->Text(), 0);
    if (wired) {
        node->Node_Pri = Text_To_Int(dialog->E_New_Node_ID_Pri->Text(), 0);
        node->Node_Sec = Text_To_Int(dialog->E_New_Node_ID_Sec->Text(), 0);
    } else {
        node->wMBus_Add = dialog->E_wMBus_Add->Text();
    }
    QString text;
    if (!wired)
        text = QStringLiteral("wM-Bus Node - Address ") + dialog->E_wMBus_Add->Text();
    else
        text = QStringLiteral("ID ")
               + (dialog->RB_ID_Primary->Checked() ? dialog->E_New_Node_ID_Pri : dialog->E_New_Node_ID_Sec)->Text();
    TTreeNode* item = TW->Items()->AddChild(NODE_ORIG, text + QStringLiteral(" - ") + source.Description);
    for (Integer a = 0; a < count; ++a) {
        auto var = Copy_Of(*source.Var_List[size_t(a)]);
        Take_Var_Rows(grid, a, *var);
        TW->Items()->AddChild(item, Var_Text(*var));
        node->Var_List.push_back(std::move(var));
    }
    Nodi_List.push_back(std::move(node));
    Is_Change = true;
}

void TFMeter_Bus::Btn_ImportNetClick(TObject*)
{
    if (!OD_Import_Net->Execute())
        return;
    if (FileExists(M_Bus_File) && MessageDlg(Lang(1906), mtConfirmation, mbYesNo) != mrYes)
        return;
    // The copy replaces the file whole or not at all, so a failed copy (or
    // the file imported onto itself) leaves the network in place.
    QString error;
    if (!CopyFile(OD_Import_Net->FileName(), M_Bus_File, false, &error)) {
        MessageDlg(error, mtError, mbOK);
        return;
    }
    FormShow(this);
}
