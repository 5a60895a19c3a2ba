// The push button: presets and kinds, the face painting in pixels, clicks by
// mouse and keys with the modal result, default and cancel keys in a modal
// form, hover colour, the eight-step fade on its own thread and the end of
// that thread when a button goes mid-fade.
#include <gtest/gtest.h>
#include "QtPrint.h"

#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QThread>
#include <QTimer>

#include "Screenshot.h"
#include "controls/FxButton.h"
#include "controls/FxButtons.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/Form.h"
#include "platform/Menus.h"
#include "platform/TestHooks.h"

namespace {

QColor Q(TColor c)
{
    c = ColorToRGB(c);
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

// The windows' own button settings.
void WindowLook(TFxButton* b)
{
    b->SetStyle(bsEncarta);
    b->SetColor(RGB(248, 247, 237));
    b->SetColorWhenDown(RGB(255, 128, 0));
    b->SetHotTrackColor(RGB(255, 255, 0));
    b->SetLightColor(RGB(128, 128, 128));
    b->SetParentColor(false);
}

// A form with one button on it, shown.
struct TButtonForm {
    TForm form{nullptr};
    TFxButton* button;
    explicit TButtonForm(bool show = true)
    {
        form.SetClientSize(220, 120);
        button = new TFxButton(&form);
        button->SetParent(&form);
        button->SetBounds(10, 10, 100, 23);
        button->SetCaption(QStringLiteral("OK"));
        if (show)
            form.Show();
    }
};

// Pumps events until pred holds or ms pass.
template <class P>
bool WaitFor(P pred, int ms = 2000)
{
    QElapsedTimer t;
    t.start();
    while (!pred()) {
        if (t.elapsed() > ms)
            return false;
        Application->ProcessMessages();
        QThread::msleep(1);
    }
    return true;
}

// One face drawn into a bitmap of its size.
QImage Face(const TFxButtonFace& f)
{
    TBitmap bmp(f.W, f.H);
    bmp.Canvas()->Brush()->SetColor(FxTransparentColor);
    bmp.Canvas()->FillRect(TRect(0, 0, f.W, f.H));
    DrawFxButtonFace(bmp.Canvas(), f);
    return bmp.Image();
}

TFxButtonFace WindowFace(TFont* font, const QString& caption = QStringLiteral("OK"))
{
    TFxButtonFace f;
    f.W = 100;
    f.H = 23;
    f.Style = bsEncarta;
    f.Color = RGB(248, 247, 237);
    f.ColorWhenDown = RGB(255, 128, 0);
    f.HotTrackColor = RGB(255, 255, 0);
    f.LightColor = RGB(128, 128, 128);
    f.ShadowColor = RGB(128, 128, 128);
    f.Font = font;
    f.Caption = caption;
    return f;
}

// Leftmost and rightmost columns holding a pixel of colour c in the rows given.
std::pair<int, int> ColumnsOf(const QImage& img, QColor c, int y0, int y1)
{
    int lo = -1, hi = -1;
    for (int x = 0; x < img.width(); ++x)
        for (int y = y0; y < y1; ++y)
            if (img.pixelColor(x, y) == c) {
                if (lo < 0)
                    lo = x;
                hi = x;
            }
    return {lo, hi};
}

int RowOfFirst(const QImage& img, QColor c)
{
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixelColor(x, y) == c)
                return y;
    return -1;
}

// ------------------------------------------------------------ presets, kinds, glyphs

TEST(FxButton, ColourPresetsApplyTheirRowAndReadBackCustom)
{
    struct Row {
        TFxColorStyle style;
        TColor color, light, shadow, down, hot, font;
        bool flat;
        TFxButtonStyle drawStyle;
    };
    const Row rows[] = {
        {lcsGold, RGB(192, 192, 0), RGB(255, 255, 0), RGB(128, 128, 0), clNone, RGB(223, 223, 0), RGB(0, 0, 0), false, bsModern},
        {lcsAqua, RGB(148, 206, 236), RGB(212, 230, 252), RGB(0, 0, 0), clNone, clNone, RGB(0, 0, 0), false, bsModern},
        {lcsUltraFlat2, clBtnFace, RGB(0, 0, 0), RGB(0, 0, 0), RGB(188, 218, 36), RGB(228, 246, 140), RGB(0, 0, 0), true, bsNormal},
        {lcsUltraFlatXP, RGB(219, 216, 209), RGB(132, 146, 181), RGB(133, 146, 181), RGB(133, 146, 181), RGB(182, 189, 210), RGB(0, 0, 0), true, bsNormal},
        {lcsDefault, clBtnFace, RGB(255, 255, 255), RGB(128, 128, 128), clNone, clNone, RGB(0, 0, 0), false, bsNormal},
        {lcsQuicken, RGB(0, 48, 96), RGB(192, 192, 192), RGB(192, 192, 192), RGB(41, 101, 173), RGB(156, 174, 206), RGB(255, 255, 255), false, bsQuicken},
    };
    for (const Row& r : rows) {
        TFxButton b(nullptr);
        b.SetStyle(bsShape);
        b.SetColorStyle(r.style);
        SCOPED_TRACE(int(r.style));
        EXPECT_EQ(b.Color(), r.color);
        EXPECT_EQ(b.LightColor(), r.light);
        EXPECT_EQ(b.ShadowColor(), r.shadow);
        EXPECT_EQ(b.ColorWhenDown(), r.down);
        EXPECT_EQ(b.HotTrackColor(), r.hot);
        EXPECT_EQ(b.Font()->Color(), r.font);
        EXPECT_EQ(b.Flat(), r.flat);
        EXPECT_EQ(b.Style(), r.drawStyle);
        EXPECT_EQ(b.ColorStyle(), lcsCustom);
    }
    // lcsCustom leaves everything as it was.
    TFxButton b(nullptr);
    WindowLook(&b);
    b.SetColorStyle(lcsCustom);
    EXPECT_EQ(b.Color(), RGB(248, 247, 237));
    EXPECT_EQ(b.Style(), bsEncarta);
    EXPECT_EQ(b.HotTrackColor(), RGB(255, 255, 0));
}

TEST(FxButton, GlyphSetsTheCellCountAndKindsSetCaptionResultAndGlyph)
{
    TFxButton b(nullptr);
    TBitmap strip(64, 16);
    b.SetKind(bkOK);
    b.SetGlyph(&strip);
    EXPECT_EQ(b.NumGlyphs(), 4);
    EXPECT_EQ(b.Kind(), bkCustom);
    b.SetGlyph(nullptr);
    EXPECT_EQ(b.NumGlyphs(), 0);
    EXPECT_EQ(b.Glyph()->Height(), 0);

    struct Row {
        TFxButtonKind kind;
        const char16_t* caption;
        Integer result;
    };
    const Row rows[] = {{bkOK, u"OK", 1}, {bkCancel, u"Abbrechen", 2}, {bkHelp, u"Hilfe", 0}, {bkYes, u"Ja", 6},
                        {bkNo, u"Nein", 7}, {bkClose, u"Schlie\u00dfen", 0}, {bkAbort, u"Abbrechen", 3},
                        {bkRetry, u"Wiederholen", 4}, {bkIgnore, u"Ignorieren", 5}, {bkAll, u"Alle", 12}};
    for (const Row& r : rows) {
        SCOPED_TRACE(int(r.kind));
        b.SetKind(r.kind);
        EXPECT_EQ(b.Caption(), QString::fromUtf16(r.caption));
        EXPECT_EQ(b.ModalResult(), r.result);
        EXPECT_EQ(b.NumGlyphs(), 2);
        EXPECT_EQ(b.Kind(), r.kind);
        EXPECT_EQ(b.Glyph()->Width(), 36);
        EXPECT_EQ(b.Glyph()->Height(), r.kind == bkAll ? 19 : 18);
    }
    // A modal result of its own makes the button custom and keeps the rest.
    b.SetKind(bkYes);
    b.SetModalResult(2);
    EXPECT_EQ(b.Kind(), bkCustom);
    EXPECT_EQ(b.Caption(), QStringLiteral("Ja"));
    EXPECT_EQ(b.NumGlyphs(), 2);
    EXPECT_FALSE(b.Glyph()->Empty());
}

// ------------------------------------------------------------ face painting

TEST(FxButtonFace, HoverBlendMixesByEighths)
{
    const TColor face = RGB(248, 247, 237), hot = RGB(255, 255, 0);
    EXPECT_EQ(BlendHotTrackColor(face, hot, 4), RGB(251, 251, 118));
    EXPECT_EQ(BlendHotTrackColor(face, hot, 8), hot);
    EXPECT_EQ(BlendHotTrackColor(face, hot, 0), face);
    EXPECT_EQ(BlendHotTrackColor(clBtnFace, clWhite, 0), ColorToRGB(clBtnFace));
}

TEST(FxButtonFace, EncartaTakesTheDownColourAndABoldCaptionWithoutShifting)
{
    TFont font;
    TFxButtonFace f = WindowFace(&font, QStringLiteral("Modify"));
    const QImage up = Face(f);
    EXPECT_EQ(up.pixelColor(50, 2), QColor(248, 247, 237));
    // Light edge top-left, shadow edge bottom-right (both grey here).
    EXPECT_EQ(up.pixelColor(0, 10), QColor(128, 128, 128));
    EXPECT_EQ(up.pixelColor(99, 10), QColor(128, 128, 128));
    f.Pressed = true;
    const QImage down = Face(f);
    EXPECT_EQ(down.pixelColor(50, 2), QColor(255, 128, 0));
    // Bold text is wider; it stays centred (no one-pixel press offset).
    const QColor ink = Q(font.Color());
    const auto a = ColumnsOf(up, ink, 0, 23);
    const auto b = ColumnsOf(down, ink, 0, 23);
    EXPECT_GT(b.second - b.first, a.second - a.first);
    EXPECT_NEAR((a.first + a.second) / 2.0, (b.first + b.second) / 2.0, 1.5);
    EXPECT_EQ(RowOfFirst(up, ink), RowOfFirst(down, ink));

    // The other styles shift the caption one pixel right and down.
    f.Style = bsNormal;
    f.Pressed = false;
    const QImage n0 = Face(f);
    f.Pressed = true;
    const QImage n1 = Face(f);
    EXPECT_EQ(ColumnsOf(n1, ink, 0, 23).first, ColumnsOf(n0, ink, 0, 23).first + 1);
    EXPECT_EQ(RowOfFirst(n1, ink), RowOfFirst(n0, ink) + 1);
    // Pressed normal style: shadow edge at the top-left.
    EXPECT_EQ(n1.pixelColor(0, 10), QColor(128, 128, 128));
}

TEST(FxButtonFace, DisabledFaceHasAGreyCaptionNoHoverAndNoPress)
{
    TFont font;
    font.SetColor(clBlack);
    TFxButtonFace f = WindowFace(&font, QStringLiteral("Delete"));
    f.Enabled = false;
    f.Pressed = true;
    f.HotTrackStep = 8;
    const QImage img = Face(f);
    EXPECT_EQ(img.pixelColor(50, 2), QColor(248, 247, 237));
    EXPECT_NE(ColumnsOf(img, QColor(128, 128, 128), 3, 20).first, -1);
    EXPECT_EQ(ColumnsOf(img, QColor(0, 0, 0), 0, 23).first, -1);
}

TEST(FxButtonFace, ModernGradientBandsAndTransparentCorners)
{
    TFont font;
    TFxButtonFace f;
    f.W = 100;
    f.H = 23;
    f.Style = bsModern;
    f.Color = RGB(0, 0, 0);
    f.LightColor = RGB(0, 0, 248);
    f.ShadowColor = RGB(0, 128, 0);
    f.Font = &font;
    const QImage img = Face(f);
    // Top band from LightColor to the face colour over rows 2..4, then back.
    EXPECT_EQ(img.pixelColor(50, 2).blue(), 248 - 248 * 10 / 31);
    EXPECT_LT(img.pixelColor(50, 4).blue(), img.pixelColor(50, 3).blue());
    EXPECT_LT(img.pixelColor(50, 6).blue(), 40);
    EXPECT_GT(img.pixelColor(50, 20).blue(), 200);
    EXPECT_LT(img.pixelColor(50, 19).blue(), img.pixelColor(50, 20).blue());
    // Inside it the outline in the face colour.
    EXPECT_EQ(img.pixelColor(50, 21), QColor(0, 0, 0));
    // The rounded outline in ShadowColor, the corner left transparent.
    EXPECT_EQ(img.pixelColor(50, 0), QColor(0, 128, 0));
    EXPECT_EQ(img.pixelColor(0, 0), QColor(255, 0, 255));
    // Pressed: the split row moves down by one.
    f.Pressed = true;
    const QImage down = Face(f);
    EXPECT_EQ(down.pixelColor(50, 5), img.pixelColor(50, 4));
}

TEST(FxButtonFace, GlyphCellFollowsTheState)
{
    // Solid cells of 10 x 10 in distinct colours, each with a white bottom-left corner.
    const QColor cells[] = {QColor(255, 0, 0), QColor(0, 255, 0), QColor(0, 0, 255), QColor(0, 255, 255)};
    auto strip = [&](int num) {
        QImage img(num * 10, 10, QImage::Format_RGB32);
        for (int i = 0; i < num; ++i)
            for (int y = 0; y < 10; ++y)
                for (int x = 0; x < 10; ++x)
                    img.setPixel(i * 10 + x, y, x == 0 && y == 9 ? qRgb(255, 255, 255) : cells[i].rgb());
        return img;
    };
    TFont font;
    struct Row {
        int num;
        bool enabled, pressed, hot;
        int cell;
    };
    const Row rows[] = {{4, true, false, false, 0}, {4, false, false, false, 1}, {4, true, true, true, 2}, {4, true, false, true, 3},
                        {2, true, true, true, 0},   {3, true, false, true, 0},   {3, true, true, false, 2}, {2, false, false, false, 1}};
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << r.num << r.enabled << r.pressed << r.hot);
        TBitmap glyph;
        glyph.SetImage(strip(r.num));
        TFxButtonFace f = WindowFace(&font, QString());
        f.ColorWhenDown = clNone;
        f.Glyph = &glyph;
        f.NumGlyphs = r.num;
        f.Enabled = r.enabled;
        f.Pressed = r.pressed;
        f.Hot = r.hot;
        const QImage img = Face(f);
        // Centred glyph without caption: ((W - CW) div 2, (H - GH) div 2), plus the press offset.
        const int off = r.enabled && r.pressed ? 1 : 0;
        const int gx = 45 + off, gy = 6 + off;
        EXPECT_EQ(img.pixelColor(gx + 3, gy + 3), cells[r.cell]);
        // The cell's bottom-left colour is left out.
        EXPECT_EQ(img.pixelColor(gx, gy + 9), QColor(248, 247, 237));
    }
    // One cell only: a disabled button shows that cell.
    TBitmap one;
    one.SetImage(strip(1));
    TFxButtonFace f = WindowFace(&font, QString());
    f.Glyph = &one;
    f.NumGlyphs = 1;
    f.Enabled = false;
    EXPECT_EQ(Face(f).pixelColor(48, 9), cells[0]);
}

