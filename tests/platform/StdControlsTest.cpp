// Standard controls driven as a user works them: typing with key filters,
// picking from lists, clicking boxes and buttons, and what they paint.
#include <gtest/gtest.h>
#include "QtPrint.h"

#include <functional>
#include <vector>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include "Screenshot.h"
#include "platform/Bitmap.h"
#include "platform/Buttons.h"
#include "platform/Canvas.h"
#include "platform/CategoryPanel.h"
#include "platform/ExtCtrls.h"
#include "platform/Form.h"
#include "platform/Graphics.h"
#include "platform/HintWindow.h"
#include "platform/MaskEdit.h"
#include "platform/Menus.h"
#include "platform/PageControl.h"
#include "platform/StdControls.h"
#include "platform/StringList.h"
#include "platform/WidgetBridge.h"
#include "platform/TestHooks.h"
#include "platform/Timer.h"

namespace {

struct TShownForm : ::testing::Test {
    TForm* form = nullptr;
    void SetUp() override
    {
        form = new TForm(nullptr);
        form->SetClientSize(400, 300);
        form->Show();
    }
    void TearDown() override { delete form; }
    template <class T>
    T* Add(Integer l, Integer t)
    {
        auto* c = new T(form);
        c->SetParent(form);
        c->SetLeft(l);
        c->SetTop(t);
        return c;
    }
};

// Colours that count as "text drawn here": clearly darker than the background.
int DarkPixels(const QImage& img)
{
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qGray(img.pixel(x, y)) < 100)
                ++n;
    return n;
}

TEST_F(TShownForm, EditTypesThroughKeyFiltersAndReportsChanges)
{
    auto* e = Add<TEdit>(10, 10);
    int changes = 0;
    e->OnChange = [&](TObject*) { ++changes; };
    // A per-key filter: digits and Backspace only.
    e->OnKeyPress = [](TObject*, QChar& key) {
        if (!key.isDigit() && key != u'\b')
            key = QChar(0);
    };
    e->SetFocus();
    TestInput::TypeText(e, QStringLiteral("1a2b3"));
    EXPECT_EQ(e->Text(), QStringLiteral("123"));
    EXPECT_EQ(changes, 3);
    TestInput::PressKey(e, VK_BACK);
    EXPECT_EQ(e->Text(), QStringLiteral("12"));
    EXPECT_TRUE(e->Modified());

    e->SetText(QStringLiteral("99"));
    EXPECT_EQ(changes, 5);
    EXPECT_EQ(e->Text(), QStringLiteral("99"));
}

TEST_F(TShownForm, EditCaseLengthReadOnlyAndPassword)
{
    auto* e = Add<TEdit>(10, 10);
    e->SetCharCase(ecUpperCase);
    e->SetMaxLength(4);
    TestInput::TypeText(e, QStringLiteral("ab12cd"));
    EXPECT_EQ(e->Text(), QStringLiteral("AB12"));
    e->SetText(QStringLiteral("abcdef"));
    EXPECT_EQ(e->Text(), QStringLiteral("ABCD"));
    e->SetReadOnly(true);
    TestInput::TypeText(e, QStringLiteral("x"));
    EXPECT_EQ(e->Text(), QStringLiteral("ABCD"));

    auto* pw = Add<TEdit>(10, 40);
    pw->SetPasswordChar(u'*');
    pw->SetText(QStringLiteral("secret"));
    EXPECT_EQ(pw->Text(), QStringLiteral("secret"));
    testsupport::SaveScreenshot(GrabControl(pw), QStringLiteral("TEdit-password"));
}

TEST(StdControls, EditConfiguredWithoutAWindowKeepsItsStateWhenShown)
{
    TForm form(nullptr);
    auto* e = new TEdit(&form);
    e->SetParent(&form);
    e->SetText(QStringLiteral("hello"));
    e->SetSelStart(1);
    e->SetSelLength(3);
    EXPECT_EQ(e->SelText(), QStringLiteral("ell"));
    e->SetSelText(QStringLiteral("ipp"));
    EXPECT_EQ(e->Text(), QStringLiteral("hippo"));
    form.Show();
    EXPECT_EQ(e->Text(), QStringLiteral("hippo"));
    TestInput::PressKey(e, VK_END);
    TestInput::TypeText(e, QStringLiteral("s"));
    EXPECT_EQ(e->Text(), QStringLiteral("hippos"));
}

TEST_F(TShownForm, ComboBoxPicksFireSelectOrChangeButSettingsDoNot)
{
    auto* cb = Add<TComboBox>(10, 10);
    cb->SetStyle(csDropDownList);
    TObject tag1, tag2;
    cb->Items()->AddObject(QStringLiteral("BACnet/IP"), &tag1);
    cb->Items()->AddObject(QStringLiteral("BACnet MS/TP"), &tag2);
    QStringList events;
    cb->OnChange = [&](TObject*) { events << QStringLiteral("change %1").arg(cb->ItemIndex()); };
    cb->SetItemIndex(0);
    EXPECT_TRUE(events.isEmpty());
    EXPECT_EQ(cb->Text(), QStringLiteral("BACnet/IP"));
    TestInput::PressKey(cb, VK_DOWN);
    EXPECT_EQ(cb->ItemIndex(), 1);
    EXPECT_EQ(cb->Items()->Objects(cb->ItemIndex()), &tag2);
    EXPECT_EQ(events, QStringList{QStringLiteral("change 1")});
    cb->OnSelect = [&](TObject*) { events << QStringLiteral("select %1").arg(cb->ItemIndex()); };
    TestInput::PressKey(cb, VK_UP);
    EXPECT_EQ(events.last(), QStringLiteral("select 0"));
    EXPECT_EQ(events.size(), 2);
    // Setting the text of a list picks the matching entry; an unknown text picks none.
    cb->SetText(QStringLiteral("BACnet MS/TP"));
    EXPECT_EQ(cb->ItemIndex(), 1);
    cb->SetText(QStringLiteral("nothing"));
    EXPECT_EQ(cb->ItemIndex(), -1);
    cb->SetItemIndex(1);
    cb->Items()->Clear();
    EXPECT_EQ(cb->ItemIndex(), -1);
    EXPECT_EQ(cb->Text(), QString());
}

