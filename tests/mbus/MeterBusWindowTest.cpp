// The M-Bus network editor worked as a user works it: a network file shown
// in the tree, nodes and variables shown, added, modified and deleted
// through the panels, OK writing M_Bus.xml and Cancel writing nothing.
#include "MeterBusFixture.h"

#include "controls/ExPageControl.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/ExtCtrls.h"
#include "platform/Messages.h"

#include <QApplication>
#include <QWidget>

namespace {

// Every page of the window in view, grabbed.
void Shot_Page(TMeterBusWindow& t, TExTabSheet* page, const char* name)
{
    t.form->ExPageControl1->SetActivePage(page);
    t.Shot(t.form, name);
}

} // namespace

TEST_F(TMeterBusWindow, NetworkFileFillsTheTreeAndSelectionsFillThePanels)
{
    Use_Network("network.xml");
    Open();
    EXPECT_EQ(Tree_Texts(), QStringList({"M-Bus Network", "  ID 5 - Heat", "    VAR - Energy", "    VAR - Time",
                                         "  wM-Bus Node - Address 12345678 - Radio", "    VAR - Flow",
                                         "  ID 6 - Off", "    VAR - Hidden"}));
    EXPECT_TRUE(form->NODE_ORIG->Expanded());
    EXPECT_EQ(form->IND_NODO, -1);
    EXPECT_FALSE(form->Is_Change);
    EXPECT_FALSE(form->PasteNode1->Enabled());

    // A wired node: its fields, the wired rows, the modify caption.
    Click_Node(0);
    EXPECT_EQ(form->IND_NODO, 0);
    EXPECT_EQ(form->IND_VAR, -1);
    EXPECT_EQ(form->ExPageControl1->ActivePage(), form->ExTabSheet1);
    EXPECT_EQ(form->btn_Add_Node->Caption(), "MODIFY NODE");
    EXPECT_EQ(form->btn_Add_Var->Caption(), "ADD VARIABLE");
    EXPECT_EQ(form->E_New_Node_Desc->Text(), "Heat");
    EXPECT_EQ(form->E_New_Node_ID_Pri->Text(), "5");
    EXPECT_EQ(form->E_New_Node_ID_Sec->Text(), "100");
    EXPECT_TRUE(form->RB_ID_Primary->Checked());
    EXPECT_TRUE(form->CB_Node_State->Checked());
    EXPECT_EQ(form->E_Node_State->Text(), "10");
    EXPECT_EQ(form->CB_Cut_After->Text(), "4");
    EXPECT_TRUE(form->E_New_Node_ID_Pri->Visible());
    EXPECT_FALSE(form->P_wMBus_Node->Visible());
    // The Variables page is ready for a new variable.
    EXPECT_TRUE(form->CB_Var_En->Checked());
    EXPECT_EQ(form->E_Sto_Num->Text(), "0");
    EXPECT_EQ(form->E_TP_Year->Text(), "1");
    EXPECT_EQ(form->ST_TP_Sec->Caption(), "6");
    EXPECT_EQ(form->E_Position->Text(), "1");
    Shot_Page(*this, form->ExTabSheet1, "TFMeter_Bus-nodes-wired");
    Shot_Page(*this, form->ExTabSheet2, "TFMeter_Bus-variables-new");

    // A variable: its fields on the Variables page, its node on the Nodes page.
    Click_Var(0, 0);
    EXPECT_EQ(form->ExPageControl1->ActivePage(), form->ExTabSheet2);
    EXPECT_EQ(form->btn_Add_Node->Caption(), "ADD NODE");
    EXPECT_EQ(form->btn_Add_Var->Caption(), "MODIFY VARIABLE");
    EXPECT_EQ(form->E_New_Var_Desc->Text(), "Energy");
    EXPECT_EQ(form->E_Sto_Num->Text(), "4294967295");
    EXPECT_EQ(form->CB_VIFE->ItemIndex(), 0);  // a stored 255 shows as item 0
    EXPECT_EQ(form->CB_PostOpe->Text(), " * 1000");
    EXPECT_EQ(form->CB_Var_Dim->Text(), "32");
    EXPECT_FALSE(form->E_Length->Enabled());
    EXPECT_TRUE(form->CB_Var_ToD->Visible());
    EXPECT_FALSE(form->E_Position->Visible());
    EXPECT_FALSE(form->GB_Time_Point->Enabled());
    EXPECT_EQ(form->E_New_Node_Desc->Text(), "Heat");
    Shot_Page(*this, form->ExTabSheet2, "TFMeter_Bus-variables-by-type");

    // A time point enables its group.
    Click_Var(0, 1);
    EXPECT_TRUE(form->GB_Time_Point->Enabled());
    EXPECT_TRUE(form->CB_TP_MR->Checked());
    EXPECT_EQ(form->ST_TP_Month->Caption(), "131");

    // A wireless node: its panel with all 16 key bytes, the wired rows hidden.
    Click_Var(1, 0);
    EXPECT_EQ(form->E_wMBus_Add->Text(), "12345678");
    for (Integer k = 0; k < 16; ++k)
        EXPECT_EQ(form->E_wMBus_K[k]->Text(), QString::number(k + 1));
    EXPECT_TRUE(form->CB_wMBus_EnKey->Checked());
    EXPECT_EQ(form->E_wMBus_RSSI->Text(), "22");
    EXPECT_EQ(form->CB_wMBus_VarList->ItemIndex(), 1);
    // Its list is "By Position": the record's position shows, the type rows not.
    EXPECT_TRUE(form->E_Position->Visible());
    EXPECT_EQ(form->E_Position->Text(), "5");
    EXPECT_FALSE(form->CB_Var_ToD->Visible());
    EXPECT_FALSE(form->E_Sto_Num->Visible());
    EXPECT_TRUE(form->GB_Time_Point->Enabled());
    EXPECT_TRUE(form->E_Length->Enabled());  // "Variable Length"
    EXPECT_FALSE(form->CB_Float->Enabled());
    Shot_Page(*this, form->ExTabSheet2, "TFMeter_Bus-variables-by-position");
    Click_Node(1);
    EXPECT_TRUE(form->P_wMBus_Node->Visible());
    EXPECT_FALSE(form->E_New_Node_ID_Pri->Visible());
    EXPECT_FALSE(form->E_Access_Number->Visible());
    EXPECT_TRUE(form->E_Manu_Spec_Data->Visible());
    EXPECT_GT(form->E_Manu_Spec_Data->Top(), form->P_wMBus_Node->Top() + form->P_wMBus_Node->Height() - 1);
    Shot_Page(*this, form->ExTabSheet1, "TFMeter_Bus-nodes-wireless");

    // The root selects nothing: the add captions, the fields left as they are.
    Click(form->NODE_ORIG);
    EXPECT_EQ(form->IND_NODO, -1);
    EXPECT_EQ(form->btn_Add_Node->Caption(), "ADD NODE");
    EXPECT_EQ(form->E_New_Node_Desc->Text(), "Radio");
}

