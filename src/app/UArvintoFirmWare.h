#pragma once
// The main window: the step launcher of the configurator. It starts the
// program state (folders, settings, language, last configuration), shows
// this model's steps and runs them, and writes the settings when it closes.

#include "platform/Form.h"
#include "platform/StdControls.h"

#include <functional>
#include <memory>
#include <vector>

class TFxButton;
class THTTPClient;
class TSaveDialog;
class TShape;
class TTimer;
class TXMLDocument;

class TFArvintoFirmWare : public TForm {
public:
    explicit TFArvintoFirmWare(TComponent* AOwner);
    ~TFArvintoFirmWare() override;
    QString ClassName() const override { return QStringLiteral("TFArvintoFirmWare"); }

    TLabel* L_SW_Code;
    TLabel* L_SW_Desc;
    TLabel* L_Begin;
    TShape* Shape2;
    TLabel* L_Name_Conf;
    TLabel* L_Name_Conf_L2;
    TLabel* L_Step[8];  // L_Step_1 .. L_Step_8
    TFxButton* Btn_New;
    TFxButton* Btn_Open;
    TFxButton* Btn_Prm_Gen;
    TFxButton* Btn_LoRaWAN_Access;
    TFxButton* Btn_BACnet_SetAccess;
    TFxButton* Btn_CreateBin;
    TFxButton* Btn_Info;
    TFxButton* Btn_Opz;
    TFxButton* Btn_Close;
    // The other models' steps, hidden for good; found by name (Btn_MBus ...).
    std::vector<TFxButton*> Other_Step_Buttons;
    TLabel* L_Velmora;
    TLinkLabel* LL_Update;
    TShape* Shape1;
    TTimer* Timer_Update;
    TSaveDialog* SD1;
    TSaveDialog* SaveEDS;
    TSaveDialog* SaveMIB;
    // The document lent in turn to whoever reads or writes a file for this
    // window; each user loads what it needs.
    std::unique_ptr<TXMLDocument> XML1;
    std::unique_ptr<THTTPClient> HTTP1;

    // The version check that the timer runs: true when a newer version
    // exists. The options dialog's check, joined when the windows are made;
    // unset, no check is made and the link stays hidden.
    std::function<bool()> Check_Version;

    void FormCreate(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    // The PROFINET step: the file-name dialog, then the GSDML writer.
    void PROFINET_XML();
    // The scan start: asks before a scan can replace M_Bus.xml, then shows
    // the scan window for wired scanning.
    void Scan_Decode();
    // The one click handler of every button of the window.
    void Btn_Click(TObject* Sender);
    void Set_Lang();
    void Update_Device();
    bool Check_Config_LoraWAN();
    Integer Get_Type_BACnet();
    void Start_Program(const QString& NomeSW, const QString& Parameter, bool tipo);
    void Timer_UpdateTimer(TObject* Sender);
    void LL_UpdateLinkClick(TObject* Sender, const QString& Link, TSysLinkType LinkType);
    void L_VelmoraClick(TObject* Sender);
    void Create_New_Project();
    void Open_Project();
    // After a new language is loaded: every window that follows language
    // changes takes its texts again.
    void Change_Language();

private:
    void Show_Configuration_Labels();
    void Load_Glyphs();
};

extern TFArvintoFirmWare* FArvintoFirmWare;
