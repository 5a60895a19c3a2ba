#pragma once
// The BACnet server object tables of the series' BACnet server models: the
// objects the converter shows as a BACnet server, each tied to a byte range
// of its internal data array, kept in the configuration's
// BACnet_Slave_SetAccess.xml (which the EDE writer reads). Made at start-up
// and following language changes; no step of this model opens it.

#include "shell/ConfigFileGuard.h"
#include "shell/DialogFrame.h"

#include <memory>

class TExColumnGrid;
class TFxButton;
class TPageControl;
class TTabSheet;
class TXMLDocument;

class TFBACnetSlaveSetAccess : public TStepDialog {
public:
    explicit TFBACnetSlaveSetAccess(TComponent* AOwner);
    ~TFBACnetSlaveSetAccess() override;
    QString ClassName() const override { return QStringLiteral("TFBACnetSlaveSetAccess"); }

    // Long-description mode (ParGen.xml's BACnet_Desc_Chars_Limit "1"):
    // 1000 rows per table and 1000 objects in all, else 2000 and 2000.
    bool Desc_Lenght = false;
    // The last Copy Row of this window came from the read (write) table.
    bool Do_Copy_Read = false;
    bool Do_Copy_Write = false;
    // Bytes of the internal data array the read and write tables address.
    Integer NByte_IN = 1500;
    Integer NByte_OUT = 1500;

    TFxButton* Btn_DelRow;
    TFxButton* Btn_InsRow;
    TFxButton* Btn_CopyRow;
    TFxButton* Btn_PasteRow;
    TPageControl* PageControl1;
    TTabSheet* TS_BACnet_in_Read;
    TTabSheet* TS_BACnet_in_Write;
    TExColumnGrid* ACG_BACnet_in_Read;
    TExColumnGrid* ACG_BACnet_in_Write;
    TXMLDocument* XML1() const { return FXML1.get(); }

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    // OK: checks, writes the file and closes with the OK result.
    void bitbtn1Click(TObject* Sender);
    bool Controllo_dati();
    void ACG_BACnet_in_ReadDblClickCell(TObject* Sender, Integer ARow, Integer ACol);
    void ACG_BACnet_in_WriteDblClickCell(TObject* Sender, Integer ARow, Integer ACol);
    // A Data Type chosen in the write table presets the row's Length.
    void ACG_BACnet_in_WriteComboChange(TObject* Sender, Integer ACol, Integer ARow, Integer AItemIndex,
                                        const QString& ASelection);
    void ClickCell(TObject* Sender, Integer ARow, Integer ACol);
    void KeyPress(TObject* Sender, QChar& Key);
    void GridHint(TObject* Sender, Integer ARow, Integer ACol, QString& HintStr);
    void Btn_DelRow_Click(TObject* Sender);
    void Btn_InsRowClick(TObject* Sender);
    void Btn_CopyRowClick(TObject* Sender);
    void Btn_PasteRowClick(TObject* Sender);
    void Set_Lang();

    // Data rows of each table in the current mode.
    Integer Table_Rows() const { return Desc_Lenght ? 1000 : 2000; }

private:
    TExColumnGrid* Active_Grid() const;
    // The unit picker on an Eng. Unit cell.
    void Pick_Eng_Unit(TExColumnGrid* Grid, Integer ARow, Integer ACol);
    // Loads one table; false (with the box shown) when the file lacks it or
    // a row lacks an attribute.
    bool Load_Table(TExColumnGrid* Grid, const QString& Element);
    bool Check_Table(TExColumnGrid* Grid, bool Read, Integer& Objects);
    void Save_Table(TExColumnGrid* Grid, const QString& Element);
    // OK refuses, naming the row, while a blank row would drop typed objects.
    bool Check_Blank_Rows();

    std::unique_ptr<TXMLDocument> FXML1;
    TConfig_File_Guard FLoad;
};

extern TFBACnetSlaveSetAccess* FBACnetSlaveSetAccess;
