#pragma once
// A rule-table window worked as a user works it: created as at start-up,
// opened on a configuration folder, rows typed, buttons pressed; the file it
// wrote and the boxes it showed read back.

#include <gtest/gtest.h>

#include <initializer_list>

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include "OkButton.h"
#include "Screenshot.h"
#include "shell/URuleTableFrame.h"
#include "grid/columns/ExColumnGrid.h"
#include "platform/Dialogs.h"
#include "platform/PageControl.h"
#include "platform/StringList.h"
#include "platform/TestHooks.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

inline QString Lang(Integer n)
{
    return Language_Texts->Strings(n);
}

// One check case: the cells typed into a row and the fault's text (empty
// when the row passes).
struct RowCase {
    const char* what;
    QString cells;
    QString message;
};

inline QByteArray Read_Bytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

template <class Form>
struct RuleTableTest : ::testing::Test {
    QTemporaryDir dir;
    Form* form = nullptr;

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
        DialogSeam::Clear();
        form = new Form(nullptr);
        form->AfterConstruction();
    }
    void TearDown() override
    {
        delete form;
        Project_Folder.clear();
        EXPECT_EQ(DialogSeam::PendingAnswers(), 0);
    }

    // A fixture of tests/data/fieldbus/<folder> as the configuration's file.
    void Copy_Fixture(const QString& folder, const QString& name)
    {
        QFile::remove(dir.filePath(name));
        ASSERT_TRUE(QFile::copy(QStringLiteral(TEST_DATA_DIR "/fieldbus/") + folder + "/" + name, dir.filePath(name)));
    }
    void Write(const QString& name, const QString& text)
    {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text.toUtf8());
    }
    // Opens the window as a step does (without the modal loop), expecting
    // no box.
    void Open()
    {
        DialogSeam::Clear();
        form->Hide();
        form->SetModalResult(mrNone);
        form->Show();
        EXPECT_TRUE(DialogSeam::Shown().empty());
        DialogSeam::Clear();
    }
    // Opens the window expecting one error box; returns its text.
    QString Open_Fails()
    {
        DialogSeam::Clear();
        DialogSeam::QueueAnswer(IDOK);
        form->Hide();
        form->Show();
        const auto shown = DialogSeam::Shown();
        DialogSeam::Clear();
        return shown.size() == 1 ? shown[0].Text : QStringLiteral("<%1 boxes>").arg(shown.size());
    }
    // Cells 1 .. last (hidden ones included) of a row joined by "|".
    static QString Row(TExColumnGrid* g, Integer r)
    {
        QStringList cells;
        for (Integer c = 1; c < g->GetColCount() + g->NumHiddenColumns(); ++c)
            cells << g->GetCellEx(c, r);
        return cells.join(QLatin1Char('|'));
    }
    static void Set_Row(TExColumnGrid* g, Integer r, const QString& cells)
    {
        const QStringList list = cells.split(QLatin1Char('|'));
        for (Integer c = 0; c < list.size(); ++c)
            g->SetCellEx(c + 1, r, list[c]);
    }
    static void Select(TExColumnGrid* g, Integer row)
    {
        g->SetRowEx(row);
        g->SetCol(2);
    }
    // For each case: a fresh show, First typed into row 1 and the case into
    // row 2, then OK. A passing case writes File; a failing one is refused
    // with the error Prefix + "2" + its text and writes nothing.
    void Check_Row_Cases(TExColumnGrid* g, const QString& First, const QString& File, Integer Prefix,
                         std::initializer_list<RowCase> Cases)
    {
        for (const RowCase& k : Cases) {
            SCOPED_TRACE(k.what);
            QFile::remove(File);
            Open();
            Set_Row(g, 1, First);
            Set_Row(g, 2, k.cells);
            if (k.message.isEmpty()) {
                OK_Passes();
                EXPECT_TRUE(QFile::exists(File));
            } else {
                EXPECT_EQ(OK_Fails(), Lang(Prefix) + "2" + k.message);
                EXPECT_FALSE(QFile::exists(File));
            }
        }
    }
    QString OK_Fails() { return ::OK_Fails(form, form->Btn_OK); }
    void OK_Passes() { ::OK_Passes(form, form->Btn_OK); }
    // Presses Delete Row answering the question; returns the question.
    QString Delete(Integer answer)
    {
        DialogSeam::Clear();
        DialogSeam::QueueAnswer(answer);
        TestInput::Click(form->Btn_DelRow);
        const auto shown = DialogSeam::Shown();
        EXPECT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown.empty() ? 0u : shown[0].Flags, Cardinal(MB_YESNO | MB_ICONQUESTION));
        return shown.empty() ? QString() : shown[0].Text;
    }
    // Presses Paste Row expecting the refusal; returns its text.
    QString Paste_Refused()
    {
        DialogSeam::Clear();
        DialogSeam::QueueAnswer(IDOK);
        TestInput::Click(form->Btn_PasteRow);
        const auto shown = DialogSeam::Shown();
        return shown.size() == 1 ? shown[0].Text : QStringLiteral("<%1 boxes>").arg(shown.size());
    }
    void Screenshot(const char* name)
    {
        EXPECT_FALSE(testsupport::SaveScreenshot(GrabControl(form), QString::fromLatin1(name)).isEmpty());
    }
    QString Header_Hint(TExColumnGrid* g, Integer row, Integer col)
    {
        QString text = QStringLiteral("own");
        form->GridHint(g, row, col, text);
        return text;
    }
};
