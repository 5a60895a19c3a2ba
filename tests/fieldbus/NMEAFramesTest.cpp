// The NMEA 2000 receive and transmit frame windows: loading their files with
// the defaults, every check, the byte budgets, OK writing the file, Cancel
// writing nothing, the row buttons and hints.
#include "RuleTableFixture.h"

#include "fieldbus/UReceiveNMEA.h"
#include "fieldbus/UTransmitNMEA.h"

namespace {

const QString NMEA = QStringLiteral("nmea");

using NMEAReceiveWindow = RuleTableTest<TFReceiveNMEA>;
using NMEATransmitWindow = RuleTableTest<TFTransmitNMEA>;

QString Expected(const char* name)
{
    return QStringLiteral(TEST_DATA_DIR "/fieldbus/nmea/expected-") + QLatin1String(name);
}

TEST_F(NMEAReceiveWindow, OpensTheConfigurationsFramesAndOKWritesThemBack)
{
    Copy_Fixture(NMEA, QStringLiteral("NMEA_Rec_Frames.xml"));
    Open();
    TExColumnGrid* g = form->sga;
    EXPECT_EQ(form->NUM_BYTE_IN, 512);
    EXPECT_EQ(g->GetRowCount(), 63);
    EXPECT_EQ(g->GetColCount(), 9);
    EXPECT_EQ(form->ClientWidth(), 810);
    EXPECT_EQ(NMEAReceiveWindow::Row(g, 1), "0x1F801|12|N|Y|0|223|Y|position");
    EXPECT_EQ(NMEAReceiveWindow::Row(g, 2), "127250|1|N|N|||N|");
    EXPECT_EQ(NMEAReceiveWindow::Row(g, 3), QString('|').repeated(7));
    Screenshot("TFReceiveNMEA");

    // A new frame typed with its boxes never touched: they are written empty.
    g->SetCellEx(1, 3, QStringLiteral("130306"));
    g->SetCellEx(2, 3, QStringLiteral("2"));
    g->SetCellEx(5, 3, QStringLiteral("2"));
    g->SetCellEx(6, 3, QStringLiteral("6"));
    g->SetCellEx(8, 3, QStringLiteral("wind"));
    OK_Passes();
    EXPECT_EQ(Read_Bytes(NMEA_Rec_Frames_File), Read_Bytes(Expected("NMEA_Rec_Frames.xml")));
}

TEST_F(NMEAReceiveWindow, EveryCheckRefusesItsFaultWithTheRowItIsIn)
{
    // Row 1 captures nothing, so row 2 alone meets the budget.
    const QString first = QStringLiteral("1|1|Y|N|0|0|N|first");
    Check_Row_Cases(form->sga, first, NMEA_Rec_Frames_File, 4631, {
        {"largest PGN", "0x1FFFF|1|N|N", QString()},
        {"PGN 131072", "131072|1|N|N", Lang(4632)},
        {"blank PGN is no end", " |1|N|N", Lang(4632)},
        {"source address 240", "1|240|N|N", Lang(4633)},
        {"fast packet 0 + 223", "1|1|N|Y|0|223", QString()},
        {"fast packet 1 + 223", "1|1|N|Y|1|223", Lang(4637)},
        {"fast packet start 224", "1|1|N|Y|224|0", Lang(4636)},
        {"fast packet no count", "1|1|N|Y|0|", Lang(4637)},
        {"fast packet count at the integer limit", "1|1|N|Y|1|2147483647", Lang(4637)},
        {"transport count at the integer limit", "1|1|Y|N|1|2147483647", Lang(4635)},
        {"both: transport limits", "1|1|Y|Y|0|300", QString()},
        {"transport start past 1785", "1|1|Y|N|1786|0", Lang(4634)},
        {"transport past 1785", "1|1|Y|N|1|1785", Lang(4635)},
        {"frame 2 + 6", "1|1|N|N|2|6", QString()},
        {"frame 2 + 7", "1|1|N|N|2|7", Lang(4641)},
        {"frame count 0", "1|1|N|N|2|0", Lang(4640)},
        {"frame start 9", "1|1|N|N|9|1", Lang(4639)},
        {"frame only count", "1|1|N|N||1", Lang(4638)},
    });
}

TEST_F(NMEAReceiveWindow, TheCapturedBytesStayWithinTheBudget)
{
    // Every row a whole frame: 62 x 8 = 496 bytes.
    Open();
    for (Integer r = 1; r <= 62; ++r)
        Set_Row(form->sga, r, QStringLiteral("%1|1|N|N").arg(r));
    OK_Passes();
    Open();
    Set_Row(form->sga, 1, QStringLiteral("1|1|Y|N|0|300"));
    Set_Row(form->sga, 2, QStringLiteral("2|1|Y|N|0|300"));
    EXPECT_EQ(OK_Fails(), Lang(4642) + "512");
}

TEST_F(NMEAReceiveWindow, CancelWritesNothingAndRowButtons)
{
    Copy_Fixture(NMEA, QStringLiteral("NMEA_Rec_Frames.xml"));
    Open();
    const QByteArray before = Read_Bytes(NMEA_Rec_Frames_File);
    TExColumnGrid* g = form->sga;
    g->SetCellEx(8, 1, QStringLiteral("changed"));
    TestInput::Click(form->Btn_Cancel);
    EXPECT_EQ(form->ModalResult(), mrCancel);
    EXPECT_EQ(Read_Bytes(NMEA_Rec_Frames_File), before);

    Open();
    Select(g, 1);
    EXPECT_EQ(Delete(IDYES), Lang(4643) + "1");
    EXPECT_EQ(g->GetCellEx(1, 1), "127250");
    EXPECT_EQ(NMEAReceiveWindow::Row(g, 62), QString('|').repeated(7));
    TestInput::Click(form->Btn_CopyRow);
    Select(g, 3);
    TestInput::Click(form->Btn_PasteRow);
    EXPECT_EQ(NMEAReceiveWindow::Row(g, 3), NMEAReceiveWindow::Row(g, 1));
    EXPECT_EQ(Header_Hint(g, 0, 4), Lang(4626));
    EXPECT_EQ(form->Caption(), "Receive NMEA 2000 Frames");
}

TEST_F(NMEATransmitWindow, OpensTheConfigurationsFramesAndOKWritesThemBack)
{
    Copy_Fixture(NMEA, QStringLiteral("NMEA_Send_Frames.xml"));
    Open();
    TExColumnGrid* g = form->sga;
    EXPECT_EQ(form->NUM_BYTE_OUT, 512);
    EXPECT_EQ(g->GetRowCount(), 63);
    EXPECT_EQ(g->GetColCount(), 11);
    EXPECT_EQ(NMEATransmitWindow::Row(g, 1), "2|0x1F10D|239|Y|100|N|Y|Y|65535|rudder");
    // No "8" is filled into a missing Num Byte: the check asks for one.
    EXPECT_EQ(NMEATransmitWindow::Row(g, 2), "7|59904|0|N||N|N|N||");
    Screenshot("TFTransmitNMEA");
    EXPECT_EQ(OK_Fails(), Lang(4735) + "2" + Lang(4739) + "512");
    g->SetCellEx(5, 2, QStringLiteral("3"));
    OK_Passes();
    EXPECT_EQ(Read_Bytes(NMEA_Send_Frames_File), Read_Bytes(Expected("NMEA_Send_Frames.xml")));
}

TEST_F(NMEATransmitWindow, EveryCheckRefusesItsFaultWithTheRowItIsIn)
{
    const QString first = QStringLiteral("0|1|1|N|0|N|N|N||first");
    Check_Row_Cases(form->sga, first, NMEA_Send_Frames_File, 4735, {
        {"without fast packet, 100 bytes", "0|1|1|N|100", QString()},
        {"one row of 512", "0|1|1|N|512", QString()},
        {"priority 8", "8|1|1|N|1", Lang(4736)},
        {"PGN too big", "0|0x20000|1|N|1", Lang(4737)},
        {"priority without PGN", "0||1|N|1", Lang(4737)},
        {"PGN without priority", "|1|1|N|1", Lang(4736)},
        {"source address 239", "0|1|239|N|1", QString()},
        {"source address 240", "0|1|240|N|1", Lang(4738)},
        {"no bytes", "0|1|1|N|", Lang(4739) + "512"},
        {"timer 65535", "0|1|1|N|1|N|N|Y|65535", QString()},
        {"timer 65536", "0|1|1|N|1|N|N|Y|65536", Lang(4741)},
        {"timer 0", "0|1|1|N|1|N|N|Y|0", Lang(4741)},
        {"no timer, no period", "0|1|1|N|1|Y|Y|N|", QString()},
    });
}

TEST_F(NMEATransmitWindow, TheDataBytesStayWithinTheBudgetAndTheGridShowsNoHints)
{
    Open();
    Set_Row(form->sga, 1, QStringLiteral("0|1|1|N|300"));
    Set_Row(form->sga, 2, QStringLiteral("0|2|1|N|300"));
    EXPECT_EQ(OK_Fails(), Lang(4740) + "512");
    TestInput::Click(form->Btn_Cancel);
    EXPECT_FALSE(QFile::exists(NMEA_Send_Frames_File));

    EXPECT_EQ(Header_Hint(form->sga, 0, 1), "own");
    ASSERT_EQ(form->Hint_List(form->sga)->Count(), 10);
    EXPECT_EQ(form->Hint_List(form->sga)->Strings(9), Lang(4734));
    EXPECT_EQ(form->Btn_OK->Hint(), Lang(4708));
}

} // namespace
