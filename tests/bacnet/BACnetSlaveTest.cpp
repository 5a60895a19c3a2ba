// The BACnet server object tables worked as a user works them: opened on a
// configuration in both row modes, the file loaded and written back, the
// checks of OK with their messages, the Length preset, the unit picker on a
// double click, the row buttons, and the EDE writer reading what OK wrote.
#include "bacnet/UBACnetSlaveSetAccess.h"
#include "bacnet/UBACnet_EDE_File.h"
#include "bacnet/UBACnet_Eng_Unit.h"

#include "DescriptionFileTest.h"

#include "controls/FxButton.h"
#include "grid/ExGridEditors.h"
#include "grid/columns/ExColumnGrid.h"
#include "platform/PageControl.h"
#include "platform/StdControls.h"
#include "platform/Messages.h"
#include "platform/TestHooks.h"
#include "platform/XmlDocument.h"

#include <QTimer>

#include "Screenshot.h"

namespace {

class BACnetSlave : public TDescriptionFileTest {
protected:
    void SetUp() override
    {
        TDescriptionFileTest::SetUp();
        DialogSeam::Clear();
        Application->CreateForm(FBACnet_Eng_Unit);
        Application->CreateForm(FBACnetSlaveSetAccess);
        form = FBACnetSlaveSetAccess;
        read = form->ACG_BACnet_in_Read;
        write = form->ACG_BACnet_in_Write;
    }
    void TearDown() override
    {
        delete FBACnetSlaveSetAccess;
        delete FBACnet_Eng_Unit;
        Row_Clipboard.reset();
        EXPECT_EQ(DialogSeam::PendingAnswers(), 0);
        TDescriptionFileTest::TearDown();
    }
    void Open()
    {
        form->Hide();
        form->SetModalResult(mrNone);
        form->Show();
    }
    // A row from column 1: Data Type, Eng. Unit, Position, Start Bit, Length.
    static void Row(TExColumnGrid* g, Integer r, const QString& type, const QString& unit, const QString& position,
                    const QString& bit, const QString& length, const QString& mnemonic = QString())
    {
        const QString cells[] = {type, unit, position, bit, length, QStringLiteral("N"), mnemonic};
        for (Integer c = 1; c <= 7; ++c)
            g->SetCellEx(c, r, cells[c - 1]);
    }
    QStringList Press_OK(Integer boxes)
    {
        DialogSeam::Clear();
        for (Integer i = 0; i < boxes; ++i)
            DialogSeam::QueueAnswer(IDOK);
        TestInput::Click(form->Btn_OK);
        return Boxes();
    }

