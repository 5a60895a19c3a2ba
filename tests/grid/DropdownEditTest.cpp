// The dropdown edit and its popup, worked as a user works them: the button,
// Alt+Down/Up, F4, Enter and Esc, a click elsewhere, placement on the
// screen and the reopen rule.
#include "DropdownFixture.h"

#include <QPainter>

#include "platform/StdControls.h"
#include "platform/WindowPos.h"

using TDropDownEdit = TDropDownForm_;

TEST_F(TDropDownEdit, NewEditHasItsSizeButtonAndVersion)
{
    TExCustomDropDown* dd = AddDropDown();
    auto* fresh = new TExCustomDropDown(form);
    EXPECT_EQ(fresh->Width(), 200);
    EXPECT_EQ(fresh->Height(), 21);
    EXPECT_EQ(fresh->DropDownButtonWidth(), 17);
    EXPECT_EQ(fresh->GetVersionNr(), 16908548);
    fresh->SetVersion(QStringLiteral("9.9.9.9"));
    EXPECT_EQ(fresh->Version(), QStringLiteral("1.2.1.4"));
    // The button sits at the right end inside the border.
    dd->HandleNeeded();
    EXPECT_EQ(dd->Button()->Width(), 17);
    EXPECT_EQ(dd->Button()->Left() + dd->Button()->Width(), dd->Width() - 4);
    // A font taller than the edit raises its height when it is sized.
    dd->Font()->SetSize(20);
    dd->SetBounds(dd->Left(), dd->Top(), 210, 21);
    EXPECT_EQ(dd->Height(), dd->GetMinHeight());
    EXPECT_GT(dd->Height(), 21);
}

TEST_F(TDropDownEdit, AssignCopiesSettingsButNotTextAndIgnoresOtherSources)
{
    TExCustomDropDown* a = AddDropDown();
    auto* b = new TExCustomDropDown(form);
    a->SetText(QStringLiteral("keep"));
    b->SetDropDownColor(clRed);
    b->SetEditType(etFloat);
    b->SetPrefix(QStringLiteral("$"));
    b->SetDropDownButtonHint(QStringLiteral("open"));
    b->DropDownHeader()->SetCaption(QStringLiteral("head"));
    a->Assign(b);
    EXPECT_EQ(a->DropDownColor(), clRed);
    EXPECT_EQ(a->EditType(), etFloat);
    EXPECT_EQ(a->Prefix(), QStringLiteral("$"));
    EXPECT_EQ(a->DropDownButtonHint(), QStringLiteral("open"));
    EXPECT_EQ(a->DropDownHeader()->Caption(), QStringLiteral("head"));
    EXPECT_EQ(a->WindowText(), QStringLiteral("keep"));
    TEdit other(nullptr);
    EXPECT_NO_THROW(a->Assign(&other));
    EXPECT_EQ(a->DropDownColor(), clRed);
}

TEST_F(TDropDownEdit, ButtonAltDownAndF4OpenThePopup)
{
    TExCustomDropDown* dd = AddDropDown();
    Integer opened = 0, closed = 0;
    bool lastCancel = true;
    dd->OnBeforeDropDown = [&](TObject*) { ++opened; };
    dd->OnDropUp = [&](TObject*, bool cancel) {
        ++closed;
        lastCancel = cancel;
    };
    TestInput::Click(dd->Button());
    ASSERT_TRUE(dd->DroppedDown());
    EXPECT_TRUE(dd->DropDownForm()->Visible());
    EXPECT_EQ(panel->Parent(), dd->DropDownForm());
    dd->HideDropDown(false);
    EXPECT_FALSE(dd->DroppedDown());

    dd->SetFocus();
    TestInput::PressKey(dd, VK_DOWN, ssAlt);
    EXPECT_TRUE(dd->DroppedDown());
    TestInput::PressKey(dd, VK_UP, ssAlt);
    EXPECT_FALSE(dd->DroppedDown());
    EXPECT_FALSE(lastCancel);

    TestInput::PressKey(dd, VK_F4);
    EXPECT_TRUE(dd->DroppedDown());
    TestInput::PressKey(dd, VK_F4);
    EXPECT_FALSE(dd->DroppedDown());
    EXPECT_EQ(opened, 3);
    EXPECT_EQ(closed, 3);
}