TEST(FxButtonFace, LongCaptionIsCutOrWrappedAndPopupArrowShows)
{
    TFont font;
    font.SetColor(clBlack);
    const QString text = QStringLiteral("A very long caption that cannot fit");
    TFxButtonFace f = WindowFace(&font, text);
    f.H = 40;
    const QImage cut = Face(f);
    f.WordWrap = true;
    const QImage wrapped = Face(f);
    const QColor ink(0, 0, 0);
    // Cut: one line inside W - 8; wrapped: more than one line.
    const auto cols = ColumnsOf(cut, ink, 0, 40);
    EXPECT_GE(cols.first, 4);
    EXPECT_LE(cols.second, 96);
    int cutRows = 0, wrapRows = 0;
    for (int y = 0; y < 40; ++y) {
        cutRows += ColumnsOf(cut, ink, y, y + 1).first >= 0;
        wrapRows += ColumnsOf(wrapped, ink, y, y + 1).first >= 0;
    }
    EXPECT_GT(wrapRows, cutRows + 4);

    f = WindowFace(&font, QString());
    f.HasPopupMenu = true;
    const QImage arrow = Face(f);
    // 5 x 3 black triangle at (W - 11, H div 2 - 1), white left out.
    EXPECT_EQ(arrow.pixelColor(89, 10), ink);
    EXPECT_EQ(arrow.pixelColor(93, 10), ink);
    EXPECT_EQ(arrow.pixelColor(91, 12), ink);
    EXPECT_EQ(arrow.pixelColor(89, 12), QColor(248, 247, 237));
}

