// The flat combo box: button width limits, the frame and button it paints
// over the platform's combo box in pixels, the flat and disabled colours,
// focus colours, the attached label's places, the list's closing event and
// the drop-down width; and its screenshot.
#include "EditFormTest.h"
#include "QtPrint.h"

#include "Pixels.h"
#include "Screenshot.h"
#include "controls/ComboBoxX.h"
#include "controls/EsgCombo.h"
#include "platform/Bitmap.h"
#include "platform/StdControls.h"
#include "platform/StringList.h"
#include "platform/TestHooks.h"

namespace {

using TEsgCombo = TEditForm;

TEsgComboBox* Fill(TEsgComboBox* c)
{
    c->Items()->Add(QStringLiteral("Alpha"));
    c->Items()->Add(QStringLiteral("Beta"));
    c->Items()->Add(QStringLiteral("Gamma"));
    c->SetItemIndex(1);
    return c;
}

} // namespace

TEST_F(TEsgCombo, ButtonWidthTakesOnly14To32)
{
    auto* c = Add<TEsgComboBox>(10, 10);
    EXPECT_EQ(c->ButtonWidth(), 19);
    const struct { Integer set, expect; } cases[] = {{13, 19}, {14, 14}, {33, 14}, {32, 32}, {0, 32}};
    for (const auto& k : cases) {
        c->SetButtonWidth(k.set);
        EXPECT_EQ(c->ButtonWidth(), k.expect) << k.set;
    }
}

TEST_F(TEsgCombo, WithoutOwnColoursItPaintsLikeThePlatformComboBox)
{
    auto* own = Fill(Add<TEsgComboBox>(10, 10, 150, 22));
    auto* plain = Add<TComboBox>(10, 50, 150, 22);
    plain->Items()->Assign(own->Items());
    plain->SetItemIndex(1);
    EXPECT_EQ(GrabControl(own), GrabControl(plain));
    // Any own look changes the face.
    own->SetBorderColor(clRed);
    EXPECT_NE(GrabControl(own), GrabControl(plain));
}

TEST_F(TEsgCombo, BorderColourUnfocusedAndFocusBorderColourWhileFocused)
{
    auto* other = Add<TEdit>(10, 100);
    auto* c = Fill(Add<TEsgComboBox>(10, 10, 150, 22));
    c->SetBorderColor(clRed);
    c->SetFocusBorderColor(clBlue);
    other->SetFocus();
    EXPECT_EQ(Pixel(GrabControl(c), 0, 11), Q(clRed));
    c->SetFocus();
    EXPECT_TRUE(c->HasFocus());
    EXPECT_EQ(Pixel(GrabControl(c), 0, 11), Q(clBlue));
    EXPECT_EQ(Pixel(GrabControl(c), 149, 11), Q(clBlue));

    // Only a focus frame colour: no own frame while another control has the focus.
    auto* d = Fill(Add<TEsgComboBox>(10, 40, 150, 22));
    d->SetFocusBorderColor(clBlue);
    other->SetFocus();
    EXPECT_NE(Pixel(GrabControl(d), 0, 11), Q(clBlue));
    d->SetFocus();
    EXPECT_EQ(Pixel(GrabControl(d), 0, 11), Q(clBlue));
}

TEST_F(TEsgCombo, ColouredButtonFollowsTheMouse)
{
    auto* c = Fill(Add<TEsgComboBox>(10, 10, 150, 22));
    c->SetButtonColor(RGB(0, 128, 0));
    c->SetButtonColorHot(RGB(0, 200, 0));
    c->SetButtonColorDown(RGB(0, 60, 0));
    c->SetButtonBorderColor(clBlack);
    c->SetButtonTextColor(clWhite);
    // Button area: from client width - button width + 2, shrunk by one, then
    // one more to the left and in from top and bottom.
    const int bx = 150 - 19 + 2 + 1 - 1 + 2;
    EXPECT_EQ(Pixel(GrabControl(c), bx, 4), Q(RGB(0, 128, 0)));
    TestInput::MouseMove(c, {140, 11});
    EXPECT_TRUE(c->ButtonHover());
    EXPECT_EQ(Pixel(GrabControl(c), bx, 4), Q(RGB(0, 200, 0)));
    // The arrow is a triangle in the text colour.
    EXPECT_EQ(Pixel(GrabControl(c), 150 - 19 + 2 + 7, 2 + 8), Q(clWhite));
    TestInput::MouseMove(c, {20, 11});
    EXPECT_FALSE(c->ButtonHover());
    TestInput::MouseLeave(c);
    EXPECT_EQ(Pixel(GrabControl(c), bx, 4), Q(RGB(0, 128, 0)));
}

