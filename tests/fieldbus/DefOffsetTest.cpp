// The DeviceNet offsets window: the slaves of the network table, their bytes
// kept as another slave is selected, the duplicate test over output bytes,
// missing and broken files, and the splitter between the two halves.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "OkButton.h"
#include "TableWindowFixture.h"
#include "fieldbus/UDefOffset.h"
#include "platform/ExtCtrls.h"
#include "platform/PageControl.h"
#include "platform/Splitter.h"

namespace {

struct DefOffset : TableWindowFixture<TFDefOffset> {
    void Copy(const char* name)
    {
        QFile::remove(dir.filePath(name));
        ASSERT_TRUE(QFile::copy(QStringLiteral(TEST_DATA_DIR "/fieldbus/offsets/") + name, dir.filePath(name)));
    }
    void Write(const char* name, const QByteArray& text)
    {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text);
    }
    // Clicks a slave's row as the user does.
    void Pick(Integer row)
    {
        const TRect r = form->ACG_DN_Slaves->CellRect(1, row);
        TestInput::Click(form->ACG_DN_Slaves, TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
    }
    // Byte grid rows as "byte|offset|mnemonic", joined by ";".
    static QString Bytes(TExColumnGrid* g)
    {
        QStringList rows;
        for (Integer r = 1; r < g->GetRowCount(); ++r)
            rows << Row(g, r).prepend(g->GetCellEx(0, r) + "|");
        return rows.join(u';');
    }
};

TEST_F(DefOffset, ShowsTheSlavesAndKeepsTheirBytesAcrossTheSelection)
{
    Copy("DNETM_Net.xml");
    Copy("DNETM_DefOff.xml");
    Open();
    TExColumnGrid* slaves = form->ACG_DN_Slaves;
    EXPECT_EQ(slaves->GetRowCount(), 4);
    EXPECT_EQ(Row(slaves, 1), "3|2|valves");
    EXPECT_EQ(slaves->GetCellEx(0, 2), "12");
    EXPECT_EQ(slaves->Columns()->Items(0)->Header(), "ID Slave");
    // The ID is in view, not scrolled away.
    EXPECT_EQ(slaves->LeftCol(), 0);
    EXPECT_EQ(form->List_Slaves_DN.size(), 3u);
    EXPECT_EQ(form->Slave_Before_Select, 0);
    EXPECT_EQ(form->MAX_BYTE_OUT, 1440);
    EXPECT_EQ(form->ACG_ByteOUT->Columns()->Items(1)->ComboItems()->Count(), 1441);
    EXPECT_EQ(Bytes(form->ACG_ByteIN), "0|0|in a;1|1|in b;2|None|");
    EXPECT_EQ(Bytes(form->ACG_ByteOUT), "0|10|out a;1|11|out b");
    EXPECT_EQ(form->PageControl1->ActivePage(), form->TabSheet1);
    Screenshot("TFDefOffset");

    form->ACG_ByteOUT->SetCellEx(1, 2, "12");
    Pick(2);
    EXPECT_EQ(form->Slave_Before_Select, 1);
    // A slave without input bytes: the header row only.
    EXPECT_EQ(form->ACG_ByteIN->GetRowCount(), 1);
    // A byte the saved file lacks starts at "None".
    EXPECT_EQ(Bytes(form->ACG_ByteOUT), "0|20|speed;1|21|;2|None|");
    form->ACG_ByteOUT->SetCellEx(1, 3, "22");
    form->ACG_ByteOUT->SetCellEx(2, 3, "new");
    form->PageControl1->SetActivePage(form->TabSheet2);
    Screenshot("TFDefOffset-byte-out");
    Pick(1);
    EXPECT_EQ(Bytes(form->ACG_ByteOUT), "0|10|out a;1|12|out b");
    Pick(2);
    // Input bytes may share a position; a hand-typed position beyond the
    // array is not placed, and the surplus node is left out.
    OK_Passes();
    EXPECT_EQ(Read_Bytes(DNETM_DefOff_File),
              Read_Bytes(QStringLiteral(TEST_DATA_DIR "/fieldbus/offsets/expected-DNETM_DefOff.xml")));
    // The network file is only read.
    EXPECT_EQ(Read_Bytes(DNETM_Net_File), Read_Bytes(QStringLiteral(TEST_DATA_DIR "/fieldbus/offsets/DNETM_Net.xml")));
}

TEST_F(DefOffset, AnOutputPositionTakenTwiceIsRefused)
{
    Copy("DNETM_Net.xml");
    const struct {
        const char* what;
        Integer slave_a, byte_a, slave_b, byte_b;
        QString ids;  // first ID, byte, second ID, byte
    } cases[] = {
        {"two slaves", 0, 1, 1, 2, "5|1|12|2"},
        {"one slave", 1, 0, 1, 2, "12|0|12|2"},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.what);
        QFile::remove(DNETM_DefOff_File);
        Open();
        Pick(k.slave_a + 1);
        form->ACG_ByteOUT->SetCellEx(1, k.byte_a + 1, "5");
        Pick(k.slave_b + 1);
        form->ACG_ByteOUT->SetCellEx(1, k.byte_b + 1, "5");
        const QStringList ids = k.ids.split(u'|');
        EXPECT_EQ(OK_Fails(), Lang_Text(3921) + "\n\r( " + Lang_Text(3922) + ids[0] + Lang_Text(3923) + ids[1] +
                                  Lang_Text(3924) + ids[2] + Lang_Text(3925) + ids[3] + ")");
        EXPECT_FALSE(QFile::exists(DNETM_DefOff_File));
    }
    // Input bytes at one position, and with output bytes, pass.
    Open();
    form->ACG_ByteIN->SetCellEx(1, 1, "5");
    form->ACG_ByteIN->SetCellEx(1, 2, "5");
    form->ACG_ByteOUT->SetCellEx(1, 1, "5");
    OK_Passes();
}

