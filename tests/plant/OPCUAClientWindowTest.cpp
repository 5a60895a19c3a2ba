// The OPC UA client window as a user works it: the model read from the file
// and shown, the variable tables written back into the server they showed,
// the server dialog, the browse with its append questions, the row buttons,
// the automatic positions and OK through the checks and the file writer.
#include "OPCUABrowseLibrary.h"
#include "TableWindowTest.h"

#include <QTimer>

#include "platform/PageControl.h"
#include "platform/StdControls.h"
#include "plant/UOPC_UA_Add_Server.h"
#include "plant/UOPC_UA_Client_Access.h"
#include "plant/UOPC_UA_Scan_Server.h"

namespace {

enum { cEnable = 1, cName, cNode_Type, cNode_Id, cVar_Type, cName_Space, cTime = 10, cPosition, cMnemonic = 16 };

struct OPCUAClientWindow : TableWindowTest<TFOPC_UA_Client_Access> {
    TExColumnGrid* servers() const { return form->ACG_OPC_UA_Server; }
    TExColumnGrid* rd() const { return form->ACG_OPC_UA_Var_R; }
    TExColumnGrid* wr() const { return form->ACG_OPC_UA_Var_W; }
    TOPC_UA_Server& server(size_t i) const { return *form->OPC_UA_Server_List.at(i); }

