#include "app/UArvintoFirmWare.h"

#include "app/StepChecks.h"
#include "bacnet/UBACnetAccess.h"
#include "bacnet/UBACnetSlaveSetAccess.h"
#include "bacnet/UBACnet_EDE_File.h"
#include "bacnet/UBACnet_Eng_Unit.h"
#include "bacnet/UImportEDEFile.h"
#include "fieldbus/UCANopen_EDS.h"
#include "fieldbus/UDMXDefVal.h"
#include "fieldbus/UDNet.h"
#include "fieldbus/UDefOffset.h"
#include "fieldbus/UEtherNetIP_Data_Seg.h"
#include "fieldbus/UEtherNetIP_EDS.h"
#include "fieldbus/UEtherNetIP_Master_Access.h"
#include "fieldbus/UKNXAccess.h"
#include "fieldbus/UModbus_TCP_Master_Set_Access.h"
#include "fieldbus/UProfibus_GSD.h"
#include "fieldbus/UProfinetFileName.h"
#include "fieldbus/UProfinetXML.h"
#include "fieldbus/UReceiveCAN.h"
#include "fieldbus/UReceiveJ1939.h"
#include "fieldbus/UReceiveNMEA.h"
#include "fieldbus/USetAccess.h"
#include "fieldbus/USet_PDO_Access.h"
#include "fieldbus/USet_SDO_Client_Access.h"
#include "fieldbus/USet_SDO_Server_Access.h"
#include "fieldbus/UTransmitCAN.h"
#include "fieldbus/UTransmitJ1939.h"
#include "fieldbus/UTransmitNMEA.h"
#include "image/UBoot.h"
#include "mbus/UMeter_Bus.h"
#include "mbus/UNewIDNode.h"
#include "mbus/UScanDecode.h"
#include "parameters/ULoRa_Set_Access.h"
#include "parameters/UParGen.h"
#include "plant/UIEC61850_Variables.h"
#include "plant/UIEC_61850_Access.h"
#include "plant/UMQTT_Set_Topic.h"
#include "plant/UOPC_UA_Add_Server.h"
#include "plant/UOPC_UA_Client_Access.h"
#include "plant/UOPC_UA_Scan_Server.h"
#include "plant/UOPC_UA_Server_Access.h"
#include "plant/USNMP_MIB.h"
#include "plant/US7_Protocol_Set_Access.h"
#include "plant/USNMPManagerAccess.h"
#include "plant/USNMP_Trap_Access.h"
#include "plant/UTLS_Server_Known_Cert.h"
#include "plant/UTopicTemplate.h"

#include "image/USaveBincc.h"
#include "shell/ButtonLook.h"
#include "shell/CodeTables.h"
#include "shell/DialogFrame.h"
#include "shell/ExternalProgram.h"
#include "shell/MakerSite.h"
#include "shell/ProjectFolders.h"
#include "shell/Settings.h"
#include "shell/UAbout.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"
#include "shell/UNew_Project.h"
#include "shell/UOpenConf.h"
#include "shell/USoftOptions.h"

#include "controls/FxButton.h"
#include "platform/Dialogs.h"
#include "platform/ExtCtrls.h"
#include "platform/FileSystem.h"
#include "platform/Graphics.h"
#include "platform/HttpClient.h"
#include "platform/Lists.h"
#include "platform/Process.h"
#include "platform/StringList.h"
#include "platform/Timer.h"
#include "platform/XmlDocument.h"

#include <stdexcept>

TFArvintoFirmWare* FArvintoFirmWare = nullptr;

