#include "shell/USoftOptions.h"

#include "shell/MakerSite.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

#include "controls/FxButton.h"
#include "platform/Bitmap.h"
#include "platform/Dialogs.h"
#include "platform/ExtCtrls.h"
#include "platform/FileSystem.h"
#include "platform/Graphics.h"
#include "platform/HttpClient.h"
#include "platform/PageControl.h"
#include "platform/Process.h"
#include "platform/StringList.h"
#include "platform/Text.h"

TFSoftOptions* FSoftOptions = nullptr;

namespace {

constexpr Integer Slots = 6;
// Entries of the language folder that are listed: hidden, system, archive,
// normal, sparse and not-content-indexed files; nothing else.
constexpr Integer Language_Attributes = 0x22A6;

QString Lang(Integer n)
{
    return Language_Texts->Strings(n);
}

template <class T>
T* Make(TForm* Form, TWinControl* Parent, const QString& Name)
{
    T* control = new T(Form);
    control->SetName(Name);
    control->SetParent(Parent);
    return control;
}

TTabSheet* Make_Sheet(TForm* Form, TPageControl* Pages, const char* Name)
{
    TTabSheet* sheet = new TTabSheet(Form);
    sheet->SetName(QString::fromLatin1(Name));
    sheet->SetPageControl(Pages);
    return sheet;
}

// A language name from its file name: without ".lng".
QString Language_Of(const QString& FileName)
{
    return FileName.left(FileName.size() - 4);
}

} // namespace

TFSoftOptions::TFSoftOptions(TComponent* AOwner)
    : TStepDialog(AOwner, QStringLiteral("FSoftOptions"), 509, 373)
{
    Label1->SetVisible(false);  // the frame's prompt line is not used here

    PC_Options = Make<TPageControl>(this, this, QStringLiteral("PC_Options"));
    PC_Options->SetBounds(8, 74, 493, 250);
    TS_Language = Make_Sheet(this, PC_Options, "TS_Language");
    TS_Con_Options = Make_Sheet(this, PC_Options, "TS_Con_Options");
    TS_Soft_Settings = Make_Sheet(this, PC_Options, "TS_Soft_Settings");

    // Language page: two columns of three slots under the selected language.
    L_Sel_Lang = Make<TLabel>(this, TS_Language, QStringLiteral("L_Sel_Lang"));
    L_Sel_Lang->SetBounds(12, 8, 300, 14);
    L_Sel_Lang->Font()->SetStyle(fsBold);
    for (Integer k = 0; k < Slots; ++k) {
        const Integer left = k < 3 ? 16 : 246;
        const Integer top = 30 + 54 * (k % 3);
        I_L[k] = Make<TImage>(this, TS_Language, QStringLiteral("I_L%1").arg(k + 1));
        I_L[k]->SetBounds(left, top, 48, 48);
        I_L[k]->SetTransparent(true);
        I_L[k]->OnClick = [this](TObject* Sender) { LangClick(Sender); };
        L_L[k] = Make<TLabel>(this, TS_Language, QStringLiteral("L_L%1").arg(k + 1));
        L_L[k]->SetBounds(left + 56, top + 17, 160, 14);
        L_L[k]->OnClick = [this](TObject* Sender) { LangClick(Sender); };
    }
    L_Page_Lang = Make<TLabel>(this, TS_Language, QStringLiteral("L_Page_Lang"));
    L_Page_Lang->SetBounds(16, 200, 120, 14);
    Btn_Prev = Make<TFxButton>(this, TS_Language, QStringLiteral("Btn_Prev"));
    Btn_Prev->SetBounds(280, 192, 90, 28);
    Btn_Next = Make<TFxButton>(this, TS_Language, QStringLiteral("Btn_Next"));
    Btn_Next->SetBounds(378, 192, 90, 28);
    for (TFxButton* b : {Btn_Prev, Btn_Next})
        b->OnClick = [this](TObject* Sender) { Btn_NextClick(Sender); };

    // Connection page.
    CB_En_Con = Make<TCheckBox>(this, TS_Con_Options, QStringLiteral("CB_En_Con"));
    CB_En_Con->SetBounds(16, 16, 440, 20);
    CB_Update = Make<TCheckBox>(this, TS_Con_Options, QStringLiteral("CB_Update"));
    CB_Update->SetBounds(16, 44, 440, 20);
    Btn_Check_Update = Make<TFxButton>(this, TS_Con_Options, QStringLiteral("Btn_Check_Update"));
    Btn_Check_Update->SetBounds(16, 80, 220, 30);
    Btn_Check_Update->OnClick = [this](TObject* Sender) { Btn_Check_UpdateClick(Sender); };
    LL_Check_Update = Make<TLinkLabel>(this, TS_Con_Options, QStringLiteral("LL_Check_Update"));
    LL_Check_Update->SetBounds(16, 124, 440, 20);
    LL_Check_Update->SetVisible(false);
    LL_Check_Update->OnLinkClick = [this](TObject* Sender, const QString& Link, TSysLinkType LinkType) {
        LL_Check_UpdateLinkClick(Sender, Link, LinkType);
    };

    // Table options page.
    CB_Soft_Set_Jump_Table = Make<TCheckBox>(this, TS_Soft_Settings, QStringLiteral("CB_Soft_Set_Jump_Table"));
    CB_Soft_Set_Jump_Table->SetBounds(16, 16, 460, 20);
    CB_DoubleClick_Auto_Size = Make<TCheckBox>(this, TS_Soft_Settings, QStringLiteral("CB_DoubleClick_Auto_Size"));
    CB_DoubleClick_Auto_Size->SetBounds(16, 44, 460, 20);
    for (TCheckBox* box : {CB_En_Con, CB_Update, CB_Soft_Set_Jump_Table, CB_DoubleClick_Auto_Size})
        box->OnClick = [this](TObject* Sender) { CB_En_ConClick(Sender); };

    // OK closes the dialog once the options are taken.
    Btn_OK->OnClick = [this](TObject* Sender) { Btn_OKClick(Sender); };

    OnCreate = [this](TObject* Sender) { FormCreate(Sender); };
    OnShow = [this](TObject* Sender) { FormShow(Sender); };
}

