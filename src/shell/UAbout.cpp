#include "shell/ButtonLook.h"
#include "shell/UAbout.h"

#include "shell/DialogFrame.h"
#include "shell/MakerSite.h"
#include "shell/UComon.h"

#include "controls/FxButton.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/ExtCtrls.h"
#include "platform/Graphics.h"
#include "platform/Process.h"
#include "platform/StdControls.h"

TFAbout* FAbout = nullptr;

namespace {

constexpr Integer About_Width = 425;
constexpr Integer About_Height = 148;
// The code of this software's manual.
const QString Document_Code = QStringLiteral("MN59D16");

TLabel* Make_Label(TFAbout* Form, const char* Name, Integer Left, Integer Top, const QString& Caption)
{
    TLabel* label = new TLabel(Form);
    label->SetName(QString::fromLatin1(Name));
    label->SetParent(Form);
    label->SetBounds(Left, Top, 10, 14);
    label->SetCaption(Caption);
    return label;
}

// The maker's mark: a navy tile with a white V, drawn here so that the
// program needs no picture file.
void Draw_Logo(TPicture* Picture)
{
    TBitmap logo(64, 64);
    TCanvas* c = logo.Canvas();
    c->Brush()->SetColor(RGB(248, 247, 237));
    c->FillRect(TRect{0, 0, 64, 64});
    c->Pen()->SetColor(RGB(20, 50, 110));
    c->Brush()->SetColor(RGB(20, 50, 110));
    c->RoundRect(2, 2, 62, 62, 14, 14);
    c->Pen()->SetColor(clWhite);
    c->Brush()->SetColor(clWhite);
    c->Polygon({TPoint{14, 14}, TPoint{24, 14}, TPoint{32, 40}, TPoint{40, 14}, TPoint{50, 14}, TPoint{36, 52},
                TPoint{28, 52}});
    Picture->SetGraphic(&logo);
}

} // namespace

TFAbout::TFAbout(TComponent* AOwner) : TForm(AOwner)
{
    SetName(QStringLiteral("FAbout"));
    Set_Window_Look(this);
    SetCaption(QStringLiteral("About"));
    SetClientSize(About_Width, About_Height);

    Image2 = new TImage(this);
    Image2->SetName(QStringLiteral("Image2"));
    Image2->SetParent(this);
    Image2->SetBounds(12, 12, 81, 81);
    Image2->SetStretch(true);
    Image2->SetCursor(crHandPoint);
    Draw_Logo(Image2->Picture());
    Image2->OnClick = [this](TObject* Sender) { Label4Click(Sender); };

    Label1 = Make_Label(this, "Label1", 112, 12, QStringLiteral("Software Arvinto "));
    Label1->Font()->SetStyle(fsBold);
    Label2 = Make_Label(this, "Label2", 112, 30, QString());
    Label6 = Make_Label(this, "Label6", 112, 54, QStringLiteral("Software Code : "));
    Label9 = Make_Label(this, "Label9", 232, 54, QString());
    Label3 = Make_Label(this, "Label3", 112, 72, QStringLiteral("Version :"));
    Label10 = Make_Label(this, "Label10", 232, 72, QString());
    Label8 = Make_Label(this, "Label8", 112, 90, QStringLiteral("Document Code :"));
    Label12 = Make_Label(this, "Label12", 232, 90, QString());
    for (TLabel* value : {Label9, Label10, Label12})
        value->Font()->SetStyle(fsBold);

    Label4 = Make_Label(this, "Label4", 12, 120, Maker_Web_Host());
    Label4->SetCursor(crHandPoint);
    Label4->Font()->SetColor(clNavy);
    Label4->Font()->SetStyle(fsUnderline);
    Label4->OnClick = [this](TObject* Sender) { Label4Click(Sender); };

    FxButton1 = new TFxButton(this);
    FxButton1->SetName(QStringLiteral("FxButton1"));
    FxButton1->SetParent(this);
    FxButton1->SetBounds(About_Width - 98, About_Height - 38, 86, 28);
    FxButton1->SetCaption(QStringLiteral("OK"));
    FxButton1->SetModalResult(mrOk);
    Set_Buttons_Look(this);

    OnShow = [this](TObject* Sender) { FormShow(Sender); };
}

TFAbout::~TFAbout()
{
    if (FAbout == this)
        FAbout = nullptr;
}

void TFAbout::FormShow(TObject*)
{
    Label2->SetCaption(Const_SW_Desc);
    Label9->SetCaption(Const_SW_Code);
    Label10->SetCaption(Const_SW_Version);
    Label12->SetCaption(Document_Code);
    SetClientSize(About_Width, About_Height);
}

void TFAbout::Label4Click(TObject*)
{
    ShellOpen(Maker_Home_Page());
}
