#pragma once
// The BACnet client request tables (step 4 of the main window): which
// properties of which remote BACnet devices the converter reads and writes,
// and where each value lies in its internal data array. Two tables, read and
// write, kept in the configuration's BACnet_Master_Access.xml; loaded at
// every showing, checked and written whole on OK; Cancel writes nothing.
// Rows can also be filled from a remote device's EDE file.
//
// Sources:
//   UBACnetAccess.cpp        the window, its tables, loading and saving
//   UBACnetAccessChecks.cpp  the checks of OK and the NByte hint
//   UBACnetAccessImport.cpp  the EDE import's rows

#include "shell/ConfigFileGuard.h"
#include "shell/DialogFrame.h"

#include <memory>

class TExColumnGrid;
class TFxButton;
class TOpenDialog;
class TPageControl;
class TTabSheet;
class TXMLDocument;

// Which table a check names: the read rules or the write rules.
enum TBACnet_Table { btRead, btWrite };

// Number of request rows of each table (grid rows 1 to 512).
constexpr Integer BACnet_Access_Rows = 512;

class TFBACnetAccess : public TStepDialog {
public:
    explicit TFBACnetAccess(TComponent* AOwner);
    ~TFBACnetAccess() override;
    QString ClassName() const override { return QStringLiteral("TFBACnetAccess"); }

    // The BACnet link type read from ParGen.xml at each showing: 0 BACnet/IP,
    // 1 BACnet MS/TP; any other value hides the address column.
    Integer App_BACnet_Type = 0;

    TFxButton* Btn_DelRow;
    TFxButton* Btn_InsRow;
    TFxButton* Btn_Import_CSV;
    TPageControl* PageControl1;
    TTabSheet* TS_BACnet_Read;
    TTabSheet* TS_BACnet_Write;
    TExColumnGrid* ACG1;  // read table
    TExColumnGrid* ACG2;  // write table
    TOpenDialog* OD_EDE_File;
    TXMLDocument* XML1() const { return FXML1.get(); }

    // Events of the window.
    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void Btn_OKClick(TObject* Sender);
    void Btn_DelRowClick(TObject* Sender);
    void Btn_InsRowClick(TObject* Sender);
    void Btn_Import_CSVClick(TObject* Sender);
    // The hint event of both grids (row and column displayed).
    void ACG1GridHint(TObject* Sender, Integer ARow, Integer ACol, QString& HintStr);
    // Hint texts by row and real column; the write table has none.
    QString Str_Hint_Read(Integer ARow, Integer ACol);
    QString Str_Hint_Write(Integer ARow, Integer ACol);
    void Set_Lang();

    // ---- checks (UBACnetAccessChecks.cpp)
    // True when both tables pass; else shows the first fault and gives false.
    bool Controllo_dati();
    // The object type's code for the table's rules: its BACnet number (the
    // proprietary number itself, 128 to 1023); negative when refused.
    Integer Check_Object_Type(const QString& Text, TBACnet_Table Table);
    // The property's code for the table's rules and the object type: its
    // BACnet number (proprietary 512 to 4184303 included); negative when
    // refused. Property_Size gives a named property's size.
    Integer Check_Property(const QString& Text, TBACnet_Table Table, Integer ObjType);
    // Negative when the data type is refused for a Present Value write.
    Integer Check_Data_Type(const QString& Text, Integer ObjType, Integer Property);
    // The one data type a Present Value write of the object type takes;
    // empty for other properties and for types without one.
    QString Aspected_Data_Type_Value(Integer ObjType, Integer Property);
    // The largest NByte of a write request of the data type.
    Integer Check_Num_Byte_Max(const QString& DataType);
    // Checks a byte-list destination address of N bytes; true when refused,
    // its message already shown.
    bool Check_Dest_Add(const QString& Address, Integer N, TBACnet_Table Table, Integer Row);

    // ---- EDE import rows (UBACnetAccessImport.cpp)
    static QString Get_ObjType_EDE(Integer ObjType);
    static QString Get_DataType_EDE(Integer ObjType);
    static Integer Get_NumByte_EDE(Integer ObjType);

    // The key column of the rows (2 while the type is 0 or 1, else 3).
    Integer Key_Col() const;

private:
    void Make_Grid(TExColumnGrid* Grid, TBACnet_Table Table);
    void Read_BACnet_Type();
    void Load_Table(TExColumnGrid* Grid, TBACnet_Table Table);
    void Save_Table(TExColumnGrid* Grid, TBACnet_Table Table);
    // OK refuses, naming the row, while a blank row would drop typed rows.
    bool Check_Blank_Rows();
    TExColumnGrid* Active_Grid() const;
    // Shows a message of a table row: prefix, row number, fault text.
    void Row_Error(TBACnet_Table Table, Integer Row, const QString& Fault);
    bool Check_Destination(TExColumnGrid* Grid, TBACnet_Table Table, Integer Row, Integer FirstCol);
    bool Check_Read_Row(Integer Row);
    bool Check_Write_Row(Integer Row);
    // Fills the rows of the objects the import dialog marked.
    void Import_Rows();

    std::unique_ptr<TXMLDocument> FXML1;
    TConfig_File_Guard FLoad;
    QChar FSeparator;
};

// The one instance, made at start-up.
extern TFBACnetAccess* FBACnetAccess;
