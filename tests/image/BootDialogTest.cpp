// The update dialog as a user works it: its first showing, the address keys,
// and the update action against a converter on loopback that answers, one
// that stays silent (inside a network namespace of the test's own, where
// nothing leaves the machine), an address that cannot be resolved and a
// program folder without an updater.

#include <QElapsedTimer>
#include <QTimer>

#include <atomic>
#include <functional>
#include <linux/capability.h>
#include <string>

#include "BootTestSupport.h"
#include "Capabilities.h"
#include "PrivateNetwork.h"
#include "Screenshot.h"
#include "platform/Dialogs.h"
#include "platform/ExtCtrls.h"
#include "platform/IcmpEcho.h"
#include "platform/TestHooks.h"

namespace {

// Runs body on this (the window) thread where a converter at 127.0.0.1
// stays silent: a network namespace of the test's own.
bool In_Silent_Network(const std::function<void()>& body, std::string& why)
{
    return testsupport::InPrivateNetworkHere({.IgnoreEcho = true}, body, why);
}

class BootDialogTest : public BootTest {
protected:
    // Counts the echo requests that got as far as an answer or a time-out.
    static void Count_Requests(TFBoot& form, std::atomic<int>& count)
    {
        form.Ping->OnReply = [&count](TObject*, const TReplyStatus&) { ++count; };
    }
};

TEST_F(BootDialogTest, FirstShowing)
{
    TFBoot form(nullptr);
    form.Form_Type = Boot_Form_Ethernet;
    form.Show();
    EXPECT_EQ(form.Caption(), QStringLiteral("Update Device by Ethernet (UDP)"));
    EXPECT_EQ(form.L_SW_Code->Caption(), QStringLiteral("SW59D16"));
    EXPECT_EQ(form.L_SW_Desc->Caption(), QStringLiteral("Update Device Using the Ethernet Port"));
    EXPECT_EQ(form.ClientWidth(), 449);
    EXPECT_EQ(form.ClientHeight(), 230);
    EXPECT_EQ(form.E_IP1->Text(), QStringLiteral("192"));
    EXPECT_EQ(form.E_IP2->Text(), QStringLiteral("168"));
    EXPECT_EQ(form.E_IP3->Text(), QStringLiteral("2"));
    EXPECT_EQ(form.E_IP4->Text(), QStringLiteral("205"));
    EXPECT_EQ(form.CB_Update_Options->ItemCount(), 3);
    EXPECT_EQ(form.CB_Update_Options->ItemIndex(), 0);
    EXPECT_EQ(form.CB_Update_Options->Text(), QStringLiteral("Firmware + Configuration"));
    EXPECT_TRUE(form.CB_Update_Option_Read_Back->Checked());
    EXPECT_EQ(form.CB_Update_Option_Read_Back->Caption(), QStringLiteral("Read Back"));
    EXPECT_EQ(form.Btn_Update->Caption(), QStringLiteral("Execute Update Firmware"));
    EXPECT_EQ(form.Btn_Cancel->Caption(), QStringLiteral("Cancel"));
    EXPECT_EQ(form.E_IP3->Hint(), QStringLiteral("Insert third byte of IP Address"));
    EXPECT_EQ(form.ActiveControl(), form.E_IP1);

    const QImage img = GrabControl(&form);
    EXPECT_FALSE(testsupport::SaveScreenshot(img, QStringLiteral("TFBoot-ethernet")).isEmpty());
    EXPECT_EQ(img.pixelColor(440, 100), QColor(248, 247, 237));
    // Text in the title and on the update button.
    int dark = 0;
    for (int x = form.Btn_Update->Left(); x < form.Btn_Update->Left() + form.Btn_Update->Width(); ++x)
        for (int y = 0; y < form.Btn_Update->Height(); ++y)
            dark += qGray(img.pixel(x, form.P_Button->Top() + form.Btn_Update->Top() + y)) < 100;
    EXPECT_GT(dark, 20);
    form.Hide();
}

TEST_F(BootDialogTest, ReopeningKeepsOptionsAndEditsWhenTheAddressIsNone)
{
    TFBoot form(nullptr);
    form.Show();
    form.Hide();
    // The option and read-back box come back as remembered; an address that
    // is no address leaves the edits as they were.
    Last_IP_Address = QStringLiteral("10.0.0");
    Update_Option = Update_Option_Configuration;
    Read_Back = false;
    form.E_IP4->SetText(QStringLiteral("9"));
    form.Show();
    EXPECT_EQ(form.IP_Address_Text(), QStringLiteral("192.168.2.9"));
    EXPECT_EQ(form.CB_Update_Options->Text(), QStringLiteral("Configuration"));
    EXPECT_FALSE(form.CB_Update_Option_Read_Back->Checked());
    form.Hide();
    // Blanks around the parts are dropped.
    Last_IP_Address = QStringLiteral(" 10 . 1 .2. 3 ");
    form.Show();
    EXPECT_EQ(form.IP_Address_Text(), QStringLiteral("10.1.2.3"));
    form.Hide();
}

TEST_F(BootDialogTest, DotMovesToTheNextAddressEdit)
{
    TFBoot form(nullptr);
    for (TEdit* e : {form.E_IP1, form.E_IP2, form.E_IP3, form.E_IP4})
        e->SetText(QString());
    Last_IP_Address.clear();
    form.Show();
    // Typed in one go where the focus is, as a user types.
    for (QChar c : QStringLiteral("10.0.0.1.")) {
        TWinControl* focused = form.ActiveControl();
        ASSERT_NE(focused, nullptr);
        TestInput::TypeText(focused, QString(c));
    }
    EXPECT_EQ(form.E_IP1->Text(), QStringLiteral("10"));
    EXPECT_EQ(form.E_IP2->Text(), QStringLiteral("0"));
    EXPECT_EQ(form.E_IP3->Text(), QStringLiteral("0"));
    EXPECT_EQ(form.E_IP4->Text(), QStringLiteral("1"));
    EXPECT_EQ(form.ActiveControl(), form.E_IP4);
    form.Hide();
}

TEST_F(BootDialogTest, AnsweringConverterGetsTwoRequestsThenTheJobAndTheUpdater)
{
    std::string why;
    if (!Loopback_Answers(why))
        GTEST_SKIP() << "no ICMP echo on this machine: " << why;
    Write_Stand_In_Updater();
    TFBoot form(nullptr);
    std::atomic<int> requests{0};
    Count_Requests(form, requests);
    form.Show();
    Set_Address(form, "127", "0", "0", "1");
    form.CB_Update_Options->SetItemIndex(Update_Option_Firmware);
    form.CB_Update_Option_Read_Back->SetChecked(false);

    QElapsedTimer t;
    t.start();
    TestInput::Click(form.Btn_Update);
    EXPECT_LT(t.elapsed(), 2000);
    EXPECT_EQ(requests, 2);
    EXPECT_EQ(form.ping_res, 1);
    EXPECT_TRUE(DialogSeam::Shown().empty());
    // The updater ran without arguments and found the job beside itself.
    QFile ran(Path("updater-ran"));
    ASSERT_TRUE(ran.open(QIODevice::ReadOnly));
    EXPECT_EQ(ran.readAll().trimmed(), QByteArray("0"));
    TXMLDocument doc;
    EXPECT_EQ(Job_Operations(doc, Path("updater-saw.xml")).size(), 1u);
    EXPECT_EQ(doc.Root().FindChild(QStringLiteral("IP_Address_Dev")).Text(), QStringLiteral("127.0.0.1"));
    // Remembered now, and the dialog is ready for another run.
    EXPECT_EQ(Last_IP_Address, QStringLiteral("127.0.0.1"));
    EXPECT_EQ(Update_Option, Update_Option_Firmware);
    EXPECT_FALSE(Read_Back);
    EXPECT_TRUE(form.Btn_Update->Enabled());
    EXPECT_TRUE(form.Showing());
    form.Hide();
}

TEST_F(BootDialogTest, SilentConverterIsNotFoundAndNothingIsKept)
{
    Write_Stand_In_Updater();
    TFBoot form(nullptr);
    form.Ping_Time_Limit_Ms = 1000;
    form.Ping->ReceiveTimeout = 200;
    std::atomic<int> requests{0};
    Count_Requests(form, requests);
    form.Show();
    Set_Address(form, "127", "0", "0", "1");

    // While it pings, the window takes input: a timer runs, a screenshot
    // shows it, and a second click starts no second update.
    int ticks = 0;
    bool disabled_meanwhile = false;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (++ticks == 3) {
            disabled_meanwhile = !form.Btn_Update->Enabled() && form.Updating();
            testsupport::SaveScreenshot(GrabControl(&form), QStringLiteral("TFBoot-pinging"));
            form.Btn_UpdateClick(form.Btn_Update);
        }
    });
    timer.start(50);

    DialogSeam::QueueAnswer(IDOK);
    QElapsedTimer t;
    std::string why;
    const bool made = In_Silent_Network([&] {
        t.start();
        TestInput::Click(form.Btn_Update);
    }, why);
    timer.stop();
    if (!made)
        GTEST_SKIP() << "no private network namespace on this machine: " << why;

    // A new request about every 200 ms until more than 1000 ms have passed.
    // A loaded machine stretches the requests, so the lower count and the
    // upper time only catch a ping that stops early or never ends.
    EXPECT_GE(t.elapsed(), 1000);
    EXPECT_LT(t.elapsed(), 8000);
    EXPECT_GE(requests, 3);
    EXPECT_LE(requests, 7);
    EXPECT_EQ(form.ping_res, 2);
    EXPECT_GE(ticks, 10);
    EXPECT_TRUE(disabled_meanwhile);
    ASSERT_EQ(DialogSeam::Shown().size(), 1u);
    EXPECT_EQ(DialogSeam::Shown()[0].Text, QStringLiteral("Device Not Found!"));
    EXPECT_EQ(DialogSeam::Shown()[0].Flags & MB_ICONMASK, MB_ICONWARNING);
    EXPECT_EQ(Last_IP_Address, QStringLiteral("192.168.2.205"));
    EXPECT_FALSE(QFile::exists(TFBoot::Job_File_Name()));
    EXPECT_FALSE(QFile::exists(Path("updater-ran")));
    EXPECT_TRUE(form.Btn_Update->Enabled());
    form.Hide();
}