    void SetUp() override
    {
        TableWindowTest<TFOPC_UA_Client_Access>::SetUp();
        Exe_Folder = dir.path();
        Application->CreateForm(FOPC_UA_Add_Server);
        Application->CreateForm(FOPC_UA_Scan_Server);
    }
    void TearDown() override
    {
        delete FOPC_UA_Scan_Server;
        delete FOPC_UA_Add_Server;
        Exe_Folder.clear();
        TableWindowTest<TFOPC_UA_Client_Access>::TearDown();
    }
    void Open_Fixture()
    {
        Copy_Fixture(QStringLiteral("opcua/OPC_UA_Client.xml"), OPC_UA_Client_File);
        Open();
        TestInput::ActivateWindow(form);
    }
    // A click on a row of a table, as the user selects it.
    static void Click_Row(TExColumnGrid* g, Integer row, Integer col = 1)
    {
        const TRect r = g->CellRect(col, row);
        TestInput::Click(g, {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2});
    }
    // Runs action while a modal window opened by pressing button is shown.
    static void While_Modal(TFxButton* button, const std::function<void()>& action)
    {
        QTimer::singleShot(0, action);
        TestInput::Click(button);
    }
    static QStringList Names(const TOPC_UA_Variable_List& list)
    {
        QStringList names;
        for (const auto& v : list)
            names << v->DispalyName();
        return names;
    }
    // The file the window would write for the model of the fixture.
    QByteArray Fixture_Rewritten() const
    {
        TOPC_UA_Server_List list;
        QString error;
        EXPECT_TRUE(Read_OPC_UA_Client_File(QStringLiteral(TEST_DATA_DIR "/plant/opcua/OPC_UA_Client.xml"), list, error));
        const QString path = dir.filePath(QStringLiteral("rewritten.xml"));
        EXPECT_TRUE(Write_OPC_UA_Client_File(path, list, error));
        return Read_Bytes(path);
    }
};

TEST_F(OPCUAClientWindow, ShowsTheServersAndTheVariablesOfTheSelectedOne)
{
    Open_Fixture();
    EXPECT_EQ(form->ClientWidth(), 1150);
    EXPECT_EQ(form->ClientHeight(), 660);
    EXPECT_EQ(form->Ind_Server, -1);
    ASSERT_EQ(servers()->GetRowCount(), 3);
    EXPECT_EQ(servers()->GetCellEx(0, 0), "N");
    EXPECT_EQ(servers()->GetCellEx(10, 0), "Mnemonic");
    EXPECT_EQ(Row(servers(), 1), "Y|opc.tcp://plant:4840|Anonymous|||||None|None|Line 1");
    EXPECT_EQ(Row(servers(), 2), QString::fromUtf8("N|opc.tcp://echo|Username and Password|operator|s\u00e9cret|||Sign|Basic 256|Line 2"));
    EXPECT_EQ(servers()->GetRowEx(), 1);
    EXPECT_EQ(Row(rd(), 1), "Y|Temperature|Numeric|1001|Float|2|Variable|||1000|0|0|N|Y|N|tank");
    EXPECT_EQ(Row(rd(), 2), "N|Batch|Guid|0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F9|Guid|3|Array|1|2|500|4|0|Y|N|Y|");
    EXPECT_EQ(Row(rd(), 3), "Y|||||||||||||||");
    EXPECT_EQ(rd()->GetCellEx(0, 1024), "1024");
    EXPECT_EQ(Row(wr(), 1), "Y|Setpoint|String|Line1.Setpoint|Int16|2|Y|N|Y|200|0|0|N|N|N|valve");
    // Headers from the texts; the blank ones wait for a language file.
    EXPECT_EQ(rd()->GetCellEx(cName, 0), "Display Name");
    EXPECT_EQ(rd()->GetCellEx(7, 0), " ");
    EXPECT_EQ(wr()->GetCellEx(7, 0), "On Change");
    EXPECT_EQ(form->TS_OPC_UA_Var_Write->Caption(), "Variables in Write");
    QString hint;
    servers()->OnGridHint(servers(), 0, 2, hint);
    EXPECT_EQ(hint, Text(5423));
    servers()->OnGridHint(servers(), 1, 2, hint);
    EXPECT_EQ(hint, "");
    Screenshot("TFOPC_UA_Client_Access-read");

    Click_Row(servers(), 2);
    EXPECT_EQ(Row(rd(), 1), "Y|Pressure|Numeric|7|Double|1|Variable|||1000|10|0|N|N|N|");
    EXPECT_EQ(Row(wr(), 1), "Y|||||||||||||||");
    form->PC_OPC_UA_Vars->SetActivePage(form->TS_OPC_UA_Var_Write);
    Click_Row(servers(), 1);
    Screenshot("TFOPC_UA_Client_Access-write");
    EXPECT_EQ(wr()->GetCellEx(cName, 1), "Setpoint");

    // OK writes the model back as it was read.
    OK_Passes();
    EXPECT_EQ(Read_Bytes(OPC_UA_Client_File), Fixture_Rewritten());
}

TEST_F(OPCUAClientWindow, LeavingATableWritesItIntoTheServerItShowed)
{
    Open_Fixture();
    rd()->SetFocus();
    EXPECT_EQ(form->Ind_Server, 0);
    rd()->SetCellEx(cMnemonic, 1, "edited");
    // A node ID is read by the row's own node type.
    Set_Row(rd(), 3, "Y|G|Guid|01020304-0506-0708-090a-0b0c0d0e0f10|UInt8|70000|Variable|||100|8|0|N|N|N|");
    Set_Row(rd(), 4, "Y|N|Numeric|01020304-0506-0708-090a-0b0c0d0e0f10|UInt8|$10|Variable|||100|9|0|N|N|N|");
    // An empty display name ends the table: row 6 is dropped.
    Set_Row(rd(), 6, "Y|Dropped|Numeric|1|Int8|0|Variable|||100|9|0|N|N|N|");

    // The click on the other server takes the focus from the table first.
    Click_Row(servers(), 2);
    EXPECT_EQ(form->Ind_Server, -1);
    EXPECT_EQ(rd()->GetCellEx(cName, 1), "Pressure");
    const TOPC_UA_Variable_List& read = server(0).Var_List_R;
    EXPECT_EQ(Names(read), (QStringList{"Temperature", "Batch", "G", "N"}));
    EXPECT_EQ(read[0]->Mnemonic(), "edited");
    EXPECT_EQ(read[2]->NodeID(), "01020304-0506-0708-090A-0B0C0D0E0F10");
    EXPECT_EQ(read[2]->nameSpaceIndex, 4464);  // low 16 bits
    EXPECT_EQ(read[3]->NodeID(), "0");
    EXPECT_EQ(read[3]->nameSpaceIndex, 0);  // decimal only
    EXPECT_EQ(read[3]->OnTimer(), "N");
    EXPECT_EQ(server(1).Var_List_R.size(), 1u);

    // The write table goes back the same way, its columns 7 to 9 as the
    // write modes.
    form->PC_OPC_UA_Vars->SetActivePage(form->TS_OPC_UA_Var_Write);
    wr()->SetFocus();
    Set_Row(wr(), 1, "Y|Out|Numeric|5|Int32|0|N|Y|N|0|0|0|Y|N|N|");
    form->Btn_OK->SetFocus();
    ASSERT_EQ(server(1).Var_List_W.size(), 1u);
    EXPECT_EQ(server(1).Var_List_W[0]->OnCMD(), "Y");
    EXPECT_EQ(server(1).Var_List_W[0]->VarArray(), "");
    EXPECT_TRUE(server(1).Var_List_W[0]->Swap());
}

TEST_F(OPCUAClientWindow, TheServerDialogAddsAndModifiesServers)
{
    Open_Fixture();
    While_Modal(form->Btn_Add_Server, [&] {
        TFOPC_UA_Add_Server* d = FOPC_UA_Add_Server;
        EXPECT_EQ(d->FormType, 1);
        EXPECT_EQ(d->E_Server_Add->Text(), "");
        d->E_Server_Add->SetText("opc.tcp://new");
        d->CB_Auth->SetItemIndex(1);
        d->E_User->SetText("u");
        d->E_Pass->SetText("p");
        d->CB_Sec_Type->SetItemIndex(1);
        d->CB_Sec_Policy->SetItemIndex(4);
        TestInput::Click(d->Btn_OK);
    });
    ASSERT_EQ(servers()->GetRowCount(), 4);
    EXPECT_EQ(Row(servers(), 3), "Y|opc.tcp://new|Username and Password|u|p|||Sign|AES 128 SHA 256 RSA OAEP|");

    // Indexes that name no item are stored as the last name of each list.
    While_Modal(form->Btn_Add_Server, [&] {
        TFOPC_UA_Add_Server* d = FOPC_UA_Add_Server;
        d->E_Server_Add->SetText("opc.tcp://typed");
        d->CB_Auth->SetText("Kerberos");
        d->CB_Sec_Type->SetText("Strong");
        d->CB_Sec_Policy->SetText("Best");
        TestInput::Click(d->Btn_OK);
    });
    EXPECT_EQ(Row(servers(), 4), "Y|opc.tcp://typed|Certificate|||||Sign and Encrypt|AES 256 SHA 256 RSA PSS|");

    // A double click on a server modifies it; the dialog shows its fields.
    Click_Row(servers(), 2);
    QTimer::singleShot(0, [&] {
        TFOPC_UA_Add_Server* d = FOPC_UA_Add_Server;
        EXPECT_EQ(d->FormType, 2);
        EXPECT_EQ(d->Caption(), "Modify OPC UA Server");
        EXPECT_FALSE(d->CB_OPC_UA_Server_Enable->Checked());
        EXPECT_EQ(d->E_User->Text(), "operator");
        EXPECT_EQ(d->CB_Auth->ItemIndex(), 1);
        EXPECT_EQ(d->CB_Sec_Type->ItemIndex(), 1);
        EXPECT_EQ(d->CB_Sec_Policy->ItemIndex(), 2);
        d->CB_OPC_UA_Server_Enable->SetChecked(true);
        d->E_Mnemonic->SetText("Line 2 b");
        TestInput::Click(d->Btn_OK);
    });
    const TRect r = servers()->CellRect(2, 2);
    TestInput::DblClick(servers(), {r.Left + 5, r.Top + 5});
    EXPECT_EQ(Row(servers(), 2), QString::fromUtf8("Y|opc.tcp://echo|Username and Password|operator|s\u00e9cret|||Sign|Basic 256|Line 2 b"));
    EXPECT_EQ(server(1).Var_List_R.size(), 1u);  // the variables stay

    // A double click below the last server adds one; Cancel adds nothing.
    QTimer::singleShot(0, [&] {
        EXPECT_EQ(FOPC_UA_Add_Server->FormType, 1);
        TestInput::Click(FOPC_UA_Add_Server->Btn_Cancel);
    });
    TestInput::DblClick(servers(), {20, servers()->Height() - 8});
    EXPECT_EQ(form->OPC_UA_Server_List.size(), 4u);
}

TEST_F(OPCUAClientWindow, DeletingAServerShowsTheOneSelectedAfterwards)
{
    Open_Fixture();
    EXPECT_EQ(Press(form->Btn_Delete_Server, IDNO), Text(5489));
    EXPECT_EQ(DialogSeam::Shown()[0].Flags, MB_YESNOCANCEL | MB_ICONQUESTION);
    EXPECT_EQ(form->OPC_UA_Server_List.size(), 2u);
    Press(form->Btn_Delete_Server, IDCANCEL);
    EXPECT_EQ(form->OPC_UA_Server_List.size(), 2u);
    Press(form->Btn_Delete_Server, IDYES);
    ASSERT_EQ(form->OPC_UA_Server_List.size(), 1u);
    EXPECT_EQ(server(0).ServerAddress(), "opc.tcp://echo");
    EXPECT_EQ(servers()->GetRowCount(), 2);
    EXPECT_EQ(rd()->GetCellEx(cName, 1), "Pressure");
    EXPECT_EQ(wr()->GetCellEx(cName, 1), "");

    Press(form->Btn_Delete_Server, IDYES);
    EXPECT_TRUE(form->OPC_UA_Server_List.empty());
    EXPECT_EQ(Row(servers(), 1), "|||||||||");
    EXPECT_EQ(rd()->GetCellEx(cName, 1), "");
    // Without a server: modify, delete and Auto Pos do nothing; Scan says why.
    DialogSeam::Clear();
    for (TFxButton* b : {form->Btn_Modify_Server, form->Btn_Delete_Server, form->Btn_AutoPosition})
        TestInput::Click(b);
    EXPECT_TRUE(DialogSeam::Shown().empty());
    EXPECT_EQ(Press(form->Btn_Scan_Server, IDOK), "Error!! Select one Server OPC UA before use the Scan operation");
    EXPECT_EQ(DialogSeam::Shown()[0].Flags, MB_OK | MB_ICONERROR);
    // The row buttons change only the table.
    Select(rd(), 1);
    rd()->SetCellEx(cName, 1, "Alone");
    TestInput::Click(form->Btn_InsRow);
    EXPECT_EQ(rd()->GetCellEx(cName, 2), "Alone");
}

TEST_F(OPCUAClientWindow, TheBrowseImportsTheTickedVariables)
{
    ASSERT_TRUE(Put_Browse_Library(dir.path(), OPC_UA_SEARCH_WHOLE));
    Open_Fixture();
    // The request carries the selected server's texts and codes; its read
    // list is not empty, so the window asks before appending.
    Click_Row(servers(), 2);
    DialogSeam::Clear();
    DialogSeam::QueueAnswer(IDYES);
    While_Modal(form->Btn_Scan_Server, [&] {
        ASSERT_TRUE(Wait_For_Browse(FOPC_UA_Scan_Server));
        EXPECT_EQ(FOPC_UA_Scan_Server->ACG_OPC_UA_Scan_Var->GetCellEx(3, 1),
                  QString::fromLocal8Bit(QString::fromUtf8("opc.tcp://echo|1|operator|s\u00e9cret|||1|2").toLocal8Bit()));
        TestInput::Click(FOPC_UA_Scan_Server->Btn_OK);
    });
    ASSERT_EQ(DialogSeam::Shown().size(), 1u);
    EXPECT_EQ(DialogSeam::Shown()[0].Text, "Do you want to append the new variables in Read?");
    EXPECT_EQ(DialogSeam::Shown()[0].Flags, MB_YESNOCANCEL | MB_ICONQUESTION);
    EXPECT_EQ(Names(server(1).Var_List_R).size(), 2);
    EXPECT_EQ(Names(server(1).Var_List_W).size(), 1);  // empty before: no question
    EXPECT_EQ(rd()->GetCellEx(cName, 2).left(14), "opc.tcp://echo");
    EXPECT_TRUE(FOPC_UA_Scan_Server->Server.server_address == nullptr);

    // The first server: no Read ticked and "No" empties the read list; the
    // write list is first kept by Cancel, then appended to. The second time
    // the read list is empty and nothing is asked about it.
    Click_Row(servers(), 1);
    const std::vector<Integer> answers[] = {{IDNO, IDCANCEL}, {IDYES}};
    for (const auto& queued : answers) {
        DialogSeam::Clear();
        for (Integer a : queued)
            DialogSeam::QueueAnswer(a);
        While_Modal(form->Btn_Scan_Server, [&] {
            ASSERT_TRUE(Wait_For_Browse(FOPC_UA_Scan_Server));
            TestInput::Click(FOPC_UA_Scan_Server->Btn_ClearAllRead);
            TestInput::Click(FOPC_UA_Scan_Server->Btn_SelectAllWrite);
            TestInput::Click(FOPC_UA_Scan_Server->Btn_OK);
        });
        EXPECT_EQ(DialogSeam::Shown().size(), queued.size());
        EXPECT_EQ(DialogSeam::Shown().back().Text, "Do you want to append the new variables in Write?");
        EXPECT_TRUE(server(0).Var_List_R.empty());
        EXPECT_EQ(server(0).Var_List_W.size(), queued.size() == 2 ? 1u : 6u);
    }
    EXPECT_EQ(Names(server(0).Var_List_W),
              (QStringList{"Setpoint", "Temperature", "Setpoint", "Batch", "Raw block", "Status"}));
    const TOPC_UA_Variable& batch = *server(0).Var_List_W[3];
    EXPECT_TRUE(batch.Enable());
    EXPECT_EQ(batch.NodeType(), "Guid");
    EXPECT_EQ(batch.NodeID(), "0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F9");
    EXPECT_EQ(batch.VarType(), "Guid");
    EXPECT_EQ(batch.nameSpaceIndex, 3);
    EXPECT_EQ(batch.StartBit(), "0");
    EXPECT_EQ(batch.Position(), "");
    EXPECT_FALSE(batch.Swap());
    EXPECT_EQ(server(0).Var_List_W[2]->NodeID(), "Line1.Setpoint");
    EXPECT_EQ(server(0).Var_List_W[4]->NodeID(), "AQID");
    EXPECT_EQ(server(0).Var_List_W[5]->NodeID(), "4294967295");
    EXPECT_EQ(wr()->GetCellEx(cName, 6), "Status");
    EXPECT_EQ(rd()->GetCellEx(cName, 1), "");

    // Cancel in the browse window imports nothing and asks nothing.
    DialogSeam::Clear();
    While_Modal(form->Btn_Scan_Server, [&] {
        ASSERT_TRUE(Wait_For_Browse(FOPC_UA_Scan_Server));
        TestInput::Click(FOPC_UA_Scan_Server->Btn_Cancel);
    });
    EXPECT_TRUE(DialogSeam::Shown().empty());
    EXPECT_EQ(server(0).Var_List_W.size(), 6u);
}

TEST_F(OPCUAClientWindow, RowButtonsWorkOnTheShownTableAndGoIntoTheServer)
{
    Open_Fixture();
    Select(rd(), 1);
    TestInput::Click(form->Btn_InsRow);
    EXPECT_EQ(Row(rd(), 1), "Y|||||||||||||||");
    EXPECT_EQ(rd()->GetCellEx(cName, 2), "Temperature");
    // The blank row inserted above them does not cut the server's variables.
    EXPECT_EQ(Names(server(0).Var_List_R), (QStringList{"Temperature", "Batch"}));
    EXPECT_EQ(form->Ind_Server, -1);

    Select(rd(), 1);
    EXPECT_EQ(Press(form->Btn_DelRow, IDYES), "Are you sure to delete the Row number 1");
    EXPECT_EQ(rd()->GetCellEx(cName, 1), "Temperature");
    Select(rd(), 2);
    Press(form->Btn_DelRow, IDYES);
    EXPECT_EQ(Names(server(0).Var_List_R), (QStringList{"Temperature"}));
    Select(rd(), 1);
    Press(form->Btn_DelRow, IDNO);
    EXPECT_EQ(Names(server(0).Var_List_R), (QStringList{"Temperature"}));

    // A row copied from the read table does not paste into the write table.
    Select(rd(), 1);
    TestInput::Click(form->Btn_CopyRow);
    EXPECT_TRUE(form->Do_Copy_Read);
    form->PC_OPC_UA_Vars->SetActivePage(form->TS_OPC_UA_Var_Write);
    Select(wr(), 2);
    EXPECT_EQ(Press(form->Btn_PasteRow, IDOK), Text(1102));
    Select(wr(), 1);
    TestInput::Click(form->Btn_CopyRow);
    EXPECT_FALSE(form->Do_Copy_Read);
    EXPECT_TRUE(form->Do_Copy_Write);
    Select(wr(), 2);
    TestInput::Click(form->Btn_PasteRow);
    EXPECT_EQ(Names(server(0).Var_List_W), (QStringList{"Setpoint", "Setpoint"}));
    EXPECT_EQ(server(0).Var_List_W[1]->OnTimer(), "Y");
}

TEST_F(OPCUAClientWindow, AutoPosStartsAfterThePreviousServer)
{
    Open_Fixture();
    Click_Row(servers(), 2);
    EXPECT_EQ(Press(form->Btn_AutoPosition, IDNO), Text(5494));
    EXPECT_EQ(rd()->GetCellEx(cPosition, 1), "10");
    Press(form->Btn_AutoPosition, IDYES);
    // Float at 0 and Guid at 4 end at 20.
    EXPECT_EQ(rd()->GetCellEx(cPosition, 1), "20");
    EXPECT_EQ(server(1).Var_List_R[0]->Position(), "20");
}

TEST_F(OPCUAClientWindow, OKChecksTheModelAndCancelWritesNothing)
{
    Open_Fixture();
    const QByteArray before = Read_Bytes(OPC_UA_Client_File);
    Click_Row(servers(), 2);
    rd()->SetFocus();
    rd()->SetCellEx(cPosition, 1, "0x10");
    EXPECT_EQ(OK_Fails(), "Error in Server Number 2 in Read Variable 1!! Position must be between 0 and 1499");
    EXPECT_EQ(Read_Bytes(OPC_UA_Client_File), before);
    TestInput::Click(form->Btn_Cancel);
    EXPECT_EQ(form->ModalResult(), mrCancel);
    EXPECT_EQ(Read_Bytes(OPC_UA_Client_File), before);

    // Showing again rebuilds the model from the file.
    Open();
    EXPECT_EQ(server(1).Var_List_R[0]->Position(), "10");
}

TEST_F(OPCUAClientWindow, AFileThatCannotBeReadIsReplacedOnlyWhenTheUserSaysSo)
{
    Write(OPC_UA_Client_File, "<OPC_UA_Client><OPC_UA_Server_List>");
    const QByteArray broken = Read_Bytes(OPC_UA_Client_File);
    DialogSeam::QueueAnswer(IDOK);
    form->Show();
    ASSERT_EQ(DialogSeam::Shown().size(), 1u);
    EXPECT_EQ(DialogSeam::Shown()[0].Flags, MB_OK | MB_ICONERROR);
    EXPECT_TRUE(form->OPC_UA_Server_List.empty());

    const QString question = Press(form->Btn_OK, IDNO);
    EXPECT_TRUE(question.contains("OPC_UA_Client.xml")) << question.toStdString();
    EXPECT_EQ(form->ModalResult(), mrNone);
    EXPECT_EQ(Read_Bytes(OPC_UA_Client_File), broken);
    Press(form->Btn_OK, IDYES);
    EXPECT_EQ(form->ModalResult(), mrOk);
    TOPC_UA_Server_List list;
    QString error;
    EXPECT_TRUE(Read_OPC_UA_Client_File(OPC_UA_Client_File, list, error));
    // The unreadable original is kept beside the new file.
    EXPECT_EQ(Read_Bytes(OPC_UA_Client_File + ".bad"), broken);
}

} // namespace
