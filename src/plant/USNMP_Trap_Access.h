#pragma once
// The SNMP agent object tables: the values managers read from the converter
// (each also sent as a trap) and the values they write into its internal
// data array. Kept in the configuration's SNMP_Trap.xml, from which the MIB
// writer builds the converter's MIB file: column 0 numbers the enabled rows
// as the MIB numbers its objects.

#include <memory>

#include "shell/URuleTableFrame.h"

class TFSNMP_Trap_Access : public TRuleTableForm {
public:
    explicit TFSNMP_Trap_Access(TComponent* AOwner);
    ~TFSNMP_Trap_Access() override;
    QString ClassName() const override { return QStringLiteral("TFSNMP_Trap_Access"); }

    // Checks the enabled rows of both tables and that all their descriptions
    // differ; shows the first fault.
    bool Controllo_dati() override;
    // True on a fault. Kind 0 (community name): letters and digits only;
    // kind 1 (description): a lower-case letter first, then letters and
    // digits. An empty text passes.
    static bool Check_Error_CommName_Desc(const QString& Text, Integer Kind);
    // Column 0: 1, 2, 3 ... on the enabled rows, empty on the others.
    static void Index_Row_Build(TExColumnGrid* Grid);
    void ACG_SNMP_ReadCheckBoxClick(TObject* Sender, Integer ACol, Integer ARow, bool State);

    TTabSheet* TS_SNMP_Read;
    TTabSheet* TS_SNMP_Write;
    TExColumnGrid* ACG_SNMP_Read;
    TExColumnGrid* ACG_SNMP_Write;

    // The header hints of the tables, kept by the frame.
    TStringList* Hint_SNMP_Read = nullptr;
    TStringList* Hint_SNMP_Write = nullptr;
    std::unique_ptr<TStringList> SL_Check_Desc;
    Integer NByte_IN = 1440;
    Integer NByte_OUT = 1440;
    bool Do_Copy_In_Read = false;
    bool Do_Copy_In_Write = false;

protected:
    // Both areas 1440 bytes, the Position lists to match.
    void Set_Limits() override;
    // Column 0 numbers the enabled rows of both tables.
    void Show_Done() override;
};

extern TFSNMP_Trap_Access* FSNMP_Trap_Access;
