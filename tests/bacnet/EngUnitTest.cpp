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

class EngUnitPickerTest : public TDescriptionDialogTest<TFBACnet_Eng_Unit> {
protected:
    // Picks an entry of a list with the arrow keys, as a user does.
    static void Pick(TComboBox* list, Integer item)
    {
        for (Integer guard = 0; list->ItemIndex() != item && guard < 80; ++guard)
            TestInput::PressKey(list, list->ItemIndex() < item ? VK_DOWN : VK_UP);
        ASSERT_EQ(list->ItemIndex(), item);
    }
};

TEST_F(EngUnitPickerTest, TheUserPicksACategoryAndAUnitAndTakesItsNumber)
{
    EXPECT_EQ(dialog->Caption(), "Select the BACnet Engineering Unit");
    EXPECT_EQ(dialog->ClientWidth(), 548);
    EXPECT_EQ(dialog->ClientHeight(), 306);
    EXPECT_EQ(dialog->Label1->Caption(), "Selected BACnet Engineering Unit");
    EXPECT_EQ(dialog->Btn_Select_Eng_Unit->Caption(), "Select Engineering Unit");
    EXPECT_EQ(dialog->CB_Select_Type->Items()->Count(), 23);
    EXPECT_EQ(dialog->CB_Select_Type->Text(), "Acceleration");

    // What the server tables do before showing it: the cell's code and its name.
    dialog->E_Selected_EU->SetText("abc");
    dialog->Label5->SetCaption("-> " + TFBACnet_Eng_Unit::Desc_Unit(-1));
    EXPECT_EQ(WhileShown([&] {
                  EXPECT_EQ(dialog->CB_Select_Unit->Items()->Count(), 1);
                  EXPECT_EQ(dialog->CB_Select_Unit->Text(), "meters-per-second-per-second");
                  EXPECT_FALSE(testsupport::SaveScreenshot(GrabControl(dialog), "TFBACnet_Eng_Unit-unknown").isEmpty());
                  Pick(dialog->CB_Select_Type, 16);
                  EXPECT_EQ(dialog->CB_Select_Unit->Items()->Count(), 9);
                  EXPECT_EQ(dialog->CB_Select_Unit->Text(), "degrees-Celsius");
                  TestInput::Click(dialog->Btn_Select_Eng_Unit);
                  EXPECT_TRUE(dialog->Visible());  // the button leaves the dialog open
                  EXPECT_EQ(dialog->E_Selected_EU->Text(), "62");
                  EXPECT_EQ(dialog->Label5->Caption(), "-> degrees-Celsius");
                  EXPECT_FALSE(testsupport::SaveScreenshot(GrabControl(dialog), "TFBACnet_Eng_Unit-chosen").isEmpty());
                  TestInput::Click(dialog->Btn_OK);
              }),
              mrOk);

    // The next showing keeps the category and selects its first unit; a list
    // text that differs from the unit's name still gives the name.
    EXPECT_EQ(WhileShown([&] {
                  EXPECT_EQ(dialog->CB_Select_Type->Text(), "Temperature");
                  Pick(dialog->CB_Select_Unit, 3);
                  Pick(dialog->CB_Select_Type, 3);
                  EXPECT_EQ(dialog->CB_Select_Unit->ItemIndex(), 0);
                  Pick(dialog->CB_Select_Unit, 11);
                  EXPECT_EQ(dialog->CB_Select_Unit->Text(), "ohms-meters");
                  TestInput::Click(dialog->Btn_Select_Eng_Unit);
                  EXPECT_EQ(dialog->E_Selected_EU->Text(), "172");
                  EXPECT_EQ(dialog->Label5->Caption(), "-> ohm-meters");
                  TestInput::Click(dialog->Btn_Cancel);
              }),
              mrCancel);
}

TEST_F(EngUnitPickerTest, ANumberTypedByTheUserIsHandedBackAsItStands)
{
    dialog->E_Selected_EU->SetText("62");
    dialog->Label5->SetCaption("-> degrees-Celsius");
    EXPECT_EQ(WhileShown([&] {
                  dialog->E_Selected_EU->SetText("");
                  TestInput::TypeText(dialog->E_Selected_EU, "999");
                  TestInput::Click(dialog->Btn_OK);
              }),
              mrOk);
    EXPECT_EQ(dialog->E_Selected_EU->Text(), "999");
    EXPECT_EQ(dialog->Label5->Caption(), "-> degrees-Celsius");  // not updated while typing
}

} // namespace
