#pragma once
// The OPC UA client window: the servers the converter connects to and, for
// the server selected in the server table, the variables it reads and
// writes. The data live in the object model; the server table only shows
// it, and a variable table is copied back into the selected server when the
// user leaves it or changes its rows. Servers come from the server dialog,
// variables also from a browse of the real server; OK checks the whole model
// and writes OPC_UA_Client.xml.

#include "plant/UOPC_UA_Client_AccessModel.h"
#include "shell/URuleTableFrame.h"

class TExColumnGrid;

class TFOPC_UA_Client_Access : public TRuleTableForm {
public:
    explicit TFOPC_UA_Client_Access(TComponent* AOwner);
    ~TFOPC_UA_Client_Access() override;
    QString ClassName() const override { return QStringLiteral("TFOPC_UA_Client_Access"); }

    TLabel* L_Server_List_Title;
    TExColumnGrid* ACG_OPC_UA_Server;
    TFxButton* Btn_Add_Server;
    TFxButton* Btn_Modify_Server;
    TFxButton* Btn_Delete_Server;
    TFxButton* Btn_Scan_Server;
    TLabel* L_Variables_List_Title;
    TPageControl* PC_OPC_UA_Vars;
    TTabSheet* TS_OPC_UA_Var_Read;
    TTabSheet* TS_OPC_UA_Var_Write;
    TExColumnGrid* ACG_OPC_UA_Var_R;
    TExColumnGrid* ACG_OPC_UA_Var_W;
    TFxButton* Btn_AutoPosition;

    // Header hints, entry k for column k + 1.
    std::unique_ptr<TStringList> Hint_Server_List;
    TStringList* Hint_Var_R_List = nullptr;
    TStringList* Hint_Var_W_List = nullptr;
    bool Do_Copy_Read = false;
    bool Do_Copy_Write = false;
    TOPC_UA_Server_List OPC_UA_Server_List;
    // The server whose variables a variable table shows while it has the
    // focus; -1 otherwise.
    Integer Ind_Server = -1;

    bool Controllo_dati() override;
    // Checks the model, writes the file and closes with the OK result.
    void Btn_OKClick(TObject* Sender) override;
    // Row buttons on the shown variable table; the table then goes back
    // into the selected server.
    void Btn_DelRowClick(TObject* Sender) override;
    void Btn_InsRowClick(TObject* Sender) override;
    void Btn_PasteRowClick(TObject* Sender) override;
    void Set_Lang() override;

    void ACG_OPC_UA_ServerClickCell(TObject* Sender, Integer ARow, Integer ACol);
    void ACG_OPC_UA_ServerDblClickCell(TObject* Sender, Integer ARow, Integer ACol);
    void ACG_OPC_UA_Var_Enter(TObject* Sender);
    void ACG_OPC_UA_Var_Exit(TObject* Sender);
    void Btn_AutoPositionClick(TObject* Sender);

    void Add_Server();
    void Modify_Server();
    void Delete_Server();
    // Browses the selected server and imports the ticked variables.
    void Scan_Server();
    void Show_OPC_UA_Server_List();
    // Both variable tables show the variables of the selected server.
    void Show_OPC_UA_Var_List();
    void Save_Variable_in_Read();
    void Save_Variable_in_Write();

protected:
    // The model is read from the file and shown.
    void Show_Done() override;

private:
    // The index of the server at the server table's selected row; -1 when
    // that row names none.
    Integer Selected_Server() const;
    void Erase_Var_List(TExColumnGrid* Grid);
    void Server_Grid_Hint(TObject* Sender, Integer ARow, Integer ACol, QString& HintStr);
    // Writes Grid back into the variables of server Index, leaving out row
    // Skip.
    void Save_Variables(TExColumnGrid* Grid, Integer Index, Integer Skip = -1);
    TExColumnGrid* Active_Table() const;
    // The table of the shown page back into the selected server.
    void Save_Active_Table(Integer Skip = -1);
    void Import(TOPC_UA_Variable_List& List, Integer Col);

    // What the last load of OPC_UA_Client.xml left behind: a file that could
    // not be read is replaced only when the user says so.
    TConfig_File_Guard FClient_Load;
};

extern TFOPC_UA_Client_Access* FOPC_UA_Client_Access;
