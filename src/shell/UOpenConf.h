#pragma once
// The dialog that lists the configuration folders and lets the user pick one
// to open (step 1, Open). Its result is Name_Conf; the main window opens it.

#include "platform/Form.h"

#include <memory>

class TFxButton;
class TLabel;
class TListBox;
class TPanel;
class TStringList;

class TFOpenConf : public TForm {
public:
    explicit TFOpenConf(TComponent* AOwner);
    ~TFOpenConf() override;
    QString ClassName() const override { return QStringLiteral("TFOpenConf"); }

    TPanel* P_Title;
    TLabel* L_SW_Code;
    TLabel* L_SW_Desc;
    TLabel* Label1;
    TListBox* ListBox1;
    TPanel* P_Button;
    TFxButton* Btn_OK;
    TFxButton* Btn_Cancel;

    // The configuration folder names found, and the chosen name.
    std::unique_ptr<TStringList> SL;
    QString Name_Conf;

    void FormCreate(TObject* Sender);
    // Rebuilds the list and preselects the open configuration.
    void FormShow(TObject* Sender);
    void Load_Existing_Configuration();
    // Index in SL of Name (letters a to z without regard to case), -1 when none.
    Integer Search_Open_Conf(const QString& Name) const;
    void ListBox1Click(TObject* Sender);
    void Set_Lang();
};

extern TFOpenConf* FOpenConf;