TEST_F(TDropDownEdit, EnterKeepsTheChoiceAndEscRestoresTheOldText)
{
    TExCustomDropDown* dd = AddDropDown();
    dd->SetText(QStringLiteral("old"));
    dd->SetFocus();
    dd->ShowDropDown();
    // The popup's control writes a value while the user chooses.
    dd->SetRawText(QStringLiteral("chosen"));
    TestInput::PressKey(dd->DropDownForm(), VK_RETURN, {}, QStringLiteral("\r"));
    EXPECT_FALSE(dd->DroppedDown());
    EXPECT_EQ(dd->Text(), QStringLiteral("chosen"));

    dd->SetText(QStringLiteral("old"));
    dd->ShowDropDown();
    dd->SetRawText(QStringLiteral("chosen"));
    TestInput::PressKey(dd->DropDownForm(), VK_ESCAPE, {}, QStringLiteral("\x1b"));
    EXPECT_FALSE(dd->DroppedDown());
    EXPECT_EQ(dd->Text(), QStringLiteral("old"));
}

TEST_F(TDropDownEdit, ClickElsewhereCancelsOnlyWhereThePopupSaysSo)
{
    for (const bool cancel : {true, false}) {
        TExCustomDropDown* dd = AddDropDown();
        dd->SetText(QStringLiteral("old"));
        dd->DropDownForm()->SetCancelOnDeActivate(cancel);
        dd->ShowDropDown();
        ActivatePopup(dd);
        dd->SetRawText(QStringLiteral("chosen"));
        ClickElsewhere();
        EXPECT_FALSE(dd->DroppedDown()) << cancel;
        EXPECT_EQ(dd->Text(), cancel ? QStringLiteral("old") : QStringLiteral("chosen"));
        delete dd;
    }
}

TEST_F(TDropDownEdit, ButtonClickRightAfterTheClickThatClosedDoesNotReopen)
{
    TExCustomDropDown* dd = AddDropDown();
    TestInput::Click(dd->Button());
    ActivatePopup(dd);
    ASSERT_TRUE(dd->DroppedDown());
    // The click on the button first takes the activation from the popup...
    ClickElsewhere();
    EXPECT_FALSE(dd->DroppedDown());
    // ...and then arrives at the button within 250 ms.
    TestInput::Click(dd->Button());
    EXPECT_FALSE(dd->DroppedDown());
    RunFor(300);
    TestInput::Click(dd->Button());
    EXPECT_TRUE(dd->DroppedDown());
}

TEST_F(TDropDownEdit, RefusedOpeningLeavesThePopupClosed)
{
    TExCustomDropDown* dd = AddDropDown();
    bool before = false;
    dd->OnBeforeDropDown = [&](TObject*) { before = true; };
    dd->OnDropDown = [](TObject*, bool& accept) { accept = false; };
    dd->ShowDropDown();
    EXPECT_TRUE(before);
    EXPECT_FALSE(dd->DroppedDown());
    EXPECT_FALSE(dd->DropDownForm()->Visible());
    // Disabled or read-only edits do not open at all.
    dd->OnDropDown = nullptr;
    dd->SetReadOnly(true);
    dd->ShowDropDown();
    EXPECT_FALSE(dd->DroppedDown());
}

