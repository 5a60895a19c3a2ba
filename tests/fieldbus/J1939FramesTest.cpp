// The J1939 receive and transmit frame windows: loading their files with the
// defaults (and the older send condition), every check, the byte budgets, OK
// writing the file, Cancel writing nothing, the row buttons and hints.
#include "RuleTableFixture.h"

#include "fieldbus/UReceiveJ1939.h"
#include "fieldbus/UTransmitJ1939.h"

namespace {

const QString J1939 = QStringLiteral("j1939");

using J1939ReceiveWindow = RuleTableTest<TFReceiveJ1939>;
using J1939TransmitWindow = RuleTableTest<TFTransmitJ1939>;

QString Expected(const char* name)
{
    return QStringLiteral(TEST_DATA_DIR "/fieldbus/j1939/expected-") + QLatin1String(name);
}

TEST_F(J1939ReceiveWindow, OpensTheConfigurationsFramesAndOKWritesThemBack)
{
    Copy_Fixture(J1939, QStringLiteral("J1939_Rec_Frames.xml"));
    Open();
    TExColumnGrid* g = form->sga;
    EXPECT_EQ(form->NUM_BYTE_IN, 1440);
    EXPECT_EQ(g->GetRowCount(), 513);
    EXPECT_EQ(g->GetColCount(), 11);
    EXPECT_EQ(form->ClientWidth(), 876);
    EXPECT_EQ(g->Columns()->Items(1)->ComboItems()->Count(), 2);
    EXPECT_EQ(J1939ReceiveWindow::Row(g, 1), "0|0xFEF1|0|N|1|7|Y|Y|500|vehicle speed");
    // Any element name is a row; missing attributes take their defaults.
    EXPECT_EQ(J1939ReceiveWindow::Row(g, 2), "1|65226|239|Y|0|100|N|N|1000|");
    EXPECT_EQ(J1939ReceiveWindow::Row(g, 3), "|61444||N|||N|N|1000|");
    // Blank rows are empty, check boxes too.
    EXPECT_EQ(J1939ReceiveWindow::Row(g, 4), QString('|').repeated(9));
    Screenshot("TFReceiveJ1939");

    // The third frame needs its Data Page and Source Address.
    EXPECT_EQ(OK_Fails(), Lang(4335) + "3" + Lang(4336));
    g->SetCellEx(1, 3, QStringLiteral("0"));
    EXPECT_EQ(OK_Fails(), Lang(4335) + "3" + Lang(4338));
    g->SetCellEx(3, 3, QStringLiteral("3"));
    OK_Passes();
    EXPECT_EQ(Read_Bytes(J1939_Rec_Frames_File), Read_Bytes(Expected("J1939_Rec_Frames.xml")));
}

TEST_F(J1939ReceiveWindow, EveryCheckRefusesItsFaultWithTheRowItIsIn)
{
    // Row 1 captures nothing, so row 2 alone meets the budget.
    const QString first = QStringLiteral("0|100|1|Y|0|0|N|N||first");
    Check_Row_Cases(form->sga, first, J1939_Rec_Frames_File, 4335, {
        {"whole frame", "0|100|1|N|||N|N||m", QString()},
        {"whole frame, blanks", "1|100|1|N| | |N|N", QString()},
        {"no data page", "|100|1|N", Lang(4336)},
        {"any data page text", "x|100|1|N", QString()},
        {"largest PGN", "0|0xFFFF|1|N", QString()},
        {"PGN too big", "0|0x10000|1|N", Lang(4337)},
        {"blank PGN is no end", "0| |1|N", Lang(4337)},
        {"largest source address", "0|1|239|N", QString()},
        {"source address 240", "0|1|240|N", Lang(4338)},
        {"source address empty", "0|1||N", Lang(4338)},
        {"TP start 0, 1440 bytes", "0|1|1|Y|0|1440", QString()},
        {"TP past 1785", "0|1|1|Y|1|1785", Lang(4340)},
        {"TP no start", "0|1|1|Y||10", Lang(4339)},
        {"TP start past 1785", "0|1|1|Y|1786|0", Lang(4339)},
        {"TP negative count", "0|1|1|Y|0|-1", Lang(4340)},
        {"TP count at the integer limit", "0|1|1|Y|1|2147483647", Lang(4340)},
        {"TP count at the limit from 0", "0|1|1|Y|0|0x7FFFFFFF", Lang(4340)},
        {"frame 1 + 7", "0|1|1|N|1|7", QString()},
        {"frame 1 + 8", "0|1|1|N|1|8", Lang(4344)},
        {"frame start 0", "0|1|1|N|0|1", Lang(4342)},
        {"frame count 9", "0|1|1|N|1|9", Lang(4343)},
        {"frame only start", "0|1|1|N|1|", Lang(4341)},
        {"frame only count", "0|1|1|N| |2", Lang(4341)},
        {"check box not exactly Y", "0|1|1|y|0|9", Lang(4342)},
        {"request, no time", "0|1|1|N|||N|Y|", Lang(4346)},
        {"request, longest time", "0|1|1|N|||N|Y|10000000", QString()},
        {"request, time too long", "0|1|1|N|||N|Y|10000001", Lang(4346)},
        {"no request, any time", "0|1|1|N|||N|N|x", QString()},
    });
}

TEST_F(J1939ReceiveWindow, TheCapturedBytesStayWithinTheBudget)
{
    Open();
    for (Integer r = 1; r <= 180; ++r)
        Set_Row(form->sga, r, QStringLiteral("0|%1|1|N").arg(r));
    OK_Passes();
    Open();
    for (Integer r = 1; r <= 181; ++r)
        Set_Row(form->sga, r, QStringLiteral("0|%1|1|N").arg(r));
    // The totals error has no row prefix.
    EXPECT_EQ(OK_Fails(), Lang(4345) + "1440");
    // A transport-protocol message longer than the budget.
    Open();
    Set_Row(form->sga, 1, QStringLiteral("0|1|1|Y|0|1785"));
    EXPECT_EQ(OK_Fails(), Lang(4345) + "1440");
}

TEST_F(J1939ReceiveWindow, CancelWritesNothingRowButtonsAndHints)
{
    Copy_Fixture(J1939, QStringLiteral("J1939_Rec_Frames.xml"));
    Open();
    const QByteArray before = Read_Bytes(J1939_Rec_Frames_File);
    TExColumnGrid* g = form->sga;
    g->SetCellEx(10, 1, QStringLiteral("changed"));
    TestInput::Click(form->Btn_Cancel);
    EXPECT_EQ(form->ModalResult(), mrCancel);
    EXPECT_EQ(Read_Bytes(J1939_Rec_Frames_File), before);

    Open();
    EXPECT_EQ(g->GetCellEx(10, 1), "vehicle speed");
    Select(g, 1);
    EXPECT_EQ(Delete(IDNO), Lang(4347) + "1");
    EXPECT_EQ(g->GetCellEx(2, 1), "0xFEF1");
    EXPECT_EQ(Delete(IDYES), Lang(4347) + "1");
    EXPECT_EQ(g->GetCellEx(2, 1), "65226");
    // Insert opens an empty row, with no Enable value.
    TestInput::Click(form->Btn_InsRow);
    EXPECT_EQ(J1939ReceiveWindow::Row(g, 1), QString('|').repeated(9));
    EXPECT_EQ(Paste_Refused(), Lang(1102));
    Select(g, 2);
    TestInput::Click(form->Btn_CopyRow);
    Select(g, 1);
    TestInput::Click(form->Btn_PasteRow);
    EXPECT_EQ(J1939ReceiveWindow::Row(g, 1), J1939ReceiveWindow::Row(g, 2));

    EXPECT_EQ(Header_Hint(g, 0, 1), Lang(4325));
    EXPECT_EQ(Header_Hint(g, 0, 10), Lang(4334));
    EXPECT_EQ(Header_Hint(g, 3, 4), "own");
    form->ClickCell(g, 5, 0);
    EXPECT_EQ(g->Selection().Top, 5);
    EXPECT_EQ(g->Columns()->Items(4)->Header(), "Transport Protocol");
    EXPECT_EQ(form->Caption(), "Receive J1939 Frames");
    EXPECT_EQ(form->Btn_Cancel->Hint(), Lang(4309));
}

TEST_F(J1939TransmitWindow, OpensTheConfigurationsFramesAndOKWritesThemBack)
{
    Copy_Fixture(J1939, QStringLiteral("J1939_Send_Frames.xml"));
    Open();
    TExColumnGrid* g = form->sga;
    EXPECT_EQ(form->NUM_BYTE_OUT, 512);
    EXPECT_EQ(g->GetColCount(), 11);
    EXPECT_EQ(form->ClientWidth(), 800);
    EXPECT_EQ(J1939TransmitWindow::Row(g, 1), "3|0|0xFEF1|0|8|Y|N|Y|100|speed");
    // The older send condition, in any letter case, replaces the three boxes.
    EXPECT_EQ(J1939TransmitWindow::Row(g, 2), "6|1|0x1FFFF|255|8|N|N|Y|1000|");
    EXPECT_EQ(J1939TransmitWindow::Row(g, 3), "7|0|59904|1|8|N|N|N||");
    EXPECT_EQ(J1939TransmitWindow::Row(g, 4), "7|0|61444|2|3|N|Y|N||");
    EXPECT_EQ(J1939TransmitWindow::Row(g, 5), QString('|').repeated(9));
    Screenshot("TFTransmitJ1939");

    OK_Passes();
    EXPECT_EQ(Read_Bytes(J1939_Send_Frames_File), Read_Bytes(Expected("J1939_Send_Frames.xml")));
}

TEST_F(J1939TransmitWindow, EveryCheckRefusesItsFaultWithTheRowItIsIn)
{
    const QString first = QStringLiteral("0|0|1|1|0|N|N|N||first");
    Check_Row_Cases(form->sga, first, J1939_Send_Frames_File, 4435, {
        {"good", "7|1|0x1FFFF|255|512|N|N|N||m", QString()},
        {"priority 8", "8|1|1|1|1", Lang(4436)},
        {"no priority", "|1|1|1|1", Lang(4436)},
        {"no data page", "0||1|1|1", Lang(4437)},
        {"PGN too big", "0|0|0x20000|1|1", Lang(4438)},
        {"priority without PGN", "0|0||1|1", Lang(4438)},
        {"source address 256", "0|0|1|256|1", Lang(4439)},
        {"no bytes", "0|0|1|1|", Lang(4440) + "512"},
        {"too many bytes", "0|0|1|1|513", Lang(4440) + "512"},
        {"zero bytes", "0|0|1|1|0", QString()},
        {"timer 0", "0|0|1|1|1|N|N|Y|0", Lang(4442)},
        {"timer too long", "0|0|1|1|1|N|N|Y|65536", Lang(4442)},
        {"longest timer", "0|0|1|1|1|N|N|Y|65535", QString()},
        {"no timer, no period", "0|0|1|1|1|Y|Y|N|", QString()},
    });
}

TEST_F(J1939TransmitWindow, TheDataBytesStayWithinTheBudgetAndEveryWrittenRowIsChecked)
{
    Open();
    Set_Row(form->sga, 1, QStringLiteral("0|0|1|1|256"));
    Set_Row(form->sga, 2, QStringLiteral("0|0|2|1|256"));
    OK_Passes();
    Open();
    form->sga->SetCellEx(5, 1, QStringLiteral("257"));
    EXPECT_EQ(OK_Fails(), Lang(4441) + "512");

    // A row with a Priority but no PGN is refused, not saved unchecked, and
    // the rows after it are checked too.
    Open();
    Set_Row(form->sga, 1, QStringLiteral("0|0|1|1|1"));
    Set_Row(form->sga, 2, QStringLiteral("0|0||1|1"));
    Set_Row(form->sga, 3, QStringLiteral("9|0|3|1|1"));
    EXPECT_EQ(OK_Fails(), Lang(4435) + "2" + Lang(4438));
    form->sga->SetCellEx(3, 2, QStringLiteral("2"));
    EXPECT_EQ(OK_Fails(), Lang(4435) + "3" + Lang(4436));
    form->sga->SetCellEx(1, 3, QStringLiteral("1"));
    OK_Passes();
    Open();
    EXPECT_EQ(J1939TransmitWindow::Row(form->sga, 3), "1|0|3|1|1|||||");
    EXPECT_EQ(J1939TransmitWindow::Row(form->sga, 4), QString('|').repeated(9));

    TestInput::Click(form->Btn_Cancel);
    EXPECT_EQ(form->ModalResult(), mrCancel);
    EXPECT_EQ(form->Caption(), "Transmit J1939 Frames");
    EXPECT_EQ(Header_Hint(form->sga, 0, 8), Lang(4432));
}

} // namespace
