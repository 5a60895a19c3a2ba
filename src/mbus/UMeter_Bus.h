#pragma once
// The M-Bus network editor: the tree of the configuration's meters (nodes)
// and their values (variables) on the left, a Nodes page and a Variables
// page on the right, through which the user adds, modifies, deletes, copies
// and pastes nodes and variables, imports another network and writes
// M_Bus.xml on OK.

#include <array>
#include <memory>

#include "mbus/MBusNetwork.h"
#include "platform/Form.h"
#include "shell/ConfigFileGuard.h"

class TCheckBox;
class TComboBox;
class TEdit;
class TExPageControl;
class TExTabSheet;
class TFxButton;
class TGroupBox;
class TLabel;
class TMenuItem;
class TOpenDialog;
class TPanel;
class TPopupMenu;
class TRadioButton;
class TTreeNode;
class TTreeView;

class TFMeter_Bus : public TForm {
public:
    explicit TFMeter_Bus(TComponent* AOwner);
    ~TFMeter_Bus() override;
    QString ClassName() const override { return QStringLiteral("TFMeter_Bus"); }

    // ---- frame
    TPanel* P_Title;
    TLabel* L_SW_Code;
    TLabel* L_SW_Desc;
    TTreeView* TW;
    TExPageControl* ExPageControl1;
    TExTabSheet* ExTabSheet1;  // Nodes
    TExTabSheet* ExTabSheet2;  // Variables
    TPanel* P_Button;
    TFxButton* Btn_OK;
    TFxButton* Btn_Cancel;
    TFxButton* Btn_ImportNet;
    TOpenDialog* OD_Import_Net;
    TPopupMenu* PopupMenu1;
    TMenuItem* CopyVariable1;
    TMenuItem* PasteVariable1;
    TMenuItem* CopyNode1;
    TMenuItem* PasteNode1;
    TMenuItem* DeleteItem1;

    // ---- Nodes page
    TCheckBox* CB_Node_En;
    TLabel* L_Node_Desc;
    TEdit* E_New_Node_Desc;
    TLabel* L_MBus_Type;
    TComboBox* CB_MBus_Type;
    TRadioButton* RB_ID_Primary;
    TEdit* E_New_Node_ID_Pri;
    TRadioButton* RB_ID_Secondary;
    TEdit* E_New_Node_ID_Sec;
    TCheckBox* CB_Node_State;
    TEdit* E_Node_State;
    TCheckBox* CB_Ident_Num;
    TEdit* E_Iden;
    TCheckBox* CB_BCDtoINT_IN;
    TLabel* L_Swap_IN;
    TComboBox* CB_Swap_IN;
    TCheckBox* CB_SND_NKE;
    TCheckBox* CB_Reset_App;
    TLabel* L_Var_Type;
    TComboBox* CB_Var_Type;
    TLabel* L_Cut_After;
    TComboBox* CB_Cut_After;
    TLabel* L_Frames;
    TCheckBox* CB_Manu_Spec_Data;
    TEdit* E_Manu_Spec_Data;
    TLabel* L_MSD_Length;
    TEdit* E_MSD_Length;
    TLabel* L_MSD_Offset;
    TEdit* E_MSD_Offset;
    TCheckBox* CB_Access_Number;
    TEdit* E_Access_Number;
    TFxButton* btn_Add_Node;
    TFxButton* FxButton1;  // "SCAN DEVICE", hidden

    // wireless node panel
    TPanel* P_wMBus_Node;
    TLabel* L_wMBus_ManID;
    TEdit* E_wMBus_ManID;
    TLabel* L_wMBus_Add;
    TEdit* E_wMBus_Add;
    TLabel* L_wMBus_Ver;
    TEdit* E_wMBus_Ver;
    TLabel* L_wMBus_DevType;
    TEdit* E_wMBus_DevType;
    TCheckBox* CB_wMBus_EnKey;
    std::array<TLabel*, 16> L_wMBus_K{};
    std::array<TEdit*, 16> E_wMBus_K{};  // E_wMBus_K1 .. E_wMBus_K16
    TCheckBox* CB_wMBus_Node_State;
    TEdit* E_wMBus_NodeState;
    TCheckBox* CB_wMBus_Ident_Num;
    TEdit* E_wMBus_Ident;
    TCheckBox* CB_wMBus_RSSI;
    TEdit* E_wMBus_RSSI;
    TCheckBox* CB_wMBus_Access_Number;
    TEdit* E_wMBus_Access_Number;
    TCheckBox* CB_wMBus_Conv_BCD;
    TLabel* L_wMBus_Swap;
    TComboBox* CB_wMBus_Swap_Ident;
    TLabel* L_wMBus_VarList;
    TComboBox* CB_wMBus_VarList;