TEST_F(TShownForm, EditableComboBoxTypesAndDropsDown)
{
    auto* cb = Add<TComboBox>(10, 10);
    cb->Items()->SetText(QStringLiteral("AS923\nAU915\nEU868"));
    QStringList events;
    cb->OnChange = [&](TObject*) { events << QStringLiteral("change ") + cb->Text(); };
    cb->OnDropDown = [&](TObject*) { events << QStringLiteral("dropdown"); };
    cb->OnCloseUp = [&](TObject*) { events << QStringLiteral("closeup"); };
    TestInput::TypeText(cb, QStringLiteral("EU"));
    EXPECT_EQ(cb->Text(), QStringLiteral("EU"));
    EXPECT_EQ(cb->ItemIndex(), -1);
    cb->SetDroppedDown(true);
    EXPECT_TRUE(cb->DroppedDown());
    cb->SetDroppedDown(false);
    EXPECT_FALSE(cb->DroppedDown());
    EXPECT_EQ(events, (QStringList{QStringLiteral("change E"), QStringLiteral("change EU"), QStringLiteral("dropdown"), QStringLiteral("closeup")}));
}

TEST_F(TShownForm, EditableComboBoxReportsTheCompletionItShows)
{
    auto* cb = Add<TComboBox>(10, 10);
    cb->Items()->SetText(QStringLiteral("Alpha\nBeta\nGamma\nGamma"));
    QStringList events;
    cb->OnChange = [&](TObject*) { events << QStringLiteral("%1 %2").arg(cb->Text()).arg(cb->ItemIndex()); };
    // Qt completes only in an edit that has the focus, in the active window.
    TestInput::ActivateWindow(form);
    cb->SetFocus();
    ASSERT_TRUE(cb->Focused());
    // "G" completes to "Gamma" (the first of the equal entries); "a" keeps it.
    TestInput::TypeText(cb, QStringLiteral("Ga"));
    EXPECT_EQ(cb->Text(), QStringLiteral("Gamma"));
    EXPECT_EQ(cb->ItemIndex(), 2);
    EXPECT_EQ(events, QStringList{QStringLiteral("Gamma 2")});
    testsupport::SaveScreenshot(GrabControl(cb), QStringLiteral("TComboBox-completed"));
    // Backspace takes the completed tail away and completes nothing.
    TestInput::PressKey(cb, VK_BACK);
    EXPECT_EQ(cb->Text(), QStringLiteral("Ga"));
    EXPECT_EQ(cb->ItemIndex(), -1);
    // Typing on past every entry keeps the text as typed; lower case completes too.
    TestInput::TypeText(cb, QStringLiteral("x"));
    EXPECT_EQ(cb->Text(), QStringLiteral("Gax"));
    cb->SetText(QString());
    TestInput::TypeText(cb, QStringLiteral("b"));
    EXPECT_EQ(cb->Text(), QStringLiteral("beta"));
    EXPECT_EQ(cb->ItemIndex(), 1);
    EXPECT_EQ(events, (QStringList{QStringLiteral("Gamma 2"), QStringLiteral("Ga -1"), QStringLiteral("Gax -1"), QStringLiteral("beta 1")}));
    // Code that sets an entry with a twin keeps the index it set.
    cb->SetItemIndex(3);
    EXPECT_EQ(cb->ItemIndex(), 3);
    EXPECT_EQ(cb->Text(), QStringLiteral("Gamma"));
}

TEST_F(TShownForm, DisabledEditsAndCombosGreyTheirText)
{
    auto* edit = Add<TEdit>(10, 10);
    auto* typed = Add<TComboBox>(10, 40);
    auto* list = Add<TComboBox>(10, 70);
    list->SetStyle(csDropDownList);
    for (TComboBox* cb : {typed, list}) {
        cb->Items()->SetText(QStringLiteral("MMMMMMMM"));
        cb->SetItemIndex(0);
    }
    edit->SetText(QStringLiteral("MMMMMMMM"));
    for (TWinControl* c : std::initializer_list<TWinControl*>{edit, typed, list}) {
        c->Font()->SetStyle(TFontStyles(fsBold));
        c->Font()->SetColor(clNavy);
    }
    // Enabled, the text is in the font's colour; disabled, nothing of it stays dark.
    for (TWinControl* c : std::initializer_list<TWinControl*>{edit, typed, list})
        EXPECT_GT(DarkPixels(GrabControl(c)), 20) << c->ClassName().toStdString();
    for (TWinControl* c : std::initializer_list<TWinControl*>{edit, typed, list})
        c->SetEnabled(false);
    EXPECT_EQ(DarkPixels(GrabControl(edit)), 0);
    EXPECT_EQ(DarkPixels(GrabControl(typed)), 0);
    EXPECT_EQ(DarkPixels(GrabControl(list)), 0);
    testsupport::SaveScreenshot(GrabControl(form), QStringLiteral("TEdit-TComboBox-disabled"));
    // Enabled again, the font's colour comes back.
    edit->SetEnabled(true);
    EXPECT_GT(DarkPixels(GrabControl(edit)), 20);
}

