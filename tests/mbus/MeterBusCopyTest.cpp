// Copy and paste of nodes and variables through the tree's menu and the
// new-address dialog, and the import of another network file.
#include "MeterBusFixture.h"

#include "platform/ExtCtrls.h"

TEST_F(TMeterBusWindow, CopyRefusalsNameWhatIsMissing)
{
    Use_Network("network.xml");
    Open();
    EXPECT_EQ(Boxes([&] { form->CopyVariable1->Click(); }), QStringList({Lang(1898)}));
    EXPECT_EQ(Boxes([&] { form->CopyNode1->Click(); }), QStringList({Lang(1899)}));
    EXPECT_EQ(Boxes([&] { form->PasteVariable1Click(form); }), QStringList({Lang(1901)}));
    Click_Node(0);
    EXPECT_EQ(Boxes([&] { form->CopyVariable1->Click(); }), QStringList({Lang(1897)}));
    EXPECT_FALSE(form->PasteVariable1->Enabled());
    Click_Var(0, 0);
    EXPECT_EQ(Boxes([&] { form->CopyVariable1->Click(); }, 0), QStringList());
    EXPECT_TRUE(form->PasteVariable1->Enabled());
    // Nothing selected: no node to paste into.
    Click(form->NODE_ORIG);
    EXPECT_EQ(Boxes([&] { form->PasteVariable1->Click(); }), QStringList({Lang(1905)}));
    EXPECT_EQ(form->Nodi_List[0]->Var_List.size(), 2u);
    EXPECT_FALSE(form->Is_Change);
}

TEST_F(TMeterBusWindow, PastedWiredNodeTakesNewAddressAndPositions)
{
    Use_Network("network.xml");
    Open();
    // With a variable selected, Copy Node copies that variable's node.
    Click_Var(0, 1);
    form->CopyNode1->Click();
    EXPECT_TRUE(form->PasteNode1->Enabled());
    // The copy is the node as it was: later edits do not reach it.
    form->Nodi_List[0]->Description = QStringLiteral("Changed");

    With_Dialog([&] { form->PasteNode1->Click(); }, [&] {
        EXPECT_EQ(dialog->Form_Type, 1);
        EXPECT_EQ(dialog->Caption(), Lang(2000));
        EXPECT_TRUE(dialog->RB_ID_Primary->Checked());
        EXPECT_EQ(dialog->E_New_Node_ID_Pri->Text(), "5");
        EXPECT_EQ(dialog->E_New_Node_ID_Sec->Text(), "100");
        EXPECT_EQ(dialog->E_MR_NodeState->Text(), "10");
        EXPECT_FALSE(dialog->E_wMBus_Add->Visible());
        TExColumnGrid* g = dialog->ESG_MR_Var;
        ASSERT_EQ(g->RowCount(), 7);
        const QStringList row1 = {g->Cells(0, 1), g->Cells(1, 1), g->Cells(2, 1)};
        EXPECT_EQ(row1, QStringList({"Modbus Register", "100", "Energy"}));
        EXPECT_EQ(g->Cells(0, 2), "Modbus Re Scale");
        EXPECT_EQ(g->Cells(1, 2), "");
        EXPECT_EQ(g->Cells(0, 6), "Time Point Register");
        EXPECT_EQ(g->Cells(1, 6), "130");
        EXPECT_EQ(g->Cells(2, 6), "Time");
        EXPECT_TRUE(g->Columns()->Items(0)->ReadOnly());
        EXPECT_FALSE(g->Columns()->Items(1)->ReadOnly());
        EXPECT_TRUE(g->Columns()->Items(2)->ReadOnly());
        Shot(dialog, "TFNewIDNode-wired-node");

        // The address is still used, and the scale rows are still empty.
        EXPECT_EQ(Boxes([&] { TestInput::Click(dialog->Btn_OK); }, 2), QStringList({Lang(1890), Lang(2017)}));
        g->SetCells(1, 2, QStringLiteral("0"));
        g->SetCells(1, 5, QStringLiteral("0"));
        // The address and both positions are used: all reported, the dialog
        // stays open.
        const QString node = QStringLiteral("Changed");
        EXPECT_EQ(Boxes([&] { TestInput::Click(dialog->Btn_OK); }, 3),
                  QStringList({Lang(1890), Lang(1805) + node + Lang(1806) + "Energy" + Lang(1807),
                               Lang(1805) + node + Lang(1806) + "Time" + Lang(1807)}));
        EXPECT_EQ(dialog->ModalResult(), mrNone);
        g->SetCells(1, 1, QStringLiteral("500"));
        g->SetCells(1, 2, QStringLiteral("100"));  // a scale on Energy's position
        g->SetCells(1, 4, QStringLiteral("510"));
        g->SetCells(1, 6, QStringLiteral("520"));
        dialog->E_New_Node_ID_Pri->SetText(QStringLiteral("8"));
        EXPECT_EQ(Boxes([&] { TestInput::Click(dialog->Btn_OK); }),
                  QStringList({Lang(1814) + node + Lang(1815) + "Energy" + Lang(1816)}));
        g->SetCells(1, 2, QStringLiteral("0"));
        dialog->E_MR_NodeState->SetText(QStringLiteral("60"));
        dialog->E_MR_IdentNum->SetText(QStringLiteral("61"));
        EXPECT_EQ(Boxes([&] { TestInput::Click(dialog->Btn_OK); }, 0), QStringList());
    });

    ASSERT_EQ(form->Nodi_List.size(), 4u);
    const TNodo& n = *form->Nodi_List[3];
    EXPECT_EQ(n.Description, "Heat");
    EXPECT_EQ(n.Node_Pri, 8);
    EXPECT_EQ(n.Node_Sec, 100);
    EXPECT_EQ(n.Node_State, 60);
    EXPECT_EQ(n.Ident_Num, 61);
    EXPECT_EQ(n.Enable_NS, 1);
    EXPECT_EQ(n.Cut_After, 3);
    ASSERT_EQ(n.Var_List.size(), 2u);
    EXPECT_EQ(n.Var_List[0]->PositionData, 500);
    EXPECT_EQ(n.Var_List[0]->Storage_Number, 4294967295u);
    EXPECT_EQ(n.Var_List[1]->PositionData, 510);
    EXPECT_EQ(n.Var_List[1]->TP_Mod_Year, 520);
    EXPECT_TRUE(n.Var_List[1]->TP_Mod_Regs);
    EXPECT_EQ(Tree_Texts().mid(8), QStringList({"  ID 8 - Heat", "    VAR - Energy", "    VAR - Time"}));
    EXPECT_TRUE(form->Is_Change);
}

