// Step 5 reading long tables: the payload check and the compiler over
// configuration files of 40,000 rows a table (more than any table window
// writes, as a hand-made or foreign file may hold). One step per row keeps
// this well under a second; a reader that walks from the first row for
// every row takes tens of seconds.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include "app/StepChecks.h"
#include "image/USaveBincc.h"
#include "platform/XmlDocument.h"
#include "shell/UComon.h"

namespace {

constexpr int Rows = 40000;

void Write_Text(const QString& path, const QByteArray& text)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
        qFatal("cannot write %s", qPrintable(path));
}

void Make_Long_Configuration(const QString& folder)
{
    Write_Text(folder + QStringLiteral("/ParGen.xml"),
               "<Par_Gen><LoRa_RF_Band>EU868</LoRa_RF_Band><LoRa_Payload_Size>51</LoRa_Payload_Size>"
               "<BACnet_Master_Type>0</BACnet_Master_Type></Par_Gen>");
    QByteArray lora = "<LoRaWAN_Set_Access><LoRaWAN_Uplink>\n";
    for (int i = 0; i < Rows; ++i)
        lora += "<row Enable=\"Y\" StartByte=\"" + QByteArray::number(i % 1500) + "\" NumByte=\"4\" OnChange=\"Y\" "
                "OnCMD=\"N\" OnTimer=\"N\" Time=\"\" FPort=\"\" Mnemonic=\"up\"/>\n";
    lora += "</LoRaWAN_Uplink><LoRaWAN_Downlink>\n";
    for (int i = 0; i < Rows; ++i)
        lora += "<row Enable=\"Y\" StartByte=\"" + QByteArray::number(i % 1500) + "\" NumByte=\"2\" FPort=\"\" "
                "Mnemonic=\"down\"/>\n";
    Write_Text(folder + QStringLiteral("/LoRaWAN_SetAccess.xml"),
               lora + "</LoRaWAN_Downlink></LoRaWAN_Set_Access>\n");
    QByteArray bacnet = "<BACnet_Master_Access><BACnet_Read>\n";
    for (int i = 0; i < Rows; ++i)
        bacnet += "<row Enable=\"N\" IP_Address_Slave_ID=\"192.168.0.1\" Object_Type=\"Analog Input\" Instance=\"1\" "
                  "Property=\"Present Value (85)\" NumByte=\"4\" Position=\"0\" Mnemonic=\"r\"/>\n";
    Write_Text(folder + QStringLiteral("/BACnet_Master_Access.xml"),
               bacnet + "</BACnet_Read><BACnet_Write/></BACnet_Master_Access>\n");
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