TFSoftOptions::~TFSoftOptions()
{
    if (FSoftOptions == this)
        FSoftOptions = nullptr;
}

void TFSoftOptions::FormCreate(TObject*)
{
    SL_Languages = std::make_unique<TStringList>();
    Frame_Create();
    TS_Con_Options->SetTabVisible(true);
    Set_Lang();
}

void TFSoftOptions::FormShow(TObject*)
{
    Language_In_Use = Language_Name;
    Create_Lang_List();
    Update_CheckBox();
    LL_Check_Update->SetVisible(false);
    PC_Options->SetActivePage(TS_Language);
    // Each change of a box runs its click handler, so the enabled states
    // end up matching the boxes.
    CB_En_Con->SetChecked(Enable_Internet);
    CB_Update->SetChecked(Enable_Update);
    CB_Soft_Set_Jump_Table->SetChecked(Enable_Jump_Field_Tables);
    CB_DoubleClick_Auto_Size->SetChecked(Double_Click_Auto_Size);
}

void TFSoftOptions::Create_Lang_List()
{
    SL_Languages->Clear();
    TSearchRec F;
    if (FindFirst(Language_Folder + PathDelim + QStringLiteral("*.lng"), Language_Attributes, F) == 0) {
        do {
            // Folders, read-only files and links are left out.
            if ((F.Attr & ~Language_Attributes) == 0)
                SL_Languages->Add(F.Name);
        } while (FindNext(F) == 0);
        FindClose(F);
    }
    if (SL_Languages->Count() > 0)
        SL_Languages->Sort();
    Show_Page = 1;
    Update_Lang_Page(1);
}

Integer TFSoftOptions::Page_Count() const
{
    return (SL_Languages->Count() + Slots - 1) / Slots;
}

void TFSoftOptions::Show_Page_Labels(Integer Num_Page)
{
    L_Sel_Lang->SetCaption(Lang(304) + Language_In_Use);
    L_Page_Lang->SetCaption(Lang(305) + IntToStr(Num_Page) + Lang(306) + IntToStr(Page_Count()));
}

void TFSoftOptions::Update_Lang_Page(Integer Num_Page)
{
    const Integer pages = Page_Count();
    Show_Page_Labels(Num_Page);
    Btn_Prev->SetVisible(Num_Page != 1);
    Btn_Next->SetVisible(Num_Page != pages);

    const Integer shown = std::min(SL_Languages->Count() - (Num_Page - 1) * Slots, Slots);
    for (Integer k = 0; k < Slots; ++k) {
        const bool visible = k == 0 ? shown > 0 : k < shown;
        I_L[k]->SetVisible(visible);
        L_L[k]->SetVisible(visible);
    }
    for (Integer k = 0; k < shown; ++k) {
        const QString name = Language_Of(SL_Languages->Strings((Num_Page - 1) * Slots + k));
        L_L[k]->SetCaption(name);
        // The language's own flag, else the default one; a picture that is
        // missing or cannot be read leaves the slot with its name alone.
        TPicture* picture = I_L[k]->Picture();
        picture->SetGraphic(nullptr);
        for (const QString& flag : {name + QStringLiteral(".bmp"), QStringLiteral("DefaultFlag.bmp")}) {
            const QString path = Language_Folder + PathDelim + flag;
            if (FileExists(path) && picture->LoadFromFile(path))
                break;
        }
        I_L[k]->SetVisible(!picture->Empty());
    }
}