// ------------------------------------------------------------ clicks and keys

TEST(FxButton, MouseClickRunsOnClickThenSetsTheModalResult)
{
    TButtonForm t;
    int clicks = 0;
    TModalResult seen = -1;
    t.button->SetModalResult(mrCancel);
    t.button->OnClick = [&](TObject* s) {
        EXPECT_EQ(s, t.button);
        seen = t.form.ModalResult();
        ++clicks;
    };
    TestInput::MouseDown(t.button, mbLeft, {50, 10});
    EXPECT_TRUE(t.button->Down());
    // Released outside the button, it still clicks.
    TestInput::MouseUp(t.button, mbLeft, {300, 300});
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(seen, mrNone);
    EXPECT_EQ(t.form.ModalResult(), mrCancel);
    EXPECT_FALSE(t.button->Down());
    // A right click does nothing; a disabled button does not click.
    TestInput::Click(t.button, {50, 10}, mbRight);
    t.button->SetEnabled(false);
    TestInput::Click(t.button, {50, 10});
    EXPECT_EQ(clicks, 1);
}

TEST(FxButton, SpaceAndEnterOnTheFocusedButtonClickOnceOnRelease)
{
    for (Word key : {VK_SPACE, VK_RETURN}) {
        TButtonForm t;
        int clicks = 0;
        t.button->SetModalResult(mrOk);
        t.button->OnClick = [&](TObject*) { ++clicks; };
        t.button->SetFocus();
        TestInput::KeyDown(t.button, key, {}, key == VK_SPACE ? QStringLiteral(" ") : QStringLiteral("\r"));
        EXPECT_TRUE(t.button->Down());
        EXPECT_EQ(clicks, 0);
        TestInput::KeyUp(t.button, key);
        EXPECT_EQ(clicks, 1) << key;
        EXPECT_EQ(t.form.ModalResult(), mrOk);
        EXPECT_FALSE(t.button->Down());
    }
}