TEST_F(TMeterBusWindow, FieldEventsFollowTheChoices)
{
    Open();
    // The long lists open wider than their boxes.
    EXPECT_GT(ComboDroppedWidth(form->CB_VIFE), form->CB_VIFE->Width() + 65);
    EXPECT_GT(ComboDroppedWidth(form->CB_Var_ToD), form->CB_Var_ToD->Width());
    EXPECT_EQ(form->CB_MBus_Type->Text(), "M-Bus on wires");
    EXPECT_EQ(form->E_New_Node_ID_Pri->Text(), "1");
    EXPECT_EQ(form->E_wMBus_K[2]->Text(), "255");
    form->E_TP_Year->SetText(QStringLiteral("7"));
    EXPECT_EQ(Tree_Texts(), QStringList({"M-Bus Network"}));
    const QStringList after = {form->ST_TP_Month->Caption(), form->ST_TP_Day->Caption(), form->ST_TP_Hour->Caption(),
                               form->ST_TP_Min->Caption(), form->ST_TP_Sec->Caption()};
    EXPECT_EQ(after, QStringList({"8", "9", "10", "11", "12"}));
    form->E_TP_Year->SetText(QStringLiteral("x"));
    EXPECT_EQ(form->ST_TP_Day->Caption(), "0");

    form->CB_Float->SetChecked(true);
    form->CB_Var_Dim->SetItemIndex(7);
    form->CB_Var_DimChange(form->CB_Var_Dim);
    EXPECT_TRUE(form->E_Length->Enabled());
    EXPECT_FALSE(form->CB_Float->Checked());
    EXPECT_FALSE(form->CB_Float->Enabled());
    form->CB_Var_ToD->SetItemIndex(21);
    form->CB_Var_ToDChange(form->CB_Var_ToD);
    EXPECT_TRUE(form->E_VIF_ASCII->Enabled());

    form->CB_MBus_Type->SetItemIndex(0);
    form->CB_MBus_TypeChange(form->CB_MBus_Type);
    EXPECT_TRUE(form->P_wMBus_Node->Visible());
    EXPECT_FALSE(form->RB_ID_Secondary->Visible());
}

