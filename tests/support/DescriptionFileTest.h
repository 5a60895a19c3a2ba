#pragma once
// A configuration folder for the tests of the description-file writers:
// fixture files copied in under their configuration names, files read back
// whole, expected files (kept with LF line ends) compared line by line, and
// the boxes shown.

#include "shell/UComon.h"
#include "shell/ULanguage.h"

#include "platform/Dialogs.h"
#include "platform/Form.h"
#include "platform/StringList.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

#include "QtPrint.h"

class TDescriptionFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tmp.isValid());
        if (!Language_Texts)
            Load_Default_Texts();
        SW_Code = Const_SW_Code;
        Project_Name = QStringLiteral("Plant1");
        Project_Folder = tmp.path() + QStringLiteral("/PROJECTS/Plant1");
        ASSERT_TRUE(QDir().mkpath(Project_Folder));
        Set_Files();
    }
    void TearDown() override
    {
        Project_Name.clear();
        Project_Folder.clear();
        Set_Files();
    }

    static QString Data(const QString& fixture) { return QStringLiteral(TEST_DATA_DIR "/") + fixture; }
    QString Out(const QString& name) const { return Project_Folder + u'/' + name; }

    // Copies tests/data/<fixture> to the configuration file path Target.
    static void Use(const QString& fixture, const QString& Target)
    {
        QFile::remove(Target);
        ASSERT_TRUE(QFile::copy(Data(fixture), Target)) << fixture.toStdString();
    }
    static void Write(const QString& path, const QByteArray& bytes)
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
        f.write(bytes);
    }
    static QByteArray Read(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // The expected file with CR LF line ends.
    static QByteArray Expected(const QString& fixture)
    {
        QByteArray bytes = Read(Data(fixture));
        EXPECT_FALSE(bytes.isEmpty()) << fixture.toStdString();
        return bytes.replace("\n", "\r\n");
    }
    // The same bytes; on a difference the first line that differs is named.
    static void ExpectSameFile(const QByteArray& actual, const QByteArray& expected)
    {
        if (actual == expected)
            return;
        const QList<QByteArray> a = actual.split('\n'), e = expected.split('\n');
        for (qsizetype i = 0; i < std::max(a.size(), e.size()); ++i) {
            const QByteArray al = i < a.size() ? a[i] : "<none>", el = i < e.size() ? e[i] : "<none>";
            if (al != el) {
                ADD_FAILURE() << "line " << i + 1 << ": got [" << al.toStdString() << "] expected ["
                              << el.toStdString() << "]";
                return;
            }
        }
    }
    // The lines of a written text file (CR LF ends).
    static QStringList Lines(const QString& path)
    {
        QString text = QString::fromLatin1(Read(path));
        EXPECT_TRUE(text.endsWith(QStringLiteral("\r\n"))) << path.toStdString();
        text.chop(2);
        return text.split(QStringLiteral("\r\n"));
    }
    static QStringList Boxes()
    {
        QStringList texts;
        for (const TShownDialog& d : DialogSeam::Shown())
            if (d.Kind == TShownDialog::MessageBox)
                texts << d.Text;
        return texts;
    }

    QTemporaryDir tmp;
};

// The same with one dialog of class TDialog made as at program start.
template <class TDialog>
class TDescriptionDialogTest : public TDescriptionFileTest {
protected:
    void SetUp() override
    {
        TDescriptionFileTest::SetUp();
        Application->CreateForm(dialog);
    }
    void TearDown() override
    {
        delete dialog;
        TDescriptionFileTest::TearDown();
    }
    // Shows the dialog modally while action runs; returns the modal result.
    Integer WhileShown(const std::function<void()>& action)
    {
        QTimer::singleShot(0, action);
        return dialog->ShowModal();
    }
    TDialog* dialog = nullptr;
};
