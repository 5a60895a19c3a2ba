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
#include "TableWindowFixture.h"
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

template <class Form>
struct RuleTableTest : TableWindowFixture<Form> {
    using Base = TableWindowFixture<Form>;
    using Base::dir;
    using Base::form;
    using Base::Open;
    using Base::Set_Row;
    using Base::OK_Fails;
    using Base::OK_Passes;

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
    QString Header_Hint(TExColumnGrid* g, Integer row, Integer col)
    {
        QString text = QStringLiteral("own");
        form->GridHint(g, row, col, text);
        return text;
    }
};