TEST_F(TMeterBusWindow, PastedNodeWithoutVariablesKeepsItsFlagsAndSurvivesCancel)
{
    Use_Network("import.xml");  // Imported: primary 42, one variable
    Open();
    Click_Node(0);
    form->CB_Node_State->SetChecked(true);
    form->E_Node_State->SetText(QStringLiteral("3"));
    form->CB_Access_Number->SetChecked(true);
    form->E_Access_Number->SetText(QStringLiteral("4"));
    TestInput::Click(form->btn_Add_Node);
    Click_Var(0, 0);
    DialogSeam::Clear();
    DialogSeam::QueueAnswer(IDYES);
    form->DeleteItem1->Click();
    form->CopyNode1->Click();
    // Closed with Cancel and shown again: the copy is still there.
    DialogSeam::QueueAnswer(IDYES);
    TestInput::Click(form->Btn_Cancel);
    Open();
    EXPECT_TRUE(form->PasteNode1->Enabled());
    EXPECT_EQ(form->Nodi_List[0]->Var_List.size(), 1u);

    With_Dialog([&] { form->PasteNode1->Click(); }, [&] {
        EXPECT_EQ(dialog->ESG_MR_Var->RowCount(), 2);
        EXPECT_EQ(dialog->ESG_MR_Var->Cells(2, 1), "");
        dialog->E_New_Node_ID_Pri->SetText(QStringLiteral("43"));
        // The new positions must be numbers 0..59999, as their messages say.
        for (const char* bad : {"abc", "-1", "60000"}) {
            dialog->E_MR_NodeState->SetText(QString::fromLatin1(bad));
            EXPECT_EQ(Boxes([&] { TestInput::Click(dialog->Btn_OK); }), QStringList({Lang(1865)})) << bad;
        }
        dialog->E_MR_NodeState->SetText(QStringLiteral("7"));
        dialog->E_MR_IdentNum->SetText(QStringLiteral("60000"));
        EXPECT_EQ(Boxes([&] { TestInput::Click(dialog->Btn_OK); }), QStringList({Lang(1866)}));
        dialog->E_MR_IdentNum->SetText(QStringLiteral("59999"));
        EXPECT_EQ(Boxes([&] { TestInput::Click(dialog->Btn_OK); }, 0), QStringList());
    });
    ASSERT_EQ(form->Nodi_List.size(), 2u);
    const TNodo& n = *form->Nodi_List[1];
    EXPECT_EQ(n.Node_Pri, 43);
    EXPECT_EQ(n.Enable_NS, 1);
    EXPECT_EQ(n.Enable_AN, 1);
    EXPECT_EQ(n.Access_Number, 4);
    EXPECT_EQ(n.Node_State, 7);
    EXPECT_EQ(n.Ident_Num, 59999);
    EXPECT_EQ(n.RSSI, 1);  // the dialog's hidden RSSI edit
    EXPECT_TRUE(n.Var_List.empty());
    EXPECT_EQ(Node_Item(1)->Text(), "ID 43 - Imported");

    // Cancelled: nothing pasted.
    With_Dialog([&] { form->PasteNode1->Click(); }, [&] { TestInput::Click(dialog->Btn_Cancel); });
    EXPECT_EQ(form->Nodi_List.size(), 2u);
}

