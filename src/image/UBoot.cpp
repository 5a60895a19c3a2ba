#include "image/UBoot.h"

#include <QFileInfo>

#include "controls/FxButton.h"
#include "platform/Dialogs.h"
#include "platform/ExtCtrls.h"
#include "platform/FileSystem.h"
#include "platform/Graphics.h"
#include "platform/IcmpEcho.h"
#include "platform/StdControls.h"
#include "platform/StringList.h"
#include "platform/XmlDocument.h"
#include "shell/ButtonLook.h"
#include "shell/DialogFrame.h"
#include "shell/TextChecks.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

namespace {

QString Lang(Integer n)
{
    return Language_Texts->Strings(n);
}

// Panel heights of the Ethernet layout; the client area is their sum.
constexpr Integer Title_Height = 69;
constexpr Integer IP_Address_Height = 49;
constexpr Integer Options_Height = 72;
constexpr Integer Button_Height = 40;
constexpr Integer Dialog_Width = 449;

template <class T>
T* Make(TComponent* owner, TWinControl* parent, Integer left, Integer top, Integer width = -1)
{
    auto* c = new T(owner);
    c->SetParent(parent);
    c->SetLeft(left);
    c->SetTop(top);
    if (width >= 0)
        c->SetWidth(width);
    return c;
}

TPanel* Make_Panel(TFBoot* form, Integer top, Integer height, TAlign align)
{
    auto* p = Make<TPanel>(form, form, 0, top, Dialog_Width);
    p->SetHeight(height);
    p->SetBevelOuter(bvNone);
    p->SetShowCaption(false);
    p->SetParentColor(true);
    p->SetAlign(align);
    return p;
}

} // namespace

TFBoot* FBoot = nullptr;

TFBoot::TFBoot(TComponent* AOwner) : TForm(AOwner), Ping(std::make_unique<TIcmpEcho>()), XML1(std::make_unique<TXMLDocument>())
{
    SetName(QStringLiteral("FBoot"));
    Set_Window_Look(this);
    SetShowHint(true);

    P_Title = Make_Panel(this, 0, Title_Height, alTop);
    L_SW_Code = Make<TLabel>(this, P_Title, 10, 6);
    L_SW_Code->Font()->SetSize(18);
    L_SW_Code->Font()->SetColor(clGray);
    L_SW_Code->Font()->SetStyle(fsBold);
    L_SW_Desc = Make<TLabel>(this, P_Title, 10, 44);
    L_SW_Desc->Font()->SetStyle(fsBold);

    P_IP_Address = Make_Panel(this, Title_Height, IP_Address_Height, alTop);
    L_IP_Address = Make<TLabel>(this, P_IP_Address, 12, 4);
    TEdit** edits[4] = {&E_IP1, &E_IP2, &E_IP3, &E_IP4};
    for (int i = 0; i < 4; ++i) {
        const Integer left = 12 + i * 52;
        TEdit* e = Make<TEdit>(this, P_IP_Address, left, 21, 40);
        e->SetText(QStringLiteral("0"));
        e->SetAlignment(taCenter);
        e->OnKeyPress = [this](TObject* sender, QChar& key) { KeyPress(sender, key); };
        *edits[i] = e;
        if (i < 3)
            Make<TLabel>(this, P_IP_Address, left + 44, 24)->SetCaption(QStringLiteral("."));
    }

    P_Options = Make_Panel(this, Title_Height + IP_Address_Height, Options_Height, alTop);
    L_Update_Option = Make<TLabel>(this, P_Options, 12, 4);
    CB_Update_Options = Make<TComboBox>(this, P_Options, 12, 21, 220);
    CB_Update_Options->SetStyle(csDropDownList);
    CB_Update_Option_Read_Back = Make<TCheckBox>(this, P_Options, 12, 48, 300);
    CB_Update_Option_Read_Back->SetChecked(true);

    P_Button = Make_Panel(this, Title_Height + IP_Address_Height + Options_Height, Button_Height, alBottom);
    Btn_Update = Make<TFxButton>(this, P_Button, Dialog_Width - 8 - 190, 5, 190);
    Btn_Update->OnClick = [this](TObject* sender) { Btn_UpdateClick(sender); };
    Btn_Cancel = Make<TFxButton>(this, P_Button, Dialog_Width - 8 - 190 - 8 - 90, 5, 90);
    Btn_Cancel->SetModalResult(mrCancel);
    for (TFxButton* b : {Btn_Update, Btn_Cancel}) {
        b->SetHeight(30);
        b->SetShowHint(true);
    }

    Set_Buttons_Look(this);
    OnShow = [this](TObject* sender) { FormShow(sender); };
    SetClientSize(Dialog_Width, Title_Height + IP_Address_Height + Options_Height + Button_Height);
    Set_Lang();
}

TFBoot::~TFBoot()
{
    if (FBoot == this)
        FBoot = nullptr;
}