namespace {

QString Lang(Integer n)
{
    return Language_Texts->Strings(n);
}

void Error_Box(const QString& text)
{
    MessageDlg(text, mtError, mbOK);
}

// The other models' steps: name, built-in caption, and the numbers of the
// caption and hint texts (-1: the built-in caption stays, no hint).
struct TOtherStep {
    const char* Name;
    const char16_t* Caption;
    Integer CaptionText;
    Integer HintText;
};

const TOtherStep Other_Steps[] = {
    {"Btn_BACnet_EDE_File", u"BACnet EDE File", -1, -1},
    {"Btn_MBus", u"M-Bus", 31, 32},
    {"Btn_Modbus_Set_Access", u"Modbus Set Access", 36, 37},
    {"Btn_CAN_Rec_Frame", u"Receive Frames", 38, 39},
    {"Btn_CAN_Send_Frame", u"Send Frames", 40, 41},
    {"Btn_PDO_CANopen", u"Set PDO Access", 50, 51},
    {"Btn_SDO_Client_CANopen", u"Set SDO Client", 48, 49},
    {"Btn_SDO_Server_CANopen", u"Set SDO Server", 46, 47},
    {"Btn_CANopen_EDS", u"EDS File", 52, 53},
    {"Btn_DNet_Net", u"DeviceNet Network", 54, 55},
    {"Btn_DNet_Offset", u"Define Offset", 56, 57},
    {"Btn_DMX_Default", u"DMX Default Value", 58, 59},
    {"Btn_EtherNetIP_Access", u"EtherNet/IP Access", 60, 61},
    {"Btn_KNX_Access", u"KNX Access", -1, -1},
    {"Btn_PROFIBUS_GSD", u"PROFIBUS GSD", 62, 63},
    {"Btn_PROFINET_XML", u"PROFINET XML", 64, 65},
    {"Btn_IEC61850_Client", u"IEC 61850 Client", 66, 67},
    {"Btn_TLS_List_Certificates", u"TLS Known Certificates", 70, 71},
    {"Btn_IEC61850_Access", u"IEC61850 Access", 68, 69},
    {"Btn_MQTT_Set_Topic", u"MQTT Set Topic", 72, 73},
    {"Btn_OPC_UA_Client_Access", u"OPC UA Client Access", 74, 75},
    {"Btn_OPC_UA_Server_Access", u"OPC UA Server Access", 76, 77},
    {"Btn_S7_Protocol_Access", u"S7 Protocol Access", 78, 79},
    {"Btn_SNMP_Manager_Access", u"SNMP Manager ", 80, 81},
    {"Btn_SNMP_Trap", u"Set SNMP Access", 82, 83},
    {"Btn_SNMP_MIB", u"SNMP MIB", 84, 85},
    {"Btn_ScanDecode", u"Scan && Decode", 33, 34},
};

constexpr Cardinal First_Check_Interval = 60000;
constexpr Cardinal Check_Interval = 7200000;

// A hidden step button, by its name.
bool Is_Step(const TObject* Sender, const char* Name)
{
    const auto* button = dynamic_cast<const TComponent*>(Sender);
    return button && button->Name() == QLatin1String(Name);
}

void Place(TControl* Control, Integer Left, Integer Top)
{
    Control->SetBounds(Left, Top, Control->Width(), Control->Height());
}

template <class T>
T* Make(TFArvintoFirmWare* Form, const QString& Name)
{
    T* control = new T(Form);
    control->SetName(Name);
    control->SetParent(Form);
    return control;
}

} // namespace