TEST_F(BootDialogTest, CancelWhilePingingAbandonsTheUpdate)
{
    Write_Stand_In_Updater();
    TFBoot form(nullptr);
    form.Ping->ReceiveTimeout = 200;
    TModalResult result = mrNone;
    QElapsedTimer t;
    std::string why;
    const bool made = In_Silent_Network([&] {
        QTimer::singleShot(0, [&] {
            Set_Address(form, "127", "0", "0", "1");
            QTimer::singleShot(100, [&] { TestInput::Click(form.Btn_Cancel); });
            t.start();
            TestInput::Click(form.Btn_Update);
        });
        result = form.ShowModal();
    }, why);
    if (!made)
        GTEST_SKIP() << "no private network namespace on this machine: " << why;
    EXPECT_EQ(result, mrCancel);
    // Not the whole 5 s: the request under way ends, no other follows.
    EXPECT_LT(t.elapsed(), 1000);
    EXPECT_TRUE(DialogSeam::Shown().empty());
    EXPECT_FALSE(QFile::exists(TFBoot::Job_File_Name()));
    EXPECT_FALSE(QFile::exists(Path("updater-ran")));
    EXPECT_EQ(Last_IP_Address, QStringLiteral("192.168.2.205"));
}

TEST_F(BootDialogTest, ASystemThatRefusesEchoRequestsSaysSoAndHowToAllowThem)
{
    // Where unprivileged echo is not allowed, even the loopback cannot be
    // pinged: the box says why, not that the address is wrong.
    Write_Stand_In_Updater();
    TFBoot form(nullptr);
    form.Show();
    Set_Address(form, "127", "0", "0", "1");
    std::string why;
    bool refused = false;
    const bool made = testsupport::InPrivateNetworkHere({.AllowDatagram = false}, [&] {
        refused = testsupport::WithoutCapabilities({CAP_NET_RAW}, [&] {
            DialogSeam::QueueAnswer(IDOK);
            TestInput::Click(form.Btn_Update);
        }, why);
    }, why);
    if (!made)
        GTEST_SKIP() << "no private network namespace on this machine: " << why;
    ASSERT_TRUE(refused) << why;
    EXPECT_EQ(form.ping_res, 0);
    ASSERT_EQ(DialogSeam::Shown().size(), 1u);
    const QString text = DialogSeam::Shown()[0].Text;
    EXPECT_NE(text, QStringLiteral("Error!!! Check the Ip Address"));
    EXPECT_TRUE(text.contains(QStringLiteral("sysctl -w net.ipv4.ping_group_range=\"0 2147483647\"")));
    EXPECT_TRUE(text.contains(QStringLiteral("setcap cap_net_raw+ep")));
    EXPECT_EQ(DialogSeam::Shown()[0].Flags & MB_ICONMASK, MB_ICONERROR);
    EXPECT_EQ(Last_IP_Address, QStringLiteral("192.168.2.205"));
    EXPECT_FALSE(QFile::exists(TFBoot::Job_File_Name()));
    EXPECT_FALSE(QFile::exists(Path("updater-ran")));
    form.Hide();
}

