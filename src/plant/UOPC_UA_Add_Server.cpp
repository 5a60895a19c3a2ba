#include "plant/UOPC_UA_Add_Server.h"

#include "controls/FxButton.h"
#include "platform/Dialogs.h"
#include "platform/ExtCtrls.h"
#include "platform/StdControls.h"
#include "platform/StringList.h"
#include "platform/Text.h"
#include "shell/ULanguage.h"

TFOPC_UA_Add_Server* FOPC_UA_Add_Server = nullptr;

namespace {

constexpr Integer Label_Left = 12;
constexpr Integer Field_Left = 130;
constexpr Integer Field_Width = 265;
constexpr Integer Field_Height = 21;
constexpr Integer Memo_Height = 89;
constexpr Integer Button_Panel_Height = 40;

template <class T>
T* Field(TForm* Form, const char* Name, Integer Top, Integer Height = Field_Height)
{
    T* control = Make_Control<T>(Form, Form, Name);
    control->SetBounds(Field_Left, Top, Field_Width, Height);
    control->SetShowHint(true);
    return control;
}

TLabel* Field_Label(TForm* Form, const char* Name, Integer Top)
{
    TLabel* label = Make_Control<TLabel>(Form, Form, Name);
    label->SetBounds(Label_Left, Top + 3, Field_Left - Label_Left - 4, 14);
    return label;
}

void Fill(TComboBox* Combo, std::initializer_list<const char*> Items)
{
    for (const char* item : Items)
        Combo->Items()->Add(QLatin1String(item));
}

} // namespace

TFOPC_UA_Add_Server::TFOPC_UA_Add_Server(TComponent* AOwner)
    : TStepDialog(AOwner, QStringLiteral("FOPC_UA_Add_Server"), 407, 308)
{
    Label1->SetVisible(false);
    P_Button->SetHeight(Button_Panel_Height);
    Btn_OK->SetTop(5);
    Btn_Cancel->SetTop(5);

    CB_OPC_UA_Server_Enable = Make_Control<TCheckBox>(this, this, "CB_OPC_UA_Server_Enable");
    CB_OPC_UA_Server_Enable->SetBounds(Label_Left, 75, 300, 17);
    CB_OPC_UA_Server_Enable->SetShowHint(true);
    L_Server_Add = Field_Label(this, "L_Server_Add", 104);
    E_Server_Add = Field<TEdit>(this, "E_Server_Add", 104);
    L_Auth = Field_Label(this, "L_Auth", 136);
    CB_Auth = Field<TComboBox>(this, "CB_Auth", 136);
    Fill(CB_Auth, {"Anonymous", "Username and Password", "Certificate"});
    L_User = Field_Label(this, "L_User", 168);
    E_User = Field<TEdit>(this, "E_User", 168);
    L_Pass = Field_Label(this, "L_Pass", 200);
    E_Pass = Field<TEdit>(this, "E_Pass", 200);
    L_Certificate = Field_Label(this, "L_Certificate", 168);
    RE_Certificate = Field<TMemo>(this, "RE_Certificate", 168, Memo_Height);
    L_Priv_Key = Field_Label(this, "L_Priv_Key", 268);
    RE_Priv_Key = Field<TMemo>(this, "RE_Priv_Key", 268, Memo_Height);
    for (TMemo* memo : {RE_Certificate, RE_Priv_Key}) {
        memo->SetScrollBars(ssVertical);
        memo->SetWordWrap(false);
    }
    L_Sec_Type = Field_Label(this, "L_Sec_Type", 168);
    CB_Sec_Type = Field<TComboBox>(this, "CB_Sec_Type", 168);
    Fill(CB_Sec_Type, {"None", "Sign", "Sign and Encrypt"});
    L_Sec_Policy = Field_Label(this, "L_Sec_Policy", 200);
    CB_Sec_Policy = Field<TComboBox>(this, "CB_Sec_Policy", 200);
    Fill(CB_Sec_Policy, {"None", "Basic 128 RSA 15", "Basic 256", "Basic 256 SHA 256", "AES 128 SHA 256 RSA OAEP",
                         "AES 256 SHA 256 RSA PSS"});
    L_Mnemonic = Field_Label(this, "L_Mnemonic", 232);
    E_Mnemonic = Field<TEdit>(this, "E_Mnemonic", 232);
    for (TComboBox* combo : {CB_Auth, CB_Sec_Type, CB_Sec_Policy}) {
        combo->SetStyle(csDropDown);
        combo->SetItemIndex(0);
    }
    CB_Auth->OnChange = [this](TObject* s) { CB_AuthChange(s); };
    CB_Sec_Type->OnChange = [this](TObject* s) { CB_Sec_TypeChange(s); };

    Btn_OK->OnClick = [this](TObject* s) { Btn_OKClick(s); };
    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnShow = [this](TObject* s) { FormShow(s); };
}

TFOPC_UA_Add_Server::~TFOPC_UA_Add_Server()
{
    if (FOPC_UA_Add_Server == this)
        FOPC_UA_Add_Server = nullptr;
}

void TFOPC_UA_Add_Server::FormCreate(TObject*)
{
    Frame_Create();
    Set_Lang();
    Change_Fields();
    Check_Authorization();
}