TEST_F(TMeterBusWindow, PastedWirelessNodeTakesANewAddress)
{
    Use_Network("network.xml");
    Open();
    Click_Node(1);
    form->CopyNode1->Click();
    Click_Node(0);
    With_Dialog([&] { form->PasteNode1->Click(); }, [&] {
        EXPECT_EQ(dialog->Form_Type, 3);
        EXPECT_FALSE(dialog->RB_ID_Primary->Visible());
        EXPECT_TRUE(dialog->E_wMBus_Add->Visible());
        EXPECT_EQ(dialog->L_wMBus_Add->Caption(), Lang(2012));
        EXPECT_EQ(dialog->E_wMBus_RSSI->Text(), "22");
        EXPECT_EQ(dialog->Panel1->Height(), dialog->E_wMBus_RSSI->Top() + dialog->E_wMBus_RSSI->Height() + 4);
        dialog->ESG_MR_Var->SetCells(1, 2, QStringLiteral("0"));
        dialog->ESG_MR_Var->SetCells(1, 1, QStringLiteral("700"));
        Shot(dialog, "TFNewIDNode-wireless-node");
        dialog->E_wMBus_Add->SetText(QStringLiteral("4294967296"));
        EXPECT_EQ(Boxes([&] { TestInput::Click(dialog->Btn_OK); }), QStringList({Lang(2015)}));
        dialog->E_wMBus_Add->SetText(QStringLiteral("87654321"));
        dialog->E_wMBus_RSSI->SetText(QStringLiteral("23"));
        EXPECT_EQ(Boxes([&] { TestInput::Click(dialog->Btn_OK); }, 0), QStringList());
    });
    ASSERT_EQ(form->Nodi_List.size(), 4u);
    const TNodo& n = *form->Nodi_List[3];
    EXPECT_EQ(n.MBus_Type, 0);
    EXPECT_EQ(n.wMBus_Add, "87654321");
    EXPECT_EQ(n.RSSI, 23);
    EXPECT_EQ(n.wMBus_Key[15], "16");
    EXPECT_EQ(n.Var_List[0]->PositionData, 700);
    EXPECT_EQ(Node_Item(3)->Text(), "wM-Bus Node - Address 87654321 - Radio");
}

TEST_F(TMeterBusWindow, PastedVariableGoesToTheSelectedNodeWithNewPositions)
{
    Use_Network("network.xml");
    Open();
    Click_Var(0, 0);
    form->CopyVariable1->Click();
    Click_Node(2);
    With_Dialog([&] { form->PasteVariable1->Click(); }, [&] {
        EXPECT_EQ(dialog->Form_Type, 2);
        EXPECT_FALSE(dialog->Panel1->Visible());
        EXPECT_EQ(dialog->Caption(), Lang(2001));
        EXPECT_EQ(dialog->L_SW_Desc->Caption(), Lang(2003));
        TExColumnGrid* g = dialog->ESG_MR_Var;
        ASSERT_EQ(g->RowCount(), 4);
        EXPECT_EQ(g->Cells(1, 1), "100");
        EXPECT_EQ(g->Cells(1, 3), "0");
        g->SetCells(1, 2, QStringLiteral(""));
        Shot(dialog, "TFNewIDNode-variable");
        EXPECT_EQ(Boxes([&] { TestInput::Click(dialog->Btn_OK); }), QStringList({Lang(2017)}));
        const struct { const char* reg; const char* scale; const char* year; QString text; } faults[] = {
            {"0", "0", "0", Lang(2016)},
            {"60000", "0", "0", Lang(2016)},
            {"300", "60000", "0", Lang(2017)},
            {"300", "0", "59996", Lang(2018)},
            {"300", "10", "0", Lang(1793) + "Heat" + Lang(1794)},
            {"300", "132", "0", Lang(1820) + "Heat" + Lang(1821) + "Time" + Lang(1822)},
            {"300", "0", "18", Lang(1799) + "Radio" + Lang(1800)},
        };
        for (const auto& f : faults) {
            SCOPED_TRACE(f.reg);
            g->SetCells(1, 1, QString::fromLatin1(f.reg));
            g->SetCells(1, 2, QString::fromLatin1(f.scale));
            g->SetCells(1, 3, QString::fromLatin1(f.year));
            EXPECT_EQ(Boxes([&] { TestInput::Click(dialog->Btn_OK); }), QStringList({f.text}));
            EXPECT_EQ(dialog->ModalResult(), mrNone);
        }
        // The disabled node's own positions are free.
        g->SetCells(1, 1, QStringLiteral("300"));
        g->SetCells(1, 2, QStringLiteral("0"));
        g->SetCells(1, 3, QStringLiteral("0"));
        EXPECT_EQ(Boxes([&] { TestInput::Click(dialog->Btn_OK); }, 0), QStringList());
    });
    ASSERT_EQ(form->Nodi_List[2]->Var_List.size(), 2u);
    const TVariabile& v = *form->Nodi_List[2]->Var_List[1];
    EXPECT_EQ(v.Description, "Energy");
    EXPECT_EQ(v.PositionData, 300);
    EXPECT_EQ(v.Post_Operation, 9);
    EXPECT_EQ(v.VIFE, 255);
    EXPECT_EQ(Var_Item(2, 1)->Text(), "VAR - Energy");
    EXPECT_TRUE(form->Is_Change);
}

