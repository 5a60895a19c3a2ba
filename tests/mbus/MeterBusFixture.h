#pragma once
// The M-Bus network editor and its paste dialog made as at start-up, on a
// configuration folder of their own, and worked as a user works them.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>

#include "QtPrint.h"
#include "Screenshot.h"
#include "controls/FxButton.h"
#include "grid/columns/ExColumnGrid.h"
#include "mbus/UMeter_Bus.h"
#include "mbus/UNewIDNode.h"
#include "platform/Dialogs.h"
#include "platform/Menus.h"
#include "platform/StdControls.h"
#include "platform/StringList.h"
#include "platform/TestHooks.h"
#include "platform/TreeView.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

struct TMeterBusWindow : ::testing::Test {
    QTemporaryDir dir;
    TFMeter_Bus* form = nullptr;
    TFNewIDNode* dialog = nullptr;

    static QString Data(const char* name)
    {
        return QStringLiteral(TEST_DATA_DIR "/mbus/editor/") + QString::fromLatin1(name);
    }
    static QString Lang(Integer i) { return Language_Texts->Strings(i); }

    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        Load_Default_Texts();
        SW_Code = Const_SW_Code;
        M_Bus_File = dir.filePath(QStringLiteral("M_Bus.xml"));
        DialogSeam::Clear();
        form = new TFMeter_Bus(nullptr);
        form->AfterConstruction();
        FMeter_Bus = form;
        dialog = new TFNewIDNode(nullptr);
        dialog->AfterConstruction();
        FNewIDNode = dialog;
    }
    void TearDown() override
    {
        delete dialog;
        delete form;
        EXPECT_EQ(DialogSeam::PendingAnswers(), 0);
        DialogSeam::Clear();
    }

    void Use_Network(const char* name)
    {
        QFile::remove(M_Bus_File);
        ASSERT_TRUE(QFile::copy(Data(name), M_Bus_File));
    }
    // Opens the window as the main window's step does (without the modal loop).
    void Open()
    {
        form->Hide();
        form->SetModalResult(mrNone);
        form->Show();
    }
    static QByteArray Read(const QString& file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    TTreeNode* Node_Item(Integer k) const { return form->NODE_ORIG->Item(k); }
    TTreeNode* Var_Item(Integer k, Integer j) const { return Node_Item(k)->Item(j); }
    // Clicks an item of the tree, as the user does.
    void Click(TTreeNode* item)
    {
        // The nodes show collapsed: the user opens the parent first.
        if (TTreeNode* parent = item->Parent())
            parent->Expand(false);
        const TRect r = item->DisplayRect(false);
        ASSERT_FALSE(r.IsEmpty());
        TestInput::Click(form->TW, TPoint{r.Left + 40, (r.Top + r.Bottom) / 2});
        ASSERT_EQ(form->TW->Selected(), item);
    }
    void Click_Node(Integer k) { Click(Node_Item(k)); }
    void Click_Var(Integer k, Integer j) { Click(Var_Item(k, j)); }
    // The tree's texts, depth first, children indented by two blanks.
    QStringList Tree_Texts() const
    {
        QStringList texts;
        std::function<void(TTreeNode*, int)> walk = [&](TTreeNode* n, int depth) {
            texts << QString(depth * 2, u' ') + n->Text();
            for (Integer i = 0; i < n->Count(); ++i)
                walk(n->Item(i), depth + 1);
        };
        for (Integer i = 0; i < form->TW->Items()->TopCount(); ++i)
            walk(form->TW->Items()->TopItem(i), 0);
        return texts;
    }

    // Runs an action expecting error boxes (each answered OK); their texts.
    QStringList Boxes(const std::function<void()>& action, int expected = 1)
    {
        DialogSeam::Clear();
        for (int i = 0; i < expected; ++i)
            DialogSeam::QueueAnswer(IDOK);
        action();
        QStringList texts;
        for (const auto& shown : DialogSeam::Shown())
            texts << shown.Text;
        return texts;
    }
    // Answers a confirmation box that action shows (after a file dialog
    // given file, when one is named); the box's text.
    QString Confirm(const std::function<void()>& action, Integer answer, const QString& file = QString())
    {
        DialogSeam::Clear();
        if (!file.isEmpty())
            DialogSeam::QueueFileName(file);
        DialogSeam::QueueAnswer(answer);
        action();
        QList<TShownDialog> boxes;
        for (const auto& shown : DialogSeam::Shown())
            if (shown.Kind == TShownDialog::MessageBox)
                boxes << shown;
        if (boxes.size() != 1)
            return QStringLiteral("<%1 boxes>").arg(boxes.size());
        EXPECT_EQ(boxes[0].Flags & MB_ICONQUESTION, Cardinal(MB_ICONQUESTION));
        return boxes[0].Text;
    }

    // Works the paste dialog once it is shown modally by action; a dialog
    // left open by work is cancelled so that the test cannot hang.
    void With_Dialog(const std::function<void()>& action, const std::function<void()>& work)
    {
        bool ran = false;
        // Owned here: when action shows no dialog, the work never runs later.
        QTimer timer;
        timer.setSingleShot(true);
        QObject::connect(&timer, &QTimer::timeout, [&] {
            ran = true;
            work();
            if (dialog->ModalResult() == mrNone) {
                ADD_FAILURE() << "the paste dialog stayed open";
                dialog->SetModalResult(mrCancel);
            }
        });
        timer.start(0);
        action();
        EXPECT_TRUE(ran);
    }
    void Shot(TControl* control, const char* name)
    {
        EXPECT_FALSE(testsupport::SaveScreenshot(GrabControl(control), QString::fromLatin1(name)).isEmpty());
    }
};