TEST(FxButton, ModalFormEndsWithTheClickedButtonsResult)
{
    TButtonForm t(false);
    t.button->SetModalResult(mrCancel);
    int clicks = 0;
    t.button->OnClick = [&](TObject*) { ++clicks; };
    QTimer::singleShot(0, [&] { TestInput::Click(t.button); });
    EXPECT_EQ(t.form.ShowModal(), mrCancel);
    EXPECT_EQ(clicks, 1);
}

// A form with an edit-like control that has the focus and two buttons.
struct TDialogForm {
    TForm form{nullptr};
    TCustomControl* field;
    TFxButton* ok;
    TFxButton* cancel;
    int okClicks = 0, cancelClicks = 0;
    TDialogForm()
    {
        form.SetClientSize(240, 100);
        field = new TCustomControl(&form);
        field->SetParent(&form);
        field->SetBounds(10, 10, 100, 20);
        field->SetTabStop(true);
        ok = new TFxButton(&form);
        ok->SetParent(&form);
        ok->SetBounds(10, 60, 100, 23);
        ok->SetCaption(QStringLiteral("OK"));
        ok->SetDefault(true);
        ok->SetModalResult(mrOk);
        ok->OnClick = [this](TObject*) { ++okClicks; };
        cancel = new TFxButton(&form);
        cancel->SetParent(&form);
        cancel->SetBounds(120, 60, 100, 23);
        cancel->SetCaption(QStringLiteral("Cancel"));
        cancel->SetCancel(true);
        cancel->SetModalResult(mrCancel);
        cancel->OnClick = [this](TObject*) { ++cancelClicks; };
        form.SetActiveControl(field);
    }
};