void TFSoftOptions::Btn_NextClick(TObject* Sender)
{
    if (Sender == Btn_Next) {
        if (Page_Count() >= Show_Page + 1)
            ++Show_Page;
    } else if (Show_Page - 1 > 0) {
        --Show_Page;
    }
    Update_Lang_Page(Show_Page);
}

void TFSoftOptions::LangClick(TObject* Sender)
{
    Integer slot = -1;
    for (Integer k = 0; k < Slots; ++k)
        if (Sender == I_L[k] || Sender == L_L[k])
            slot = k;
    const Integer index = (Show_Page - 1) * Slots + slot;
    if (slot < 0 || index >= SL_Languages->Count())
        return;
    const QString name = Language_Of(SL_Languages->Strings(index));

    if (MessageDlg(Lang(316) + Language_In_Use + Lang(317) + name + Lang(318), mtConfirmation, mbYesNo) != mrYes)
        return;
    Language_In_Use = name;

    // The new texts are shown at once; the language is stored by OK only.
    const QString stored = Language_Name;
    Language_Name = name;
    Load_Language();
    Language_Name = stored;

    if (Change_Language)
        Change_Language();
    else
        Set_Lang();
    Show_Page_Labels(Show_Page);
}

void TFSoftOptions::Update_CheckBox()
{
    CB_Update->SetEnabled(CB_En_Con->Checked());
    Btn_Check_Update->SetEnabled(CB_Update->Enabled() && CB_Update->Checked());
}

void TFSoftOptions::CB_En_ConClick(TObject*)
{
    Update_CheckBox();
}

void TFSoftOptions::Btn_Check_UpdateClick(TObject*)
{
    if (Check_Version())
        LL_Check_Update->SetCaption(QStringLiteral("<a href=\"%1\">%2</a>").arg(Maker_Download_Page(), Lang(314)));
    else
        LL_Check_Update->SetCaption(Lang(315));
    LL_Check_Update->SetVisible(true);
}

void TFSoftOptions::LL_Check_UpdateLinkClick(TObject*, const QString& Link, TSysLinkType)
{
    ShellOpen(Link);
}

void TFSoftOptions::Btn_OKClick(TObject*)
{
    // The main window then writes the settings file and sets its version
    // timer from the two internet options.
    Language_Name = Language_In_Use;
    Enable_Internet = CB_En_Con->Checked();
    Enable_Update = CB_Update->Checked();
    Enable_Jump_Field_Tables = CB_Soft_Set_Jump_Table->Checked();
    Double_Click_Auto_Size = CB_DoubleClick_Auto_Size->Checked();
    SetModalResult(mrOk);
}

bool TFSoftOptions::Check_Version()
{
    THTTPClient own;
    THTTPClient* client = HTTP1 ? HTTP1 : &own;
    const QString reply = Trim(client->Get(Maker_Version_Page()));
    const QString upper = UpperCase(reply);
    if (upper.isEmpty() || upper == QStringLiteral("VER. 0.000"))
        return false;
    const Integer local = Conv_Version(Const_SW_Version);
    const Integer remote = Conv_Version(reply);
    return local != -1 && remote != -1 && remote > local;
}

Integer TFSoftOptions::Conv_Version(const QString& Ver_str)
{
    const qsizetype blank = Ver_str.indexOf(QLatin1Char(' '));
    const QString version = Trim(blank < 0 ? Ver_str : Ver_str.mid(blank + 1));
    if (version.size() < 5)
        return -1;
    // The digit before the separator and the three after it.
    const QString digits = version.left(1) + version.mid(2, 3);
    Integer number = 0;
    for (const QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return -1;
        number = number * 10 + (c.unicode() - '0');
    }
    return number;
}

void TFSoftOptions::Set_Lang()
{
    SetCaption(Lang(300));
    L_SW_Desc->SetCaption(Lang(301));
    TS_Language->SetCaption(Lang(302));
    TS_Con_Options->SetCaption(Lang(303));
    TS_Soft_Settings->SetCaption(Lang(319));
    L_Sel_Lang->SetCaption(Lang(304));
    L_Page_Lang->SetCaption(Lang(305) + QStringLiteral("1") + Lang(306) + QStringLiteral("1"));
    Btn_Prev->SetCaption(Lang(307));
    Btn_Next->SetCaption(Lang(308));
    CB_En_Con->SetCaption(Lang(309));
    CB_Update->SetCaption(Lang(310));
    Btn_Check_Update->SetCaption(Lang(311));
    Btn_OK->SetCaption(Lang(312));
    Btn_Cancel->SetCaption(Lang(313));
    CB_Soft_Set_Jump_Table->SetCaption(Lang(320));
    CB_DoubleClick_Auto_Size->SetCaption(Lang(321));
}
