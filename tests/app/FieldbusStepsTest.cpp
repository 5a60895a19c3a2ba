// The hidden Modbus, CAN, CANopen, DeviceNet, DMX, EtherNet/IP and KNX steps of the main window: each opens its rule
// table window on the open configuration, and the windows take a new
// language with the rest.
#include "AppFixture.h"

#include "controls/FxButton.h"
#include "fieldbus/UDMXDefVal.h"
#include "fieldbus/UDNet.h"
#include "fieldbus/UDefOffset.h"
#include "fieldbus/UEtherNetIP_Data_Seg.h"
#include "fieldbus/UEtherNetIP_EDS.h"
#include "fieldbus/UEtherNetIP_Master_Access.h"
#include "fieldbus/UKNXAccess.h"
#include "fieldbus/UModbus_TCP_Master_Set_Access.h"
#include "fieldbus/UReceiveCAN.h"
#include "fieldbus/UReceiveJ1939.h"
#include "fieldbus/UReceiveNMEA.h"
#include "fieldbus/USet_PDO_Access.h"
#include "fieldbus/USet_SDO_Client_Access.h"
#include "fieldbus/USet_SDO_Server_Access.h"
#include "fieldbus/USetAccess.h"
#include "fieldbus/UTransmitCAN.h"
#include "fieldbus/UTransmitJ1939.h"
#include "fieldbus/UTransmitNMEA.h"
#include "grid/columns/ExColumnGrid.h"
#include "platform/PageControl.h"
#include "platform/StringList.h"
#include "platform/TestHooks.h"
#include "shell/ULanguage.h"

#include <QDir>

namespace {

class FieldbusStepsTest : public AppTest {
protected:
    TFxButton* Step(const char* name) const
    {
        for (TFxButton* b : main->Other_Step_Buttons)
            if (b->Name() == QLatin1String(name))
                return b;
        ADD_FAILURE() << name;
        return nullptr;
    }
};

TEST_F(FieldbusStepsTest, EachHiddenStepOpensItsWindow)
{
    ASSERT_TRUE(QDir().mkpath(Exe_Folder + "/PROJECTS/Site1"));
    Project_Name = "Site1";
    Project_Folder = Exe_Folder + "/PROJECTS/Site1";
    Set_Files();
    const struct {
        const char* button;
        TForm* window;
    } steps[] = {
        {"Btn_Modbus_Set_Access", FModbus_TCP_Master_Set_Access},
        {"Btn_CAN_Rec_Frame", FReceiveCAN},
        {"Btn_CAN_Send_Frame", FTransmitCAN},
        {"Btn_PDO_CANopen", FSet_PDO_Access},
        {"Btn_SDO_Client_CANopen", FSet_SDO_Client_Access},
        {"Btn_SDO_Server_CANopen", FSet_SDO_Server_Access},
        {"Btn_DNet_Net", FDNet},
        {"Btn_DNet_Offset", FDefOffset},
        {"Btn_DMX_Default", FDMXDefVal},
        {"Btn_EtherNetIP_Access", FEtherNetIP_Master_Access},
        {"Btn_KNX_Access", FKNXAccess},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.button);
        ASSERT_NE(s.window, nullptr);
        bool shown = false;
        WhileModal([&] { main->Btn_Click(Step(s.button)); }, [&] {
            shown = s.window->Showing();
            TestInput::Click(static_cast<TStepDialog*>(s.window)->Btn_Cancel);
        });
        EXPECT_TRUE(shown);
        EXPECT_TRUE(Boxes().isEmpty());
    }
    // Nothing was saved.
    EXPECT_FALSE(QFile::exists(ModbusTCPM_SetAccess_File));
    EXPECT_FALSE(QFile::exists(CAN_Rec_Frames_File));
}

TEST_F(FieldbusStepsTest, TheWindowsTakeANewLanguage)
{
    Language_Texts->Put(3000, "Accesso Modbus RTU");
    Language_Texts->Put(3100, "Accesso Modbus TCP");
    Language_Texts->Put(3322, "Descrizione");
    Language_Texts->Put(3400, "Trasmissione CAN");
    Language_Texts->Put(3514, "PDO ricevuti");
    Language_Texts->Put(3600, "Client SDO");
    Language_Texts->Put(3748, "Scrive il byte 4");
    Language_Texts->Put(4300, "Ricezione J1939");
    Language_Texts->Put(4424, "Descrizione J1939");
    Language_Texts->Put(3906, "Byte in ingresso");
    Language_Texts->Put(4159, "Importa EDS");
    Language_Texts->Put(4207, "Nome della connessione");
    Language_Texts->Put(6310, "Valore");
    Language_Texts->Put(4500, "Accesso KNX");
    Language_Texts->Put(4630, "Descrive il frame");
    Language_Texts->Put(4713, "Incolla");
    main->Change_Language();
    EXPECT_EQ(FSetAccess->Caption(), "Accesso Modbus RTU");
    EXPECT_EQ(FModbus_TCP_Master_Set_Access->Caption(), "Accesso Modbus TCP");
    EXPECT_EQ(FReceiveCAN->ACG_CAN_Receive->Columns()->Items(14)->Header(), "Descrizione");
    EXPECT_EQ(FTransmitCAN->Caption(), "Trasmissione CAN");
    EXPECT_EQ(FSet_PDO_Access->TS_Receive_PDO->Caption(), "PDO ricevuti");
    EXPECT_EQ(FSet_SDO_Client_Access->Caption(), "Client SDO");
    EXPECT_EQ(FSet_SDO_Server_Access->Hint_List(FSet_SDO_Server_Access->sgb)->Strings(6), "Scrive il byte 4");
    EXPECT_EQ(FReceiveJ1939->Caption(), "Ricezione J1939");
    EXPECT_EQ(FTransmitJ1939->sga->Columns()->Items(10)->Header(), "Descrizione J1939");
    EXPECT_EQ(FDefOffset->TabSheet1->Caption(), "Byte in ingresso");
    EXPECT_EQ(FEtherNetIP_Master_Access->Btn_Import_EDS->Caption(), "Importa EDS");
    EXPECT_EQ(FEtherNEtIP_EDS->ACG->Columns()->Items(1)->Header(), "Nome della connessione");
    EXPECT_EQ(FEtherNetIP_Data_Seg->ESG_DataSeg->Cells(4, 0), "Valore");
    EXPECT_EQ(FKNXAccess->Caption(), "Accesso KNX");
    EXPECT_EQ(FReceiveNMEA->Hint_List(FReceiveNMEA->sga)->Strings(7), "Descrive il frame");
    EXPECT_EQ(FTransmitNMEA->Btn_PasteRow->Hint(), "Incolla");
}

} // namespace
