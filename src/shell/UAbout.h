#pragma once
// The about box: fixed product information in English (it follows no
// language change) and links to the maker's home page.

#include "platform/Form.h"

class TFxButton;
class TImage;
class TLabel;

class TFAbout : public TForm {
public:
    explicit TFAbout(TComponent* AOwner);
    ~TFAbout() override;
    QString ClassName() const override { return QStringLiteral("TFAbout"); }

    TImage* Image2;
    TLabel* Label1;
    TLabel* Label2;
    TLabel* Label6;
    TLabel* Label9;
    TLabel* Label3;
    TLabel* Label10;
    TLabel* Label8;
    TLabel* Label12;
    TLabel* Label4;
    TFxButton* FxButton1;

    // Puts the code, version and manual texts in place and sizes the box.
    void FormShow(TObject* Sender);
    // Opens the maker's home page (the logo's click too).
    void Label4Click(TObject* Sender);
};

extern TFAbout* FAbout;
