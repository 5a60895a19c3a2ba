// The configuration assembly of an EtherNet/IP target: its members found in
// [Params] with their named values, the field lists with quoted strings,
// the data-segment bytes, and the editor in which the user sets the values.
#include <gtest/gtest.h>

#include <QTimer>

#include "OkButton.h"
#include "Screenshot.h"
#include "fieldbus/UEtherNetIP_Data_Seg.h"
#include "grid/ExGrid.h"
#include "grid/ExGridEditors.h"
#include "platform/Dialogs.h"
#include "platform/Object.h"
#include "platform/TestHooks.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

namespace {

TTargetConfig Decode(const char* format, const char* size = "0")
{
    TTargetConfig tc;
    tc.FileName = QStringLiteral(TEST_DATA_DIR "/fieldbus/ethernetip/config.eds");
    tc.Format = QLatin1String(format);
    tc.Size = QLatin1String(size);
    tc.DecodeTargetConf();
    return tc;
}

// A parameter as "name|bytes|type|min|max|default|value|enum entries".
QString Describe(const TTC_ParamObj& p)
{
    QStringList entries;
    for (const TTC_EnumObj& e : p.ListEnum)
        entries << QStringLiteral("%1=%2").arg(e.Value).arg(e.Description);
    return QStringLiteral("%1|%2|%3|%4|%5|%6|%7|%8")
        .arg(p.Name)
        .arg(p.DataSizeByte)
        .arg(p.DataType)
        .arg(p.Min)
        .arg(p.Max)
        .arg(p.Default)
        .arg(p.Value)
        .arg(p.Enum ? entries.join(u',') : QStringLiteral("-"));
}

TEST(TargetConfig, DecodesTheAssemblyAndItsParameters)
{
    // A multi-line assembly; a multi-line named-value list and a one-line
    // list followed by another.
    const TTargetConfig two = Decode("Assem2", "5");
    EXPECT_EQ(two.AO_Name, "Two params");
    EXPECT_EQ(two.AO_SizeBit, "24");
    ASSERT_EQ(two.ListParamObject.size(), 2u);
    EXPECT_EQ(two.ListParamObject[0].ParamName, "Param1");
    EXPECT_EQ(two.ListParamObject[0].BitSize, "8");
    EXPECT_EQ(Describe(two.ListParamObject[0]), "Mode|1|198|0|2|1|1|0=Off,1=On,2=Auto");
    EXPECT_EQ(Describe(two.ListParamObject[1]), "Rate \"fast\"|2|199|10|8192|4660|4660|5=Five");
    EXPECT_EQ(two.ListParamObject[0].EnumString, QStringList({"Off", "On", "Auto"}));
    // Least significant byte first, padded to the size.
    EXPECT_EQ(two.GetConfigStrData(), "0x01,0x34,0x12,0x00,0x00");
    // A value that names no entry has no description.
    EXPECT_EQ(two.ListParamObject[1].GetEnumString(), "");
    EXPECT_EQ(two.ListParamObject[0].GetEnumString(), "On");
    EXPECT_EQ(two.ListParamObject[0].SetValueFromEnum("Auto"), 2);
    EXPECT_EQ(two.ListParamObject[0].SetValueFromEnum("Nothing"), 1);

    // "Assem1" is not the "Assem10" that stands before it; a bracket inside
    // an entry does not end [Params] (Param12 comes after "Time [ms]").
    EXPECT_EQ(Decode("Assem1").ListParamObject.size(), 1u);
    const TTargetConfig after = Decode("Assem8", "7");
    ASSERT_EQ(after.ListParamObject.size(), 2u);
    EXPECT_EQ(Describe(after.ListParamObject[0]), "Twelve|1|198|0|255|7|7|7=Seven,8=Eight");
    EXPECT_EQ(Describe(after.ListParamObject[1]), "Count|4|200|0|100000|70000|70000|-");
    EXPECT_EQ(after.GetConfigStrData(), "0x07,0x70,0x11,0x01,0x00,0x00,0x00");

    // The same member twice: two parameters with the same settings.
    const TTargetConfig twice = Decode("Assem3");
    ASSERT_EQ(twice.ListParamObject.size(), 2u);
    EXPECT_EQ(Describe(twice.ListParamObject[1]), Describe(twice.ListParamObject[0]));
}

TEST(TargetConfig, FaultsOfTheFileStopTheDecodingOrLeaveNoParameters)
{
    // A member written with a blank after its comma, one with too few
    // fields, one the section lacks.
    for (const char* format : {"Assem4", "Assem5", "Assem6"}) {
        SCOPED_TRACE(format);
        EXPECT_THROW(Decode(format), EConvertError);
    }
    for (const char* format : {"Assem7", "Assem99"}) {
        SCOPED_TRACE(format);
        const TTargetConfig tc = Decode(format, "3");
        EXPECT_TRUE(tc.ListParamObject.empty());
        EXPECT_EQ(tc.GetConfigStrData(), "0x00,0x00,0x00");
    }
    TTargetConfig missing;
    missing.FileName = QStringLiteral("/nonexistent/device.eds");
    missing.Format = QStringLiteral("Assem1");
    missing.DecodeTargetConf();
    EXPECT_TRUE(missing.ListParamObject.empty());
    EXPECT_EQ(missing.GetConfigStrData(), "");
}

TEST(TargetConfig, DataSegmentBytes)
{
    TTargetConfig tc;
    TTC_ParamObj p;
    p.DataSizeByte = 2;
    p.Value = 0x1234;
    tc.ListParamObject.push_back(p);
    p.DataSizeByte = 1;
    p.Value = 5;
    tc.ListParamObject.push_back(p);
    tc.Size = QStringLiteral("2");
    // Longer than the size: not cut.
    EXPECT_EQ(tc.GetConfigStrData(), "0x34,0x12,0x05");
    // Negative values in two's complement; bytes past 64 bits are zero.
    tc.ListParamObject = {p};
    tc.ListParamObject[0].Value = -2;
    tc.ListParamObject[0].DataSizeByte = 10;
    tc.Size.clear();
    EXPECT_EQ(tc.GetConfigStrData(), "0xFE,0xFF,0xFF,0xFF,0xFF,0xFF,0xFF,0xFF,0x00,0x00");
    // A size far beyond any connection is bounded.
    tc.ListParamObject.clear();
    tc.Size = QStringLiteral("2000000000");
    EXPECT_EQ(tc.GetConfigStrData().count(u','), Max_Config_Bytes - 1);
    tc.Size.clear();
    tc.ListParamObject = {p};
    tc.ListParamObject[0].DataSizeByte = 2000000000;
    EXPECT_EQ(tc.GetConfigStrData().count(u','), Max_Config_Bytes - 1);
}

TEST(TargetConfig, FieldLists)
{
    const struct {
        const char* text;
        QStringList items;
    } cases[] = {
        {"a, b ,c;", {"a", " b ", "c"}},
        {"\"x,y\",\"say \"\"hi\"\"\",z", {"x,y", "say \"hi\"", "z"}},
        {"\"q\" tail,next", {"q", " tail", "next"}},
        {"a,", {"a", ""}},
        {"  ;  ", {}},
        {"\"open, never closed", {"open, never closed"}},
        {",", {"", ""}},
    };
    for (const auto& k : cases)
        EXPECT_EQ(Split_Config_Fields(QString::fromUtf8(k.text)), k.items) << k.text;
}

// ------------------------------------------------------------ the editor

struct DataSegEditor : ::testing::Test {
    TFEtherNetIP_Data_Seg* form = nullptr;
    void SetUp() override
    {
        Load_Default_Texts();
        SW_Code = Const_SW_Code;
        DialogSeam::Clear();
        form = new TFEtherNetIP_Data_Seg(nullptr);
        form->AfterConstruction();
    }
    void TearDown() override
    {
        delete form;
        EXPECT_EQ(DialogSeam::PendingAnswers(), 0);
    }
    void Open(const TTargetConfig& tc)
    {
        form->TC = TFEtherNetIP_Data_Seg::CopyTargetConf(tc);
        form->Hide();
        form->SetModalResult(mrNone);
        form->Show();
    }
};

TEST_F(DataSegEditor, ShowsTheParametersAndChoosesANamedValue)
{
    const TTargetConfig tc = Decode("Assem8", "7");
    Open(tc);
    TExStringGrid* g = form->ESG_DataSeg;
    ASSERT_EQ(g->RowCount(), 3);
    const QString row1[9] = {"1", "Twelve", "1", "198", "Seven", "7", "0", "255", "7"};
    const QString row2[9] = {"2", "Count", "4", "200", "70000", "70000", "0", "100000", ""};
    for (Integer c = 0; c < 9; ++c) {
        EXPECT_EQ(g->Cells(c, 1), row1[c]) << c;
        EXPECT_EQ(g->Cells(c, 2), row2[c]) << c;
        EXPECT_EQ(g->ReadOnly(c, 1), c != 4) << c;
    }
    EXPECT_EQ(g->Cells(4, 0), "Value");
    EXPECT_EQ(g->Colors(4, 2), RGB(224, 250, 254));
    testsupport::SaveScreenshot(GrabControl(form), QStringLiteral("TFEtherNetIP_Data_Seg"));

    // The named value is chosen in a list of the descriptions.
    TEditorType kind = edNormal;
    form->ESG_DataSegGetEditorType(g, 4, 1, kind);
    EXPECT_EQ(kind, edComboList);
    form->ESG_DataSegGetEditorType(g, 4, 2, kind);
    EXPECT_EQ(kind, edNormal);
    TestInput::ActivateWindow(g);
    g->SetFocus();
    // The user clicks the value cell and opens its editor.
    const TRect cell = g->CellRect(4, 1);
    TestInput::Click(g, TPoint((cell.Left + cell.Right) / 2, (cell.Top + cell.Bottom) / 2));
    TestInput::PressKey(g, VK_F2);
    TGridCombo* combo = g->Combobox();
    ASSERT_TRUE(combo->Visible());
    EXPECT_EQ(combo->Items()->Count(), 2);
    TestInput::PressKey(combo, VK_DOWN);
    testsupport::SaveScreenshot(GrabControl(form), QStringLiteral("TFEtherNetIP_Data_Seg-named-value"));
    TestInput::PressKey(combo, VK_RETURN);
    EXPECT_EQ(g->Cells(4, 1), "Eight");
    EXPECT_EQ(g->Cells(8, 1), "8");
    EXPECT_EQ(form->TC->ListParamObject[0].Value, 8);

    g->SetCells(4, 2, "100000");
    OK_Passes(form, form->Btn_OK);
    EXPECT_EQ(form->TC->ListParamObject[1].Value, 100000);
    EXPECT_EQ(form->TC->GetConfigStrData(), "0x08,0xA0,0x86,0x01,0x00,0x00,0x00");
    // The caller's configuration is untouched by the copy.
    EXPECT_EQ(tc.ListParamObject[1].Value, 70000);
}

TEST_F(DataSegEditor, ValuesOutsideTheirLimitsAreRefused)
{
    Open(Decode("Assem8", "7"));
    TExStringGrid* g = form->ESG_DataSeg;
    const struct {
        const char* value;
        bool passes;
    } cases[] = {{"100001", false}, {"-1", false}, {"many", false}, {"", false}, {"0", true}, {"0x186A0", true}};
    for (const auto& k : cases) {
        SCOPED_TRACE(k.value);
        form->SetModalResult(mrNone);
        g->SetCells(4, 2, QLatin1String(k.value));
        if (k.passes) {
            OK_Passes(form, form->Btn_OK);
        } else {
            EXPECT_EQ(OK_Fails(form, form->Btn_OK), "Param Number 2. The Value must be between 0 and 100000");
            EXPECT_EQ(form->TC->ListParamObject[1].Value, 70000);
        }
    }
}

TEST_F(DataSegEditor, AConfigurationWithoutParametersShowsAnEmptyRow)
{
    TTargetConfig empty;
    Open(empty);
    EXPECT_EQ(form->ESG_DataSeg->RowCount(), 2);
    EXPECT_EQ(form->ESG_DataSeg->Cells(1, 1), "");
    OK_Passes(form, form->Btn_OK);
    EXPECT_EQ(form->Caption(), "EtherNet/IP Data Segment Editor");
}

} // namespace
