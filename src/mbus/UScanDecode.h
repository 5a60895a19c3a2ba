#pragma once
// The scan window: the user scans a wired M-Bus network (or, with Form_Type
// 1, listens for wireless meters) through a converter, looks at the meters
// and data records found, ticks the ones wanted and saves them into the
// configuration's M_Bus.xml. It owns the scan engine thread for the
// program's run.
//
// The engine calls the progress procedure on its worker thread and the
// wireless row procedure on the network listener thread; both only leave
// their update with the window and post it a message, so that the list box
// and the grid are changed on the user-interface thread alone.

#include <QString>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/Form.h"

class TCheckBox;
class TComboBox;
class TCustomImageList;
class TEdit;
class TExStringGrid;
class TFxButton;
class TLabel;
class TMBusScanDecode;
class TMenuItem;
class TNodeStringTree;
class TPanel;
class TPopupMenu;
class TScanDeviceList;
class TScanSplitter;
class TSlave_wMBus;
class TTimer;
class TXMLDocument;
class TBaseNodeTree;
struct TDataNode;
struct TSaveConfXML;
struct TOwnerDrawItem;

// A tree node's record: its text, made once when the node is initialised.
struct TMyRec {
    QString Caption;
    bool Check = false;
};

class TFScanDecode : public TForm {
public:
    explicit TFScanDecode(TComponent* AOwner);
    ~TFScanDecode() override;
    QString ClassName() const override { return QStringLiteral("TFScanDecode"); }

    // ---- window
    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void Set_Lang();
    // Lays out the scan options for Form_Type, the method and the hardware.
    void Move_Object_Type_Form();
    // 1 set-up, 2 wired scan running, 3 wired results, 4 wireless scan
    // running, 5 wireless results.
    void Form_Style(Integer Index);
    void Update_List_of_COM_Port();
    void Btn_COM_ListClick(TObject* Sender);
    void CB_HardwareTypeChange(TObject* Sender);
    // The IP edits: "." is swallowed and moves on to the next edit.
    void KeyPress(TObject* Sender, QChar& Key);
    void LB_AvailableDeviceDrawItem(const TOwnerDrawItem& Item);
    void BtnClick(TObject* Sender);

    // ---- wired scan
    void Select_Scan();
    void StartScan();
    // A start the engine refused: the reason in an error box, the set-up
    // style kept.
    void Start_Failed();
    void StopScan();
    void AbortScan();
    void NewScan();
    void Cancel_Device_List();
    void Show_Slave_in_Tree();
    void T_InScanTimer(TObject* Sender);
    void Ciclic1Click(TObject* Sender);
    // The progress procedure handed to the engine (any thread).
    void Update_Device_List(Integer Event, Integer Value, Integer Found, Integer Mode);

    // ---- saving (Type_SaveXML 0 "Save Conf.", 1 "Save Node Add. Conf.")
    void Select_SaveXML(Integer Type_SaveXML);
    void Carica_Dati_Modbus_Start_Add();
    void SaveXML(bool Append, Integer Start_Modbus, Integer Start_Modbus_node);

    // ---- wireless scan
    void StarScanWireless();
    // The wireless row procedure handed to the engine (listener thread).
    void Update_Wireless_Row(Integer Index, TSlave_wMBus* Slave);
    void Show_Slave_in_Tree_Wireless(Integer Index);
    void Colomns_Width_Init();
    void Cancel_Grid_Wireless();
    void Cancel_Device_List_Wireless();
    void SaveXMLWireless(bool Append, Integer Start_Modbus, Integer Start_Modbus_node);
    void ESG_WirelessClickCell(TObject* Sender, Integer ARow, Integer ACol);
    void ESG_WirelessDblClickCell(TObject* Sender, Integer ARow, Integer ACol);
    // Where the key dialog opens for a double click at screen point P
    // (client point Q): at P, moved left and up so that it stays inside the
    // client area.
    TPoint Key_Dialog_Place(TPoint P, TPoint Q) const;

    // ---- tree events (both trees)
    void NSTInitNode(TDataNode* ParentNode, TDataNode* Node);
    void NST_WirelessInitNode(TDataNode* ParentNode, TDataNode* Node);
    void NSTGetText(TBaseNodeTree* Sender, TDataNode* Node, QString& CellText);
    void NSTGetImageIndexEx(TBaseNodeTree* Sender, TDataNode* Node, Integer& ImageIndex);
    void NSTFreeNode(TBaseNodeTree* Sender, TDataNode* Node);
    void NST_WirelessChecked(TDataNode* Node);

    // Applies the progress lines and wireless rows the scan threads left
    // (user-interface thread).
    void Deliver_Scan_Updates();

    // ---- fields
    std::unique_ptr<TMBusScanDecode> TR_ScanDecode;
    Integer XML_Code_Dev = 0;
    QString FileName_MBus;
    Integer Form_Type = 0;
    bool Cyclic_Scan = false;
    Integer Error_Cyclic = 0;

