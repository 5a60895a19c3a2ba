// The calculator dropdown as a user works it: its buttons clicked in the
// open popup (the operations table, errors and overflow included), keys
// typed in the closed edit and in the popup, the memory with thousand
// grouping, and the layout of the button panel.
#include "DropdownOpenShot.h"

#include "grid/dropdown/ExCalculatorDropDown.h"

namespace {

class TCalculator : public TDropDownForm_ {
protected:
    TExCalculatorDropdown* AddCalculator()
    {
        auto* dd = new TExCalculatorDropdown(form);
        dd->SetParent(form);
        dd->SetBounds(20, 20, 200, 21);
        return dd;
    }
    // Clicks the button with that caption in the open popup.
    static void Press(TExCalculatorDropdown* Dd, const QString& Caption)
    {
        TCustomButtonPanel* p = Dd->ButtonPanel();
        for (Integer i = 0; i < p->Buttons()->Count(); ++i)
            if (p->Buttons()->Items(i)->Caption() == Caption) {
                TestInput::Click(p, CentreOf(p->Buttons()->Items(i)->Rect()));
                return;
            }
        ADD_FAILURE() << "no button " << Caption.toStdString();
    }
};

struct TStep {
    const char* button;
    const char* display;
};

} // namespace

TEST_F(TCalculator, NewCalculatorShowsZeroWithTwoDecimals)
{
    TExCalculatorDropdown* dd = AddCalculator();
    EXPECT_EQ(dd->Text(), QStringLiteral("0.00"));
    EXPECT_EQ(dd->EditType(), etFloat);
    EXPECT_EQ(dd->Precision(), 2);
    EXPECT_EQ(dd->DropDownWidth(), 230);
    EXPECT_EQ(dd->ButtonPanel()->Buttons()->Count(), 28);
    dd->ShowDropDown();
    EXPECT_EQ(dd->DropDownForm()->Width(), 230);
    EXPECT_EQ(dd->DropDownForm()->Height(), 152);
    EXPECT_EQ(dd->ButtonPanel()->Parent(), dd->DropDownForm());
}

TEST_F(TCalculator, ButtonsRunTheOperationsTable)
{
    const std::vector<std::vector<TStep>> table = {
        {{"1", "1.00"}, {"2", "12.00"}, {"+", "12.00"}, {"3", "3.00"}, {"=", "15.00"}},
        // Division by zero, then a new number starts from "Error".
        {{"5", "5.00"}, {"/", "5.00"}, {"0", "0.00"}, {"=", "Error"}, {"2", "2.00"}, {"+", "2.00"}, {"3", "3.00"},
         {"=", "5.00"}},
        {{"5", "5.00"}, {"0", "50.00"}, {"+", "50.00"}, {"1", "1.00"}, {"0", "10.00"}, {"%", "5.00"}, {"=", "55.00"}},
        // Decimals beyond the precision are not remembered.
        {{".", "0.00"}, {"5", "0.50"}, {"3", "0.53"}, {"7", "0.54"}},
        {{"1", "1.00"}, {"2", "12.00"}, {"3", "123.00"}, {"Back", "12.00"}, {"+", "12.00"}, {"Back", "12.00"}},
        {{"1", "1.00"}, {"2", "12.00"}, {"+/-", "-12.00"}, {"+/-", "12.00"}, {"*", "12.00"}, {"3", "3.00"},
         {"-", "36.00"}, {"6", "6.00"}, {"=", "30.00"}},
        {{"4", "4.00"}, {"+/-", "-4.00"}, {"sqrt", "Error"}, {"C", "0.00"}, {"1/x", "Error"}, {"CE", "0.00"},
         {"2", "2.00"}, {"sqrt", "1.41"}, {"4", "18.10"}, {"CE", "0.00"}, {"4", "4.00"}, {"1/x", "0.25"}},
        {{"7", "7.00"}, {"MS", "7.00"}, {"C", "0.00"}, {"3", "3.00"}, {"M+", "3.00"}, {"MR", "10.00"},
         {"MC", "10.00"}, {"MR", "0.00"}},
    };
    for (size_t n = 0; n < table.size(); ++n) {
        TExCalculatorDropdown* dd = AddCalculator();
        dd->ShowDropDown();
        for (const TStep& s : table[n]) {
            Press(dd, QString::fromUtf8(s.button));
            EXPECT_EQ(dd->Text(), QString::fromUtf8(s.display)) << "sequence " << n << " after " << s.button;
        }
        EXPECT_TRUE(dd->DroppedDown());
        delete dd;
    }
}

