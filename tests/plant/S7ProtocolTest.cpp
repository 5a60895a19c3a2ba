// The S7comm request tables worked as a user works them: the configuration's
// file opened, rows typed, the row buttons, every check, OK and Cancel.
#include "BrokenFiles.h"
#include "TableWindowTest.h"

#include "platform/PageControl.h"
#include "plant/US7_Protocol_Set_Access.h"

namespace {

enum { cN, cEnable, cAddress, cPort, cType, cRack, cSlot, cData_Type, cIdentifier, cDB, cArea, cAdd, cBit, cPoll };
// Read table from column 14, write table from column 14.
enum { rPosition = 14, rStart_Bit, rSwap, rSwap_Word, rMnemonic };
enum { wOnChange = 14, wOnCMD, wPosition, wStart_Bit, wSwap, wSwap_Word, wMnemonic };

// A good enabled row, address and port to fill in; then the read or write tail.
const QString Head = QStringLiteral("Y|%1|%2|S7300|0|2|Word|DB|1|Inputs (I)|0|0|");
const QString Read_Tail = QStringLiteral("1000|0|0|N|N|r");
const QString Write_Tail = QStringLiteral("0|N|N|0|0|N|N|w");

struct S7Window : TableWindowTest<TFS7_Protocol_Set_Access> {
    TExColumnGrid* rd() const { return form->ACG_S7_Read; }
    TExColumnGrid* wr() const { return form->ACG_S7_Write; }
    void Open_Fixture()
    {
        Copy_Fixture(QStringLiteral("s7/S7_Protocol.xml"), S7_Protocol_File);
        Open();
    }
    void Show_Write() { form->PageControl1->SetActivePage(form->TS_S7_Write); }
};

TEST_F(S7Window, OpensTheFileAndOKWritesItBack)
{
    Open_Fixture();
    EXPECT_EQ(form->PageControl1->ActivePage(), form->TS_S7_Read);
    EXPECT_EQ(rd()->GetRowCount(), 513);
    EXPECT_EQ(rd()->GetColCount(), 19);
    EXPECT_EQ(wr()->GetColCount(), 21);
    EXPECT_EQ(form->NByte_IN, 1500);
    EXPECT_EQ(rd()->Columns()->Items(rPosition)->ComboItems()->Count(), 1500);
    EXPECT_EQ(wr()->Columns()->Items(wPosition)->ComboItems()->Strings(1499), "1499");
    EXPECT_EQ(rd()->Columns()->Items(cType)->ComboItems()->Strings(0), "Logo0BA8");

    EXPECT_EQ(rd()->GetCellEx(cN, 1), "1");
    EXPECT_EQ(rd()->GetCellEx(cN, 512), "512");
    EXPECT_EQ(Row(rd(), 1), "Y|192.168.1.125|102|S71200|0|1|Word|DB|10|Inputs (I)|20|0|1000|0|0|N|N|Tank & level");
    // Missing Enable, Rack and Slot: "Y", "0", "0".
    EXPECT_EQ(Row(rd(), 2), "Y|192.168.1.126|102|S7300|0|0|Real|DB|1|Flags (M) (Merker)|4|0|500|2|0|Y|Y|no rack");
    EXPECT_EQ(rd()->GetCellEx(rMnemonic, 4), "after the end");
    EXPECT_EQ(Row(rd(), 6), "Y|||||||||||||||||");
    EXPECT_EQ(wr()->GetCellEx(wMnemonic, 1), "Pump");
    Screenshot("TFS7_Protocol_Set_Access-read");
    Show_Write();
    Screenshot("TFS7_Protocol_Set_Access-write");

    // The disabled row with bad cells passes; the blank address of row 4
    // ends the table, so row 4 is not checked, and OK refuses to drop it
    // until the user deletes it.
    rd()->SetCellEx(cPoll, 4, QStringLiteral("0"));
    EXPECT_EQ(OK_Fails(), Text(5970) + "4" + Text(1108));
    EXPECT_EQ(form->PageControl1->ActivePage(), form->TS_S7_Read);
    Grid_Delete_Row(4, rd());
    OK_Passes();
    EXPECT_EQ(Read_Bytes(S7_Protocol_File), Read_Bytes(QStringLiteral(TEST_DATA_DIR "/plant/s7/expected-S7_Protocol.xml")));
}

TEST_F(S7Window, CancelWritesNothing)
{
    Open_Fixture();
    const QByteArray before = Read_Bytes(S7_Protocol_File);
    rd()->SetCellEx(rMnemonic, 1, QStringLiteral("changed"));
    TestInput::Click(form->Btn_Cancel);
    EXPECT_EQ(form->ModalResult(), mrCancel);
    EXPECT_EQ(Read_Bytes(S7_Protocol_File), before);

    QFile::remove(S7_Protocol_File);
    Open();
    Set_Row(rd(), 1, Head.arg("1.2.3.4", "102") + Read_Tail);
    TestInput::Click(form->Btn_Cancel);
    EXPECT_FALSE(QFile::exists(S7_Protocol_File));
}

TEST_F(S7Window, EveryCheckRefusesItsFaultWithTheRow)
{
    // Cells of row 2 given as (column, text) over a good row; read or write.
    const struct {
        const char* what;
        bool write;
        Integer col;
        const char* text;
        Integer message;  // 0: passes
        const char* tail;
    } cases[] = {
        {"address", false, cAddress, "192.168.1.300", 5971, ""},
        {"address with blanks only inside", false, cAddress, "192.168.1", 5971, ""},
        {"port", false, cPort, "65536", 5972, ""},
        {"port empty", false, cPort, "", 5972, ""},
        {"plc type", false, cType, " ", 5973, ""},
        {"rack 4", false, cRack, "4", 6021, ""},
        {"slot 32", false, cSlot, "32", 6022, ""},
        {"slot 31", false, cSlot, "31", 0, ""},
        {"data type", false, cData_Type, "", 5974, ""},
        {"data identifier", false, cIdentifier, "", 5975, ""},
        {"db number", false, cDB, "65536", 6005, ""},
        {"plc area", false, cArea, "", 6006, ""},
        {"plc add", false, cAdd, "-1", 6007, ""},
        {"plc bit", false, cBit, "", 6008, ""},
        {"read poll 0", false, cPoll, "0", 5976, ""},
        {"read poll above", false, cPoll, "100000001", 5976, ""},
        {"read position 1500", false, rPosition, "1500", 5977, "1499"},
        {"read position 1499", false, rPosition, "1499", 0, ""},
        {"read start bit", false, rStart_Bit, "", 5978, ""},
        {"write address", true, cAddress, "abc", 5979, ""},
        {"write port", true, cPort, "x", 5980, ""},
        {"write type", true, cType, "", 5981, ""},
        {"write rack", true, cRack, "-1", 6023, ""},
        {"write slot", true, cSlot, "32", 6024, ""},
        {"write data type", true, cData_Type, "", 5982, ""},
        {"write identifier", true, cIdentifier, "", 5983, ""},
        {"write db", true, cDB, "", 6009, ""},
        {"write area", true, cArea, "", 6010, ""},
        {"write add", true, cAdd, "70000", 6011, ""},
        {"write bit", true, cBit, "", 6012, ""},
        {"write poll 0", true, cPoll, "0", 0, ""},
        {"write poll negative", true, cPoll, "-1", 5984, ""},
        {"write position", true, wPosition, "1500", 5985, "1499"},
        {"write start bit", true, wStart_Bit, "", 5986, ""},
        {"disabled", true, cEnable, "N", 0, ""},
        // Numbers are decimal only.
        {"port in hexadecimal", false, cPort, "$66", 5972, ""},
        {"db number in hexadecimal", false, cDB, "0x10", 6005, ""},
        {"write poll in hexadecimal", true, cPoll, "x10", 5984, ""},
        {"write position in hexadecimal", true, wPosition, "$10", 5985, "1499"},
        {"leading blanks and sign", false, cPort, "  +102", 0, ""},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.what);
        QFile::remove(S7_Protocol_File);
        Open();
        TExColumnGrid* g = k.write ? wr() : rd();
        const QString tail = k.write ? Write_Tail : Read_Tail;
        Set_Row(g, 1, Head.arg("192.168.1.1", "102") + tail);
        Set_Row(g, 2, Head.arg("192.168.1.2", "102") + tail);
        g->SetCellEx(k.col, 2, QLatin1String(k.text));
        if (k.col == cEnable)  // a disabled row is not checked at all
            g->SetCellEx(cAddress, 2, QStringLiteral("bad"));
        if (k.message == 0) {
            OK_Passes();
            EXPECT_TRUE(QFile::exists(S7_Protocol_File));
        } else {
            EXPECT_EQ(OK_Fails(), Text(5970) + "2" + Text(k.message) + QLatin1String(k.tail));
            EXPECT_FALSE(QFile::exists(S7_Protocol_File));
        }
    }
}