TEST_F(TMeterBusWindow, AddModifyAndDeleteThenOKWritesTheNetwork)
{
    Use_Network("network.xml");
    Open();

    // A new wired node, by secondary address.
    Click(form->NODE_ORIG);
    form->CB_Node_En->SetChecked(true);
    form->E_New_Node_Desc->SetText(QStringLiteral("Water"));
    form->RB_ID_Secondary->SetChecked(true);
    form->E_New_Node_ID_Sec->SetText(QStringLiteral("5"));  // primary 5 of Heat does not clash
    form->E_New_Node_ID_Pri->SetText(QStringLiteral("x"));  // unused, stored as 0
    form->E_Node_State->SetText(QStringLiteral("40"));
    form->CB_Node_State->SetChecked(true);
    form->E_Iden->SetText(QStringLiteral("41"));
    form->CB_Access_Number->SetChecked(true);
    form->E_Access_Number->SetText(QStringLiteral("42"));
    EXPECT_EQ(Boxes([&] { TestInput::Click(form->btn_Add_Node); }, 0), QStringList());
    EXPECT_TRUE(form->Is_Change);
    ASSERT_EQ(form->Nodi_List.size(), 4u);
    EXPECT_EQ(Node_Item(3)->Text(), "ID 5 - Water");

    // A variable under it, By Type with a time point.
    Click_Node(3);
    EXPECT_EQ(form->E_New_Node_ID_Pri->Text(), "0");
    form->E_New_Var_Desc->SetText(QStringLiteral("Date"));
    form->CB_Var_ToD->SetItemIndex(20);
    form->CB_Var_ToDChange(form->CB_Var_ToD);
    EXPECT_TRUE(form->GB_Time_Point->Enabled());
    form->CB_TP_MR->SetChecked(true);
    form->E_TP_Year->SetText(QStringLiteral("50"));
    form->E_Var_MR->SetText(QStringLiteral("60"));
    form->E_Sto_Num->SetText(QStringLiteral("0x10"));
    EXPECT_EQ(Boxes([&] { TestInput::Click(form->btn_Add_Var); }, 0), QStringList());
    EXPECT_EQ(Var_Item(3, 0)->Text(), "VAR - Date");

    // Heat modified: its description and its list type.
    Click_Node(0);
    form->E_New_Node_Desc->SetText(QStringLiteral("Heat meter"));
    form->CB_Var_Type->SetItemIndex(1);
    form->CB_SND_NKE->SetChecked(true);
    EXPECT_EQ(Boxes([&] { TestInput::Click(form->btn_Add_Node); }, 0), QStringList());
    EXPECT_EQ(Node_Item(0)->Text(), "ID 5 - Heat meter");

    // Energy modified in place: its own position does not clash with itself.
    Click_Var(0, 0);
    EXPECT_TRUE(form->E_Position->Visible());
    form->E_New_Var_Desc->SetText(QStringLiteral("Energy total"));
    form->E_Position->SetText(QStringLiteral("3"));
    EXPECT_EQ(Boxes([&] { TestInput::Click(form->btn_Add_Var); }, 0), QStringList());
    EXPECT_EQ(Var_Item(0, 0)->Text(), "VAR - Energy total");

    // Time deleted after a No and a Yes; the selection moves on.
    Click_Var(0, 1);
    EXPECT_EQ(Confirm([&] { form->DeleteItem1->Click(); }, IDNO), Lang(1895));
    EXPECT_EQ(form->Nodi_List[0]->Var_List.size(), 2u);
    EXPECT_EQ(Confirm([&] { form->DeleteItem1->Click(); }, IDYES), Lang(1895));
    EXPECT_EQ(form->Nodi_List[0]->Var_List.size(), 1u);
    EXPECT_EQ(form->SELECT_NODE, form->TW->Selected());
    // The disabled node Off deleted with its variable.
    Click_Node(2);
    EXPECT_EQ(Confirm([&] { form->DeleteItem1->Click(); }, IDYES), Lang(1894));
    ASSERT_EQ(form->Nodi_List.size(), 3u);
    EXPECT_EQ(Tree_Texts(), QStringList({"M-Bus Network", "  ID 5 - Heat meter", "    VAR - Energy total",
                                         "  wM-Bus Node - Address 12345678 - Radio", "    VAR - Flow",
                                         "  ID 5 - Water", "    VAR - Date"}));
    EXPECT_EQ(form->IND_NODO, form->TW->Selected()->Index());

    DialogSeam::Clear();
    TestInput::Click(form->Btn_OK);
    EXPECT_TRUE(DialogSeam::Shown().empty());
    EXPECT_EQ(form->ModalResult(), mrOk);
    EXPECT_TRUE(form->Nodi_List.empty());
    EXPECT_EQ(QString::fromUtf8(Read(M_Bus_File)), QString::fromUtf8(Read(Data("expected.xml"))));
}

