#pragma once
// The IEC 61850 client window: a catalogue of SCL files copied into the
// configuration's ICD_Catalog folder, the data model of the device chosen in
// it as a tree, and what the converter reads from the servers: single data
// attributes with their address, sending conditions and place in the
// internal data array, and whole data sets (optionally received as GOOSE)
// with a place for each member. Kept in the configuration's
// IEC_61850_Client.xml.
//
// Every table row and choice refers to catalogue devices by their position
// ("Index"); a device that a row still uses cannot be removed.

#include <memory>
#include <vector>

#include "plant/UIEC_Client_Decode.h"
#include "shell/DialogFrame.h"

class TExColumnGrid;
class TFxButton;
class TImageList;
class TListBox;
class TOpenDialog;
class TPageControl;
class TPanel;
class TSplitter;
class TStringList;
class TTabSheet;
class TTreeNode;
class TTreeView;
class TXMLDocument;
class TXMLNode;

// One member of a chosen data set with the settings the user gave it.
class TDataSet_DA : public TObject {
public:
    QString ClassName() const override { return QStringLiteral("TDataSet_DA"); }
    TIEC_DA* Select_DA = nullptr;  // borrowed from a catalogue device
    QString Position;
    QString bitAddress;
    QString conversion;
    QString multFactor;
    QString Mnemonic;
};

// A data set chosen for reading: one per filled data-set row.
class TDataSet : public TObject {
public:
    QString ClassName() const override { return QStringLiteral("TDataSet"); }
    TIEC_DataSet* Select_DataSet = nullptr;  // borrowed; none when not found
    std::vector<std::unique_ptr<TDataSet_DA>> List_DAs;
};

class TFIEC_61850_Access : public TStepDialog {
public:
    explicit TFIEC_61850_Access(TComponent* AOwner);
    ~TFIEC_61850_Access() override;
    QString ClassName() const override { return QStringLiteral("TFIEC_61850_Access"); }

    TPanel* P_Devices;
    TFxButton* Btn_Add_IEC_Device;
    TListBox* LB_IEC_Devices;
    TFxButton* Btn_Remove_IEC_Device;
    TTreeView* TV_IEC_Device;
    std::unique_ptr<TImageList> IL_IEC;
    TPageControl* PC_DA_DataSet;
    TTabSheet* TS_DA;
    TTabSheet* TS_DataSet;
    TExColumnGrid* ACG_DA;
    TExColumnGrid* ACG_DataSet;
    TSplitter* Splitter1;
    TExColumnGrid* ACG_DS_Vars;
    TFxButton* Btn_AddVar;
    TFxButton* Btn_RemoveVar;
    // Kept hidden, without an action.
    TFxButton* Btn_MoveUp;
    TFxButton* Btn_ModeDown;
    TOpenDialog* OD_IcdFile;

    // The catalogue devices, line i of the list box being device i.
    std::vector<std::unique_ptr<TIEC_Device>> List_IEC_Dev;
    // The data sets chosen, entry r - 1 for data-set row r.
    std::vector<std::unique_ptr<TDataSet>> List_DataSet;
    TIEC_DA* Selected_IEC_DA = nullptr;
    TIEC_DataSet* Selected_IEC_DS = nullptr;
    TTreeNode* NODE_ORIG = nullptr;
    // Header hints of the data-attribute table, entry c for column c.
    std::unique_ptr<TStringList> Hint;
    // The data-set row whose members the member table shows; 0 for none.
    Integer DataSet_Row_Select = 0;
    std::unique_ptr<TXMLDocument> XML1;

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void Set_Lang();

    // Copies an SCL file into the catalogue folder and reads it.
    void Btn_Add_IEC_DeviceClick(TObject* Sender);
    // Removes the chosen device unless a row still refers to it.
    void Btn_Remove_IEC_DeviceClick(TObject* Sender);
    // Shows the chosen device's tree.
    void LB_IEC_DevicesClick(TObject* Sender);
    // Takes the selected node as the attribute or data set to add.
    void TV_IEC_DeviceClick(TObject* Sender);
    void TV_IEC_DeviceCustomDrawItem(TTreeView* Sender, TTreeNode* Node, Cardinal State, bool& DefaultDraw);
    void Btn_AddVarClick(TObject* Sender);
    void Btn_RemoveVarClick(TObject* Sender);
    // Checks, writes the file and closes with the OK result.
    void Btn_OKClick(TObject* Sender);

