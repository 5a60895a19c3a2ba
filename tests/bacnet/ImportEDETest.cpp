// The EDE import: the objects read from files of several layouts, the
// dialog's marks, address checks and buttons, and the request rows the
// tables get from the marked objects, at the next free rows and positions.
#include "BrokenFiles.h"
#include "BACnetAccessTest.h"

#include "platform/StdControls.h"
#include "platform/Streams.h"
#include "platform/StringList.h"

#include <QTimer>
#include <functional>

#include "Screenshot.h"

namespace {

struct TExpectedVar {
    const char* Name;
    Integer Type;
    Integer Instance;
    const char* Description;
    bool Commandable;
};

class ImportEDE : public TBACnetAccessTest {
protected:
    static QString File(const char* name) { return Data(QStringLiteral("bacnet/ede-import/") + name); }

    // Presses Import EDE, picks the file and, while the import dialog is
    // shown, runs in_dialog (which closes it).
    void Import(const QString& file, const std::function<void(TFImportEDEFile*)>& in_dialog)
    {
        DialogSeam::QueueFileName(file);
        QTimer::singleShot(0, [in_dialog] { in_dialog(FImportEDEFile); });
        TestInput::Click(form->Btn_Import_CSV);
    }
    static void Press_OK(TFImportEDEFile* d, const QString& address)
    {
        d->E_ID_IP->SetText(address);
        TestInput::Click(d->Btn_OK);
    }
    // Ticks or unticks a check box of the dialog's grid as a user does.
    static void Click_Cell(TFImportEDEFile* d, Integer col, Integer row)
    {
        const TRect r = d->ACG->CellRect(col, row);
        TestInput::Click(d->ACG, TPoint{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2});
    }
};

TEST_F(ImportEDE, ObjectLinesFollowTheLastMarkerOrTheTemplatesOwn)
{
    struct Case {
        const char* File;
        std::vector<TExpectedVar> Vars;
    } const cases[] = {
        // Marker on line 7: objects from line 9; the device, the trend log,
        // the blank line and a later marker are skipped.
        {"template.csv",
         {{"Supply temp", 0, 1, "Boiler supply temperature", false},
          {"Setpoint", 2, 3, "Supply setpoint", true},
          {"Pump", 4, 2, "", true},
          {"Smoke", 21, 4, "Smoke detector", true},
          {"Energy", 46, 5, "Energy meter", false}}},
        // Marker on line 3: objects from line 5. A short line's last text
        // reaches only the last field, so its instance is no number.
        {"early-marker.csv",
         {{"Early", 5, 9, "Found after an early marker", false}, {"Few columns", 2, -1, "", false}}},
        // Two markers, neither on line 7: the later one counts.
        {"two-markers.csv", {{"After second", 1, 2, "", false}, {"Short", 3, 3, "desc", false}}},
        {"no-marker.csv", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.File);
        TStringList lines;
        ASSERT_TRUE(lines.LoadFromFile(File(c.File)));
        const auto vars = Parse_EDE_Lines(lines);
        ASSERT_EQ(vars.size(), c.Vars.size());
        for (size_t i = 0; i < vars.size(); ++i) {
            const TBACnet_Var& v = *vars[i];
            const TExpectedVar& e = c.Vars[i];
            EXPECT_EQ(v.object_name, QLatin1String(e.Name));
            EXPECT_EQ(v.object_type, e.Type);
            EXPECT_EQ(v.object_instance, e.Instance);
            EXPECT_EQ(v.description, QLatin1String(e.Description));
            EXPECT_EQ(v.commandable, e.Commandable);
            EXPECT_TRUE(v.import);
            EXPECT_TRUE(v.read);
            EXPECT_EQ(v.write, e.Commandable);
        }
    }
    TStringList lines;
    ASSERT_TRUE(lines.LoadFromFile(File("template.csv")));
    const auto vars = Parse_EDE_Lines(lines);
    EXPECT_EQ(vars[1]->keyname, "AV_1");
    EXPECT_EQ(vars[1]->device_obj_instance, 1001);
    EXPECT_EQ(vars[1]->present_value_default, "20");
    EXPECT_EQ(vars[1]->max_present_value, "90");
    EXPECT_EQ(vars[1]->unit_code, "62");
    EXPECT_EQ(vars[1]->vendor_specific_address, "0x10");
    EXPECT_TRUE(vars[0]->support_COV);
}

TEST_F(ImportEDE, EmptyTruncatedAndRandomFilesGiveOnlyTheObjectsTheyHoldWhole)
{
    QFile intact(File("template.csv"));
    ASSERT_TRUE(intact.open(QIODevice::ReadOnly));
    const QByteArray bytes = intact.readAll();
    TStringList all;
    ASSERT_TRUE(all.LoadFromFile(File("template.csv")));
    const auto whole = Parse_EDE_Lines(all);
    for (const TBrokenFile& b : BrokenFiles(bytes)) {
        SCOPED_TRACE(b.Name);
        TMemoryStream stream;
        stream.WriteBuffer(b.Bytes);
        stream.SetPosition(0);
        TStringList lines;
        lines.LoadFromStream(&stream);
        const auto vars = Parse_EDE_Lines(lines);
        ASSERT_LE(vars.size(), whole.size());
        // Every object but a cut last line is the intact file's own.
        for (size_t i = 0; i + 1 < vars.size(); ++i)
            EXPECT_EQ(vars[i]->object_name, whole[i]->object_name);
        if (QByteArray(b.Name) != "truncated")
            EXPECT_TRUE(vars.empty());
    }
}

TEST_F(ImportEDE, ObjectTypesGiveTheirRowTexts)
{
    struct Case {
        Integer Type;
        const char* Object_Type;
        const char* Data_Type;
        Integer NByte;
    } const cases[] = {
        {0, "Analog Input", "Real", 4},           {2, "Analog Value", "Real", 4},
        {5, "Binary Value", "Enumerated", 1},     {14, "Multi-State Output", "Unsigned Int", 4},
        {22, "Life Safety Zone", "Enumerated", 2}, {23, "Accumulator", "Unsigned Int", 4},
        {45, "Integer Value", "Signed Int", 4},   {46, "Large Analog Value", "Double", 8},
        {48, "Positive Integer Value", "Unsigned Int", 4}, {8, "", "Null", 4},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TFBACnetAccess::Get_ObjType_EDE(c.Type), QLatin1String(c.Object_Type)) << c.Type;
        EXPECT_EQ(TFBACnetAccess::Get_DataType_EDE(c.Type), QLatin1String(c.Data_Type)) << c.Type;
        EXPECT_EQ(TFBACnetAccess::Get_NumByte_EDE(c.Type), c.NByte) << c.Type;
        EXPECT_EQ(EDE_Type_Kept(c.Type), c.Type != 8) << c.Type;
    }
}

