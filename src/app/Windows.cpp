#include "app/Windows.h"

#include "app/UArvintoFirmWare.h"

#include "bacnet/UBACnetAccess.h"
#include "bacnet/UBACnetSlaveSetAccess.h"
#include "bacnet/UBACnet_Eng_Unit.h"
#include "bacnet/UImportEDEFile.h"
#include "fieldbus/UDMXDefVal.h"
#include "fieldbus/UDefOffset.h"
#include "fieldbus/UDNet.h"
#include "fieldbus/UEtherNetIP_Data_Seg.h"
#include "fieldbus/UEtherNetIP_EDS.h"
#include "fieldbus/UEtherNetIP_Master_Access.h"
#include "fieldbus/UKNXAccess.h"
#include "fieldbus/UModbus_TCP_Master_Set_Access.h"
#include "fieldbus/UProfinetFileName.h"
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
#include "mbus/UInsertKeyWireless.h"
#include "mbus/UModbusStartAdd_SD.h"
#include "mbus/UScanDecode.h"
#include "mbus/UScanModbusStart.h"
#include "parameters/ULoRa_Set_Access.h"
#include "parameters/UParGen.h"
#include "plant/UIEC61850_Variables.h"
#include "plant/UIEC_61850_Access.h"
#include "plant/UMQTT_Set_Topic.h"
#include "plant/UOPC_UA_Add_Server.h"
#include "plant/UOPC_UA_Client_Access.h"
#include "plant/UOPC_UA_Scan_Server.h"
#include "plant/UOPC_UA_Server_Access.h"
#include "plant/US7_Protocol_Set_Access.h"
#include "plant/USNMPManagerAccess.h"
#include "plant/USNMP_Trap_Access.h"
#include "plant/UTLS_Server_Known_Cert.h"
#include "plant/UTopicTemplate.h"
#include "shell/UAbout.h"
#include "shell/UNew_Project.h"
#include "shell/UOpenConf.h"
#include "shell/USoftOptions.h"

#include "platform/Form.h"

void Create_Windows(TApplication& App)
{
    App.CreateForm(FArvintoFirmWare);
    App.CreateForm(FNew_Project);
    App.CreateForm(FOpenConf);
    App.CreateForm(FAbout);
    App.CreateForm(FSoftOptions);
    App.CreateForm(FParGen);
    App.CreateForm(FBoot);
    App.CreateForm(FLoRa_Set_Access);
    App.CreateForm(FBACnetAccess);
    App.CreateForm(FImportEDEFile);
    App.CreateForm(FBACnet_Eng_Unit);
    App.CreateForm(FBACnetSlaveSetAccess);
    App.CreateForm(FMeter_Bus);
    App.CreateForm(FNewIDNode);
    App.CreateForm(FInsertKeyWireless);
    App.CreateForm(FModbusStartAdd_SD);
    App.CreateForm(FScanDecode);
    App.CreateForm(FScanModbusStart);
    App.CreateForm(FSetAccess);
    App.CreateForm(FModbus_TCP_Master_Set_Access);
    App.CreateForm(FReceiveCAN);
    App.CreateForm(FTransmitCAN);
    App.CreateForm(FSet_PDO_Access);
    App.CreateForm(FSet_SDO_Client_Access);
    App.CreateForm(FSet_SDO_Server_Access);
    App.CreateForm(FDefOffset);
    App.CreateForm(FDNet);
    App.CreateForm(FDMXDefVal);
    App.CreateForm(FEtherNEtIP_EDS);
    App.CreateForm(FEtherNetIP_Master_Access);
    App.CreateForm(FReceiveJ1939);
    App.CreateForm(FTransmitJ1939);
    App.CreateForm(FKNXAccess);
    App.CreateForm(FReceiveNMEA);
    App.CreateForm(FTransmitNMEA);
    App.CreateForm(FProfinetFileName);
    App.CreateForm(FIEC_61850_Access);
    App.CreateForm(FTLS_Server_Known_Cert);
    App.CreateForm(FIEC61850_Variables);
    App.CreateForm(FMQTT_Set_Topic);
    App.CreateForm(FTopicTemplate);
    App.CreateForm(FOPC_UA_Client_Access);
    App.CreateForm(FOPC_UA_Add_Server);
    App.CreateForm(FOPC_UA_Scan_Server);
    App.CreateForm(FOPC_UA_Server_Access);
    App.CreateForm(FS7_Protocol_Set_Access);
    App.CreateForm(FSNMPManagerAccess);
    App.CreateForm(FSNMP_Trap_Access);
    App.CreateForm(FEtherNetIP_Data_Seg);

    // The options dialog asks through the main window's HTTP client and has
    // every window take a newly chosen language; the main window's timer
    // runs the dialog's version check.
    FSoftOptions->HTTP1 = FArvintoFirmWare->HTTP1.get();
    FSoftOptions->Change_Language = [] { FArvintoFirmWare->Change_Language(); };
    FArvintoFirmWare->Check_Version = [] { return FSoftOptions->Check_Version(); };
}
