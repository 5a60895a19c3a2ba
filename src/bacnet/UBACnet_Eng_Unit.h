#pragma once
// The BACnet engineering units: their numbers (0 to 236) by category with
// their list texts and names, and the dialog in which the user picks one by
// category and name and hands back its number.

#include "shell/DialogFrame.h"

#include <cstddef>

class TComboBox;
class TEdit;
class TShape;

// One unit of the table: its number, the text the unit list shows, and its
// name where that differs from the list text (else nullptr).
struct TBACnet_Eng_Unit_Entry {
    Integer Number;
    const char* List_Text;
    const char* Name;
};

struct TBACnet_Eng_Unit_Category {
    const char* Name;
    const TBACnet_Eng_Unit_Entry* Units;
    std::size_t Count;
};

// The 23 categories in list order; every number 0 to 236 stands in one.
extern const TBACnet_Eng_Unit_Category BACnet_Eng_Unit_Categories[];
extern const std::size_t BACnet_Eng_Unit_Category_Count;
constexpr Integer BACnet_Eng_Unit_Max = 236;

class TFBACnet_Eng_Unit : public TStepDialog {
public:
    explicit TFBACnet_Eng_Unit(TComponent* AOwner);
    ~TFBACnet_Eng_Unit() override;
    QString ClassName() const override { return QStringLiteral("TFBACnet_Eng_Unit"); }

    TEdit* E_Selected_EU;
    TLabel* Label5;
    TShape* Shape1;
    TShape* Shape2;
    TLabel* Label2;
    TLabel* Label3;
    TComboBox* CB_Select_Type;
    TLabel* Label4;
    TComboBox* CB_Select_Unit;
    TFxButton* Btn_Select_Eng_Unit;

    // The unit's name, "unknown" for a number outside 0 to 236.
    static QString Desc_Unit(Integer Unit);

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    // Fills the unit list with the chosen category's units, the first selected.
    void CB_Select_TypeSelect(TObject* Sender);
    // Takes the chosen unit's number into E_Selected_EU and its name into Label5.
    void Btn_Select_Eng_UnitClick(TObject* Sender);
    void Set_Lang();
};

extern TFBACnet_Eng_Unit* FBACnet_Eng_Unit;
