#pragma once
// The SNMP manager request table: the requests the converter sends to SNMP
// agents (Get, Set, Trap; SNMP versions 1 to 3) and where their values sit
// in the internal data array. Kept in the configuration's SNMP_Manager.xml.

#include <memory>

#include "plant/TableWindow.h"

class TFSNMPManagerAccess : public TTable_Window {
public:
    explicit TFSNMPManagerAccess(TComponent* AOwner);
    ~TFSNMPManagerAccess() override;
    QString ClassName() const override { return QStringLiteral("TFSNMPManagerAccess"); }

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    // Checks the enabled rows, their duplicates and the text budget; shows
    // the first fault.
    bool Controllo_dati();
    void Btn_OKClick(TObject* Sender);
    void Set_Lang();

    TExColumnGrid* ACG_SNMP;
    std::unique_ptr<TStringList> Hint_SNMP;
    bool Do_Copy_SNMP = false;

protected:
    TExColumnGrid* Shown_Grid() const override { return ACG_SNMP; }
};

extern TFSNMPManagerAccess* FSNMPManagerAccess;