TEST_F(S7Window, TenConnectionsAreCountedOverBothTables)
{
    const struct {
        const char* what;
        // Address and port of read rows, then of write rows.
        std::vector<std::pair<QString, QString>> read, write;
        QString message;
    } cases[] = {
        {"eleven addresses", {}, {}, Text(5970) + "11" + Text(5987)},
        {"eleven ports", {}, {}, Text(5970) + "11" + Text(5987)},
        {"one connection eleven times", {}, {}, QString()},
        {"six read and five write", {}, {}, Text(5970) + "5" + Text(5988)},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].what);
        QFile::remove(S7_Protocol_File);
        Open();
        for (Integer r = 1; r <= 11; ++r) {
            QString address = QStringLiteral("10.0.0.%1").arg(r), port = QStringLiteral("102");
            if (i == 1)
                address = QStringLiteral("10.0.0.1"), port = QString::number(100 + r);
            if (i == 2)
                address = QStringLiteral("10.0.0.1");
            if (i == 3 && r > 6)
                Set_Row(wr(), r - 6, Head.arg(QStringLiteral("10.0.1.%1").arg(r), port) + Write_Tail);
            else
                Set_Row(rd(), r, Head.arg(address, port) + Read_Tail);
        }
        if (cases[i].message.isEmpty())
            OK_Passes();
        else
            EXPECT_EQ(OK_Fails(), cases[i].message);
    }
    // The table itself: the first free entry takes a connection, the same
    // one finds its entry, an eleventh is refused.
    form->array_ip_Port.fill({});
    for (Integer k = 0; k < 10; ++k)
        EXPECT_EQ(form->Check_IP_Port(10, 0, 0, k, 102), k);
    EXPECT_EQ(form->Check_IP_Port(10, 0, 0, 3, 102), 3);
    EXPECT_EQ(form->Check_IP_Port(10, 0, 0, 3, 103), -1);
}

