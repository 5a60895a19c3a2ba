// The IEC 61850 client window as a user works it: SCL files copied into the
// catalogue and shown as a tree, attributes and data sets taken from the
// tree into the tables, the member settings, devices removed, the checks of
// OK and the client file written and read back.
#include "TableWindowTest.h"

#include <functional>

#include "grid/ExGridEditors.h"
#include "platform/PageControl.h"
#include "platform/StdControls.h"
#include "platform/TreeView.h"
#include "platform/XmlDocument.h"
#include "plant/UIEC_61850_Access.h"

namespace {

enum {
    cIndex = 1, cbType, cFC, cReference, cStart_Byte, cNum_Byte, cIP_Address, cPort, cOn_Change, cOn_CMD, cOn_Timer,
    cTime, cPosition, cStart_Bit, cRead_Write, cConvertion, cMolt_Fact, cMnemonic,
};
enum { mPosition = 3, mStart_Bit, mConvertion, mMult_Fact, mMnemonic };

// Blank rows of the three tables, as Row shows them.
const QString Blank_DA(17, u'|');
const QString Blank_DataSet(7, u'|');
const QString Blank_Members(6, u'|');

struct IECClientWindow : TableWindowTest<TFIEC_61850_Access> {
    TExColumnGrid* da() const { return form->ACG_DA; }
    TExColumnGrid* ds() const { return form->ACG_DataSet; }
    TExColumnGrid* members() const { return form->ACG_DS_Vars; }
    TListBox* catalogue() const { return form->LB_IEC_Devices; }

    static QString Fixture(const char* name) { return QStringLiteral(TEST_DATA_DIR "/plant/iec/") + name; }
    QString Copy_Of(const QString& name) const { return Project_Folder + QStringLiteral("/ICD_Catalog/") + name; }

