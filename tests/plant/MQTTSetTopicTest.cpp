// The MQTT topic tables worked as a user works them: the configuration's
// file opened with the hidden columns, rows typed, the row buttons, every
// check, the template editor on a double click, OK and Cancel.
#include "TableWindowTest.h"

#include "platform/ExtCtrls.h"
#include "platform/PageControl.h"
#include "platform/Splitter.h"
#include "platform/StdControls.h"
#include "plant/UMQTT_Set_Topic.h"
#include "plant/UTopicTemplate.h"

namespace {

enum {
    pN, pTopic, pRetained, pQoS, pType, pDimension, pPosition, pIP, pInput, pTemplate, pOnChange, pOnCMD, pOnTimer,
    pTime, pChannel, pSwap, pSwap_Word, pMnemonic
};
enum {
    sN, sTopic, sRetained, sQoS, sType, sDimension, sPosition, sIP, sPort, sEthType, sInput, sTemplate, sSwap,
    sSwap_Word, sMnemonic
};

struct MQTTWindow : TableWindowTest<TFMQTT_Set_Topic> {
    TFTopicTemplate* editor = nullptr;
    void SetUp() override
    {
        TableWindowTest::SetUp();
        editor = new TFTopicTemplate(nullptr);
        editor->AfterConstruction();
        FTopicTemplate = editor;
    }
    void TearDown() override
    {
        delete editor;
        TableWindowTest::TearDown();
    }
    TExColumnGrid* pub() const { return form->ACG_Pub; }
    TExColumnGrid* sub() const { return form->ACG_Sub; }
    void Open_Fixture()
    {
        Copy_Fixture(QStringLiteral("mqtt/MQTT_Set_Topic.xml"), MQTT_Set_Topic_File);
        Open();
    }
    void Show(TTabSheet* page) { form->PageControl1->SetActivePage(page); }
};

TEST_F(MQTTWindow, OpensTheFileWithItsHiddenColumnsAndOKWritesItBack)
{
    Open_Fixture();
    EXPECT_EQ(pub()->GetRowCount(), 1025);
    EXPECT_EQ(form->Byte_IN, 1500);
    EXPECT_EQ(form->Working_Mode, 1);
    for (Integer c : {pIP, pInput, pOnCMD, pChannel, pSwap, pSwap_Word})
        EXPECT_TRUE(pub()->IsHiddenColumn(c)) << c;
    for (Integer c : {sRetained, sIP, sPort, sEthType, sInput, sSwap, sSwap_Word})
        EXPECT_TRUE(sub()->IsHiddenColumn(c)) << c;
    EXPECT_EQ(pub()->GetColCount(), 12);
    EXPECT_EQ(sub()->GetColCount(), 8);
    EXPECT_EQ(pub()->GetCellEx(pN, 1024), "1024");
    EXPECT_EQ(Row(pub(), 1), "plant/boiler/temp|Y|1|Float|4|0|abc|$X|{\"t\": $VALUE$}|Y||Y|60000||N|N|Boiler & tank");
    // Missing attributes: empty cells, OnChange and OnTimer "N".
    EXPECT_EQ(Row(pub(), 2), "plant/pump|N|0|Int|2|8||||N||N|||N|N|defaults");
    EXPECT_EQ(Row(pub(), 3), "||||||||||||||||");
    EXPECT_EQ(Row(sub(), 1), "plant/setpoint|N|2|String|10|100||x|UDP||$VALUE$|N|N|Setpoint");
    Screenshot("TFMQTT_Set_Topic-publish");
    Show(form->TS_MQTT_Subscribe);
    Screenshot("TFMQTT_Set_Topic-subscribe");

    // The hidden IP Address "abc", odd Input Template and Port "x" are not checked.
    pub()->SetCellEx(pOnCMD, 1, QStringLiteral("Y"));
    OK_Passes();
    EXPECT_EQ(Read_Bytes(MQTT_Set_Topic_File),
              Read_Bytes(QStringLiteral(TEST_DATA_DIR "/plant/mqtt/expected-MQTT_Set_Topic.xml")));

    // OnCMD is not kept: it reads back empty.
    Open();
    EXPECT_EQ(pub()->GetCellEx(pOnCMD, 1), "");
    EXPECT_EQ(form->PageControl1->ActivePage(), form->TS_MQTT_Publish);
}

TEST_F(MQTTWindow, CancelWritesNothing)
{
    Open_Fixture();
    const QByteArray before = Read_Bytes(MQTT_Set_Topic_File);
    pub()->SetCellEx(pMnemonic, 1, QStringLiteral("changed"));
    TestInput::Click(form->Btn_Cancel);
    EXPECT_EQ(form->ModalResult(), mrCancel);
    EXPECT_EQ(Read_Bytes(MQTT_Set_Topic_File), before);
}

TEST_F(MQTTWindow, EveryCheckRefusesItsFaultWithTheRow)
{
    // Publish: Topic|Retained|QoS|Type|Dimension|Position|IP|Input|Template|OnChange|OnCMD|OnTimer|Time
    const QString good_pub = QStringLiteral("t|N|0|Int|4|0|||$VALUE$|N||N|");
    const QString good_sub = QStringLiteral("t|N|0|Int|4|0||||||");
    const struct {
        const char* what;
        bool sub;
        Integer col;
        const char* text;
        Integer message;  // 0: passes
        const char* tail;
    } cases[] = {
        {"no data type", false, pType, " ", 5252, ""},
        {"int dimension 3", false, pDimension, "3", 5253, ""},
        {"int dimension 8", false, pDimension, "8", 0, ""},
        {"position 1500", false, pPosition, "1500", 5256, "1499"},
        {"position empty", false, pPosition, "", 5256, "1499"},
        {"odd template", false, pTemplate, "$VALUE", 5278, ""},
        {"two keywords", false, pTemplate, "$A$ and $B$", 0, ""},
        {"hidden ip", false, pIP, "abc", 0, ""},
        {"hidden input template", false, pInput, "$", 0, ""},
        {"timer time 0", false, pOnTimer, "Y", 5289, ""},
        {"sub no data type", true, sType, "", 5257, ""},
        {"sub int dimension 5", true, sDimension, "5", 5258, ""},
        {"sub position", true, sPosition, "-1", 5261, "1499"},
        {"sub odd template", true, sTemplate, "$", 5280, ""},
        {"sub hidden port", true, sPort, "70000", 0, ""},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.what);
        QFile::remove(MQTT_Set_Topic_File);
        Open();
        TExColumnGrid* g = k.sub ? sub() : pub();
        const QString good = k.sub ? good_sub : good_pub;
        Set_Row(g, 1, good);
        Set_Row(g, 2, good);
        g->SetCellEx(k.col, 2, QLatin1String(k.text));
        if (k.message == 0) {
            OK_Passes();
        } else {
            EXPECT_EQ(OK_Fails(), Text(5251) + "2" + Text(k.message) + QLatin1String(k.tail));
            EXPECT_FALSE(QFile::exists(MQTT_Set_Topic_File));
        }
    }
}