TEST(StdControls, ListWidthAndEditFrameSetBeforeTheWindowLastThroughItsRemaking)
{
    TForm form(nullptr);
    form.SetClientSize(400, 300);
    auto* cb = new TComboBox(&form);
    cb->SetParent(&form);
    cb->SetBounds(10, 10, 100, 22);
    cb->Items()->SetText(QStringLiteral("EU868\nUS915"));
    auto* framed = new TEdit(&form);
    framed->SetParent(&form);
    framed->SetBounds(10, 50, 100, 22);
    auto* bare = new TEdit(&form);
    bare->SetParent(&form);
    bare->SetBounds(10, 80, 100, 22);
    EXPECT_EQ(cb->Perform(CB_GETDROPPEDWIDTH), 100);
    SetComboDroppedWidth(cb, 260);
    SetEditFrame(bare, false);
    form.Show();
    cb->SetStyle(csDropDownList);  // a new window
    EXPECT_EQ(ComboDroppedWidth(cb), 260);
    cb->SetDroppedDown(true);
    ASSERT_NE(QApplication::activePopupWidget(), nullptr);
    EXPECT_GE(QApplication::activePopupWidget()->width(), 260);
    cb->SetDroppedDown(false);
    // Right-aligned, the wide list reaches leftwards from the box's right edge.
    cb->SetLeft(250);
    SetComboDropRightAligned(cb, true);
    cb->SetDroppedDown(true);
    ASSERT_NE(QApplication::activePopupWidget(), nullptr);
    QWidget* box = TWidgetBridge::Widget(cb);
    EXPECT_EQ(QApplication::activePopupWidget()->geometry().right(), box->mapToGlobal(QPoint(box->width() - 1, 0)).x());
    cb->SetDroppedDown(false);
    EXPECT_EQ(cb->Perform(CB_SETDROPPEDWIDTH, 0), 100);
    // The frame is the dark line at the edit's left edge.
    bare->RecreateWnd();
    const QImage withFrame = GrabControl(framed), without = GrabControl(bare);
    EXPECT_LT(qGray(withFrame.pixel(0, 11)), 200);
    EXPECT_GT(qGray(without.pixel(0, 11)), 200);
}

// A deferred fit sizes the list when it first drops down (or its width is
// read), with the items it has then, and only once; a width set before it
// runs wins over it.
TEST(StdControls, ListWidthFitRunsWhenTheListFirstOpens)
{
    TForm form(nullptr);
    form.SetClientSize(400, 300);
    auto* cb = new TComboBox(&form);
    cb->SetParent(&form);
    cb->SetBounds(10, 10, 100, 22);
    int fits = 0;
    const auto fit = [&](TCustomComboBox* c) {
        ++fits;
        SetComboDroppedWidth(c, 100 + 20 * c->Items()->Count());
    };
    SetComboDropDownFit(cb, fit);
    cb->Items()->SetText(QStringLiteral("a\nb\nc\nd\ne"));
    form.Show();
    EXPECT_EQ(fits, 0);
    cb->SetDroppedDown(true);
    EXPECT_EQ(fits, 1);
    ASSERT_NE(QApplication::activePopupWidget(), nullptr);
    EXPECT_GE(QApplication::activePopupWidget()->width(), 200);
    cb->SetDroppedDown(false);
    cb->SetDroppedDown(true);
    cb->SetDroppedDown(false);
    EXPECT_EQ(ComboDroppedWidth(cb), 200);
    EXPECT_EQ(fits, 1);

    auto* other = new TComboBox(&form);
    other->SetParent(&form);
    other->SetBounds(10, 40, 100, 22);
    SetComboDropDownFit(other, fit);
    EXPECT_EQ(other->Perform(CB_GETDROPPEDWIDTH), 100);  // no items yet
    EXPECT_EQ(fits, 2);
    SetComboDropDownFit(other, fit);
    SetComboDroppedWidth(other, 150);
    EXPECT_EQ(ComboDroppedWidth(other), 150);
    EXPECT_EQ(fits, 2);
}

TEST_F(TShownForm, AnErrorInAHandlerOfTheUsersActionIsShownNotThrown)
{
    QStringList shown;
    Application->OnException = [&](TObject* sender, const std::exception& e) {
        shown << QStringLiteral("%1: %2").arg(static_cast<TComponent*>(sender)->ClassName(), QString::fromUtf8(e.what()));
    };
    const auto fail = [](TObject*) { throw EConvertError(QStringLiteral("'x' is not a valid integer value")); };
    auto* button = Add<TButton>(10, 10);
    button->OnClick = fail;
    auto* check = Add<TCheckBox>(10, 40);
    check->OnClick = fail;
    auto* radio = Add<TRadioButton>(10, 60);
    radio->OnClick = fail;
    auto* edit = Add<TEdit>(10, 80);
    edit->OnChange = fail;
    auto* list = Add<TComboBox>(10, 110);
    list->SetStyle(csDropDownList);
    list->Items()->SetText(QStringLiteral("a\nb"));
    list->OnChange = fail;
    auto* box = Add<TListBox>(200, 10);
    box->Items()->SetText(QStringLiteral("a\nb"));
    box->OnClick = fail;
    const std::vector<std::pair<const char*, std::function<void()>>> actions = {
        {"TButton", [&] { TestInput::Click(button); }},
        {"TCheckBox", [&] { TestInput::Click(check, {6, 8}); }},
        {"TRadioButton", [&] { TestInput::Click(radio, {6, 8}); }},
        {"TEdit", [&] { TestInput::TypeText(edit, QStringLiteral("x")); }},
        {"TComboBox", [&] { TestInput::PressKey(list, VK_DOWN); }},
        {"TListBox", [&] { TestInput::Click(box, {5, 5}); }},
    };
    for (const auto& [name, act] : actions) {
        shown.clear();
        EXPECT_NO_THROW(act()) << name;
        EXPECT_EQ(shown, QStringList{QStringLiteral("%1: 'x' is not a valid integer value").arg(QLatin1String(name))}) << name;
    }
    Application->OnException = nullptr;
}

