// The checks of the request tables' OK: every fault of a read and a write
// row with its message, the rows and texts that pass, the rows that are
// never looked at, and the order of the tables.
#include "BACnetAccessTest.h"

#include "platform/Locale.h"

namespace {

using TCells = std::vector<std::pair<Integer, QString>>;

struct TCheckCase {
    TBACnet_Table Table;
    TCells Cells;
    std::string Message;  // empty: the row passes
};

class BACnetChecks : public TBACnetAccessTest {
protected:
    void SetUp() override
    {
        TBACnetAccessTest::SetUp();
        ParGen_Type("0");
        Open();
    }
    // Row 1 of one table is a valid row changed by the case's cells; the
    // other table is empty. The text of the one box OK shows, or "" when OK
    // passes.
    QString Check(const TCheckCase& c)
    {
        for (Integer r = 1; r <= 2; ++r) {
            Full_Row(form->ACG1, r, QStringList(19, QString()));
            Full_Row(form->ACG2, r, QStringList(23, QString()));
        }
        TExColumnGrid* grid = c.Table == btRead ? form->ACG1 : form->ACG2;
        Full_Row(grid, 1, c.Table == btRead ? Valid_Read_Row() : Valid_Write_Row());
        for (const auto& [col, text] : c.Cells)
            grid->SetCellEx(col, 1, text);
        form->SetModalResult(mrNone);
        const QStringList boxes = Press_OK(c.Message.empty() ? 0 : 1);
        EXPECT_EQ(form->ModalResult(), c.Message.empty() ? mrOk : mrNone);
        if (boxes.size() > 1)
            return QStringLiteral("<%1 boxes>").arg(boxes.size());
        if (!boxes.isEmpty()) {
            EXPECT_EQ(DialogSeam::Shown()[0].Flags, MB_OK | MB_ICONERROR);
        }
        return boxes.value(0);
    }
    void Run(const std::vector<TCheckCase>& cases)
    {
        for (const TCheckCase& c : cases) {
            QString trace = c.Table == btRead ? "read" : "write";
            for (const auto& [col, text] : c.Cells)
                trace += QStringLiteral(" [%1]='%2'").arg(col).arg(text);
            SCOPED_TRACE(trace.toStdString());
            EXPECT_EQ(Check(c), QString::fromStdString(c.Message));
        }
    }
};

const char* const Dest_IP = "!! Destination Address must be in correct form, IP Address plus Port (ex. 192.168.0.15:47808)";

TEST_F(BACnetChecks, EachFaultOfAReadRowShowsItsMessage)
{
    const auto R = [](TCells cells, const char* fault) {
        return TCheckCase{btRead, std::move(cells), fault[0] ? std::string("Error in Read, row 1") + fault : ""};
    };
    const std::vector<TCheckCase> cases = {
        R({}, ""),
        R({{2, "192.168.0.256"}}, "!! IP Address is not correct"),
        R({{2, "192.168.0"}}, "!! IP Address is not correct"),
        R({{3, "Analog Inputs"}}, "!! Object Type is not correct. Select one from the list"),
        R({{3, "127"}}, "!! Object Type is not correct. Select one from the list"),
        R({{3, "1024"}}, "!! Object Type is not correct. Select one from the list"),
        R({{3, "  analog input "}, {5, "present value (85)"}}, ""),
        R({{3, "128"}}, ""),
        R({{3, "1023"}}, ""),
        R({{4, "4294967295"}}, ""),
        R({{4, "4294967296"}}, "!! Instance must be between 0 and 4294967295"),
        R({{4, "-1"}}, "!! Instance must be between 0 and 4294967295"),
        R({{4, ""}}, "!! Instance must be between 0 and 4294967295"),
        R({{5, "Present Value"}}, "!! Property is not correct. Select one from the list"),
        R({{5, "Scale (187)"}}, "!! Property is not correct. Select one from the list"),
        R({{3, "Accumulator"}, {5, "Scale (187)"}}, ""),
        R({{3, "Binary Value"}, {5, "Units (117)"}}, "!! Property is not correct. Select one from the list"),
        R({{3, "Multi-State Input"}, {5, "Number of States (74)"}}, ""),
        R({{3, "200"}, {5, "Number of States (74)"}}, "!! Property is not correct. Select one from the list"),
        R({{3, "200"}, {5, "Units (117)"}}, ""),
        R({{5, "511"}}, "!! Property is not correct. Select one from the list"),
        R({{5, "512"}}, ""),
        R({{5, "4184303"}}, ""),
        R({{5, "4184304"}}, "!! Property is not correct. Select one from the list"),
        R({{6, "256"}}, "!! NByte must be between 0 and 255"),
        R({{6, "4 "}}, "!! NByte must be between 0 and 255"),
        R({{7, "Y"}, {8, "0"}, {9, "1"}, {10, "0"}}, "!! Destination Network must be between 1 and 65535"),
        R({{7, "Y"}, {8, "5"}, {9, "3"}}, "!! Destination Lenght must be 1 or 2 or 6"),
        R({{7, "Y"}, {8, "5"}, {9, "1"}, {10, "256"}}, "!! Destination Address must be between 0 and 255"),
        R({{7, "Y"}, {8, "5"}, {9, "2"}, {10, "0"}}, "!! Destination Address must be between 1 and 65535"),
        R({{7, "Y"}, {8, "5"}, {9, "2"}, {10, "65535"}}, ""),
        R({{7, "Y"}, {8, "5"}, {9, "6"}, {10, "192.168.0.15"}}, Dest_IP),
        R({{7, "Y"}, {8, "5"}, {9, "6"}, {10, " 192.168.0.15:47808 "}}, ""),
        R({{7, "Y"}, {8, "5"}, {9, "M9"}}, "!! Destination Length is Wrong, choose one in List"),
        R({{7, "Y"}, {8, "5"}, {9, ""}}, "!! Destination Length is Wrong, choose one in List"),
        R({{7, "Y"}, {8, "5"}, {9, "M3"}, {10, " 1 , 2 ,3"}}, ""),
        R({{7, "Y"}, {8, "5"}, {9, "m3"}, {10, "1,2,3,"}}, ""),
        R({{7, "Y"}, {8, "5"}, {9, "M3"}, {10, "1,2"}}, "!! Destination Address has too few bytes"),
        R({{7, "Y"}, {8, "5"}, {9, "M3"}, {10, ""}}, "!! Destination Address has too few bytes"),
        R({{7, "Y"}, {8, "5"}, {9, "M3"}, {10, "1,2,3,4"}}, "!! Destination Address has too many bytes"),
        R({{7, "Y"}, {8, "5"}, {9, "M3"}, {10, "1,300,3"}}, "!! Bytes of Destination Address must be between 0 and 255"),
        R({{7, "N"}, {8, "0"}, {9, "M9"}}, ""),
        R({{11, "100000000"}}, ""),
        R({{11, "100000001"}}, "!! Poll Time must be between 0 and 100000000 ms"),
        R({{12, "65536"}}, "!! Max Err must be between 0 and 65535"),
        R({{17, "Y"}, {18, "0,5"}}, ""),
        R({{17, "Y"}, {18, "abc"}}, "!! Molt. Factor must be a valid Float"),
        R({{17, "N"}, {18, "abc"}}, ""),
    };
    Run(cases);
}

TEST_F(BACnetChecks, EachFaultOfAWriteRowShowsItsMessage)
{
    const auto W = [](TCells cells, const char* fault) {
        return TCheckCase{btWrite, std::move(cells), fault[0] ? std::string("Error in Write, row 1") + fault : ""};
    };
    const std::vector<TCheckCase> cases = {
        W({}, ""),
        W({{2, "10.0.0"}}, "!! IP Address is not correct"),
        W({{3, "Analog Input"}}, "!! Object Type is not correct. Select one from the list"),
        W({{3, "Accumulator"}}, "!! Object Type is not correct. Select one from the list"),
        W({{3, "1023"}, {4, ""}}, ""),
        W({{5, "4294967296"}}, "!! Instance must be between 0 and 4294967295"),
        W({{6, "Units (117)"}}, "!! Property is not correct. Select one from the list"),
        W({{6, "600"}, {4, "Boolean"}, {8, "1"}}, ""),
        W({{3, "Positive Integer Value"}}, "!! Data Type is not correct. Aspected Data Type is Unsigned Int"),
        W({{3, "Positive Integer Value"}, {4, " unsigned int "}}, ""),
        W({{3, "Integer Value"}}, "!! Data Type is not correct. Aspected Data Type is Signed Int"),
        W({{3, "Large Analog Value"}}, "!! Data Type is not correct. Aspected Data Type is Double"),
        W({{3, "Binary Output"}}, "!! Data Type is not correct. Aspected Data Type is Enumerated"),
        W({{3, "Multi-State Value"}, {4, "Unsigned Int"}}, ""),
        W({{3, "Life Safety Zone"}}, "!! Data Type is not correct"),
        W({{3, "life safety point"}, {4, ""}}, "!! Data Type is not correct"),
        W({{3, "Life Safety Zone"}, {6, "600"}, {4, "Bit String"}, {8, "120"}}, ""),
        W({{7, "17"}}, "!! Priority must be between 0 and 16"),
        W({{7, "16"}}, ""),
        W({{8, "5"}}, "!! NByte must be between 0 and 4"),
        W({{3, "1000"}, {4, "Boolean"}, {8, "2"}}, "!! NByte must be between 0 and 1"),
        W({{3, "1000"}, {4, "Null"}, {8, "1"}}, "!! NByte must be between 0 and 0"),
        W({{3, "1000"}, {4, "Bit String"}, {8, "121"}}, "!! NByte must be between 0 and 120"),
        W({{3, "1000"}, {4, "Character String"}, {8, "255"}}, ""),
        W({{3, "Large Analog Value"}, {4, "Double"}, {8, "9"}}, "!! NByte must be between 0 and 8"),
        W({{9, "Y"}, {10, "65536"}, {11, "1"}, {12, "1"}}, "!! Destination Network must be between 1 and 65535"),
        W({{9, "y"}, {10, "1"}, {11, "7"}}, "!! Destination Lenght must be 1 or 2 or 6"),
        W({{9, "Y"}, {10, "1"}, {11, "1"}, {12, "x"}}, "!! Destination Address must be between 0 and 255"),
        W({{9, "Y"}, {10, "1"}, {11, "2"}, {12, "65536"}}, "!! Destination Address must be between 1 and 65535"),
        W({{9, "Y"}, {10, "1"}, {11, "6"}, {12, "192.168.0.15:70000"}}, Dest_IP),
        W({{9, "Y"}, {10, "1"}, {11, "M0"}}, "!! Destination Length is Wrong, choose one in List"),
        W({{9, "Y"}, {10, "1"}, {11, "M2"}, {12, "1,2,3"}}, "!! Destination Address has too many bytes"),
        W({{9, "Y"}, {10, "1"}, {11, "M2"}, {12, "1"}}, "!! Destination Address has too few bytes"),
        W({{9, "Y"}, {10, "1"}, {11, "M2"}, {12, "1,-1"}}, "!! Bytes of Destination Address must be between 0 and 255"),
        W({{9, "Y"}, {10, "1"}, {11, "M8"}, {12, "0,1,2,3,4,5,6,255"}}, ""),
        W({{14, "N"}, {15, "soon"}}, ""),
        W({{14, "Y"}, {15, "soon"}}, "!! Poll Time must be between 0 and 100000000"),
        W({{16, "-1"}}, "!! Max Err must be between 0 and 65535"),
        W({{21, "Y"}, {22, "1.5"}}, ""),
        W({{21, "Y"}, {22, ""}}, "!! Molt. Factor must be a valid Float"),
    };
    Run(cases);
}

TEST_F(BACnetChecks, CommaAndPointFactorsPassWhateverTheRegionalSeparator)
{
    for (const char* separator : {".", ","}) {
        SCOPED_TRACE(separator);
        SetRegionalDecimalSeparator(QLatin1String(separator));
        Run({{btRead, {{17, "Y"}, {18, "0,25"}}, ""}, {btWrite, {{21, "Y"}, {22, "2.5"}}, ""}});
    }
    ResetFormatSettings();
}

TEST_F(BACnetChecks, MSTPAddressesAreSlaveIDs)
{
    ParGen_Type("1");
    Open();
    Run({
        {btRead, {{2, "0"}}, ""},
        {btRead, {{2, "254"}}, ""},
        {btRead, {{2, "255"}}, "Error in Read, row 1!! Slave ID must be between 0 and 254"},
        {btRead, {{2, "192.168.0.1"}}, "Error in Read, row 1!! Slave ID must be between 0 and 254"},
        {btWrite, {{2, "12"}}, ""},
        {btWrite, {{2, "-1"}}, "Error in Write, row 1!! Slave ID must be between 0 and 254"},
    });
    // Other link types take any address.
    ParGen_Type("2");
    Open();
    Run({{btRead, {{2, "anything"}}, ""}, {btWrite, {{2, ""}}, ""}});
}

TEST_F(BACnetChecks, DisabledRowsAndRowsPastTheEndAreNotChecked)
{
    QStringList garbage(19, QStringLiteral("garbage"));
    garbage[0] = QStringLiteral("N");
    Full_Row(form->ACG1, 1, garbage);
    garbage[0] = QStringLiteral("y");  // not exactly "Y": disabled
    Full_Row(form->ACG1, 2, garbage);
    garbage[0] = QString();
    Full_Row(form->ACG1, 3, garbage);
    Full_Row(form->ACG1, 4, Valid_Read_Row());
    form->ACG1->SetCellEx(2, 5, " ");  // the table ends here
    Full_Row(form->ACG1, 6, QStringList(19, QStringLiteral("garbage")));
    form->ACG1->SetCellEx(1, 6, "Y");
    // A row below the end is not checked: OK refuses to drop it.
    EXPECT_EQ(Press_OK(1), QStringList{"Error in Read, row 5" + Language_Texts->Strings(1108)});
    Grid_Delete_Row(6, form->ACG1);
    EXPECT_TRUE(Press_OK(0).isEmpty());
    EXPECT_EQ(form->ModalResult(), mrOk);

    // A read fault stops before the write table; the window stays open and
    // nothing is written.
    QFile::remove(BACnet_Master_Access_File);
    form->SetModalResult(mrNone);
    Full_Row(form->ACG1, 4, Valid_Read_Row());
    form->ACG1->SetCellEx(6, 4, "300");
    Full_Row(form->ACG2, 1, Valid_Write_Row());
    form->ACG2->SetCellEx(7, 1, "99");
    EXPECT_EQ(Press_OK(1), QStringList{"Error in Read, row 4!! NByte must be between 0 and 255"});
    EXPECT_EQ(form->ModalResult(), mrNone);
    EXPECT_FALSE(QFile::exists(BACnet_Master_Access_File));
    EXPECT_EQ(form->ACG1->GetCellEx(6, 4), "300");

    form->ACG1->SetCellEx(6, 4, "4");
    EXPECT_EQ(Press_OK(1), QStringList{"Error in Write, row 1!! Priority must be between 0 and 16"});
    EXPECT_FALSE(QFile::exists(BACnet_Master_Access_File));
}

} // namespace
