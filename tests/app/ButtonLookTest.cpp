// The windows' button look: every push button of every window made at
// start-up has the face, pressed, hover and edge colours of the program's
// windows, and the faces show them on screen.
#include "AppFixture.h"

#include "Screenshot.h"
#include "controls/FxButton.h"
#include "platform/Bitmap.h"
#include "platform/TestHooks.h"
#include "shell/ButtonLook.h"
#include "shell/UNew_Project.h"

#include <QImage>

namespace {

class ButtonLookTest : public AppTest {};

void Walk(TComponent* Owner, std::vector<TFxButton*>& Buttons)
{
    for (Integer i = 0; i < Owner->ComponentCount(); ++i) {
        TComponent* c = Owner->Components(i);
        if (auto* b = dynamic_cast<TFxButton*>(c))
            Buttons.push_back(b);
        Walk(c, Buttons);
    }
}

} // namespace

TEST_F(ButtonLookTest, EveryButtonOfEveryWindowHasTheWindowsFace)
{
    std::vector<TFxButton*> buttons;
    Walk(app.get(), buttons);
    ASSERT_GT(buttons.size(), 200u);
    const QStringList plain = {"Btn_Info", "Btn_Opz", "Btn_Close", "Btn_Prm_Gen"};
    Integer normal = 0;
    for (TFxButton* b : buttons) {
        const QString where = b->Owner()->Name() + u'.' + b->Name();
        const bool main_plain = b->Owner() == main && plain.contains(b->Name());
        normal += main_plain ? 1 : 0;
        EXPECT_EQ(b->Style(), main_plain ? bsNormal : bsEncarta) << where.toStdString();
        EXPECT_EQ(b->Color(), RGB(248, 247, 237)) << where.toStdString();
        EXPECT_EQ(b->ColorWhenDown(), RGB(255, 128, 0)) << where.toStdString();
        EXPECT_EQ(b->HotTrackColor(), RGB(255, 255, 0)) << where.toStdString();
        EXPECT_EQ(b->LightColor(), RGB(128, 128, 128)) << where.toStdString();
        EXPECT_FALSE(b->ParentColor()) << where.toStdString();
    }
    EXPECT_EQ(normal, 4);
    // The step buttons carry their text on the left, beside a glyph.
    EXPECT_EQ(main->Btn_New->Alignment(), taLeftJustify);
    EXPECT_FALSE(main->Btn_New->Glyph()->Empty());
}

TEST_F(ButtonLookTest, ADialogButtonShowsItsFaceHoverAndPressedColours)
{
    TFNew_Project* dlg = FNew_Project;
    dlg->Show();
    TFxButton* ok = dlg->Btn_OK;
    // A point of the face that no caption reaches: just inside the edges.
    const TPoint face{3, 3};
    const QImage normal = GrabControl(ok);
    EXPECT_EQ(normal.pixelColor(face.X, face.Y), QColor(248, 247, 237));
    EXPECT_EQ(normal.pixelColor(0, ok->Height() / 2), QColor(128, 128, 128));
    testsupport::SaveScreenshot(GrabControl(dlg), QStringLiteral("TFNew_Project-button-face"));

    TestInput::MouseEnter(ok);
    const QImage hot = GrabControl(ok);
    EXPECT_EQ(hot.pixelColor(face.X, face.Y), QColor(255, 255, 0));
    EXPECT_FALSE(testsupport::SaveScreenshot(GrabControl(dlg), QStringLiteral("TFNew_Project-button-hover")).isEmpty());

    TestInput::MouseDown(ok, mbLeft, {10, 10});
    const QImage down = GrabControl(ok);
    EXPECT_EQ(down.pixelColor(face.X, face.Y), QColor(255, 128, 0));
    EXPECT_FALSE(testsupport::SaveScreenshot(GrabControl(dlg), QStringLiteral("TFNew_Project-button-pressed")).isEmpty());
    // Releasing would click the button (it holds the mouse): disabling it
    // ends the press instead, and the face goes back once the mouse has left.
    ok->SetEnabled(false);
    ok->SetEnabled(true);
    TestInput::MouseLeave(ok);
    EXPECT_EQ(GrabControl(ok).pixelColor(face.X, face.Y), QColor(248, 247, 237));
    dlg->Hide();
}

TEST_F(ButtonLookTest, TheMainWindowsStepButtonsTakeTheHoverColourAndTheCornerButtonsKeepThePlainFace)
{
    main->Show();
    TFxButton* step = main->Btn_Open;
    TestInput::MouseEnter(step);
    const QImage hot = GrabControl(step);
    // Right of the caption, inside the edges.
    EXPECT_EQ(hot.pixelColor(step->Width() - 4, 3), QColor(255, 255, 0));
    EXPECT_FALSE(testsupport::SaveScreenshot(GrabControl(main), QStringLiteral("TFArvintoFirmWare-step-hover")).isEmpty());
    TestInput::MouseLeave(step);

    // The plain face keeps its edges while pressed: dark on the top left.
    TFxButton* info = main->Btn_Info;
    TestInput::MouseDown(info, mbLeft, {25, 25});
    const QImage down = GrabControl(info);
    EXPECT_EQ(down.pixelColor(0, 25), QColor(128, 128, 128));
    EXPECT_EQ(down.pixelColor(3, 3), QColor(255, 128, 0));
    info->SetEnabled(false);
    info->SetEnabled(true);
    main->Hide();
}