    TFBACnetSlaveSetAccess* form = nullptr;
    TExColumnGrid* read = nullptr;
    TExColumnGrid* write = nullptr;
};

TEST_F(BACnetSlave, NewConfigurationOpensBlankAndOKWritesEmptyTables)
{
    Open();
    EXPECT_FALSE(form->Desc_Lenght);
    EXPECT_EQ(read->RowCount(), 2001);
    EXPECT_EQ(write->RowCount(), 2001);
    EXPECT_EQ(read->GetCellEx(0, 2000), "2000");
    EXPECT_EQ(read->GetCellEx(1, 1), "");
    EXPECT_TRUE(read->IsHiddenColumn(6));
    EXPECT_EQ(read->Columns()->Items(3)->ComboItems()->Count(), 1500);
    EXPECT_EQ(read->Columns()->Items(1)->ComboItems()->Count(), 13);
    EXPECT_EQ(write->Columns()->Items(1)->ComboItems()->Strings(0), "Analog Out");
    EXPECT_EQ(form->PageControl1->ActivePage(), form->TS_BACnet_in_Read);
    EXPECT_EQ(read->Columns()->Items(2)->Header(), "Eng. Unit");
    EXPECT_TRUE(form->Btn_CopyRow->ShowHint());
    EXPECT_FALSE(form->Btn_OK->ShowHint());

    EXPECT_TRUE(Press_OK(0).isEmpty());
    EXPECT_EQ(form->ModalResult(), mrOk);
    TXMLDocument doc;
    ASSERT_TRUE(doc.LoadFromFile(BACnet_Slave_SetAccess_File));
    EXPECT_EQ(doc.Root().NodeName(), "BACnet_to_Modbus");
    EXPECT_EQ(doc.Root().FindChild("BACnet_in_Read").ChildCount(), 0);
    EXPECT_EQ(doc.Root().FindChild("BACnet_in_Write").ChildCount(), 0);
    ASSERT_EQ(doc.ChildCount(), 2);
    EXPECT_EQ(doc.Child(1).Text(), "SW_VERSION = 1.000");
}

TEST_F(BACnetSlave, TheFileIsLoadedAndWrittenBackForTheEDEWriter)
{
    Use("bacnet/ede/ParGen.xml", ParGen_File);
    Write(BACnet_Slave_SetAccess_File,
          "<BACnet_to_Modbus><BACnet_in_Read>"
          "<row Data_Type=\"Analog Input\" Eng_Unit=\"62\" Position=\"0\" Bit=\"\" Length=\"4\" Mnemonic=\"Supply\"/>"
          "<row Data_Type=\"Binary Input\" Eng_Unit=\"95\" Position=\"4\" Bit=\"3\" Length=\"\" Swap=\"Y\" "
          "Mnemonic=\" Alarm \"/>"
          "<row Data_Type=\"\" Eng_Unit=\"95\" Position=\"5\" Bit=\"\" Length=\"1\" Swap=\"N\" Mnemonic=\"after the end\"/>"
          "</BACnet_in_Read><BACnet_in_Write>"
          "<row Data_Type=\"Analog Out\" Eng_Unit=\"62\" Position=\"0\" Bit=\"\" Length=\"4\" Swap=\"N\" Mnemonic=\"Setpoint\"/>"
          "</BACnet_in_Write></BACnet_to_Modbus>");
    Open();
    EXPECT_EQ(read->GetCellEx(6, 1), "N");  // Swap missing
    EXPECT_EQ(read->GetCellEx(6, 2), "Y");
    EXPECT_EQ(read->GetCellEx(7, 2), " Alarm ");
    EXPECT_EQ(read->GetCellEx(7, 3), "after the end");
    EXPECT_EQ(write->GetCellEx(7, 1), "Setpoint");
    form->SetClientSize(764, 337);
    EXPECT_FALSE(testsupport::SaveScreenshot(GrabControl(form), "TFBACnetSlaveSetAccess").isEmpty());

    // Row 3 has no Data Type but holds the rest of an object: OK refuses to
    // drop it, naming the row, until the user deletes it.
    EXPECT_EQ(Press_OK(1), QStringList{"Error row 3" + Language_Texts->Strings(1108)});
    Grid_Delete_Row(3, read);
    EXPECT_TRUE(Press_OK(0).isEmpty());
    TXMLDocument doc;
    ASSERT_TRUE(doc.LoadFromFile(BACnet_Slave_SetAccess_File));
    const TXMLNode rows = doc.Root().FindChild("BACnet_in_Read");
    ASSERT_EQ(rows.ChildCount(), 2);
    const TXMLNode first = rows.Child(0);
    QStringList attributes;
    for (Integer i = 0; i < first.AttributeCount(); ++i)
        attributes << first.AttributeName(i) + "=" + first.AttributeValue(i);
    EXPECT_EQ(attributes, (QStringList{"Data_Type=Analog Input", "Eng_Unit=62", "Position=0", "Bit=", "Length=4",
                                       "Swap=N", "Mnemonic=Supply"}));
    EXPECT_EQ(rows.Child(1).Attribute("Mnemonic"), " Alarm ");

    // The EDE writer takes the objects as written.
    Write_EDE_File(Out("plant.csv"));
    const QStringList lines = Lines(Out("plant.csv"));
    ASSERT_GE(lines.size(), 3);
    EXPECT_TRUE(lines[lines.size() - 3].contains(";Supply;0;0;"));
    EXPECT_TRUE(lines[lines.size() - 2].contains(";3;0;"));   // binary input
    EXPECT_TRUE(lines.back().contains(";Setpoint;1;0;"));     // analog output
}

TEST_F(BACnetSlave, AFailedSaveKeepsTheWindowOpen)
{
    BACnet_Slave_SetAccess_File = Out("missing/BACnet_Slave_SetAccess.xml");
    Open();
    Row(read, 1, "Analog Input", "62", "0", "", "4", "kept");
    EXPECT_EQ(Press_OK(1).size(), 1);
    EXPECT_EQ(form->ModalResult(), mrNone);
    EXPECT_FALSE(QFile::exists(BACnet_Slave_SetAccess_File));
    EXPECT_EQ(read->GetCellEx(7, 1), "kept");
}

TEST_F(BACnetSlave, BrokenAndIncompleteFilesAreReported)
{
    // A broken ParGen.xml is reported; the objects are loaded all the same.
    Write(ParGen_File, "<Par_Gen>");
    Write(BACnet_Slave_SetAccess_File,
          "<BACnet_to_Modbus><BACnet_in_Read>"
          "<row Data_Type=\"Analog Input\" Eng_Unit=\"62\" Position=\"0\" Bit=\"\" Length=\"4\" Swap=\"N\" Mnemonic=\"a\"/>"
          "<row Data_Type=\"Analog Input\" Eng_Unit=\"62\" Position=\"4\" Length=\"4\" Swap=\"N\" Mnemonic=\"b\"/>"
          "<row Data_Type=\"Analog Input\" Eng_Unit=\"62\" Position=\"8\" Bit=\"\" Length=\"4\" Swap=\"N\" Mnemonic=\"c\"/>"
          "</BACnet_in_Read><BACnet_in_Write/></BACnet_to_Modbus>");
    DialogSeam::QueueAnswer(IDOK);
    DialogSeam::QueueAnswer(IDOK);
    Open();
    const QStringList boxes = Boxes();
    ASSERT_EQ(boxes.size(), 2);
    EXPECT_TRUE(boxes[1].contains("row 2 of BACnet_in_Read has no Bit attribute")) << boxes[1].toStdString();
    // A row without one of its attributes ends the loading; the rows before stay.
    EXPECT_EQ(read->GetCellEx(7, 1), "a");
    EXPECT_EQ(read->GetCellEx(7, 2), "");
    EXPECT_EQ(read->GetCellEx(7, 3), "");

    // Without the write table: the read rows stay, the box says what is missing.
    Write(ParGen_File, "<Par_Gen/>");
    Write(BACnet_Slave_SetAccess_File,
          "<BACnet_to_Modbus><BACnet_in_Read>"
          "<row Data_Type=\"Analog Input\" Eng_Unit=\"62\" Position=\"0\" Bit=\"\" Length=\"4\" Swap=\"N\" Mnemonic=\"a\"/>"
          "</BACnet_in_Read></BACnet_to_Modbus>");
    DialogSeam::Clear();
    DialogSeam::QueueAnswer(IDOK);
    Open();
    ASSERT_EQ(Boxes().size(), 1);
    EXPECT_TRUE(Boxes()[0].contains("no BACnet_in_Write element"));
    EXPECT_EQ(read->GetCellEx(7, 1), "a");
}

TEST_F(BACnetSlave, LongDescriptionModeHalvesTheTablesAndTheObjectLimit)
{
    Write(ParGen_File, "<Par_Gen><BACnet_Desc_Chars_Limit>1</BACnet_Desc_Chars_Limit></Par_Gen>");
    Open();
    EXPECT_TRUE(form->Desc_Lenght);
    EXPECT_EQ(read->RowCount(), 1001);
    for (Integer r = 1; r <= 1000; ++r)
        Row(read, r, "Analog Input", "62", "0", "", "4");
    Row(write, 1, "Analog Out", "62", "0", "", "4");
    EXPECT_EQ(Press_OK(1), QStringList{"Error!! Too many Requests. Max requests 1000"});
    Row(write, 1, "", "", "", "", "");
    EXPECT_TRUE(Press_OK(0).isEmpty());

    // A file with more rows than the table shows keeps only what fits, and
    // says so when the window opens.
    Write(BACnet_Slave_SetAccess_File, [] {
        QByteArray xml = "<BACnet_to_Modbus><BACnet_in_Read>";
        for (int i = 0; i < 1500; ++i)
            xml += "<row Data_Type=\"Analog Input\" Eng_Unit=\"62\" Position=\"0\" Bit=\"\" Length=\"4\" Swap=\"N\" "
                   "Mnemonic=\"m" + QByteArray::number(i) + "\"/>";
        return xml + "</BACnet_in_Read><BACnet_in_Write/></BACnet_to_Modbus>";
    }());
    DialogSeam::Clear();
    DialogSeam::QueueAnswer(IDOK);
    Open();
    EXPECT_EQ(Boxes(), QStringList{"Warning!! The table BACnet in Read holds 1000 rows: rows of "
                                   "BACnet_Slave_SetAccess.xml not loaded: 500. OK will not keep them"});
    EXPECT_EQ(read->GetCellEx(7, 1000), "m999");
    EXPECT_TRUE(Press_OK(0).isEmpty());
    TXMLDocument doc;
    ASSERT_TRUE(doc.LoadFromFile(BACnet_Slave_SetAccess_File));
    EXPECT_EQ(doc.Root().FindChild("BACnet_in_Read").ChildCount(), 1000);

    // The normal mode again: 2000 rows and the limit 2000 over both tables.
    Write(ParGen_File, "<Par_Gen><BACnet_Desc_Chars_Limit>0</BACnet_Desc_Chars_Limit></Par_Gen>");
    QFile::remove(BACnet_Slave_SetAccess_File);
    Open();
    EXPECT_EQ(read->RowCount(), 2001);
    EXPECT_EQ(read->GetCellEx(1, 1500), "");
    for (Integer r = 1; r <= 1200; ++r)
        Row(read, r, "Analog Input", "62", "0", "", "4");
    for (Integer r = 1; r <= 900; ++r)
        Row(write, r, "Analog Out", "62", "0", "", "4");
    EXPECT_EQ(Press_OK(1), QStringList{"Error!! Too many Requests. Max requests 2000"});
}

TEST_F(BACnetSlave, EachFaultOfARowShowsItsMessage)
{
    Open();
    struct Case {
        bool Read;
        const char* Type;
        const char* Unit;
        const char* Position;
        const char* Bit;
        const char* Length;
        const char* Message;  // after "Error row 1"; "" passes
    } const cases[] = {
        {true, "Analog Input", "62", "1496", "", "4", ""},
        {true, "Analog Input", "62", "1497", "", "4", "!! [BACnet in Read] Too many bytes to save starting from the Position indicate"},
        {true, "Analog Input", "", "0", "", "4", "!! [BACnet in Read] Eng. Unit must be between 0 and 65535"},
        {false, "Analog Out", "65536", "0", "", "4", "!! [BACnet in Write] Eng. Unit must be between 0 and 65535"},
        {true, "Analog Input", "0", "0", "", "4", ""},
        {true, "Analog Input", "62 ", "0", "", "4", "!! [BACnet in Read] Eng. Unit must be between 0 and 65535"},
        {true, "Analog Input", "$3E", "0", "", "4", ""},
        {true, "Analog Input", "62", "1500", "", "1", "!! [BACnet in Read] Position must be between 0 and 1499"},
        {false, "Analog Out", "62", "-1", "", "1", "!! [BACnet in Write] Position must be between 0 and 1499"},
        {true, "Binary Input", "62", "0", "", "9", "!! [BACnet in Read] Bit must be between 0 and 7"},
        {true, "Binary Input", "62", "1499", "3", "", ""},
        {false, "Binary Out", "62", "0", "", "", "!! [BACnet in Write] Bit must be between 0 and 7"},
        {false, "Binary Input", "62", "0", "", "0", ""},  // no such write type: Length not checked
        {true, "Integer Value", "62", "0", "", "20", ""},
        {false, "Integer Value", "62", "0", "", "20",
         "!! [BACnet in Write] Length with variable \"Integer Value\" must be between 1 and 4"},
        {true, "Large Analog Value", "62", "0", "", "8", ""},
        {true, "Large Analog Value", "62", "0", "", "9",
         "!! [BACnet in Read] Length with variable \"Large Analog Value\" must be between 1 and 8"},
        {true, "Life Safety Zone", "62", "0", "", "3",
         "!! [BACnet in Read] Length with variable \"Life Safety Zone\" must be 1 or 2"},
        {false, "Access Door", "62", "0", "", "",
         "!! [BACnet in Write] Length with variable \"Access Door\" must be equal to 1"},
        {true, "analog input", "62", "0", "", "9", ""},  // types compare exactly
        {false, "Multi State Value", "62", "0", "", "5",
         "!! [BACnet in Write] Length with variable \"Multi State Value\" must be between 1 and 4"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.Read ? "read " : "write ") + c.Type + " unit " + c.Unit + " position " +
                     c.Position + " bit " + c.Bit + " length " + c.Length);
        Row(read, 1, "", "", "", "", "");
        Row(write, 1, "", "", "", "", "");
        Row(c.Read ? read : write, 1, c.Type, c.Unit, c.Position, c.Bit, c.Length);
        form->SetModalResult(mrNone);
        const bool passes = c.Message[0] == '\0';
        const QStringList boxes = Press_OK(passes ? 0 : 1);
        EXPECT_EQ(boxes, passes ? QStringList() : QStringList{QStringLiteral("Error row 1") + c.Message});
        EXPECT_EQ(form->ModalResult(), passes ? mrOk : mrNone);
    }