TEST_F(TDropDownEdit, PopupOpensBelowOrAboveByPositionAndRoom)
{
    TExCustomDropDown* dd = AddDropDown();
    const TRect work = WorkAreaFromPoint({10, 10});
    const Integer screenH = work.Bottom;
    struct Case {
        TDropPosition pos;
        Integer formTop;
        bool below;
    } cases[] = {
        {dpAuto, 100, true},
        {dpAuto, screenH - 150, false},  // 100 px left below the edit, 150 needed
        {dpUp, 300, false},
        // The side asked for has no room: the side with more room.
        {dpDown, screenH - 150, false},
        {dpUp, 60, true},
    };
    for (const Case& c : cases) {
        SetWindowPos(form, nullptr, 100, c.formTop, 460, 300, 0);
        dd->SetDropPosition(c.pos);
        dd->SetDropDownHeight(150);
        const TPoint p = form->ClientToScreen({dd->Left(), dd->Top()});
        dd->ShowDropDown();
        TDropDownForm* f = dd->DropDownForm();
        EXPECT_EQ(f->Left(), p.X) << c.pos;
        EXPECT_EQ(f->Top(), c.below ? p.Y + dd->Height() - 1 : p.Y - 150) << c.pos << " " << c.formTop;
        dd->HideDropDown(false);
    }
    // Taller than the room on either side: on the larger side, held within
    // the work area.
    for (TDropPosition pos : {dpAuto, dpDown, dpUp}) {
        SetWindowPos(form, nullptr, 100, screenH / 2 - 40, 460, 300, 0);
        dd->SetDropPosition(pos);
        dd->SetDropDownHeight(work.Height() - 40);
        dd->ShowDropDown();
        TDropDownForm* f = dd->DropDownForm();
        EXPECT_GE(f->Top(), work.Top) << pos;
        EXPECT_LE(f->Top() + f->Height(), work.Bottom) << pos;
        dd->HideDropDown(false);
    }
}

TEST_F(TDropDownEdit, PopupIsMovedLeftToEndAtTheWorkArea)
{
    TExCustomDropDown* dd = AddDropDown(0, 20);
    const TRect work = WorkAreaFromPoint({10, 10});
    dd->SetDropDownWidth(300);
    SetWindowPos(form, nullptr, work.Right - 150, 100, 460, 300, 0);
    dd->ShowDropDown();
    EXPECT_EQ(dd->DropDownForm()->Left() + dd->DropDownForm()->Width(), work.Right);
    dd->HideDropDown(false);
    // A popup that starts beyond the work area stays where it is.
    SetWindowPos(form, nullptr, work.Right + 10, 100, 460, 300, 0);
    const TPoint p = form->ClientToScreen({dd->Left(), dd->Top()});
    dd->ShowDropDown();
    EXPECT_EQ(dd->DropDownForm()->Left(), p.X);
}

TEST_F(TDropDownEdit, PopupSizeFollowsControlBarsAndLimits)
{
    TExCustomDropDown* dd = AddDropDown();
    dd->DropDownHeader()->SetVisible(true);
    dd->DropDownFooter()->SetVisible(true);
    dd->ShowDropDown();
    TDropDownForm* f = dd->DropDownForm();
    EXPECT_EQ(f->Width(), 150);
    EXPECT_EQ(f->Height(), 2 * 1 + 22 + 22 + 100);
    dd->HideDropDown(false);
    // Never smaller than 80 x 50.
    panel->SetBounds(0, 0, 20, 5);
    dd->DropDownHeader()->SetVisible(false);
    dd->DropDownFooter()->SetVisible(false);
    dd->SetDropDownWidth(1);
    dd->SetDropDownHeight(1);
    dd->ShowDropDown();
    EXPECT_EQ(f->Width(), 80);
    EXPECT_EQ(f->Height(), 50);
}

TEST_F(TDropDownEdit, NotEditableEditIgnoresTypingAndOpensOnAClick)
{
    TExCustomDropDown* dd = AddDropDown();
    dd->SetText(QStringLiteral("abc"));
    dd->SetEditorEnabled(false);
    dd->SetFocus();
    TestInput::TypeText(dd, QStringLiteral("x"));
    TestInput::PressKey(dd, VK_DELETE);
    EXPECT_EQ(dd->Text(), QStringLiteral("abc"));
    TestInput::Click(dd, {30, 10});
    EXPECT_TRUE(dd->DroppedDown());
    // Esc cancels the open popup.
    TestInput::PressKey(dd, VK_ESCAPE);
    EXPECT_FALSE(dd->DroppedDown());
}

