// The SNMP agent object tables worked as a user works them: the
// configuration's file opened, the enabled rows numbered, rows typed, the
// row buttons, every check, OK (read back by the MIB writer) and Cancel.
#include "TableWindowTest.h"

#include "platform/PageControl.h"
#include "plant/USNMP_MIB.h"
#include "plant/USNMP_Trap_Access.h"

namespace {

enum {
    rN, rEnable, rCommunity, rType, rOnChange, rOnCMD, rOnTimer, rTime, rPosition, rBit, rNumBits, rDescription,
    rIP, rConversion, rMnemonic
};
enum { wN, wEnable, wCommunity, wType, wPosition, wBit, wNumBits, wDescription, wConversion, wMnemonic };

QString Good_Read(const QString& description)
{
    return QStringLiteral("Y|Lumera|Int|N|N|N||0|0|16|%1|10.0.0.1|None|").arg(description);
}
QString Good_Write(const QString& description)
{
    return QStringLiteral("Y|Lumera|Int|0|0|16|%1|None|").arg(description);
}

QStringList Column0(const TExColumnGrid* g, Integer rows)
{
    QStringList l;
    for (Integer r = 1; r <= rows; ++r)
        l << g->GetCellEx(0, r);
    return l;
}

struct SNMPTrapWindow : TableWindowTest<TFSNMP_Trap_Access> {
    TExColumnGrid* rd() const { return form->ACG_SNMP_Read; }
    TExColumnGrid* wr() const { return form->ACG_SNMP_Write; }
    void Show(TTabSheet* page) { form->PageControl1->SetActivePage(page); }
};

TEST_F(SNMPTrapWindow, OpensTheFileNumbersTheEnabledRowsAndOKWritesWhatTheMIBReads)
{
    Copy_Fixture(QStringLiteral("snmp/SNMP_Trap.xml"), SNMP_Trap_File);
    Open();
    EXPECT_EQ(rd()->GetRowCount(), 257);
    EXPECT_EQ(rd()->GetColCount(), 15);
    EXPECT_EQ(wr()->GetColCount(), 10);
    EXPECT_EQ(rd()->Columns()->Items(rPosition)->ComboItems()->Count(), 1440);
    EXPECT_EQ(wr()->Columns()->Items(wConversion)->ComboItems()->Count(), 11);
    EXPECT_EQ(Row(rd(), 1), "Y|Lumera|Int|Y|N|Y|1000|0|0|16|temp1|192.168.1.125|Float * 10|Boiler & tank");
    // Missing attributes: check boxes "N", Conversion "None".
    EXPECT_EQ(Row(rd(), 3), "y|Vostrel|String|N|N|N||12|0|8|name1|192.168.1.126|None|defaults");
    // Only enabled rows ("y" too) are numbered; blank rows are enabled.
    EXPECT_EQ(Column0(rd(), 6), QStringList({"1", "", "2", "3", "4", "5"}));
    EXPECT_EQ(rd()->GetCellEx(rN, 256), "255");
    EXPECT_EQ(Row(wr(), 1), "Y|Lumera|Int|0|3|4|setp1|Int * 10|Setpoint");
    Screenshot("TFSNMP_Trap_Access-read");
    Show(form->TS_SNMP_Write);
    Screenshot("TFSNMP_Trap_Access-write");

    // Row 4 of the read table has no community name but holds the rest of a
    // rule: OK refuses to drop it until the user deletes it.
    EXPECT_EQ(OK_Fails(), Text(6260) + "4" + Text(1108));
    EXPECT_EQ(form->PageControl1->ActivePage(), form->TS_SNMP_Read);
    Grid_Delete_Row(4, rd());
    Show(form->TS_SNMP_Write);
    OK_Passes();
    EXPECT_EQ(Read_Bytes(SNMP_Trap_File),
              Read_Bytes(QStringLiteral(TEST_DATA_DIR "/plant/snmp/expected-SNMP_Trap.xml")));
    // The MIB writer numbers its objects as column 0 does.
    Read_SNMP_Trap_Lists();
    ASSERT_EQ(MIB_Read_List->Count(), 2);
    EXPECT_EQ(MIB_Read_List->Strings(0), "temp1");
    EXPECT_EQ(MIB_Read_List->Strings(1), "name1");
    EXPECT_EQ(MIB_Int_Flags[0], 1);
    EXPECT_EQ(MIB_Int_Flags[1], 0);
    ASSERT_EQ(MIB_Write_List->Count(), 1);
    EXPECT_EQ(MIB_Write_List->Strings(0), "setp1");

    // The page shown stays at the next showing.
    Open();
    EXPECT_EQ(form->PageControl1->ActivePage(), form->TS_SNMP_Write);
}

TEST_F(SNMPTrapWindow, CancelWritesNothing)
{
    Open();
    Set_Row(rd(), 1, Good_Read("a1"));
    TestInput::Click(form->Btn_Cancel);
    EXPECT_EQ(form->ModalResult(), mrCancel);
    EXPECT_FALSE(QFile::exists(SNMP_Trap_File));
}

TEST_F(SNMPTrapWindow, EveryCheckRefusesItsFaultWithTheRow)
{
    const struct {
        const char* what;
        bool write;
        Integer col;
        const char* text;
        Integer message;  // 0: passes
    } cases[] = {
        {"community with a blank", false, rCommunity, "Lu mera", 6276},
        {"type", false, rType, " ", 6261},
        {"timer time 0", false, rOnTimer, "Y", 6262},
        {"position", false, rPosition, "", 6263},
        {"start bit", false, rBit, "", 6264},
        {"int start bit 3", false, rBit, "3", 0},
        {"int 65 bits", false, rNumBits, "65", 6266},
        {"int 64 bits", false, rNumBits, "64", 0},
        {"description Temp1", false, rDescription, "Temp1", 6277},
        {"description 1temp", false, rDescription, "1temp", 6277},
        {"description temp_1", false, rDescription, "temp_1", 6277},
        {"ip", false, rIP, "10.0.0", 6268},
        {"conversion", false, rConversion, "", 6285},
        {"write community", true, wCommunity, "a-b", 6278},
        {"write type", true, wType, "", 6269},
        {"write position", true, wPosition, "", 6270},
        {"write start bit", true, wBit, "", 6271},
        {"write 0 bits", true, wNumBits, "0", 6273},
        {"write description", true, wDescription, "X1", 6279},
        {"write conversion", true, wConversion, "", 6286},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.what);
        QFile::remove(SNMP_Trap_File);
        Open();
        TExColumnGrid* g = k.write ? wr() : rd();
        Set_Row(g, 1, k.write ? Good_Write("one") : Good_Read("one"));
        Set_Row(g, 2, k.write ? Good_Write("two") : Good_Read("two"));
        g->SetCellEx(k.col, 2, QLatin1String(k.text));
        if (k.message == 0) {
            OK_Passes();
        } else {
            EXPECT_EQ(OK_Fails(), Text(6260) + "2" + Text(k.message));
            EXPECT_FALSE(QFile::exists(SNMP_Trap_File));
        }
    }
}