void TFBoot::Set_Lang()
{
    switch (Form_Type) {
    case Boot_Form_Serial:
        SetCaption(Lang(1000));
        L_SW_Desc->SetCaption(Lang(1001));
        break;
    case Boot_Form_USB:
        SetCaption(Lang(1004));
        L_SW_Desc->SetCaption(Lang(1005));
        break;
    default:
        SetCaption(Lang(1002));
        L_SW_Desc->SetCaption(Lang(1003));
        break;
    }
    L_IP_Address->SetCaption(Lang(1006));
    L_Update_Option->SetCaption(Lang(1014));
    CB_Update_Options->Items()->Clear();
    for (Integer n : {1015, 1016, 1017})
        CB_Update_Options->Items()->Add(Lang(n));
    CB_Update_Options->SetItemIndex(0);
    CB_Update_Option_Read_Back->SetCaption(Lang(1018));
    Btn_Cancel->SetCaption(Lang(1019));
    Btn_Update->SetCaption(Lang(1020));
    E_IP1->SetHint(Lang(1021));
    E_IP2->SetHint(Lang(1022));
    E_IP3->SetHint(Lang(1023));
    E_IP4->SetHint(Lang(1024));
    CB_Update_Options->SetHint(Lang(1032));
    CB_Update_Option_Read_Back->SetHint(Lang(1033));
    Btn_Cancel->SetHint(Lang(1034));
    Btn_Update->SetHint(Lang(1035));
}

void TFBoot::FormShow(TObject*)
{
    Set_Lang();
    L_SW_Code->SetCaption(SW_Code);

    // The Ethernet layout: title, address, options, buttons.
    P_IP_Address->SetVisible(true);
    P_Options->SetVisible(true);
    SetClientSize(Dialog_Width, P_Title->Height() + P_IP_Address->Height() + P_Options->Height() + P_Button->Height());
    P_Title->SetTabOrder(0);
    P_IP_Address->SetTabOrder(1);
    P_Options->SetTabOrder(2);
    P_Button->SetTabOrder(3);

    // An address that is not one leaves the edits as they were.
    QString a, b, c, d;
    if (!Last_IP_Address.isEmpty() && Split_IP_Address(Last_IP_Address, a, b, c, d)) {
        E_IP1->SetText(a);
        E_IP2->SetText(b);
        E_IP3->SetText(c);
        E_IP4->SetText(d);
    }
    // Set_Lang selected item 0: the remembered option comes after it.
    CB_Update_Options->SetItemIndex(Update_Option);
    CB_Update_Option_Read_Back->SetChecked(Read_Back);
    SetActiveControl(E_IP1);
}

void TFBoot::KeyPress(TObject* Sender, QChar& Key)
{
    if (Key != QLatin1Char('.'))
        return;
    Key = QChar(0);
    TEdit* next = nullptr;
    if (Sender == E_IP1)
        next = E_IP2;
    else if (Sender == E_IP2)
        next = E_IP3;
    else if (Sender == E_IP3)
        next = E_IP4;
    if (next != nullptr && next->CanFocus())
        next->SetFocus();
}

QString TFBoot::IP_Address_Text() const
{
    const QChar dot = QLatin1Char('.');
    return E_IP1->Text() + dot + E_IP2->Text() + dot + E_IP3->Text() + dot + E_IP4->Text();
}

QString TFBoot::Updater_File_Name()
{
    return Exe_Folder + PathDelim + QStringLiteral("Ethernet_Update.exe");
}

void TFBoot::Btn_UpdateClick(TObject*)
{
    // The ping lets clicks through: one update at a time.
    if (FUpdating || Form_Type != Boot_Form_Ethernet)
        return;
    FUpdating = true;
    Btn_Update->SetEnabled(false);
    Run_Update();
    Btn_Update->SetEnabled(true);
    FUpdating = false;
}

void TFBoot::Run_Update()
{
    const bool found = Send_Ping();
    // Closed while pinging: the user no longer wants the update.
    if (Closing())
        return;
    if (!found) {
        if (ping_res == 2)
            MessageDlg(Lang(1036), mtWarning, mbOK);
        else if (!Ping_Error.isEmpty())
            MessageDlg(Ping_Error, mtError, mbOK); // the address is fine: the system refused the echo
        else
            MessageDlg(Lang(1037), mtError, mbOK);
        return;
    }

    QString error;
    if (!Compile_XML_Parameter_New_Boot(&error)) {
        MessageDlg(error, mtError, mbOK);
        return;
    }
    // Remembered only once the job for this address stands on disk.
    Last_IP_Address = IP_Address_Text();
    Update_Option = CB_Update_Options->ItemIndex();
    Read_Back = CB_Update_Option_Read_Back->Checked();

    const QString updater = Updater_File_Name();
    const QFileInfo info(updater);
    if (!info.isFile() || !info.isExecutable()) {
        MessageDlg(QStringLiteral("The updater \"%1\" is missing or cannot be run.").arg(updater), mtError, mbOK);
        return;
    }
    Start_Program(updater, QString(), false, Updater_Time_Limit_Ms);
}
