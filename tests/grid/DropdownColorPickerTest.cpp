// The colour picker as a user works it: the named colours chosen in the
// list by mouse, keys and search, the palette, cube and spectrum popups
// opened, chosen from and cancelled, the colour texts and the swatch drawn
// in the edit.
#include "DropdownOpenShot.h"

#include "grid/dropdown/ExColorPickerDropDown.h"
#include "grid/dropdown/ExColorSelectors.h"
#include "platform/ExtCtrls.h"

namespace {

class TColorPicker : public TDropDownForm_ {
protected:
    TExColorPickerDropDown* AddPicker(TColorSelectionStyle Style = csList)
    {
        auto* dd = new TExColorPickerDropDown(form);
        dd->SetParent(form);
        dd->SetBounds(20, 20, 200, 21);
        dd->AddDefaultColors();
        dd->SetColorSelectionStyle(Style);
        dd->OnSelect = [this](TObject*) { ++selects; };
        return dd;
    }
    Integer selects = 0;
};

} // namespace

TEST_F(TColorPicker, SelectedColorFindsTheNamedColourAndFormsItsText)
{
    auto* bare = new TExColorPickerDropDown(form);
    EXPECT_EQ(bare->Colors()->Count(), 0);
    EXPECT_FALSE(bare->EditorEnabled());
    EXPECT_EQ(bare->ColorSelectionStyle(), csList);
    EXPECT_NE(bare->ItemSelector(), nullptr);
    EXPECT_EQ(bare->ColorCubePanel(), nullptr);
    bare->AddDefaultColors();
    bare->AddDefaultColors();
    EXPECT_EQ(bare->Colors()->Count(), 32);

    TExColorPickerDropDown* dd = AddPicker();
    dd->SetSelectedColor(0x0000FF);
    EXPECT_EQ(dd->ItemIndex(), 9);
    EXPECT_EQ(dd->SelectedColorText(), QStringLiteral("Red"));
    EXPECT_EQ(selects, 1);
    // The same colour again changes nothing and tells nobody.
    dd->SetSelectedColor(0x0000FF);
    EXPECT_EQ(selects, 1);
    dd->SetSelectedColor(0x123456);
    EXPECT_EQ(dd->ItemIndex(), -1);
    EXPECT_EQ(selects, 1);
    struct Case {
        TColorValueText kind;
        TColor color;
        QString text;
    } cases[] = {
        {cvtNone, 0x123456, QString()},
        {cvtHex, 0x123456, QStringLiteral("123456")},
        {cvtHTML, 0x123456, QStringLiteral("#563412")},
        {cvtRGB, 0x123456, QStringLiteral("Red:86,Green:52,Blue:18")},
        {cvtWebName, 0x800000, QStringLiteral("navy")},
        {cvtWebName, 0x123456, QStringLiteral("#563412")},
        {cvtRGB, clBtnFace, QStringLiteral("Red:212,Green:208,Blue:200")},  // resolved first
    };
    dd->SetColorSelectionStyle(csColorCube);  // captions are the list's text only
    for (const Case& c : cases) {
        dd->SetColorValueText(c.kind);
        dd->SetSelectedColor(c.color);
        EXPECT_EQ(dd->SelectedColorText(), c.text) << c.kind;
    }
    // Indexes past the colours are ignored.
    dd->SetItemIndex(16);
    EXPECT_EQ(dd->ItemIndex(), -1);
}

TEST_F(TColorPicker, ListChoosesByMouseAndKeysAndEscRestores)
{
    TExColorPickerDropDown* dd = AddPicker();
    dd->SetSelectedColor(0x008000);  // Green, item 2
    selects = 0;
    dd->SetFocus();
    TestInput::Click(dd->Button());
    ASSERT_TRUE(dd->DroppedDown());
    TExCustomItemSelector* l = dd->ItemSelector();
    EXPECT_EQ(l->Items()->Count(), 16);
    EXPECT_EQ(l->ItemIndex(), 2);
    // Down moves the list and the picker follows; the popup stays.
    TestInput::PressKey(dd, VK_DOWN);
    EXPECT_EQ(dd->ItemIndex(), 3);
    EXPECT_EQ(dd->SelectedColor(), TColor(0x008080));
    EXPECT_TRUE(dd->DroppedDown());
    SaveOpenDropDown(form, dd, QStringLiteral("TExColorPickerDropDown-list"));
    TestInput::PressKey(dd, VK_ESCAPE, {}, QStringLiteral("\x1b"));
    EXPECT_FALSE(dd->DroppedDown());
    EXPECT_EQ(dd->ItemIndex(), 2);
    EXPECT_EQ(dd->SelectedColor(), TColor(0x008000));
    // A click on an item chooses it and closes.
    dd->ShowDropDown();
    TCustomItemSelector* p = l->Panel();
    TestInput::Click(p, CentreOf(p->GetItemRect(9)));
    EXPECT_FALSE(dd->DroppedDown());
    EXPECT_EQ(dd->SelectedColor(), TColor(0x0000FF));
    EXPECT_EQ(dd->SelectedColorText(), QStringLiteral("Red"));
    // Keys on the closed picker step through the colours.
    TestInput::PressKey(dd, VK_UP);
    EXPECT_EQ(dd->ItemIndex(), 8);
    TestInput::PressKey(dd, VK_END);
    EXPECT_EQ(dd->SelectedColor(), TColor(0xFFFFFF));
    // Cancelling a popup opened on a colour of no item keeps that colour.
    dd->SetSelectedColor(0x123456);
    dd->ShowDropDown();
    TestInput::PressKey(dd, VK_DOWN);
    EXPECT_NE(dd->SelectedColor(), TColor(0x123456));
    TestInput::PressKey(dd, VK_ESCAPE, {}, QStringLiteral("\x1b"));
    EXPECT_EQ(dd->SelectedColor(), TColor(0x123456));
    EXPECT_EQ(dd->ItemIndex(), -1);
}

