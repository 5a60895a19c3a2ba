#pragma once
// The browse of an OPC UA server through the external library
// "OPC_UA_Search": the client window fills the request Server and shows the
// window; 100 ms later the window loads the library, lets it browse the
// server (the program waits for it), lists the variables found and lets the
// user tick which go into the read table and which into the write table.

#include "shell/DialogFrame.h"
#include "shell/OpcUaRecords.h"

#include <QByteArray>
#include <vector>

class TExColumnGrid;
class TTimer;

// One variable of a browse: the record as the library filled it, with the
// window's own copies of its three texts.
struct TOPC_UA_Scan_Var {
    opcua_structure Record{};
    QByteArray DisplayName;
    QByteArray StringName;
    QByteArray ByteString;
    // The record with its text fields pointing at the copies (valid while
    // this entry lives unchanged).
    opcua_structure Node() const;
};

class TFOPC_UA_Scan_Server : public TStepDialog {
public:
    explicit TFOPC_UA_Scan_Server(TComponent* AOwner);
    ~TFOPC_UA_Scan_Server() override;
    QString ClassName() const override { return QStringLiteral("TFOPC_UA_Scan_Server"); }

    // The library's file name without prefix and extension.
    static constexpr const char* Library_Name = "OPC_UA_Search";

    TExColumnGrid* ACG_OPC_UA_Scan_Var;
    TLabel* LWaiting;
    TTimer* Timer_Scan;
    TFxButton* Btn_SelectAllRead;
    TFxButton* Btn_ClearAllRead;
    TFxButton* Btn_SelectAllWrite;
    TFxButton* Btn_ClearAllWrite;

    // The request, filled by the caller before each showing; its texts stay
    // the caller's.
    opcua_server_to_discover Server{};
    // The variables of the last browse.
    std::vector<TOPC_UA_Scan_Var> List_Var;

    void FormCreate(TObject* Sender);
    // Empties the table; with a server address starts the browse, without
    // one lists the previous browse again.
    void FormShow(TObject* Sender);
    void Timer_ScanTimer(TObject* Sender);
    void Show_Variables_List();
    // Both select buttons tick, both clear buttons untick every listed row
    // in the sender's column (Read or Write).
    void Btn_SelectAllReadClick(TObject* Sender);
    void Btn_ClearAllReadClick(TObject* Sender);
    void Set_Lang();

private:
    void Erase_Table();
    void Set_Column(TObject* Sender, const QString& Value);
};

extern TFOPC_UA_Scan_Server* FOPC_UA_Scan_Server;
