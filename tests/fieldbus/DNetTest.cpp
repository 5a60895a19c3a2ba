// The DeviceNet network window: loading the slaves, every check, OK writing
// the file, Cancel writing nothing, a missing attribute, the row buttons and
// hints.
#include "RuleTableFixture.h"

#include "fieldbus/UDNet.h"

namespace {

using DNetWindow = RuleTableTest<TFDNet>;

TEST_F(DNetWindow, OpensTheSlavesAndOKWritesThemBack)
{
    Copy_Fixture(QStringLiteral("devicenet"), QStringLiteral("DNETM_Net.xml"));
    Open();
    TExColumnGrid* g = form->ESG;
    EXPECT_EQ(g->GetRowCount(), 65);
    EXPECT_EQ(g->GetColCount(), 5);
    EXPECT_EQ(form->ClientWidth(), 745);
    EXPECT_EQ(DNetWindow::Row(g, 1), "0|4|2|valve bank");
    // Any element name is a slave; the same ID twice is allowed.
    EXPECT_EQ(DNetWindow::Row(g, 2), "63|0|65535|drive");
    EXPECT_EQ(DNetWindow::Row(g, 3), "63|1|0|");
    EXPECT_EQ(DNetWindow::Row(g, 4), "|||");
    Screenshot("TFDNet");

    Set_Row(g, 4, QStringLiteral("0x10|8|8|new"));
    OK_Passes();
    EXPECT_EQ(Read_Bytes(DNETM_Net_File),
              Read_Bytes(QStringLiteral(TEST_DATA_DIR "/fieldbus/devicenet/expected-DNETM_Net.xml")));
}

TEST_F(DNetWindow, EveryCheckRefusesItsFaultWithTheRowItIsIn)
{
    const struct {
        const char* what;
        Integer row;
        QString cells;
        QString message;  // empty: passes
    } cases[] = {
        {"ID 64", 2, "64|0|0|", Lang(3824)},
        {"blank ID is no end", 2, " |0|0|", Lang(3824)},
        {"bytes in 65536", 2, "1|65536|0|", Lang(3825)},
        {"no bytes in", 2, "1||0|", Lang(3825)},
        {"bytes out -1", 2, "1|0|-1|", Lang(3826)},
        {"last row checked", 64, "1|0|x|", Lang(3826)},
        {"last row passes", 64, "1|0|1|", QString()},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.what);
        QFile::remove(DNETM_Net_File);
        Open();
        for (Integer r = 1; r < k.row; ++r)
            Set_Row(form->ESG, r, QStringLiteral("%1|1|1|").arg(r % 64));
        Set_Row(form->ESG, k.row, k.cells);
        if (k.message.isEmpty()) {
            OK_Passes();
            EXPECT_TRUE(QFile::exists(DNETM_Net_File));
        } else {
            EXPECT_EQ(OK_Fails(), Lang(3823) + QString::number(k.row) + k.message);
            EXPECT_FALSE(QFile::exists(DNETM_Net_File));
        }
    }
}

TEST_F(DNetWindow, AMissingAttributeStopsTheLoadingAndCancelWritesNothing)
{
    Write(QStringLiteral("DNETM_Net.xml"),
          QStringLiteral("<DNET_Net><row ID=\"1\" NB_IN=\"1\" NB_OUT=\"1\" Mnemonic=\"a\"/>"
                         "<row ID=\"2\" NB_IN=\"1\"/><row ID=\"3\" NB_IN=\"1\" NB_OUT=\"1\" Mnemonic=\"c\"/></DNET_Net>"));
    const QByteArray before = Read_Bytes(DNETM_Net_File);
    EXPECT_TRUE(Open_Fails().contains(QLatin1String("NB_OUT")));
    EXPECT_EQ(DNetWindow::Row(form->ESG, 1), "1|1|1|a");
    EXPECT_EQ(DNetWindow::Row(form->ESG, 2), "2|1||");
    EXPECT_EQ(DNetWindow::Row(form->ESG, 3), "|||");
    TestInput::Click(form->Btn_Cancel);
    EXPECT_EQ(form->ModalResult(), mrCancel);
    EXPECT_EQ(Read_Bytes(DNETM_Net_File), before);
}

TEST_F(DNetWindow, RowButtonsAndHints)
{
    Copy_Fixture(QStringLiteral("devicenet"), QStringLiteral("DNETM_Net.xml"));
    Open();
    TExColumnGrid* g = form->ESG;
    Select(g, 2);
    EXPECT_EQ(Delete(IDYES), Lang(3827) + "2");
    EXPECT_EQ(DNetWindow::Row(g, 2), "63|1|0|");
    TestInput::Click(form->Btn_InsRow);
    EXPECT_EQ(DNetWindow::Row(g, 2), "|||");
    Select(g, 1);
    TestInput::Click(form->Btn_CopyRow);
    Select(g, 2);
    TestInput::Click(form->Btn_PasteRow);
    EXPECT_EQ(DNetWindow::Row(g, 2), "0|4|2|valve bank");

    EXPECT_EQ(Header_Hint(g, 0, 3), Lang(3821));
    EXPECT_EQ(Header_Hint(g, 1, 3), "");
    EXPECT_EQ(Header_Hint(g, 0, 0), "");
    form->ClickCell(g, 4, 0);
    EXPECT_EQ(g->Selection().Top, 4);
    EXPECT_EQ(g->Columns()->Items(1)->Header(), "ID Slave");
    EXPECT_EQ(form->Caption(), "DeviceNet Network");
}

} // namespace