TEST_F(TCalculator, OverflowAndANonNumberShowErrorWithoutCrashing)
{
    TExCalculatorDropdown* dd = AddCalculator();
    dd->SetValue(1e300);
    dd->ShowDropDown();
    Press(dd, QStringLiteral("*"));
    Press(dd, QStringLiteral("="));
    EXPECT_EQ(dd->Text(), QStringLiteral("Error"));
    Press(dd, QStringLiteral("C"));
    EXPECT_EQ(dd->Text(), QStringLiteral("0.00"));
    // The reciprocal of a tiny number and a percent of a huge one overflow too.
    dd->SetValue(1e-310);
    Press(dd, QStringLiteral("1/x"));
    EXPECT_EQ(dd->Text(), QStringLiteral("Error"));
    // A lone "-" typed into the display is no number: the operation shows
    // "Error" instead of failing.
    dd->SetEditType(etString);
    dd->SetText(QStringLiteral("-"));
    EXPECT_NO_THROW(Press(dd, QStringLiteral("+")));
    EXPECT_EQ(dd->Text(), QStringLiteral("Error"));
    EXPECT_NO_THROW(Press(dd, QStringLiteral("MS")));
    EXPECT_DOUBLE_EQ(double(dd->Value()), 0);
}

TEST_F(TCalculator, MemoryKeepsTheFullValueUnderThousandGrouping)
{
    TExCalculatorDropdown* dd = AddCalculator();
    dd->SetShowThousandSeparator(true);
    EXPECT_EQ(dd->EditType(), etMoney);
    dd->ShowDropDown();
    for (const char* b : {"1", "2", "3", "4", "5"})
        Press(dd, QString::fromUtf8(b));
    EXPECT_EQ(dd->Text(), QStringLiteral("12,345.00"));
    Press(dd, QStringLiteral("MS"));
    Press(dd, QStringLiteral("C"));
    Press(dd, QStringLiteral("MR"));
    EXPECT_EQ(dd->Text(), QStringLiteral("12,345.00"));
    EXPECT_DOUBLE_EQ(double(dd->Value()), 12345);
    dd->SetValue(2.5);
    EXPECT_EQ(dd->Text(), QStringLiteral("2.50"));
}

TEST_F(TCalculator, KeysOnTheClosedEditComputeBeforeThePopupEverOpened)
{
    TExCalculatorDropdown* dd = AddCalculator();
    dd->SetFocus();
    TestInput::TypeText(dd, QStringLiteral("5"));
    EXPECT_EQ(dd->Text(), QStringLiteral("5"));
    TestInput::PressKey(dd, VK_ADD, {}, QStringLiteral("+"));
    EXPECT_EQ(dd->Text(), QStringLiteral("5.00"));
    TestInput::TypeText(dd, QStringLiteral("3"));
    TestInput::PressKey(dd, VK_RETURN, {}, QStringLiteral("\r"));
    EXPECT_EQ(dd->Text(), QStringLiteral("8.00"));
    EXPECT_DOUBLE_EQ(double(dd->Value()), 8);
    TestInput::TypeText(dd, QStringLiteral("c"));
    EXPECT_EQ(dd->Text(), QStringLiteral("0.00"));
    // Letters type nothing.
    TestInput::TypeText(dd, QStringLiteral("x"));
    EXPECT_EQ(dd->Text(), QStringLiteral("0.00"));
}