void TFOPC_UA_Add_Server::FormShow(TObject*)
{
    if (FormType == 2) {
        SetCaption(Lang_Text(5602));
        L_SW_Desc->SetCaption(Lang_Text(5603));
    } else {
        SetCaption(Lang_Text(5600));
        L_SW_Desc->SetCaption(Lang_Text(5601));
        CB_OPC_UA_Server_Enable->SetChecked(true);
        for (TCustomEdit* edit : std::initializer_list<TCustomEdit*>{E_Server_Add, E_User, E_Pass, RE_Certificate,
                                                                     RE_Priv_Key, E_Mnemonic})
            edit->Clear();
        CB_Auth->SetItemIndex(0);
        CB_Sec_Type->SetItemIndex(0);
    }
    Change_Fields();
    Check_Authorization();
}

void TFOPC_UA_Add_Server::CB_AuthChange(TObject*)
{
    Change_Fields();
}

void TFOPC_UA_Add_Server::CB_Sec_TypeChange(TObject*)
{
    Check_Authorization();
}

void TFOPC_UA_Add_Server::Place(TControl* Control, TLabel* Label, Integer Top)
{
    Control->SetTop(Top);
    Label->SetTop(Top + 3);
}

void TFOPC_UA_Add_Server::Change_Fields()
{
    const Integer auth = CB_Auth->ItemIndex();
    if (auth < 0 || auth > 2)
        return;  // a typed text that names no authorization changes nothing
    const bool user = auth == 1;
    const bool certificate = auth == 2;
    for (TControl* c : std::initializer_list<TControl*>{L_User, E_User, L_Pass, E_Pass})
        c->SetVisible(user);
    for (TControl* c : std::initializer_list<TControl*>{L_Certificate, RE_Certificate, L_Priv_Key, RE_Priv_Key})
        c->SetVisible(certificate);
    if (user) {
        Place(E_User, L_User, 168);
        Place(E_Pass, L_Pass, 200);
    }
    if (certificate) {
        Place(RE_Certificate, L_Certificate, 168);
        Place(RE_Priv_Key, L_Priv_Key, 268);
    }
    const Integer security = auth == 0 ? 168 : auth == 1 ? 232 : 368;
    Place(CB_Sec_Type, L_Sec_Type, security);
    Place(CB_Sec_Policy, L_Sec_Policy, security + 32);
    Place(E_Mnemonic, L_Mnemonic, security + 64);
    SetClientHeight(Button_Panel_Height + E_Mnemonic->Top() + E_Mnemonic->Height() + 15);
}

void TFOPC_UA_Add_Server::Check_Authorization()
{
    if (CB_Sec_Type->ItemIndex() == 0) {
        CB_Sec_Policy->SetItemIndex(0);
        CB_Sec_Policy->SetEnabled(false);
    } else {
        CB_Sec_Policy->SetEnabled(true);
    }
}

bool TFOPC_UA_Add_Server::Controlla_Dati()
{
    const Integer auth = CB_Auth->ItemIndex();
    const struct {
        bool Needed;
        const TCustomEdit* Field;
        Integer Text;
    } checks[] = {
        {true, E_Server_Add, 5628},
        {auth == 1, E_User, 5629},
        {auth == 1, E_Pass, 5630},
        {auth == 2, RE_Certificate, 5631},
        {auth == 2, RE_Priv_Key, 5632},
    };
    for (const auto& c : checks)
        if (c.Needed && Trim(c.Field->Text()).isEmpty()) {
            Application->MessageBox(Lang_Text(c.Text), Application->Title(), MB_OK | MB_ICONERROR);
            return false;
        }
    return true;
}

void TFOPC_UA_Add_Server::Btn_OKClick(TObject*)
{
    if (Controlla_Dati())
        SetModalResult(mrOk);
}

void TFOPC_UA_Add_Server::Set_Lang()
{
    SetCaption(Lang_Text(5600));
    L_SW_Desc->SetCaption(Lang_Text(5601));
    const struct {
        TControl* Control;
        TLabel* Label;
        Integer Text, Hint;
    } fields[] = {
        {CB_OPC_UA_Server_Enable, nullptr, 5604, 5605},
        {E_Server_Add, L_Server_Add, 5606, 5607},
        {CB_Auth, L_Auth, 5608, 5609},
        {E_User, L_User, 5610, 5611},
        {E_Pass, L_Pass, 5612, 5613},
        {RE_Certificate, L_Certificate, 5614, 5615},
        {RE_Priv_Key, L_Priv_Key, 5616, 5617},
        {CB_Sec_Type, L_Sec_Type, 5618, 5619},
        {CB_Sec_Policy, L_Sec_Policy, 5620, 5621},
        {E_Mnemonic, L_Mnemonic, 5622, 5623},
        {Btn_OK, nullptr, 5624, 5625},
        {Btn_Cancel, nullptr, 5626, 5627},
    };
    for (const auto& f : fields) {
        (f.Label ? static_cast<TControl*>(f.Label) : f.Control)->SetCaption(Lang_Text(f.Text));
        f.Control->SetHint(Lang_Text(f.Hint));
    }
}
