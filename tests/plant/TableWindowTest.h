#pragma once
// Working a table window as a user does: a configuration folder, the window
// opened as the main window's step opens it, rows typed, OK and Cancel
// pressed, and the boxes it showed read back.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QStringList>
#include <QTemporaryDir>

#include "Screenshot.h"
#include "controls/FxButton.h"
#include "grid/columns/ExColumnGrid.h"
#include "platform/Dialogs.h"
#include "platform/Form.h"
#include "platform/StringList.h"
#include "platform/TestHooks.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

inline QString Text(Integer n)
{
    return Language_Texts->Strings(n);
}

inline QByteArray Read_Bytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Cells 1 .. last of a row (hidden columns included) joined by "|".
inline QString Row(const TExColumnGrid* g, Integer r)
{
    QStringList cells;
    for (Integer c = 1; c < g->GetColCount() + g->NumHiddenColumns(); ++c)
        cells << g->GetCellEx(c, r);
    return cells.join(QLatin1Char('|'));
}

// Cells from column 1 on, "|" between them.
inline void Set_Row(TExColumnGrid* g, Integer r, const QString& cells)
{
    const QStringList list = cells.split(QLatin1Char('|'));
    for (Integer c = 0; c < list.size(); ++c)
        g->SetCellEx(c + 1, r, list[c]);
}

inline void Select(TExColumnGrid* g, Integer row)
{
    g->SetRowEx(row);
    g->SetCol(2);
}

template <class TWindow>
struct TableWindowTest : ::testing::Test {
    QTemporaryDir dir;
    TWindow* form = nullptr;

    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        Load_Default_Texts();
        SW_Code = Const_SW_Code;
        Enable_Jump_Field_Tables = false;
        Double_Click_Auto_Size = false;
        Row_Clipboard = std::make_unique<TStringList>();
        Project_Folder = dir.path();
        Set_Files();
        form = new TWindow(nullptr);
        form->AfterConstruction();
    }
    void TearDown() override
    {
        delete form;
        Project_Folder.clear();
        EXPECT_EQ(DialogSeam::PendingAnswers(), 0);
    }

    void Copy_Fixture(const QString& from, const QString& to)
    {
        QFile::remove(to);
        ASSERT_TRUE(QFile::copy(QStringLiteral(TEST_DATA_DIR "/plant/") + from, to));
    }
    void Write(const QString& path, const QString& text)
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text.toUtf8());
    }
    // Opens the window as the main window's step does, without the modal loop.
    void Open()
    {
        DialogSeam::Clear();
        form->Hide();
        form->SetModalResult(mrNone);
        form->Show();
        EXPECT_TRUE(DialogSeam::Shown().empty());
        DialogSeam::Clear();
    }
    // Presses OK expecting one error box; returns its text.
    QString OK_Fails()
    {
        DialogSeam::Clear();
        DialogSeam::QueueAnswer(IDOK);
        TestInput::Click(form->Btn_OK);
        EXPECT_EQ(form->ModalResult(), mrNone);
        const auto& shown = DialogSeam::Shown();
        if (shown.size() != 1)
            return QStringLiteral("<%1 boxes>").arg(shown.size());
        EXPECT_EQ(shown[0].Flags, MB_OK | MB_ICONERROR);
        return shown[0].Text;
    }
    // Presses OK expecting no box and the OK result.
    void OK_Passes()
    {
        DialogSeam::Clear();
        TestInput::Click(form->Btn_OK);
        EXPECT_TRUE(DialogSeam::Shown().empty()) << DialogSeam::Shown()[0].Text.toStdString();
        EXPECT_EQ(form->ModalResult(), mrOk);
    }
    // The last box's text after pressing a button with an answer queued.
    QString Press(TFxButton* button, Integer answer)
    {
        DialogSeam::Clear();
        DialogSeam::QueueAnswer(answer);
        TestInput::Click(button);
        return DialogSeam::Shown().empty() ? QString() : DialogSeam::Shown().back().Text;
    }
    void Screenshot(const char* name)
    {
        EXPECT_FALSE(testsupport::SaveScreenshot(GrabControl(form), QString::fromLatin1(name)).isEmpty());
    }
};

// Readable QStrings in failure messages.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}
