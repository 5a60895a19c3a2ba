// Fuzz target of the configuration readers: the first byte chooses a window
// that reads a configuration file, the rest is taken as every configuration
// file of the folder, and the window is opened on it as its step opens it.
// Whatever the file holds, the window opens without crashing or hanging;
// the error boxes of a refused file are answered at once.
#include "bacnet/UBACnetAccess.h"
#include "bacnet/UBACnetSlaveSetAccess.h"
#include "fieldbus/UDMXDefVal.h"
#include "fieldbus/UDNet.h"
#include "fieldbus/UDefOffset.h"
#include "fieldbus/UEtherNetIP_Master_Access.h"
#include "fieldbus/UKNXAccess.h"
#include "fieldbus/UModbus_TCP_Master_Set_Access.h"
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
#include "parameters/ULoRa_Set_Access.h"
#include "parameters/UParGen.h"
#include "plant/UIEC61850_Variables.h"
#include "plant/UIEC_61850_Access.h"
#include "plant/UMQTT_Set_Topic.h"
#include "plant/UOPC_UA_Client_Access.h"
#include "plant/UOPC_UA_Server_Access.h"
#include "plant/US7_Protocol_Set_Access.h"
#include "plant/USNMPManagerAccess.h"
#include "plant/USNMP_Trap_Access.h"
#include "plant/UTLS_Server_Known_Cert.h"

#include "platform/Dialogs.h"
#include "platform/Form.h"
#include "platform/StringList.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

QTemporaryDir* Folder = nullptr;
std::vector<TForm*> Windows;

template <class T>
void Make(T*& Global)
{
    Global = new T(nullptr);
    Global->AfterConstruction();
    Windows.push_back(Global);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication* app = new QApplication(*argc, *argv);
    (void)app;
    Folder = new QTemporaryDir();
    Load_Default_Texts();
    SW_Code = Const_SW_Code;
    Row_Clipboard = std::make_unique<TStringList>();
    Project_Folder = Folder->path();
    Set_Files();
    DialogSeam::SetStrict(true);
    DialogSeam::SetUnansweredHandler([](const TShownDialog&) {});
    // The windows in the order of their creation at start-up; the fuzz
    // input's first byte indexes this list.
    Make(FParGen);
    Make(FLoRa_Set_Access);
    Make(FBACnetAccess);
    Make(FBACnetSlaveSetAccess);
    Make(FSetAccess);
    Make(FModbus_TCP_Master_Set_Access);
    Make(FReceiveCAN);
    Make(FTransmitCAN);
    Make(FSet_PDO_Access);
    Make(FSet_SDO_Client_Access);
    Make(FSet_SDO_Server_Access);
    Make(FDefOffset);
    Make(FDNet);
    Make(FDMXDefVal);
    Make(FEtherNetIP_Master_Access);
    Make(FReceiveJ1939);
    Make(FTransmitJ1939);
    Make(FKNXAccess);
    Make(FReceiveNMEA);
    Make(FTransmitNMEA);
    Make(FIEC_61850_Access);
    Make(FTLS_Server_Known_Cert);
    Make(FIEC61850_Variables);
    Make(FMQTT_Set_Topic);
    Make(FOPC_UA_Client_Access);
    Make(FOPC_UA_Server_Access);
    Make(FS7_Protocol_Set_Access);
    Make(FSNMPManagerAccess);
    Make(FSNMP_Trap_Access);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    TForm* form = Windows[data[0] % Windows.size()];
    const QStringList files = QDir(Folder->path()).entryList({QStringLiteral("*.xml")}, QDir::Files);
    for (const QString& name : files)
        QFile::remove(Folder->filePath(name));
    for (const QString* path : {&ParGen_File, &LoRaWAN_SetAccess_File, &ModbusM_SetAccess_File, &ModbusTCPM_SetAccess_File,
                                &CAN_Rec_Frames_File, &CAN_Send_Frames_File, &SDO_Server_CANopen_File,
                                &SDO_Client_CANopen_File, &PDO_CANopen_File, &DNETM_Net_File, &DNETM_DefOff_File,
                                &J1939_Rec_Frames_File, &J1939_Send_Frames_File, &NMEA_Rec_Frames_File,
                                &NMEA_Send_Frames_File, &DMX_Default_Values_File, &KNX_SetAccess_File,
                                &BACnet_Slave_SetAccess_File, &BACnet_Master_Access_File, &EtherNetIP_Master_Rules_File,
                                &IEC_61850_Client_File, &TLS_Known_Cert_File, &IEC61850_Variables_File,
                                &MQTT_Set_Topic_File, &OPC_UA_Client_File, &OPC_UA_Server_File, &S7_Protocol_File,
                                &SNMP_Manager_File, &SNMP_Trap_File}) {
        QFile f(*path);
        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            f.write(reinterpret_cast<const char*>(data + 1), qint64(size - 1));
    }
    DialogSeam::Clear();
    form->Hide();
    form->SetModalResult(mrNone);
    form->Show();
    form->Hide();
    DialogSeam::Clear();
    return 0;
}