    // ---- Variables page
    TCheckBox* CB_Var_En;
    TLabel* L_Var_Desc;
    TEdit* E_New_Var_Desc;
    TLabel* L_Var_ToD;
    TComboBox* CB_Var_ToD;
    TLabel* L_VIF_ASCII;
    TEdit* E_VIF_ASCII;
    TLabel* L_Var_FF;
    TComboBox* CB_Var_FF;
    TLabel* L_Var_Dim;
    TComboBox* CB_Var_Dim;
    TLabel* L_Length;
    TEdit* E_Length;
    TLabel* L_Var_Unit;
    TComboBox* CB_Var_Unit;
    TLabel* L_Sto_Num;
    TEdit* E_Sto_Num;
    TLabel* L_Tariff;
    TEdit* E_Tariff;
    TLabel* L_VIFE;
    TComboBox* CB_VIFE;
    TLabel* L_Var_MR;
    TEdit* E_Var_MR;
    TGroupBox* GB_Time_Point;
    TCheckBox* CB_TP_MR;
    std::array<TLabel*, 6> L_TP{};  // YY, MM, DD, HH, MM, SS
    TEdit* E_TP_Year;
    TLabel* ST_TP_Month;
    TLabel* ST_TP_Day;
    TLabel* ST_TP_Hour;
    TLabel* ST_TP_Min;
    TLabel* ST_TP_Sec;
    TCheckBox* CB_BCDtoINT;
    TCheckBox* CB_Float;
    TCheckBox* CB_Force_Int32;
    TLabel* L_PostOpe;
    TComboBox* CB_PostOpe;
    TLabel* L_Position;
    TEdit* E_Position;
    TFxButton* btn_Add_Var;
    TFxButton* FxButton3;  // "SCAN VARIABLES", hidden

    // ---- the network being edited and the selection in the tree
    TNodo_List Nodi_List;
    TTreeNode* NODE_ORIG = nullptr;
    TTreeNode* NODE_ID = nullptr;
    TTreeNode* SELECT_NODE = nullptr;
    Integer IND_NODO = -1;
    Integer IND_VAR = -1;
    // Copy buffers; they live for the program's run.
    std::unique_ptr<TVariabile> Copy_Var;
    std::unique_ptr<TNodo> Copy_Node;
    bool Is_Change = false;

    // ---- events and operations
    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void Set_Lang();
    void TWClick(TObject* Sender);
    void TWChange(TObject* Sender, TTreeNode* Node);
    void Aggiorna_Label();
    // Places the Nodes page's rows for the M-Bus type shown.
    void Nodes_Move_Elements();
    // Lays out the Variables page for a list "By Type" (0) or "By Position" (1).
    void Sposta_Oggetti_Var(Integer List_Type);
    void CB_MBus_TypeChange(TObject* Sender);
    void CB_Var_ToDChange(TObject* Sender);
    void CB_Var_DimChange(TObject* Sender);
    void E_TP_YearChange(TObject* Sender);
    void CB_FloatClick(TObject* Sender);
    void btn_Add_NodeClick(TObject* Sender);
    void btn_Add_VarClick(TObject* Sender);
    void btn_Delete_ItemClick(TObject* Sender);
    void DeleteItem1Click(TObject* Sender);
    void FxButton2Click(TObject* Sender);  // OK
    void FxButton4Click(TObject* Sender);  // Cancel
    void Btn_ImportNetClick(TObject* Sender);
    void CopyVariable1Click(TObject* Sender);
    void PasteVariable1Click(TObject* Sender);
    void CopyNode1Click(TObject* Sender);
    void PasteNode1Click(TObject* Sender);

    // ---- checks (one error box per failure)
    bool Controllo_Dati_New_Nodo();
    bool Controllo_Dati_New_Var(bool NewVar);
    // True when no other node uses the address (IDType 0 primary, 1 secondary).
    bool Check_Node_ID(Integer ID, Integer IDType);
    // The same for a pasted node: every node counts.
    bool Check_Node_ID2(Integer ID, Integer IDType);
    // True when a position is already taken (the conflict was reported).
    bool Check_Registers(Integer Reg, Integer RegScale, Integer TPYear, bool NewVar);

    // Tree texts of a node and of a variable.
    static QString Node_Text(const TNodo& Node);
    static QString Var_Text(const TVariabile& Var);

private:
    // An M_Bus.xml read only in part is replaced by OK only after a question.
    TConfig_File_Guard FLoad;

    void Make_Node_Page();
    void Make_Wireless_Panel();
    void Make_Var_Page();
    // Widens a choice list's drop-down to its widest item (plus Extra) and
    // opens it leftwards from the box's right edge.
    void Fit_Drop_Down(TComboBox* Combo, Integer Extra);
    static void Fit_Now(TComboBox* Combo, Integer Extra);
    void Show_Node(const TNodo& Node);
    void Show_Var(const TVariabile& Var);
    void Reset_Var_Panel();
    void Node_From_Panel(TNodo& Node);
    void Var_From_Panel(TVariabile& Var);
    QString Panel_Node_Text();
    // Empties the tree to its root item and the list.
    void Clear_Network();
    void Enable_Paste_Items();
};

extern TFMeter_Bus* FMeter_Bus;