TEST_F(MQTTWindow, DataTypeDecidesTheDimensionAndTheTimerItsTime)
{
    const struct {
        const char* type;
        const char* size;
        const char* timer;
        const char* time;
        Integer message;
    } cases[] = {
        {"Float", "2", "N", "", 5254}, {"Float", "8", "N", "", 0},     {"String", "0", "N", "", 5255},
        {"Base64", "10", "N", "", 0},  {"int", "1", "N", "", 0},       {"Int", "1", "Y", "1000000000", 0},
        {"Int", "1", "Y", "0", 5289},  {"Int", "1", "y", "1000000001", 5289},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(std::string(k.type) + "/" + k.size + "/" + k.time);
        QFile::remove(MQTT_Set_Topic_File);
        Open();
        Set_Row(pub(), 1, QStringLiteral("t|N|0|%1|%2|0||||N||%3|%4")
                              .arg(QLatin1String(k.type), QLatin1String(k.size), QLatin1String(k.timer),
                                   QLatin1String(k.time)));
        if (k.message == 0)
            OK_Passes();
        else
            EXPECT_EQ(OK_Fails(), Text(5251) + "1" + Text(k.message));
    }
}

TEST_F(MQTTWindow, AShownColumnIsChecked)
{
    Open();
    Set_Row(pub(), 1, QStringLiteral("t|N|0|Int|4|0|abc||"));
    OK_Passes();
    form->SetModalResult(mrNone);
    pub()->UnHideColumn(pIP);
    EXPECT_EQ(OK_Fails(), Text(5251) + "1" + Text(5274));
}