TEST_F(TMeterBusWindow, ImportReplacesTheNetworkOnlyWhenConfirmed)
{
    Use_Network("network.xml");
    const QByteArray before = Read(M_Bus_File);
    Open();
    Click_Node(0);
    TestInput::Click(form->btn_Add_Node);
    EXPECT_TRUE(form->Is_Change);

    // The file dialog cancelled, then No: nothing changes.
    DialogSeam::Clear();
    DialogSeam::QueueCancel();
    TestInput::Click(form->Btn_ImportNet);
    EXPECT_EQ(Confirm([&] { TestInput::Click(form->Btn_ImportNet); }, IDNO, Data("import.xml")), Lang(1906));
    EXPECT_EQ(Read(M_Bus_File), before);
    EXPECT_EQ(form->Nodi_List.size(), 3u);

    // Yes: the file is copied as it stands and shown; a Cancel keeps it.
    EXPECT_EQ(Confirm([&] { TestInput::Click(form->Btn_ImportNet); }, IDYES, Data("import.xml")), Lang(1906));
    EXPECT_EQ(DialogSeam::Shown()[0].Filter, "XML File (*.xml)|*.xml");
    EXPECT_EQ(Read(M_Bus_File), Read(Data("import.xml")));
    EXPECT_EQ(Tree_Texts(), QStringList({"M-Bus Network", "  ID 42 - Imported", "    VAR - Volume"}));
    EXPECT_FALSE(form->Is_Change);
    EXPECT_EQ(form->IND_NODO, -1);
    DialogSeam::Clear();
    TestInput::Click(form->Btn_Cancel);
    EXPECT_TRUE(DialogSeam::Shown().empty());
    EXPECT_EQ(Read(M_Bus_File), Read(Data("import.xml")));
}

TEST_F(TMeterBusWindow, ImportWithoutANetworkAsksNothingAndOfItsOwnFileKeepsIt)
{
    Open();
    DialogSeam::Clear();
    DialogSeam::QueueFileName(Data("network.xml"));
    TestInput::Click(form->Btn_ImportNet);
    ASSERT_EQ(DialogSeam::Shown().size(), 1u);  // the file dialog only
    EXPECT_EQ(form->Nodi_List.size(), 3u);

    const QByteArray before = Read(M_Bus_File);
    EXPECT_EQ(Confirm([&] { TestInput::Click(form->Btn_ImportNet); }, IDYES, M_Bus_File), Lang(1906));
    EXPECT_EQ(Read(M_Bus_File), before);
    EXPECT_EQ(form->Nodi_List.size(), 3u);

    // A file that cannot be read: an error box, the network stays.
    DialogSeam::Clear();
    DialogSeam::QueueFileName(dir.filePath(QStringLiteral("missing.xml")));
    DialogSeam::QueueAnswer(IDYES);
    DialogSeam::QueueAnswer(IDOK);
    TestInput::Click(form->Btn_ImportNet);
    ASSERT_EQ(DialogSeam::Shown().size(), 3u);
    EXPECT_EQ(DialogSeam::Shown()[2].Flags, Cardinal(MB_OK | MB_ICONERROR));
    EXPECT_EQ(Read(M_Bus_File), before);
    EXPECT_EQ(form->Nodi_List.size(), 3u);
}

TEST_F(TMeterBusWindow, PasteDialogTextsFollowTheLanguage)
{
    Language_Texts->Put(2006, QStringLiteral("Indirizzo primario"));
    Language_Texts->Put(2010, QStringLiteral("Registri"));
    dialog->Set_Lang();
    EXPECT_EQ(dialog->RB_ID_Primary->Caption(), "Indirizzo primario");
    EXPECT_EQ(dialog->Label4->Caption(), "Registri");
    EXPECT_EQ(dialog->L_SW_Code->Caption(), SW_Code);
    EXPECT_EQ(dialog->ClientWidth(), 432);
    EXPECT_EQ(dialog->ClientHeight(), 536);
}
