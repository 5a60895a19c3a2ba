// Compiling and writing the banks of a full configuration: 256 uplink and
// 256 downlink rules and 1024 BACnet requests; and step 5 over tables far
// longer than that.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "app/StepChecks.h"
#include "image/USaveBincc.h"
#include "platform/XmlDocument.h"
#include "shell/UComon.h"

namespace {

void Write_Text(const QString& path, const QString& text)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0)
        qFatal("cannot write %s", qPrintable(path));
}

// A configuration folder with every table full.
void Make_Full_Configuration(const QString& folder)
{
    QDir(folder).mkpath(QStringLiteral("bin"));
    Write_Text(folder + QStringLiteral("/ParGen.xml"),
               QStringLiteral("<Par_Gen><LoRa_RF_Band>EU868</LoRa_RF_Band><LoRa_FPort>Variable</LoRa_FPort>"
                              "<LoRa_Payload_Size>242</LoRa_Payload_Size><BACnet_Master_Type>0</BACnet_Master_Type>"
                              "</Par_Gen><!--SW_VERSION = 1.006-->\n"));

    QString lora = QStringLiteral("<LoRaWAN_Set_Access><LoRaWAN_Uplink>\n");
    for (int i = 0; i < 256; ++i)
        lora += QStringLiteral("<row Enable=\"Y\" StartByte=\"%1\" NumByte=\"4\" OnChange=\"Y\" OnCMD=\"N\" "
                               "OnTimer=\"Y\" Time=\"60\" FPort=\"%2\" Mnemonic=\"up %1\"/>\n")
                    .arg(i * 4).arg(i % 223 + 1);
    lora += QStringLiteral("</LoRaWAN_Uplink><LoRaWAN_Downlink>\n");
    for (int i = 0; i < 256; ++i)
        lora += QStringLiteral("<row Enable=\"Y\" StartByte=\"%1\" NumByte=\"2\" FPort=\"%2\" Mnemonic=\"down\"/>\n")
                    .arg(1024 + i * 2).arg(i % 223 + 1);
    lora += QStringLiteral("</LoRaWAN_Downlink></LoRaWAN_Set_Access><!--SW_VERSION = 1.006-->\n");
    Write_Text(folder + QStringLiteral("/LoRaWAN_SetAccess.xml"), lora);

    QString bacnet = QStringLiteral("<BACnet_Master_Access><BACnet_Read>\n");
    for (int i = 0; i < 512; ++i)
        bacnet += QStringLiteral("<row Enable=\"Y\" IP_Address_Slave_ID=\"192.168.0.%1\" Object_Type=\"Analog Input\" "
                                 "Instance=\"%2\" Property=\"Present Value (85)\" NumByte=\"4\" Enable_Destination=\"Y\" "
                                 "Destination_Network=\"5\" Destination_Length=\"M3\" Destination_Address=\"1,2,3\" "
                                 "PollTime=\"1000\" MaxError=\"3\" Position=\"%3\" StartBit=\"0\" Swap=\"N\" "
                                 "FloatToInt=\"Y\" MultiplicationFactor=\"0.5\" Mnemonic=\"read\"/>\n")
                      .arg(i % 250 + 1).arg(i).arg(i % 1440);
    bacnet += QStringLiteral("</BACnet_Read><BACnet_Write>\n");
    for (int i = 0; i < 512; ++i)
        bacnet += QStringLiteral("<row Enable=\"Y\" IP_Address_Slave_ID=\"192.168.1.%1\" Object_Type=\"Analog Output\" "
                                 "Data_Type=\"Real\" Instance=\"%2\" Property=\"Present Value (85)\" Priority=\"8\" "
                                 "NumByte=\"4\" Enable_Destination=\"N\" Destination_Network=\"1\" "
                                 "Destination_Length=\"6\" Destination_Address=\"10.0.0.1:47808\" OnChange=\"Y\" "
                                 "OnTimer=\"Y\" PollTime=\"2000\" MaxError=\"3\" Position=\"%3\" StartBit=\"0\" "
                                 "Swap=\"N\" IntToFloat=\"N\" MultiplicationFactor=\"\" Mnemonic=\"write\"/>\n")
                      .arg(i % 250 + 1).arg(i).arg(i % 1440);
    bacnet += QStringLiteral("</BACnet_Write></BACnet_Master_Access><!--SW_VERSION = 1.006-->\n");
    Write_Text(folder + QStringLiteral("/BACnet_Master_Access.xml"), bacnet);
}

