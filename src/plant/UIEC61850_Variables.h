#pragma once
// The variables the converter serves as an IEC 61850 server: each row names
// a variable, its type and length, whether clients may only read it, where
// its value lies in the internal data array and how it is converted and
// swapped. Kept in the configuration's IEC61850_Variables.xml; the list ends
// at the first row without a name.

#include "shell/URuleTableFrame.h"

class TFIEC61850_Variables : public TRuleTableForm {
public:
    explicit TFIEC61850_Variables(TComponent* AOwner);
    ~TFIEC61850_Variables() override;
    QString ClassName() const override { return QStringLiteral("TFIEC61850_Variables"); }

    TExColumnGrid* ACG;
    TStringList* Hint_List = nullptr;  // kept by the frame
    bool Do_Copy = false;
    // Positions of the internal data array open to these variables.
    Integer NByte_IN = 1438;

    // Checks the enabled rows up to the first without a name; shows the
    // first fault.
    bool Controllo_dati() override;

protected:
    void Set_Limits() override;
};

extern TFIEC61850_Variables* FIEC61850_Variables;
