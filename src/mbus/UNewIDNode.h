#pragma once
// The dialog that asks for the new addresses and positions of a pasted
// node or variable: the node's address (wired primary or secondary, or the
// wireless address), its register positions, and a grid with the positions
// of every pasted variable. OK checks them against the network being edited.

#include "shell/DialogFrame.h"

class TEdit;
class TExColumnGrid;
class TFMeter_Bus;
class TRadioButton;

class TFNewIDNode : public TStepDialog {
public:
    explicit TFNewIDNode(TComponent* AOwner);
    ~TFNewIDNode() override;
    QString ClassName() const override { return QStringLiteral("TFNewIDNode"); }

    // Set by the caller before the show: 1 a wired node, 2 a variable,
    // 3 a wireless node.
    Integer Form_Type = 1;
    // The editor whose network the entries are checked against.
    TFMeter_Bus* Editor = nullptr;

    TPanel* Panel1;  // the node's entries
    TRadioButton* RB_ID_Primary;
    TEdit* E_New_Node_ID_Pri;
    TRadioButton* RB_ID_Secondary;
    TEdit* E_New_Node_ID_Sec;
    TLabel* L_wMBus_Add;
    TEdit* E_wMBus_Add;
    TLabel* Label2;
    TEdit* E_MR_NodeState;
    TLabel* Label3;
    TEdit* E_MR_IdentNum;
    TLabel* L_wMBus_RSSI;
    TEdit* E_wMBus_RSSI;
    TPanel* P_Var;  // the variables' positions
    TLabel* Label4;
    // Three rows per variable from row 1: its position ("Index" column),
    // a scale position, its time-point year position.
    TExColumnGrid* ESG_MR_Var;

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void Set_Lang();
    // OK: checks the entries; the dialog closes with OK only when all pass.
    void FxButton2Click(TObject* Sender);
};

extern TFNewIDNode* FNewIDNode;
