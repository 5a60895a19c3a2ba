#pragma once
// The SNMP manager request table: the requests the converter sends to SNMP
// agents (Get, Set, Trap; SNMP versions 1 to 3) and where their values sit
// in the internal data array. Kept in the configuration's SNMP_Manager.xml.

#include "shell/URuleTableFrame.h"

class TFSNMPManagerAccess : public TRuleTableForm {
public:
    explicit TFSNMPManagerAccess(TComponent* AOwner);
    ~TFSNMPManagerAccess() override;
    QString ClassName() const override { return QStringLiteral("TFSNMPManagerAccess"); }

    // Checks the enabled rows, their duplicates and the text budget; shows
    // the first fault.
    bool Controllo_dati() override;

    TExColumnGrid* ACG_SNMP;
    // The header hints of the tables, kept by the frame.
    TStringList* Hint_SNMP = nullptr;
    bool Do_Copy_SNMP = false;
};

extern TFSNMPManagerAccess* FSNMPManagerAccess;
