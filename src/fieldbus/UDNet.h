#pragma once
// The DeviceNet network table: the slaves the converter serves as DeviceNet
// master, with the bytes each sends and receives. Kept in the
// configuration's DNETM_Net.xml, which the offsets window reads.

#include "shell/URuleTableFrame.h"

class TFDNet : public TRuleTableForm {
public:
    explicit TFDNet(TComponent* AOwner);
    ~TFDNet() override;
    QString ClassName() const override { return QStringLiteral("TFDNet"); }

    TExColumnGrid* ESG;

    bool Controllo_dati() override;

protected:
    // The table ends at the first empty ID cell, a blank being text.
    Integer Write_End(Integer Index) const override;
};

// The one instance, made at start-up.
extern TFDNet* FDNet;