TEST_F(TMeterBusWindow, DeleteAllLeavesTheRootAndAnEmptyNetwork)
{
    Use_Network("network.xml");
    Open();
    Click(form->NODE_ORIG);
    EXPECT_EQ(Confirm([&] { form->btn_Delete_ItemClick(form); }, IDNO), Lang(1893));
    EXPECT_EQ(form->Nodi_List.size(), 3u);
    EXPECT_FALSE(form->Is_Change);
    EXPECT_EQ(Confirm([&] { form->btn_Delete_ItemClick(form); }, IDYES), Lang(1893));
    EXPECT_TRUE(form->Nodi_List.empty());
    EXPECT_EQ(Tree_Texts(), QStringList({"M-Bus Network"}));
    TestInput::Click(form->Btn_OK);
    EXPECT_EQ(form->ModalResult(), mrOk);
    TNodo_List back;
    QString error;
    EXPECT_TRUE(Load_MBus_Network(M_Bus_File, back, error));
    EXPECT_TRUE(back.empty());
    EXPECT_TRUE(Read(M_Bus_File).contains("<!--SW_VERSION = 1.002-->"));
}

TEST_F(TMeterBusWindow, CancelAsksOnlyAfterAChangeAndWritesNothing)
{
    Use_Network("network.xml");
    const QByteArray before = Read(M_Bus_File);
    Open();
    DialogSeam::Clear();
    TestInput::Click(form->Btn_Cancel);
    EXPECT_TRUE(DialogSeam::Shown().empty());
    EXPECT_EQ(form->ModalResult(), mrCancel);

    // A failed add still counts as a change.
    Open();
    Click(form->NODE_ORIG);
    form->CB_MBus_Type->SetItemIndex(1);
    form->RB_ID_Primary->SetChecked(true);
    form->E_New_Node_ID_Pri->SetText(QStringLiteral("300"));
    EXPECT_EQ(Boxes([&] { TestInput::Click(form->btn_Add_Node); }), QStringList({Lang(1875)}));
    EXPECT_TRUE(form->Is_Change);
    EXPECT_EQ(Confirm([&] { TestInput::Click(form->Btn_Cancel); }, IDNO), Lang(1896));
    EXPECT_EQ(form->ModalResult(), mrNone);
    EXPECT_EQ(Confirm([&] { TestInput::Click(form->Btn_Cancel); }, IDYES), Lang(1896));
    EXPECT_EQ(form->ModalResult(), mrCancel);
    EXPECT_EQ(Read(M_Bus_File), before);
}