TEST(FxButton, DefaultButtonAnswersEnterAndCancelButtonEscapeInAModalForm)
{
    {
        TDialogForm d;
        QTimer::singleShot(0, [&] { TestInput::PressKey(d.field, VK_RETURN, {}, QStringLiteral("\r")); });
        EXPECT_EQ(d.form.ShowModal(), mrOk);
        EXPECT_EQ(d.okClicks, 1);
        EXPECT_EQ(d.cancelClicks, 0);
    }
    {
        TDialogForm d;
        QTimer::singleShot(0, [&] { TestInput::PressKey(d.field, VK_ESCAPE, {}, QStringLiteral("\x1b")); });
        EXPECT_EQ(d.form.ShowModal(), mrCancel);
        EXPECT_EQ(d.cancelClicks, 1);
        EXPECT_EQ(d.okClicks, 0);
    }
}

TEST(FxButton, DialogKeysLeaveEnterToAFocusedButtonAndNeedAVisibleEnabledButton)
{
    TDialogForm d;
    d.form.Show();
    // With the Cancel button focused, Enter is not the default button's.
    d.form.SetActiveControl(d.cancel);
    EXPECT_EQ(d.ok->Perform(CM_DIALOGKEY, VK_RETURN), 0);
    EXPECT_EQ(d.okClicks, 0);
    // Escape still reaches the cancel button.
    EXPECT_EQ(d.cancel->Perform(CM_DIALOGKEY, VK_ESCAPE), 1);
    EXPECT_EQ(d.cancelClicks, 1);
    d.form.SetActiveControl(d.field);
    d.ok->SetEnabled(false);
    EXPECT_EQ(d.ok->Perform(CM_DIALOGKEY, VK_RETURN), 0);
    d.ok->SetEnabled(true);
    EXPECT_EQ(d.ok->Perform(CM_DIALOGKEY, VK_RETURN), 1);
    EXPECT_EQ(d.okClicks, 1);
    // The accelerator letter clicks too.
    d.ok->SetCaption(QStringLiteral("&Save"));
    EXPECT_EQ(d.ok->Perform(CM_DIALOGCHAR, 's'), 1);
    EXPECT_EQ(d.ok->Perform(CM_DIALOGCHAR, 'a'), 0);
    EXPECT_EQ(d.okClicks, 2);
}