TFArvintoFirmWare::TFArvintoFirmWare(TComponent* AOwner)
    : TForm(AOwner), XML1(std::make_unique<TXMLDocument>()), HTTP1(std::make_unique<THTTPClient>())
{
    SetName(QStringLiteral("FArvintoFirmWare"));
    Set_Window_Look(this);

    L_SW_Code = Make<TLabel>(this, QStringLiteral("L_SW_Code"));
    L_SW_Code->Font()->SetSize(20);
    L_SW_Code->Font()->SetColor(clGray);
    L_SW_Desc = Make<TLabel>(this, QStringLiteral("L_SW_Desc"));
    L_SW_Desc->Font()->SetStyle(fsBold);
    L_Begin = Make<TLabel>(this, QStringLiteral("L_Begin"));

    Shape2 = Make<TShape>(this, QStringLiteral("Shape2"));
    Shape2->SetBounds(80, 70, 348, 36);
    Shape2->Pen()->SetColor(clSilver);
    Shape2->Brush()->SetStyle(bsClear);
    L_Name_Conf = Make<TLabel>(this, QStringLiteral("L_Name_Conf"));
    L_Name_Conf_L2 = Make<TLabel>(this, QStringLiteral("L_Name_Conf_L2"));
    for (int i = 0; i < 8; ++i) {
        L_Step[i] = Make<TLabel>(this, QStringLiteral("L_Step_%1").arg(i + 1));
        L_Step[i]->Font()->SetStyle(fsBold);
    }

    auto button = [this](const QString& name, Integer width, Integer height) {
        TFxButton* b = Make<TFxButton>(this, name);
        b->SetBounds(0, 0, width, height);
        b->SetShowHint(true);
        b->OnClick = [this](TObject* Sender) { Btn_Click(Sender); };
        return b;
    };
    Btn_New = button(QStringLiteral("Btn_New"), 170, 36);
    Btn_Open = button(QStringLiteral("Btn_Open"), 170, 36);
    Btn_Prm_Gen = button(QStringLiteral("Btn_Prm_Gen"), 170, 36);
    Btn_LoRaWAN_Access = button(QStringLiteral("Btn_LoRaWAN_Access"), 170, 36);
    Btn_BACnet_SetAccess = button(QStringLiteral("Btn_BACnet_SetAccess"), 170, 36);
    Btn_CreateBin = button(QStringLiteral("Btn_CreateBin"), 170, 36);
    Btn_Info = button(QStringLiteral("Btn_Info"), 50, 50);
    Btn_Opz = button(QStringLiteral("Btn_Opz"), 50, 50);
    Btn_Close = button(QStringLiteral("Btn_Close"), 50, 50);
    for (const TOtherStep& step : Other_Steps) {
        TFxButton* b = button(QString::fromLatin1(step.Name), 170, 36);
        b->SetCaption(QString::fromUtf16(step.Caption));
        Other_Step_Buttons.push_back(b);
    }

    L_Velmora = Make<TLabel>(this, QStringLiteral("L_Velmora"));
    L_Velmora->SetCaption(Maker_Web_Host());
    L_Velmora->SetCursor(crHandPoint);
    L_Velmora->Font()->SetColor(clNavy);
    L_Velmora->OnClick = [this](TObject* Sender) { L_VelmoraClick(Sender); };

    LL_Update = Make<TLinkLabel>(this, QStringLiteral("LL_Update"));
    LL_Update->SetBounds(80, 360, 520, 17);
    LL_Update->SetVisible(false);
    LL_Update->OnLinkClick = [this](TObject* Sender, const QString& Link, TSysLinkType LinkType) {
        LL_UpdateLinkClick(Sender, Link, LinkType);
    };

    Shape1 = Make<TShape>(this, QStringLiteral("Shape1"));
    Shape1->Pen()->SetColor(clSilver);

    Timer_Update = new TTimer(this);
    Timer_Update->SetName(QStringLiteral("Timer_Update"));
    Timer_Update->SetEnabled(false);
    Timer_Update->SetInterval(First_Check_Interval);
    Timer_Update->OnTimer = [this](TObject* Sender) { Timer_UpdateTimer(Sender); };

    SD1 = new TSaveDialog(this);
    SD1->SetName(QStringLiteral("SD1"));
    SD1->SetFilter(QStringLiteral("CSV (MS-DOS) (*.csv)|*.csv"));
    SaveEDS = new TSaveDialog(this);
    SaveEDS->SetName(QStringLiteral("SaveEDS"));
    SaveEDS->SetFilter(QStringLiteral("Electronic Data Sheet (*.eds)|*.eds"));
    SaveEDS->SetDefaultExt(QStringLiteral("*.eds"));
    SaveMIB = new TSaveDialog(this);
    SaveMIB->SetName(QStringLiteral("SaveMIB"));
    SaveMIB->SetFilter(QStringLiteral("Management Information Base (*.mib)|*.mib"));
    SaveMIB->SetDefaultExt(QStringLiteral("*.mib"));

    Load_Glyphs();
    // The step buttons take the windows' look; the three corner buttons and
    // the communication step keep the plain face.
    Set_Buttons_Look(this);
    for (TFxButton* b : {Btn_Info, Btn_Opz, Btn_Close, Btn_Prm_Gen})
        b->SetStyle(bsNormal);
    for (TFxButton* b : Other_Step_Buttons)
        b->SetAlignment(taLeftJustify);

    OnCreate = [this](TObject* Sender) { FormCreate(Sender); };
    OnClose = [this](TObject* Sender, TCloseAction& Action) { FormClose(Sender, Action); };
}