TEST_F(SNMPTrapWindow, TypeDecidesTheStartBitAndTheSize)
{
    const struct {
        const char* type;
        const char* bit;
        const char* size;
        const char* timer;
        const char* time;
        Integer message;
    } cases[] = {
        {"String", "3", "8", "N", "", 6265}, {"String", "0", "16", "N", "", 0}, {"String", "0", "17", "N", "", 6267},
        {"Int", "3", "64", "N", "", 0},      {"Int", "0", "", "N", "", 6266},   {"Int", "0", "8", "Y", "0", 6262},
        {"Int", "0", "8", "Y", "1000000000", 0}, {"Int", "0", "8", "y", "1000000001", 6262},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(std::string(k.type) + k.bit + "/" + k.size + "/" + k.time);
        QFile::remove(SNMP_Trap_File);
        Open();
        Set_Row(rd(), 1, QStringLiteral("Y|Lumera|%1|N|N|%2|%3|0|%4|%5|ok1|10.0.0.1|None|")
                             .arg(QLatin1String(k.type), QLatin1String(k.timer), QLatin1String(k.time),
                                  QLatin1String(k.bit), QLatin1String(k.size)));
        if (k.message == 0)
            OK_Passes();
        else
            EXPECT_EQ(OK_Fails(), Text(6260) + "1" + Text(k.message));
    }
}

