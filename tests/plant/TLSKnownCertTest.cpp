// The known TLS certificates as a user works them: the list read and
// written with its ticks, the end at the first row without a certificate,
// and the row buttons over the check-box column.
#include "TableWindowTest.h"

#include "platform/XmlDocument.h"
#include "plant/UTLS_Server_Known_Cert.h"

namespace {

enum { cEnable = 1, cCertificate, cMnemonic };

struct TLSCertWindow : TableWindowTest<TFTLS_Server_Known_Cert> {
    TExColumnGrid* g() const { return form->ESG; }
    bool Ticked(Integer r) const
    {
        bool state = false;
        return g()->GetCheckBoxState(cEnable, r, state) && state;
    }
    // "Y" or "N", the certificate and the mnemonic of a row.
    QString Cells(Integer r) const
    {
        return (Ticked(r) ? "Y|" : "N|") + g()->GetCellEx(cCertificate, r) + "|" + g()->GetCellEx(cMnemonic, r);
    }
    void Fill(Integer r, bool ticked, const QString& certificate, const QString& mnemonic = QString())
    {
        g()->SetCheckBoxState(cEnable, r, ticked);
        g()->SetCellEx(cCertificate, r, certificate);
        g()->SetCellEx(cMnemonic, r, mnemonic);
    }
};

TEST_F(TLSCertWindow, OKWritesTheListUpToTheFirstRowWithoutACertificate)
{
    Open();
    EXPECT_EQ(form->Caption(), "Definition the list of Known Certificates");
    EXPECT_EQ(form->ClientWidth(), 800);
    EXPECT_EQ(form->ClientHeight(), 337);
    EXPECT_EQ(g()->GetRowCount(), 11);
    EXPECT_EQ(g()->RowHeights(0), 22);
    EXPECT_EQ(g()->RowHeights(10), 60);
    EXPECT_EQ(g()->GetCellEx(cCertificate, 0), "Certificate");
    for (Integer r = 1; r <= 10; ++r)
        EXPECT_EQ(Cells(r), "Y||") << r;
    QString hint;
    g()->OnGridHint(g(), 0, cMnemonic, hint);
    EXPECT_EQ(hint, Text(5120));
    g()->OnGridHint(g(), 2, cMnemonic, hint);
    EXPECT_EQ(hint, "");

    // Blanks before a certificate are kept; row 4 comes after an empty row,
    // which OK refuses to end the list with until the user deletes it.
    Fill(1, true, "  -----BEGIN CERTIFICATE-----MIIB", "plant CA");
    Fill(2, false, "MIIC", "old");
    Fill(4, true, "MIID", "after the gap");
    Screenshot("TFTLS_Server_Known_Cert");
    EXPECT_EQ(OK_Fails(), Text(1110) + "3" + Text(1108));
    Fill(4, true, "", "");
    OK_Passes();
    TXMLDocument xml;
    ASSERT_TRUE(xml.LoadFromFile(TLS_Known_Cert_File));
    EXPECT_EQ(xml.Root().NodeName(), "TLS_Server_Known_Cert");
    EXPECT_EQ(xml.Child(1).Text(), "SW_VERSION = 1.000");
    ASSERT_EQ(xml.Root().ChildCount(), 2);
    const TXMLNode first = xml.Root().Child(0);
    EXPECT_EQ(first.AttributeName(0) + "|" + first.AttributeName(1) + "|" + first.AttributeName(2),
              "Enable|Certificate|Mnemonic");
    EXPECT_EQ(first.Attribute("Certificate"), "  -----BEGIN CERTIFICATE-----MIIB");
    EXPECT_EQ(xml.Root().Child(1).Attribute("Enable"), "N");

    // Read back: the cleared tick stays cleared, the rest of the table
    // blank and ticked.
    Open();
    EXPECT_EQ(Cells(1), "Y|  -----BEGIN CERTIFICATE-----MIIB|plant CA");
    EXPECT_EQ(Cells(2), "N|MIIC|old");
    EXPECT_EQ(Cells(4), "Y||");

    // A certificate of blanks ends the list: the row is kept only with
    // nothing in it but blanks.
    Fill(2, true, "   ", "old");
    EXPECT_EQ(OK_Fails(), Text(1110) + "2" + Text(1108));
    Fill(2, true, "   ");
    OK_Passes();
    ASSERT_TRUE(xml.LoadFromFile(TLS_Known_Cert_File));
    EXPECT_EQ(xml.Root().ChildCount(), 1);
}

TEST_F(TLSCertWindow, AFileIsReadIntoTheTenRowsOnly)
{
    QString rows;
    for (Integer i = 1; i <= 12; ++i)
        rows += QStringLiteral("<row Enable=\"%1\" Certificate=\"C%2\" Mnemonic=\"M%2\"/>")
                    .arg(i == 2 ? "N" : i == 3 ? "n" : "Y")
                    .arg(i);
    Write(TLS_Known_Cert_File, "<TLS_Server_Known_Cert><row Certificate=\"no tick\"/>" + rows
                                   + "</TLS_Server_Known_Cert><!--SW_VERSION = 1.000-->");
    // The three rows past the ten are named when the window opens.
    EXPECT_EQ(Open_Warned(), "Warning!! The table Definition the list of Known Certificates holds 10 rows: rows "
                             "of TLS_Known_Cert.xml not loaded: 3. OK will not keep them");
    EXPECT_EQ(Cells(1), "Y|no tick|");  // no Enable: ticked, no Mnemonic: empty
    EXPECT_EQ(Cells(3), "N|C2|M2");
    EXPECT_EQ(Cells(4), "Y|C3|M3");  // only "N" clears it
    EXPECT_EQ(Cells(10), "Y|C9|M9");

    // Not well-formed: the parser's message, and the blank table.
    Write(TLS_Known_Cert_File, "<TLS_Server_Known_Cert><row Certificate=\"x\">");
    DialogSeam::Clear();
    DialogSeam::QueueAnswer(IDOK);
    form->Hide();
    form->Show();
    ASSERT_EQ(DialogSeam::Shown().size(), 1u);
    EXPECT_EQ(DialogSeam::Shown()[0].Flags, MB_OK | MB_ICONERROR);
    EXPECT_FALSE(DialogSeam::Shown()[0].Text.isEmpty());
    EXPECT_EQ(Cells(1), "Y||");
    DialogSeam::Clear();
}

TEST_F(TLSCertWindow, RowButtonsMoveTheTicksWithTheRows)
{
    Open();
    Fill(1, false, "A", "first");
    Fill(10, false, "J", "last");

    // Inserting at the last row drops its contents; the new row is ticked.
    Select(g(), 10);
    TestInput::Click(form->Btn_InsRow);
    EXPECT_EQ(Cells(10), "Y||");
    Select(g(), 1);
    TestInput::Click(form->Btn_InsRow);
    EXPECT_EQ(Cells(1), "Y||");
    EXPECT_EQ(Cells(2), "N|A|first");

    Select(g(), 1);
    EXPECT_EQ(Press(form->Btn_DelRow, IDNO), "Are you sure to delete the Row number 1");
    EXPECT_EQ(Cells(2), "N|A|first");
    Press(form->Btn_DelRow, IDYES);
    EXPECT_EQ(Cells(1), "N|A|first");
    // The freed last row is blank, ticked and read-only until the next
    // showing.
    EXPECT_EQ(Cells(10), "Y||");
    EXPECT_TRUE(g()->ReadOnly(cCertificate, 10));

    Select(g(), 5);
    EXPECT_EQ(Press(form->Btn_PasteRow, IDOK), Text(1102));
    Select(g(), 1);
    TestInput::Click(form->Btn_CopyRow);
    Select(g(), 5);
    TestInput::Click(form->Btn_PasteRow);
    EXPECT_EQ(Cells(5), "N|A|first");
    Open();
    EXPECT_FALSE(form->Do_Copy);
    EXPECT_FALSE(g()->ReadOnly(cCertificate, 10));
}

} // namespace
