// The engineering units: the table's numbers and names, and the picker as a
// user works it (category, unit, the button, OK and Cancel).
#include "bacnet/UBACnet_Eng_Unit.h"

#include "DescriptionFileTest.h"
#include "Screenshot.h"

#include "controls/FxButton.h"
#include "platform/Form.h"
#include "platform/StdControls.h"
#include "platform/TestHooks.h"

#include <QImage>
#include <QTimer>
#include <set>

namespace {

TEST(BACnetEngUnits, EveryNumberHasOneEntryAndItsName)
{
    std::multiset<Integer> numbers;
    std::vector<std::size_t> counts;
    for (std::size_t c = 0; c < BACnet_Eng_Unit_Category_Count; ++c) {
        counts.push_back(BACnet_Eng_Unit_Categories[c].Count);
        for (std::size_t u = 0; u < BACnet_Eng_Unit_Categories[c].Count; ++u)
            numbers.insert(BACnet_Eng_Unit_Categories[c].Units[u].Number);
    }
    EXPECT_EQ(counts, (std::vector<std::size_t>{1, 4, 10, 35, 15, 5, 4, 1, 6, 2, 7, 7, 5, 9, 8, 12, 9, 9, 1, 9, 6, 13, 59}));
    ASSERT_EQ(numbers.size(), 237u);
    for (Integer n = 0; n <= 236; ++n)
        EXPECT_EQ(numbers.count(n), 1u) << n;

    const struct { Integer number; const char* name; } names[] = {
        {-1, "unknown"}, {237, "unknown"}, {65535, "unknown"}, {0, "square-meters"}, {95, "no-units"},
        {207, "per-mille"}, {236, "minutes-per-degree-kelvin"}, {172, "ohm-meters"}, {62, "degrees-Celsius"},
        {139, "megajoules-hours-per-square-meter"}, {140, "megajoules-hours-per-square-foot"}, {51, "housepower"},
        {103, "radiants"}, {77, "feet-per-meters"}, {153, "newton"}, {166, "meters-per-second-per-second"},
    };
    for (const auto& n : names)
        EXPECT_EQ(TFBACnet_Eng_Unit::Desc_Unit(n.number), n.name) << n.number;
    const TBACnet_Eng_Unit_Category& other = BACnet_Eng_Unit_Categories[22];
    EXPECT_STREQ(other.Name, "Other");
    EXPECT_EQ(other.Units[29].Number, 207);
    EXPECT_EQ(other.Units[58].Number, 236);
}

class EngUnitPickerTest : public TDescriptionFileTest {
protected:
    void SetUp() override
    {
        TDescriptionFileTest::SetUp();
        Application->CreateForm(picker);
    }
    void TearDown() override
    {
        delete picker;
        TDescriptionFileTest::TearDown();
    }
    Integer WhileShown(const std::function<void()>& action)
    {
        QTimer::singleShot(0, action);
        return picker->ShowModal();
    }
    // Picks an entry of a list with the arrow keys, as a user does.
    static void Pick(TComboBox* list, Integer item)
    {
        for (Integer guard = 0; list->ItemIndex() != item && guard < 80; ++guard)
            TestInput::PressKey(list, list->ItemIndex() < item ? VK_DOWN : VK_UP);
        ASSERT_EQ(list->ItemIndex(), item);
    }
    TFBACnet_Eng_Unit* picker = nullptr;
};

TEST_F(EngUnitPickerTest, TheUserPicksACategoryAndAUnitAndTakesItsNumber)
{
    EXPECT_EQ(picker->Caption(), "Select the BACnet Engineering Unit");
    EXPECT_EQ(picker->ClientWidth(), 548);
    EXPECT_EQ(picker->ClientHeight(), 306);
    EXPECT_EQ(picker->Label1->Caption(), "Selected BACnet Engineering Unit");
    EXPECT_EQ(picker->Btn_Select_Eng_Unit->Caption(), "Select Engineering Unit");
    EXPECT_EQ(picker->CB_Select_Type->Items()->Count(), 23);
    EXPECT_EQ(picker->CB_Select_Type->Text(), "Acceleration");

    // What the server tables do before showing it: the cell's code and its name.
    picker->E_Selected_EU->SetText("abc");
    picker->Label5->SetCaption("-> " + TFBACnet_Eng_Unit::Desc_Unit(-1));
    EXPECT_EQ(WhileShown([&] {
                  EXPECT_EQ(picker->CB_Select_Unit->Items()->Count(), 1);
                  EXPECT_EQ(picker->CB_Select_Unit->Text(), "meters-per-second-per-second");
                  EXPECT_FALSE(testsupport::SaveScreenshot(GrabControl(picker), "TFBACnet_Eng_Unit-unknown").isEmpty());
                  Pick(picker->CB_Select_Type, 16);
                  EXPECT_EQ(picker->CB_Select_Unit->Items()->Count(), 9);
                  EXPECT_EQ(picker->CB_Select_Unit->Text(), "degrees-Celsius");
                  TestInput::Click(picker->Btn_Select_Eng_Unit);
                  EXPECT_TRUE(picker->Visible());  // the button leaves the dialog open
                  EXPECT_EQ(picker->E_Selected_EU->Text(), "62");
                  EXPECT_EQ(picker->Label5->Caption(), "-> degrees-Celsius");
                  EXPECT_FALSE(testsupport::SaveScreenshot(GrabControl(picker), "TFBACnet_Eng_Unit-chosen").isEmpty());
                  TestInput::Click(picker->Btn_OK);
              }),
              mrOk);

    // The next showing keeps the category and selects its first unit; a list
    // text that differs from the unit's name still gives the name.
    EXPECT_EQ(WhileShown([&] {
                  EXPECT_EQ(picker->CB_Select_Type->Text(), "Temperature");
                  Pick(picker->CB_Select_Unit, 3);
                  Pick(picker->CB_Select_Type, 3);
                  EXPECT_EQ(picker->CB_Select_Unit->ItemIndex(), 0);
                  Pick(picker->CB_Select_Unit, 11);
                  EXPECT_EQ(picker->CB_Select_Unit->Text(), "ohms-meters");
                  TestInput::Click(picker->Btn_Select_Eng_Unit);
                  EXPECT_EQ(picker->E_Selected_EU->Text(), "172");
                  EXPECT_EQ(picker->Label5->Caption(), "-> ohm-meters");
                  TestInput::Click(picker->Btn_Cancel);
              }),
              mrCancel);
}

TEST_F(EngUnitPickerTest, ANumberTypedByTheUserIsHandedBackAsItStands)
{
    picker->E_Selected_EU->SetText("62");
    picker->Label5->SetCaption("-> degrees-Celsius");
    EXPECT_EQ(WhileShown([&] {
                  picker->E_Selected_EU->SetText("");
                  TestInput::TypeText(picker->E_Selected_EU, "999");
                  TestInput::Click(picker->Btn_OK);
              }),
              mrOk);
    EXPECT_EQ(picker->E_Selected_EU->Text(), "999");
    EXPECT_EQ(picker->Label5->Caption(), "-> degrees-Celsius");  // not updated while typing
}

} // namespace
