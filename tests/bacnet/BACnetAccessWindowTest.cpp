// The BACnet request tables worked as a user works them: opened on a
// configuration, the address column chosen by the link type, the file
// loaded with its defaults, rows edited, deleted and inserted, OK writing
// the file that the compiler turns into request entries, Cancel writing
// nothing, and the NByte hint.
#include "BACnetAccessTest.h"

#include "shell/UComon.h"

#include "grid/ExGridEditors.h"
#include "image/USaveBincc.h"
#include "platform/Messages.h"
#include "platform/PageControl.h"
#include "platform/XmlDocument.h"

#include <QImage>

#include "Screenshot.h"

namespace {

class BACnetAccessWindow : public TBACnetAccessTest {};

TEST_F(BACnetAccessWindow, LinkTypeChoosesTheAddressColumnAndTheTableKey)
{
    struct Case {
        const char* ParGen;  // nullptr: no ParGen.xml; "-": without the element
        Integer Type;
        bool Box;
        const char* Read_Header;
        const char* Write_Header;
    } const cases[] = {
        {"0", 0, false, "IP Address", "IP Address"},
        {"1", 1, false, "Slave ID", "Slave ID"},
        {"2", 2, false, nullptr, nullptr},
        {"x", 0, false, "IP Address", "IP Address"},
        {"-", 0, true, "IP Address", "IP Address"},
        {nullptr, 0, true, "IP Address", "IP Address"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ParGen ? c.ParGen : "no ParGen.xml");
        QFile::remove(ParGen_File);
        if (c.ParGen && QLatin1String(c.ParGen) == QLatin1String("-"))
            Write(ParGen_File, "<Par_Gen><BACnet_Type>1</BACnet_Type></Par_Gen>");
        else if (c.ParGen)
            ParGen_Type(QString::fromLatin1(c.ParGen));
        DialogSeam::Clear();
        if (c.Box)
            DialogSeam::QueueAnswer(IDOK);
        Open();
        EXPECT_EQ(form->App_BACnet_Type, c.Type);
        if (c.Box) {
            ASSERT_EQ(DialogSeam::Shown().size(), 1u);
            EXPECT_EQ(DialogSeam::Shown()[0].Text, "Select the BACnet Type in the \"Set Communication\" section");
            EXPECT_EQ(DialogSeam::Shown()[0].Flags, MB_OK | MB_ICONERROR);
        } else {
            EXPECT_TRUE(DialogSeam::Shown().empty());
        }
        for (auto [grid, header] : {std::pair{form->ACG1, c.Read_Header}, std::pair{form->ACG2, c.Write_Header}}) {
            EXPECT_EQ(grid->IsHiddenColumn(2), header == nullptr);
            if (header) {
                EXPECT_EQ(grid->Columns()->Items(2)->Header(), QLatin1String(header));
            }
        }
        // The conversion columns stay hidden whatever the type.
        EXPECT_TRUE(form->ACG1->IsHiddenColumn(16));
        EXPECT_TRUE(form->ACG2->IsHiddenColumn(20));
        EXPECT_EQ(form->Key_Col(), c.Type == 2 ? 3 : 2);
        EXPECT_EQ(form->PageControl1->ActivePage(), form->TS_BACnet_Read);
    }
}

TEST_F(BACnetAccessWindow, OpeningBlanksTheTablesAndLoadsTheFileWithItsDefaults)
{
    ParGen_Type("0");
    Use("bacnet/access/BACnet_Master_Access.xml", BACnet_Master_Access_File);
    // Edits of an earlier opening are gone at the next one.
    Open();
    form->ACG1->SetCellEx(19, 200, "left over");
    form->ACG2->SetCellEx(1, 512, "N");
    Open();
    EXPECT_EQ(form->ACG1->GetCellEx(19, 200), "");
    EXPECT_EQ(form->ACG2->GetCellEx(1, 512), "Y");
    EXPECT_EQ(form->ACG1->GetCellEx(0, 512), "512");

    EXPECT_EQ(Cells(form->ACG1, 1),
              (QStringList{"Y", "192.168.0.15", "Analog Input", "3", "Present Value (85)", "4", "N", "", "", "", "1000",
                           "3", "0", "0", "N", "", "N", "", "Boiler supply"}));
    // Values are taken untrimmed, in file order, whatever they hold.
    EXPECT_EQ(form->ACG1->GetCellEx(2, 2), " not an address ");
    EXPECT_EQ(form->ACG1->GetCellEx(9, 2), "M9");
    // Missing attributes: Enable "Y", the check boxes "N", the rest empty.
    EXPECT_EQ(Cells(form->ACG1, 3),
              (QStringList{"Y", "192.168.0.17", "binary value", "4294967295", "status flags (111)", "1", "N", "", "",
                           "", "500", "0", "8", "", "N", "", "N", "", "no Enable, no check boxes"}));
    EXPECT_EQ(form->ACG1->GetCellEx(19, 5), "below the end");
    EXPECT_EQ(form->ACG2->GetCellEx(12, 1), "1, 2 ,3");
    EXPECT_EQ(form->ACG2->GetCellEx(23, 2), "pump");
    EXPECT_EQ(form->ACG2->GetCellEx(2, 3), "");
    // Position lists offer 0 to 1439.
    TStringList* positions = form->ACG2->Columns()->Items(17)->ComboItems();
    ASSERT_EQ(positions->Count(), 1440);
    EXPECT_EQ(positions->Strings(1439), "1439");
    Open();
    EXPECT_EQ(form->ACG1->Columns()->Items(13)->ComboItems()->Count(), 1440);

    form->SetClientSize(1305, 337);
    EXPECT_FALSE(testsupport::SaveScreenshot(GrabControl(form), "TFBACnetAccess-read").isEmpty());
    form->PageControl1->SetActivePage(form->TS_BACnet_Write);
    EXPECT_FALSE(testsupport::SaveScreenshot(GrabControl(form), "TFBACnetAccess-write").isEmpty());
}

TEST_F(BACnetAccessWindow, OKWritesTheRowsUpToTheTableEndAndCancelWritesNothing)
{
    ParGen_Type("0");
    Use("bacnet/access/BACnet_Master_Access.xml", BACnet_Master_Access_File);
    const QByteArray before = Read(BACnet_Master_Access_File);

    // Cancel after edits: the file stays, the next opening shows it again.
    Open();
    form->ACG1->SetCellEx(19, 1, "edited");
    TestInput::Click(form->Btn_Cancel);
    EXPECT_EQ(form->ModalResult(), mrCancel);
    EXPECT_EQ(Read(BACnet_Master_Access_File), before);
    Open();
    EXPECT_EQ(form->ACG1->GetCellEx(19, 1), "Boiler supply");

    // Row 4's key is blank and a request stands below it: OK refuses,
    // naming row 4, and writes nothing.
    EXPECT_EQ(Press_OK(1), QStringList{"Error in Read, row 4" + Language_Texts->Strings(1108)});
    EXPECT_EQ(form->ModalResult(), mrNone);
    EXPECT_EQ(Read(BACnet_Master_Access_File), before);

    // With both rows deleted, OK writes rows 1 to 3 of the read table, both
    // write rows, attributes in their order, values untrimmed.
    Grid_Delete_Row(4, form->ACG1);
    Grid_Delete_Row(4, form->ACG1);
    EXPECT_TRUE(Press_OK(0).isEmpty());
    EXPECT_EQ(form->ModalResult(), mrOk);
    ExpectSameFile(Read(BACnet_Master_Access_File), Read(Data("bacnet/access/expected.xml")));

    // Loaded and saved again without edits: the same file.
    Open();
    EXPECT_EQ(form->ACG1->GetCellEx(19, 4), "");
    EXPECT_TRUE(Press_OK(0).isEmpty());
    ExpectSameFile(Read(BACnet_Master_Access_File), Read(Data("bacnet/access/expected.xml")));
}

TEST_F(BACnetAccessWindow, EmptyTablesAndOtherLinkTypesWriteTheirKeyColumn)
{
    // No file yet: OK creates one with both tables empty.
    ParGen_Type("0");
    Open();
    EXPECT_TRUE(Press_OK(0).isEmpty());
    TXMLDocument doc;
    ASSERT_TRUE(doc.LoadFromFile(BACnet_Master_Access_File));
    EXPECT_EQ(doc.Root().NodeName(), "BACnet_Master_Access");
    EXPECT_EQ(doc.Root().ChildCount(), 2);
    EXPECT_EQ(doc.Root().FindChild("BACnet_Read").ChildCount(), 0);
    EXPECT_EQ(doc.Root().FindChild("BACnet_Write").ChildCount(), 0);
    ASSERT_EQ(doc.ChildCount(), 2);
    EXPECT_EQ(doc.Child(1).NodeType(), ntComment);
    EXPECT_EQ(doc.Child(1).Text(), "SW_VERSION = 1.006");

    // Type 2: the Object Type column ends the table, so a row without one
    // above a request is refused; the hidden address is written all the
    // same, and rows are not checked for it.
    ParGen_Type("2");
    Open();
    Full_Row(form->ACG1, 1, Valid_Read_Row());
    form->ACG1->SetCellEx(2, 1, "kept while hidden");
    Row(form->ACG1, 2, {{2, "10.0.0.9"}, {3, ""}});
    Full_Row(form->ACG1, 3, Valid_Read_Row());
    EXPECT_EQ(Press_OK(1), QStringList{"Error in Read, row 2" + Language_Texts->Strings(1108)});
    Grid_Delete_Row(2, form->ACG1);
    EXPECT_TRUE(Press_OK(0).isEmpty());
    ASSERT_TRUE(doc.LoadFromFile(BACnet_Master_Access_File));
    const TXMLNode read = doc.Root().FindChild("BACnet_Read");
    ASSERT_EQ(read.ChildCount(), 2);
    EXPECT_EQ(read.Child(0).Attribute("IP_Address_Slave_ID"), "kept while hidden");
}

TEST_F(BACnetAccessWindow, BrokenFilesAreReportedAndNothingIsWrittenBeforeOK)
{
    Write(ParGen_File, "<Par_Gen><BACnet_Master_Type>1");
    Write(BACnet_Master_Access_File, "<BACnet_Master_Access><BACnet_Read>");
    const QByteArray before = Read(BACnet_Master_Access_File);
    DialogSeam::QueueAnswer(IDOK);
    DialogSeam::QueueAnswer(IDOK);
    Open();
    ASSERT_EQ(Boxes().size(), 2);
    EXPECT_EQ(form->App_BACnet_Type, 0);  // as for BACnet/IP
    EXPECT_EQ(form->ACG1->GetCellEx(2, 1), "");
    TestInput::Click(form->Btn_Cancel);
    EXPECT_EQ(Read(BACnet_Master_Access_File), before);

    // A table with more than 512 rows shows the first 512 and says how many
    // it left out; a file without the write table leaves that table blank.
    ParGen_Type("0");
    QByteArray xml = "<BACnet_Master_Access><BACnet_Read>";
    for (int i = 1; i <= 515; ++i)
        xml += "<row IP_Address_Slave_ID=\"10.0.0.1\" Mnemonic=\"m" + QByteArray::number(i) + "\"/>";
    Write(BACnet_Master_Access_File, xml + "</BACnet_Read></BACnet_Master_Access>");
    DialogSeam::Clear();
    DialogSeam::QueueAnswer(IDOK);
    Open();
    EXPECT_EQ(Boxes(), QStringList{"Warning!! The table BACnet Read holds 512 rows: rows of "
                                   "BACnet_Master_Access.xml not loaded: 3. OK will not keep them"});
    EXPECT_EQ(DialogSeam::Shown()[0].Flags, MB_OK | MB_ICONWARNING);
    EXPECT_EQ(form->ACG1->GetCellEx(19, 512), "m512");
    EXPECT_EQ(form->ACG2->GetCellEx(2, 1), "");
}

TEST_F(BACnetAccessWindow, AFailedSaveKeepsTheWindowOpenWithItsRows)
{
    ParGen_Type("0");
    BACnet_Master_Access_File = Out("missing/BACnet_Master_Access.xml");
    Open();
    Full_Row(form->ACG1, 1, Valid_Read_Row());
    EXPECT_EQ(Press_OK(1).size(), 1);
    EXPECT_EQ(form->ModalResult(), mrNone);
    EXPECT_FALSE(QFile::exists(BACnet_Master_Access_File));
    EXPECT_EQ(form->ACG1->GetCellEx(19, 1), "boiler");
}

TEST_F(BACnetAccessWindow, TheUserTicksTypesAndPicksInTheCells)
{
    ParGen_Type("0");
    Open();
    TExColumnGrid* g = form->ACG1;
    g->SetFocus();
    auto center = [g](Integer c, Integer r) {
        const TRect rc = g->CellRect(c, r);
        return TPoint{(rc.Left + rc.Right) / 2, (rc.Top + rc.Bottom) / 2};
    };
    TestInput::Click(g, center(1, 2));
    EXPECT_EQ(g->GetCellEx(1, 2), "N");
    TestInput::Click(g, center(2, 2));
    TestInput::TypeText(g, "10.0.0.7");
    ASSERT_NE(g->GetNormalEdit(), nullptr);
    TestInput::PressKey(g->GetNormalEdit(), VK_RETURN);
    EXPECT_EQ(g->GetCellEx(2, 2), "10.0.0.7");

    // The object types offered, in their order.
    TestInput::Click(g, center(3, 2));
    TestInput::PressKey(g, VK_F2);
    TGridCombo* box = g->Combobox();
    ASSERT_TRUE(box->Visible());
    ASSERT_EQ(box->Items()->Count(), 15);
    EXPECT_EQ(box->Items()->Strings(0), "Accumulator");
    EXPECT_EQ(box->Items()->Strings(14), "Life Safety Zone");
    TestInput::PressKey(box, VK_ESCAPE);
}

TEST_F(BACnetAccessWindow, RowButtonsWorkOnTheActiveTableAtItsCurrentRow)
{
    ParGen_Type("0");
    Open();
    for (Integer r = 1; r <= 4; ++r)
        Row(form->ACG2, r, {{2, QStringLiteral("10.0.0.%1").arg(r)}, {23, QStringLiteral("w%1").arg(r)}});
    Row(form->ACG1, 2, {{2, "192.168.0.1"}});
    form->PageControl1->SetActivePage(form->TS_BACnet_Write);
    form->ACG2->SetRowEx(2);

    // Delete asks first; No keeps the row.
    DialogSeam::QueueAnswer(IDNO);
    TestInput::Click(form->Btn_DelRow);
    ASSERT_EQ(Boxes(), QStringList{"Are you sure to delete the Row number 2"});
    EXPECT_EQ(DialogSeam::Shown()[0].Flags, MB_YESNO | MB_ICONQUESTION);
    EXPECT_EQ(form->ACG2->GetCellEx(23, 2), "w2");

    DialogSeam::Clear();
    DialogSeam::QueueAnswer(IDYES);
    TestInput::Click(form->Btn_DelRow);
    EXPECT_EQ(form->ACG2->GetCellEx(23, 2), "w3");
    EXPECT_EQ(form->ACG2->GetCellEx(23, 3), "w4");
    EXPECT_EQ(form->ACG2->GetCellEx(23, 4), "");
    EXPECT_EQ(form->ACG2->GetCellEx(0, 2), "2");
    EXPECT_EQ(form->ACG1->GetCellEx(2, 2), "192.168.0.1");  // the other table untouched

    // Insert: no question, an empty enabled row.
    form->ACG2->SetCellEx(1, 2, "N");
    TestInput::Click(form->Btn_InsRow);
    EXPECT_EQ(Cells(form->ACG2, 2).join("").remove(0, 1), "");
    EXPECT_EQ(form->ACG2->GetCellEx(1, 2), "Y");
    EXPECT_EQ(form->ACG2->GetCellEx(23, 3), "w3");
    EXPECT_EQ(form->ACG2->GetCellEx(1, 3), "N");

    // At the last row: delete clears it, insert clears it and enables it.
    form->ACG2->SetRowEx(512);
    Row(form->ACG2, 512, {{1, "N"}, {23, "last"}});
    DialogSeam::Clear();
    DialogSeam::QueueAnswer(IDYES);
    TestInput::Click(form->Btn_DelRow);
    EXPECT_EQ(Boxes(), QStringList{"Are you sure to delete the Row number 512"});
    EXPECT_EQ(Cells(form->ACG2, 512).join(""), "");
    Row(form->ACG2, 512, {{1, "N"}, {23, "last"}});
    TestInput::Click(form->Btn_InsRow);
    EXPECT_EQ(Cells(form->ACG2, 512).join(""), "Y");
}

TEST_F(BACnetAccessWindow, NByteHintOfTheReadTable)
{
    ParGen_Type("0");
    Open();
    struct Case {
        const char* Type;
        const char* Property;
        const char* Hint;
    } const cases[] = {
        {"Binary Input", "Present Value (85)", "1"},       {" binary value ", "present value (85)", "1"},
        {"Life Safety Zone", "Present Value (85)", "2"},   {"Large Analog Value", "Present Value (85)", "8"},
        {"Accumulator", "Present Value (85)", "4"},        {"Positive Integer Value", "Present Value (85)", "4"},
        {"300", "Present Value (85)", ""},                 {"Analog Input", "Object Identifier (75)", "4"},
        {"Accumulator", "PreScale (185)", "5"},            {"Analog Input", "PreScale (185)", ""},
        {"Binary Output", "Polarity (84)", "1"},           {"Multi-State Value", "Number of States (74)", "4"},
        {"Multi-State Value", "Units (117)", ""},          {"Analog Value", "Object Type (79)", "2"},
        {"Analog Value", "Status Flags (111)", "1"},       {"Analog Value", "600", ""},
        {"Analog Value", "", ""},                          {"", "Present Value (85)", ""},
        {"Door", "Present Value (85)", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.Type) + " / " + c.Property);
        Row(form->ACG1, 4, {{3, c.Type}, {5, c.Property}});
        QString hint = "unset";
        form->ACG1->OnGridHint(form->ACG1, 4, 6, hint);
        EXPECT_EQ(hint, QLatin1String(c.Hint));
    }
    // Only the NByte column of data rows; never the write table.
    Row(form->ACG1, 4, {{3, "Analog Input"}, {5, "Present Value (85)"}});
    QString hint = "unset";
    form->ACG1->OnGridHint(form->ACG1, 4, 5, hint);
    EXPECT_EQ(hint, "");
    EXPECT_EQ(form->Str_Hint_Read(0, 6), "");
    Row(form->ACG2, 4, {{3, "Analog Value"}, {6, "Present Value (85)"}});
    hint = "unset";
    form->ACG2->OnGridHint(form->ACG2, 4, 8, hint);
    EXPECT_EQ(hint, "");
    EXPECT_TRUE(form->ACG1->ShowHint());
    EXPECT_FALSE(form->ACG2->ShowHint());