TEST_F(ImportEDE, MarkedObjectsBecomeRowsAtTheNextFreeRowsAndPositions)
{
    ParGen_Type("0");
    Open();
    Row(form->ACG1, 1, {{2, "192.168.0.1"}, {6, "4"}, {13, "0"}});
    Row(form->ACG1, 2, {{2, "192.168.0.1"}, {6, "2"}, {13, "10"}});
    Row(form->ACG1, 3, {{2, "192.168.0.1"}, {6, "4"}, {13, "4"}});
    Row(form->ACG1, 4, {{17, "Y"}, {18, "2.5"}});  // kept by the import
    Row(form->ACG2, 1, {{21, "Y"}, {22, "3"}});

    bool shown = false;
    Import(File("template.csv"), [&](TFImportEDEFile* d) {
        shown = true;
        EXPECT_EQ(d->App_BACnet_Type, 0);
        EXPECT_EQ(d->EDE_File, File("template.csv"));
        EXPECT_EQ(d->ACG->RowCount(), 6);
        EXPECT_EQ(Cells(d->ACG, 2),
                  (QStringList{"Y", "Y", "Y", "Setpoint", "2", "3", "Supply setpoint", "Y"}));
        EXPECT_EQ(d->ACG->GetCellEx(3, 1), "N");
        d->SetClientSize(863, 337);
        EXPECT_FALSE(testsupport::SaveScreenshot(GrabControl(d), "TFImportEDEFile").isEmpty());
        Press_OK(d, "192.168.0.20");
    });
    ASSERT_TRUE(shown);
    const QString folder = QFileInfo(File("template.csv")).absolutePath();
    EXPECT_EQ(Last_EDE_Folder, folder);
    EXPECT_EQ(form->OD_EDE_File->InitialDir(), folder);
    ASSERT_FALSE(DialogSeam::Shown().empty());
    EXPECT_EQ(DialogSeam::Shown()[0].Filter, "BACnet EDE File (*.csv)|*.csv");

    // Read rows from row 4, positions from 10 + 2.
    EXPECT_EQ(Cells(form->ACG1, 4),
              (QStringList{"Y", "192.168.0.20", "Analog Input", "1", "Present Value (85)", "4", "N", "", "", "",
                           "1000", "0", "12", "0", "N", "", "Y", "2.5",
                           "Supply temp - Boiler supply temperature"}));
    const char* const names[] = {"Setpoint - Supply setpoint", "Pump - ", "Smoke - Smoke detector",
                                 "Energy - Energy meter"};
    const char* const positions[] = {"16", "20", "21", "23"};
    for (Integer i = 0; i < 4; ++i) {
        EXPECT_EQ(form->ACG1->GetCellEx(19, 5 + i), QLatin1String(names[i]));
        EXPECT_EQ(form->ACG1->GetCellEx(13, 5 + i), QLatin1String(positions[i]));
    }
    EXPECT_EQ(form->ACG1->GetCellEx(2, 9), "");

    // Write rows for the commandable objects, from row 1 and position 0.
    EXPECT_EQ(Cells(form->ACG2, 1),
              (QStringList{"Y", "192.168.0.20", "Analog Value", "Real", "3", "Present Value (85)", "0", "4", "N", "",
                           "", "", "N", "N", "1000", "0", "0", "0", "N", "", "Y", "3",
                           "Setpoint - Supply setpoint"}));
    EXPECT_EQ(form->ACG2->GetCellEx(3, 2), "Binary Output");
    EXPECT_EQ(form->ACG2->GetCellEx(4, 2), "Enumerated");
    EXPECT_EQ(form->ACG2->GetCellEx(17, 2), "4");
    EXPECT_EQ(form->ACG2->GetCellEx(8, 3), "2");
    EXPECT_EQ(form->ACG2->GetCellEx(17, 3), "5");
    EXPECT_EQ(form->ACG2->GetCellEx(2, 4), "");

    // The imported read rows pass; the life safety write row does not.
    Row(form->ACG1, 1, {{3, "Analog Input"}, {4, "1"}, {5, "Present Value (85)"}, {11, "1000"}, {12, "0"}});
    Row(form->ACG1, 2, {{1, "N"}});
    Row(form->ACG1, 3, {{1, "N"}});
    Row(form->ACG2, 1, {{21, "N"}});
    EXPECT_EQ(TBACnetAccessTest::Press_OK(1), QStringList{"Error in Write, row 3!! Data Type is not correct"});
}

