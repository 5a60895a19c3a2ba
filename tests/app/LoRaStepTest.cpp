// Step 3 of the main window: the LoRaWAN rule tables window opened on the
// open configuration, the file it writes as step 5's payload check reads
// it, and the window following a language change.
#include "AppFixture.h"

#include "app/StepChecks.h"
#include "controls/FxButton.h"
#include "grid/columns/ExColumnGrid.h"
#include "parameters/ULoRa_Set_Access.h"
#include "platform/StdControls.h"
#include "platform/StringList.h"
#include "platform/TestHooks.h"
#include "shell/ULanguage.h"

#include <QDir>

namespace {

class LoRaStepTest : public AppTest {
protected:
    void Open_Site()
    {
        ASSERT_TRUE(QDir().mkpath(Exe_Folder + "/PROJECTS/Site1/bin"));
        Project_Name = "Site1";
        Project_Folder = Exe_Folder + "/PROJECTS/Site1";
        Set_Files();
    }
    void Payload(const char* size)
    {
        Write(ParGen_File, QByteArray("<Par_Gen><LoRa_Payload_Size>") + size +
                               "</LoRa_Payload_Size><LoRa_FPort>Fixed</LoRa_FPort></Par_Gen>");
    }
};

TEST_F(LoRaStepTest, StepThreeEditsTheRulesThatStepFiveChecks)
{
    Open_Site();
    Payload("51");
    bool shown = false;
    WhileModal([&] { TestInput::Click(main->Btn_LoRaWAN_Access); }, [&] {
        TFLoRa_Set_Access* w = FLoRa_Set_Access;
        shown = w->Showing();
        EXPECT_EQ(w->L_SW_Code->Caption(), "SW59D16");
        TExColumnGrid* g = w->ACG_LoRa_Uplink;
        for (Integer c = 1; c <= 3; ++c)
            g->SetCellEx(c, 1, QStringList{"Y", "0", "49"}[c - 1]);
        for (Integer c = 1; c <= 3; ++c)
            g->SetCellEx(c, 2, QStringList{"N", "5", "999"}[c - 1]);
        TestInput::Click(w->Btn_OK);
    });
    EXPECT_TRUE(shown);
    EXPECT_TRUE(Boxes().isEmpty());

    // The enabled rule fits the payload; the disabled one is not looked at.
    TXMLDocument xml;
    EXPECT_TRUE(Check_Config_LoraWAN(xml));
    // A smaller payload set afterwards makes step 5 refuse the same file.
    Payload("40");
    EXPECT_FALSE(Check_Config_LoraWAN(xml));
}

TEST_F(LoRaStepTest, TheWindowTakesANewLanguage)
{
    Language_Texts->Put(1200, "Regole LoRaWAN");
    Language_Texts->Put(1224, "Descrizione");
    main->Change_Language();
    EXPECT_EQ(FLoRa_Set_Access->Caption(), "Regole LoRaWAN");
    EXPECT_EQ(FLoRa_Set_Access->ACG_LoRa_Uplink->Columns()->Items(9)->Header(), "Descrizione");
}

} // namespace