    void Open_Shown()
    {
        Open();
        TestInput::ActivateWindow(form);
    }
    // Adds a file as the user picks it in the open dialog, the overwrite
    // question answered when an answer is given; the boxes' texts.
    QStringList Add_Device(const QString& path, Integer answer = 0)
    {
        DialogSeam::Clear();
        DialogSeam::QueueFileName(path);
        if (answer != 0)
            DialogSeam::QueueAnswer(answer);
        TestInput::Click(form->Btn_Add_IEC_Device);
        QStringList texts;
        for (const auto& s : DialogSeam::Shown())
            if (s.Kind == TShownDialog::MessageBox)
                texts << s.Text;
        DialogSeam::Clear();
        return texts;
    }
    QStringList Devices() const
    {
        QStringList names;
        for (Integer i = 0; i < catalogue()->Items()->Count(); ++i)
            names << catalogue()->Items()->Strings(i);
        return names;
    }
    void Choose_Device(Integer i)
    {
        const Integer h = catalogue()->ItemHeight();
        TestInput::Click(catalogue(), {30, i * h + h / 2 + 2});
        ASSERT_EQ(catalogue()->ItemIndex(), i);
    }
    // The tree's node at a path of texts below the device's root.
    TTreeNode* Node(const QString& path) const
    {
        TTreeNode* n = form->NODE_ORIG;
        for (const QString& part : path.split(u'/')) {
            TTreeNode* next = nullptr;
            for (Integer i = 0; n != nullptr && i < n->Count() && next == nullptr; ++i)
                if (n->Item(i)->Text() == part)
                    next = n->Item(i);
            n = next;
        }
        return n;
    }
    // Clicks a node of the tree as the user picks it.
    void Choose_Node(const QString& path)
    {
        TTreeNode* n = Node(path);
        ASSERT_NE(n, nullptr) << path.toStdString();
        // Only the way to the node is open, so that it is in view.
        form->TV_IEC_Device->FullCollapse();
        for (TTreeNode* p = n->Parent(); p != nullptr; p = p->Parent())
            p->Expand(false);
        const TRect r = n->DisplayRect(true);
        ASSERT_FALSE(r.IsEmpty()) << path.toStdString();
        TestInput::Click(form->TV_IEC_Device, {r.Left + 4, (r.Top + r.Bottom) / 2});
        ASSERT_EQ(form->TV_IEC_Device->Selected(), n);
    }
    void Add_Var(const QString& path)
    {
        Choose_Node(path);
        TestInput::Click(form->Btn_AddVar);
    }
    static void Click_Cell(TExColumnGrid* g, Integer c, Integer r)
    {
        const TRect rc = g->CellRect(c, r);
        ASSERT_FALSE(rc.IsEmpty()) << "cell not in view";
        TestInput::Click(g, {(rc.Left + rc.Right) / 2, (rc.Top + rc.Bottom) / 2});
    }
    // Types a text into a cell as the user does, ending with Enter.
    static void Type_Into(TExColumnGrid* g, Integer c, Integer r, const QString& text)
    {
        Click_Cell(g, c, r);
        TestInput::TypeText(g, text);
        ASSERT_NE(g->GetNormalEdit(), nullptr);
        TestInput::PressKey(g->GetNormalEdit(), VK_RETURN);
        Application->ProcessMessages();
    }
    // The catalogue with the feeder relay, shown in the tree.
    void Open_With_Feeder()
    {
        Open_Shown();
        ASSERT_TRUE(Add_Device(Fixture("substation.icd")).isEmpty());
        Choose_Device(0);
    }
    // A data-attribute row that passes every check, with its type.
    void Valid_Row(Integer r, const QString& type)
    {
        Set_Row(da(), r, QStringLiteral("0|%1|ST|IED_APROT/X.y|0|4|192.168.1.10|102|N|N|N||10||Read|None|none|").arg(type));
    }
};

TEST_F(IECClientWindow, CatalogueFileIsCopiedReadAndShownAsTheDeviceTree)
{
    Open_Shown();
    EXPECT_EQ(form->Caption(), "Definition of IEC 61850 Client");
    EXPECT_EQ(form->ClientWidth(), 1200);
    EXPECT_EQ(form->ClientHeight(), 550);
    EXPECT_EQ(da()->GetRowCount(), 2);
    EXPECT_EQ(da()->GetCellEx(cReference, 0), "Reference");
    EXPECT_EQ(da()->GetCellEx(cStart_Byte, 0), "Start Byte");
    EXPECT_EQ(ds()->GetCellEx(3, 0), "Goose Name");
    EXPECT_EQ(members()->GetCellEx(5, 0), "Convertion");
    QString hint;
    da()->OnGridHint(da(), 0, cPort, hint);
    EXPECT_EQ(hint, Text(4941));

    DialogSeam::Clear();
    DialogSeam::QueueFileName(Fixture("substation.icd"));
    TestInput::Click(form->Btn_Add_IEC_Device);
    ASSERT_EQ(DialogSeam::Shown().size(), 1u);
    EXPECT_EQ(DialogSeam::Shown()[0].Filter, "SCL Files (*.scd, *.ssd, *.sed, *.icd, *.iid, *.cid)|*.scd; *.ssd; "
                                              "*.sed; *.icd; *.iid; *.cid;|Any File (*.*)|*.*");
    EXPECT_EQ(Read_Bytes(Copy_Of("substation.icd")), Read_Bytes(Fixture("substation.icd")));
    EXPECT_EQ(Devices(), QStringList{"IED_A"});
    EXPECT_EQ(form->TV_IEC_Device->Items()->Count(), 0);  // until a line is chosen

    Choose_Device(0);
    TTreeView* tree = form->TV_IEC_Device;
    ASSERT_EQ(tree->Items()->TopCount(), 1);
    EXPECT_EQ(form->NODE_ORIG, tree->Items()->TopItem(0));
    EXPECT_EQ(form->List_IEC_Dev[0]->TreeNode, form->NODE_ORIG);
    // Text, picture and whether it opens, by kind of node; under a logical
    // node its data objects come before its data sets.
    const struct {
        const char* Path;
        Integer Image;
        bool Expanded;
        QStringList Children;
    } nodes[] = {
        {"PROT", 1, true, {"LLN0", "PTOC1"}},
        {"PROT/LLN0", 2, true, {"Mod", "NamPlt", "Trips"}},
        {"PROT/LLN0/Mod", 3, false, {"stVal", "t"}},
        {"PROT/LLN0/Trips", 5, false, {}},
        {"PROT/PTOC1/StrVal/setMag", 4, false, {"f"}},
        {"MEAS/MMXU1/A/phsA/cVal/ang/f", 4, false, {}},
        {"MEAS/LLN0", 2, true, {"Mod", "NamPlt", "Meas"}},
    };
    for (const auto& n : nodes) {
        SCOPED_TRACE(n.Path);
        TTreeNode* node = Node(QString::fromLatin1(n.Path));
        ASSERT_NE(node, nullptr);
        EXPECT_EQ(node->ImageIndex(), n.Image);
        EXPECT_EQ(node->SelectedIndex(), n.Image);
        EXPECT_EQ(node->Expanded(), n.Expanded);
        QStringList children;
        for (Integer i = 0; i < node->Count(); ++i)
            children << node->Item(i)->Text();
        EXPECT_EQ(children, n.Children);
    }

    // Data objects are written in blue, data sets in green, the rest black.
    Choose_Node("PROT/PTOC1/Str");
    for (const char* path : {"PROT/LLN0", "PROT/LLN0/Mod", "PROT/PTOC1/Str"})
        Node(QString::fromLatin1(path))->Expand(false);
    const QImage shot = GrabControl(tree);
    // Text pixels of a colour, behind the node's picture.
    const auto count = [&](const char* path, const std::function<bool(QColor)>& is) {
        TTreeNode* node = Node(QString::fromLatin1(path));
        const TRect row = node->DisplayRect(false);
        Integer n = 0;
        for (Integer y = row.Top; y < row.Bottom; ++y)
            for (Integer x = node->DisplayRect(true).Left + 20; x < row.Right; ++x)
                n += is(shot.pixelColor(x, y));
        return n;
    };
    const auto blue = [](QColor c) { return c.blue() > 150 && c.red() < 90 && c.green() < 90; };
    const auto green = [](QColor c) { return c.green() > 90 && c.red() < 60 && c.blue() < 60; };
    EXPECT_GT(count("PROT/LLN0/Mod", blue), 5);
    EXPECT_GT(count("PROT/LLN0/Trips", green), 5);
    EXPECT_EQ(count("PROT/LLN0/Mod/stVal", blue) + count("PROT/LLN0/Mod/stVal", green), 0);
    EXPECT_EQ(count("PROT", blue) + count("PROT", green), 0);
    // The selected data object keeps the highlight's text colour.
    EXPECT_EQ(count("PROT/PTOC1/Str", blue), 0);
    Screenshot("TFIEC_61850_Access-tree");
}

TEST_F(IECClientWindow, AddVarTakesLeafAttributesWithTheirSizesAndWholeDataSets)
{
    Open_With_Feeder();
    // A structure, a data object and a logical node choose nothing.
    for (const char* path : {"PROT/PTOC1/StrVal/setMag", "PROT/PTOC1/Str", "PROT/PTOC1"}) {
        SCOPED_TRACE(path);
        Add_Var(QString::fromLatin1(path));
        EXPECT_EQ(form->Selected_IEC_DA, nullptr);
        EXPECT_EQ(form->Selected_IEC_DS, nullptr);
        EXPECT_EQ(da()->GetRowCount(), 2);
        EXPECT_EQ(Row(da(), 1), Blank_DA);
    }

    Add_Var("PROT/PTOC1/StrVal/setMag/f");
    EXPECT_EQ(form->PC_DA_DataSet->ActivePage(), form->TS_DA);
    EXPECT_EQ(da()->GetRowCount(), 2);
    EXPECT_EQ(da()->GetCellEx(0, 1), "1");
    EXPECT_EQ(Row(da(), 1), "0|FLOAT32|SP|IED_APROT/PTOC1.StrVal.setMag.f|0|4|||N|N|N|||||||");
    EXPECT_TRUE(da()->ReadOnly(cStart_Byte, 1));
    EXPECT_TRUE(da()->ReadOnly(cNum_Byte, 1));
    Add_Var("PROT/LLN0/NamPlt/vendor");
    EXPECT_EQ(Row(da(), 2), "0|VisString255|DC|IED_APROT/LLN0.NamPlt.vendor|||||N|N|N|||||||");
    EXPECT_FALSE(da()->ReadOnly(cStart_Byte, 2));
    EXPECT_FALSE(da()->ReadOnly(cNum_Byte, 2));
    // Sizes by type: Timestamp counts one byte, like a Boolean.
    const struct {
        const char* Path;
        const char* Sizes;
    } sized[] = {
        {"PROT/LLN0/NamPlt/cnt", "0|2"},  {"PROT/LLN0/Mod/t", "0|1"},      {"PROT/LLN0/Mod/stVal", "0|1"},
        {"PROT/PTOC1/Str/q", "0|4"},      {"PROT/PTOC1/Op/general", "0|1"}, {"PROT/LLN0/NamPlt/serial", "|"},
    };
    for (const auto& s : sized) {
        SCOPED_TRACE(s.Path);
        Add_Var(QString::fromLatin1(s.Path));
        const Integer r = da()->GetRowCount() - 1;
        EXPECT_EQ(da()->GetCellEx(cStart_Byte, r) + "|" + da()->GetCellEx(cNum_Byte, r), s.Sizes);
    }
    EXPECT_EQ(da()->GetCellEx(0, 8), "8");

    // A data set with its GOOSE block and every member, on its own page.
    Add_Var("PROT/LLN0/Trips");
    EXPECT_EQ(form->PC_DA_DataSet->ActivePage(), form->TS_DataSet);
    EXPECT_EQ(ds()->GetRowCount(), 2);
    EXPECT_EQ(ds()->GetCellEx(0, 1) + "|" + Row(ds(), 1), "1|0|IED_APROT/LLN0.Trips|GoCB1|Y||||");
    Add_Var("MEAS/LLN0/Meas");
    EXPECT_EQ(ds()->GetCellEx(0, 2) + "|" + Row(ds(), 2), "2|0|IED_AMEAS/LLN0.Meas||N||||");
    ASSERT_EQ(form->List_DataSet.size(), 2u);
    EXPECT_EQ(form->List_DataSet[0]->Select_DataSet->fName, "Trips");

    // The member table follows the data-set row clicked.
    Click_Cell(ds(), 2, 1);
    EXPECT_EQ(members()->GetRowCount(), 4);
    EXPECT_EQ(members()->GetCellEx(0, 3) + "|" + Row(members(), 1), "3|BOOLEAN|IED_APROT/PTOC1.Str.general|||||");
    EXPECT_EQ(Row(members(), 3), "FLOAT32|IED_AMEAS/MMXU1.TotW.mag.f|||||");  // the first leaf
    Click_Cell(ds(), 2, 2);
    EXPECT_EQ(members()->GetRowCount(), 3);
    EXPECT_EQ(Row(members(), 2), "Quality|IED_AMEAS/MMXU1.TotW.q|||||");
    Screenshot("TFIEC_61850_Access-dataset");

    // Adding a device keeps the chosen line and what was chosen in its tree.
    Choose_Node("PROT/LLN0/NamPlt/swRev");
    ASSERT_TRUE(Add_Device(Fixture("bay.cid")).isEmpty());
    EXPECT_EQ(catalogue()->ItemIndex(), 0);
    TestInput::Click(form->Btn_AddVar);
    EXPECT_EQ(da()->GetCellEx(cIndex, 9) + "|" + da()->GetCellEx(cReference, 9), "0|IED_APROT/LLN0.NamPlt.swRev");
    // Another device chosen: nothing is chosen in its new tree yet.
    Choose_Node("PROT/LLN0/Trips");
    Choose_Device(1);
    TestInput::Click(form->Btn_AddVar);
    EXPECT_EQ(ds()->GetRowCount(), 3);
    Add_Var("CTRL/LLN0/Pos");
    EXPECT_EQ(Row(ds(), 3), "1|IED_BCTRL/LLN0.Pos|GoPos|Y||||");
    form->PC_DA_DataSet->SetActivePage(form->TS_DA);
    Screenshot("TFIEC_61850_Access-variables");
}

TEST_F(IECClientWindow, RemoveVarMovesTheRowsUpAndKeepsEachDataSetWithItsRow)
{
    Open_With_Feeder();
    Add_Var("PROT/LLN0/NamPlt/vendor");
    Add_Var("PROT/LLN0/NamPlt/cnt");
    Add_Var("PROT/PTOC1/Op/general");
    da()->SetCellEx(cMnemonic, 3, "trip");
    // Row 1 goes: the rows below move up, numbered again, and each takes
    // the sizes of its own type.
    Click_Cell(da(), cMnemonic, 1);
    TestInput::Click(form->Btn_RemoveVar);
    ASSERT_EQ(da()->GetRowCount(), 3);
    EXPECT_EQ(da()->GetCellEx(0, 2) + "|" + Row(da(), 2), "2|0|BOOLEAN|ST|IED_APROT/PTOC1.Op.general|0|1|||N|N|N|||||||trip");
    EXPECT_TRUE(da()->ReadOnly(cNum_Byte, 2));
    EXPECT_EQ(da()->GetCellEx(cbType, 1), "INT16U");
    Click_Cell(da(), cMnemonic, 2);
    TestInput::Click(form->Btn_RemoveVar);
    Click_Cell(da(), cMnemonic, 1);
    TestInput::Click(form->Btn_RemoveVar);
    // The last row is blanked, not removed.
    EXPECT_EQ(da()->GetRowCount(), 2);
    EXPECT_EQ(Row(da(), 1), Blank_DA);
    EXPECT_FALSE(da()->ReadOnly(cStart_Byte, 1));

    Add_Var("PROT/LLN0/Trips");
    Add_Var("MEAS/LLN0/Meas");
    Click_Cell(ds(), 2, 2);
    Type_Into(members(), mPosition, 1, "40");
    EXPECT_EQ(form->List_DataSet[1]->List_DAs[0]->Position, "40");
    Click_Cell(ds(), 2, 1);
    TestInput::Click(form->Btn_RemoveVar);
    ASSERT_EQ(form->List_DataSet.size(), 1u);
    EXPECT_EQ(ds()->GetCellEx(0, 1) + "|" + ds()->GetCellEx(2, 1), "1|IED_AMEAS/LLN0.Meas");
    EXPECT_EQ(form->List_DataSet[0]->Select_DataSet->fName, "Meas");
    // The member table shows the data set now in the current row; edits go
    // to it.
    EXPECT_EQ(Row(members(), 1), "FLOAT32|IED_AMEAS/MMXU1.Hz.mag.f|40||||");
    Click_Cell(ds(), 2, 1);
    Type_Into(members(), mMnemonic, 2, "quality");
    EXPECT_EQ(form->List_DataSet[0]->List_DAs[1]->Mnemonic, "quality");
    EXPECT_EQ(form->List_DataSet[0]->List_DAs[0]->Position, "40");
    TestInput::Click(form->Btn_RemoveVar);
    EXPECT_TRUE(form->List_DataSet.empty());
    EXPECT_EQ(ds()->GetRowCount(), 2);
    EXPECT_EQ(Row(ds(), 1), Blank_DataSet);
}

TEST_F(IECClientWindow, AMemberEditGoesToTheDataSetWhoseMembersAreShown)
{
    Open_With_Feeder();
    Add_Var("PROT/LLN0/Trips");
    Add_Var("MEAS/LLN0/Meas");
    Click_Cell(ds(), 2, 1);
    // The current data-set row moves by key; the member table still shows
    // the first data set, and takes the edit for it.
    ds()->SetFocus();
    TestInput::PressKey(ds(), VK_DOWN);
    ASSERT_EQ(ds()->GetRowEx(), 2);
    Type_Into(members(), mPosition, 3, "7");
    EXPECT_EQ(form->List_DataSet[0]->List_DAs[2]->Position, "7");
    for (const auto& m : form->List_DataSet[1]->List_DAs)
        EXPECT_EQ(m->Position, "");
}

TEST_F(IECClientWindow, TheSameFileAddedAgainAsksWhetherToOverwriteItsCopy)
{
    Open_Shown();
    // A catalogue copy of that name already holds the bay controller.
    ASSERT_TRUE(QDir().mkpath(Project_Folder + "/ICD_Catalog"));
    ASSERT_TRUE(QFile::copy(Fixture("bay.cid"), Copy_Of("relay.icd")));
    const QString picked = dir.filePath("relay.icd");
    ASSERT_TRUE(QFile::copy(Fixture("substation.icd"), picked));
    const QString question = "File already exists in catalog directory. Do you want to overwrite file?";

    EXPECT_EQ(Add_Device(picked, IDCANCEL), QStringList{question});
    EXPECT_TRUE(Devices().isEmpty());
    EXPECT_EQ(Add_Device(picked, IDNO), QStringList{question});
    EXPECT_EQ(Devices(), QStringList{"IED_B"});
    EXPECT_EQ(Add_Device(picked, IDYES), QStringList{question});
    EXPECT_EQ(Devices(), (QStringList{"IED_B", "IED_A"}));
    EXPECT_EQ(Read_Bytes(Copy_Of("relay.icd")), Read_Bytes(Fixture("substation.icd")));
    // The catalogue copy itself picked again is read as it is.
    EXPECT_EQ(Add_Device(Copy_Of("relay.icd"), IDYES), QStringList{question});
    EXPECT_EQ(Devices(), (QStringList{"IED_B", "IED_A", "IED_A"}));

    // A file that is not well-formed XML adds nothing; the parser says why.
    const QStringList boxes = Add_Device(Fixture("broken.icd"), IDOK);
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_FALSE(boxes[0].isEmpty());
    EXPECT_EQ(form->List_IEC_Dev.size(), 3u);
    // A file that cannot be copied adds nothing either.
    EXPECT_EQ(Add_Device(dir.filePath("missing.icd"), IDOK).size(), 1);
    EXPECT_EQ(form->List_IEC_Dev.size(), 3u);
}

TEST_F(IECClientWindow, ADeviceInUseStaysAndRemovingAnotherRenumbersTheRows)
{
    Open_Shown();
    ASSERT_TRUE(Add_Device(Fixture("substation.icd")).isEmpty());
    ASSERT_TRUE(Add_Device(Fixture("bay.cid")).isEmpty());
    Choose_Device(1);
    Add_Var("CTRL/Q0XCBR1/Pos/stVal");
    Add_Var("CTRL/LLN0/Pos");
    EXPECT_EQ(da()->GetCellEx(cIndex, 1), "1");
    EXPECT_EQ(ds()->GetCellEx(1, 1), "1");

    // Device 1 is read from: it stays, without a word.
    TestInput::Click(form->Btn_Remove_IEC_Device);
    EXPECT_TRUE(DialogSeam::Shown().empty());
    EXPECT_EQ(Devices(), (QStringList{"IED_A", "IED_B"}));

    // Device 0 goes; the rows follow their device to position 0.
    Choose_Device(0);
    TestInput::Click(form->Btn_Remove_IEC_Device);
    EXPECT_EQ(Devices(), QStringList{"IED_B"});
    ASSERT_EQ(form->List_IEC_Dev.size(), 1u);
    EXPECT_EQ(form->List_IEC_Dev[0]->fName, "IED_B");
    EXPECT_EQ(da()->GetCellEx(cIndex, 1), "0");
    EXPECT_EQ(ds()->GetCellEx(1, 1), "0");
    EXPECT_EQ(form->List_DataSet[0]->Select_DataSet->fReference, "IED_BCTRL/LLN0.Pos");
    // The copy stays in the catalogue folder.
    EXPECT_TRUE(QFile::exists(Copy_Of("substation.icd")));
}

TEST_F(IECClientWindow, OKChecksTheVariableRowsInOrder)
{
    Open_Shown();
    const QString e = "Error row 1";
    const struct {
        const char* Type;
        const char* Cells;  // Start Byte|Num Byte|IP|Port|On Timer|Time|Position|Molt Fact
        QString Error;
    } cases[] = {
        {"VisString255", "0|255|192.168.1.10|102|N||10|none", ""},
        {"VisString255", "1|255|192.168.1.10|102|N||10|none", e + Text(4964)},
        {"VISSTRING255", "255|1|192.168.1.10|102|N||10|none", e + Text(4962)},
        {"VisString255", "0|0|192.168.1.10|102|N||10|none", e + Text(4963)},
        {"Octet64", "63|1|192.168.1.10|102|N||10|none", ""},
        {"Octet64", "64|0|192.168.1.10|102|N||10|none", e + Text(4965)},
        {"Octet64", "0|65|192.168.1.10|102|N||10|none", e + Text(4966)},
        {"Octet64", "10|60|192.168.1.10|102|N||10|none", e + Text(4967)},
        {"INT32", "x|y|192.168.1.10|0|N||0|NONE ", ""},
        {"INT32", "0|4|192.168.1|102|N||10|none", e + "!! IP Address must be a valid TCP IP Address (Ex. 192.168.1.125)"},
        {"INT32", "0|4|192.168.1.256|102|N||10|none", e + Text(4953)},
        {"INT32", "0|4|10.0.0.1|65536|N||10|none", e + "!! Port must be between 0 and 65535"},
        {"INT32", "0|4|10.0.0.1|65535|Y|0|10|none", e + "!! Time must be between 1 and 100000000 ms"},
        {"INT32", "0|4|10.0.0.1|65535|Y|100000000|10|none", ""},
        {"INT32", "0|4|10.0.0.1|1|N||1400|none", e + "!! Position must be between 0 and 1399"},
        {"INT32", "0|4|10.0.0.1|1|N|||none", e + "!! Position must be between 0 and 1399"},
        {"INT32", "0|4|10.0.0.1|1|N||1399|x", e + "!! Mult. Factor must be a valid Float"},
        {"INT32", "0|4|10.0.0.1|1|N||0|", e + Text(4957)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.Type) + " " + c.Cells);
        const QStringList f = QString::fromLatin1(c.Cells).split(u'|');
        Valid_Row(1, QString::fromLatin1(c.Type));
        da()->SetCellEx(cStart_Byte, 1, f[0]);
        da()->SetCellEx(cNum_Byte, 1, f[1]);
        da()->SetCellEx(cIP_Address, 1, f[2]);
        da()->SetCellEx(cPort, 1, f[3]);
        da()->SetCellEx(cOn_Timer, 1, f[4]);
        da()->SetCellEx(cTime, 1, f[5]);
        da()->SetCellEx(cPosition, 1, f[6]);
        da()->SetCellEx(cMolt_Fact, 1, f[7]);
        DialogSeam::Clear();
        DialogSeam::QueueAnswer(IDOK);
        EXPECT_EQ(form->Controllo_dati() ? QString() : DialogSeam::Shown().back().Text, c.Error);
        DialogSeam::Clear();
    }

