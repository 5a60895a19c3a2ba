#pragma once
// The DMX default values: one default value (0 .. 255) and one mnemonic per
// DMX channel, as many channels as the general parameters name. Kept in the
// configuration's DMX_Default_Values.xml.

#include "shell/URuleTableFrame.h"

class TFDMXDefVal : public TRuleTableForm {
public:
    explicit TFDMXDefVal(TComponent* AOwner);
    ~TFDMXDefVal() override;
    QString ClassName() const override { return QStringLiteral("TFDMXDefVal"); }

    TExColumnGrid* ACG_DMX_Def_Val;

    bool Controllo_dati() override;

protected:
    // One row per channel of the general parameters.
    void Prepare_Show() override;
    // Every channel starts at 0.
    void Set_Limits() override;
    // Every channel is written, as a "Row" element.
    Integer Write_End(Integer Index) const override;
    QString Row_Element() const override { return QStringLiteral("Row"); }
};

// The channels of the general parameters: 512 when they name none (or no
// number), none when they name zero or fewer.
Integer DMX_Channel_Count(const QString& ParGen_File);

// The one instance, made at start-up.
extern TFDMXDefVal* FDMXDefVal;