TEST_F(MQTTWindow, ARowWithoutARequiredAttributeEndsTheReading)
{
    Write(MQTT_Set_Topic_File,
          QStringLiteral("<MQTT_Set_Topic><MQTT_Publish>"
                         "<row Topic=\"a\" Retained=\"N\" QoS=\"0\" Mnemonic=\"one\"/>"
                         "<row Topic=\"b\" Retained=\"N\" Mnemonic=\"no qos\"/>"
                         "<row Topic=\"c\" Retained=\"N\" QoS=\"0\" Mnemonic=\"three\"/>"
                         "</MQTT_Publish><MQTT_Subscribe>"
                         "<row Topic=\"s\" Retained=\"N\" QoS=\"0\" Mnemonic=\"sub\"/>"
                         "</MQTT_Subscribe></MQTT_Set_Topic>"));
    DialogSeam::QueueAnswer(IDOK);
    form->Show();
    ASSERT_EQ(DialogSeam::Shown().size(), 1u);
    EXPECT_EQ(DialogSeam::Shown()[0].Flags, MB_OK | MB_ICONERROR);
    EXPECT_TRUE(DialogSeam::Shown()[0].Text.contains("QoS"));
    EXPECT_EQ(pub()->GetCellEx(pMnemonic, 1), "one");
    EXPECT_EQ(pub()->GetCellEx(pTopic, 3), "");
    EXPECT_EQ(sub()->GetCellEx(sTopic, 1), "");
}

TEST_F(MQTTWindow, DoubleClickOnATemplateOpensTheEditor)
{
    Open_Fixture();
    pub()->SetRowEx(1);
    pub()->SetCol(pub()->DisplColIndex(pTemplate));
    Screenshot("TFMQTT_Set_Topic-template-cell");
    // OK writes the edited text back.
    editor->OnShow = [this](TObject* s) {
        editor->FormShow(s);
        EXPECT_EQ(editor->Caption(), "Set Template");
        EXPECT_EQ(editor->L_SW_Desc->Caption(), "Set Template");
        EXPECT_EQ(editor->RE_TopicTemplate->Text(), "{\"t\": $VALUE$}");
        EXPECT_EQ(editor->Pub_Sub, 0);
        EXPECT_EQ(editor->Working_Mode, 1);
        EXPECT_EQ(editor->ESG_Keywords->GetRowCount(), 2);
        EXPECT_TRUE(editor->ESG_Keywords->ReadOnly(1, 1));
        EXPECT_FALSE(editor->ESG_Keywords->ReadOnly(0, 1));
        testsupport::SaveScreenshot(GrabControl(editor), QStringLiteral("TFTopicTemplate"));
        editor->RE_TopicTemplate->SetText(QStringLiteral("{\"temp\": $VALUE$}"));
        editor->SetModalResult(mrOk);
    };
    form->ACG_MQTT_DblClickCell(pub(), 1, pub()->Col());
    EXPECT_EQ(pub()->GetCellEx(pTemplate, 1), "{\"temp\": $VALUE$}");

    // Cancel leaves the cell; on the subscribe table the editor says so.
    Show(form->TS_MQTT_Subscribe);
    sub()->SetRowEx(1);
    sub()->SetCol(sub()->DisplColIndex(sTemplate));
    editor->OnShow = [this](TObject* s) {
        editor->FormShow(s);
        EXPECT_EQ(editor->Pub_Sub, 1);
        editor->RE_TopicTemplate->SetText(QStringLiteral("lost"));
        editor->SetModalResult(mrCancel);
    };
    form->ACG_MQTT_DblClickCell(sub(), 1, sub()->Col());
    EXPECT_EQ(sub()->GetCellEx(sTemplate, 1), "$VALUE$");

    // Another column opens nothing.
    editor->OnShow = [](TObject*) { ADD_FAILURE() << "editor opened"; };
    pub()->SetCol(pub()->DisplColIndex(pTopic));
    form->ACG_MQTT_DblClickCell(pub(), 1, pub()->Col());
}