TFArvintoFirmWare::~TFArvintoFirmWare()
{
    if (FArvintoFirmWare == this)
        FArvintoFirmWare = nullptr;
}

void TFArvintoFirmWare::FormCreate(TObject*)
{
    Language_Texts = std::make_unique<TStringList>();

    // The frame common to every model.
    Place(L_SW_Code, 16, 8);
    Place(L_SW_Desc, 16, 42);
    Place(L_Begin, 16, 84);
    Place(L_Name_Conf, 87, 75);
    Place(L_Name_Conf_L2, 87, 88);
    Btn_Info->SetBounds(516, 8, 50, 50);
    Btn_Opz->SetBounds(574, 8, 50, 50);
    Btn_Close->SetBounds(632, 8, 50, 50);
    for (int i = 0; i < 8; ++i) {
        Place(L_Step[i], 16, 128 + 44 * i);
        L_Step[i]->SetVisible(false);
    }
    Place(L_Velmora, 565, 392);
    L_Velmora->SetVisible(false);
    Btn_New->SetBounds(80, 112, 170, 36);
    Btn_Open->SetBounds(258, 112, 170, 36);
    Btn_Prm_Gen->SetBounds(80, 156, 170, 36);
    Btn_CreateBin->SetBounds(80, 332, 170, 36);
    for (TFxButton* b : Other_Step_Buttons)
        b->SetVisible(false);
    Btn_LoRaWAN_Access->SetVisible(false);
    Btn_BACnet_SetAccess->SetVisible(false);

    // This model's steps 1 to 5.
    for (int i = 0; i < 5; ++i)
        L_Step[i]->SetVisible(true);
    L_Velmora->SetTop(L_Step[4]->Top());
    L_Velmora->SetVisible(true);
    Btn_LoRaWAN_Access->SetBounds(80, 200, 170, 36);
    Btn_LoRaWAN_Access->SetVisible(true);
    Btn_BACnet_SetAccess->SetBounds(80, 244, 170, 36);
    Btn_BACnet_SetAccess->SetVisible(true);
    Btn_CreateBin->SetTop(288);
    Shape1->SetBounds(10, Btn_CreateBin->Top() + 51, 674, 1);
    SetClientSize(694, Btn_CreateBin->Top() + 152);

    // Program state.
    if (Exe_Folder.isEmpty())  // tests choose the program folder beforehand
        Exe_Folder = ExeFolder();
    // Beside the program, or in the user's data folder where the program's
    // folder cannot be written; a folder that cannot be made is said at once.
    for (const QString& failure : Make_Program_Folders(UserDataFolder(QStringLiteral("Arvinto"))))
        Error_Box(failure);

    Project_Name.clear();
    Read_Back = true;
    Load_Setting();
    Timer_Update->SetEnabled(Enable_Internet && Enable_Update);

    Main_Caption = QStringLiteral("Velmora - Configurator SW59D16 BACnet Master / LoRaWAN ");
    SW_Code = Const_SW_Code;
    SW_Desc = Const_SW_Desc;
    SetCaption(Main_Caption);
    L_SW_Code->SetCaption(SW_Code);
    L_SW_Desc->SetCaption(SW_Desc);

    Load_Language();

    // Reopen the last configuration while its folder is there.
    if (Project_Name.isEmpty() || !DirectoryExists(Projects_Folder + PathDelim + Project_Name)) {
        Project_Name.clear();
        Project_Folder.clear();
    } else {
        Project_Folder = Projects_Folder + PathDelim + Project_Name;
    }
    Show_Configuration_Labels();

    Wired_Slave_List = std::make_unique<TList>();
    Wireless_Slave_List = std::make_unique<TList>();
    Set_Lang();
    Set_Files();
    Row_Clipboard = std::make_unique<TStringList>();
    MIB_Read_List = std::make_unique<TStringList>();
    MIB_Write_List = std::make_unique<TStringList>();
}

