// The hidden steps of the IEC 61850, S7, SNMP, MQTT and OPC UA models: each opens its
// window on the open configuration and refuses without one; every window
// follows a language change.
#include "AppFixture.h"

#include "controls/FxButton.h"
#include "grid/columns/ExColumnGrid.h"
#include "platform/PageControl.h"
#include "platform/StdControls.h"
#include "platform/StringList.h"
#include "platform/TestHooks.h"
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
#include "shell/ULanguage.h"

#include <QDir>

namespace {

class PlantStepsTest : public AppTest {
protected:
    TFxButton* Step(const char* name) const
    {
        return static_cast<TFxButton*>(main->FindComponent(QString::fromLatin1(name)));
    }
};

TEST_F(PlantStepsTest, EachHiddenStepOpensItsWindowOnTheOpenConfiguration)
{
    const struct {
        const char* button;
        TForm* window;
    } steps[] = {{"Btn_IEC61850_Client", FIEC_61850_Access},
                 {"Btn_TLS_List_Certificates", FTLS_Server_Known_Cert},
                 {"Btn_IEC61850_Access", FIEC61850_Variables},
                 {"Btn_MQTT_Set_Topic", FMQTT_Set_Topic},
                 {"Btn_OPC_UA_Client_Access", FOPC_UA_Client_Access},
                 {"Btn_OPC_UA_Server_Access", FOPC_UA_Server_Access},
                 {"Btn_S7_Protocol_Access", FS7_Protocol_Set_Access},
                 {"Btn_SNMP_Manager_Access", FSNMPManagerAccess},
                 {"Btn_SNMP_Trap", FSNMP_Trap_Access}};
    for (const auto& s : steps) {
        SCOPED_TRACE(s.button);
        ASSERT_NE(Step(s.button), nullptr);
        ASSERT_NE(s.window, nullptr);
        DialogSeam::QueueAnswer(IDOK);
        main->Btn_Click(Step(s.button));
        EXPECT_EQ(Boxes(), QStringList{"Error! Project not Valid"});
        DialogSeam::Clear();
    }

    ASSERT_TRUE(QDir().mkpath(Exe_Folder + "/PROJECTS/Site1/bin"));
    Project_Name = "Site1";
    Project_Folder = Exe_Folder + "/PROJECTS/Site1";
    Set_Files();
    for (const auto& s : steps) {
        SCOPED_TRACE(s.button);
        bool shown = false;
        WhileModal([&] { main->Btn_Click(Step(s.button)); }, [&] {
            shown = s.window->Showing();
            s.window->SetModalResult(mrCancel);
        });
        EXPECT_TRUE(shown);
    }
    EXPECT_TRUE(Boxes().isEmpty());
}

TEST_F(PlantStepsTest, TheWindowsTakeANewLanguage)
{
    Language_Texts->Put(5200, "Argomenti MQTT");
    Language_Texts->Put(5305, "Parola chiave");
    Language_Texts->Put(5900, "Accesso S7comm");
    Language_Texts->Put(6113, "Identificatore");
    Language_Texts->Put(6209, "Scrittura SNMP");
    Language_Texts->Put(5400, "Client OPC UA");
    Language_Texts->Put(5604, "Server OPC UA attivo");
    Language_Texts->Put(5723, "ATTESA SCANSIONE...");
    Language_Texts->Put(5816, "Tipo");
    Language_Texts->Put(4900, "Client IEC 61850");
    Language_Texts->Put(4922, "Riferimento");
    Language_Texts->Put(5017, "Tipo variabile");
    Language_Texts->Put(5116, "Certificato");
    main->Change_Language();
    EXPECT_EQ(FIEC_61850_Access->Caption(), "Client IEC 61850");
    EXPECT_EQ(FIEC_61850_Access->ACG_DA->Columns()->Items(4)->Header(), "Riferimento");
    EXPECT_EQ(FIEC61850_Variables->ACG->Columns()->Items(3)->Header(), "Tipo variabile");
    EXPECT_EQ(FTLS_Server_Known_Cert->ESG->Columns()->Items(2)->Header(), "Certificato");
    EXPECT_EQ(FOPC_UA_Client_Access->Caption(), "Client OPC UA");
    EXPECT_EQ(FOPC_UA_Add_Server->CB_OPC_UA_Server_Enable->Caption(), "Server OPC UA attivo");
    EXPECT_EQ(FOPC_UA_Scan_Server->LWaiting->Caption(), "ATTESA SCANSIONE...");
    EXPECT_EQ(FOPC_UA_Server_Access->ESG->Columns()->Items(2)->Header(), "Tipo");
    EXPECT_EQ(FMQTT_Set_Topic->Caption(), "Argomenti MQTT");
    EXPECT_EQ(FTopicTemplate->ESG_Keywords->Cells(0, 0), "Parola chiave");
    EXPECT_EQ(FS7_Protocol_Set_Access->Caption(), "Accesso S7comm");
    EXPECT_EQ(FSNMPManagerAccess->ACG_SNMP->Columns()->Items(5)->Header(), "Identificatore");
    EXPECT_EQ(FSNMP_Trap_Access->TS_SNMP_Write->Caption(), "Scrittura SNMP");
}

} // namespace