    // With the address column hidden the event's displayed column 5 is NByte.
    ParGen_Type("2");
    Open();
    Row(form->ACG1, 1, {{3, "Analog Input"}, {5, "Present Value (85)"}});
    hint.clear();
    form->ACG1->OnGridHint(form->ACG1, 1, 5, hint);
    EXPECT_EQ(hint, "4");
}

// The entry the compiler makes of one request: 48 bytes, little-endian.
QByteArray Entry(std::initializer_list<std::pair<Integer, QByteArray>> fields)
{
    QByteArray e(48, '\0');
    for (const auto& [offset, bytes] : fields)
        e.replace(offset, bytes.size(), bytes);
    return e;
}

TEST_F(BACnetAccessWindow, SavedTablesCompileIntoTheirRequestEntries)
{
    Use("image/rules/ParGen.xml", ParGen_File);
    Open();
    ASSERT_EQ(form->App_BACnet_Type, 0);
    Full_Row(form->ACG1, 1, Valid_Read_Row());
    Full_Row(form->ACG1, 2, Valid_Read_Row());
    Row(form->ACG1, 2, {{1, "N"}});  // saved, not compiled
    Full_Row(form->ACG2, 1, Valid_Write_Row());
    Row(form->ACG2, 1, {{9, "Y"}, {10, "5"}, {11, "M3"}, {12, "1,2,3"}, {13, "Y"}, {21, "Y"}, {22, "0.5"}});
    EXPECT_TRUE(Press_OK(0).isEmpty());
    ASSERT_EQ(form->ModalResult(), mrOk);

    const TBin_Result result = Create_Bin();
    ASSERT_TRUE(result.Ok) << result.Message.toStdString();
    const QByteArray area(reinterpret_cast<const char*>(Bank2_Buffer) + LoRaWAN_Area_Size, 3 * BACnet_Entry_Size);
    const QByteArray read = Entry({{0, QByteArray::fromHex("0f00a8c0")},
                                   {8, QByteArray::fromHex("0c00000402")},
                                   {16, QByteArray::fromHex("550000000000")},
                                   {24, QByteArray::fromHex("e803000003000000")},
                                   {32, QByteArray::fromHex("010001")},
                                   {44, QByteArray::fromHex("0000803f")}});
    const QByteArray write = Entry({{0, QByteArray::fromHex("0200000a")},
                                    {8, QByteArray::fromHex("0f04080412000600")},
                                    {16, QByteArray::fromHex("5500020002000c00")},
                                    {24, QByteArray::fromHex("0000000007000000")},
                                    {32, QByteArray::fromHex("050003010203")},
                                    {44, QByteArray::fromHex("0000003f")}});
    EXPECT_EQ(area.left(48).toHex().toStdString(), read.toHex().toStdString());
    EXPECT_EQ(area.mid(48, 48).toHex().toStdString(), write.toHex().toStdString());
    EXPECT_EQ(area.mid(96, 48), QByteArray(48, '\0'));
}

} // namespace
