#pragma once
// The import of a remote BACnet device's EDE file: the file's objects of the
// kinds the request tables can name, shown in a dialog where the user marks
// which to import as read and as write requests and types the device's IP
// address or MS/TP address. The request tables then fill their rows from
// the marked objects.

#include "shell/DialogFrame.h"

#include <memory>
#include <vector>

class TEdit;
class TExColumnGrid;
class TStrings;

// One object line of an EDE file.
class TBACnet_Var : public TObject {
public:
    QString ClassName() const override { return QStringLiteral("TBACnet_Var"); }
    QString keyname;
    Integer device_obj_instance = -1;  // -1 when not a number
    QString object_name;
    Integer object_type = -1;
    Integer object_instance = -1;
    QString description;
    QString present_value_default;
    QString min_present_value;
    QString max_present_value;
    bool commandable = false;
    bool support_COV = false;
    QString hi_limit;
    QString low_limit;
    QString stete_text_reference;
    QString unit_code;
    QString vendor_specific_address;
    bool import = false;
    bool read = false;
    bool write = false;
};

// True for the object types the request tables can name.
bool EDE_Type_Kept(Integer ObjType);
// The kept objects of the lines of an EDE file, in file order, each marked
// for import and read, and for write when it is commandable.
std::vector<std::unique_ptr<TBACnet_Var>> Parse_EDE_Lines(const TStrings& Lines);

class TFImportEDEFile : public TStepDialog {
public:
    explicit TFImportEDEFile(TComponent* AOwner);
    ~TFImportEDEFile() override;
    QString ClassName() const override { return QStringLiteral("TFImportEDEFile"); }

    // Set by the request tables before the dialog opens.
    QString EDE_File;
    Integer App_BACnet_Type = 0;
    // The kept objects of the file shown; freed at the next opening.
    std::vector<std::unique_ptr<TBACnet_Var>> List_EDE_Var;
    // Set when the file shown could not be read or is too short to be an
    // EDE file; its objects list is then empty.
    QString Load_Error;

    TPanel* P_ID_IP;
    TLabel* LID_IP;
    TEdit* E_ID_IP;
    TExColumnGrid* ACG;
    TFxButton* Btn_Select_All;
    TFxButton* Btn_Unselect_All;

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void ACGCheckBoxClick(TObject* Sender, Integer ACol, Integer ARow, bool State);
    void Btn_OKClick(TObject* Sender);
    void Btn_Select_AllClick(TObject* Sender);
    void Btn_Unselect_AllClick(TObject* Sender);
    void Load_EDE_File();
    void Show_Data_in_Grid();
    void Cancel_EDE_List_Vars();
    void Set_Lang();

private:
    void Select_All(bool State);
};

extern TFImportEDEFile* FImportEDEFile;
