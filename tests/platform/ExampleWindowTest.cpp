// A small window built from the standard controls: a label, an edit, a combo
// box, a check box and two buttons. It is shown, screenshot, and run modally
// as a user fills and confirms it.
#include <gtest/gtest.h>
#include "QtPrint.h"

#include <QTimer>

#include "Screenshot.h"
#include "platform/Form.h"
#include "platform/Graphics.h"
#include "platform/StdControls.h"
#include "platform/StringList.h"
#include "platform/TestHooks.h"

namespace {

class TExampleForm : public TForm {
public:
    explicit TExampleForm(TComponent* owner) : TForm(owner)
    {
        SetCaption(QStringLiteral("Example"));
        SetBorderStyle(bsDialog);
        SetPosition(poScreenCenter);
        SetClientSize(320, 150);
        SetColor(RGB(248, 247, 237));
        Font()->SetName(QStringLiteral("Verdana"));
        Font()->SetSize(8);

        L_Name = Make<TLabel>(16, 19);
        L_Name->SetCaption(QStringLiteral("Configuration name"));
        E_Name = Make<TEdit>(150, 16);
        E_Name->SetWidth(150);
        E_Name->SetMaxLength(20);
        CB_Type = Make<TComboBox>(150, 46);
        CB_Type->SetWidth(150);
        CB_Type->SetStyle(csDropDownList);
        CB_Type->Items()->SetText(QStringLiteral("BACnet/IP\nBACnet MS/TP"));
        CB_Type->SetItemIndex(0);
        CB_DHCP = Make<TCheckBox>(16, 80);
        CB_DHCP->SetWidth(200);
        CB_DHCP->SetCaption(QStringLiteral("Enable DHCP"));
        Btn_OK = Make<TButton>(110, 112);
        Btn_OK->SetCaption(QStringLiteral("OK"));
        Btn_OK->SetModalResult(mrOk);
        Btn_OK->SetDefault(true);
        Btn_Cancel = Make<TButton>(200, 112);
        Btn_Cancel->SetCaption(QStringLiteral("Cancel"));
        Btn_Cancel->SetModalResult(mrCancel);
        Btn_Cancel->SetCancel(true);
    }

    TLabel* L_Name;
    TEdit* E_Name;
    TComboBox* CB_Type;
    TCheckBox* CB_DHCP;
    TButton* Btn_OK;
    TButton* Btn_Cancel;

private:
    template <class T>
    T* Make(Integer l, Integer t)
    {
        auto* c = new T(this);
        c->SetParent(this);
        c->SetLeft(l);
        c->SetTop(t);
        return c;
    }
};

TEST(ExampleWindow, ShownItsScreenshotHoldsEveryControl)
{
    TExampleForm form(nullptr);
    form.E_Name->SetText(QStringLiteral("Plant_1"));
    form.CB_DHCP->SetChecked(true);
    form.Show();
    const QImage img = GrabControl(&form);
    ASSERT_EQ(img.size(), QSize(320, 150));
    EXPECT_FALSE(testsupport::SaveScreenshot(img, QStringLiteral("ExampleWindow")).isEmpty());
    // The form's colour where no control is, the edit's white field, and text in the label.
    EXPECT_EQ(img.pixelColor(5, 140), QColor(248, 247, 237));
    EXPECT_EQ(img.pixelColor(form.E_Name->Left() + form.E_Name->Width() - 8, form.E_Name->Top() + 10), QColor(255, 255, 255));
    int dark = 0;
    for (int x = form.L_Name->Left(); x < form.L_Name->Left() + form.L_Name->Width(); ++x)
        for (int y = form.L_Name->Top(); y < form.L_Name->Top() + form.L_Name->Height(); ++y)
            dark += qGray(img.pixel(x, y)) < 100;
    EXPECT_GT(dark, 20);
}

TEST(ExampleWindow, RunsModallyAsAUserFillsAndConfirmsIt)
{
    TExampleForm form(nullptr);
    QTimer::singleShot(0, [&] {
        TestInput::Click(form.E_Name);
        TestInput::TypeText(form.E_Name, QStringLiteral("Site 7"));
        TestInput::PressKey(form.CB_Type, VK_DOWN);
        TestInput::Click(form.CB_DHCP, {6, 8});
        TestInput::Click(form.Btn_OK);
    });
    EXPECT_EQ(form.ShowModal(), mrOk);
    EXPECT_EQ(form.E_Name->Text(), QStringLiteral("Site 7"));
    EXPECT_EQ(form.CB_Type->Text(), QStringLiteral("BACnet MS/TP"));
    EXPECT_TRUE(form.CB_DHCP->Checked());
    // Escape answers Cancel.
    QTimer::singleShot(0, [&] { TestInput::PressKey(form.E_Name, VK_ESCAPE); });
    EXPECT_EQ(form.ShowModal(), mrCancel);
}

} // namespace
