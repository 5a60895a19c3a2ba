#pragma once
// Helpers of the update dialog tests: a program folder of its own for each
// test (the job file and the updater live there), the update dialog's shared
// state put back afterwards, a stand-in updater, and the job file read back.

#include "QtPrint.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "controls/FxButton.h"
#include "image/UBoot.h"
#include "platform/IcmpEcho.h"
#include "platform/StdControls.h"
#include "platform/XmlDocument.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

// Whether this machine can ping its loopback at all.
inline bool Loopback_Answers(std::string& why)
{
    TIcmpEcho probe;
    probe.Host = QStringLiteral("127.0.0.1");
    const TReplyStatus st = probe.Ping(Boot_Ping_Data());
    why = st.Msg.toStdString();
    return st.ReplyStatusType == rsEcho;
}

class BootTest : public ::testing::Test {
protected:
    QTemporaryDir Exe;

    void SetUp() override
    {
        ASSERT_TRUE(Exe.isValid());
        Saved_IP = Last_IP_Address;
        Saved_Option = Update_Option;
        Saved_Read_Back = Read_Back;
        Load_Default_Texts();
        SW_Code = Const_SW_Code;
        Exe_Folder = Exe.path();
        Master_Folder = Exe_Folder + QStringLiteral("/MASTER");
        Projects_Folder = Exe_Folder + QStringLiteral("/PROJECTS");
        QDir(Exe_Folder).mkpath(QStringLiteral("MASTER"));
        QDir(Exe_Folder).mkpath(QStringLiteral("PROJECTS"));
        Last_IP_Address = QStringLiteral("192.168.2.205");
        Update_Option = 0;
        Read_Back = true;
    }

    void TearDown() override
    {
        Last_IP_Address = Saved_IP;
        Update_Option = Saved_Option;
        Read_Back = Saved_Read_Back;
        Exe_Folder.clear();
        Master_Folder.clear();
        Projects_Folder.clear();
        Project_Folder.clear();
        Project_Name.clear();
        Set_Files();
    }

    QString Path(const char* name) const { return Exe.filePath(QLatin1String(name)); }

    // Ethernet_Update.exe: a script that records the number of its
    // arguments and a copy of the job file it found beside itself.
    void Write_Stand_In_Updater(bool executable = true) const
    {
        QFile f(TFBoot::Updater_File_Name());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\n"
                "here=$(dirname \"$0\")\n"
                "echo $# > \"$here/updater-ran\"\n"
                "cp \"$here/Ethernet_Update.xml\" \"$here/updater-saw.xml\"\n");
        f.close();
        if (executable)
            f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
    }

    static void Set_Address(TFBoot& form, const char* a, const char* b, const char* c, const char* d)
    {
        form.E_IP1->SetText(QLatin1String(a));
        form.E_IP2->SetText(QLatin1String(b));
        form.E_IP3->SetText(QLatin1String(c));
        form.E_IP4->SetText(QLatin1String(d));
    }

private:
    QString Saved_IP;
    Integer Saved_Option = 0;
    bool Saved_Read_Back = true;
};

// One operation of the job file, the elements that tell them apart.
struct TJob_Op {
    QString FileName, Start_Address, Bank_Type, Read_Back, Write_CSS, Write_Internal_Data, GoToApp_After;
    bool operator==(const TJob_Op&) const = default;
};

inline std::ostream& operator<<(std::ostream& os, const TJob_Op& op)
{
    return os << '{' << op.FileName.toStdString() << ' ' << op.Start_Address.toStdString() << " bank "
              << op.Bank_Type.toStdString() << " rb " << op.Read_Back.toStdString() << " css "
              << op.Write_CSS.toStdString() << " wid " << op.Write_Internal_Data.toStdString() << " app "
              << op.GoToApp_After.toStdString() << '}';
}

// The operations of a job file, in order; with the document for the rest.
inline std::vector<TJob_Op> Job_Operations(TXMLDocument& doc, const QString& file)
{
    std::vector<TJob_Op> ops;
    if (!doc.LoadFromFile(file)) {
        ADD_FAILURE() << doc.ErrorMessage().toStdString();
        return ops;
    }
    const TXMLNode operations = doc.Root().FindChild(QStringLiteral("Operations"));
    for (Integer i = 0; i < operations.ChildCount(); ++i) {
        const TXMLNode o = operations.Child(i);
        auto t = [&](const char* name) { return o.FindChild(QLatin1String(name)).Text(); };
        ops.push_back({t("Ope_FileName"), t("Ope_Start_Address"), t("Ope_Bank_Type"), t("Ope_Read_Back"),
                       t("Ope_Write_CSS"), t("Ope_Write_Internal_Data"), t("Ope_GoToApp_After")});
    }
    return ops;
}