TEST(FxButton, PopupMenuOpensBelowTheButtonAfterTheClick)
{
    TButtonForm t;
    TPopupMenu menu(nullptr);
    auto* item = new TMenuItem(&menu);
    item->SetCaption(QStringLiteral("Export"));
    menu.Items()->Add(item);
    int chosen = 0;
    item->OnClick = [&](TObject*) { ++chosen; };
    t.button->SetPopupMenu(&menu);
    PopupSeam::Clear();
    PopupSeam::QueueChoice(QStringLiteral("Export"));
    TestInput::Click(t.button);
    EXPECT_EQ(PopupSeam::LastShown(), &menu);
    EXPECT_EQ(PopupSeam::LastPoint(), t.button->ClientToScreen(TPoint(0, 23)));
    EXPECT_EQ(chosen, 1);
    PopupSeam::Clear();
}

// ------------------------------------------------------------ hover and fade

TEST(FxButton, HoverShowsTheHotTrackColourAtOnce)
{
    TButtonForm t;
    WindowLook(t.button);
    int enters = 0, exits = 0;
    t.button->OnMouseEnter = [&](TObject*) { ++enters; };
    t.button->OnMouseExit = [&](TObject*) { ++exits; };
    EXPECT_EQ(GrabControl(t.button).pixelColor(50, 2), QColor(248, 247, 237));
    TestInput::MouseEnter(t.button);
    EXPECT_EQ(t.button->HotTrackStep(), 8);
    EXPECT_EQ(GrabControl(t.button).pixelColor(50, 2), QColor(255, 255, 0));
    TestInput::MouseLeave(t.button);
    EXPECT_EQ(t.button->HotTrackStep(), 0);
    EXPECT_EQ(GrabControl(t.button).pixelColor(50, 2), QColor(248, 247, 237));
    EXPECT_EQ(enters, 1);
    EXPECT_EQ(exits, 1);
    // Without a hover colour the face stays as it is.
    t.button->SetHotTrackColor(clNone);
    TestInput::MouseEnter(t.button);
    EXPECT_EQ(GrabControl(t.button).pixelColor(50, 2), QColor(248, 247, 237));
    TestInput::MouseLeave(t.button);
}