TEST_F(TShownForm, CheckBoxClicksFromCodeAndUserAndPaintsItsState)
{
    auto* cb = Add<TCheckBox>(10, 10);
    cb->SetCaption(QStringLiteral("DHCP"));
    int clicks = 0;
    cb->OnClick = [&](TObject*) { ++clicks; };
    const QImage off = GrabControl(cb);
    cb->SetChecked(true);
    EXPECT_EQ(clicks, 1);
    cb->SetChecked(true);
    EXPECT_EQ(clicks, 1);
    const QImage on = GrabControl(cb);
    EXPECT_NE(on, off);
    TestInput::Click(cb, {6, 8});
    EXPECT_FALSE(cb->Checked());
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(GrabControl(cb), off);
    cb->SetAllowGrayed(true);
    TestInput::Click(cb, {6, 8});
    EXPECT_EQ(cb->State(), cbGrayed);
    TestInput::Click(cb, {6, 8});
    EXPECT_EQ(cb->State(), cbChecked);
    testsupport::SaveScreenshot(on, QStringLiteral("TCheckBox-checked"));
}

TEST_F(TShownForm, RadioButtonsOfOneParentExcludeEachOther)
{
    auto* a = Add<TRadioButton>(10, 10);
    auto* b = Add<TRadioButton>(10, 30);
    int clicks = 0;
    b->OnClick = [&](TObject*) { ++clicks; };
    a->SetChecked(true);
    TestInput::Click(b, {6, 8});
    EXPECT_TRUE(b->Checked());
    EXPECT_FALSE(a->Checked());
    EXPECT_EQ(clicks, 1);
    TestInput::Click(b, {6, 8});
    EXPECT_TRUE(b->Checked());
    EXPECT_EQ(clicks, 1);
}

TEST(StdControls, ButtonsGiveTheirModalResultAndAnswerEnterAndEscape)
{
    TForm dlg(nullptr);
    dlg.SetClientSize(300, 120);
    auto* edit = new TEdit(&dlg);
    edit->SetParent(&dlg);
    auto* ok = new TButton(&dlg);
    ok->SetParent(&dlg);
    ok->SetCaption(QStringLiteral("OK"));
    ok->SetModalResult(mrOk);
    ok->SetDefault(true);
    auto* cancel = new TButton(&dlg);
    cancel->SetParent(&dlg);
    cancel->SetModalResult(mrCancel);
    cancel->SetCancel(true);
    cancel->SetLeft(100);
    int okClicks = 0;
    ok->OnClick = [&](TObject*) { ++okClicks; };

    QTimer::singleShot(0, [&] { TestInput::Click(ok); });
    EXPECT_EQ(dlg.ShowModal(), mrOk);
    EXPECT_EQ(okClicks, 1);
    QTimer::singleShot(0, [&] { TestInput::PressKey(edit, VK_RETURN); });
    EXPECT_EQ(dlg.ShowModal(), mrOk);
    EXPECT_EQ(okClicks, 2);
    QTimer::singleShot(0, [&] { TestInput::PressKey(edit, VK_ESCAPE); });
    EXPECT_EQ(dlg.ShowModal(), mrCancel);
}

TEST_F(TShownForm, LabelSizesToItsTextAndPaintsIt)
{
    form->SetColor(clWhite);
    auto* l = Add<TLabel>(10, 10);
    l->SetCaption(QStringLiteral("Set Communication"));
    const Integer w1 = l->Width();
    EXPECT_GT(w1, 40);
    EXPECT_GT(l->Height(), 8);
    l->SetCaption(QStringLiteral("Set Communication parameters"));
    EXPECT_GT(l->Width(), w1);
    const QImage img = GrabControl(l);
    EXPECT_GT(DarkPixels(img), 20);
    EXPECT_EQ(img.pixelColor(img.width() - 1, 0), QColor(255, 255, 255));

    auto* r = Add<TLabel>(0, 40);
    r->SetAutoSize(false);
    r->SetBounds(100, 40, 200, 20);
    r->SetAlignment(taRightJustify);
    r->SetAutoSize(true);
    r->SetCaption(QStringLiteral("x"));
    EXPECT_EQ(r->Left() + r->Width(), 300);
}

// A label on a window that was never shown sizes itself when its bounds are
// read. Whether they are read after every change or only at the end, each
// sequence of changes must leave the same bounds.
TEST(Label, SizeIsTheSameWhenReadLateAsWhenReadAtOnce)
{
    using TStep = std::function<void(TLabel*)>;
    const auto caption = [](const char* t) { return TStep([t](TLabel* l) { l->SetCaption(QString::fromLatin1(t)); }); };
    const TStep bounds = [](TLabel* l) { l->SetBounds(30, 12, 90, 20); };
    const TStep right = [](TLabel* l) { l->SetAlignment(taRightJustify); };
    const TStep left = [](TLabel* l) { l->SetAlignment(taLeftJustify); };
    const TStep wrap = [](TLabel* l) { l->SetWordWrap(true); };
    const TStep fixed = [](TLabel* l) { l->SetAutoSize(false); };
    const TStep sized = [](TLabel* l) { l->SetAutoSize(true); };
    const TStep bold = [](TLabel* l) { l->Font()->SetStyle(fsBold); };
    const TStep big = [](TLabel* l) { l->Font()->SetSize(16); };
    const TStep moved = [](TLabel* l) { l->SetLeft(50); };
    const TStep noAccel = [](TLabel* l) { l->SetShowAccelChar(false); };
    const std::vector<std::vector<TStep>> cases = {
        {caption("Set Communication"), bold},
        {bounds, caption("Port"), big},
        {caption("Port"), bounds},                          // explicit bounds win
        {right, bounds, caption("Address"), caption("Address of the node")},
        {bounds, caption("Address of the node"), right},    // right edge kept under the old alignment
        {right, bounds, caption("x"), moved, caption("a longer text")},
        {caption("A long caption that wraps somewhere"), wrap},
        {bounds, wrap, caption("A long caption that wraps somewhere in two")},
        {caption("Measured once"), fixed, caption("Then a much longer caption")},
        {fixed, bounds, caption("Not sized"), sized},
        {caption("&Accel && more"), noAccel},
        {right, bounds, caption("Two\nlines"), left, caption("Two\nlines, longer")},
    };
    TForm form(nullptr);
    for (size_t i = 0; i < cases.size(); ++i) {
        auto* eager = new TLabel(&form);
        auto* lazy = new TLabel(&form);
        eager->SetParent(&form);
        lazy->SetParent(&form);
        for (const TStep& step : cases[i]) {
            step(eager);
            (void)eager->BoundsRect();
            step(lazy);
        }
        const TRect e = eager->BoundsRect();
        const TRect z = lazy->BoundsRect();
        EXPECT_EQ(z.Left, e.Left) << "case " << i;
        EXPECT_EQ(z.Top, e.Top) << "case " << i;
        EXPECT_EQ(z.Width(), e.Width()) << "case " << i;
        EXPECT_EQ(z.Height(), e.Height()) << "case " << i;
    }
    // And the size is the text's: a longer caption is wider, a second line taller.
    auto* l = new TLabel(&form);
    l->SetParent(&form);
    l->SetCaption(QStringLiteral("Port"));
    const Integer w = l->Width(), h = l->Height();
    l->SetCaption(QStringLiteral("Port number"));
    EXPECT_GT(l->Width(), w);
    l->SetCaption(QStringLiteral("Port\nnumber"));
    EXPECT_GT(l->Height(), h);
}

