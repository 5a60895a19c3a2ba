#include "shell/UOpenConf.h"

#include "shell/ProjectFolders.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

#include "controls/FxButton.h"
#include "platform/ExtCtrls.h"
#include "platform/StdControls.h"
#include "platform/StringList.h"

TFOpenConf* FOpenConf = nullptr;

TFOpenConf::TFOpenConf(TComponent* AOwner)
    : TStepDialog(AOwner, QStringLiteral("FOpenConf"), 377, 351), SL(std::make_unique<TStringList>())
{
    SetBorderStyle(bsSizeable);
    SetBorderIcons(biSystemMenu | biMinimize | biMaximize);

    ListBox1 = new TListBox(this);
    ListBox1->SetName(QStringLiteral("ListBox1"));
    ListBox1->SetParent(this);
    ListBox1->SetBounds(12, 94, 353, 206);
    ListBox1->SetAnchors(akLeft | akTop | akRight | akBottom);
    ListBox1->SetShowHint(true);
    ListBox1->OnClick = [this](TObject* Sender) { ListBox1Click(Sender); };

    Btn_OK->SetModalResult(mrOk);

    OnCreate = [this](TObject* Sender) { FormCreate(Sender); };
    OnShow = [this](TObject* Sender) { FormShow(Sender); };
}

TFOpenConf::~TFOpenConf()
{
    if (FOpenConf == this)
        FOpenConf = nullptr;
}

void TFOpenConf::FormCreate(TObject*)
{
    Frame_Create();
    Set_Lang();
}

void TFOpenConf::FormShow(TObject*)
{
    SL = std::make_unique<TStringList>();
    Load_Existing_Configuration();
    ListBox1->Clear();
    for (Integer i = 0; i < SL->Count(); ++i)
        ListBox1->Items()->Add(SL->Strings(i));
    Name_Conf.clear();

    const QString current = Project_Folder.isEmpty() ? QString() : Project_Folder.mid(Projects_Folder.size() + 1);
    Integer index = Search_Open_Conf(current);
    if (index < 0 && SL->Count() > 0)
        index = 0;
    if (index >= 0) {
        ListBox1->SetItemIndex(index);
        Name_Conf = SL->Strings(index);
    }
}

void TFOpenConf::Load_Existing_Configuration()
{
    List_Project_Folders(*SL);
}

Integer TFOpenConf::Search_Open_Conf(const QString& Name) const
{
    return Find_Project_Name(*SL, Name);
}

void TFOpenConf::ListBox1Click(TObject*)
{
    const Integer index = ListBox1->ItemIndex();
    if (index >= 0 && index < ListBox1->Count())
        Name_Conf = ListBox1->Items()->Strings(index);
}

void TFOpenConf::Set_Lang()
{
    const TStringList& t = *Language_Texts;
    SetCaption(t.Strings(200));
    L_SW_Desc->SetCaption(t.Strings(201));
    Label1->SetCaption(t.Strings(202));
    Btn_OK->SetCaption(t.Strings(203));
    Btn_Cancel->SetCaption(t.Strings(204));
    ListBox1->SetHint(t.Strings(205));
    Btn_OK->SetHint(t.Strings(206));
    Btn_Cancel->SetHint(t.Strings(207));
}
