#pragma once
// The dialog that names the PROFINET GSDML file after the GSDML convention:
// a fixed prefix, a part the user types, and the program's start date.

#include "shell/DialogFrame.h"

class TEdit;

class TFProfinetFileName : public TStepDialog {
public:
    explicit TFProfinetFileName(TComponent* AOwner);
    ~TFProfinetFileName() override;
    QString ClassName() const override { return QStringLiteral("TFProfinetFileName"); }

    TLabel* L_Select_Name;
    TLabel* L_FixPart_1;
    TLabel* L_XML_Fix1;
    TLabel* L_UsedPart;
    TEdit* E_XML_User;
    TLabel* L_FixPart_2;
    TLabel* L_XML_Fix2;

    // The composed file name, set by OK.
    QString Name_File_XML;

    void FormCreate(TObject* Sender);
    // Composes Name_File_XML and closes the dialog with result 1.
    void Btn_OK_Click(TObject* Sender);
    void Set_Lang();
};

extern TFProfinetFileName* FProfinetFileName;