TEST_F(TShownForm, PanelShapeAndImagePaintTheirColours)
{
    form->SetColor(clWhite);
    auto* p = Add<TPanel>(10, 10);
    p->SetBounds(10, 10, 120, 40);
    p->SetColor(RGB(248, 247, 237));
    p->SetCaption(QStringLiteral("Panel"));
    QImage img = GrabControl(p);
    EXPECT_EQ(img.pixelColor(5, 20), QColor(248, 247, 237));
    EXPECT_NE(img.pixelColor(0, 0), QColor(248, 247, 237));  // the raised bevel
    EXPECT_GT(DarkPixels(img), 10);

    auto* s = Add<TShape>(150, 10);
    s->SetBounds(150, 10, 60, 30);
    s->Pen()->SetColor(clSilver);
    s->Brush()->SetStyle(bsClear);
    img = GrabControl(s);
    EXPECT_EQ(img.pixelColor(0, 15), QColor(192, 192, 192));
    EXPECT_EQ(img.pixelColor(30, 15), QColor(255, 255, 255));
    s->Brush()->SetStyle(bsSolid);
    s->Brush()->SetColor(clRed);
    EXPECT_EQ(GrabControl(s).pixelColor(30, 15), QColor(255, 0, 0));

    auto* im = Add<TImage>(220, 10);
    im->SetBounds(220, 10, 20, 20);
    TBitmap bmp;
    bmp.SetSize(10, 10);
    bmp.Canvas()->Brush()->SetColor(clBlue);
    bmp.Canvas()->FillRect(Rect(0, 0, 10, 10));
    im->Picture()->Assign(&bmp);
    img = GrabControl(im);
    EXPECT_EQ(img.pixelColor(5, 5), QColor(0, 0, 255));
    EXPECT_EQ(img.pixelColor(15, 15), QColor(255, 255, 255));
    im->SetStretch(true);
    EXPECT_EQ(GrabControl(im).pixelColor(15, 15), QColor(0, 0, 255));
    testsupport::SaveScreenshot(GrabControl(form), QStringLiteral("TPanel-TShape-TImage"));
}

TEST_F(TShownForm, PageControlShowsOnePageAndSkipsHiddenTabs)
{
    auto* pc = Add<TPageControl>(0, 0);
    pc->SetBounds(0, 0, 300, 200);
    auto* a = new TTabSheet(form);
    a->SetCaption(QStringLiteral("Nodes"));
    a->SetPageControl(pc);
    auto* b = new TTabSheet(form);
    b->SetCaption(QStringLiteral("Variables"));
    b->SetPageControl(pc);
    auto* c = new TTabSheet(form);
    c->SetCaption(QStringLiteral("Hidden"));
    c->SetParent(pc);
    EXPECT_EQ(pc->PageCount(), 3);
    EXPECT_EQ(pc->ActivePage(), a);
    EXPECT_TRUE(a->Visible());
    EXPECT_FALSE(b->Visible());
    EXPECT_EQ(a->BoundsRect(), pc->DisplayRect());
    c->SetTabVisible(false);
    EXPECT_EQ(c->TabIndex(), -1);
    EXPECT_EQ(pc->FindNextPage(b, true, true), a);

    bool allow = false;
    int changes = 0;
    pc->OnChanging = [&](TObject*, bool& ok) { ok = allow; };
    pc->OnChange = [&](TObject*) { ++changes; };
    pc->SelectNextPage(true);
    EXPECT_EQ(pc->ActivePage(), a);
    allow = true;
    pc->SelectNextPage(true);
    EXPECT_EQ(pc->ActivePage(), b);
    EXPECT_EQ(changes, 1);
    pc->SetActivePage(c);
    EXPECT_EQ(pc->ActivePageIndex(), 2);
    c->SetTabVisible(true);
    delete b;
    EXPECT_EQ(pc->PageCount(), 2);
    testsupport::SaveScreenshot(GrabControl(pc), QStringLiteral("TPageControl"));
}

TEST_F(TShownForm, ListBoxSelectsByClickAndByCode)
{
    auto* lb = Add<TListBox>(10, 10);
    lb->Items()->SetText(QStringLiteral("English\nItaliano\nDeutsch"));
    int clicks = 0;
    lb->OnClick = [&](TObject*) { ++clicks; };
    lb->SetItemIndex(2);
    EXPECT_EQ(clicks, 0);
    EXPECT_TRUE(lb->Selected(2));
    const Integer row = lb->ItemHeight();
    TestInput::Click(lb, {10, row / 2 + 2});
    EXPECT_EQ(lb->ItemIndex(), 0);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(lb->ItemAtPos({10, row + row / 2 + 2}), 1);
}

