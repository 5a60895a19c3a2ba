// The IEC 61850 server variables as a user works them: the file read with
// its defaults and written back, and the checks of the enabled rows.
#include "TableWindowTest.h"

#include "platform/XmlDocument.h"
#include "plant/UIEC61850_Variables.h"

namespace {

enum { cEnable = 1, cName, cType, cLength, cRead_Only, cPosition, cStart_Bit, cConversion, cMolt_Factor, cSwap,
       cSwap_Word, cMnemonic };

struct IECVariablesWindow : TableWindowTest<TFIEC61850_Variables> {
    TExColumnGrid* g() const { return form->ACG; }
    // A row that passes every check.
    void Valid(Integer r, const QString& name)
    {
        Set_Row(g(), r, QStringLiteral("Y|%1|Int|2|N|10||None|None|N|N|").arg(name));
    }
};

TEST_F(IECVariablesWindow, TheFileIsReadWithItsDefaultsAndWrittenBackAsItStands)
{
    Write(IEC61850_Variables_File, R"(<IEC61850_Variables>
  <row Enable="Y" Name=" Flow " Type="Float" Length="4" ReadOnly="Y" Position="0" StartBit="" Conversion="Int to Float"
       MultiplicationFactor="0.5" Swap="Y" SwapWord="N" Mnemonic="main line"/>
  <row Name="Spare" Type="Int" Length="9"/>
  <row Type="Int"/>
  <row Name="After the end"/>
</IEC61850_Variables>
<!--SW_VERSION = 1.000-->)");
    Open();
    EXPECT_EQ(form->Caption(), "Set Variables Access for IEC61850");
    EXPECT_EQ(form->ClientWidth(), 1155);
    EXPECT_EQ(g()->GetRowCount(), 51);
    EXPECT_EQ(form->NByte_IN, 1438);
    EXPECT_EQ(g()->GetCellEx(cStart_Bit, 0), "Start Bit");
    EXPECT_EQ(g()->GetCellEx(cMolt_Factor, 0), "Molt. Factor");
    EXPECT_EQ(g()->Columns()->Items(cConversion)->ComboItems()->Count(), 3);
    ASSERT_EQ(form->Hint_List->Count(), 12);
    EXPECT_EQ(form->Hint_List->Strings(6), Text(5035));
    EXPECT_EQ(Row(g(), 1), "Y| Flow |Float|4|Y|0||Int to Float|0.5|Y|N|main line");
    // Missing: Enable "Y", the flags "N", the rest empty.
    EXPECT_EQ(Row(g(), 2), "Y|Spare|Int|9|N|||||N|N|");
    EXPECT_EQ(Row(g(), 3), "Y||Int||N|||||N|N|");
    EXPECT_EQ(Row(g(), 5), "Y|||||||||||");
    g()->SetCellEx(cEnable, 2, "N");  // a disabled row is not checked
    Screenshot("TFIEC61850_Variables");
    // Row 3 has no name but holds a type, and a row stands below it: OK
    // refuses to drop them until the user deletes both.
    EXPECT_EQ(OK_Fails(), Text(5029) + "3" + Text(1108));
    Grid_Delete_Row(3, g());
    Grid_Delete_Row(3, g());
    OK_Passes();
    TXMLDocument xml;
    ASSERT_TRUE(xml.LoadFromFile(IEC61850_Variables_File));
    EXPECT_EQ(xml.Root().NodeName(), "IEC61850_Variables");
    EXPECT_EQ(xml.Child(1).Text(), "SW_VERSION = 1.000");
    ASSERT_EQ(xml.Root().ChildCount(), 2);
    const TXMLNode first = xml.Root().Child(0);
    QStringList names;
    for (Integer i = 0; i < first.AttributeCount(); ++i)
        names << first.AttributeName(i);
    EXPECT_EQ(names.join(u' '), "Enable Name Type Length ReadOnly Position StartBit Conversion MultiplicationFactor "
                                "Swap SwapWord Mnemonic");
    EXPECT_EQ(first.Attribute("Name"), " Flow ");
    EXPECT_EQ(xml.Root().Child(1).Attribute("Length"), "9");
    EXPECT_EQ(xml.Root().Child(1).Attribute("Enable"), "N");
}

TEST_F(IECVariablesWindow, OKChecksTheEnabledRowsInOrder)
{
    const QString e = "Error row 2";
    const struct {
        const char* Cells;  // Type|Length|Position|Start Bit|Conversion|Molt. Factor
        QString Error;
    } cases[] = {
        {"Int|4|1437||None|None", ""},
        {"Int|0|10||None|None", e + "!! Length must be between 1 and 4"},
        {"Int|5|10||None|None", e + Text(5041)},
        {"Int|x|10||None|None", e + Text(5041)},
        {"Int|1|1438||None|None", e + "!! Position must be between 0 and 1437"},
        {"Int|1|||None|None", e + "!! Position must be between 0 and 1437"},
        {"Float|1|10||None|none", ""},
        {"Digital (Bit)|1|10||None|None", e + "!! Start Bit must be Selected "},
        {"Digital (Bit)|1|10|7|None|None", ""},
        {"Int|1|10|| |None", e + "!! Conversion must be Selected "},
        {"Int|1|10||None|x", e + "!! Molt. Factor must be a valid Float"},
        {"Int|1|10||None|", e + Text(5040)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Cells);
        Open();
        Valid(1, "First");
        Valid(2, "Second");
        const QStringList f = QString::fromLatin1(c.Cells).split(u'|');
        const Integer cols[] = {cType, cLength, cPosition, cStart_Bit, cConversion, cMolt_Factor};
        for (Integer i = 0; i < 6; ++i)
            g()->SetCellEx(cols[i], 2, f[i]);
        if (c.Error.isEmpty()) {
            OK_Passes();
        } else {
            EXPECT_EQ(OK_Fails(), c.Error);
            // The same row disabled passes and is saved as it stands.
            g()->SetCellEx(cEnable, 2, "N");
            OK_Passes();
            TXMLDocument xml;
            ASSERT_TRUE(xml.LoadFromFile(IEC61850_Variables_File));
            EXPECT_EQ(xml.Root().Child(1).Attribute("Length"), f[1]);
        }
    }

    // Rows after the first without a name are not checked; OK refuses to
    // drop them, naming that row.
    QFile::remove(IEC61850_Variables_File);
    Open();
    Valid(1, "First");
    Set_Row(g(), 3, "Y|Late|Int|99");
    EXPECT_EQ(OK_Fails(), Text(5029) + "2" + Text(1108));
    EXPECT_FALSE(QFile::exists(IEC61850_Variables_File));
}

} // namespace