    // A row without a type is no variable; the fault of a later row names
    // that row, and nothing is written.
    da()->SetRowCount(4);
    Valid_Row(1, "INT32");
    Set_Row(da(), 2, "0||||||bad address");
    Valid_Row(3, "BOOLEAN");
    da()->SetCellEx(cPort, 3, "-1");
    EXPECT_EQ(OK_Fails(), "Error row 3!! Port must be between 0 and 65535");
    EXPECT_FALSE(QFile::exists(IEC_61850_Client_File));
    da()->SetCellEx(cPort, 3, "102");
    OK_Passes();
    EXPECT_TRUE(QFile::exists(IEC_61850_Client_File));
}

TEST_F(IECClientWindow, TheClientFileWrittenByOKReadsBackIntoTheSameTables)
{
    Open_With_Feeder();
    Add_Var("PROT/PTOC1/StrVal/setMag/f");
    Set_Row(da(), 1, "0|FLOAT32|SP|IED_APROT/PTOC1.StrVal.setMag.f|0|4|10.0.0.11|102|Y|N|Y|500|12|3|Read|ItoF/FtoI|0.5| pickup ");
    Add_Var("PROT/LLN0/Trips");
    Set_Row(ds(), 1, "0|IED_APROT/LLN0.Trips|GoCB1|N|10.0.0.11|102|1000|trips");
    Click_Cell(ds(), 2, 1);
    Type_Into(members(), mPosition, 1, "100");
    Type_Into(members(), mMnemonic, 3, "power");
    const QString rows = Row(da(), 1);
    OK_Passes();

    TXMLDocument xml;
    ASSERT_TRUE(xml.LoadFromFile(IEC_61850_Client_File));
    const TXMLNode root = xml.Root();
    EXPECT_EQ(root.NodeName(), "IEC_68850_Client");
    EXPECT_EQ(xml.Child(1).Text(), "SW_VERSION = 1.000");
    const TXMLNode file = root.FindChild("List_ICD_Files").FindChild("ICD_File");
    EXPECT_EQ(file.Attribute("Name") + "|" + file.Attribute("FileName"), "IED_A|substation.icd");
    const TXMLNode item = root.FindChild("List_DA_Selected").FindChild("DA_Item");
    EXPECT_EQ(item.AttributeCount(), 18);
    EXPECT_EQ(item.AttributeName(17) + "=" + item.AttributeValue(17), "Mnemonic= pickup ");
    EXPECT_EQ(item.Attribute("Convertion") + "|" + item.Attribute("MoltFact"), "ItoF/FtoI|0.5");
    const TXMLNode set = root.FindChild("List_DataSet_Selected").FindChild("DataSet_Item");
    EXPECT_EQ(set.Attribute("EnGoose") + "|" + set.Attribute("Time"), "N|1000");
    const TXMLNode members_list = set.FindChild("DataSet_List_DAs");
    ASSERT_EQ(members_list.ChildCount(), 3);
    const TXMLNode third = members_list.Child(2);
    EXPECT_EQ(third.Attribute("bType") + "|" + third.Attribute("Reference") + "|" + third.Attribute("Mnemonic"),
              "FLOAT32|IED_AMEAS/MMXU1.TotW.mag.f|power");
    const QByteArray written = Read_Bytes(IEC_61850_Client_File);

    // Shown again: the catalogue from its copies, the rows, the members.
    Open_Shown();
    EXPECT_EQ(Devices(), QStringList{"IED_A"});
    EXPECT_EQ(da()->GetRowCount(), 2);
    EXPECT_EQ(Row(da(), 1), rows);
    EXPECT_EQ(da()->GetCellEx(0, 1), "1");
    EXPECT_TRUE(da()->ReadOnly(cNum_Byte, 1));
    EXPECT_EQ(Row(ds(), 1), "0|IED_APROT/LLN0.Trips|GoCB1|N|10.0.0.11|102|1000|trips");
    ASSERT_EQ(form->List_DataSet.size(), 1u);
    EXPECT_EQ(form->List_DataSet[0]->Select_DataSet, form->List_IEC_Dev[0]->List_LDevice[0]->List_LN[0]->List_DataSet[0].get());
    EXPECT_EQ(members()->GetRowCount(), 2);  // filled when a row is clicked
    Click_Cell(ds(), 2, 1);
    EXPECT_EQ(Row(members(), 1), "BOOLEAN|IED_APROT/PTOC1.Str.general|100||||");
    EXPECT_EQ(Row(members(), 3), "FLOAT32|IED_AMEAS/MMXU1.TotW.mag.f|||||power");
    OK_Passes();
    EXPECT_EQ(Read_Bytes(IEC_61850_Client_File), written);

    // Cancel writes nothing; a configuration without the file starts empty.
    Open_Shown();
    da()->SetCellEx(cMnemonic, 1, "changed");
    TestInput::Click(form->Btn_Cancel);
    EXPECT_EQ(form->ModalResult(), mrCancel);
    EXPECT_EQ(Read_Bytes(IEC_61850_Client_File), written);
    ASSERT_TRUE(QFile::remove(IEC_61850_Client_File));
    Open_Shown();
    EXPECT_TRUE(Devices().isEmpty());
    EXPECT_TRUE(form->List_DataSet.empty());
    EXPECT_EQ(Row(ds(), 1), Blank_DataSet);
    EXPECT_EQ(Row(members(), 1), Blank_Members);
}

