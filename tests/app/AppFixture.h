#pragma once
// A program run for tests: a temporary program folder, every window made as
// at start-up, restarts over the same folder, and readers of what the
// program left there (the settings file, the boxes it showed).

#include "app/UArvintoFirmWare.h"
#include "app/Windows.h"

#include "shell/UComon.h"

#include "platform/Dialogs.h"
#include "platform/Form.h"
#include "platform/XmlDocument.h"

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

class AppTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tmp.isValid());
        Exe_Folder = tmp.path();
        Project_Name.clear();
        Project_Folder.clear();
        Start();
    }
    void TearDown() override { app.reset(); }

    // A program start: every window made anew over the same program folder.
    void Start()
    {
        app.reset();
        app = std::make_unique<TApplication>(nullptr);
        Create_Windows(*app);
        main = FArvintoFirmWare;
    }
    // Closing the window as the user does, then starting again.
    void Restart()
    {
        main->Close();
        Start();
    }

    // Runs action while the dialog is shown modally by show.
    static void WhileModal(const std::function<void()>& show, const std::function<void()>& action)
    {
        QTimer::singleShot(0, action);
        show();
    }

    // Elements of the settings file: group/leaf -> text.
    QString Setting(const char* group, const char* leaf) const
    {
        TXMLDocument xml;
        EXPECT_TRUE(xml.LoadFromFile(tmp.path() + "/Arvinto.xml")) << xml.ErrorMessage().toStdString();
        return xml.Root().FindChild(group).FindChild(leaf).Text();
    }

    void Write(const QString& path, const QByteArray& text)
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text);
    }

    // The texts of the boxes shown so far.
    static QStringList Boxes()
    {
        QStringList texts;
        for (const TShownDialog& d : DialogSeam::Shown())
            texts << d.Text;
        return texts;
    }

    QTemporaryDir tmp;
    std::unique_ptr<TApplication> app;
    TFArvintoFirmWare* main = nullptr;
};
