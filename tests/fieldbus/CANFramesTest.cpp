// The CAN receive and transmit frame windows: loading their files with the
// defaults, the checks, OK writing the file, Cancel writing nothing, the row
// buttons and the header hints.
#include "RuleTableFixture.h"

#include "fieldbus/UReceiveCAN.h"
#include "fieldbus/UTransmitCAN.h"

namespace {

const QString CAN = QStringLiteral("can");

using ReceiveWindow = RuleTableTest<TFReceiveCAN>;
using TransmitWindow = RuleTableTest<TFTransmitCAN>;

QString Expected(const char* name)
{
    return QStringLiteral(TEST_DATA_DIR "/fieldbus/can/expected-") + QLatin1String(name);
}

TEST_F(ReceiveWindow, OpensTheConfigurationsFramesAndOKWritesThemBack)
{
    Copy_Fixture(CAN, QStringLiteral("CAN_Rec_Frames.xml"));
    Open();
    TExColumnGrid* g = form->ACG_CAN_Receive;
    EXPECT_EQ(form->MAX_Byte, 2000);
    EXPECT_EQ(g->GetRowCount(), 513);
    EXPECT_EQ(g->GetColCount(), 15);
    TStringList* bytes = g->Columns()->Items(13)->ComboItems();
    ASSERT_EQ(bytes->Count(), 2001);
    EXPECT_EQ(bytes->Strings(0), "None");
    EXPECT_EQ(bytes->Strings(2000), "1999");
    EXPECT_EQ(g->Columns()->Items(3)->ComboItems()->Count(), 2);

    EXPECT_EQ(ReceiveWindow::Row(g, 1), "Y|385|2.0A (11 bits)|8|1000|0|1|2|3|4|5|6|7|drive status");
    EXPECT_EQ(ReceiveWindow::Row(g, 2), "N|0x1FFFFFFF|2.0B (29 bits)|2|0|1999|None|None|None|None|None|None|None|extended");
    // Only the CobID stored: Enable ticked, no time-out, the rest blank.
    EXPECT_EQ(ReceiveWindow::Row(g, 3), "Y|1|||0|||||||||");
    EXPECT_EQ(ReceiveWindow::Row(g, 4), "Y|||||||||||||");
    Screenshot("TFReceiveCAN");

    // The third frame is completed by the user.
    Set_Row(g, 3, QStringLiteral("Y|1|2.0B (29 bits)|1|0|None"));
    OK_Passes();
    EXPECT_EQ(Read_Bytes(CAN_Rec_Frames_File), Read_Bytes(Expected("CAN_Rec_Frames.xml")));
}

TEST_F(TransmitWindow, OpensTheConfigurationsFramesAndOKWritesThemBack)
{
    Copy_Fixture(CAN, QStringLiteral("CAN_Send_Frames.xml"));
    Open();
    TExColumnGrid* g = form->ACG_CAN_Transmit;
    EXPECT_EQ(form->MAX_Byte, 3400);
    EXPECT_EQ(g->GetColCount(), 18);
    EXPECT_EQ(g->Columns()->Items(16)->ComboItems()->Count(), 3401);
    EXPECT_EQ(TransmitWindow::Row(g, 1), "Y|513|2.0A (11 bits)|2|N|Y|Y|100|10|11|None|None|None|None|None|None|setpoint");
    // Defaults: 2.0A, sent on a change, not on a command nor a timer.
    EXPECT_EQ(TransmitWindow::Row(g, 2), "Y|514|2.0A (11 bits)|1|Y|N|N||12||||||||");
    // On a timer without a stored period: period 0.
    EXPECT_EQ(TransmitWindow::Row(g, 3), "Y|515|2.0A (11 bits)|1|Y|N|Y|0|3399||||||||");
    Screenshot("TFTransmitCAN");

    OK_Passes();
    EXPECT_EQ(Read_Bytes(CAN_Send_Frames_File), Read_Bytes(Expected("CAN_Send_Frames.xml")));
}

TEST_F(ReceiveWindow, EveryCheckRefusesItsFaultWithTheRowItIsIn)
{
    const QString good = QStringLiteral("Y|100|2.0A (11 bits)|2|0|0|1|||||||m");
    const struct {
        const char* what;
        QString cells;
        QString message;  // empty: passes
    } cases[] = {
        {"good", good, QString()},
        {"11-bit CobID 2048", "Y|2048|2.0A (11 bits)|2|0|0|1", Lang(3345)},
        {"29-bit CobID 2048", "Y|2048|2.0B (29 bits)|2|0|0|1", QString()},
        {"29-bit CobID above 0x1FFFFFFF", "Y|$20000000|2.0B (29 bits)|2|0|0|1", Lang(3346)},
        {"no type counts as 29 bits", "Y|0x1FFFFFFF||2|0|0|1", QString()},
        {"dimension 0", "Y|1|2.0A (11 bits)|0|0", Lang(3347)},
        {"dimension 9", "Y|1|2.0A (11 bits)|9|0", Lang(3347)},
        {"empty time-out", "Y|1|2.0A (11 bits)|1||0", Lang(3348)},
        {"time-out too long", "Y|1|2.0A (11 bits)|1|100000001|0", Lang(3348)},
        {"byte 1 out of range", "Y|1|2.0A (11 bits)|1|0|2000", Lang(3349) + "1999" + Lang(3350)},
        {"byte 2 out of range", "Y|1|2.0A (11 bits)|3|0|5|2000|None", Lang(3351) + "1999" + Lang(3350)},
        {"byte 8 not a number", "Y|1|2.0A (11 bits)|8|0|None|||||||x", Lang(3357) + "1999" + Lang(3350)},
        {"bytes beyond the dimension", "Y|1|2.0A (11 bits)|2|0|5|None|x", QString()},
        {"empty byte within the dimension", "Y|1|2.0A (11 bits)|3|0|5||7", QString()},
        {"disabled with a bad CobID", "n|99999|2.0A (11 bits)|0", QString()},
        {"enable upper-cased", "y|2048|2.0A (11 bits)|1|0", Lang(3345)},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.what);
        QFile::remove(CAN_Rec_Frames_File);
        Open();
        Set_Row(form->ACG_CAN_Receive, 1, good);
        Set_Row(form->ACG_CAN_Receive, 2, k.cells);
        if (k.message.isEmpty()) {
            OK_Passes();
            EXPECT_TRUE(QFile::exists(CAN_Rec_Frames_File));
        } else {
            EXPECT_EQ(OK_Fails(), Lang(3344) + "2" + k.message);
            EXPECT_FALSE(QFile::exists(CAN_Rec_Frames_File));
        }
    }
}

