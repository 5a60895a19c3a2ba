// The SNMP manager request table worked as a user works it: the
// configuration's file opened, rows typed, the row buttons, every check, the
// duplicate and budget checks, OK and Cancel.
#include "TableWindowTest.h"

#include "plant/USNMPManagerAccess.h"

namespace {

enum {
    cN, cEnable, cIP, cVersion, cCommunity, cOID, cType, cMode, cOnChange, cOnCMD, cOnTimer, cTime, cPosition,
    cNum_Bytes, cConversion, cCancel, cUser, cAuth_Pass, cPriv_Pass, cSecurity, cAuth_Mode, cPriv_Mode, cMnemonic
};

const QString Blank = QStringLiteral("Y|||||||||||||||||||||");

// A good enabled version-2 row; address and OID to fill in.
QString Good(const QString& ip, const QString& oid)
{
    return QStringLiteral("Y|%1|2|Lumera|%2|Int|Get|N|N|N||0|4|None|N||||||").arg(ip, oid);
}

struct SNMPManagerWindow : TableWindowTest<TFSNMPManagerAccess> {
    TExColumnGrid* g() const { return form->ACG_SNMP; }
};

TEST_F(SNMPManagerWindow, OpensTheFileAndOKWritesItBack)
{
    Copy_Fixture(QStringLiteral("snmp/SNMP_Manager.xml"), SNMP_Manager_File);
    Open();
    EXPECT_EQ(g()->GetRowCount(), 513);
    EXPECT_EQ(g()->GetColCount(), 23);
    EXPECT_EQ(g()->Columns()->Items(cPosition)->ComboItems()->Count(), 1440);
    EXPECT_EQ(g()->GetCellEx(cN, 512), "512");
    EXPECT_EQ(Row(g(), 1), "Y|192.168.1.20|2|Lumera|1.3.6.1.2.1.1.3.0|Int|Get|N|N|Y|1000|0|4|None|Y|||||||Uptime <s>");
    // Missing attributes: Enable "Y", check boxes "N", Conversion "None".
    EXPECT_EQ(Row(g(), 2), "Y|192.168.1.21|3||1.3.6.1.4.1.9.1|String|Set|N|N|N||10|16|None|N|admin|secret1|secret2|"
                           "Auth Priv|SHA|AES|v3 defaults");
    EXPECT_EQ(g()->GetCellEx(cMnemonic, 5), "after the end");
    EXPECT_EQ(Row(g(), 6), Blank);
    Screenshot("TFSNMPManagerAccess");

    // Row 4's address is blank, which ends the table above row 5: OK
    // refuses to drop them until the user deletes both.
    EXPECT_EQ(OK_Fails(), Text(6137) + "4" + Text(1108));
    Grid_Delete_Row(4, g());
    Grid_Delete_Row(4, g());
    OK_Passes();
    EXPECT_EQ(Read_Bytes(SNMP_Manager_File),
              Read_Bytes(QStringLiteral(TEST_DATA_DIR "/plant/snmp/expected-SNMP_Manager.xml")));

    // The rows below the blank address are gone at the next showing.
    Open();
    EXPECT_EQ(Row(g(), 5), Blank);
}

TEST_F(SNMPManagerWindow, CancelWritesNothing)
{
    Open();
    Set_Row(g(), 1, Good("1.2.3.4", "1.3"));
    TestInput::Click(form->Btn_Cancel);
    EXPECT_EQ(form->ModalResult(), mrCancel);
    EXPECT_FALSE(QFile::exists(SNMP_Manager_File));
}

TEST_F(SNMPManagerWindow, EveryCheckRefusesItsFaultWithTheRow)
{
    const QString v3 = QStringLiteral("Y|10.0.0.2|3|Lumera|1.3.6|Int|Get|N|N|N||0|4|None|N|user|a|p|%1|%2|%3|");
    const struct {
        const char* what;
        QString row2;
        Integer message;  // 0: passes
    } cases[] = {
        {"ip 300", Good("192.168.1.300", "1.3"), 6138},
        {"oid 129 characters", Good("10.0.0.2", QString(129, QLatin1Char('1'))), 6139},
        {"oid letter", Good("10.0.0.2", "1.3.a"), 6140},
        {"oid empty", Good("10.0.0.2", ""), 6140},
        {"oid leading dot", Good("10.0.0.2", ".1.3"), 6141},
        {"oid trailing dot", Good("10.0.0.2", "1.3."), 6142},
        {"oid two dots", Good("10.0.0.2", "1..3"), 6143},
        {"oid component too big", Good("10.0.0.2", "1.4294967296"), 6144},
        {"oid largest component", Good("10.0.0.2", "1.4294967295"), 0},
        {"timer with time 0", Good("10.0.0.2", "1.3").replace("|N|N|N||", "|N|N|Y|0|"), 6145},
        {"timer with time above", Good("10.0.0.2", "1.3").replace("|N|N|N||", "|N|N|Y|100000001|"), 6145},
        {"timer with largest time", Good("10.0.0.2", "1.3").replace("|N|N|N||", "|N|N|Y|100000000|"), 0},
        {"no timer, empty time", Good("10.0.0.2", "1.3"), 0},
        {"num bytes empty", Good("10.0.0.2", "1.3").replace("|0|4|", "|0||"), 6146},
        {"num bytes 1025", Good("10.0.0.2", "1.3").replace("|0|4|", "|0|1025|"), 6146},
        {"num bytes 0", Good("10.0.0.2", "1.3").replace("|0|4|", "|0|0|"), 0},
        {"num bytes 1024", Good("10.0.0.2", "1.3").replace("|0|4|", "|0|1024|"), 0},
        {"conversion empty", Good("10.0.0.2", "1.3").replace("|None|", "| |"), 6156},
        {"v2 without security level", Good("10.0.0.2", "1.3"), 0},
        {"v3 empty level needs auth mode", v3.arg("", "", "AES"), 6184},
        {"v3 empty level needs priv mode", v3.arg("", "MD5", ""), 6185},
        {"v3 no auth no priv", v3.arg("NoAuth NoPriv", "", ""), 0},
        {"v3 auth no priv", v3.arg("Auth NoPriv", "SHA", ""), 0},
        {"v3 auth no priv without mode", v3.arg("Auth NoPriv", "", "DES"), 6184},
        {"v3 auth priv", v3.arg("Auth Priv", "MD5", ""), 6185},
        {"disabled row", QStringLiteral("N|192.168.1.300|2|x|..|||||||||||||||||"), 0},
        {"lower-case enable is not enabled", QStringLiteral("y|192.168.1.300|2|x|..|||||||||||||||||"), 0},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.what);
        QFile::remove(SNMP_Manager_File);
        Open();
        Set_Row(g(), 1, Good("10.0.0.1", "1.3"));
        Set_Row(g(), 2, k.row2);
        if (k.message == 0) {
            OK_Passes();
            EXPECT_TRUE(QFile::exists(SNMP_Manager_File));
        } else {
            EXPECT_EQ(OK_Fails(), Text(6137) + "2" + Text(k.message));
            EXPECT_FALSE(QFile::exists(SNMP_Manager_File));
        }
    }
}