    // ---- controls
    TPanel* P_Title;
    TLabel* L_SW_Code;
    TLabel* L_SW_Desc;
    TPanel* P_Main;
    TLabel* L_ScanMethod;
    TComboBox* CB_ScanMethod;
    TLabel* L_ScanBy;
    TComboBox* CB_ScanBy;
    TLabel* L_HardwareType;
    TComboBox* CB_HardwareType;
    TLabel* L_IP;
    TEdit* E_IP1;
    TEdit* E_IP2;
    TEdit* E_IP3;
    TEdit* E_IP4;
    TLabel* L_IP_Dot1;
    TLabel* L_IP_Dot2;
    TLabel* L_IP_Dot3;
    TLabel* L_Port;
    TEdit* E_Port;
    TLabel* L_ComPort;
    TComboBox* CB_ComPort;
    TFxButton* Btn_COM_List;
    TLabel* L_MBus_ParGen;
    TLabel* L_MBus_Baud;
    TComboBox* CB_MBus_Baud;
    TLabel* L_MBus_Parity;
    TComboBox* CB_MBus_Parity;
    TLabel* L_wMBus_Mode;
    TComboBox* CB_wMBus_Mode;
    TLabel* L_wMBus_Radio_Channel;
    TComboBox* CB_wMBus_Radio_Channel;
    TLabel* L_Option_Scan;
    TCheckBox* CB_Opt_App_Reset;
    TCheckBox* CB_Opt_SND_NKE;
    TLabel* L_Opt_Cut_After;
    TEdit* E_Opt_Cut_After;
    TCheckBox* CB_Opt_Use_Fix_C_Field;
    TComboBox* CB_Opt_Use_Fix_C_Field_Value;
    TCheckBox* CB_Opt_Check_BCD_to_Int;
    TCheckBox* CB_Opt_Enable_Remote_Scan;
    TLabel* Label1;

    TPanel* P_TreeView;
    TLabel* L_ScanProgress;
    TLabel* L_Num_Slave;
    TLabel* L_AvailableDevice;
    TScanDeviceList* LB_AvailableDevice;
    TNodeStringTree* NST;

    TPanel* P_View_Wireless;
    TPanel* P_W_Title;
    TPanel* P_W_Table;
    TExStringGrid* ESG_Wireless;
    TScanSplitter* Splitter1;
    TPanel* P_W_Tree;
    TNodeStringTree* NST_Wireless;

    TPanel* P_Button;
    TFxButton* Btn_StartScan;
    TFxButton* Btn_StopScan;
    TFxButton* Btn_AbortScan;
    TFxButton* Btn_NewScan;
    TFxButton* Btn_SaveConf;
    TFxButton* Btn_SaveConfManual;

    TTimer* T_InScan;
    TPopupMenu* PopupMenu1;
    TMenuItem* Ciclic1;
    std::unique_ptr<TCustomImageList> IL_Tree1;
    std::unique_ptr<TCustomImageList> IL_Wireless_Table;
    std::unique_ptr<TXMLDocument> XML1;

protected:
    void Dispatch(TMessage& Message) override;

private:
    void Make_Main_Panel();
    void Make_Tree_Panel();
    void Make_Wireless_Panel();
    void Make_Buttons();
    void Make_Images();
    TNodeStringTree* Make_Tree(TWinControl* Parent, const char* Name);
    void Make_Trees();
    void Make_Wireless_Grid();
    void Clear_Tree(bool Wireless);
    // Frees every node's record while the window is whole.
    void Clear_Trees();
    void Show_Wired_Tree(bool Visible);
    void Read_ParGen_Address();
    void Error_Box(const QString& Text);
    // Whether a tree node counts as ticked for the wired writer.
    bool Node_Ticked(void* Node) const;
    // Posts the window a message for the updates left (FUpdateLock held).
    void Post_Update();
    // The writer's options that both methods fill alike.
    TSaveConfXML Save_Options(bool Append, Integer Start_Modbus, Integer Start_Modbus_node) const;
    // Runs a writer; a file it could not write is reported in an error box.
    void Save_Network(const TSaveConfXML& Options, bool Wireless);

    // Updates from the scan threads, guarded by FUpdateLock.
    struct TProgress {
        Integer Event, Value, Found, Mode;
    };
    struct TWirelessRow {
        QString Cells[13];
        bool Cripted = false;
    };
    void Show_Wireless_Row(Integer Index, const TWirelessRow& Row);
    std::mutex FUpdateLock;
    std::vector<TProgress> FPendingProgress;
    std::map<Integer, TWirelessRow> FPendingRows;
    bool FPosted = false;
    TWinHandle* FWindow = nullptr;
    Cardinal FUpdateMessage = 0;
    // The wireless meter whose records the tree shows (-1: none).
    Integer FShownWireless = -1;
    // Set while the window waits for a scan to end before it closes.
    bool FClosing = false;
};

// The one instance, made at start-up.
extern TFScanDecode* FScanDecode;
