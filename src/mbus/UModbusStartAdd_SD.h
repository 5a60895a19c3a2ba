#pragma once
// The start position of each scanned meter's variables, asked before a
// "Save Node Add. Conf.": one grid row per meter (filled by the scan window
// before each opening), and whether the node-state and identification-number
// entries are added.

#include "shell/DialogFrame.h"

class TCheckBox;
class TExColumnGrid;
class TPanel;

class TFModbusStartAdd_SD : public TStepDialog {
public:
    explicit TFModbusStartAdd_SD(TComponent* AOwner);
    ~TFModbusStartAdd_SD() override;
    QString ClassName() const override { return QStringLiteral("TFModbusStartAdd_SD"); }

    void FormCreate(TObject* Sender);
    void Set_Lang();
    // True when every meter's start position is 1..59999; else shows the
    // first faulty row's error and returns false.
    bool Check_Data();
    // Closes with OK when Check_Data passes.
    void Btn_OKClick(TObject* Sender);

    TPanel* P_Options;
    TCheckBox* CB_En_NodeState;
    TCheckBox* CB_En_IndNum;
    TExColumnGrid* sga;
};

// The one instance, made at start-up.
extern TFModbusStartAdd_SD* FModbusStartAdd_SD;