void BM_Compile_And_Write_Full_Configuration(benchmark::State& state)
{
    QTemporaryDir dir;
    Project_Folder = dir.path();
    Set_Files();
    Make_Full_Configuration(dir.path());
    for (auto _ : state) {
        const TBin_Result compiled = Create_Bin();
        const TBin_Result saved = Save_Bin();
        if (!compiled.Ok || !saved.Ok || Bank2_Length != Bank2_Size || LoRaWAN_Head.Uplink_Count != 256
            || LoRaWAN_Head.Downlink_Count != 256 || Param_Block[PB_BACnet_Request_Count + 1] != 1024 / 256) {
            state.SkipWithError("compile or write failed");
            break;
        }
        benchmark::DoNotOptimize(Bank1_Buffer[Param_Checksum_Offset]);
    }
    Project_Folder.clear();
}
BENCHMARK(BM_Compile_And_Write_Full_Configuration)->Unit(benchmark::kMillisecond);

// Step 5 reading long tables: the payload check and the compiler over files
// of 40,000 rows a table (more than any table window writes, as a hand-made
// or foreign file may hold). One step per row keeps this well under a
// second; a reader that walks from the first row for every row takes tens
// of seconds.
constexpr int Long_Rows = 40000;

void Make_Long_Configuration(const QString& folder)
{
    Write_Text(folder + QStringLiteral("/ParGen.xml"),
               QStringLiteral("<Par_Gen><LoRa_RF_Band>EU868</LoRa_RF_Band><LoRa_Payload_Size>51</LoRa_Payload_Size>"
               "<BACnet_Master_Type>0</BACnet_Master_Type></Par_Gen>"));
    QByteArray lora = "<LoRaWAN_Set_Access><LoRaWAN_Uplink>\n";
    for (int i = 0; i < Long_Rows; ++i)
        lora += "<row Enable=\"Y\" StartByte=\"" + QByteArray::number(i % 1500) + "\" NumByte=\"4\" OnChange=\"Y\" "
                "OnCMD=\"N\" OnTimer=\"N\" Time=\"\" FPort=\"\" Mnemonic=\"up\"/>\n";
    lora += "</LoRaWAN_Uplink><LoRaWAN_Downlink>\n";
    for (int i = 0; i < Long_Rows; ++i)
        lora += "<row Enable=\"Y\" StartByte=\"" + QByteArray::number(i % 1500) + "\" NumByte=\"2\" FPort=\"\" "
                "Mnemonic=\"down\"/>\n";
    Write_Text(folder + QStringLiteral("/LoRaWAN_SetAccess.xml"),
               QString::fromLatin1(lora + "</LoRaWAN_Downlink></LoRaWAN_Set_Access>\n"));
    QByteArray bacnet = "<BACnet_Master_Access><BACnet_Read>\n";
    for (int i = 0; i < Long_Rows; ++i)
        bacnet += "<row Enable=\"N\" IP_Address_Slave_ID=\"192.168.0.1\" Object_Type=\"Analog Input\" Instance=\"1\" "
                  "Property=\"Present Value (85)\" NumByte=\"4\" Position=\"0\" Mnemonic=\"r\"/>\n";
    Write_Text(folder + QStringLiteral("/BACnet_Master_Access.xml"),
               QString::fromLatin1(bacnet + "</BACnet_Read><BACnet_Write/></BACnet_Master_Access>\n"));
}

void BM_Step_Five_Reads_40000_Rows_A_Table(benchmark::State& state)
{
    QTemporaryDir dir;
    Project_Folder = dir.path();
    Set_Files();
    Make_Long_Configuration(dir.path());
    for (auto _ : state) {
        TXMLDocument xml;
        const bool payload_ok = Check_Config_LoraWAN(xml);
        const TBin_Result compiled = Create_Bin();
        if (!payload_ok || !compiled.Ok) {
            state.SkipWithError("the long configuration did not pass step 5");
            break;
        }
        benchmark::DoNotOptimize(Bank2_Length);
    }
    Project_Folder.clear();
}
BENCHMARK(BM_Step_Five_Reads_40000_Rows_A_Table)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
