// An example window built like the network editor: a tab control with its
// tabs on the left and the windows' buttons below it, run modally.
#include <gtest/gtest.h>
#include "QtPrint.h"

#include <QTimer>

#include "Screenshot.h"
#include "controls/ExPageControl.h"
#include "controls/FxButton.h"
#include "platform/Form.h"
#include "platform/Graphics.h"
#include "platform/TestHooks.h"

namespace {

class TExampleForm : public TForm {
public:
    explicit TExampleForm(TComponent* owner) : TForm(owner)
    {
        SetCaption(QStringLiteral("Network"));
        SetClientSize(480, 330);
        SetColor(RGB(248, 247, 237));
        Tabs = new TExPageControl(this);
        Tabs->SetParent(this);
        Tabs->SetBounds(8, 8, 464, 270);
        Tabs->SetTabPosition(tpLeft);
        Tabs->SetTabStyle(tsDotNet);
        Tabs->SetMultiLine(true);
        Tabs->SetDefaultTabColor(RGB(248, 247, 237));
        Tabs->SetTabBackGroundColor(RGB(248, 247, 237));
        Tabs->SetActiveColor(clSkyBlue);
        Tabs->TabMargin()->SetTopMargin(10);
        Tabs->TabMargin()->SetRightMargin(20);
        Tabs->SetTabOverlap(0);
        Tabs->SetLowerActive(0);
        Tabs->Font()->SetName(QStringLiteral("Verdana"));
        Tabs->Font()->SetHeight(-13);
        Tabs->ActiveFont()->SetName(QStringLiteral("Verdana"));
        Tabs->ActiveFont()->SetHeight(-13);
        const char* captions[] = {"Nodes     ", "Variables     "};
        for (const char* c : captions) {
            auto* sheet = new TExTabSheet(this);
            sheet->SetPageControl(Tabs);
            sheet->SetCaption(QString::fromLatin1(c));
            sheet->SetColor(RGB(248, 247, 237));
            Sheets.push_back(sheet);
        }
        Add = Button(Sheets[0], QStringLiteral("Add Node"), 12, 12, 0);
        Add->SetAlignment(taLeftJustify);
        Ok = Button(this, QStringLiteral("OK"), 280, 292, 0);
        Ok->SetKind(bkOK);
        Ok->SetModalResult(0);
        Ok->SetCaption(QStringLiteral("OK"));
        Ok->OnClick = [this](TObject*) { SetModalResult(mrOk); };
        Cancel = Button(this, QStringLiteral("Cancel"), 380, 292, mrCancel);
        Cancel->SetKind(bkCancel);
        Cancel->SetCaption(QStringLiteral("Cancel"));
        Tabs->SetActivePage(Sheets[0]);
    }

    TFxButton* Button(TWinControl* parent, const QString& caption, Integer x, Integer y, Integer result)
    {
        auto* b = new TFxButton(this);
        b->SetParent(parent);
        b->SetBounds(x, y, 92, 25);
        b->SetStyle(bsEncarta);
        b->SetColor(RGB(248, 247, 237));
        b->SetColorWhenDown(RGB(255, 128, 0));
        b->SetHotTrackColor(RGB(255, 255, 0));
        b->SetLightColor(RGB(128, 128, 128));
        b->SetParentColor(false);
        b->SetCaption(caption);
        b->SetModalResult(result);
        return b;
    }

    TExPageControl* Tabs;
    std::vector<TExTabSheet*> Sheets;
    TFxButton* Add;
    TFxButton* Ok;
    TFxButton* Cancel;
};

TEST(ExampleForm, RunsModallyWithTabsAndButtonsAndSavesItsScreenshot)
{
    TExampleForm form(nullptr);
    int adds = 0;
    form.Add->OnClick = [&](TObject*) { ++adds; };
    QTimer::singleShot(0, [&] {
        TestInput::Click(form.Add);
        TestInput::MouseEnter(form.Cancel);
        EXPECT_FALSE(testsupport::SaveScreenshot(GrabControl(&form), QStringLiteral("ExampleForm-network")).isEmpty());
        TestInput::MouseLeave(form.Cancel);
        // Switching to the second page hides the first with its button.
        TestInput::Click(form.Tabs, CenterPoint(form.Tabs->PageTabRect(1)));
        EXPECT_EQ(form.Tabs->ActivePage(), form.Sheets[1]);
        EXPECT_FALSE(form.Add->Showing());
        TestInput::Click(form.Cancel);
    });
    EXPECT_EQ(form.ShowModal(), mrCancel);
    EXPECT_EQ(adds, 1);
    // OK closes from its handler.
    QTimer::singleShot(0, [&] { TestInput::Click(form.Ok); });
    EXPECT_EQ(form.ShowModal(), mrOk);
}

} // namespace
