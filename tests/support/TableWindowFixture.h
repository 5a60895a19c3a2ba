#pragma once
// What every table window's tests share: a configuration folder with the
// program's state set as at start-up, the window made as at start-up and
// opened as its step opens it, rows read and typed by their cells, and the
// window's screenshot.

#include <gtest/gtest.h>

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include "OkButton.h"
#include "Screenshot.h"
#include "grid/columns/ExColumnGrid.h"
#include "platform/Dialogs.h"
#include "platform/Form.h"
#include "platform/StringList.h"
#include "platform/TestHooks.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

inline QByteArray Read_Bytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

template <class TWindow>
struct TableWindowFixture : ::testing::Test {
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
        DialogSeam::Clear();
        form = new TWindow(nullptr);
        form->AfterConstruction();
    }
    void TearDown() override
    {
        delete form;
        Project_Folder.clear();
        EXPECT_EQ(DialogSeam::PendingAnswers(), 0);
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
    // Opens the window expecting one warning box (rows left out of the
    // file); returns its text.
    QString Open_Warned()
    {
        DialogSeam::Clear();
        DialogSeam::QueueAnswer(IDOK);
        form->Hide();
        form->SetModalResult(mrNone);
        form->Show();
        const auto shown = DialogSeam::Shown();
        DialogSeam::Clear();
        if (shown.size() != 1)
            return QStringLiteral("<%1 boxes>").arg(shown.size());
        EXPECT_EQ(shown[0].Flags, MB_OK | MB_ICONWARNING);
        return shown[0].Text;
    }
    // Cells 1 .. last (hidden ones included) of a row joined by "|".
    static QString Row(const TExColumnGrid* g, Integer r)
    {
        QStringList cells;
        for (Integer c = 1; c < g->GetColCount() + g->NumHiddenColumns(); ++c)
            cells << g->GetCellEx(c, r);
        return cells.join(QLatin1Char('|'));
    }
    // Cells from column 1 on, "|" between them.
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
    QString OK_Fails() { return ::OK_Fails(form, form->Btn_OK); }
    void OK_Passes() { ::OK_Passes(form, form->Btn_OK); }
    void Screenshot(const char* name)
    {
        EXPECT_FALSE(testsupport::SaveScreenshot(GrabControl(form), QString::fromLatin1(name)).isEmpty());
    }
};