TEST_F(TEsgCombo, FlatTakesTheParentColourAndAnUnderline)
{
    auto* c = Fill(Add<TEsgComboBox>(10, 10, 150, 22));
    EXPECT_TRUE(c->Ctl3D());
    c->SetFlat(true);
    EXPECT_FALSE(c->Ctl3D());
    EXPECT_EQ(c->Color(), form->Color());
    c->SetFlatLineColor(clRed);
    const QImage img = GrabControl(c);
    EXPECT_EQ(Pixel(img, 20, 21), Q(clRed));
    // The line stops short of the button.
    EXPECT_NE(Pixel(img, 145, 21), Q(clRed));
    // The outer ring is the parent's colour.
    EXPECT_EQ(Pixel(img, 20, 0), Q(form->Color()));

    c->SetFlat(false);
    EXPECT_EQ(c->Color(), clWindow);
    // Without FlatParentColor a flat combo keeps the colour from the form.
    c->SetFlatParentColor(false);
    c->SetFlat(true);
    EXPECT_EQ(c->Color(), clWindow);
}

TEST_F(TEsgCombo, DisablingAFlatComboShowsTheParentColourUntilEnabled)
{
    auto* c = Fill(Add<TEsgComboBox>(10, 10, 150, 22));
    c->SetFlatParentColor(false);
    c->SetFlat(true);
    c->SetColor(clYellow);
    c->SetEnabled(false);
    EXPECT_EQ(c->Color(), form->Color());
    EXPECT_TRUE(c->ParentColor());
    c->SetEnabled(true);
    EXPECT_EQ(c->Color(), clYellow);
    EXPECT_FALSE(c->ParentColor());

    // A disabled themed combo without DisabledBorder gets the blue-grey frame.
    auto* d = Fill(Add<TEsgComboBox>(10, 50, 150, 22));
    d->SetDisabledBorder(false);
    d->SetEnabled(false);
    EXPECT_EQ(Pixel(GrabControl(d), 0, 11), QColor(127, 157, 185));
}

TEST_F(TEsgCombo, FocusColourAndBoldLabelWhileFocused)
{
    auto* other = Add<TEdit>(10, 100);
    auto* c = Fill(Add<TEsgComboBox>(120, 10, 150, 22));
    c->SetLabelCaption(QStringLiteral("Name"));
    c->SetFocusLabel(true);
    c->SetFocusColor(clYellow);
    other->SetFocus();
    c->SetFocus();
    EXPECT_EQ(c->Color(), clYellow);
    EXPECT_TRUE(c->Label()->Font()->Style().Contains(fsBold));
    other->SetFocus();
    EXPECT_EQ(c->Color(), clWindow);
    EXPECT_FALSE(c->Label()->Font()->Style().Contains(fsBold));
}

TEST_F(TEsgCombo, AutoFocusTakesTheFocusWhenTheMouseEnters)
{
    auto* other = Add<TEdit>(10, 100);
    auto* c = Fill(Add<TEsgComboBox>(10, 10, 150, 22));
    other->SetFocus();
    TestInput::MouseEnter(c);
    EXPECT_TRUE(c->MouseInControl());
    EXPECT_FALSE(c->Focused());
    TestInput::MouseLeave(c);
    EXPECT_FALSE(c->MouseInControl());
    c->SetAutoFocus(true);
    // Not while another window is the active one.
    TForm window(nullptr);
    window.SetCaption(QStringLiteral("Another window"));
    window.Show();
    ActivateForm(&window);
    ASSERT_FALSE(form->Active());
    TestInput::MouseEnter(c);
    EXPECT_FALSE(c->Focused());
    TestInput::MouseLeave(c);
    ActivateForm(form);
    ASSERT_TRUE(form->Active());
    TestInput::MouseEnter(c);
    EXPECT_TRUE(c->Focused());
}