TEST_F(SNMPManagerWindow, DuplicatesAreReportedByTheirRows)
{
    Open();
    for (Integer r = 1; r <= 8; ++r)
        Set_Row(g(), r, Good(QStringLiteral("10.0.0.%1").arg(r), "1.3"));
    Set_Row(g(), 7, Good("10.0.0.3", "1.3"));
    g()->SetCellEx(cIP, 7, QStringLiteral("10.0.0.3 "));
    EXPECT_EQ(OK_Fails(), Text(6186) + "3" + Text(6187) + "7" + Text(6188));
    // Another version is another request.
    g()->SetCellEx(cVersion, 7, QStringLiteral("1"));
    OK_Passes();
    g()->SetCellEx(cVersion, 7, QStringLiteral("2"));
    g()->SetCellEx(cEnable, 7, QStringLiteral("N"));
    form->SetModalResult(mrNone);
    OK_Passes();
}

TEST_F(SNMPManagerWindow, TheTextBudgetCountsOIDsAndVersion3Credentials)
{
    // The count starts at 1 and adds each counted text's length + 1: 367
    // OIDs of 127 characters, a version-3 row and a last OID of 105
    // characters make exactly 47104.
    Open();
    const QString oid = QStringLiteral("1") + QStringLiteral(".1").repeated(63);
    Integer budget = 1;
    Integer r = 1;
    for (; r <= 367; ++r) {
        Set_Row(g(), r, Good(QStringLiteral("10.0.%1.%2").arg(r / 256).arg(r % 256), oid));
        budget += 128;
    }
    // A version-3 row: OID "1.3" (4), user (5), both passwords (6 each).
    const QString v3 = QStringLiteral("Y|10.9.9.9|3|Lumera|1.3|Int|Get|N|N|N||0|4|None|N|user|pass1|pass2|Auth Priv|MD5|DES|");
    Set_Row(g(), r++, v3);
    budget += 4 + 5 + 6 + 6;
    // Fill the rest up to exactly 47104 with one OID.
    const Integer rest = 47104 - budget - 1;
    ASSERT_GT(rest, 2);
    ASSERT_LE(rest, 128);
    ASSERT_EQ(rest % 2, 1);
    const QString last = QStringLiteral("1") + QStringLiteral(".3").repeated((rest - 1) / 2);
    Set_Row(g(), r, Good("10.8.8.8", last));
    OK_Passes();

    form->SetModalResult(mrNone);
    g()->SetCellEx(cOID, r, last + QLatin1Char('3'));  // one more character
    EXPECT_EQ(OK_Fails(), Text(6189));
    // The same credentials on a version-2 row do not count.
    g()->SetCellEx(cVersion, r - 1, QStringLiteral("2"));
    OK_Passes();
}