TEST(MaskEdit, EngineFormatsChecksAndStripsText)
{
    struct TCase {
        const char* mask;
        const char* text;
        const char* editText;
        const char* back;
        bool valid;
    };
    const TCase cases[] = {
        {"!99/99/0000;1;_", "12/05/2024", "12/05/2024", "12/05/2024", true},
        {"!99/99/0000;1;_", "12/05", "12/05/____", "12/05/    ", false},
        {"000.000;0;_", "123456", "123.456", "123456", true},
        {">LL-00;1;_", "ab-12", "AB-12", "AB-12", true},
        {">LL-00;1;_", "a1-12", "A_-12", "A -12", false},
        {"\\A00;1;*", "A42", "A42", "A42", true},
    };
    for (const TCase& c : cases) {
        const TEditMask m(QString::fromUtf8(c.mask));
        const QString edit = m.EditTextFor(QString::fromUtf8(c.text));
        EXPECT_EQ(edit, QString::fromUtf8(c.editText)) << c.mask;
        EXPECT_EQ(m.TextFor(edit), QString::fromUtf8(c.back)) << c.mask;
        EXPECT_EQ(m.FirstInvalid(edit) < 0, c.valid) << c.mask;
    }
}

TEST_F(TShownForm, MaskEditTypesIntoTheMaskAndValidates)
{
    auto* e = Add<TMaskEdit>(10, 10);
    e->SetEditMask(QStringLiteral("000.000.000.000;1;_"));
    EXPECT_EQ(e->EditText(), QStringLiteral("___.___.___.___"));
    e->SetFocus();
    e->SetSelStart(0);
    TestInput::TypeText(e, QStringLiteral("19x2168"));
    EXPECT_EQ(e->EditText(), QStringLiteral("192.168.___.___"));
    EXPECT_THROW(e->ValidateEdit(), EDBEditError);
    TestInput::TypeText(e, QStringLiteral("002205"));
    EXPECT_NO_THROW(e->ValidateEdit());
    EXPECT_EQ(e->Text(), QStringLiteral("192.168.002.205"));
    TestInput::PressKey(e, VK_BACK);
    EXPECT_EQ(e->EditText(), QStringLiteral("192.168.002.20_"));
}

TEST_F(TShownForm, CategoryPanelsStackWithoutGapsAndScrollByLines)
{
    auto* g = Add<TCategoryPanelGroup>(0, 0);
    g->SetBounds(0, 0, 300, 200);
    EXPECT_EQ(g->HeaderHeight(), 24);
    std::vector<TCategoryPanel*> panels;
    for (int i = 0; i < 4; ++i) {
        auto* p = new TCategoryPanel(form);
        p->SetParent(g);
        p->SetCaption(QStringLiteral("%1. Panel").arg(i + 1));
        p->SetBounds(0, i * 1000, 200, 100 + i * 10);
        panels.push_back(p);
    }
    EXPECT_EQ(panels[0]->Top(), 0);
    EXPECT_EQ(panels[1]->Top(), 100);
    EXPECT_EQ(panels[2]->Top(), 210);
    EXPECT_EQ(panels[3]->Top(), 330);
    EXPECT_EQ(panels[1]->ClientRect(), Rect(0, 0, panels[1]->Width(), 86));
    panels[1]->SetVisible(false);
    EXPECT_EQ(panels[2]->Top(), 100);
    panels[1]->SetVisible(true);
    EXPECT_EQ(panels[2]->Top(), 210);
    // A control in a panel lies below its header.
    auto* e = new TEdit(form);
    e->SetParent(panels[0]);
    e->SetBounds(191, 9, 100, 21);
    EXPECT_EQ(e->ClientToScreen({0, 0}).Y - panels[0]->ClientToScreen({0, 0}).Y, 9);
    EXPECT_EQ(panels[0]->ClientToScreen({0, 0}).Y - g->ClientToScreen({0, 0}).Y, 24);

    EXPECT_EQ(g->VertScrollBar()->Position(), 0);
    g->Perform(WM_VSCROLL, SB_LINEDOWN);
    g->Perform(WM_VSCROLL, SB_ENDSCROLL);
    EXPECT_EQ(g->VertScrollBar()->Position(), g->VertScrollBar()->Increment());
    g->Perform(WM_VSCROLL, SB_LINEUP);
    g->Perform(WM_VSCROLL, SB_LINEUP);
    EXPECT_EQ(g->VertScrollBar()->Position(), 0);
    g->Perform(WM_VSCROLL, SB_BOTTOM);
    EXPECT_EQ(g->VertScrollBar()->Position(), g->VertScrollBar()->MaxPosition());
    EXPECT_GT(g->VertScrollBar()->MaxPosition(), 0);
    panels[3]->SetCollapsed(true);
    EXPECT_EQ(panels[3]->Height(), 24);
    panels[3]->SetCollapsed(false);
    EXPECT_EQ(panels[3]->Height(), 130);
    g->Perform(WM_VSCROLL, SB_TOP);
    testsupport::SaveScreenshot(GrabControl(g), QStringLiteral("TCategoryPanelGroup"));
}

TEST_F(TShownForm, HiddenCategoryPanelKeepsItsPlaceInTheStack)
{
    auto* g = Add<TCategoryPanelGroup>(0, 0);
    g->SetBounds(0, 0, 300, 200);
    std::vector<TCategoryPanel*> panels;
    for (int i = 0; i < 3; ++i) {
        auto* p = new TCategoryPanel(form);
        p->SetParent(g);
        p->SetBounds(0, i * 100, 200, 100);
        panels.push_back(p);
    }
    // The last one hidden, the first grows past its old place: shown again,
    // it still comes last.
    panels[2]->SetVisible(false);
    panels[0]->SetHeight(250);
    EXPECT_EQ(panels[1]->Top(), 250);
    panels[2]->SetVisible(true);
    EXPECT_EQ(g->Panels(), panels);
    EXPECT_EQ(panels[2]->Top(), 350);
    // One in the middle hidden and shown again keeps its place too.
    panels[1]->SetVisible(false);
    EXPECT_EQ(panels[2]->Top(), 250);
    panels[1]->SetVisible(true);
    EXPECT_EQ(g->Panels(), panels);
    EXPECT_EQ(panels[2]->Top(), 350);
}

