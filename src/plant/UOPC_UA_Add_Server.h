#pragma once
// The dialog in which the user adds or changes one OPC UA server of the
// client list: enabled, address, authorization (anonymous, user name and
// password, or certificate and private key), security mode and policy, and a
// description. It arranges its fields by the authorization and checks that
// the needed ones are filled; the client window reads them after OK.

#include "shell/DialogFrame.h"

class TCheckBox;
class TComboBox;
class TEdit;
class TMemo;

class TFOPC_UA_Add_Server : public TStepDialog {
public:
    explicit TFOPC_UA_Add_Server(TComponent* AOwner);
    ~TFOPC_UA_Add_Server() override;
    QString ClassName() const override { return QStringLiteral("TFOPC_UA_Add_Server"); }

    // 1 add (the fields start over), 2 modify (the caller fills them).
    Integer FormType = 1;

    TCheckBox* CB_OPC_UA_Server_Enable;
    TLabel* L_Server_Add;
    TEdit* E_Server_Add;
    TLabel* L_Auth;
    TComboBox* CB_Auth;
    TLabel* L_User;
    TEdit* E_User;
    TLabel* L_Pass;
    TEdit* E_Pass;
    TLabel* L_Certificate;
    TMemo* RE_Certificate;
    TLabel* L_Priv_Key;
    TMemo* RE_Priv_Key;
    TLabel* L_Sec_Type;
    TComboBox* CB_Sec_Type;
    TLabel* L_Sec_Policy;
    TComboBox* CB_Sec_Policy;
    TLabel* L_Mnemonic;
    TEdit* E_Mnemonic;

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void CB_AuthChange(TObject* Sender);
    void CB_Sec_TypeChange(TObject* Sender);
    void Btn_OKClick(TObject* Sender);
    // Shows the fields of the chosen authorization and moves the rows below
    // them; an authorization that selects no item keeps the arrangement.
    void Change_Fields();
    // Security mode "None" forces policy "None" and locks it.
    void Check_Authorization();
    // The address, and the fields the authorization needs, are filled;
    // otherwise an error box and false.
    bool Controlla_Dati();
    void Set_Lang();

private:
    // Puts a control and its label (3 pixels lower) at Top.
    static void Place(TControl* Control, TLabel* Label, Integer Top);
};

extern TFOPC_UA_Add_Server* FOPC_UA_Add_Server;