TEST_F(SNMPManagerWindow, RowButtonsHintsAndTexts)
{
    Copy_Fixture(QStringLiteral("snmp/SNMP_Manager.xml"), SNMP_Manager_File);
    Open();
    Select(g(), 1);
    EXPECT_EQ(Press(form->Btn_DelRow, IDYES), Text(6147) + "1");
    EXPECT_EQ(g()->GetCellEx(cMnemonic, 1), "v3 defaults");
    TestInput::Click(form->Btn_InsRow);
    EXPECT_EQ(Row(g(), 1), Blank);
    EXPECT_EQ(g()->GetCellEx(cMnemonic, 2), "v3 defaults");

    EXPECT_EQ(Press(form->Btn_PasteRow, IDOK), Text(1102));
    Select(g(), 2);
    TestInput::Click(form->Btn_CopyRow);
    EXPECT_TRUE(form->Do_Copy_SNMP);
    Select(g(), 1);
    TestInput::Click(form->Btn_PasteRow);
    EXPECT_EQ(Row(g(), 1), Row(g(), 2));

    QString hint;
    form->GridHint(g(), 0, cCancel, hint);
    EXPECT_EQ(hint, Text(6161));
    form->GridHint(g(), 0, cMnemonic, hint);
    EXPECT_EQ(hint, Text(6136));
    form->GridHint(g(), 1, cMnemonic, hint);
    EXPECT_EQ(hint, QString());
    EXPECT_EQ(form->Hint_SNMP->Count(), 22);
    EXPECT_EQ(g()->Columns()->Items(cNum_Bytes)->Header(), "Num Bytes");
    EXPECT_EQ(form->Btn_OK->Hint(), Text(6148));
    EXPECT_EQ(form->Btn_PasteRow->Hint(), Text(6153));
}

} // namespace
