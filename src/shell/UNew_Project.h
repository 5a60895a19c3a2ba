#pragma once
// The dialog that asks for the name of a new configuration and creates its
// folder (step 1, New).

#include "platform/Form.h"

class TEdit;
class TFxButton;
class TLabel;
class TPanel;

class TFNew_Project : public TForm {
public:
    explicit TFNew_Project(TComponent* AOwner);
    ~TFNew_Project() override;
    QString ClassName() const override { return QStringLiteral("TFNew_Project"); }

    TPanel* P_Title;
    TLabel* L_SW_Code;
    TLabel* L_SW_Desc;
    TLabel* Label1;
    TEdit* E_New_Proj;
    TPanel* P_Button;
    TFxButton* Btn_OK;
    TFxButton* Btn_Cancel;

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void E_New_ProjKeyPress(TObject* Sender, QChar& Key);
    // Checks the typed name and creates the configuration; on success the
    // dialog closes with result 1, else an error box shows and it stays open.
    void Btn_OKClick(TObject* Sender);
    void Set_Lang();
};

extern TFNew_Project* FNew_Project;