TEST_F(IECClientWindow, AnEmptyTableWritesAnEmptyListAndEveryOtherRowIsWritten)
{
    Open_Shown();
    OK_Passes();
    TXMLDocument xml;
    ASSERT_TRUE(xml.LoadFromFile(IEC_61850_Client_File));
    EXPECT_EQ(xml.Root().FindChild("List_DA_Selected").ChildCount(), 0);
    EXPECT_EQ(xml.Root().FindChild("List_DataSet_Selected").ChildCount(), 0);

    Open_Shown();
    da()->SetRowCount(3);
    Valid_Row(1, "INT32");
    OK_Passes();
    ASSERT_TRUE(xml.LoadFromFile(IEC_61850_Client_File));
    const TXMLNode list = xml.Root().FindChild("List_DA_Selected");
    ASSERT_EQ(list.ChildCount(), 2);
    EXPECT_EQ(list.Child(1).AttributeCount(), 18);
    EXPECT_EQ(list.Child(1).Attribute("Reference"), "");
}

TEST_F(IECClientWindow, ReadingKeepsWhatStillMatchesTheCatalogueAndReportsWhatItCannotRead)
{
    ASSERT_TRUE(QDir().mkpath(Project_Folder + "/ICD_Catalog"));
    ASSERT_TRUE(QFile::copy(Fixture("substation.icd"), Copy_Of("substation.icd")));
    const QString da_item = R"(<DA_Item Index="%1" bType="%2" fc="MX" Reference="r" %3 IPAddress="10.0.0.1" Port="102"
        OnChange="N" OnCMD="N" OnTimer="N" Time="" Position="1" StartBit="" ReadWrite="Read" Convertion="None"
        MoltFact="none" Mnemonic=""/>)";
    // The first entry's copy is gone; the stored members of Trips: one
    // matches, one has another type, one another place.
    Write(IEC_61850_Client_File, QString(R"(<?xml version="1.0"?>
<IEC_68850_Client>
  <List_ICD_Files>
    <ICD_File Name="IED_GONE" FileName="gone.icd"/>
    <!-- a comment among the entries -->
    <ICD_File Name="IED_A" FileName="substation.icd"/>
    <ICD_File Name="Outside" FileName="../substation.icd"/>
  </List_ICD_Files>
  <List_DA_Selected>
    %1
    %2
  </List_DA_Selected>
  <List_DataSet_Selected>
    <DataSet_Item Index="1" Reference="IED_APROT/LLN0.Trips" GooseName="GoCB1" EnGoose="Y" IPAddress="" Port="" Time="" Mnemonic="">
      <DataSet_List_DAs>
        <DataSet_DA_Item bType="BOOLEAN" Reference="IED_APROT/PTOC1.Str.general" Position="5" StartBit="1" Convertion="None" MoltFact="2" Mnemonic="start"/>
        <DataSet_DA_Item bType="INT32" Reference="IED_APROT/PTOC1.Op.general" Position="6"/>
        <DataSet_DA_Item bType="FLOAT32" Reference="IED_AMEAS/MMXU1.Hz.mag.f" Position="7"/>
      </DataSet_List_DAs>
    </DataSet_Item>
    <DataSet_Item Index="0" Reference="IED_APROT/LLN0.Trips" GooseName="" EnGoose="N" IPAddress="" Port="" Time="" Mnemonic=""/>
  </List_DataSet_Selected>
</IEC_68850_Client>
<!--SW_VERSION = 1.000-->
)")
                                     .arg(da_item.arg("1", "FLOAT32", "NumByte=\"2\""))
                                     .arg(da_item.arg("1", "VisString255", "")));
    Open_Shown();
    // The missing copies stay listed without a model, so that the rows keep
    // naming their devices by position.
    EXPECT_EQ(Devices(), (QStringList{"IED_GONE", "IED_A", "Outside"}));
    EXPECT_TRUE(form->List_IEC_Dev[0]->List_LDevice.empty());
    EXPECT_TRUE(form->List_IEC_Dev[2]->List_LDevice.empty());
    EXPECT_EQ(form->List_IEC_Dev[1]->List_LDevice.size(), 2u);
    // Fixed sizes replace the file's; the others stay empty and editable.
    EXPECT_EQ(da()->GetCellEx(cStart_Byte, 1) + "|" + da()->GetCellEx(cNum_Byte, 1), "0|4");
    EXPECT_TRUE(da()->ReadOnly(cNum_Byte, 1));
    EXPECT_EQ(da()->GetCellEx(cStart_Byte, 2) + "|" + da()->GetCellEx(cNum_Byte, 2), "|");
    // Members are taken back by position only while type and reference
    // agree; a row whose data set is not found keeps no member.
    ASSERT_EQ(form->List_DataSet.size(), 2u);
    const TDataSet& trips = *form->List_DataSet[0];
    ASSERT_NE(trips.Select_DataSet, nullptr);
    ASSERT_EQ(trips.List_DAs.size(), 1u);
    const TDataSet_DA& m = *trips.List_DAs[0];
    EXPECT_EQ(m.Position + "|" + m.bitAddress + "|" + m.conversion + "|" + m.multFactor + "|" + m.Mnemonic,
              "5|1|None|2|start");
    EXPECT_EQ(form->List_DataSet[1]->Select_DataSet, nullptr);
    EXPECT_TRUE(form->List_DataSet[1]->List_DAs.empty());
    EXPECT_TRUE(DialogSeam::Shown().empty());

    // OK keeps every catalogue entry.
    Valid_Row(1, "FLOAT32");
    Valid_Row(2, "INT32");
    OK_Passes();
    TXMLDocument xml;
    ASSERT_TRUE(xml.LoadFromFile(IEC_61850_Client_File));
    EXPECT_EQ(xml.Root().FindChild("List_ICD_Files").ChildCount(), 3);
    EXPECT_EQ(xml.Root().FindChild("List_ICD_Files").Child(0).Attribute("FileName"), "gone.icd");
}