TEST_F(TMeterBusWindow, ModifyCaptionLeftFromTheLastShowChangesNothing)
{
    Use_Network("network.xml");
    Open();
    Click_Node(0);
    TestInput::Click(form->Btn_Cancel);
    Open();
    EXPECT_EQ(form->btn_Add_Node->Caption(), "MODIFY NODE");
    EXPECT_EQ(form->NODE_ID, nullptr);
    form->E_New_Node_Desc->SetText(QStringLiteral("Changed"));
    EXPECT_EQ(Boxes([&] { TestInput::Click(form->btn_Add_Node); }, 0), QStringList());
    EXPECT_EQ(form->Nodi_List[0]->Description, "Heat");
    EXPECT_EQ(form->Nodi_List.size(), 3u);
    EXPECT_TRUE(form->Is_Change);
}

TEST_F(TMeterBusWindow, LoadStoppedByAFaultKeepsWhatWasReadAndStartsUnselected)
{
    Use_Network("network.xml");
    Open();
    Click_Var(1, 0);
    Use_Network("broken.xml");
    const QStringList boxes = Boxes([&] { Open(); });
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_TRUE(boxes[0].contains("Descrizione")) << boxes[0].toStdString();
    EXPECT_EQ(Tree_Texts(), QStringList({"M-Bus Network", "  ID 3 - Good"}));
    EXPECT_EQ(form->IND_NODO, -1);
    EXPECT_EQ(form->NODE_ID, nullptr);
    EXPECT_FALSE(form->Is_Change);
}

TEST_F(TMeterBusWindow, OKAfterAStoppedLoadAsksBeforeItReplacesTheFile)
{
    Use_Network("broken.xml");
    const QByteArray before = Read(M_Bus_File);
    ASSERT_EQ(Boxes([&] { Open(); }).size(), 1);
    ASSERT_EQ(form->Nodi_List.size(), 1u);

    // No: the three nodes of the file stay as they are.
    DialogSeam::Clear();
    DialogSeam::QueueAnswer(IDNO);
    TestInput::Click(form->Btn_OK);
    ASSERT_EQ(DialogSeam::Shown().size(), 1u);
    EXPECT_EQ(DialogSeam::Shown()[0].Flags, MB_YESNO | MB_ICONWARNING);
    EXPECT_TRUE(DialogSeam::Shown()[0].Text.contains("M_Bus.xml.bad")) << DialogSeam::Shown()[0].Text.toStdString();
    EXPECT_EQ(form->ModalResult(), mrNone);
    EXPECT_EQ(Read(M_Bus_File), before);
    EXPECT_FALSE(QFile::exists(M_Bus_File + ".bad"));

    // Yes: the file is kept beside, then the node shown is written.
    DialogSeam::Clear();
    DialogSeam::QueueAnswer(IDYES);
    TestInput::Click(form->Btn_OK);
    EXPECT_EQ(form->ModalResult(), mrOk);
    EXPECT_EQ(Read(M_Bus_File + ".bad"), before);
    TNodo_List back;
    QString error;
    ASSERT_TRUE(Load_MBus_Network(M_Bus_File, back, error)) << error.toStdString();
    EXPECT_EQ(back.size(), 1u);
}