TEST_F(TEsgCombo, LabelGoesWhereItsPositionSays)
{
    auto* c = Fill(Add<TEsgComboBox>(150, 100, 120, 22));
    c->SetLabelCaption(QStringLiteral("Caption"));
    TLabel* l = c->Label();
    ASSERT_NE(l, nullptr);
    EXPECT_EQ(l->Parent(), form);
    EXPECT_EQ(l->FocusControl(), c);
    const Integer w = LabelTextWidth(l), lw = l->Width(), lh = l->Height(), m = 4;
    const Integer L = 150, T = 100, W = 120, H = 22;
    const struct { TLabelPosition pos; Integer left, top; } cases[] = {
        {lpLeftTop, L - w - m, T},
        {lpLeftCenter, L - w - m, T + (H - lh) / 2},
        {lpLeftBottom, L - w - m, T + H - lh},
        {lpTopLeft, L, T - lh - m},
        {lpBottomLeft, L, T + H + m},
        {lpLeftTopLeft, L - m, T},
        {lpLeftCenterLeft, L - m, T + (H - lh) / 2},
        {lpLeftBottomLeft, L - m, T + H - lh},
        {lpTopCenter, L + (W - lw) / 2, T - lh - m},
        {lpBottomCenter, L + (W - lw) / 2, T + H + m},
        {lpRightTop, L + W + m, T},
        {lpRightCenter, L + W + m, T + (H - lh) / 2},
        {lpRighBottom, L + W + m, T + H - lh},
    };
    for (const auto& k : cases) {
        c->SetLabelPosition(k.pos);
        EXPECT_EQ(l->Left(), k.left) << int(k.pos);
        EXPECT_EQ(l->Top(), k.top) << int(k.pos);
    }
    // The label follows the combo's moves, visibility and enabled state.
    c->SetLabelPosition(lpLeftTop);
    c->SetLabelMargin(10);
    c->SetLeft(200);
    EXPECT_EQ(l->Left(), 200 - w - 10);
    c->SetVisible(false);
    EXPECT_FALSE(l->Visible());
    c->SetVisible(true);
    c->SetEnabled(false);
    EXPECT_FALSE(l->Enabled());
    c->SetLabelAlwaysEnabled(true);
    EXPECT_TRUE(l->Enabled());
}

TEST_F(TEsgCombo, ALabelWiderThanTheComboIsCentredOverIt)
{
    auto* c = Fill(Add<TEsgComboBox>(150, 100, 40, 22));
    c->SetLabelCaption(QStringLiteral("A caption much wider than the combo"));
    c->SetLabelPosition(lpTopCenter);
    const Integer lw = c->Label()->Width();
    ASSERT_GT(lw, 40);
    EXPECT_EQ(c->Label()->Left(), 150 - (lw - 40) / 2);
}

TEST_F(TEsgCombo, ClosingTheListFiresDropUpOnce)
{
    auto* c = Fill(Add<TEsgComboBox>(10, 10, 150, 22));
    int drops = 0, ups = 0;
    c->OnDropDown = [&](TObject*) { ++drops; };
    c->OnDropUp = [&](TObject*) { ++ups; };
    c->SetDroppedDown(true);
    EXPECT_EQ(drops, 1);
    EXPECT_EQ(ups, 0);
    c->SetDroppedDown(false);
    EXPECT_EQ(ups, 1);
}

TEST_F(TEsgCombo, DropWidthWidensTheList)
{
    auto* c = Fill(Add<TEsgComboBox>(10, 10, 100, 22));
    EXPECT_EQ(c->Perform(CB_GETDROPPEDWIDTH), 100);
    c->SetDropWidth(240);
    EXPECT_EQ(c->Perform(CB_GETDROPPEDWIDTH), 240);
    // Kept when the window is made again.
    c->RecreateWnd();
    c->HandleNeeded();
    EXPECT_EQ(ComboDroppedWidth(c), 240);
}

TEST_F(TEsgCombo, SelectItemPicksTheFirstEqualItemOnly)
{
    auto* c = Fill(Add<TEsgComboBox>(10, 10));
    c->Items()->Add(QStringLiteral("Beta"));
    c->SetItemIndex(0);
    c->SelectItem(QStringLiteral("Beta"));
    EXPECT_EQ(c->ItemIndex(), 1);
    c->SelectItem(QStringLiteral("Delta"));
    EXPECT_EQ(c->ItemIndex(), 1);
}

TEST_F(TEsgCombo, TypingInAListComboLooksUpTheItem)
{
    auto* c = Fill(Add<TEsgComboBox>(10, 10, 150, 22));
    c->Items()->Add(QStringLiteral("Gauge"));
    c->SetStyle(csDropDownList);
    c->SetItemIndex(0);
    QStringList picked;
    c->OnSelect = [&](TObject*) { picked << c->Text(); };
    c->SetFocus();
    // The letters typed in one go name the item more and more closely.
    TestInput::TypeText(c, QStringLiteral("g"));
    EXPECT_EQ(c->ItemIndex(), 2);
    EXPECT_EQ(c->Text(), QStringLiteral("Gamma"));
    TestInput::TypeText(c, QStringLiteral("au"));
    EXPECT_EQ(c->ItemIndex(), 3);
    EXPECT_EQ(c->Text(), QStringLiteral("Gauge"));
    EXPECT_EQ(picked, (QStringList{QStringLiteral("Gamma"), QStringLiteral("Gauge")}));
    // Letters that no item starts with change nothing.
    TestInput::TypeText(c, QStringLiteral("zz"));
    EXPECT_EQ(c->Text(), QStringLiteral("Gauge"));
}

