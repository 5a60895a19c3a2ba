// The OPC UA server variables as a user works them: the file opened and
// written back, the Type that sets the Length, the Position check and the
// row buttons over the check-box column.
#include "TableWindowTest.h"

#include "grid/ExGridEditors.h"
#include "platform/Messages.h"
#include "plant/UOPC_UA_Server_Access.h"

namespace {

enum { cEnable = 1, cType, cPosition, cLength, cName, cRead_Write, cMnemonic };

struct OPCUAServerWindow : TableWindowTest<TFOPC_UA_Server_Access> {
    TExColumnGrid* g() const { return form->ESG; }
    bool Ticked(Integer r) const
    {
        bool state = false;
        return g()->GetCheckBoxState(cEnable, r, state) && state;
    }
    // Type, Position, Length, Name, R/W and Mnemonic of a row.
    QString Cells(Integer r) const
    {
        QStringList cells;
        for (Integer c = cType; c <= cMnemonic; ++c)
            cells << g()->GetCellEx(c, r);
        return cells.join(u'|');
    }
    void Fill(Integer r, bool ticked, const QString& cells)
    {
        g()->SetCheckBoxState(cEnable, r, ticked);
        const QStringList list = cells.split(u'|');
        for (Integer i = 0; i < list.size(); ++i)
            g()->SetCellEx(cType + i, r, list[i]);
    }
    TPoint Center(Integer c, Integer r) const
    {
        const TRect rc = g()->CellRect(c, r);
        return {(rc.Left + rc.Right) / 2, (rc.Top + rc.Bottom) / 2};
    }
    // Opens the Type list of a row and moves to an item with the arrow keys.
    void Choose_Type(Integer r, const QString& type)
    {
        g()->SetFocus();
        TestInput::Click(g(), Center(cType, r));
        TestInput::PressKey(g(), VK_F2);
        TGridCombo* box = g()->Combobox();
        ASSERT_TRUE(box->Visible());
        const Integer target = box->Items()->IndexOf(type);
        ASSERT_GE(target, 0);
        for (Integer guard = 0; box->ItemIndex() != target && guard < 20; ++guard)
            TestInput::PressKey(box, box->ItemIndex() < target ? VK_DOWN : VK_UP);
        TestInput::PressKey(box, VK_RETURN);
        EXPECT_EQ(g()->GetCellEx(cType, r), type);
    }
};

TEST_F(OPCUAServerWindow, OpensTheFileAndOKWritesItBack)
{
    Copy_Fixture(QStringLiteral("opcua/OPC_UA_Server.xml"), OPC_UA_Server_File);
    Open();
    EXPECT_EQ(form->Caption(), "Definition of OPC UA Server Variables");
    EXPECT_EQ(form->ClientWidth(), 1200);
    EXPECT_EQ(g()->GetRowCount(), 251);
    EXPECT_EQ(g()->GetCellEx(cRead_Write, 0), "R/W");
    EXPECT_EQ(g()->GetCellEx(0, 250), "250");
    EXPECT_EQ(Cells(1), "UInt32|0|4|Counter|Read Only|pulses");
    EXPECT_TRUE(Ticked(1));
    EXPECT_FALSE(Ticked(2));
    EXPECT_EQ(Cells(2), "String|4|16|Label|Read/Write|");
    EXPECT_FALSE(g()->ReadOnly(cLength, 2));
    // No Length and no ReadWrite: both stay empty, the Length still locked
    // by its type; "n" is not "N".
    EXPECT_TRUE(Ticked(3));
    EXPECT_EQ(Cells(3), "Int16|20||No length||lower-case n");
    EXPECT_TRUE(g()->ReadOnly(cLength, 3));
    EXPECT_TRUE(Ticked(4));  // no Enable
    EXPECT_TRUE(Ticked(5));
    EXPECT_EQ(Cells(5), "|||||");
    EXPECT_EQ(g()->GetCellEx(cEnable, 1), "");
    Screenshot("TFOPC_UA_Server_Access");
    // The Type column's own colour, as the user sees it in an empty row.
    const QImage shot = GrabControl(g());
    const TPoint p = Center(cType, 6);
    EXPECT_EQ(QColor(shot.pixel(p.X, p.Y)), QColor(224, 250, 254));

    OK_Passes();
    EXPECT_EQ(Read_Bytes(OPC_UA_Server_File),
              Read_Bytes(QStringLiteral(TEST_DATA_DIR "/plant/opcua/expected-OPC_UA_Server.xml")));
}

TEST_F(OPCUAServerWindow, TheTypeSetsTheLength)
{
    Open();
    Choose_Type(1, "UInt32");
    EXPECT_EQ(g()->GetCellEx(cLength, 1), "4");
    EXPECT_TRUE(g()->ReadOnly(cLength, 1));
    EXPECT_EQ(g()->GetCellEx(cRead_Write, 1), "Read/Write");
    g()->SetCellEx(cRead_Write, 1, "Read Only");
    Choose_Type(1, "String");
    EXPECT_EQ(g()->GetCellEx(cLength, 1), "10");
    EXPECT_FALSE(g()->ReadOnly(cLength, 1));
    EXPECT_EQ(g()->GetCellEx(cRead_Write, 1), "Read Only");  // a chosen R/W stays
    Choose_Type(1, "Double");
    EXPECT_EQ(g()->GetCellEx(cLength, 1), "8");
    EXPECT_EQ(g()->Combobox()->Items()->Count(), 13);
    EXPECT_EQ(g()->Combobox()->Items()->Strings(1), "Signed Byte");
}

TEST_F(OPCUAServerWindow, EveryTickedRowWithATypeNeedsAPosition)
{
    const struct {
        const char* what;
        bool ticked;
        const char* position;
        bool passes;
    } cases[] = {
        {"2000", true, "2000", false},  {"1999", true, "1999", true},   {"0", true, "0", true},
        {"-1", true, "-1", false},      {"empty", true, "", false},     {"hexadecimal", true, "$10", false},
        {"unticked", false, "2000", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(OPC_UA_Server_File);
        Open();
        Fill(1, true, "Int16|0|2|A|Read/Write|");
        Fill(2, c.ticked, QStringLiteral("Int16|%1|2|B|Read/Write|").arg(c.position));
        if (c.passes) {
            OK_Passes();
            EXPECT_TRUE(QFile::exists(OPC_UA_Server_File));
        } else {
            EXPECT_EQ(OK_Fails(), "Error row 2!! Position Must be Between 0 and 1999");
            EXPECT_FALSE(QFile::exists(OPC_UA_Server_File));
        }
    }

    // Row 4 has no Type: rows after it are still checked, and OK refuses to
    // drop them, naming row 4.
    QFile::remove(OPC_UA_Server_File);
    Open();
    for (Integer r = 1; r <= 3; ++r)
        Fill(r, true, QStringLiteral("Byte|%1|1|V%1|Read Only|").arg(r));
    Fill(5, true, "Float|2000|4|Late|Read Only|");
    EXPECT_EQ(OK_Fails(), "Error row 5!! Position Must be Between 0 and 1999");
    g()->SetCellEx(cPosition, 5, "100");
    EXPECT_EQ(OK_Fails(), "Error row 4" + Language_Texts->Strings(1108));
    EXPECT_FALSE(QFile::exists(OPC_UA_Server_File));
    Grid_Delete_Row(4, g());
    OK_Passes();
    const QString written = QString::fromUtf8(Read_Bytes(OPC_UA_Server_File));
    EXPECT_EQ(written.count("<row "), 4);
    EXPECT_TRUE(written.contains("Late"));
}

TEST_F(OPCUAServerWindow, RowButtonsMoveTheCheckBoxesWithTheRows)
{
    Open();
    Fill(1, false, "Int32|0|4|A|Read Only|first");
    g()->SetReadOnly(cLength, 1, true);
    Fill(2, true, "String|4|12|B|Read/Write|second");

    Select(g(), 1);
    TestInput::Click(form->Btn_InsRow);
    EXPECT_TRUE(Ticked(1));
    EXPECT_EQ(Cells(1), "|||||");
    EXPECT_FALSE(Ticked(2));
    EXPECT_EQ(Cells(2), "Int32|0|4|A|Read Only|first");
    EXPECT_TRUE(g()->ReadOnly(cLength, 2));

    Select(g(), 1);
    EXPECT_EQ(Press(form->Btn_DelRow, IDNO), "Are you sure to delete the Row number 1");
    EXPECT_EQ(DialogSeam::Shown()[0].Flags, MB_YESNO | MB_ICONQUESTION);
    EXPECT_EQ(Cells(2), "Int32|0|4|A|Read Only|first");
    Press(form->Btn_DelRow, IDYES);
    EXPECT_EQ(Cells(1), "Int32|0|4|A|Read Only|first");
    EXPECT_FALSE(Ticked(1));

    // Paste before any copy is refused; a copied row brings its check box,
    // and its type locks the pasted Length again.
    Select(g(), 4);
    EXPECT_EQ(Press(form->Btn_PasteRow, IDOK), Text(1102));
    EXPECT_EQ(Cells(4), "|||||");
    Select(g(), 1);
    TestInput::Click(form->Btn_CopyRow);
    EXPECT_TRUE(form->Do_Copy);
    Select(g(), 4);
    TestInput::Click(form->Btn_PasteRow);
    EXPECT_FALSE(Ticked(4));
    EXPECT_EQ(Cells(4), "Int32|0|4|A|Read Only|first");
    EXPECT_TRUE(g()->ReadOnly(cLength, 4));
    // A new showing forgets the copy.
    Open();
    EXPECT_FALSE(form->Do_Copy);
    EXPECT_FALSE(g()->ReadOnly(cLength, 4));
    EXPECT_TRUE(Ticked(4));
}

} // namespace
