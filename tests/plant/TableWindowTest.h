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

#include "TableWindowFixture.h"
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

template <class TWindow>
struct TableWindowTest : TableWindowFixture<TWindow> {
    using TableWindowFixture<TWindow>::form;

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
    // The last box's text after pressing a button with an answer queued.
    QString Press(TFxButton* button, Integer answer)
    {
        DialogSeam::Clear();
        DialogSeam::QueueAnswer(answer);
        TestInput::Click(button);
        return DialogSeam::Shown().empty() ? QString() : DialogSeam::Shown().back().Text;
    }
};

// Readable QStrings in failure messages.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}
