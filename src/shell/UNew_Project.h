#pragma once
// The dialog that asks for the name of a new configuration and creates its
// folder (step 1, New).

#include "shell/DialogFrame.h"

class TEdit;

class TFNew_Project : public TStepDialog {
public:
    explicit TFNew_Project(TComponent* AOwner);
    ~TFNew_Project() override;
    QString ClassName() const override { return QStringLiteral("TFNew_Project"); }

    TEdit* E_New_Proj;

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void E_New_ProjKeyPress(TObject* Sender, QChar& Key);
    // Checks the typed name and creates the configuration; on success the
    // dialog closes with result 1, else an error box shows and it stays open.
    void Btn_OKClick(TObject* Sender);
    void Set_Lang();
};

extern TFNew_Project* FNew_Project;
