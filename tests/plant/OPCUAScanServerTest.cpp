// The browse window against the stand-in browse library: the waiting label
// and the timer, the listed variables, the select and clear buttons, the
// previous list shown again, and the library missing or incomplete.
#include "OPCUABrowseLibrary.h"
#include "TableWindowTest.h"

#include "platform/StdControls.h"
#include "platform/Timer.h"
#include "plant/UOPC_UA_Scan_Server.h"

namespace {

// Pixels of the red waiting text within Rect of a window's picture.
int Red_Pixels(const QImage& shot, const TRect& rect)
{
    int n = 0;
    for (int y = rect.Top; y < rect.Bottom && y < shot.height(); ++y)
        for (int x = rect.Left; x < rect.Right && x < shot.width(); ++x) {
            const QColor c = shot.pixelColor(x, y);
            n += c.red() > 180 && c.green() < 90 && c.blue() < 90;
        }
    return n;
}

struct OPCUAScanWindow : TableWindowTest<TFOPC_UA_Scan_Server> {
    QByteArray address;
    TExColumnGrid* grid() const { return form->ACG_OPC_UA_Scan_Var; }

    void SetUp() override
    {
        TableWindowTest<TFOPC_UA_Scan_Server>::SetUp();
        Exe_Folder = dir.path();
    }
    void TearDown() override
    {
        Exe_Folder.clear();
        TableWindowTest<TFOPC_UA_Scan_Server>::TearDown();
    }
    // Shows the window for a browse of Address and lets its timer run it.
    void Browse(const char* Address)
    {
        address = Address;
        form->Server.server_address = address.constData();
        Open();
        ASSERT_TRUE(Wait_For_Browse(form));
    }
};

TEST_F(OPCUAScanWindow, TheTimerBrowsesThroughTheLibraryAndListsWhatItFound)
{
    Put_Browse_Library(dir.path(), OPC_UA_SEARCH_WHOLE);
    address = "opc.tcp://plant:4840";
    form->Server.server_address = address.constData();
    EXPECT_EQ(form->ClientWidth(), 1035);
    EXPECT_EQ(form->Caption(), "Scan Server OPC UA");
    EXPECT_EQ(form->Timer_Scan->Interval(), 100u);
    Open();
    // Nothing is browsed before the timer fires: the table is empty and the
    // label says the program waits.
    EXPECT_TRUE(form->LWaiting->Visible());
    EXPECT_EQ(form->LWaiting->Caption(), "WAITING FOR SCAN...");
    EXPECT_TRUE(form->Timer_Scan->Enabled());
    EXPECT_EQ(grid()->GetRowCount(), 2);
    EXPECT_EQ(Row(grid(), 1), "|||||||");
    Screenshot("TFOPC_UA_Scan_Server-waiting");
    EXPECT_GT(Red_Pixels(GrabControl(form), form->LWaiting->BoundsRect()), 50);
    ASSERT_TRUE(Wait_For_Browse(form));

    EXPECT_FALSE(form->LWaiting->Visible());
    EXPECT_FALSE(Browse_Library_Mapped());  // loaded for the browse only
    ASSERT_EQ(form->List_Var.size(), 5u);
    ASSERT_EQ(grid()->GetRowCount(), 6);
    // Access levels 1, 2, 0, 3 and 4; every identifier type; the texts are
    // the window's copies, although the library reuses its buffers.
    EXPECT_EQ(Row(grid(), 1), "Y|N|Temperature|Numeric|1001|Float|2|Read");
    EXPECT_EQ(Row(grid(), 2), "N|Y|Setpoint|String|Line1.Setpoint|Int16|2|Write");
    EXPECT_EQ(Row(grid(), 3), "Y|Y|Batch|Guid|0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F9|Guid|3|Read/Write");
    EXPECT_EQ(Row(grid(), 4), "Y|Y|Raw block|ByteString|AQID|ByteString|1|Read/Write");
    EXPECT_EQ(Row(grid(), 5), "N|N|Status|Numeric|4294967295|UInt32|0|Read/Write");
    EXPECT_EQ(grid()->GetCellEx(0, 5), "5");
    EXPECT_EQ(QString::fromLocal8Bit(form->List_Var[1].Node().stringname), "Line1.Setpoint");
    Screenshot("TFOPC_UA_Scan_Server-listed");
    EXPECT_EQ(Red_Pixels(GrabControl(form), form->LWaiting->BoundsRect()), 0);

    TestInput::Click(form->Btn_SelectAllWrite);
    TestInput::Click(form->Btn_ClearAllRead);
    for (Integer r = 1; r <= 5; ++r) {
        EXPECT_EQ(grid()->GetCellEx(1, r), "N") << r;
        EXPECT_EQ(grid()->GetCellEx(2, r), "Y") << r;
    }
    TestInput::Click(form->Btn_SelectAllRead);
    TestInput::Click(form->Btn_ClearAllWrite);
    EXPECT_EQ(grid()->GetCellEx(1, 2), "Y");
    EXPECT_EQ(grid()->GetCellEx(2, 3), "N");
    TestInput::Click(form->Btn_OK);
    EXPECT_EQ(form->ModalResult(), mrOk);

    // Without an address nothing is browsed: the previous list comes back
    // with the ticks of its access levels.
    for (const char* none : {"", static_cast<const char*>(nullptr)}) {
        form->Server.server_address = none;
        Open();
        EXPECT_FALSE(form->Timer_Scan->Enabled());
        EXPECT_FALSE(form->LWaiting->Visible());
        EXPECT_EQ(grid()->GetRowCount(), 6);
        EXPECT_EQ(Row(grid(), 2), "N|Y|Setpoint|String|Line1.Setpoint|Int16|2|Write");
    }
}

TEST_F(OPCUAScanWindow, UnknownCodesAndMissingTextsShowEmpty)
{
    Put_Browse_Library(dir.path(), OPC_UA_SEARCH_WHOLE);
    Browse("opc.tcp://odd");
    ASSERT_EQ(grid()->GetRowCount(), 3);
    EXPECT_EQ(Row(grid(), 1), "Y|N|||||7|Read");
    EXPECT_EQ(Row(grid(), 2), "N|Y|No identifier|String|||70|Write");
}

TEST_F(OPCUAScanWindow, NoVariablesGiveAnEmptyTableWithoutAMessage)
{
    Put_Browse_Library(dir.path(), OPC_UA_SEARCH_WHOLE);
    Browse("opc.tcp://plant:4840");
    for (const char* empty : {"opc.tcp://empty", "opc.tcp://nowhere"}) {
        SCOPED_TRACE(empty);
        Browse(empty);
        EXPECT_TRUE(DialogSeam::Shown().empty());
        EXPECT_TRUE(form->List_Var.empty());
        EXPECT_FALSE(form->LWaiting->Visible());
        EXPECT_EQ(grid()->GetRowCount(), 2);
        // The buttons change nothing while the list is empty.
        TestInput::Click(form->Btn_SelectAllWrite);
        TestInput::Click(form->Btn_SelectAllRead);
        EXPECT_EQ(Row(grid(), 1), "|||||||");
    }
}

TEST_F(OPCUAScanWindow, AMissingLibraryOrEntryPointIsReported)
{
    const struct {
        const char* what;
        const char* library;  // nullptr: none beside the program
        Integer text;
    } cases[] = {{"missing", nullptr, 5730}, {"incomplete", OPC_UA_SEARCH_PARTIAL, 5731}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.library)
            Put_Browse_Library(dir.path(), c.library);
        address = "opc.tcp://plant:4840";
        form->Server.server_address = address.constData();
        Open();
        DialogSeam::QueueAnswer(IDOK);
        ASSERT_TRUE(Wait_For_Browse(form));
        ASSERT_EQ(DialogSeam::Shown().size(), 1u);
        EXPECT_EQ(DialogSeam::Shown()[0].Text, Text(c.text));
        EXPECT_TRUE(DialogSeam::Shown()[0].Text.startsWith("Error! The library OPC_UA_Search"));
        EXPECT_EQ(DialogSeam::Shown()[0].Flags, MB_OK | MB_ICONERROR);
        // The waiting label stays and the table stays empty.
        EXPECT_TRUE(form->LWaiting->Visible());
        EXPECT_EQ(grid()->GetRowCount(), 2);
        EXPECT_TRUE(form->List_Var.empty());
        if (!c.library)
            Screenshot("TFOPC_UA_Scan_Server-no-library");
    }
}

} // namespace
