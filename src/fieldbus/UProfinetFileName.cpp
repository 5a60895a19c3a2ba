#include "fieldbus/UProfinetFileName.h"

#include "shell/ULanguage.h"

#include "controls/FxButton.h"
#include "platform/Graphics.h"
#include "platform/StdControls.h"
#include "platform/StringList.h"

#include <QDate>

TFProfinetFileName* FProfinetFileName = nullptr;

namespace {

TLabel* Make_Label(TForm* Form, const char* Name, Integer Left, Integer Top, Integer Width)
{
    TLabel* label = new TLabel(Form);
    label->SetName(QString::fromLatin1(Name));
    label->SetParent(Form);
    label->SetBounds(Left, Top, Width, 14);
    return label;
}

} // namespace

TFProfinetFileName::TFProfinetFileName(TComponent* AOwner)
    : TStepDialog(AOwner, QStringLiteral("FProfinetFileName"), 540, 205)
{
    // The frame's label above the controls asks for the name.
    L_Select_Name = Label1;
    L_Select_Name->SetName(QStringLiteral("L_Select_Name"));
    L_Select_Name->SetBounds(16, 80, 400, 14);
    L_Select_Name->Font()->SetStyle(fsBold);

    L_FixPart_1 = Make_Label(this, "L_FixPart_1", 16, 106, 150);
    L_XML_Fix1 = Make_Label(this, "L_XML_Fix1", 16, 127, 160);
    L_XML_Fix1->SetCaption(QStringLiteral("GSDML-V2.25-Velmora-"));
    L_UsedPart = Make_Label(this, "L_UsedPart", 0, 106, 150);
    E_XML_User = new TEdit(this);
    E_XML_User->SetName(QStringLiteral("E_XML_User"));
    E_XML_User->SetParent(this);
    E_XML_User->SetBounds(0, 124, 260, 21);
    L_FixPart_2 = Make_Label(this, "L_FixPart_2", 0, 106, 90);
    L_XML_Fix2 = Make_Label(this, "L_XML_Fix2", 0, 127, 90);
    for (TLabel* fixed : {L_XML_Fix1, L_XML_Fix2})
        fixed->Font()->SetColor(clNavy);

    Btn_OK->SetModalResult(mrNone);
    Btn_OK->OnClick = [this](TObject* Sender) { Btn_OK_Click(Sender); };
    OnCreate = [this](TObject* Sender) { FormCreate(Sender); };
}

TFProfinetFileName::~TFProfinetFileName()
{
    if (FProfinetFileName == this)
        FProfinetFileName = nullptr;
}

void TFProfinetFileName::FormCreate(TObject*)
{
    Frame_Create();
    L_UsedPart->SetLeft(179);
    E_XML_User->SetLeft(179);
    L_FixPart_2->SetLeft(447);
    L_XML_Fix2->SetLeft(447);
    // The date part stays the program's start date for the whole run.
    L_XML_Fix2->SetCaption(u'-' + QDate::currentDate().toString(QStringLiteral("yyyyMMdd")) + QStringLiteral(".xml"));
    Set_Lang();
}

void TFProfinetFileName::Btn_OK_Click(TObject*)
{
    const QString user = E_XML_User->Text();
    QString name = L_XML_Fix1->Caption();
    if (!Trim(user).isEmpty())
        name += (user.startsWith(u'_') ? QString() : QStringLiteral("_")) + user;
    Name_File_XML = name + L_XML_Fix2->Caption();
    SetModalResult(mrOk);
}

void TFProfinetFileName::Set_Lang()
{
    const TStringList& t = *Language_Texts;
    SetCaption(t.Strings(4800));
    L_SW_Desc->SetCaption(t.Strings(4801));
    L_Select_Name->SetCaption(t.Strings(4802));
    L_FixPart_1->SetCaption(t.Strings(4803));
    L_UsedPart->SetCaption(t.Strings(4804));
    L_FixPart_2->SetCaption(t.Strings(4805));
    Btn_OK->SetCaption(t.Strings(4806));
    Btn_Cancel->SetCaption(t.Strings(4807));
}