TEST_F(TColorPicker, TypedKeysSearchTheCaptionsWithinHalfASecond)
{
    TExColorPickerDropDown* dd = AddPicker();
    dd->SetFocus();
    // The list holds the colours from its first opening on.
    dd->ShowDropDown();
    TestInput::PressKey(dd, 'R');
    TestInput::PressKey(dd, 'E');
    EXPECT_EQ(dd->CurSearch(), QStringLiteral("RE"));
    EXPECT_EQ(dd->SelectedColorText(), QStringLiteral("Red"));
    RunFor(600);
    EXPECT_TRUE(dd->CurSearch().isEmpty());
    TestInput::PressKey(dd, 'B');
    EXPECT_EQ(dd->CurSearch(), QStringLiteral("B"));
    EXPECT_EQ(dd->SelectedColorText(), QStringLiteral("Black"));
    EXPECT_TRUE(dd->DroppedDown());
    dd->HideDropDown(false);
    EXPECT_EQ(dd->SelectedColor(), TColor(0));
}

TEST_F(TColorPicker, PanelPopupsAreThePanelsSizeAndChoosingClosesThem)
{
    struct Case {
        TColorSelectionStyle style;
        Integer width, height;
        const char* shot;
    } cases[] = {
        {csDiscrete, 167, 86, "TExColorPickerDropDown-palette"},
        {csColorCube, 184, 162, "TExColorPickerDropDown-cube"},
        {csSpectrum, 152, 176, "TExColorPickerDropDown-spectrum"},
    };
    for (const Case& c : cases) {
        TExColorPickerDropDown* dd = AddPicker(c.style);
        dd->SetColorValueText(cvtHTML);
        dd->SetSelectedColor(0x0000FF);
        dd->SetFocus();
        dd->ShowDropDown();
        ASSERT_TRUE(dd->DroppedDown()) << c.style;
        EXPECT_EQ(dd->DropDownForm()->Width(), c.width) << c.style;
        EXPECT_EQ(dd->DropDownForm()->Height(), c.height) << c.style;
        EXPECT_FALSE(dd->DropDownForm()->Sizeable());
        EXPECT_FALSE(dd->ItemSelector()->Visible());
        SaveOpenDropDown(form, dd, QString::fromLatin1(c.shot));
        delete dd;
    }

    // The cube: a click chooses and closes; the item index stays -1.
    TExColorPickerDropDown* dd = AddPicker(csColorCube);
    dd->SetColorValueText(cvtHTML);
    dd->ShowDropDown();
    TExColorCubePanel* cube = dd->ColorCubePanel();
    ASSERT_NE(cube, nullptr);
    TestInput::Click(cube, cube->Cell(64).Center);
    EXPECT_FALSE(dd->DroppedDown());
    EXPECT_EQ(dd->SelectedColor(), TColor(0xFFFFFF));
    EXPECT_EQ(dd->ItemIndex(), -1);
    EXPECT_EQ(dd->SelectedColorText(), QStringLiteral("#FFFFFF"));
    // The next opening marks the chosen cell.
    dd->ShowDropDown();
    EXPECT_EQ(cube->SelectedIndex(), 64);
    dd->HideDropDown(true);

    // The spectrum: the colour under the eyedropper is chosen.
    dd->SetColorSelectionStyle(csSpectrum);
    dd->ShowDropDown();
    TExColorSpectrumPanel* sp = dd->SpectrumPanel();
    ASSERT_NE(sp, nullptr);
    TestInput::MouseMove(sp->SpectrumImage(), {0, 64});
    TestInput::Click(sp->SpectrumImage(), {0, 64});
    EXPECT_FALSE(dd->DroppedDown());
    EXPECT_EQ(dd->SelectedColor(), TColor(0x0000FF));
    EXPECT_EQ(dd->SelectedColorText(), QStringLiteral("#FF0000"));
}