TEST_F(TDropDownEdit, LabelGoesBesideTheEdit)
{
    TExCustomDropDown* dd = AddDropDown(150, 100);
    dd->SetLabelMargin(4);
    dd->SetLabelCaption(QStringLiteral("Caption"));
    ASSERT_NE(dd->Label(), nullptr);
    EXPECT_EQ(dd->Label()->Parent(), form);
    EXPECT_EQ(dd->Label()->Top(), 100);
    EXPECT_LT(dd->Label()->Left() + dd->Label()->Width(), 150);
    // A label taller than the edit, centred at its right: its top above the edit's.
    dd->SetParentFont(false);
    dd->LabelFont()->SetSize(30);
    dd->SetLabelPosition(lpRightCenter);
    EXPECT_EQ(dd->Label()->Left(), 150 + 200 + 4);
    EXPECT_EQ(dd->Label()->Top(), 100 + (dd->Height() - dd->Label()->Height()) / 2);
    EXPECT_LT(dd->Label()->Top(), 100);
    dd->SetLabelPosition(lpTopRight);
    EXPECT_EQ(dd->Label()->Left(), 150 + 200 - dd->Label()->Width());
}

TEST_F(TDropDownEdit, BorderColourFramesTheEdit)
{
    TExCustomDropDown* dd = AddDropDown();
    dd->SetBorderColor(clRed);
    const QImage img = GrabControl(dd);
    EXPECT_EQ(PixelAt(img, 0, 10), clRed);
    EXPECT_EQ(PixelAt(img, 100, 0), clRed);
    EXPECT_EQ(PixelAt(img, 100, dd->Height() - 1), clRed);
}

TEST_F(TDropDownEdit, OpenPopupWithHeaderAndFooterShowsBothBars)
{
    TExCustomDropDown* dd = AddDropDown();
    dd->DropDownHeader()->SetCaption(QStringLiteral("<b>Header</b> caption"));
    dd->DropDownFooter()->SetCaption(QStringLiteral("Footer"));
    dd->DropDownFooter()->Buttons()->Add()->SetCaption(QStringLiteral("OK"));
    dd->SetText(QStringLiteral("value"));
    dd->SetDropDownBorderColor(clBlue);
    dd->ShowDropDown();
    TDropDownForm* f = dd->DropDownForm();
    ASSERT_NE(f->Header(), nullptr);
    ASSERT_NE(f->Footer(), nullptr);
    EXPECT_EQ(f->Header()->Top(), 1);
    EXPECT_EQ(f->Footer()->Top() + f->Footer()->Height(), f->Height() - 1);
    EXPECT_EQ(panel->Top(), f->Header()->Top() + f->Header()->Height());
    const QImage popup = GrabControl(f);
    // The border line, and the header's gradient in the Office 2007 Luna
    // colours: from $FFEFE3 at its top toward $FFD2AF at its bottom.
    EXPECT_EQ(PixelAt(popup, 0, 30), clBlue);
    const TColor top = PixelAt(popup, 75, 3), bottom = PixelAt(popup, 75, 20);
    EXPECT_NEAR(GetRValue(top), 0xE3, 8);
    EXPECT_NEAR(GetGValue(top), 0xEF, 8);
    EXPECT_NEAR(GetRValue(bottom), 0xAF, 8);
    EXPECT_NEAR(GetGValue(bottom), 0xD2, 8);
    EXPECT_GT(GetRValue(top), GetRValue(bottom));
    QImage shot(460, 300, QImage::Format_RGB32);
    shot.fill(Qt::white);
    {
        QPainter p(&shot);
        p.drawImage(0, 0, GrabControl(form));
        p.drawImage(dd->Left(), dd->Top() + dd->Height() - 1, popup);
    }
    EXPECT_FALSE(testsupport::SaveScreenshot(shot, QStringLiteral("TExCustomDropDown-open-header-footer")).isEmpty());
}

TEST_F(TDropDownEdit, EscUndoesTypingUnlessTheFormPreviewsKeys)
{
    for (const bool preview : {false, true}) {
        TExCustomDropDown* dd = AddDropDown();
        form->SetKeyPreview(preview);
        Word formKey = 0;
        form->OnKeyDown = [&](TObject*, Word& Key, TShiftState) { formKey = Key; };
        dd->SetText(QStringLiteral("abc"));
        dd->SetFocus();
        dd->SetSelStart(3);
        TestInput::TypeText(dd, QStringLiteral("d"));
        ASSERT_TRUE(dd->IsModified());
        TestInput::PressKey(dd, VK_ESCAPE, {}, QStringLiteral("\x1b"));
        Application->ProcessMessages();
        // Undo selects the value and clears the modified state; the form
        // hears Esc either way.
        EXPECT_EQ(dd->IsModified(), preview) << preview;
        EXPECT_EQ(dd->SelLength(), preview ? 0 : 4) << preview;
        EXPECT_EQ(formKey, VK_ESCAPE) << preview;
        form->OnKeyDown = nullptr;
        delete dd;
    }
}

