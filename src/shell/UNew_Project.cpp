#include "shell/UNew_Project.h"

#include "shell/ProjectFolders.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

#include "controls/FxButton.h"
#include "platform/Dialogs.h"
#include "platform/ExtCtrls.h"
#include "platform/StdControls.h"
#include "platform/StringList.h"

TFNew_Project* FNew_Project = nullptr;

TFNew_Project::TFNew_Project(TComponent* AOwner)
    : TStepDialog(AOwner, QStringLiteral("FNew_Project"), 331, 162)
{
    E_New_Proj = new TEdit(this);
    E_New_Proj->SetName(QStringLiteral("E_New_Proj"));
    E_New_Proj->SetParent(this);
    E_New_Proj->SetBounds(12, 95, 307, 21);
    E_New_Proj->SetShowHint(true);
    E_New_Proj->OnKeyPress = [this](TObject* Sender, QChar& Key) { E_New_ProjKeyPress(Sender, Key); };

    // OK closes the dialog itself once the name has passed.
    Btn_OK->SetModalResult(mrNone);
    Btn_OK->OnClick = [this](TObject* Sender) { Btn_OKClick(Sender); };

    OnCreate = [this](TObject* Sender) { FormCreate(Sender); };
    OnShow = [this](TObject* Sender) { FormShow(Sender); };
}

TFNew_Project::~TFNew_Project()
{
    if (FNew_Project == this)
        FNew_Project = nullptr;
}

void TFNew_Project::FormCreate(TObject*)
{
    Frame_Create();
    Set_Lang();
}

void TFNew_Project::FormShow(TObject*)
{
    E_New_Proj->Clear();
    if (E_New_Proj->CanFocus())
        E_New_Proj->SetFocus();
}

void TFNew_Project::E_New_ProjKeyPress(TObject*, QChar& Key)
{
    if (Key == QChar(13))
        Btn_OKClick(Btn_OK);
}

void TFNew_Project::Btn_OKClick(TObject*)
{
    const Integer error = Create_Project_Folder(E_New_Proj->Text());
    if (error != 0) {
        MessageDlg(Language_Texts->Strings(error), mtError, mbOK);
        return;
    }
    SetModalResult(mrOk);
}

void TFNew_Project::Set_Lang()
{
    const TStringList& t = *Language_Texts;
    SetCaption(t.Strings(100));
    L_SW_Desc->SetCaption(t.Strings(101));
    Label1->SetCaption(t.Strings(102));
    Btn_OK->SetCaption(t.Strings(103));
    Btn_Cancel->SetCaption(t.Strings(104));
    E_New_Proj->SetHint(t.Strings(108));
    Btn_OK->SetHint(t.Strings(109));
    Btn_Cancel->SetHint(t.Strings(110));
}