void TFArvintoFirmWare::FormClose(TObject*, TCloseAction&)
{
    // A settings file that cannot be written is reported but never keeps
    // the window open.
    QString error;
    if (!Save_Setting(&error))
        Error_Box(error);
}

void TFArvintoFirmWare::Show_Configuration_Labels()
{
    if (Project_Name.isEmpty()) {
        L_Name_Conf->SetCaption(Lang(9));
        L_Name_Conf_L2->SetCaption(Lang(10));
    } else {
        L_Name_Conf->SetCaption(Lang(11));
        L_Name_Conf_L2->SetCaption(Project_Name);
    }
}

void TFArvintoFirmWare::Btn_Click(TObject* Sender)
{
    if (Sender == Btn_New) {
        Create_New_Project();
    } else if (Sender == Btn_Open) {
        Open_Project();
    } else if (Sender == Btn_Close) {
        Close();
    } else if (Sender == Btn_Info) {
        FAbout->ShowModal();
    } else if (Sender == Btn_Opz) {
        if (FSoftOptions->ShowModal() == mrOk) {
            QString error;
            if (!Save_Setting(&error))
                Error_Box(error);
            Timer_Update->SetEnabled(Enable_Internet && Enable_Update);
        }
    } else if (Project_Folder.isEmpty()) {
        Error_Box(Lang(18));
    } else if (Sender == Btn_Prm_Gen) {
        FParGen->ShowModal();
    } else if (Sender == Btn_LoRaWAN_Access) {
        FLoRa_Set_Access->ShowModal();
    } else if (Sender == Btn_BACnet_SetAccess) {
        FBACnetAccess->ShowModal();
    } else if (Is_Step(Sender, "Btn_BACnet_EDE_File")) {
        BACnet_EDE_File(*SD1);
    } else if (Is_Step(Sender, "Btn_MBus")) {
        FMeter_Bus->ShowModal();
    } else if (Is_Step(Sender, "Btn_Modbus_Set_Access")) {
        FModbus_TCP_Master_Set_Access->ShowModal();
    } else if (Is_Step(Sender, "Btn_CAN_Rec_Frame")) {
        FReceiveCAN->ShowModal();
    } else if (Is_Step(Sender, "Btn_CAN_Send_Frame")) {
        FTransmitCAN->ShowModal();
    } else if (Is_Step(Sender, "Btn_PDO_CANopen")) {
        FSet_PDO_Access->ShowModal();
    } else if (Is_Step(Sender, "Btn_SDO_Client_CANopen")) {
        FSet_SDO_Client_Access->ShowModal();
    } else if (Is_Step(Sender, "Btn_SDO_Server_CANopen")) {
        FSet_SDO_Server_Access->ShowModal();
    } else if (Is_Step(Sender, "Btn_CANopen_EDS")) {
        Build_EDS_File(*SaveEDS);
    } else if (Is_Step(Sender, "Btn_DNet_Net")) {
        FDNet->ShowModal();
    } else if (Is_Step(Sender, "Btn_DNet_Offset")) {
        FDefOffset->ShowModal();
    } else if (Is_Step(Sender, "Btn_DMX_Default")) {
        FDMXDefVal->ShowModal();
    } else if (Is_Step(Sender, "Btn_EtherNetIP_Access")) {
        FEtherNetIP_Master_Access->ShowModal();
    } else if (Is_Step(Sender, "Btn_KNX_Access")) {
        FKNXAccess->ShowModal();
    } else if (Is_Step(Sender, "Btn_PROFIBUS_GSD")) {
        Create_GSD_File();
    } else if (Is_Step(Sender, "Btn_PROFINET_XML")) {
        PROFINET_XML();
    } else if (Sender == Btn_CreateBin) {
        Update_Device();
    } else if (Is_Step(Sender, "Btn_IEC61850_Client")) {
        FIEC_61850_Access->ShowModal();
    } else if (Is_Step(Sender, "Btn_TLS_List_Certificates")) {
        FTLS_Server_Known_Cert->ShowModal();
    } else if (Is_Step(Sender, "Btn_IEC61850_Access")) {
        FIEC61850_Variables->ShowModal();
    } else if (Is_Step(Sender, "Btn_MQTT_Set_Topic")) {
        FMQTT_Set_Topic->ShowModal();
    } else if (Is_Step(Sender, "Btn_OPC_UA_Client_Access")) {
        FOPC_UA_Client_Access->ShowModal();
    } else if (Is_Step(Sender, "Btn_OPC_UA_Server_Access")) {
        FOPC_UA_Server_Access->ShowModal();
    } else if (Is_Step(Sender, "Btn_S7_Protocol_Access")) {
        FS7_Protocol_Set_Access->ShowModal();
    } else if (Is_Step(Sender, "Btn_SNMP_Manager_Access")) {
        FSNMPManagerAccess->ShowModal();
    } else if (Is_Step(Sender, "Btn_SNMP_Trap")) {
        FSNMP_Trap_Access->ShowModal();
    } else if (Is_Step(Sender, "Btn_SNMP_MIB")) {
        Create_SNMP_MIB(*SaveMIB);
    } else if (Is_Step(Sender, "Btn_ScanDecode")) {
        Scan_Decode();
    }
    // The windows of the other steps open here once they exist.
}