TEST_F(TCalculator, KeysInTheOpenPopupComputeAndEnterClosesWithTheResult)
{
    TExCalculatorDropdown* dd = AddCalculator();
    dd->SetFocus();
    TestInput::Click(dd->Button());
    ASSERT_TRUE(dd->DroppedDown());
    TDropDownForm* f = dd->DropDownForm();
    TestInput::TypeText(f, QStringLiteral("12"));
    EXPECT_EQ(dd->Text(), QStringLiteral("12.00"));
    TestInput::PressKey(f, VK_MULTIPLY, {}, QStringLiteral("*"));
    TestInput::TypeText(f, QStringLiteral("3"));
    EXPECT_EQ(dd->Text(), QStringLiteral("3.00"));
    TestInput::PressKey(f, VK_BACK, {}, QStringLiteral("\b"));
    EXPECT_EQ(dd->Text(), QStringLiteral("3.00"));  // "3.0" formatted again
    TestInput::PressKey(f, VK_RETURN, {}, QStringLiteral("\r"));
    EXPECT_FALSE(dd->DroppedDown());
    EXPECT_EQ(dd->Text(), QStringLiteral("36.00"));
    // A click elsewhere keeps what the calculator shows.
    dd->ShowDropDown();
    Press(dd, QStringLiteral("7"));
    SaveOpenDropDown(form, dd, QStringLiteral("TExCalculatorDropdown-open"));
    ActivatePopup(dd);
    ClickElsewhere();
    EXPECT_FALSE(dd->DroppedDown());
    EXPECT_EQ(dd->Text(), QStringLiteral("7.00"));
}

TEST_F(TCalculator, PanelLaysItsButtonsOutInTheCalculatorGrid)
{
    auto* p = new TCustomButtonPanel(form);
    p->SetParent(form);
    p->SetBounds(10, 10, 230, 150);  // button area 214 x 134
    p->BuildButtons();
    auto rectOf = [p](const char* Caption) {
        for (Integer i = 0; i < p->Buttons()->Count(); ++i)
            if (p->Buttons()->Items(i)->Caption() == QString::fromUtf8(Caption))
                return p->Buttons()->Items(i)->Rect();
        return TRect();
    };
    // W = (214 - 8) div 6 = 34, H = (134 - 4) div 5 = 26; inner rows and
    // columns overlap by one pixel.
    EXPECT_EQ(rectOf("MC"), TRect(8, 38, 42, 64));
    EXPECT_EQ(rectOf("7"), TRect(46, 38, 80, 64));
    EXPECT_EQ(rectOf("8"), TRect(79, 38, 113, 64));
    EXPECT_EQ(rectOf("/"), TRect(150, 38, 184, 64));
    EXPECT_EQ(rectOf("sqrt"), TRect(183, 38, 217, 64));
    EXPECT_EQ(rectOf("4"), TRect(46, 63, 80, 89));
    EXPECT_EQ(rectOf("="), TRect(183, 113, 217, 139));
    EXPECT_EQ(p->Buttons()->Items(0)->Rect(), TRect(8, 8, 42, 34));
    EXPECT_EQ(rectOf("Back"), TRect(46, 8, 100, 34));
    EXPECT_EQ(rectOf("CE"), TRect(104, 8, 158, 34));
    EXPECT_EQ(rectOf("C"), TRect(162, 8, 217, 34));
    // The overlapping column belongs to the button first in collection order ("7").
    EXPECT_EQ(p->ButtonAtPoint(79, 40), 11);
    EXPECT_EQ(p->ButtonAtPoint(0, 0), -1);
    // A press released over another button is no click.
    Integer clicks = 0, last = -1;
    p->OnButtonClick = [&](TObject*, Integer Index) {
        ++clicks;
        last = Index;
    };
    TestInput::MouseDown(p, mbLeft, CentreOf(rectOf("7")));
    TestInput::MouseUp(p, mbLeft, CentreOf(rectOf("9")));
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(p->ButtonDown(), -1);
    TestInput::Click(p, CentreOf(rectOf("9")));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(p->Buttons()->Items(last)->Name(), QStringLiteral("BTN_9"));
    EXPECT_TRUE(p->Buttons()->Items(last)->Tag() == 9);
    EXPECT_TRUE(p->Buttons()->Items(24)->Special());
    EXPECT_FALSE(p->Buttons()->Items(8)->Special());
}