TEST_F(TShownForm, TrackBarAndScrollBarKeepTheirRanges)
{
    auto* t = Add<TTrackBar>(10, 10);
    int changes = 0;
    t->OnChange = [&](TObject*) { ++changes; };
    t->SetMax(5);
    t->SetPosition(9);
    EXPECT_EQ(t->Position(), 5);
    EXPECT_EQ(changes, 1);
    TestInput::PressKey(t, VK_LEFT);
    EXPECT_EQ(t->Position(), 4);
    EXPECT_EQ(changes, 2);

    auto* sb = Add<TScrollBar>(10, 80);
    sb->SetParams(150, 0, 100);
    EXPECT_EQ(sb->Position(), 100);
    TScrollCode last = scEndScroll;
    sb->OnScroll = [&](TObject*, TScrollCode code, Integer&) { last = code; };
    int sbChanges = 0;
    sb->OnChange = [&](TObject*) { ++sbChanges; };
    TestInput::PressKey(sb, VK_HOME);
    EXPECT_EQ(last, scTop);
    EXPECT_EQ(sb->Position(), 0);
    EXPECT_EQ(sbChanges, 1);
}

TEST_F(TShownForm, TimerTicksWhileTheLoopRuns)
{
    TTimer timer(nullptr);
    timer.SetInterval(5);
    int ticks = 0;
    timer.OnTimer = [&](TObject*) {
        if (++ticks == 2)
            timer.SetEnabled(false);
    };
    QElapsedTimer t;
    t.start();
    while (timer.Enabled() && t.elapsed() < 5000)
        Application->ProcessMessages();
    EXPECT_EQ(ticks, 2);
}

TEST_F(TShownForm, PopupMenuOnRightClickRunsTheChosenItem)
{
    auto* p = Add<TPanel>(10, 10);
    auto* menu = new TPopupMenu(form);
    auto* item = new TMenuItem(menu);
    item->SetCaption(QStringLiteral("Scan Cyclic"));
    menu->Items()->Add(item);
    int clicks = 0;
    item->OnClick = [&](TObject*) { ++clicks; };
    p->SetPopupMenu(menu);
    PopupSeam::QueueChoice(QStringLiteral("Scan Cyclic"));
    p->Perform(WM_CONTEXTMENU, 0, PointToLParam(p->ClientToScreen({5, 5})));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(PopupSeam::LastShown(), menu);
    EXPECT_EQ(menu->PopupComponent(), p);
    delete menu;
    EXPECT_EQ(p->PopupMenu(), nullptr);
}

TEST_F(TShownForm, LinkLabelReportsTheClickedLink)
{
    auto* l = Add<TLinkLabel>(10, 10);
    l->SetCaption(QStringLiteral("<a href=\"http://example.invalid/Home/download/download.asp#HD59D16\">New Version Available</a>"));
    l->SetBounds(10, 10, 300, 20);
    QString link;
    l->OnLinkClick = [&](TObject*, const QString& target, TSysLinkType type) {
        link = target;
        EXPECT_EQ(type, sltURL);
    };
    TestInput::Click(l, {20, 8});
    EXPECT_EQ(link, QStringLiteral("http://example.invalid/Home/download/download.asp#HD59D16"));
}

// A hint window of the program's own, put in place of the standard one.
class TTestHint : public THintWindow {
public:
    using THintWindow::THintWindow;
    static int shown;
    void ActivateHint(const TRect& Rect, const QString& AHint) override
    {
        ++shown;
        THintWindow::ActivateHint(Rect, AHint);
    }
};
int TTestHint::shown = 0;

TEST_F(TShownForm, HintShowsAfterThePauseInTheApplicationsHintWindow)
{
    auto* b = Add<TPanel>(10, 10);
    b->SetHint(QStringLiteral("Open the options|long text"));
    b->SetShowHint(true);
    const THintWindowClass saved = HintWindowClass;
    HintWindowClass = &HintWindowClassOf<TTestHint>;
    Application->SetHintPause(10);
    TestInput::MouseMove(b, {5, 5});
    EXPECT_EQ(Application->CurrentHintWindow(), nullptr);
    QElapsedTimer t;
    t.start();
    while (Application->CurrentHintWindow() == nullptr && t.elapsed() < 5000)
        Application->ProcessMessages();
    THintWindow* hw = Application->CurrentHintWindow();
    ASSERT_NE(hw, nullptr);
    EXPECT_NE(dynamic_cast<TTestHint*>(hw), nullptr);
    EXPECT_EQ(TTestHint::shown, 1);
    EXPECT_EQ(hw->Caption(), QStringLiteral("Open the options"));
    EXPECT_TRUE(hw->IsShowing());
    testsupport::SaveScreenshot(GrabControl(hw), QStringLiteral("THintWindow"));
    // A click withdraws it.
    TestInput::MouseDown(b, mbLeft, {5, 5});
    EXPECT_EQ(Application->CurrentHintWindow(), nullptr);
    TestInput::MouseUp(b, mbLeft, {5, 5});
    Application->CancelHint();
    HintWindowClass = saved;
    Application->SetHintPause(500);
}

} // namespace

