#pragma once
// The start position asked before scanned meters are added to an existing
// M_Bus.xml: one number, 1..65535, for the first variable appended.

#include "shell/DialogFrame.h"

class TEdit;

class TFScanModbusStart : public TStepDialog {
public:
    explicit TFScanModbusStart(TComponent* AOwner);
    ~TFScanModbusStart() override;
    QString ClassName() const override { return QStringLiteral("TFScanModbusStart"); }

    void FormCreate(TObject* Sender);
    void Set_Lang();
    // Accepts 1..65535 into StartModAdd and closes with OK; otherwise an
    // error box and the dialog stays open.
    void Btn_OKClick(TObject* Sender);

    TLabel* L_StartModAdd;
    TEdit* E_StartModAdd;
    Integer StartModAdd = 1;
};

// The one instance, made at start-up.
extern TFScanModbusStart* FScanModbusStart;