// The focus ring follows the focus from button to button; the buttons the
// move leaves alone keep their face.
TEST(FxButton, FocusRingFollowsTheFocusedButton)
{
    TButtonForm t;
    auto* second = new TFxButton(&t.form);
    second->SetParent(&t.form);
    second->SetBounds(10, 50, 100, 23);
    second->SetCaption(QStringLiteral("OK"));
    auto* third = new TFxButton(&t.form);
    third->SetParent(&t.form);
    third->SetBounds(10, 80, 100, 23);
    third->SetCaption(QStringLiteral("OK"));
    Application->ProcessMessages();
    const QImage plain = GrabControl(third);  // never focused

    second->SetFocus();
    Application->ProcessMessages();
    const QImage ringed = GrabControl(second);
    EXPECT_NE(ringed, plain);
    EXPECT_EQ(GrabControl(t.button), plain);
    t.button->SetFocus();
    Application->ProcessMessages();
    EXPECT_EQ(GrabControl(t.button), ringed);
    EXPECT_EQ(GrabControl(second), plain);
    EXPECT_EQ(GrabControl(third), plain);
}

TEST(FxButton, SlowDeceaseFadesBackInEightStepsAndSuspendsTheThread)
{
    TButtonForm t;
    WindowLook(t.button);
    t.button->SetSlowDecease(true);
    ASSERT_NE(t.button->FadeThread(), nullptr);
    EXPECT_TRUE(t.button->FadeThread()->Suspended());
    TestInput::MouseEnter(t.button);
    TestInput::MouseLeave(t.button);
    EXPECT_EQ(t.button->HotTrackStep(), 8);
    EXPECT_FALSE(t.button->FadeThread()->Suspended());
    std::vector<int> steps;
    std::vector<QColor> faces;
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(WaitFor([&] {
        const int s = t.button->HotTrackStep();
        if (steps.empty() || steps.back() != s) {
            steps.push_back(s);
            faces.push_back(GrabControl(t.button).pixelColor(50, 2));
        }
        return s == 0;
    }));
    const qint64 ms = clock.elapsed();
    EXPECT_EQ(steps, (std::vector<int>{8, 7, 6, 5, 4, 3, 2, 1, 0}));
    for (size_t i = 0; i < steps.size(); ++i)
        EXPECT_EQ(faces[i], Q(BlendHotTrackColor(RGB(248, 247, 237), RGB(255, 255, 0), steps[i]))) << steps[i];
    // Eight ticks about 30 ms apart.
    EXPECT_GE(ms, 8 * 25);
    EXPECT_TRUE(WaitFor([&] { return t.button->FadeThread()->Suspended(); }, 500));
    // The thread stays suspended: no more steps come.
    QThread::msleep(80);
    Application->ProcessMessages();
    EXPECT_EQ(t.button->HotTrackStep(), 0);
    EXPECT_TRUE(t.button->FadeThread()->Suspended());
    // Switched off, the thread goes.
    t.button->SetSlowDecease(false);
    EXPECT_EQ(t.button->FadeThread(), nullptr);
}