void TFArvintoFirmWare::PROFINET_XML()
{
    if (FProfinetFileName->ShowModal() == 1)
        Create_GSDML_File(FProfinetFileName->Name_File_XML);
}

void TFArvintoFirmWare::Scan_Decode()
{
    if (FileExists(M_Bus_File)
        && Application->MessageBox(Lang(35), Application->Title(), MB_YESNO | MB_ICONWARNING) != IDYES)
        return;
    FScanDecode->XML_Code_Dev = Get_Scan_Device_Code();
    FScanDecode->FileName_MBus = M_Bus_File;
    FScanDecode->Form_Type = Get_Scan_Form_Type();
    FScanDecode->ShowModal();
}

void TFArvintoFirmWare::Update_Device()
{
    try {
        if (!Check_Config_LoraWAN()) {
            Error_Box(Lang(30));
            return;
        }
        // The banks are written now, before the update dialog opens.
        TBin_Result result = Create_Bin();
        if (result.Ok)
            result = Save_Bin();
        if (!result.Ok) {
            Error_Box(result.Message);
            return;
        }
        FBoot->BACnetType = Get_Type_BACnet();
        FBoot->Form_Type = Boot_Form_Ethernet;
        FBoot->ShowModal();
    } catch (const std::exception& e) {
        // A configuration file that cannot be read ends the step with its reason.
        Application->ShowException(e);
    }
}

bool TFArvintoFirmWare::Check_Config_LoraWAN()
{
    return ::Check_Config_LoraWAN(*XML1);
}

Integer TFArvintoFirmWare::Get_Type_BACnet()
{
    return ::Get_Type_BACnet(*XML1);
}

void TFArvintoFirmWare::Start_Program(const QString& NomeSW, const QString& Parameter, bool tipo)
{
    ::Start_Program(NomeSW, Parameter, tipo);
}

void TFArvintoFirmWare::Timer_UpdateTimer(TObject*)
{
    Timer_Update->SetEnabled(false);
    if (Check_Version && Check_Version()) {
        LL_Update->SetCaption(QStringLiteral("<a href=\"%1\">%2</a>").arg(Maker_Download_Page(), Lang(19)));
        LL_Update->SetVisible(true);
    } else {
        LL_Update->SetVisible(false);
    }
    Timer_Update->SetInterval(Check_Interval);
    Timer_Update->SetEnabled(true);
}

void TFArvintoFirmWare::LL_UpdateLinkClick(TObject*, const QString& Link, TSysLinkType)
{
    ShellOpen(Link);
}

void TFArvintoFirmWare::L_VelmoraClick(TObject*)
{
    ShellOpen(Maker_Home_Page());
}

void TFArvintoFirmWare::Create_New_Project()
{
    if (FNew_Project->ShowModal() == mrOk) {
        L_Name_Conf->SetCaption(Lang(11));
        L_Name_Conf_L2->SetCaption(Project_Name);
    }
}

void TFArvintoFirmWare::Open_Project()
{
    if (FOpenConf->ShowModal() != mrOk)
        return;
    Project_Name = FOpenConf->Name_Conf;
    Project_Folder = Project_Name.isEmpty() ? QString() : Projects_Folder + PathDelim + Project_Name;
    Show_Configuration_Labels();
    Set_Files();
}

