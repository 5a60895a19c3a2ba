#pragma once
// A configuration folder with the BACnet request tables and the EDE import
// dialog made as at program start, opened as step 4 opens them.

#include "bacnet/UBACnetAccess.h"
#include "bacnet/UImportEDEFile.h"

#include "DescriptionFileTest.h"

#include "controls/FxButton.h"
#include "grid/columns/ExColumnGrid.h"
#include "platform/TestHooks.h"

#include <initializer_list>
#include <utility>

class TBACnetAccessTest : public TDescriptionFileTest {
protected:
    void SetUp() override
    {
        TDescriptionFileTest::SetUp();
        DialogSeam::Clear();
        Last_EDE_Folder.clear();
        Application->CreateForm(FBACnetAccess);
        Application->CreateForm(FImportEDEFile);
        form = FBACnetAccess;
    }
    void TearDown() override
    {
        delete FImportEDEFile;
        delete FBACnetAccess;
        EXPECT_EQ(DialogSeam::PendingAnswers(), 0);
        TDescriptionFileTest::TearDown();
    }

    void ParGen_Type(const QString& type)
    {
        Write(ParGen_File, ("<Par_Gen><BACnet_Master_Type>" + type + "</BACnet_Master_Type></Par_Gen>").toUtf8());
    }
    // Opens the window as the main window's step does (without the modal loop).
    void Open()
    {
        form->Hide();
        form->SetModalResult(mrNone);
        form->Show();
    }
    // Writes cells of a row: {real column, text} pairs.
    static void Row(TExColumnGrid* grid, Integer row, std::initializer_list<std::pair<Integer, QString>> cells)
    {
        for (const auto& [c, text] : cells)
            grid->SetCellEx(c, row, text);
    }
    // A whole row from its columns 1 on.
    static void Full_Row(TExColumnGrid* grid, Integer row, const QStringList& cells)
    {
        for (qsizetype i = 0; i < cells.size(); ++i)
            grid->SetCellEx(Integer(i) + 1, row, cells[i]);
    }
    // Columns 1 on of a row.
    static QStringList Cells(TExColumnGrid* grid, Integer row)
    {
        QStringList cells;
        for (Integer c = 1; c < grid->ColCount() + grid->NumHiddenColumns(); ++c)
            cells << grid->GetCellEx(c, row);
        return cells;
    }
    // Presses OK; the texts of the boxes it showed (each answered OK).
    QStringList Press_OK(Integer expected_boxes)
    {
        DialogSeam::Clear();
        for (Integer i = 0; i < expected_boxes; ++i)
            DialogSeam::QueueAnswer(IDOK);
        TestInput::Click(form->Btn_OK);
        return Boxes();
    }

    TFBACnetAccess* form = nullptr;
};

// A read request that passes every check (BACnet/IP), from column 1.
inline QStringList Valid_Read_Row()
{
    return {"Y", "192.168.0.15", "Analog Input", "3", "Present Value (85)", "4", "N", "", "", "", "1000", "0",
            "0", "0", "N", "", "N", "", "boiler"};
}

// A write request that passes every check (BACnet/IP), from column 1.
inline QStringList Valid_Write_Row()
{
    return {"Y", "10.0.0.2", "Analog Value", "Real", "7", "Present Value (85)", "8", "4", "N", "", "", "",
            "N", "N", "2000", "2", "12", "0", "N", "", "N", "", "setpoint"};
}
