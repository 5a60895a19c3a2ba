// Forms: creation through the application, showing, modal runs and their
// results, closing with its questions, resizing, placement; errors no handler
// caught; message boxes and file dialogs through their seam.
#include <gtest/gtest.h>
#include "QtPrint.h"

#include <QTimer>

#include "platform/Dialogs.h"
#include "platform/Form.h"
#include "platform/TestHooks.h"

namespace {

// A small dialog: clicking its OK area sets the modal result.
class TDialog : public TForm {
public:
    explicit TDialog(TComponent* owner) : TForm(owner)
    {
        SetCaption(QStringLiteral("Dialog"));
        SetClientSize(200, 100);
        ok = new TCustomControl(this);
        ok->SetParent(this);
        ok->SetBounds(10, 10, 80, 24);
        ok->OnClick = [this](TObject*) { SetModalResult(mrOk); };
        OnCreate = [this](TObject*) { events << QStringLiteral("create"); };
        OnShow = [this](TObject*) { events << QStringLiteral("show"); };
        OnHide = [this](TObject*) { events << QStringLiteral("hide"); };
        OnClose = [this](TObject*, TCloseAction& a) {
            events << QStringLiteral("close");
            a = closeAction;
        };
    }
    TCustomControl* ok;
    QStringList events;
    TCloseAction closeAction = caHide;
};

TEST(Form, CreateFormRunsTheCreationEventOnceAndTheFirstIsTheMainForm)
{
    TApplication app(nullptr);
    TDialog* first = nullptr;
    TDialog* second = nullptr;
    app.CreateForm(first);
    app.CreateForm(second);
    EXPECT_EQ(app.MainForm(), first);
    EXPECT_EQ(first->events, QStringList{QStringLiteral("create")});
    EXPECT_EQ(first->Owner(), &app);
    EXPECT_FALSE(first->Visible());
    EXPECT_EQ(Screen->FormCount() >= 2, true);
}

TEST(Form, ShowModalReturnsTheResultAButtonSets)
{
    TDialog dlg(nullptr);
    dlg.AfterConstruction();
    QTimer::singleShot(0, [&] { TestInput::Click(dlg.ok); });
    EXPECT_EQ(dlg.ShowModal(), mrOk);
    EXPECT_FALSE(dlg.Visible());
    EXPECT_FALSE(dlg.Modal());
    EXPECT_EQ(dlg.events, (QStringList{QStringLiteral("create"), QStringLiteral("show"), QStringLiteral("close"), QStringLiteral("hide")}));
    // Shown again, it starts with no result.
    QTimer::singleShot(0, [&] {
        EXPECT_EQ(dlg.ModalResult(), mrNone);
        dlg.Close();
    });
    EXPECT_EQ(dlg.ShowModal(), mrCancel);
}

TEST(Form, CloseQueryAndCloseActionCanKeepAModalFormOpen)
{
    TDialog dlg(nullptr);
    bool allow = false;
    int asked = 0;
    dlg.OnCloseQuery = [&](TObject*, bool& can) {
        ++asked;
        can = allow;
    };
    QTimer::singleShot(0, [&] {
        dlg.SetModalResult(mrOk);  // refused: stays open
        QTimer::singleShot(0, [&] {
            EXPECT_TRUE(dlg.Visible());
            EXPECT_EQ(dlg.ModalResult(), mrNone);
            allow = true;
            dlg.closeAction = caNone;
            dlg.SetModalResult(mrOk);  // refused by OnClose
            QTimer::singleShot(0, [&] {
                EXPECT_TRUE(dlg.Visible());
                dlg.closeAction = caHide;
                dlg.SetModalResult(mrCancel);
            });
        });
    });
    EXPECT_EQ(dlg.ShowModal(), mrCancel);
    EXPECT_EQ(asked, 3);
}

TEST(Form, ClosingTheWindowEndsAModalRunWithCancel)
{
    TDialog dlg(nullptr);
    QTimer::singleShot(0, [&] { dlg.Perform(WM_CLOSE); });
    EXPECT_EQ(dlg.ShowModal(), mrCancel);
}

TEST(Form, ClientSizeBorderAndCentredPlacement)
{
    TForm form(nullptr);
    form.SetBorderStyle(bsSingle);
    form.SetClientSize(694, 440);
    EXPECT_EQ(form.ClientWidth(), 694);
    EXPECT_EQ(form.ClientHeight(), 440);
    EXPECT_GT(form.Width(), 694);
    form.SetPosition(poScreenCenter);
    form.Show();
    const TRect area = Screen->WorkAreaRect();
    EXPECT_NEAR(form.Left() + form.Width() / 2, area.Left + area.Width() / 2, 1);
    EXPECT_NEAR(form.Top() + form.Height() / 2, area.Top + area.Height() / 2, 1);
    form.SetBorderStyle(bsNone);
    EXPECT_EQ(form.ClientWidth(), 694);
    EXPECT_EQ(form.Width(), 694);
}

TEST(Form, OnResizeMayPutTheWidthBack)
{
    TForm form(nullptr);
    form.SetClientSize(460, 700);
    int resizes = 0;
    form.OnResize = [&](TObject*) {
        ++resizes;
        form.SetClientWidth(460);
    };
    form.Show();
    form.SetClientSize(600, 500);
    EXPECT_EQ(form.ClientWidth(), 460);
    EXPECT_EQ(form.ClientHeight(), 500);
    EXPECT_GE(resizes, 1);
}

TEST(Form, AnErrorNoHandlerCaughtShowsAnErrorBoxAndTheProgramGoesOn)
{
    TDialog dlg(nullptr);
    dlg.ok->OnClick = [](TObject*) { throw std::runtime_error("File not well-formed"); };
    dlg.Show();
    DialogSeam::QueueAnswer(IDOK);
    TestInput::Click(dlg.ok);
    ASSERT_EQ(DialogSeam::Shown().size(), 1u);
    EXPECT_EQ(DialogSeam::Shown()[0].Text, QStringLiteral("File not well-formed."));
    EXPECT_EQ(DialogSeam::Shown()[0].Flags & MB_ICONMASK, MB_ICONERROR);
    // Still working.
    dlg.ok->OnClick = [&](TObject*) { dlg.SetTag(1); };
    TestInput::Click(dlg.ok);
    EXPECT_EQ(dlg.Tag(), 1);
}

TEST(Form, ReleaseFreesTheFormAfterTheCurrentMessage)
{
    auto* dlg = new TDialog(nullptr);
    bool gone = false;
    dlg->OnDestroy = [&](TObject*) { gone = true; };
    dlg->AfterConstruction();
    dlg->ok->OnClick = [dlg](TObject*) { dlg->Release(); };
    dlg->Show();
    TestInput::Click(dlg->ok);
    EXPECT_FALSE(gone);
    Application->ProcessMessages();
    EXPECT_TRUE(gone);
}

TEST(Dialogs, MessageBoxesTakeQueuedAnswersAndRecordWhatTheyShowed)
{
    struct TCase {
        Integer answer;
        TMsgDlgType type;
        TMsgDlgButtons buttons;
        Cardinal flags;
        QString caption;
    };
    const TCase cases[] = {
        {mrOk, mtError, mbOK, MB_OK | MB_ICONERROR, QStringLiteral("Error")},
        {mrYes, mtConfirmation, mbYesNo, MB_YESNO | MB_ICONQUESTION, QStringLiteral("Confirm")},
        {mrNo, mtWarning, mbYesNo, MB_YESNO | MB_ICONWARNING, QStringLiteral("Warning")},
        {mrCancel, mtConfirmation, mbYesNoCancel, MB_YESNOCANCEL | MB_ICONQUESTION, QStringLiteral("Confirm")},
        {mrOk, mtInformation, mbOK, MB_OK | MB_ICONINFORMATION, QStringLiteral("Information")},
    };
    for (const TCase& c : cases) {
        DialogSeam::Clear();
        DialogSeam::QueueAnswer(c.answer);
        EXPECT_EQ(MessageDlg(QStringLiteral("Are you sure to delete the Row number 3"), c.type, c.buttons), c.answer);
        ASSERT_EQ(DialogSeam::Shown().size(), 1u);
        EXPECT_EQ(DialogSeam::Shown()[0].Flags, c.flags);
        EXPECT_EQ(DialogSeam::Shown()[0].Caption, c.caption);
        EXPECT_TRUE(DialogSeam::Shown()[0].Answered);
    }
    DialogSeam::QueueAnswer(IDYES);
    EXPECT_EQ(Application->MessageBox(QStringLiteral("Overwrite?"), QStringLiteral("EDE"), MB_YESNOCANCEL | MB_ICONQUESTION), IDYES);
    EXPECT_EQ(DialogSeam::Shown().back().Caption, QStringLiteral("EDE"));
    EXPECT_EQ(DialogSeam::PendingAnswers(), 0);
}

TEST(Dialogs, AnUnansweredBoxFailsAtOnceWithItsCancelAnswer)
{
    std::vector<TShownDialog> reported;
    DialogSeam::SetUnansweredHandler([&](const TShownDialog& d) { reported.push_back(d); });
    EXPECT_EQ(MessageDlg(QStringLiteral("Nobody answers"), mtWarning, mbYesNo), mrNo);
    EXPECT_EQ(ShowMessageBox(QStringLiteral("x"), QStringLiteral("c"), MB_YESNOCANCEL), IDCANCEL);
    // An answer the box does not offer counts as unanswered too.
    DialogSeam::QueueAnswer(IDYES);
    EXPECT_EQ(ShowMessageBox(QStringLiteral("only OK"), QStringLiteral("c"), MB_OK), IDOK);
    TOpenDialog open(nullptr);
    EXPECT_FALSE(open.Execute());
    DialogSeam::SetUnansweredHandler([](const TShownDialog& d) { ADD_FAILURE() << "unanswered " << d.Text.toStdString(); });
    ASSERT_EQ(reported.size(), 4u);
    EXPECT_EQ(reported[0].Text, QStringLiteral("Nobody answers"));
    EXPECT_EQ(reported[3].Kind, TShownDialog::OpenDialog);
}

TEST(Dialogs, FileDialogsReturnQueuedNamesWithTheDefaultExtension)
{
    TSaveDialog save(nullptr);
    save.SetFilter(QStringLiteral("Generic Station Description (*.gsd)|*.gsd"));
    save.SetDefaultExt(QStringLiteral("gsd"));
    save.SetInitialDir(QStringLiteral("/tmp/proj"));
    DialogSeam::QueueFileName(QStringLiteral("station"));
    ASSERT_TRUE(save.Execute());
    EXPECT_EQ(save.FileName(), QStringLiteral("/tmp/proj/station.gsd"));
    DialogSeam::QueueFileName(QStringLiteral("/data/out.txt"));
    ASSERT_TRUE(save.Execute());
    EXPECT_EQ(save.FileName(), QStringLiteral("/data/out.txt"));
    DialogSeam::QueueCancel();
    EXPECT_FALSE(save.Execute());
    EXPECT_EQ(save.FileName(), QStringLiteral("/data/out.txt"));
    ASSERT_EQ(DialogSeam::Shown().size(), 3u);
    EXPECT_EQ(DialogSeam::Shown()[0].Kind, TShownDialog::SaveDialog);
    EXPECT_EQ(DialogSeam::Shown()[0].Filter, QStringLiteral("Generic Station Description (*.gsd)|*.gsd"));
    EXPECT_EQ(DialogSeam::Shown()[0].InitialDir, QStringLiteral("/tmp/proj"));
    EXPECT_EQ(DialogSeam::Shown()[2].Result, 0);
}

} // namespace