namespace {

TEST_F(TShownForm, MemoLinesAndTextStayInStep)
{
    auto* m = Add<TMemo>(10, 10);
    int changes = 0;
    m->OnChange = [&](TObject*) { ++changes; };
    m->Lines()->Add(QStringLiteral("first"));
    m->Lines()->Add(QStringLiteral("second"));
    // The text keeps the platform's line breaks.
    EXPECT_EQ(m->Text(), QStringLiteral("first\r\nsecond"));
    EXPECT_EQ(changes, 2);
    TestInput::PressKey(m, VK_END, ssCtrl);
    TestInput::PressKey(m, VK_RETURN, {}, QStringLiteral("\r"));
    TestInput::TypeText(m, QStringLiteral("third"));
    ASSERT_EQ(m->Lines()->Count(), 3);
    EXPECT_EQ(m->Lines()->Strings(2), QStringLiteral("third"));
    // Enter in a memo is a new line, not the form's default button.
    EXPECT_EQ(m->Perform(WM_GETDLGCODE) & DLGC_WANTALLKEYS, DLGC_WANTALLKEYS);
}

TEST_F(TShownForm, GroupBoxHoldsItsControlsBelowTheCaption)
{
    auto* g = Add<TGroupBox>(10, 10);
    g->SetCaption(QStringLiteral("Ethernet"));
    auto* inner = new TPanel(form);
    inner->SetParent(g);
    inner->SetAlign(alClient);
    EXPECT_GT(inner->Top(), 5);
    EXPECT_LT(inner->Height(), g->Height());
    EXPECT_EQ(inner->ClientToScreen({0, 0}).X - g->ClientToScreen({0, 0}).X, inner->Left());
}

TEST(Screen, SizeAndCursor)
{
    EXPECT_GT(Screen->Width(), 0);
    EXPECT_GT(Screen->Height(), 0);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), Screen->Width());
    EXPECT_EQ(GetSystemMetrics(SM_CXVSCROLL), 17);
    Screen->SetCursor(crHourGlass);
    EXPECT_EQ(Screen->Cursor(), crHourGlass);
    Screen->SetCursor(crDefault);
    EXPECT_EQ(Screen->Cursor(), crDefault);
}

} // namespace

namespace {

TEST_F(TShownForm, EditAnswersTheEditMessages)
{
    auto* e = Add<TEdit>(10, 10);
    e->SetText(QStringLiteral("0123456789"));
    e->Perform(EM_SETSEL, 2, 5);
    EXPECT_EQ(e->SelText(), QStringLiteral("234"));
    Integer start = -1, end = -1;
    e->Perform(EM_GETSEL, WPARAM(&start), LPARAM(&end));
    EXPECT_EQ(start, 2);
    EXPECT_EQ(end, 5);
    e->Perform(EM_SETSEL, 0, -1);
    EXPECT_EQ(e->SelLength(), 10);
    // A text rectangle that leaves room at the right (for an embedded button).
    const TRect text(0, 0, e->ClientWidth() - 20, e->ClientHeight());
    e->Perform(EM_SETRECTNP, 0, LPARAM(&text));
    TRect back;
    e->Perform(EM_GETRECT, 0, LPARAM(&back));
    EXPECT_EQ(back, text);
    const Integer x3 = LOWORD(e->Perform(EM_POSFROMCHAR, 3));
    EXPECT_GT(x3, LOWORD(e->Perform(EM_POSFROMCHAR, 1)));
    EXPECT_EQ(e->Perform(EM_CHARFROMPOS, 0, MAKELPARAM(Word(x3 + 1), 5)), 3);
    e->Perform(EM_SETREADONLY, 1);
    EXPECT_TRUE(e->ReadOnly());
}

} // namespace

namespace {

TEST_F(TShownForm, SpeedButtonsClickAndKeepAGroupDown)
{
    form->SetColor(clWhite);
    auto* a = Add<TSpeedButton>(10, 10);
    auto* b = Add<TSpeedButton>(40, 10);
    int clicks = 0;
    a->OnClick = [&](TObject*) { ++clicks; };
    TestInput::Click(a, {5, 5});
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(a->Down());
    // Released outside: no click.
    TestInput::MouseDown(a, mbLeft, {5, 5});
    EXPECT_EQ(a->State(), bsDown);
    TestInput::MouseUp(a, mbLeft, {100, 5});
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(a->State(), bsUp);

    a->SetGroupIndex(1);
    b->SetGroupIndex(1);
    TestInput::Click(a, {5, 5});
    EXPECT_TRUE(a->Down());
    TestInput::Click(b, {5, 5});
    EXPECT_TRUE(b->Down());
    EXPECT_FALSE(a->Down());
    TestInput::Click(b, {5, 5});
    EXPECT_TRUE(b->Down());  // one of the group stays down
    b->SetAllowAllUp(true);
    TestInput::Click(b, {5, 5});
    EXPECT_FALSE(b->Down());
}

TEST_F(TShownForm, SpeedButtonDrawsItsGlyphTransparentlyAndFlatOnlyWhenHot)
{
    form->SetColor(clWhite);
    auto* s = Add<TSpeedButton>(10, 10);
    s->SetBounds(10, 10, 30, 30);
    TBitmap glyph;
    glyph.SetSize(20, 10);  // two 10 x 10 cells: normal, disabled
    glyph.Canvas()->Brush()->SetColor(clFuchsia);
    glyph.Canvas()->FillRect(Rect(0, 0, 20, 10));
    glyph.Canvas()->Brush()->SetColor(clBlue);
    glyph.Canvas()->FillRect(Rect(2, 2, 8, 8));
    glyph.Canvas()->Brush()->SetColor(clGray);
    glyph.Canvas()->FillRect(Rect(12, 2, 18, 8));
    s->SetGlyph(&glyph);
    EXPECT_EQ(s->NumGlyphs(), 2);
    QImage img = GrabControl(s);
    EXPECT_EQ(img.pixelColor(15, 15), QColor(0, 0, 255));
    EXPECT_NE(img.pixelColor(10, 10), QColor(255, 0, 255));  // the cell's corner colour is left out
    s->SetEnabled(false);
    EXPECT_EQ(GrabControl(s).pixelColor(15, 15), QColor(128, 128, 128));
    s->SetEnabled(true);

    s->SetFlat(true);
    const QImage flat = GrabControl(s);
    EXPECT_EQ(flat.pixelColor(0, 0), QColor(255, 255, 255));  // no edge while the mouse is away
    TestInput::MouseEnter(s);
    EXPECT_NE(GrabControl(s).pixelColor(0, 0), QColor(255, 255, 255));
    TestInput::MouseLeave(s);
    EXPECT_EQ(GrabControl(s), flat);
}

} // namespace