TEST_F(DefOffset, MissingFilesGiveNoSlavesOrNoPlacement)
{
    Open();
    EXPECT_EQ(form->ACG_DN_Slaves->GetRowCount(), 1);
    EXPECT_EQ(form->ACG_ByteIN->GetRowCount(), 1);
    EXPECT_EQ(form->ACG_ByteOUT->GetRowCount(), 1);
    Screenshot("TFDefOffset-empty");
    OK_Passes();
    EXPECT_EQ(Read_Bytes(DNETM_DefOff_File),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Define_Offset />\n<!--SW_VERSION = 1.000-->\n");

    Copy("DNETM_Net.xml");
    QFile::remove(DNETM_DefOff_File);
    Open();
    EXPECT_EQ(Bytes(form->ACG_ByteIN), "0|None|;1|None|;2|None|");
}

TEST_F(DefOffset, ABrokenFileIsReportedAndNeverWrittenOver)
{
    Copy("DNETM_DefOff.xml");
    const QByteArray saved = Read_Bytes(DNETM_DefOff_File);
    const struct {
        const char* what;
        const char* file;
        QByteArray text;
        const char* reason;
    } cases[] = {
        {"ID no number", "DNETM_Net.xml",
         "<DNET_Net><row ID=\"5\" NB_IN=\"1\" NB_OUT=\"1\" Mnemonic=\"\"/><row ID=\"x\" NB_IN=\"1\" NB_OUT=\"1\" "
         "Mnemonic=\"\"/></DNET_Net>",
         "'x'"},
        {"missing attribute", "DNETM_Net.xml", "<DNET_Net><row ID=\"5\" NB_IN=\"1\" Mnemonic=\"\"/></DNET_Net>",
         "NB_OUT"},
        {"not XML", "DNETM_Net.xml", "<DNET_Net><row", ""},
        {"offset missing", "DNETM_DefOff.xml",
         "<Define_Offset><Nodo_DNET><ByteIN><row Mnemonic=\"a\"/></ByteIN></Nodo_DNET></Define_Offset>", "Offset"},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.what);
        Copy("DNETM_Net.xml");
        Copy("DNETM_DefOff.xml");
        Write(k.file, k.text);
        DialogSeam::Clear();
        DialogSeam::QueueAnswer(IDOK);
        form->Hide();
        form->Show();
        const auto shown = DialogSeam::Shown();
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_TRUE(shown[0].Text.contains(QLatin1String(k.reason))) << shown[0].Text.toStdString();
        // OK cannot write a file that would lose the slaves not read.
        EXPECT_FALSE(form->Btn_OK->Enabled());
        TestInput::Click(form->Btn_Cancel);
        EXPECT_EQ(form->ModalResult(), mrCancel);
        if (QLatin1String(k.file) != QLatin1String("DNETM_DefOff.xml")) {
            EXPECT_EQ(Read_Bytes(DNETM_DefOff_File), saved);
        }
    }
    // A readable pair of files opens OK again.
    Copy("DNETM_Net.xml");
    Copy("DNETM_DefOff.xml");
    Open();
    EXPECT_TRUE(form->Btn_OK->Enabled());
}

TEST_F(DefOffset, TheSplitterMovesTheBorderBetweenTheHalves)
{
    Copy("DNETM_Net.xml");
    Open();
    EXPECT_EQ(form->Splitter1->FindControl(), form->Panel1);
    const Integer before = form->Panel1->Width();
    const TPoint mid(form->Splitter1->Width() / 2, 100);
    TestInput::RoutedMouse(form->Splitter1, TestInput::rmDown, mid);
    TestInput::RoutedMouse(form->Splitter1, TestInput::rmMove, TPoint(mid.X + 60, 100));
    TestInput::RoutedMouse(form->Splitter1, TestInput::rmUp, mid);
    EXPECT_EQ(form->Panel1->Width(), before + 60);
    EXPECT_EQ(form->Panel3->Left(), before + 60 + form->Splitter1->Width());
    EXPECT_EQ(form->Caption(), "Define Offset");
}

} // namespace
