// The EtherNet/IP scanner rules: loading and writing the rules with their
// configurations, every check with its message, the byte totals, the row
// buttons that carry the configurations along, the import from an EDS file
// and the data-segment editing.
#include "RuleTableFixture.h"

#include <QTimer>

#include "fieldbus/UEtherNetIP_Data_Seg.h"
#include "fieldbus/UEtherNetIP_EDS.h"
#include "fieldbus/UEtherNetIP_Master_Access.h"
#include "grid/ExGrid.h"

namespace {

const QString Good_Row = QStringLiteral("Y|192.168.1.10|0|8|0|8|100|1|100|1|101|Default|Default|N||N||N|a");

struct EtherNetIPRules : RuleTableTest<TFEtherNetIP_Master_Access> {
    void SetUp() override
    {
        RuleTableTest::SetUp();
        FEtherNEtIP_EDS = new TFEtherNEtIP_EDS(nullptr);
        FEtherNEtIP_EDS->AfterConstruction();
        FEtherNetIP_Data_Seg = new TFEtherNetIP_Data_Seg(nullptr);
        FEtherNetIP_Data_Seg->AfterConstruction();
    }
    void TearDown() override
    {
        delete FEtherNEtIP_EDS;
        delete FEtherNetIP_Data_Seg;
        RuleTableTest::TearDown();
    }
    static QString Eds(const char* name)
    {
        return QStringLiteral(TEST_DATA_DIR "/fieldbus/ethernetip/") + QLatin1String(name);
    }
    // Import EDS with the file chosen, the reader's row picked and OK (or
    // Cancel) pressed in it; returns the boxes shown.
    QStringList Import(const char* file, Integer reader_row, bool ok = true, Integer boxes = 0)
    {
        DialogSeam::Clear();
        DialogSeam::QueueFileName(Eds(file));
        for (Integer i = 0; i < boxes; ++i)
            DialogSeam::QueueAnswer(IDOK);
        QTimer::singleShot(0, [=] {
            FEtherNEtIP_EDS->ACG->SetRowEx(reader_row);
            TestInput::Click(ok ? FEtherNEtIP_EDS->Btn_OK : FEtherNEtIP_EDS->Btn_Cancel);
        });
        TestInput::Click(form->Btn_Import_EDS);
        QStringList texts;
        for (const TShownDialog& d : DialogSeam::Shown())
            if (d.Kind == TShownDialog::MessageBox)
                texts << d.Text;
        return texts;
    }
    TTargetConfig* Config(Integer row) const { return form->ArrTargetConf[size_t(row - 1)].get(); }
};

TEST_F(EtherNetIPRules, OpensTheRulesWithTheirConfigurationsAndOKWritesThemBack)
{
    Copy_Fixture(QStringLiteral("ethernetip"), QStringLiteral("EtherNetIP_Master_Rules.xml"));
    Open();
    TExColumnGrid* g = form->ACG;
    EXPECT_EQ(g->GetRowCount(), 11);
    EXPECT_EQ(g->GetColCount(), 20);
    EXPECT_EQ(form->ClientWidth(), 1180);
    EXPECT_EQ(form->Num_Byte_In, 1438);
    EXPECT_EQ(Row(g, 2), "N|192.168.1.21|8|4|8|2|50|1|100|1|101|0|4|N||N||Y|");
    EXPECT_EQ(Row(g, 3), "Y||||||||||||||||||");
    ASSERT_NE(Config(1), nullptr);
    EXPECT_EQ(Config(1)->ListParamObject.size(), 2u);
    EXPECT_EQ(Config(1)->ListParamObject[0].EnumString, QStringList({"Off", "On", "Auto"}));
    EXPECT_EQ(Config(2), nullptr);
    EXPECT_EQ(form->Btn_Import_EDS->Caption(), "Import EDS");
    EXPECT_EQ(Header_Hint(g, 0, 17), Lang(4168));
    Screenshot("TFEtherNetIP_Master_Access");

    const QByteArray written = Read_Bytes(EtherNetIP_Master_Rules_File);
    OK_Passes();
    EXPECT_EQ(Read_Bytes(EtherNetIP_Master_Rules_File), written);
    // OK lets the configurations go.
    EXPECT_EQ(Config(1), nullptr);
}

TEST_F(EtherNetIPRules, MissingAttributesTakeTheirDefaultsAndABrokenConfigurationStopsTheLoading)
{
    Write(QStringLiteral("EtherNetIP_Master_Rules.xml"),
          QStringLiteral("<EtherNetIP_Master_Access><row IP_Address=\"10.0.0.1\"/>"
                         "<row IP_Address=\"10.0.0.2\"><TargetCong FileName=\"a.eds\" Size=\"1\" Format=\"Assem1\" "
                         "AO_Name=\"x\" AO_SizeBit=\"8\"><ParamObjects><ParamObject BitSize=\"8\" ParamName=\"Param1\" "
                         "Name=\"n\" DataSizeByte=\"one\" DataType=\"1\" Min=\"0\" Max=\"1\" Default=\"0\" Value=\"0\" "
                         "Enum=\"0\"/></ParamObjects></TargetCong></row>"
                         "<row IP_Address=\"10.0.0.3\"/></EtherNetIP_Master_Access>"));
    const QString box = Open_Fails();
    EXPECT_TRUE(box.contains(QLatin1String("DataSizeByte"))) << box.toStdString();
    EXPECT_EQ(Row(form->ACG, 1), "N|10.0.0.1||||||||||Default|Default|N||N||N|");
    EXPECT_EQ(form->ACG->GetCellEx(2, 2), "10.0.0.2");
    EXPECT_EQ(Config(2), nullptr);
    // The row after the broken configuration is not loaded.
    EXPECT_EQ(Row(form->ACG, 3), "Y||||||||||||||||||");
}

TEST_F(EtherNetIPRules, EveryCheckRefusesItsFaultWithTheRowItIsIn)
{
    // The good row with some cells changed.
    auto with = [](std::initializer_list<std::pair<Integer, QString>> changes) {
        QStringList cells = Good_Row.split(u'|');
        for (const auto& [col, text] : changes)
            cells[col - 1] = text;
        return cells.join(u'|');
    };
    QStringList bytes510;
    for (int i = 0; i < 510; ++i)
        bytes510 << "0x" + QString::number(i % 256, 16);
    const QString bytes511 = (bytes510 + QStringList{"0"}).join(u',');
    Check_Row_Cases(form->ACG, Good_Row, EtherNetIP_Master_Rules_File, 4131,
                    {
                        {"good", Good_Row, ""},
                        {"IP", with({{2, "192.168.1"}}), Lang(4132)},
                        {"start input", with({{3, "-1"}}), Lang(4133)},
                        {"num input", with({{4, "65536"}}), Lang(4134)},
                        {"start output", with({{5, ""}}), Lang(4135)},
                        {"num output", with({{6, "x"}}), Lang(4136)},
                        {"poll 0", with({{7, "0"}}), Lang(4137)},
                        {"poll max", with({{7, "100000000"}}), ""},
                        {"instance T>O", with({{8, "65536"}}), Lang(4145)},
                        {"point T>O", with({{9, "-2"}}), Lang(4151)},
                        {"instance O>T", with({{10, ""}}), Lang(4146)},
                        {"point O>T", with({{11, "70000"}}), Lang(4152)},
                        {"header lower case", with({{12, " default "}}), ""},
                        {"header 7", with({{12, "7"}}), ""},
                        {"header T>O 8", with({{12, "8"}}), Lang(4157)},
                        {"header O>T 8", with({{13, "8"}}), Lang(4158)},
                        {"key off is not tested", with({{15, "nonsense"}}), ""},
                        {"key of 7 bytes", with({{14, "Y"}, {15, "1,2,3,4,5,6,7"}}), Lang(4170)},
                        {"key empty", with({{14, "y"}}), Lang(4171)},
                        {"key byte 256", with({{14, "Y"}, {15, "1,2,3,4,5,6,7,256"}}), Lang(4169)},
                        {"key byte 0x100", with({{14, "Y"}, {15, "1,2,3,4,5,6,7,0x100"}}), Lang(4169)},
                        {"key good", with({{14, "Y"}, {15, " 0x01, 0x00,12,0,42,0,0x83,1 "}}), ""},
                        {"segment empty", with({{16, "Y"}}), Lang(4174)},
                        {"segment 511", with({{16, "Y"}, {17, bytes511}}), Lang(4173)},
                        {"segment 510", with({{16, "Y"}, {17, bytes510.join(u',')}}), ""},
                        {"segment byte", with({{16, "Y"}, {17, "1,,2"}}), Lang(4172)},
                    });
}

TEST_F(EtherNetIPRules, TotalsAndTheWalkOverDisabledRows)
{
    QStringList big = Good_Row.split(u'|');
    big[3] = "1000";
    const QString row_in = big.join(u'|');
    big[3] = "8";
    big[5] = "1000";
    const QString row_out = big.join(u'|');
    for (const auto& [row, text] : {std::pair{row_in, 4138}, std::pair{row_out, 4139}}) {
        Open();
        Set_Row(form->ACG, 1, row);
        Set_Row(form->ACG, 2, row);
        EXPECT_EQ(OK_Fails(), Lang(text) + "1438");
        // Disabled, the same rows are not counted.
        form->ACG->SetCellEx(1, 2, "N");
        OK_Passes();
    }

    // A disabled row without IP does not end the check, but would end the
    // file: OK refuses to drop the rows below it, naming it.
    Open();
    Set_Row(form->ACG, 1, Good_Row);
    Set_Row(form->ACG, 2, "N||");
    Set_Row(form->ACG, 3, QString(Good_Row).replace("|100|", "|0|"));
    EXPECT_EQ(OK_Fails(), Lang(4131) + "3" + Lang(4137));
    form->ACG->SetCellEx(7, 3, "100");
    EXPECT_EQ(OK_Fails(), Lang(4131) + "2" + Lang(1108));
    Grid_Delete_Row(2, form->ACG);
    OK_Passes();
    Open();
    EXPECT_EQ(form->ACG->GetCellEx(2, 1), "192.168.1.10");
    EXPECT_EQ(form->ACG->GetCellEx(2, 2), "192.168.1.10");
    EXPECT_EQ(form->ACG->GetCellEx(2, 3), "");
}

TEST_F(EtherNetIPRules, RowButtonsCarryTheConfigurationsWithTheirRows)
{
    Copy_Fixture(QStringLiteral("ethernetip"), QStringLiteral("EtherNetIP_Master_Rules.xml"));
    Open();
    TExColumnGrid* g = form->ACG;
    TTargetConfig* first = Config(1);
    Select(g, 1);
    TestInput::Click(form->Btn_InsRow);
    EXPECT_EQ(Config(1), nullptr);
    EXPECT_EQ(Config(2), first);
    EXPECT_EQ(g->GetCellEx(1, 1), "Y");
    EXPECT_EQ(g->GetCellEx(2, 2), "192.168.1.20");

    Select(g, 1);
    EXPECT_EQ(Delete(IDNO), Lang(4140) + "1");
    EXPECT_EQ(Config(2), first);
    EXPECT_EQ(Delete(IDYES), Lang(4140) + "1");
    EXPECT_EQ(Config(1), first);
    EXPECT_EQ(g->GetCellEx(2, 1), "192.168.1.20");

    // Deleting its row lets the configuration go; inserting pushes the last
    // one out.
    Select(g, 10);
    form->ArrTargetConf[9] = std::make_unique<TTargetConfig>();
    TestInput::Click(form->Btn_InsRow);
    EXPECT_EQ(Config(10), nullptr);
    Select(g, 1);
    EXPECT_EQ(Delete(IDYES), Lang(4140) + "1");
    for (Integer r = 1; r <= 10; ++r)
        EXPECT_EQ(Config(r), nullptr) << r;

    // A pasted row has the text of its data segment, not its configuration.
    Open();
    Select(g, 1);
    TestInput::Click(form->Btn_CopyRow);
    Select(g, 3);
    TestInput::Click(form->Btn_PasteRow);
    EXPECT_EQ(g->GetCellEx(17, 3), "0x01,0x64,0x00,0x00,0x00");
    EXPECT_EQ(Config(3), nullptr);
}

TEST_F(EtherNetIPRules, ImportsATargetFromItsEDSFile)
{
    Open();
    TExColumnGrid* g = form->ACG;
    Set_Row(g, 1, Good_Row);
    // Row 2 has only an instance: not free either.
    g->SetCellEx(8, 2, "5");
    g->SetCellEx(16, 3, "Y");
    g->SetCellEx(19, 3, "kept");
    EXPECT_TRUE(Import("device.eds", 1).isEmpty());
    // Instances, connection points and header sizes from the reader, the
    // key from the identity, the data segment from the configuration; the
    // rest of the row as it was.
    const QString key = "0x01, 0x00, 0x0C, 0x00, 0x2A, 0x00, 0x83, 0x01";
    EXPECT_EQ(Row(g, 3), "Y|||||||100|100|100|150|Default|Default||" + key + "|Y|0x01,0x64,0x00,0x00,0x00||kept");
    ASSERT_NE(Config(3), nullptr);
    EXPECT_EQ(Config(3)->FileName, Eds("device.eds"));
    EXPECT_EQ(Config(3)->Format, "Assem100");
    EXPECT_EQ(Config(3)->ListParamObject.size(), 2u);

    // The second connection has no configuration: the row gets none.
    EXPECT_TRUE(Import("device.eds", 2).isEmpty());
    EXPECT_EQ(Row(g, 4), "Y|||||||100|101|100|151|1|3||" + key + "||||");
    EXPECT_EQ(Config(4), nullptr);

    // A configuration that does not decode: the cells stay, no configuration.
    const QStringList boxes = Import("config.eds", 3, true, 1);
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_TRUE(boxes[0].contains(QLatin1String("Param4"))) << boxes[0].toStdString();
    EXPECT_EQ(g->GetCellEx(8, 5), "3");
    EXPECT_EQ(g->GetCellEx(17, 5), "");
    EXPECT_EQ(Config(5), nullptr);

    // Cancelled in the reader or in the file dialog: nothing changes.
    EXPECT_TRUE(Import("device.eds", 1, false).isEmpty());
    DialogSeam::Clear();
    DialogSeam::QueueCancel();
    TestInput::Click(form->Btn_Import_EDS);
    EXPECT_EQ(g->GetCellEx(8, 6), "");

    // No free row: nothing happens, nothing is shown.
    for (Integer r = 6; r <= 10; ++r)
        g->SetCellEx(2, r, "10.0.0." + QString::number(r));
    const QString before = Row(g, 10);
    EXPECT_TRUE(Import("device.eds", 1).isEmpty());
    EXPECT_EQ(Row(g, 10), before);
}

TEST_F(EtherNetIPRules, ARevisionOf128GivesAKeyByteTheCheckRefuses)
{
    QTemporaryDir eds_dir;
    const QString file = eds_dir.filePath("rev.eds");
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[Device]\nMajRev = 128;\n[Connection Manager]\n"
                "Connection1 = 0,0,,,,,,,,,,,\"a\",\"\",\"20 04 24 01 2C 96 2C 64\";\n");
    }
    Open();
    DialogSeam::QueueFileName(file);
    QTimer::singleShot(0, [] { TestInput::Click(FEtherNEtIP_EDS->Btn_OK); });
    TestInput::Click(form->Btn_Import_EDS);
    EXPECT_EQ(form->ACG->GetCellEx(15, 1), "0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x100, 0x00");
    Set_Row(form->ACG, 1, "Y|10.0.0.1|0|1|0|1|10");
    form->ACG->SetCellEx(14, 1, "Y");
    EXPECT_EQ(OK_Fails(), Lang(4131) + "1" + Lang(4169));
}