TEST_F(TMeterBusWindow, AFailedSaveKeepsTheWindowOpenWithTheNetwork)
{
    Use_Network("network.xml");
    Open();
    // The configuration folder is gone when OK is pressed.
    M_Bus_File = dir.filePath(QStringLiteral("gone/M_Bus.xml"));
    const QStringList boxes = Boxes([&] { TestInput::Click(form->Btn_OK); });
    EXPECT_EQ(boxes.size(), 1);
    EXPECT_EQ(form->ModalResult(), mrNone);
    EXPECT_EQ(form->Nodi_List.size(), 3u);
    EXPECT_EQ(Tree_Texts().size(), 8);
}

TEST_F(TMeterBusWindow, TextsFollowTheLanguage)
{
    Language_Texts->Put(1723, QStringLiteral("NUOVO NODO"));
    Language_Texts->Put(1705, QStringLiteral("Nodi  "));
    Language_Texts->Put(1751, QStringLiteral("wM-Bus radio"));
    form->Set_Lang();
    EXPECT_EQ(form->btn_Add_Node->Caption(), "NUOVO NODO");
    EXPECT_EQ(form->ExTabSheet1->Caption(), "Nodi  ");
    EXPECT_EQ(form->CB_MBus_Type->Items()->Strings(0), "wM-Bus radio");
    EXPECT_EQ(form->CB_MBus_Type->ItemIndex(), 1);
    EXPECT_EQ(form->CB_Force_Int32->Caption(), "Force Integer 32");
    EXPECT_EQ(form->L_SW_Code->Caption(), SW_Code);
    // The add button still adds under its new caption.
    Open();
    EXPECT_EQ(Boxes([&] { TestInput::Click(form->btn_Add_Node); }, 0), QStringList());
    EXPECT_EQ(form->Nodi_List.size(), 1u);
}

TEST_F(TMeterBusWindow, AnUnknownBusTypeIsShownAndKeptAsWired)
{
    QFile f(M_Bus_File);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("<M-Bus_Network><Nodo Descrizione=\"Odd\" ID_Primary=\"9\" MBus_Type=\"2\"/></M-Bus_Network>");
    f.close();
    Open();
    EXPECT_EQ(Node_Item(0)->Text(), "ID 9 - Odd");
    Click_Node(0);
    EXPECT_TRUE(form->E_New_Node_ID_Pri->Visible());
    EXPECT_FALSE(form->P_wMBus_Node->Visible());
    EXPECT_EQ(Boxes([&] { TestInput::Click(form->btn_Add_Node); }, 0), QStringList());
    EXPECT_NE(form->Nodi_List[0]->MBus_Type, 0);
    EXPECT_EQ(Node_Item(0)->Text(), "ID 9 - Odd");
}

// The long lists are measured when they first open, and open as wide as
// their widest entry with the room the window gives them.
TEST_F(TMeterBusWindow, LongListsOpenAsWideAsTheirWidestEntry)
{
    Open();
    struct {
        TComboBox* combo;
        Integer extra;
    } lists[] = {{form->CB_VIFE, 65}, {form->CB_Var_ToD, 30}};
    for (auto [combo, extra] : lists) {
        SCOPED_TRACE(combo->Name().toStdString());
        TBitmap measure(1, 1);
        measure.Canvas()->Font()->Assign(combo->Font());
        Integer widest = 0;
        for (Integer i = 0; i < combo->Items()->Count(); ++i)
            widest = std::max(widest, measure.Canvas()->TextWidth(combo->Items()->Strings(i)));
        Integer expected = widest + 12 + extra;
        if (combo->Items()->Count() > combo->DropDownCount())
            expected += GetSystemMetrics(SM_CXVSCROLL);
        ASSERT_GT(expected, combo->Width());
        combo->SetDroppedDown(true);
        ASSERT_NE(QApplication::activePopupWidget(), nullptr);
        EXPECT_GE(QApplication::activePopupWidget()->width(), expected);
        combo->SetDroppedDown(false);
        EXPECT_EQ(ComboDroppedWidth(combo), expected);
    }
}