TEST_F(IECClientWindow, AFileThatCannotBeReadWholeIsReportedAndReplacedOnlyOnRequest)
{
    const QString da_item = R"(<DA_Item Index="0" bType="INT32" fc="MX" Reference="r%1" IPAddress="10.0.0.1"
        Port="102" OnChange="N" OnCMD="N" OnTimer="N" Time="" Position="1" StartBit="" ReadWrite="Read"
        Convertion="None" %2 Mnemonic=""/>)";
    const struct {
        const char* Name;
        QString Body;
        const char* Error;  // the start of the box's text
        Integer DA_Rows;
        Integer DataSet_Rows;
    } cases[] = {
        {"required attribute",
         "<List_DA_Selected>" + da_item.arg("1", "MoltFact=\"none\"") + da_item.arg("2", "") + da_item.arg("3", "MoltFact=\"none\"")
             + "</List_DA_Selected>",
         "Attribute \"MoltFact\" missing in DA_Item number 2", 1, 0},
        {"index",
         "<List_DataSet_Selected><DataSet_Item Index=\"0\" Reference=\"a\" GooseName=\"\" EnGoose=\"N\" IPAddress=\"\" "
         "Port=\"\" Time=\"\" Mnemonic=\"\"/><DataSet_Item Index=\"one\" Reference=\"b\" GooseName=\"\" EnGoose=\"N\" "
         "IPAddress=\"\" Port=\"\" Time=\"\" Mnemonic=\"\"/></List_DataSet_Selected>",
         "'one' is not a valid integer value", 0, 1},
        {"catalogue", "<List_ICD_Files><ICD_File Name=\"x\"/></List_ICD_Files>", "Attribute \"FileName\" missing", 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        Write(IEC_61850_Client_File, "<IEC_68850_Client>" + c.Body + "</IEC_68850_Client>");
        const QByteArray before = Read_Bytes(IEC_61850_Client_File);
        DialogSeam::Clear();
        DialogSeam::QueueAnswer(IDOK);
        form->Hide();
        form->Show();
        ASSERT_EQ(DialogSeam::Shown().size(), 1u);
        EXPECT_TRUE(DialogSeam::Shown()[0].Text.startsWith(QLatin1String(c.Error))) << DialogSeam::Shown()[0].Text.toStdString();
        EXPECT_EQ(DialogSeam::Shown()[0].Flags, MB_OK | MB_ICONERROR);
        // The rows read whole stay, and only they.
        EXPECT_EQ(da()->GetRowCount(), std::max(c.DA_Rows, 1) + 1);
        EXPECT_EQ(da()->GetCellEx(cReference, 1), c.DA_Rows ? "r1" : "");
        EXPECT_EQ(ds()->GetRowCount(), std::max(c.DataSet_Rows, 1) + 1);
        EXPECT_EQ(Integer(form->List_DataSet.size()), c.DataSet_Rows);

        // OK asks before replacing the file; No keeps it.
        DialogSeam::Clear();
        DialogSeam::QueueAnswer(IDNO);
        TestInput::Click(form->Btn_OK);
        ASSERT_EQ(DialogSeam::Shown().size(), 1u);
        EXPECT_EQ(DialogSeam::Shown()[0].Flags, MB_YESNO | MB_ICONWARNING);
        EXPECT_EQ(form->ModalResult(), mrNone);
        EXPECT_EQ(Read_Bytes(IEC_61850_Client_File), before);
    }
    // Yes replaces it.
    DialogSeam::Clear();
    DialogSeam::QueueAnswer(IDYES);
    TestInput::Click(form->Btn_OK);
    EXPECT_EQ(form->ModalResult(), mrOk);
    TXMLDocument xml;
    ASSERT_TRUE(xml.LoadFromFile(IEC_61850_Client_File));
    EXPECT_EQ(xml.Root().NodeName(), "IEC_68850_Client");

    // A client file or catalogue copy that is not well-formed: the parser's
    // message, and the window opens with what was read before it.
    ASSERT_TRUE(QDir().mkpath(Project_Folder + "/ICD_Catalog"));
    ASSERT_TRUE(QFile::copy(Fixture("broken.icd"), Copy_Of("broken.icd")));
    ASSERT_TRUE(QFile::copy(Fixture("bay.cid"), Copy_Of("bay.cid")));
    for (const QString& text :
         {QStringLiteral("<IEC_68850_Client><List_ICD_Files>"),
          QStringLiteral("<IEC_68850_Client><List_ICD_Files><ICD_File Name=\"B\" FileName=\"bay.cid\"/>"
                         "<ICD_File Name=\"X\" FileName=\"broken.icd\"/></List_ICD_Files>"
                         "<List_DA_Selected>%1</List_DA_Selected></IEC_68850_Client>")
              .arg(da_item.arg("1", "MoltFact=\"1\""))}) {
        Write(IEC_61850_Client_File, text);
        DialogSeam::Clear();
        DialogSeam::QueueAnswer(IDOK);
        form->Hide();
        form->Show();
        ASSERT_EQ(DialogSeam::Shown().size(), 1u);
        EXPECT_FALSE(DialogSeam::Shown()[0].Text.isEmpty());
        EXPECT_EQ(Row(da(), 1), Blank_DA);
    }
    EXPECT_EQ(Devices(), QStringList{"IED_B"});
    DialogSeam::Clear();
}

} // namespace
