#pragma once
// The dialog that lists the configuration folders and lets the user pick one
// to open (step 1, Open). Its result is Name_Conf; the main window opens it.

#include "shell/DialogFrame.h"

#include <memory>

class TListBox;
class TStringList;

class TFOpenConf : public TStepDialog {
public:
    explicit TFOpenConf(TComponent* AOwner);
    ~TFOpenConf() override;
    QString ClassName() const override { return QStringLiteral("TFOpenConf"); }

    TListBox* ListBox1;

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
