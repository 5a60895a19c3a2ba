// Step 5's whole road from a new configuration: the banks are compiled and
// written, the update dialog opens modally, pings the converter on
// 127.0.0.1, writes the job file and runs the stand-in updater, which finds
// the banks the job names.

#include <QFileInfo>
#include <QTimer>

#include "BootTestSupport.h"
#include "image/USaveBincc.h"
#include "platform/Dialogs.h"
#include "platform/TestHooks.h"
#include "shell/ProjectFolders.h"

namespace {

TEST_F(BootTest, NewConfigurationToUpdatedConverter)
{
    std::string why;
    if (!Loopback_Answers(why))
        GTEST_SKIP() << "no ICMP echo on this machine: " << why;
    Write_Stand_In_Updater();
    ASSERT_EQ(Create_Project_Folder(QStringLiteral("Plant_1")), 0);
    ASSERT_TRUE(Create_Bin().Ok);
    ASSERT_TRUE(Save_Bin().Ok);

    TFBoot form(nullptr);
    form.BACnetType = 1;
    form.Form_Type = Boot_Form_Ethernet;
    QTimer::singleShot(0, [&] {
        Set_Address(form, "127", "0", "0", "1");
        TestInput::Click(form.Btn_Update);
        TestInput::Click(form.Btn_Cancel);
    });
    EXPECT_EQ(form.ShowModal(), mrCancel);
    EXPECT_TRUE(DialogSeam::Shown().empty());
    EXPECT_EQ(Last_IP_Address, QStringLiteral("127.0.0.1"));

    // What the updater found: the firmware image and both banks of the new configuration.
    TXMLDocument doc;
    const std::vector<TJob_Op> ops = Job_Operations(doc, Path("updater-saw.xml"));
    ASSERT_EQ(ops.size(), 3u);
    EXPECT_EQ(ops[0].FileName, Master_Folder + QStringLiteral("/Sim59D16.sim"));
    EXPECT_EQ(QFileInfo(ops[1].FileName).size(), Bank1_Size);
    EXPECT_EQ(QFileInfo(ops[2].FileName).size(), Bank2_Size);
    EXPECT_EQ(ops[1].FileName, Projects_Folder + QStringLiteral("/Plant_1/bin/bank1.bin"));
    EXPECT_EQ(doc.Root().FindChild(QStringLiteral("Protections")).FindChild(QStringLiteral("Protection")).Text(),
              QStringLiteral("0x302"));
}

} // namespace
