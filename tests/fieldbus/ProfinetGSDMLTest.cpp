// The PROFINET GSDML file: the whole document from ParGen.xml, the values
// taken without it, the step that keeps the dialog's name in the chosen
// folder, and the file-name dialog as a user works it.
#include "fieldbus/UProfinetFileName.h"
#include "fieldbus/UProfinetXML.h"

#include "DescriptionFileTest.h"
#include "Screenshot.h"

#include "controls/FxButton.h"
#include "platform/Dialogs.h"
#include "platform/Form.h"
#include "platform/StdControls.h"
#include "platform/TestHooks.h"
#include "platform/XmlDocument.h"

#include <QDate>
#include <QImage>

namespace {

class ProfinetGSDMLTest : public TDescriptionFileTest {
protected:
    // The profile element: the document begins with a comment.
    static TXMLNode Profile(const TXMLDocument& xml)
    {
        for (Integer i = 0; i < xml.ChildCount(); ++i)
            if (xml.Child(i).NodeName() == "ISO15745Profile")
                return xml.Child(i);
        return TXMLNode();
    }
    const QString Name = QStringLiteral("GSDML-V2.25-Velmora-20250305.xml");
};

TEST_F(ProfinetGSDMLTest, WritesTheWholeDocumentFromParGen)
{
    Use("fieldbus/gsd/ParGen.xml", ParGen_File);
    DialogSeam::QueueFileName(Name);
    Create_GSDML_File(Name);
    EXPECT_TRUE(Boxes().isEmpty());
    const QByteArray bytes = Read(Out(Name));
    ASSERT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    ExpectSameFile(bytes.mid(3), Expected("fieldbus/gsdml/expected.xml"));

    // The file is a well-formed document whose station name reads back untrimmed.
    TXMLDocument xml;
    ASSERT_TRUE(xml.LoadFromFile(Out(Name))) << xml.ErrorMessage().toStdString();
    const TXMLNode dap = Profile(xml).FindChild("ProfileBody").FindChild("ApplicationProcess")
                             .FindChild("DeviceAccessPointList").FindChild("DeviceAccessPointItem");
    EXPECT_EQ(dap.Attribute("DNS_CompatibleName"), " X ");

    const TShownDialog& dialog = DialogSeam::Shown().front();
    EXPECT_EQ(dialog.Filter, "PROFINET XML (*.xml)|" + Name);
    EXPECT_EQ(dialog.InitialDir, Project_Folder);
}

TEST_F(ProfinetGSDMLTest, ParGenValuesAndTheirDefaults)
{
    const struct {
        const char* what;
        const char* pargen;  // nullptr: no file
        Integer in, out;
        const char* station;
    } cases[] = {
        {"no file", nullptr, 1438, 1438, "SERIAL"},
        {"no elements", "<Par_Gen/>", 1438, 1438, "SERIAL"},
        {"swapped lengths", "<Par_Gen><PROFINET_NB_IN>20</PROFINET_NB_IN><PROFINET_NB_OUT>10</PROFINET_NB_OUT></Par_Gen>",
         20, 10, "SERIAL"},
        {"blank name", "<Par_Gen><PROFINET_NB_IN>x</PROFINET_NB_IN><PROFINET_NAME_STA>   </PROFINET_NAME_STA></Par_Gen>",
         1438, 1438, "SERIAL"},
        {"reserved characters", "<Par_Gen><PROFINET_NAME_STA>a&amp;b&lt;\"c\"</PROFINET_NAME_STA></Par_Gen>",
         1438, 1438, "a&b<\"c\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(ParGen_File);
        if (c.pargen)
            Write(ParGen_File, c.pargen);
        Write_GSDML_File(Out("p.xml"));
        EXPECT_EQ(UProfinetXML::PROFINET_NB_IN, c.in);
        EXPECT_EQ(UProfinetXML::PROFINET_NB_OUT, c.out);
        EXPECT_EQ(UProfinetXML::PROFINET_NAME_STA, c.station);
        // Written where the document says: input length from NB_OUT, output from NB_IN.
        TXMLDocument xml;
        ASSERT_TRUE(xml.LoadFromFile(Out("p.xml"))) << xml.ErrorMessage().toStdString();
        const TXMLNode app = Profile(xml).FindChild("ProfileBody").FindChild("ApplicationProcess");
        const TXMLNode io = app.FindChild("ModuleList").FindChild("ModuleItem").FindChild("VirtualSubmoduleList")
                                .FindChild("VirtualSubmoduleItem").FindChild("IOData");
        EXPECT_EQ(io.FindChild("Input").FindChild("DataItem").Attribute("Length"), QString::number(c.out));
        EXPECT_EQ(io.FindChild("Output").FindChild("DataItem").Attribute("Length"), QString::number(c.in));
        const TXMLNode dap = app.FindChild("DeviceAccessPointList").FindChild("DeviceAccessPointItem");
        EXPECT_EQ(dap.Attribute("ImplementationType"), c.station);
        EXPECT_EQ(dap.FindChild("IOConfigData").Attribute("MaxDataLength"), "2880");
    }
}

TEST_F(ProfinetGSDMLTest, OnlyTheChosenFolderCountsAndAnExistingFileNeedsYes)
{
    ASSERT_TRUE(QDir().mkpath(Out("sub")));
    // A name typed in the dialog is replaced by the dialog's name.
    DialogSeam::QueueFileName(Out("sub/typed.xml"));
    Create_GSDML_File(Name);
    EXPECT_TRUE(QFile::exists(Out("sub/") + Name));
    EXPECT_FALSE(QFile::exists(Out("sub/typed.xml")));

    Write(Out(Name), "old");
    DialogSeam::QueueFileName(Name);
    DialogSeam::QueueAnswer(IDNO);
    Create_GSDML_File(Name);
    EXPECT_EQ(Read(Out(Name)), "old");
    EXPECT_EQ(Boxes().last(), "File already exists! Do you want to overwrite the file?");
    EXPECT_EQ(DialogSeam::Shown().back().Flags, MB_YESNO | MB_ICONQUESTION);

    DialogSeam::QueueFileName(Name);
    DialogSeam::QueueAnswer(IDYES);
    Create_GSDML_File(Name);
    EXPECT_TRUE(Read(Out(Name)).contains("<ISO15745Profile"));

    // Cancel writes nothing; a broken ParGen.xml shows its error and keeps the file.
    DialogSeam::Clear();
    DialogSeam::QueueCancel();
    Create_GSDML_File("other.xml");
    EXPECT_FALSE(QFile::exists(Out("other.xml")));
    Write(ParGen_File, "<Par_Gen>");
    DialogSeam::QueueFileName(Name);
    DialogSeam::QueueAnswer(IDYES);
    DialogSeam::QueueAnswer(IDOK);
    Create_GSDML_File(Name);
    EXPECT_EQ(DialogSeam::Shown().back().Flags, MB_OK | MB_ICONERROR);
    EXPECT_TRUE(Read(Out(Name)).contains("<ISO15745Profile"));
}

class ProfinetFileNameTest : public TDescriptionDialogTest<TFProfinetFileName> {
protected:
    const QString Date = u'-' + QDate::currentDate().toString("yyyyMMdd") + ".xml";
};

TEST_F(ProfinetFileNameTest, ComposesTheNameFromPrefixUserPartAndStartDate)
{
    EXPECT_EQ(dialog->Caption(), "PROFINET XML File Name");
    EXPECT_EQ(dialog->ClientWidth(), 540);
    EXPECT_EQ(dialog->ClientHeight(), 205);
    EXPECT_EQ(dialog->L_SW_Code->Caption(), SW_Code);
    EXPECT_EQ(dialog->L_SW_Desc->Caption(), "Create the PROFINET XML GSD File");
    EXPECT_EQ(dialog->L_Select_Name->Caption(), "Select the PROFINET XML File Name");
    EXPECT_EQ(dialog->L_XML_Fix1->Caption(), "GSDML-V2.25-Velmora-");
    EXPECT_EQ(dialog->L_XML_Fix2->Caption(), Date);
    for (TControl* c : std::initializer_list<TControl*>{dialog->L_UsedPart, dialog->E_XML_User})
        EXPECT_EQ(c->Left(), 179);
    for (TControl* c : std::initializer_list<TControl*>{dialog->L_FixPart_2, dialog->L_XML_Fix2})
        EXPECT_EQ(c->Left(), 447);

    const Integer result = WhileShown([&] {
        TestInput::TypeText(dialog->E_XML_User, "Plant");
        EXPECT_FALSE(testsupport::SaveScreenshot(GrabControl(dialog), "TFProfinetFileName-user-part").isEmpty());
        TestInput::Click(dialog->Btn_OK);
    });
    EXPECT_EQ(result, mrOk);
    EXPECT_EQ(dialog->Name_File_XML, "GSDML-V2.25-Velmora-_Plant" + Date);

    // The user part stays between openings; Cancel closes with result 2.
    EXPECT_EQ(WhileShown([&] {
                  EXPECT_EQ(dialog->E_XML_User->Text(), "Plant");
                  TestInput::Click(dialog->Btn_Cancel);
              }),
              mrCancel);

    const struct { const char *user, *name; } parts[] = {
        {"", "GSDML-V2.25-Velmora-"}, {"   ", "GSDML-V2.25-Velmora-"}, {"_A", "GSDML-V2.25-Velmora-_A"},
        {"A", "GSDML-V2.25-Velmora-_A"}, {" A ", "GSDML-V2.25-Velmora-_ A "},
    };
    for (const auto& p : parts) {
        dialog->E_XML_User->SetText(p.user);
        dialog->Btn_OK_Click(dialog->Btn_OK);
        EXPECT_EQ(dialog->Name_File_XML, p.name + Date) << "[" << p.user << "]";
    }
}

} // namespace
