// The KNX telegram window: loading its file (defaults, a priority out of the
// list, a missing required attribute), every check, OK writing the file,
// Cancel writing nothing, the row buttons and hints.
#include "RuleTableFixture.h"

#include <initializer_list>
#include <utility>

#include "fieldbus/UKNXAccess.h"

namespace {

using KNXWindow = RuleTableTest<TFKNXAccess>;

// A valid enabled rule: byte 0, one byte, sent on nothing.
const QString Good = QStringLiteral("Y|1.1.1|1/1/1|Write|Normal|None||N|N|N|N|N||0|No|1|0|m");

QString With(std::initializer_list<std::pair<int, const char*>> changes)
{
    QStringList cells = Good.split(QLatin1Char('|'));
    for (const auto& [col, text] : changes)
        cells[col - 1] = QString::fromUtf8(text);
    return cells.join(QLatin1Char('|'));
}

TEST_F(KNXWindow, OpensTheConfigurationsRulesAndOKWritesThemBack)
{
    Copy_Fixture(QStringLiteral("knx"), QStringLiteral("KNX_SetAccess.xml"));
    Open();
    TExColumnGrid* g = form->ACG_KNX_in_Write;
    EXPECT_EQ(form->Max_Num_Byte, 1500);
    EXPECT_EQ(g->GetRowCount(), 1025);
    EXPECT_EQ(g->GetColCount(), 19);
    EXPECT_EQ(form->ClientWidth(), 1250);
    EXPECT_EQ(g->Columns()->Items(17)->Width(), 96);
    TStringList* positions = g->Columns()->Items(14)->ComboItems();
    ASSERT_EQ(positions->Count(), 1500);
    EXPECT_EQ(positions->Strings(1499), "1499");
    EXPECT_EQ(g->Columns()->Items(15)->ComboItems()->Count(), 9);
    EXPECT_EQ(g->Columns()->Items(6)->ComboItems()->Count(), 8);
    EXPECT_EQ(g->Columns()->Items(4)->Editor(), edComboEdit);

    EXPECT_EQ(KNXWindow::Row(g, 1), "Y|1.1.20|1/2/3|Write|Urgent|Swap16|1,5|N|Y|Y|N|Y|1000|10|No|2|500|setpoint");
    // Defaults, and a priority out of the list read as Normal.
    EXPECT_EQ(KNXWindow::Row(g, 2), "Y|1.1.21|1.1.5|read|Normal|None||N|N|N|Y|N||1497|7|10|0|");
    // A disabled rule loads as stored; blank rows are enabled and empty.
    EXPECT_EQ(KNXWindow::Row(g, 3).section('|', 0, 3), "N|2.2.2|1.1.256|x");
    EXPECT_EQ(KNXWindow::Row(g, 4), "Y" + QString('|').repeated(17));
    Screenshot("TFKNXAccess");

    OK_Passes();
    EXPECT_EQ(Read_Bytes(KNX_SetAccess_File), Read_Bytes(QStringLiteral(TEST_DATA_DIR "/fieldbus/knx/expected-KNX_SetAccess.xml")));
}

TEST_F(KNXWindow, AMissingRequiredAttributeStopsTheLoading)
{
    Write(QStringLiteral("KNX_SetAccess.xml"),
          QStringLiteral("<BACnet_to_KNX><KNX_in_Write>"
                         "<row Source_Address=\"1.1.1\" Destination_Address=\"1/1/1\" APCI=\"Read\" Extended=\"N\" "
                         "ReTest=\"N\" On_Change=\"N\" Poll_Time=\"\" Position=\"0\" Bit_Mode=\"No\" Length=\"1\" "
                         "Mnemonic=\"one\"/>"
                         "<row Source_Address=\"1.1.2\" Destination_Address=\"1/1/2\"/>"
                         "<row Source_Address=\"1.1.3\"/>"
                         "</KNX_in_Write></BACnet_to_KNX>"));
    EXPECT_TRUE(Open_Fails().contains(QLatin1String("APCI")));
    TExColumnGrid* g = form->ACG_KNX_in_Write;
    EXPECT_EQ(g->GetCellEx(18, 1), "one");
    EXPECT_EQ(KNXWindow::Row(g, 2), "Y|1.1.2|1/1/2" + QString('|').repeated(15));
    EXPECT_EQ(g->GetCellEx(2, 3), "");
}

TEST_F(KNXWindow, EveryCheckRefusesItsFaultWithTheRowItIsIn)
{
    Check_Row_Cases(form->ACG_KNX_in_Write, Good, KNX_SetAccess_File, 4548, {
        {"last byte", With({{14, "1499"}}), QString()},
        {"past the array", With({{14, "1499"}, {16, "2"}}), Lang(4559) + "1500"},
        {"position 1500", With({{14, "1500"}}), Lang(4556) + "1499"},
        {"no position", With({{14, ""}}), Lang(4556) + "1499"},
        {"bit 7, 10 bits: 3 bytes", With({{14, "1497"}, {15, "7"}, {16, "10"}}), QString()},
        {"bit 7, 10 bits past the array", With({{14, "1498"}, {15, "7"}, {16, "10"}}), Lang(4559) + "1500"},
        {"15 bytes", With({{16, "15"}}), Lang(4558) + "14"},
        {"15 bytes extended", With({{16, "15"}, {8, "Y"}}), QString()},
        {"256 bytes extended", With({{16, "256"}, {8, "Y"}}), Lang(4558) + "255"},
        {"length 0", With({{16, "0"}}), Lang(4558) + "14"},
        {"112 bits", With({{15, "0"}, {16, "112"}}), QString()},
        {"113 bits", With({{15, "0"}, {16, "113"}}), Lang(4558) + "112"},
        {"2041 bits extended", With({{15, "0"}, {16, "2041"}, {8, "y"}}), Lang(4558) + "2040"},
        {"bit mode no", With({{15, "no"}}), QString()},
        {"bit mode 8", With({{15, "8"}}), Lang(4557)},
        {"APCI read", With({{4, "read"}}), QString()},
        {"APCI 1023", With({{4, "1023"}}), QString()},
        {"APCI 1024", With({{4, "1024"}}), Lang(4552)},
        {"no APCI", With({{4, ""}}), Lang(4552)},
        {"priority normal", With({{5, "normal"}}), Lang(4553)},
        {"group 0/0/0", With({{3, "0/0/0"}}), Lang(4551)},
        {"individual 1.1.256", With({{3, "1.1.256"}}), Lang(4550)},
        {"individual 1.1.20", With({{3, "1.1.20"}}), QString()},
        {"individual 0.0.0", With({{3, "0.0.0"}}), QString()},
        {"source 0.0.0", With({{2, "0.0.0"}}), QString()},
        {"source 16.1.1", With({{2, "16.1.1"}}), Lang(4549)},
        {"source a group", With({{2, "1/1/1"}}), Lang(4549)},
        {"format blank", With({{6, " "}}), Lang(4554)},
        {"factor 1.5", With({{7, "1.5"}}), QString()},
        {"factor 1,5", With({{7, "1,5"}}), QString()},
        {"factor abc", With({{7, "abc"}}), Lang(4565)},
        {"timer without poll", With({{12, "y"}}), Lang(4555)},
        {"timer, longest poll", With({{12, "Y"}, {13, "100000000"}}), QString()},
        {"timer, poll 0", With({{12, "Y"}, {13, "0"}}), Lang(4555)},
        {"no time-out", With({{17, ""}}), Lang(4566)},
        {"time-out too long", With({{17, "100000001"}}), Lang(4566)},
        {"disabled and invalid", With({{1, "N"}, {3, "1.1.256"}}), QString()},
        {"enable not exactly Y", With({{1, "y"}, {3, "1.1.256"}}), QString()},
    });
}

TEST_F(KNXWindow, CancelWritesNothingRowButtonsAndHints)
{
    Copy_Fixture(QStringLiteral("knx"), QStringLiteral("KNX_SetAccess.xml"));
    Open();
    const QByteArray before = Read_Bytes(KNX_SetAccess_File);
    TExColumnGrid* g = form->ACG_KNX_in_Write;
    g->SetCellEx(18, 1, QStringLiteral("changed"));
    TestInput::Click(form->Btn_Cancel);
    EXPECT_EQ(form->ModalResult(), mrCancel);
    EXPECT_EQ(Read_Bytes(KNX_SetAccess_File), before);

    Open();
    EXPECT_EQ(g->GetCellEx(18, 1), "setpoint");
    Select(g, 1);
    EXPECT_EQ(Delete(IDYES), Lang(4560) + "1");
    EXPECT_EQ(g->GetCellEx(2, 1), "1.1.21");
    EXPECT_EQ(KNXWindow::Row(g, 1024), QString('|').repeated(17));
    TestInput::Click(form->Btn_InsRow);
    EXPECT_EQ(KNXWindow::Row(g, 1), "Y" + QString('|').repeated(17));
    Select(g, 2);
    TestInput::Click(form->Btn_CopyRow);
    Select(g, 1);
    TestInput::Click(form->Btn_PasteRow);
    EXPECT_EQ(KNXWindow::Row(g, 1), KNXWindow::Row(g, 2));

    // The hints follow the column order, the two later texts included.
    EXPECT_EQ(Header_Hint(g, 0, 7), Lang(4563));
    EXPECT_EQ(Header_Hint(g, 0, 17), Lang(4564));
    EXPECT_EQ(Header_Hint(g, 0, 18), Lang(4547));
    EXPECT_EQ(g->Columns()->Items(7)->Header(), "Mul. Factor");
    EXPECT_EQ(form->Caption(), "KNX Set Access");
}

} // namespace