TEST_F(ImportEDE, MarksChosenInTheDialogDecideWhatIsImported)
{
    ParGen_Type("1");
    Open();
    Import(File("template.csv"), [](TFImportEDEFile* d) {
        // Write on a read-only object is refused and unticked again.
        DialogSeam::Clear();
        DialogSeam::QueueAnswer(IDOK);
        Click_Cell(d, 3, 1);
        ASSERT_EQ(Boxes(), QStringList{"Error line 1!! The Variable is only in read"});
        EXPECT_EQ(d->ACG->GetCellEx(3, 1), "N");
        EXPECT_FALSE(d->List_EDE_Var[0]->write);
        // Read off for the setpoint, write off for the pump.
        Click_Cell(d, 2, 2);
        Click_Cell(d, 3, 3);
        EXPECT_FALSE(d->List_EDE_Var[1]->read);
        EXPECT_FALSE(d->List_EDE_Var[2]->write);
        // Unselect All, then Select All: every object is imported again.
        TestInput::Click(d->Btn_Unselect_All);
        EXPECT_EQ(d->ACG->GetCellEx(1, 5), "N");
        EXPECT_FALSE(d->List_EDE_Var[4]->import);
        TestInput::Click(d->Btn_Select_All);
        EXPECT_EQ(d->ACG->GetCellEx(1, 5), "Y");
        // MS/TP: the address is a slave ID 0 to 254.
        DialogSeam::Clear();
        DialogSeam::QueueAnswer(IDOK);
        Press_OK(d, "255");
        EXPECT_EQ(Boxes(), QStringList{"Error!! Slave ID must be between 0 and 254"});
        EXPECT_EQ(d->ModalResult(), mrNone);
        Press_OK(d, "12");
    });
    QStringList read_names, write_names;
    for (Integer r = 1; r <= 6; ++r) {
        read_names << form->ACG1->GetCellEx(19, r).section(" - ", 0, 0);
        write_names << form->ACG2->GetCellEx(23, r).section(" - ", 0, 0);
    }
    EXPECT_EQ(read_names, (QStringList{"Supply temp", "Pump", "Smoke", "Energy", "", ""}));
    EXPECT_EQ(write_names, (QStringList{"Setpoint", "Smoke", "", "", "", ""}));
    EXPECT_EQ(form->ACG1->GetCellEx(2, 3), "12");
    EXPECT_EQ(form->ACG2->GetCellEx(2, 2), "12");

    // The next opening shows the file's marks again and keeps the address.
    Import(File("template.csv"), [](TFImportEDEFile* d) {
        EXPECT_EQ(d->ACG->GetCellEx(2, 2), "Y");
        EXPECT_TRUE(d->List_EDE_Var[2]->write);
        EXPECT_EQ(d->E_ID_IP->Text(), "12");
        TestInput::Click(d->Btn_Unselect_All);
        TestInput::Click(d->Btn_OK);
    });
    EXPECT_EQ(form->ACG1->GetCellEx(2, 5), "");  // nothing imported
}