TEST_F(S7Window, RowButtonsWorkOnTheShownTable)
{
    Open_Fixture();
    Select(rd(), 2);
    EXPECT_EQ(Press(form->Btn_DelRow, IDNO), Text(5493) + "2");
    EXPECT_EQ(DialogSeam::Shown().back().Flags, MB_YESNO | MB_ICONQUESTION);
    EXPECT_EQ(rd()->GetCellEx(rMnemonic, 2), "no rack");
    Press(form->Btn_DelRow, IDYES);
    EXPECT_EQ(rd()->GetCellEx(rMnemonic, 2), "parked");
    EXPECT_EQ(rd()->GetCellEx(cN, 2), "2");

    Show_Write();
    Select(wr(), 1);
    TestInput::Click(form->Btn_InsRow);
    EXPECT_EQ(Row(wr(), 1), "Y|||||||||||||||||||");
    EXPECT_EQ(wr()->GetCellEx(wMnemonic, 2), "Pump");

    // Copy on the write page, paste there; the read page refuses it.
    Select(wr(), 2);
    TestInput::Click(form->Btn_CopyRow);
    EXPECT_TRUE(form->Do_Copy_In_Write);
    EXPECT_FALSE(form->Do_Copy_In_Read);
    Select(wr(), 5);
    TestInput::Click(form->Btn_PasteRow);
    EXPECT_EQ(wr()->GetCellEx(wMnemonic, 5), "Pump");
    form->PageControl1->SetActivePage(form->TS_S7_Read);
    Select(rd(), 7);
    EXPECT_EQ(Press(form->Btn_PasteRow, IDOK), Text(1102));
    EXPECT_EQ(Row(rd(), 7), "Y|||||||||||||||||");

    // A new showing forgets the copy.
    Open();
    EXPECT_FALSE(form->Do_Copy_In_Write);
}