    void ClickCell(TObject* Sender, Integer ARow, Integer ACol);
    void ACG_DADblClickCell(TObject* Sender, Integer ARow, Integer ACol);
    void ACG_DAKeyPress(TObject* Sender, QChar& Key);
    void ACG_DAGridHint(TObject* Sender, Integer ARow, Integer ACol, QString& HintStr);
    void ACG_DS_VarsSelectCell(TObject* Sender, Integer ACol, Integer ARow, bool& CanSelect);
    void ACG_DS_VarsEditCellDone(TObject* Sender, Integer ACol, Integer ARow);

    void Show_IEC_Devices();
    void Show_Tree_IEC_Device(TIEC_Device* Device);
    void Show_Tree_IEC_LDevice(TTreeNode* Parent, TIEC_LDevice* LDevice);
    void Show_Tree_IEC_LN(TTreeNode* Parent, TIEC_LN* LN);
    void Show_Tree_IEC_DO(TTreeNode* Parent, TIEC_DO* DO);
    void Show_Tree_IEC_DA(TTreeNode* Parent, TIEC_DA* DA);
    void Show_Tree_IEC_DataSet(TTreeNode* Parent, TIEC_DataSet* DataSet);
    // The leaf attribute of the device whose node is Node; nothing when the
    // node shows no leaf of it.
    TIEC_DA* Search_Node_Selected(TIEC_Device* Device, TTreeNode* Node) const;
    TIEC_DA* Search_Node_LDevice(TIEC_LDevice* LDevice, TTreeNode* Node) const;
    TIEC_DA* Search_Node_LN(TIEC_LN* LN, TTreeNode* Node) const;
    TIEC_DA* Search_Node_DO(TIEC_DO* DO, TTreeNode* Node) const;
    TIEC_DA* Search_Node_DA(TIEC_DA* DA, TTreeNode* Node) const;
    // The data set of the device whose node is Node.
    TIEC_DataSet* Search_Node_Selected_DataSet(TIEC_Device* Device, TTreeNode* Node) const;
    TIEC_DataSet* Search_Node_LDevice_DataSet(TIEC_LDevice* LDevice, TTreeNode* Node) const;
    TIEC_DataSet* Search_Node_LN_DataSet(TIEC_LN* LN, TTreeNode* Node) const;
    // The member table shows the data set of the data-set table's current
    // row.
    void Show_DataSet_DAs();
    // Start Byte and Num Byte of every data-attribute row by its bType.
    void Set_Start_Num_Byte();
    // Checks the data-attribute rows; shows the first fault.
    bool Controllo_dati();
    // The data set of catalogue device Index whose reference is Reference.
    TIEC_DataSet* Get_DataSet(Integer Index, const QString& Reference) const;

    // The folder of the catalogue copies, with its separator.
    static QString Catalogue_Folder();
    // The client file: written whole; read at each showing, false when the
    // reading stopped at a fault (reported).
    bool Write_Client_File(QString& Error);
    bool Read_Client_File();

private:
    void Make_Glyphs();
    TExColumnGrid* Make_Grid(TWinControl* Parent, const char* Name, Integer Columns);
    // The list box's chosen device, or nothing.
    TIEC_Device* Chosen_Device() const;
    // The row Add Var fills: the only row when it is blank, else a new one.
    static Integer Take_Row(TExColumnGrid* Grid);
    // Blanks the data rows of a table (column 0 included) and cuts it to
    // one row.
    static void Reset_Table(TExColumnGrid* Grid);
    // Moves the rows below Row up, drops the last one and numbers them.
    static void Remove_Row(TExColumnGrid* Grid, Integer Row);
    void Error_Box(const QString& Text);
    bool Load_Catalogue(const TXMLNode& List);
    bool Load_DA_Rows(const TXMLNode& List);
    bool Load_DataSet_Rows(const TXMLNode& List);
    // The first fault of a data-attribute row: its text and what follows
    // it; 0 when the row passes.
    Integer Row_Fault(Integer Row, QChar Separator, QString& Suffix) const;

    // The client file of this showing could not be read whole.
    bool FLoad_Failed = false;
    // The device the tree shows; nullptr for none.
    TIEC_Device* FTree_Device = nullptr;
    // The data-set row whose members the member table shows; 0 for none.
    Integer FShown_DataSet_Row = 0;
};

extern TFIEC_61850_Access* FIEC_61850_Access;