TEST_F(EtherNetIPRules, ADoubleClickOnTheDataSegmentEditsACopyOfTheConfiguration)
{
    Copy_Fixture(QStringLiteral("ethernetip"), QStringLiteral("EtherNetIP_Master_Rules.xml"));
    Open();
    TExColumnGrid* g = form->ACG;
    const QString before = g->GetCellEx(17, 1);
    // Cancel: nothing changes.
    QTimer::singleShot(0, [] {
        FEtherNetIP_Data_Seg->ESG_DataSeg->SetCells(4, 2, "999");
        TestInput::Click(FEtherNetIP_Data_Seg->Btn_Cancel);
    });
    form->ACGDblClickCell(g, 1, 17);
    EXPECT_EQ(g->GetCellEx(17, 1), before);
    EXPECT_EQ(Config(1)->ListParamObject[1].Value, 100);
    EXPECT_EQ(FEtherNetIP_Data_Seg->TC, nullptr);

    QTimer::singleShot(0, [] {
        EXPECT_EQ(FEtherNetIP_Data_Seg->ESG_DataSeg->Cells(4, 1), "On");
        FEtherNetIP_Data_Seg->ESG_DataSeg->SetCells(4, 2, "0x3E8");
        TestInput::Click(FEtherNetIP_Data_Seg->Btn_OK);
    });
    g->OnDblClickCell(g, 1, 17);
    EXPECT_EQ(g->GetCellEx(17, 1), "0x01,0xE8,0x03,0x00,0x00");
    EXPECT_EQ(Config(1)->ListParamObject[1].Value, 1000);

    // A row without configuration opens nothing.
    form->ACGDblClickCell(g, 2, 17);
    EXPECT_FALSE(FEtherNetIP_Data_Seg->Showing());
}

} // namespace