TEST_F(SNMPTrapWindow, DescriptionsMustDifferAcrossBothTables)
{
    Open();
    Set_Row(rd(), 1, Good_Read("abc"));
    Set_Row(wr(), 1, Good_Write("abc"));
    EXPECT_EQ(OK_Fails(), Text(6280));
    // Case counts.
    wr()->SetCellEx(wDescription, 1, QStringLiteral("aBC"));
    OK_Passes();
    // A disabled row is not collected.
    form->SetModalResult(mrNone);
    wr()->SetCellEx(wDescription, 1, QStringLiteral("abc"));
    wr()->SetCellEx(wEnable, 1, QStringLiteral("N"));
    OK_Passes();
    // Two empty descriptions are equal too.
    form->SetModalResult(mrNone);
    rd()->SetCellEx(rDescription, 1, QString());
    Set_Row(rd(), 2, Good_Read(""));
    EXPECT_EQ(OK_Fails(), Text(6280));
}

TEST_F(SNMPTrapWindow, TheCharacterRules)
{
    const struct {
        const char* text;
        Integer kind;
        bool fault;
    } cases[] = {{"Lumera01", 0, false}, {"", 0, false}, {"Lu mera", 0, true}, {"é", 0, true},
                 {"temp1", 1, false},    {"", 1, false}, {"Temp1", 1, true},   {"1temp", 1, true},
                 {"temp_1", 1, true},    {" temp", 1, true}};
    for (const auto& k : cases)
        EXPECT_EQ(TFSNMP_Trap_Access::Check_Error_CommName_Desc(QString::fromUtf8(k.text), k.kind), k.fault)
            << k.text << " " << k.kind;
}

TEST_F(SNMPTrapWindow, AnEnableClickRenumbersAndTheRowButtonsWorkOnTheShownTable)
{
    Open();
    for (Integer r = 1; r <= 4; ++r)
        Set_Row(rd(), r, Good_Read(QStringLiteral("d%1").arg(r)));
    rd()->SetCellEx(rEnable, 2, QStringLiteral("N"));
    // As the grid's check-box click event calls it.
    form->ACG_SNMP_ReadCheckBoxClick(rd(), rEnable, 2, false);
    EXPECT_EQ(Column0(rd(), 5), QStringList({"1", "", "2", "3", "4"}));
    // Another column renumbers nothing.
    rd()->SetCellEx(rEnable, 3, QStringLiteral("N"));
    form->ACG_SNMP_ReadCheckBoxClick(rd(), rOnChange, 3, true);
    EXPECT_EQ(rd()->GetCellEx(rN, 3), "2");

    Show(form->TS_SNMP_Read);
    Select(rd(), 1);
    EXPECT_EQ(Press(form->Btn_DelRow, IDYES), Text(6275) + "1");
    EXPECT_EQ(rd()->GetCellEx(rDescription, 1), "d2");
    TestInput::Click(form->Btn_CopyRow);
    EXPECT_TRUE(form->Do_Copy_In_Read);
    Show(form->TS_SNMP_Write);
    Select(wr(), 1);
    EXPECT_EQ(Press(form->Btn_PasteRow, IDOK), Text(1102));
    TestInput::Click(form->Btn_InsRow);
    EXPECT_EQ(Row(wr(), 1), "Y||||||||");

    QString hint;
    form->GridHint(wr(), 0, wBit, hint);
    EXPECT_EQ(hint, Text(6256));
    form->GridHint(rd(), 0, rConversion, hint);
    EXPECT_EQ(hint, Text(6283));
    EXPECT_EQ(form->Hint_SNMP_Read->Count(), 14);
    EXPECT_EQ(form->Hint_SNMP_Write->Count(), 9);
    EXPECT_EQ(form->TS_SNMP_Write->Caption(), "SNMP Write");
    EXPECT_EQ(rd()->Columns()->Items(rTime)->Header(), "Time (ms)");
}

} // namespace

namespace {

TEST_F(SNMPTrapWindow, AMissingTableElementLeavesItsTableBlank)
{
    Write(SNMP_Trap_File, QStringLiteral("<SNMP_Trap><SNMP_Trap_Write>"
                                         "<row Enable=\"Y\" Community_Name=\"Lumera\" Description=\"only1\"/>"
                                         "</SNMP_Trap_Write></SNMP_Trap>"));
    Open();
    EXPECT_EQ(Row(rd(), 1), "Y|||||||||||||");
    EXPECT_EQ(Row(wr(), 1), "Y|Lumera|||||only1|None|");
}

} // namespace