TEST_F(TColorPicker, PaletteKeysMoveWhileOpenAndEscGivesTheColourBack)
{
    TExColorPickerDropDown* dd = AddPicker(csDiscrete);
    dd->SetSelectedColor(0x000000);  // palette box 1
    selects = 0;
    dd->SetFocus();
    dd->ShowDropDown();
    TCustomColorSelector* p = dd->ColorSelector();
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->ItemIndex(), 1);
    TestInput::PressKey(dd, VK_DOWN);
    EXPECT_TRUE(dd->DroppedDown());
    EXPECT_EQ(p->ItemIndex(), 11);
    EXPECT_EQ(dd->SelectedColor(), TColor(0x7F7F7F));
    TestInput::PressKey(dd, VK_ESCAPE, {}, QStringLiteral("\x1b"));
    EXPECT_FALSE(dd->DroppedDown());
    EXPECT_EQ(p->ItemIndex(), 1);
    EXPECT_EQ(dd->SelectedColor(), TColor(0x000000));
    // A click on a box chooses and closes.
    dd->ShowDropDown();
    TestInput::Click(p, CentreOf(p->GetItemRect(5)));
    EXPECT_FALSE(dd->DroppedDown());
    EXPECT_EQ(dd->SelectedColor(), TColor(0x4D50C0));
    // Enter on the hot box chooses it.
    dd->ShowDropDown();
    TestInput::MouseMove(p, CentreOf(p->GetItemRect(7)));
    TestInput::PressKey(dd, VK_RETURN, {}, QStringLiteral("\r"));
    EXPECT_FALSE(dd->DroppedDown());
    EXPECT_EQ(dd->SelectedColor(), TColor(0xA26480));
}

TEST_F(TColorPicker, EditShowsTheSwatchAndTheText)
{
    TExColorPickerDropDown* dd = AddPicker();
    QImage img = GrabControl(dd);
    // No colour: neither swatch nor text.
    EXPECT_EQ(PixelAt(img, 12, 10), PixelAt(img, 40, 10));
    dd->SetSelectedColor(0x00FF00);
    img = GrabControl(dd);
    const Integer top = 1 + (21 - 14) / 2;
    EXPECT_EQ(PixelAt(img, 5, top + 7), TColor(0));          // the black frame
    EXPECT_EQ(PixelAt(img, 12, top + 7), TColor(0x00FF00));  // the fill
    bool text = false;
    for (Integer x = 24; x < 60 && !text; ++x)
        for (Integer y = 4; y < 17; ++y)
            text = text || PixelAt(img, x, y) != PixelAt(img, 100, 3);
    EXPECT_TRUE(text);
    EXPECT_FALSE(testsupport::SaveScreenshot(img, QStringLiteral("TExColorPickerDropDown-edit")).isEmpty());
    // Without the text the rest of the edit stays empty.
    dd->SetShowText(false);
    img = GrabControl(dd);
    for (Integer x = 24; x < 60; ++x)
        EXPECT_EQ(PixelAt(img, x, 10), PixelAt(img, 100, 10)) << x;
}

TEST_F(TColorPicker, WheelStepsTheClosedPickerAndMovesTheHotItemWhenOpen)
{
    TExColorPickerDropDown* dd = AddPicker();
    dd->SetSelectedColor(0x008000);
    dd->SetFocus();
    // The closed picker steps from its list's own selection, set at each opening.
    dd->ShowDropDown();
    dd->HideDropDown(false);
    TestInput::Wheel(dd, -120);
    EXPECT_FALSE(dd->DroppedDown());
    EXPECT_EQ(dd->SelectedColor(), TColor(0x008080));
    TestInput::Wheel(dd, 120);
    EXPECT_EQ(dd->SelectedColor(), TColor(0x008000));
    // Open: the hot item moves and Enter takes it.
    dd->ShowDropDown();
    TestInput::Wheel(dd, -120);
    TestInput::Wheel(dd, -120);
    EXPECT_TRUE(dd->DroppedDown());
    EXPECT_EQ(dd->SelectedColor(), TColor(0x008000));
    TestInput::PressKey(dd, VK_RETURN, {}, QStringLiteral("\r"));
    EXPECT_FALSE(dd->DroppedDown());
    EXPECT_EQ(dd->ItemIndex(), 1);
    EXPECT_EQ(dd->SelectedColorText(), QStringLiteral("Maroon"));
}