namespace {

template <class T>
void Refresh_Texts(T* Form)
{
    if (Form)
        Form->Set_Lang();
}

} // namespace

void TFArvintoFirmWare::Change_Language()
{
    // The windows that follow language changes, in this order; a window
    // added to the program joins the list here. The about box has fixed
    // texts and is not in it.
    Refresh_Texts(this);
    Refresh_Texts(FNew_Project);
    Refresh_Texts(FOpenConf);
    Refresh_Texts(FSoftOptions);
    Refresh_Texts(FBoot);
    Refresh_Texts(FParGen);
    Refresh_Texts(FLoRa_Set_Access);
    Refresh_Texts(FBACnetAccess);
    Refresh_Texts(FImportEDEFile);
    Refresh_Texts(FBACnetSlaveSetAccess);
    Refresh_Texts(FBACnet_Eng_Unit);
    Refresh_Texts(FMeter_Bus);
    Refresh_Texts(FNewIDNode);
    Refresh_Texts(FSetAccess);
    Refresh_Texts(FModbus_TCP_Master_Set_Access);
    Refresh_Texts(FReceiveCAN);
    Refresh_Texts(FTransmitCAN);
    Refresh_Texts(FSet_PDO_Access);
    Refresh_Texts(FSet_SDO_Client_Access);
    Refresh_Texts(FSet_SDO_Server_Access);
    Refresh_Texts(FDNet);
    Refresh_Texts(FDefOffset);
    Refresh_Texts(FDMXDefVal);
    Refresh_Texts(FEtherNetIP_Master_Access);
    Refresh_Texts(FEtherNEtIP_EDS);
    Refresh_Texts(FEtherNetIP_Data_Seg);
    Refresh_Texts(FReceiveJ1939);
    Refresh_Texts(FTransmitJ1939);
    Refresh_Texts(FKNXAccess);
    Refresh_Texts(FReceiveNMEA);
    Refresh_Texts(FTransmitNMEA);
    Refresh_Texts(FIEC_61850_Access);
    Refresh_Texts(FProfinetFileName);
    Refresh_Texts(FTLS_Server_Known_Cert);
    Refresh_Texts(FIEC61850_Variables);
    Refresh_Texts(FMQTT_Set_Topic);
    Refresh_Texts(FTopicTemplate);
    Refresh_Texts(FOPC_UA_Client_Access);
    Refresh_Texts(FOPC_UA_Add_Server);
    Refresh_Texts(FOPC_UA_Scan_Server);
    Refresh_Texts(FOPC_UA_Server_Access);
    Refresh_Texts(FS7_Protocol_Set_Access);
    Refresh_Texts(FSNMPManagerAccess);
    Refresh_Texts(FSNMP_Trap_Access);
}

void TFArvintoFirmWare::Set_Lang()
{
    L_Begin->SetCaption(Lang(0));
    for (int i = 0; i < 8; ++i)
        L_Step[i]->SetCaption(Lang(1 + i));
    Btn_Info->SetHint(Lang(12));
    Btn_Opz->SetHint(Lang(13));
    Btn_Close->SetHint(Lang(14));
    const struct { TFxButton* Button; Integer Caption; Integer Hint; } steps[] = {
        {Btn_New, 15, 22},
        {Btn_Open, 16, 23},
        {Btn_CreateBin, 17, 26},
        {Btn_Prm_Gen, 20, 24},
        {Btn_LoRaWAN_Access, 21, 25},
        {Btn_BACnet_SetAccess, 27, 29},
    };
    for (const auto& s : steps) {
        s.Button->SetCaption(Lang(s.Caption));
        s.Button->SetHint(Lang(s.Hint));
    }
    for (size_t i = 0; i < Other_Step_Buttons.size(); ++i) {
        if (Other_Steps[i].CaptionText < 0)
            continue;
        Other_Step_Buttons[i]->SetCaption(Lang(Other_Steps[i].CaptionText));
        Other_Step_Buttons[i]->SetHint(Lang(Other_Steps[i].HintText));
    }
    Show_Configuration_Labels();
}
