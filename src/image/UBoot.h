#pragma once
// The device update dialog, last part of step 5: the user types the
// converter's IPv4 address and chooses what to load; the update action pings
// the converter, writes the updater's job file Ethernet_Update.xml beside the
// program and runs the external updater Ethernet_Update.exe from there, which
// does the transfer. The configurator itself sends nothing but the ping.

#include <QByteArray>
#include <QString>
#include <memory>

#include "platform/Form.h"
#include "shell/ExternalProgram.h"

class TPanel;
class TLabel;
class TEdit;
class TComboBox;
class TCheckBox;
class TFxButton;
class TIcmpEcho;
class TXMLDocument;
struct TReplyStatus;

// Items of the update-option list.
inline constexpr Integer Update_Option_Firmware_Configuration = 0;
inline constexpr Integer Update_Option_Firmware = 1;
inline constexpr Integer Update_Option_Configuration = 2;

// Link types the opener may choose; this system uses only Ethernet.
inline constexpr Integer Boot_Form_Serial = 0;
inline constexpr Integer Boot_Form_Ethernet = 1;
inline constexpr Integer Boot_Form_USB = 2;

// The data every echo request carries: "1234567890" repeated, 89 bytes.
QByteArray Boot_Ping_Data();

class TFBoot : public TForm {
public:
    explicit TFBoot(TComponent* AOwner);
    ~TFBoot() override;
    QString ClassName() const override { return QStringLiteral("TFBoot"); }

    // Link type (Boot_Form_...) and the configuration's BACnet side (0
    // BACnet/IP, 1 BACnet MS/TP), both set by the opener before showing.
    Integer Form_Type = Boot_Form_Ethernet;
    Integer BACnetType = 0;
    // Result of the last echo request: 0 none (or the request failed), 1
    // answered, 2 no answer within the time-out.
    Integer ping_res = 0;
    // Why the last ping could send no request although the address is one
    // (the system refused it); empty otherwise.
    QString Ping_Error;

    // The ping gives up once more than this many milliseconds have passed
    // (each request waits Ping->ReceiveTimeout, 400 ms); the updater is
    // waited for at most Updater_Time_Limit_Ms. Tests shorten them.
    Integer Ping_Time_Limit_Ms = 5000;
    Integer Updater_Time_Limit_Ms = Start_Program_Limit_Ms;

    void FormShow(TObject* Sender);
    // Key filter of the four address edits: "." moves on to the next edit.
    void KeyPress(TObject* Sender, QChar& Key);
    void Btn_UpdateClick(TObject* Sender);
    // Pings the converter; true when its last echo request was answered.
    bool Send_Ping();
    void PingReply(TObject* Sender, const TReplyStatus& ReplyStatus);
    void Set_Lang();
    // Writes the job file Exe_Folder/Ethernet_Update.xml from the dialog's
    // address, option, read-back box and BACnetType. False, with the error's
    // text, when the file cannot be written (the old file then stays).
    bool Compile_XML_Parameter_New_Boot(QString* Error = nullptr);

    // The address as typed: the four edits joined by dots.
    QString IP_Address_Text() const;
    // Full paths of the job file and of the updater.
    static QString Job_File_Name();
    static QString Updater_File_Name();

    // True while an update (ping, job file, updater) runs.
    bool Updating() const { return FUpdating; }

    TPanel* P_Title;
    TLabel* L_SW_Code;
    TLabel* L_SW_Desc;
    TPanel* P_IP_Address;
    TLabel* L_IP_Address;
    TEdit* E_IP1;
    TEdit* E_IP2;
    TEdit* E_IP3;
    TEdit* E_IP4;
    TPanel* P_Options;
    TLabel* L_Update_Option;
    TComboBox* CB_Update_Options;
    TCheckBox* CB_Update_Option_Read_Back;
    TPanel* P_Button;
    TFxButton* Btn_Cancel;
    TFxButton* Btn_Update;

    std::unique_ptr<TIcmpEcho> Ping;
    std::unique_ptr<TXMLDocument> XML1;

private:
    void Run_Update();
    // True once the user has closed the modally shown dialog.
    bool Closing() const { return Modal() && ModalResult() != mrNone; }
    bool FUpdating = false;
};

// The one instance, made at start-up with the other windows.
extern TFBoot* FBoot;