TEST_F(TransmitWindow, EveryCheckRefusesItsFaultWithTheRowItIsIn)
{
    const struct {
        const char* what;
        QString cells;
        QString message;  // empty: passes
    } cases[] = {
        {"no timer, no time", "Y|1|2.0A (11 bits)|1|N|N|N||0", QString()},
        {"timer without time", "Y|1|2.0A (11 bits)|1|N|N|Y||0", Lang(3451)},
        {"timer too long", "Y|1|2.0A (11 bits)|1|N|N|y|100000001|0", Lang(3451)},
        {"no send condition", "Y|1|2.0A (11 bits)|1|N|N|N", QString()},
        {"largest 29-bit CobID", "Y|536870911|2.0B (29 bits)|1|Y|N|N", QString()},
        {"29-bit CobID too big", "Y|536870912|2.0B (29 bits)|1|Y|N|N", Lang(3449)},
        {"11-bit CobID", "Y|-1|2.0A (11 bits)|1|Y|N|N", Lang(3448)},
        {"dimension", "Y|1|2.0A (11 bits)|x", Lang(3450)},
        {"every byte None", "Y|1|2.0A (11 bits)|8|Y|N|N||None|None|None|None|None|None|None|None", QString()},
        {"byte 1 past the array", "Y|1|2.0A (11 bits)|1|Y|N|N||3400", Lang(3452) + "3399" + Lang(3453)},
        {"byte 3 past the array", "Y|1|2.0A (11 bits)|3|Y|N|N||0|1|3400", Lang(3455) + "3399" + Lang(3453)},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.what);
        Open();
        Set_Row(form->ACG_CAN_Transmit, 1, k.cells);
        if (k.message.isEmpty())
            OK_Passes();
        else
            EXPECT_EQ(OK_Fails(), Lang(3447) + "1" + k.message);
    }
}

