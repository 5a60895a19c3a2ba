// The DMX default values window: the channel count taken from the general
// parameters, loading, the value check, OK writing one row per channel,
// Cancel writing nothing, and the row buttons it does not have.
#include "RuleTableFixture.h"

#include "fieldbus/UDMXDefVal.h"
#include "controls/FxButton.h"

namespace {

using DMXWindow = RuleTableTest<TFDMXDefVal>;

QString Values(Integer rows)
{
    QString text = QStringLiteral("<DMX_Default_Values>");
    for (Integer i = 1; i <= rows; ++i)
        text += QStringLiteral("<Row Default_Value=\"%1\" Mnemonic=\"ch%1\"/>").arg(i);
    return text + QStringLiteral("</DMX_Default_Values>");
}

TEST_F(DMXWindow, TheChannelCountComesFromTheGeneralParameters)
{
    const struct {
        const char* what;
        const char* pargen;  // nullptr: no file
        Integer channels;
    } cases[] = {
        {"no file", nullptr, 512},
        {"no element", "<ParGen><Other>3</Other></ParGen>", 512},
        {"not a number", "<ParGen><DMX_Num_Channels>many</DMX_Num_Channels></ParGen>", 512},
        {"sixteen", "<ParGen><Model>1</Model><DMX_Num_Channels>16</DMX_Num_Channels></ParGen>", 16},
        {"zero", "<ParGen><DMX_Num_Channels>0</DMX_Num_Channels></ParGen>", 0},
        {"negative", "<ParGen><DMX_Num_Channels>-5</DMX_Num_Channels></ParGen>", 0},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.what);
        QFile::remove(ParGen_File);
        if (k.pargen)
            Write(QStringLiteral("ParGen.xml"), QString::fromUtf8(k.pargen));
        Open();
        EXPECT_EQ(form->ACG_DMX_Def_Val->GetRowCount(), k.channels + 1);
        if (k.channels > 0) {
            EXPECT_EQ(DMXWindow::Row(form->ACG_DMX_Def_Val, k.channels), "0|");
        }
    }
    // No channel: OK writes the root alone.
    OK_Passes();
    EXPECT_FALSE(Read_Bytes(DMX_Default_Values_File).contains("<Row"));
}

TEST_F(DMXWindow, LoadsAsManyRowsAsThereAreChannelsAndOKWritesEveryChannel)
{
    Write(QStringLiteral("ParGen.xml"), QStringLiteral("<ParGen><DMX_Num_Channels>3</DMX_Num_Channels></ParGen>"));
    Write(QStringLiteral("DMX_Default_Values.xml"),
          QStringLiteral("<DMX_Default_Values><Row Default_Value=\"255\" Mnemonic=\"dimmer\"/><Row Mnemonic=\"\"/>"
                         "<Row Default_Value=\"7\" Mnemonic=\"pan\"/><Row Default_Value=\"9\" Mnemonic=\"extra\"/>"
                         "</DMX_Default_Values>"));
    // The row past the channels is named when the window opens.
    EXPECT_EQ(Open_Warned(), "Warning!! The table DMX Default Value holds 3 rows: rows of DMX_Default_Values.xml "
                             "not loaded: 1. OK will not keep them");
    TExColumnGrid* g = form->ACG_DMX_Def_Val;
    EXPECT_EQ(form->ClientWidth(), 475);
    ASSERT_EQ(g->GetRowCount(), 4);
    EXPECT_EQ(DMXWindow::Row(g, 1), "255|dimmer");
    EXPECT_EQ(DMXWindow::Row(g, 2), "0|");
    EXPECT_EQ(DMXWindow::Row(g, 3), "7|pan");
    EXPECT_EQ(g->GetCellEx(0, 3), "3");
    g->SetCellEx(1, 3, QStringLiteral("0x10"));
    OK_Passes();
    EXPECT_EQ(Read_Bytes(DMX_Default_Values_File),
              Read_Bytes(QStringLiteral(TEST_DATA_DIR "/fieldbus/dmx/expected-DMX_Default_Values.xml")));

    // Fewer rows than channels: the rest start at 0.
    QFile::remove(ParGen_File);
    Write(QStringLiteral("DMX_Default_Values.xml"), Values(16));
    Open();
    EXPECT_EQ(DMXWindow::Row(g, 16), "16|ch16");
    EXPECT_EQ(DMXWindow::Row(g, 17), "0|");
    EXPECT_EQ(DMXWindow::Row(g, 512), "0|");
    Screenshot("TFDMXDefVal");
}

TEST_F(DMXWindow, EveryChannelIsChecked)
{
    const struct {
        const char* what;
        Integer row;
        const char* value;
        bool passes;
    } cases[] = {
        {"255", 1, "255", true},
        {"256", 1, "256", false},
        {"empty", 7, "", false},
        {"negative", 2, "-1", false},
        {"last channel", 512, "x", false},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.what);
        QFile::remove(DMX_Default_Values_File);
        Open();
        form->ACG_DMX_Def_Val->SetCellEx(1, k.row, QString::fromLatin1(k.value));
        if (k.passes) {
            OK_Passes();
        } else {
            EXPECT_EQ(OK_Fails(), Lang(4011) + QString::number(k.row) + Lang(4012));
            EXPECT_FALSE(QFile::exists(DMX_Default_Values_File));
        }
    }
}

TEST_F(DMXWindow, CancelWritesNothingAndThereAreNoRowButtons)
{
    Write(QStringLiteral("DMX_Default_Values.xml"), Values(2));
    const QByteArray before = Read_Bytes(DMX_Default_Values_File);
    Open();
    form->ACG_DMX_Def_Val->SetCellEx(1, 1, QStringLiteral("99"));
    TestInput::Click(form->Btn_Cancel);
    EXPECT_EQ(form->ModalResult(), mrCancel);
    EXPECT_EQ(Read_Bytes(DMX_Default_Values_File), before);

    for (TFxButton* b : {form->Btn_DelRow, form->Btn_InsRow, form->Btn_CopyRow, form->Btn_PasteRow})
        EXPECT_FALSE(b->Visible());
    EXPECT_TRUE(form->Btn_OK->Visible());
    EXPECT_EQ(Header_Hint(form->ACG_DMX_Def_Val, 0, 2), Lang(4010));
    EXPECT_EQ(Header_Hint(form->ACG_DMX_Def_Val, 1, 2), "");
    EXPECT_EQ(form->ACG_DMX_Def_Val->Columns()->Items(0)->Header(), "Channel");
    EXPECT_EQ(form->Btn_Cancel->Hint(), Lang(4005));
}

} // namespace