namespace {

// A concrete editor's hooks: what it loads before opening, how it trims the
// popup and what the wheel does.
class THookedDropDown : public TExCustomDropDown {
public:
    using TExCustomDropDown::TExCustomDropDown;
    Integer Loads = 0, WheelDown = 0, WheelUp = 0;

protected:
    void DoBeforeDropDown() override
    {
        ++Loads;
        TExCustomDropDown::DoBeforeDropDown();
    }
    void AdjustDropDownHeight(Integer& Height) override { Height -= Height % 20; }
    void HandleMouseWheelDown() override { ++WheelDown; }
    void HandleMouseWheelUp() override { ++WheelUp; }
};

} // namespace

TEST_F(TDropDownEdit, ConcreteEditorsHookOpeningAndWheel)
{
    auto* dd = new THookedDropDown(form);
    dd->SetParent(form);
    dd->SetBounds(20, 20, 200, 21);
    dd->SetDropDownHeight(75);
    dd->ShowDropDown();
    EXPECT_EQ(dd->Loads, 1);
    EXPECT_EQ(dd->DropDownForm()->Height(), 60);
    TestInput::Wheel(dd->DropDownForm(), -120);
    TestInput::Wheel(dd, 120);
    EXPECT_EQ(dd->WheelDown, 1);
    EXPECT_EQ(dd->WheelUp, 1);
}

TEST_F(TDropDownEdit, EditsInTheirLooks)
{
    TExCustomDropDown* plain = AddDropDown(20, 20);
    plain->SetText(QStringLiteral("plain"));
    TExCustomDropDown* money = AddDropDown(20, 60);
    money->SetEditType(etMoney);
    money->SetPrecision(2);
    money->SetPrefix(QStringLiteral("$ "));
    money->SetText(QStringLiteral("1234567.5"));
    EXPECT_EQ(money->WindowText(), QStringLiteral("$ 1,234,567.50"));
    TExCustomDropDown* toned = AddDropDown(20, 100);
    TColorTones tones;
    tones.Background.BrushColor = RGB(255, 230, 180);
    tones.Background.BorderColor = RGB(200, 120, 0);
    toned->SetColorTones(tones);
    toned->SetText(QStringLiteral("colour tones"));
    TExCustomDropDown* chosen = AddDropDown(20, 140);
    chosen->SetEditorEnabled(false);
    chosen->SetText(QStringLiteral("chosen in the popup"));
    chosen->SetFocus();
    const QImage img = GrabControl(form);
    // The focused non-editable value is shown highlighted.
    EXPECT_EQ(PixelAt(GrabControl(chosen), 170, 10), ColorToRGB(clHighlight));
    // The toned button keeps a visible arrow.
    EXPECT_EQ(PixelAt(GrabControl(toned->Button()), 8, 8), clBlack);
    EXPECT_FALSE(testsupport::SaveScreenshot(img, QStringLiteral("TExCustomDropDown-looks")).isEmpty());
}

TEST_F(TDropDownEdit, EnterMovesOnLikeTabWhenAsked)
{
    TExCustomDropDown* first = AddDropDown(20, 20);
    TExCustomDropDown* second = AddDropDown(20, 60);
    first->SetReturnIsTab(true);
    first->SetFocus();
    TestInput::PressKey(first, VK_RETURN, {}, QStringLiteral("\r"));
    Application->ProcessMessages();
    EXPECT_TRUE(second->Focused());
    // Without it Enter stays in the edit.
    TestInput::PressKey(second, VK_RETURN, {}, QStringLiteral("\r"));
    Application->ProcessMessages();
    EXPECT_TRUE(second->Focused());
}