TEST_F(ReceiveWindow, CancelWritesNothingAndAGapEndsTheTable)
{
    Copy_Fixture(CAN, QStringLiteral("CAN_Rec_Frames.xml"));
    Open();
    const QByteArray before = Read_Bytes(CAN_Rec_Frames_File);
    form->ACG_CAN_Receive->SetCellEx(14, 1, QStringLiteral("changed"));
    TestInput::Click(form->Btn_Cancel);
    EXPECT_EQ(form->ModalResult(), mrCancel);
    EXPECT_EQ(Read_Bytes(CAN_Rec_Frames_File), before);

    // A blank CobID ends the table: the frame below is not checked, and OK
    // refuses to drop it (or the rest of the blank row), naming the row.
    Open();
    form->ACG_CAN_Receive->SetCellEx(2, 2, QStringLiteral("  "));
    EXPECT_EQ(OK_Fails(), Lang(3344) + "2" + Lang(1108));
    EXPECT_EQ(Read_Bytes(CAN_Rec_Frames_File), before);
    Grid_Delete_Row(2, form->ACG_CAN_Receive);
    Grid_Delete_Row(2, form->ACG_CAN_Receive);
    OK_Passes();
    Open();
    EXPECT_EQ(ReceiveWindow::Row(form->ACG_CAN_Receive, 1).section('|', -1), "drive status");
    EXPECT_EQ(ReceiveWindow::Row(form->ACG_CAN_Receive, 2), "Y|||||||||||||");
    EXPECT_EQ(ReceiveWindow::Row(form->ACG_CAN_Receive, 3), "Y|||||||||||||");
}

TEST_F(TransmitWindow, RowButtonsHintsAndTexts)
{
    Copy_Fixture(CAN, QStringLiteral("CAN_Send_Frames.xml"));
    Open();
    TExColumnGrid* g = form->ACG_CAN_Transmit;
    Select(g, 1);
    EXPECT_EQ(Delete(IDYES), Lang(3461) + "1");
    EXPECT_EQ(g->GetCellEx(2, 1), "514");
    EXPECT_EQ(TransmitWindow::Row(g, 512), QString('|').repeated(16));
    TestInput::Click(form->Btn_InsRow);
    EXPECT_EQ(TransmitWindow::Row(g, 1), "Y" + QString('|').repeated(16));
    Select(g, 2);
    TestInput::Click(form->Btn_CopyRow);
    EXPECT_TRUE(form->Copied(g));
    Select(g, 1);
    TestInput::Click(form->Btn_PasteRow);
    EXPECT_EQ(TransmitWindow::Row(g, 1), TransmitWindow::Row(g, 2));

    // Header hints by the displayed column; other cells none.
    EXPECT_EQ(Header_Hint(g, 0, 6), Lang(3463));
    EXPECT_EQ(Header_Hint(g, 0, 17), Lang(3446));
    EXPECT_EQ(Header_Hint(g, 2, 6), "");
    EXPECT_EQ(Header_Hint(g, 0, 0), "");
    // No row selection from column 0.
    form->ClickCell(g, 5, 0);
    EXPECT_NE(g->Selection().Top, 5);

    EXPECT_EQ(g->Columns()->Items(6)->Header(), "OnCMD");
    EXPECT_EQ(g->Columns()->Items(9)->Header(), "Byte1");
    EXPECT_EQ(form->Caption(), Lang(3400));
    EXPECT_EQ(form->Btn_PasteRow->Hint(), Lang(3430));
}

} // namespace