TEST_F(S7Window, GridHandlersAndTexts)
{
    Open_Fixture();
    form->ClickCell(rd(), 3, 0);
    EXPECT_EQ(rd()->Selection().Top, 3);
    EXPECT_EQ(rd()->Selection().Left, 1);
    const struct {
        TExColumnGrid* grid;
        Integer row, col, hint;
    } hints[] = {{rd(), 0, 1, 5944}, {rd(), 0, 5, 6017}, {rd(), 0, 18, 5955},
                 {wr(), 0, 14, 5963}, {wr(), 0, 20, 5969}, {rd(), 0, 0, -1}, {rd(), 2, 3, -1}};
    for (const auto& h : hints) {
        QString text = QStringLiteral("stale");
        form->GridHint(h.grid, h.row, h.col, text);
        EXPECT_EQ(text, h.hint < 0 ? QString() : Text(h.hint)) << h.col;
    }
    EXPECT_EQ(form->Hint_S7_Set_Access_Read->Count(), 18);
    EXPECT_EQ(form->Hint_S7_Set_Access_Write->Count(), 20);
    EXPECT_EQ(form->Caption(), "S7comm Access");
    EXPECT_EQ(wr()->Columns()->Items(wOnCMD)->Header(), "On CMD");

    Language_Texts->Put(5900, QStringLiteral("Accesso S7comm"));
    Language_Texts->Put(6013, QStringLiteral("Telaio"));
    form->Set_Lang();
    EXPECT_EQ(form->Caption(), "Accesso S7comm");
    EXPECT_EQ(rd()->Columns()->Items(cRack)->Header(), "Telaio");

    Enable_Jump_Field_Tables = true;
    wr()->SetRowEx(3);
    wr()->SetCol(20);
    TestInput::PressKey(wr(), VK_RETURN, {}, QStringLiteral("\r"));
    EXPECT_EQ(wr()->GetRowEx(), 4);
    EXPECT_EQ(wr()->GetCol(), 1);
    Enable_Jump_Field_Tables = false;
}

TEST_F(S7Window, EmptyTruncatedAndRandomFilesAreReportedAndTheTablesStayBlank)
{
    for (const TBrokenFile& b : BrokenFiles(Read_Bytes(QStringLiteral(TEST_DATA_DIR "/plant/s7/S7_Protocol.xml")))) {
        SCOPED_TRACE(b.Name);
        QFile f(S7_Protocol_File);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(b.Bytes);
        f.close();
        DialogSeam::Clear();
        DialogSeam::QueueAnswer(IDOK);
        form->Hide();
        form->Show();
        ASSERT_EQ(DialogSeam::Shown().size(), 1u);
        EXPECT_EQ(DialogSeam::Shown()[0].Flags, MB_OK | MB_ICONERROR);
        EXPECT_EQ(Row(rd(), 1), "Y|||||||||||||||||");
        // Showing the window changed nothing in the file.
        EXPECT_EQ(Read_Bytes(S7_Protocol_File), b.Bytes);
        DialogSeam::Clear();
    }
}

TEST_F(S7Window, ABrokenFileIsReportedAndTheTablesStayBlank)
{
    Write(S7_Protocol_File, QStringLiteral("<S7_Protocol><S7_Protocol_Read>"));
    DialogSeam::QueueAnswer(IDOK);
    form->Show();
    ASSERT_EQ(DialogSeam::Shown().size(), 1u);
    EXPECT_EQ(DialogSeam::Shown()[0].Flags, MB_OK | MB_ICONERROR);
    EXPECT_EQ(Row(rd(), 1), "Y|||||||||||||||||");
}

} // namespace