TEST(FxButton, DestroyedMidFadeTheThreadEndsCleanly)
{
    for (int round = 0; round < 3; ++round) {
        auto* t = new TButtonForm;
        WindowLook(t->button);
        t->button->SetSlowDecease(true);
        TestInput::MouseEnter(t->button);
        TestInput::MouseLeave(t->button);
        ASSERT_TRUE(WaitFor([&] { return t->button->HotTrackStep() <= 8 - round - 1; }));
        // A step may be queued for the button at this very moment.
        QThread::msleep(35);
        delete t->button;
        // The queued step finds the button gone and does nothing.
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 80)
            Application->ProcessMessages();
        delete t;
    }
}

// ------------------------------------------------------------ screenshots

TEST(FxButton, ScreenshotOfEveryStyleNormalHoveredAndPressed)
{
    TForm form(nullptr);
    form.SetClientSize(350, 6 * 30 + 10);
    form.SetColor(RGB(236, 233, 216));
    const TFxButtonStyle styles[] = {bsNormal, bsEncarta, bsModern, bsOld, bsShape, bsQuicken};
    const char* names[] = {"normal", "encarta", "modern", "old", "shape", "quicken"};
    TFxButton* buttons[6][3];
    for (int s = 0; s < 6; ++s)
        for (int state = 0; state < 3; ++state) {
            auto* b = new TFxButton(&form);
            b->SetParent(&form);
            b->SetBounds(10 + state * 110, 10 + s * 30, 100, 23);
            WindowLook(b);
            b->SetStyle(styles[s]);
            if (styles[s] == bsModern)
                b->SetLightColor(clWhite);
            if (styles[s] == bsQuicken)
                b->SetColorStyle(lcsQuicken);
            b->SetCaption(QString::fromLatin1(names[s]) + (state == 0 ? "" : state == 1 ? " hot" : " down"));
            b->SetKind(state == 2 ? bkCancel : bkOK);
            b->SetCaption(QString::fromLatin1(names[s]) + (state == 0 ? "" : state == 1 ? " hot" : " down"));
            b->SetModalResult(0);
            buttons[s][state] = b;
        }
    form.Show();
    for (int s = 0; s < 6; ++s) {
        TestInput::MouseEnter(buttons[s][1]);
        TestInput::MouseDown(buttons[s][2], mbLeft, {50, 10});
    }
    const QImage shot = GrabControl(&form);
    EXPECT_FALSE(testsupport::SaveScreenshot(shot, QStringLiteral("TFxButton-styles")).isEmpty());
    // Encarta row: plain face, yellow when hot, orange when pressed.
    const int ey = 10 + 30 + 2;
    EXPECT_EQ(shot.pixelColor(10 + 50, ey), QColor(248, 247, 237));
    EXPECT_EQ(shot.pixelColor(120 + 50, ey), QColor(255, 255, 0));
    EXPECT_EQ(shot.pixelColor(230 + 50, ey), QColor(255, 128, 0));
    // The rounded styles leave their corners to the form.
    EXPECT_EQ(shot.pixelColor(10, 10 + 2 * 30), QColor(236, 233, 216));
    for (int s = 0; s < 6; ++s)
        TestInput::MouseUp(buttons[s][2], mbLeft, {50, 10});
}

} // namespace