    // Rows below the first empty Data Type are not checked; OK refuses to
    // drop them, naming the empty row, on the tab of its table.
    Row(write, 1, "", "", "", "", "");
    Row(read, 1, "Analog Input", "62", "0", "", "4");
    Row(read, 3, "Analog Input", "bad", "0", "", "4");
    form->PageControl1->SetActivePage(form->TS_BACnet_in_Write);
    EXPECT_EQ(Press_OK(1), QStringList{"Error row 2" + Language_Texts->Strings(1108)});
    EXPECT_EQ(form->PageControl1->ActivePage(), form->TS_BACnet_in_Read);
    Row(read, 3, "", "", "", "", "");
    EXPECT_TRUE(Press_OK(0).isEmpty());
    TXMLDocument doc;
    ASSERT_TRUE(doc.LoadFromFile(BACnet_Slave_SetAccess_File));
    EXPECT_EQ(doc.Root().FindChild("BACnet_in_Read").ChildCount(), 1);
}

TEST_F(BACnetSlave, ChoosingAWriteTypePresetsItsLength)
{
    Open();
    struct Case {
        const char* Type;
        const char* Length;
    } const cases[] = {{"Large Analog Value", "8"}, {"Binary Out", "1"}, {"Access Door", "1"},
                       {"Multi State Output", "4"}, {"Analog Value", "4"}};
    for (const Case& c : cases) {
        write->SetCellEx(5, 2, "x");
        write->OnComboChange(write, 1, 2, 0, QLatin1String(c.Type));
        EXPECT_EQ(write->GetCellEx(5, 2), QLatin1String(c.Length)) << c.Type;
    }
    // Picked by the user in the grid's list: each choice presets at once.
    form->PageControl1->SetActivePage(form->TS_BACnet_in_Write);
    write->SetFocus();
    const TRect cell = write->CellRect(1, 3);
    TestInput::Click(write, TPoint{(cell.Left + cell.Right) / 2, (cell.Top + cell.Bottom) / 2});
    TestInput::PressKey(write, VK_F2);
    TGridCombo* box = write->Combobox();
    ASSERT_TRUE(box->Visible());
    EXPECT_EQ(box->Items()->Count(), 10);
    // The list opens on its first type, which counts as chosen.
    EXPECT_EQ(box->Text(), "Analog Out");
    EXPECT_EQ(write->GetCellEx(5, 3), "4");
    for (const char* length : {"4", "1"}) {
        TestInput::PressKey(box, VK_DOWN);
        EXPECT_EQ(write->GetCellEx(5, 3), QLatin1String(length)) << box->Text().toStdString();
    }
    TestInput::PressKey(box, VK_RETURN);
    EXPECT_EQ(write->GetCellEx(1, 3), "Binary Out");

    // Another column, or the read table, changes nothing.
    write->SetCellEx(5, 2, "x");
    write->OnComboChange(write, 4, 2, 0, "Large Analog Value");
    EXPECT_EQ(write->GetCellEx(5, 2), "x");
    read->SetCellEx(5, 2, "x");
    EXPECT_FALSE(read->OnComboChange);
}