TEST(ComboBoxX, EightPicturesByName)
{
    for (const char* name : {"CBX_BMP_EDIT", "CBX_BMP_NEW", "CBX_BMP_NEW_D", "CBX_BMP_DEL", "CBX_BMP_DEL_D", "CBX_BMP_UP",
                             "CBX_BMP_DOWN"}) {
        TBitmap* b = ComboBoxXBitmap(QString::fromLatin1(name));
        ASSERT_NE(b, nullptr) << name;
        EXPECT_EQ(b->Width(), 13) << name;
        EXPECT_EQ(b->Height(), 11) << name;
    }
    ASSERT_NE(ComboBoxXBitmap(QStringLiteral("CBX_BMP_PINS")), nullptr);
    EXPECT_EQ(ComboBoxXBitmap(QStringLiteral("CBX_BMP_PINS"))->Width(), 52);
    EXPECT_EQ(ComboBoxXBitmap(QStringLiteral("CBX_BMP_EDIT")), ComboBoxXBitmap(QStringLiteral("CBX_BMP_EDIT")));
    EXPECT_EQ(ComboBoxXBitmap(QStringLiteral("CBX_BMP_NONE")), nullptr);
}

TEST_F(TEsgCombo, Screenshot)
{
    form->SetCaption(QStringLiteral("Combo boxes"));
    auto* plain = Fill(Add<TEsgComboBox>(110, 10, 170, 22));
    plain->SetLabelCaption(QStringLiteral("Default:"));
    auto* flat = Fill(Add<TEsgComboBox>(110, 45, 170, 22));
    flat->SetFlat(true);
    flat->SetFlatLineColor(RGB(0, 0, 160));
    flat->SetLabelCaption(QStringLiteral("Flat, line:"));
    auto* border = Fill(Add<TEsgComboBox>(110, 80, 170, 22));
    border->SetBorderColor(RGB(0, 120, 215));
    border->SetLabelCaption(QStringLiteral("Border:"));
    auto* coloured = Fill(Add<TEsgComboBox>(110, 115, 170, 22));
    coloured->SetBorderColor(RGB(90, 90, 90));
    coloured->SetButtonColor(RGB(0, 120, 215));
    coloured->SetButtonColorHot(RGB(40, 160, 255));
    coloured->SetButtonBorderColor(RGB(90, 90, 90));
    coloured->SetButtonTextColor(clWhite);
    coloured->SetLabelCaption(QStringLiteral("Coloured button:"));
    auto* off = Fill(Add<TEsgComboBox>(110, 150, 170, 22));
    off->SetDisabledBorder(false);
    off->SetEnabled(false);
    off->SetLabelCaption(QStringLiteral("Disabled:"));
    auto* top = Fill(Add<TEsgComboBox>(300, 45, 100, 22));
    top->SetLabelPosition(lpTopCenter);
    top->SetLabelCaption(QStringLiteral("Top centre"));
    const QImage img = GrabControl(form);
    EXPECT_FALSE(testsupport::SaveScreenshot(img, QStringLiteral("TEsgComboBox-looks")).isEmpty());
    using testsupport::AreaOf;
    using testsupport::CountColour;
    // The labels are written left of their boxes (above for the top one).
    for (TEsgComboBox* c : {plain, flat, border, coloured}) {
        const QRect box = AreaOf(c, form);
        EXPECT_GT(testsupport::CountDark(img, QRect(0, box.top(), box.left() - 2, box.height())), 10);
    }
    const QRect topBox = AreaOf(top, form);
    EXPECT_GT(testsupport::CountDark(img, QRect(topBox.left(), topBox.top() - 18, topBox.width(), 16)), 10);
    // The border colours frame their boxes; the coloured one has a blue
    // button.
    const QRect b = AreaOf(border, form);
    EXPECT_GT(CountColour(img, b.adjusted(-1, -1, 1, 1), Q(RGB(0, 120, 215)), 4), b.width());
    EXPECT_EQ(CountColour(img, AreaOf(plain, form), Q(RGB(0, 120, 215)), 4), 0);
    const QRect c = AreaOf(coloured, form);
    EXPECT_GT(CountColour(img, QRect(c.right() - 20, c.top(), 21, c.height()), Q(RGB(0, 120, 215)), 4), 100);
    EXPECT_GT(CountColour(img, AreaOf(flat, form).adjusted(0, 0, 0, 2), Q(RGB(0, 0, 160)), 4), 40);
}