TEST_F(MQTTWindow, TheTemplateEditorsSplitterGivesTheLegendMoreRoom)
{
    editor->Show();
    EXPECT_EQ(editor->Splitter1->FindControl(), editor->P_Legend);
    const Integer legend = editor->P_Legend->Height();
    const Integer text = editor->RE_TopicTemplate->Height();
    const TPoint mid(300, editor->Splitter1->Height() / 2);
    TestInput::RoutedMouse(editor->Splitter1, TestInput::rmDown, mid);
    TestInput::RoutedMouse(editor->Splitter1, TestInput::rmMove, TPoint(mid.X, mid.Y - 50));
    TestInput::RoutedMouse(editor->Splitter1, TestInput::rmUp, mid);
    EXPECT_EQ(editor->P_Legend->Height(), legend + 50);
    EXPECT_EQ(editor->RE_TopicTemplate->Height(), text - 50);
    editor->Hide();
}

TEST_F(MQTTWindow, RowButtonsWorkOnTheShownTable)
{
    Open_Fixture();
    Show(form->TS_MQTT_Subscribe);
    Select(sub(), 1);
    TestInput::Click(form->Btn_InsRow);
    // No "Y" in the inserted row.
    EXPECT_EQ(Row(sub(), 1), "|||||||||||||");
    EXPECT_EQ(sub()->GetCellEx(sMnemonic, 2), "Setpoint");
    EXPECT_EQ(pub()->GetCellEx(pMnemonic, 1), "Boiler & tank");

    Select(sub(), 2);
    TestInput::Click(form->Btn_CopyRow);
    EXPECT_TRUE(form->Do_Copy_Sub);
    Show(form->TS_MQTT_Publish);
    Select(pub(), 5);
    EXPECT_EQ(Press(form->Btn_PasteRow, IDOK), Text(1102));

    Select(pub(), 1);
    EXPECT_EQ(Press(form->Btn_DelRow, IDYES), Text(5223) + "1");
    EXPECT_EQ(pub()->GetCellEx(pMnemonic, 1), "defaults");

    QString hint;
    form->GridHint(pub(), 0, pub()->DisplColIndex(pMnemonic), hint);
    EXPECT_EQ(hint, Text(5222));
    form->GridHint(sub(), 0, sub()->DisplColIndex(sTemplate), hint);
    EXPECT_EQ(hint, Text(5250));
    EXPECT_EQ(form->Hint_MQTT_Set_Topic_Pub->Count(), 17);
    EXPECT_EQ(form->Hint_MQTT_Set_Topic_Sub->Count(), 14);
}

TEST_F(MQTTWindow, TheTemplateCheckCountsDollarSigns)
{
    EXPECT_FALSE(TFMQTT_Set_Topic::Error_In_Topic_Template(QString()));
    EXPECT_FALSE(TFMQTT_Set_Topic::Error_In_Topic_Template(QStringLiteral("$VALUE$")));
    EXPECT_TRUE(TFMQTT_Set_Topic::Error_In_Topic_Template(QStringLiteral("$VALUE")));
    EXPECT_TRUE(TFMQTT_Set_Topic::Error_In_Topic_Template(QStringLiteral("$A$ $B")));
}

} // namespace
