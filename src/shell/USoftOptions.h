#pragma once
// The options dialog: the user-interface language among the language files
// found, the two internet options with a manual version check, and the two
// table options. It also holds the version check that the main window's
// timer runs.

#include "shell/DialogFrame.h"
#include "platform/StdControls.h"

#include <functional>
#include <memory>

class TCheckBox;
class THTTPClient;
class TImage;
class TLabel;
class TLinkLabel;
class TPageControl;
class TStringList;
class TTabSheet;

class TFSoftOptions : public TStepDialog {
public:
    explicit TFSoftOptions(TComponent* AOwner);
    ~TFSoftOptions() override;
    QString ClassName() const override { return QStringLiteral("TFSoftOptions"); }

    TPageControl* PC_Options;
    TTabSheet* TS_Language;
    TTabSheet* TS_Con_Options;
    TTabSheet* TS_Soft_Settings;
    // Language page: the selected language, six slots (flag picture and
    // name; 1 to 3 the left column, 4 to 6 the right), the page number.
    TLabel* L_Sel_Lang;
    TImage* I_L[6];  // I_L1 .. I_L6
    TLabel* L_L[6];  // L_L1 .. L_L6
    TLabel* L_Page_Lang;
    TFxButton* Btn_Prev;
    TFxButton* Btn_Next;
    // Connection page.
    TCheckBox* CB_En_Con;
    TCheckBox* CB_Update;
    TFxButton* Btn_Check_Update;
    TLinkLabel* LL_Check_Update;
    // Table options page.
    TCheckBox* CB_Soft_Set_Jump_Table;
    TCheckBox* CB_DoubleClick_Auto_Size;

    // The language page shown, from 1.
    Integer Show_Page = 1;
    // The language file names found (with ".lng"), sorted.
    std::unique_ptr<TStringList> SL_Languages;
    // The language shown as selected; stored by OK only.
    QString Language_In_Use;

    // The text refresh of every window, run after a language is chosen (the
    // main window's Change_Language). Unset, only this dialog takes the texts.
    std::function<void()> Change_Language;
    // The HTTP client of the version check: the main window's, lent at
    // start-up; without one the check uses a client of its own.
    THTTPClient* HTTP1 = nullptr;

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void Create_Lang_List();
    void Update_Lang_Page(Integer Num_Page);
    // Previous and Next.
    void Btn_NextClick(TObject* Sender);
    // A click on a slot's flag or name.
    void LangClick(TObject* Sender);
    void Update_CheckBox();
    // The click of all four check boxes.
    void CB_En_ConClick(TObject* Sender);
    void Btn_Check_UpdateClick(TObject* Sender);
    void LL_Check_UpdateLinkClick(TObject* Sender, const QString& Link, TSysLinkType LinkType);
    void Btn_OKClick(TObject* Sender);
    void Set_Lang();

    // True when the maker's version page names a version newer than this
    // software's. Any failure or unusable reply counts as no newer version.
    bool Check_Version();
    // The number in a version text ("VER. 1.007" gives 1007), -1 when none.
    static Integer Conv_Version(const QString& Ver_str);

private:
    // Number of language pages.
    Integer Page_Count() const;
    // Shows the selected language and the page number.
    void Show_Page_Labels(Integer Num_Page);
};

extern TFSoftOptions* FSoftOptions;