TEST_F(BootDialogTest, AddressThatCannotBeResolved)
{
    Write_Stand_In_Updater();
    TFBoot form(nullptr);
    std::atomic<int> requests{0};
    Count_Requests(form, requests);
    form.Show();
    Set_Address(form, "127", "0", "0", "");
    DialogSeam::QueueAnswer(IDOK);
    QElapsedTimer t;
    t.start();
    TestInput::Click(form.Btn_Update);
    EXPECT_LT(t.elapsed(), 300);
    EXPECT_EQ(requests, 0);
    EXPECT_EQ(form.ping_res, 0);
    ASSERT_EQ(DialogSeam::Shown().size(), 1u);
    EXPECT_EQ(DialogSeam::Shown()[0].Text, QStringLiteral("Error!!! Check the Ip Address"));
    EXPECT_EQ(DialogSeam::Shown()[0].Flags & MB_ICONMASK, MB_ICONERROR);
    EXPECT_EQ(Last_IP_Address, QStringLiteral("192.168.2.205"));
    EXPECT_FALSE(QFile::exists(TFBoot::Job_File_Name()));
    EXPECT_FALSE(QFile::exists(Path("updater-ran")));
    form.Hide();
}

TEST_F(BootDialogTest, NoUpdaterBesideTheProgram)
{
    std::string why;
    if (!Loopback_Answers(why))
        GTEST_SKIP() << "no ICMP echo on this machine: " << why;
    TFBoot form(nullptr);
    form.Show();
    Set_Address(form, "127", "0", "0", "1");
    // None at all, then a file of that name that is no program.
    for (bool present : {false, true}) {
        SCOPED_TRACE(present);
        if (present)
            Write_Stand_In_Updater(false);
        DialogSeam::Clear();
        DialogSeam::QueueAnswer(IDOK);
        TestInput::Click(form.Btn_Update);
        ASSERT_EQ(DialogSeam::Shown().size(), 1u);
        EXPECT_TRUE(DialogSeam::Shown()[0].Text.contains(QStringLiteral("Ethernet_Update.exe")));
        EXPECT_EQ(DialogSeam::Shown()[0].Flags & MB_ICONMASK, MB_ICONERROR);
        // The job is there for whoever runs the updater by hand.
        EXPECT_TRUE(QFile::exists(TFBoot::Job_File_Name()));
        EXPECT_FALSE(QFile::exists(Path("updater-ran")));
    }
    form.Hide();
}

TEST_F(BootDialogTest, JobThatCannotBeWrittenStopsTheUpdate)
{
    std::string why;
    if (!Loopback_Answers(why))
        GTEST_SKIP() << "no ICMP echo on this machine: " << why;
    Write_Stand_In_Updater();
    TFBoot form(nullptr);
    form.Show();
    Set_Address(form, "127", "0", "0", "1");
    // A folder where the job file should be: it cannot be replaced.
    ASSERT_TRUE(QDir(Exe.path()).mkdir(QStringLiteral("Ethernet_Update.xml")));
    DialogSeam::QueueAnswer(IDOK);
    TestInput::Click(form.Btn_Update);
    ASSERT_EQ(DialogSeam::Shown().size(), 1u);
    EXPECT_EQ(DialogSeam::Shown()[0].Flags & MB_ICONMASK, MB_ICONERROR);
    EXPECT_FALSE(QFile::exists(Path("updater-ran")));
    EXPECT_EQ(Last_IP_Address, QStringLiteral("192.168.2.205"));
    form.Hide();
}

} // namespace