TEST_F(BACnetSlave, DoubleClickOnAnEngUnitOpensThePicker)
{
    Open();
    read->SetCellEx(2, 3, "abc");
    QTimer::singleShot(0, [] {
        EXPECT_EQ(FBACnet_Eng_Unit->E_Selected_EU->Text(), "abc");
        EXPECT_EQ(FBACnet_Eng_Unit->Label5->Caption(), "-> unknown");
        TestInput::Click(FBACnet_Eng_Unit->Btn_Cancel);
    });
    read->OnDblClickCell(read, 3, 2);
    EXPECT_EQ(read->GetCellEx(2, 3), "abc");

    write->SetCellEx(2, 1, "62");
    QTimer::singleShot(0, [] {
        EXPECT_EQ(FBACnet_Eng_Unit->Label5->Caption(), "-> degrees-Celsius");
        FBACnet_Eng_Unit->CB_Select_Type->SetItemIndex(16);
        FBACnet_Eng_Unit->CB_Select_TypeSelect(nullptr);
        FBACnet_Eng_Unit->CB_Select_Unit->SetItemIndex(1);
        TestInput::Click(FBACnet_Eng_Unit->Btn_Select_Eng_Unit);
        TestInput::Click(FBACnet_Eng_Unit->Btn_OK);
    });
    write->OnDblClickCell(write, 1, 2);
    EXPECT_EQ(write->GetCellEx(2, 1), "63");

    // Other cells do not open it.
    read->OnDblClickCell(read, 3, 3);
    EXPECT_EQ(read->GetCellEx(2, 3), "abc");
}