TEST_F(ImportEDE, NothingIsImportedWithoutAFileAnAddressOrAnOK)
{
    ParGen_Type("0");
    Open();
    // Cancelled file dialog: nothing happens, the folder stays.
    DialogSeam::QueueCancel();
    TestInput::Click(form->Btn_Import_CSV);
    EXPECT_EQ(Last_EDE_Folder, "");

    // A file that does not exist: no import dialog, the folder is kept.
    DialogSeam::QueueFileName(Out("missing.csv"));
    TestInput::Click(form->Btn_Import_CSV);
    EXPECT_EQ(Last_EDE_Folder, Project_Folder);

    // A wrong IP address keeps the dialog open; Cancel imports nothing.
    Import(File("template.csv"), [](TFImportEDEFile* d) {
        DialogSeam::Clear();
        DialogSeam::QueueAnswer(IDOK);
        Press_OK(d, "192.168.0");
        EXPECT_EQ(Boxes(), QStringList{"Error!! IP Address is not correct"});
        EXPECT_EQ(d->ModalResult(), mrNone);
        TestInput::Click(d->Btn_Cancel);
    });
    EXPECT_EQ(form->ACG1->GetCellEx(2, 1), "");

    // No marker: an empty list with one blank row; OK imports nothing.
    Import(File("no-marker.csv"), [](TFImportEDEFile* d) {
        EXPECT_EQ(d->ACG->RowCount(), 2);
        EXPECT_EQ(d->ACG->GetCellEx(4, 1), "");
        Press_OK(d, "10.0.0.1");
    });
    EXPECT_EQ(form->ACG1->GetCellEx(2, 1), "");

    // Shorter than the template's header: said so, nothing imported.
    DialogSeam::Clear();
    DialogSeam::QueueAnswer(IDOK);
    Import(File("short.csv"), [](TFImportEDEFile* d) {
        EXPECT_TRUE(d->List_EDE_Var.empty());
        Press_OK(d, "10.0.0.1");
    });
    EXPECT_EQ(Boxes(), QStringList{"Error!! The file is not a BACnet EDE file"});
    EXPECT_EQ(form->ACG1->GetCellEx(2, 1), "");
}

TEST_F(ImportEDE, TheImportStopsAtTheTablesLastRow)
{
    ParGen_Type("0");
    Open();
    for (Integer r = 1; r <= 510; ++r)
        Row(form->ACG1, r, {{2, "10.0.0.1"}});
    for (Integer r = 1; r <= 512; ++r)
        Row(form->ACG2, r, {{2, "10.0.0.1"}});
    DialogSeam::QueueAnswer(IDOK);
    Import(File("template.csv"), [](TFImportEDEFile* d) { Press_OK(d, "10.0.0.2"); });
    EXPECT_EQ(Boxes(), QStringList{"Error!! The tables are full: not every selected object was imported"});
    EXPECT_EQ(form->ACG1->GetCellEx(19, 511), "Supply temp - Boiler supply temperature");
    EXPECT_EQ(form->ACG1->GetCellEx(19, 512), "Setpoint - Supply setpoint");
    EXPECT_EQ(form->ACG2->GetCellEx(2, 512), "10.0.0.1");

    // With the address column hidden the Object Type column finds the free
    // rows: a request without an address is not overwritten.
    ParGen_Type("2");
    Open();
    Row(form->ACG1, 1, {{3, "Analog Input"}, {13, "0"}, {6, "4"}});
    Import(File("template.csv"), [](TFImportEDEFile* d) { Press_OK(d, "any"); });
    EXPECT_EQ(form->ACG1->GetCellEx(3, 1), "Analog Input");
    EXPECT_EQ(form->ACG1->GetCellEx(2, 1), "");
    EXPECT_EQ(form->ACG1->GetCellEx(2, 2), "any");
    EXPECT_EQ(form->ACG1->GetCellEx(13, 2), "4");
}

} // namespace