TEST_F(BACnetSlave, RowButtonsCopyOnlyWithinTheirTable)
{
    Open();
    Row(read, 1, "Analog Input", "62", "0", "", "4", "one");
    Row(read, 2, "Analog Input", "62", "4", "", "4", "two");
    read->SetRowEx(1);
    TestInput::Click(form->Btn_CopyRow);
    EXPECT_TRUE(form->Do_Copy_Read);
    EXPECT_FALSE(form->Do_Copy_Write);

    // Into the write table: refused.
    form->PageControl1->SetActivePage(form->TS_BACnet_in_Write);
    write->SetRowEx(1);
    DialogSeam::QueueAnswer(IDOK);
    TestInput::Click(form->Btn_PasteRow);
    EXPECT_EQ(Boxes(), QStringList{"Error!!! Copy a valid row before Paste it"});
    EXPECT_EQ(write->GetCellEx(7, 1), "");

    // Into a used row of the read table: asked first.
    form->PageControl1->SetActivePage(form->TS_BACnet_in_Read);
    read->SetRowEx(2);
    DialogSeam::Clear();
    DialogSeam::QueueAnswer(IDYES);
    TestInput::Click(form->Btn_PasteRow);
    EXPECT_EQ(Boxes(), QStringList{"Row Already used. Do you want to overwrite the values?"});
    EXPECT_EQ(read->GetCellEx(7, 2), "one");

    // Insert adds an empty row (no preset); delete asks and moves rows up.
    TestInput::Click(form->Btn_InsRow);
    EXPECT_EQ(read->GetCellEx(1, 2), "");
    EXPECT_EQ(read->GetCellEx(7, 3), "one");
    DialogSeam::Clear();
    DialogSeam::QueueAnswer(IDYES);
    TestInput::Click(form->Btn_DelRow);
    EXPECT_EQ(Boxes(), QStringList{"Are you sure to delete the Row number 2"});
    EXPECT_EQ(read->GetCellEx(7, 2), "one");

    // A click on a row number selects the row.
    read->OnClickCell(read, 2, 0);
    const TGridRect selection = read->Selection();
    EXPECT_EQ(selection.Top, 2);
    EXPECT_EQ(selection.Bottom, 2);
    EXPECT_EQ(selection.Left, 1);
    EXPECT_EQ(selection.Right, read->ColCount() - 1);
}

} // namespace
