#pragma once
// The CANopen PDO tables: up to 30 receive and 30 transmit PDOs, each an
// 11-bit COB-ID with 1 to 8 data bytes tied to positions of the internal
// data array. Kept in the configuration's PDO_CANopen.xml, which the EDS
// writer reads too.

#include "fieldbus/UCANopenTables.h"

class TFSet_PDO_Access : public TCANopenTableForm {
public:
    explicit TFSet_PDO_Access(TComponent* AOwner);
    ~TFSet_PDO_Access() override;
    QString ClassName() const override { return QStringLiteral("TFSet_PDO_Access"); }

    TTabSheet* TS_Receive_PDO;
    TTabSheet* TS_Transmit_PDO;

    bool Do_Copy_Receive_PDO() const { return Copied(sga); }
    bool Do_Copy_Transmit_PDO() const { return Copied(sgb); }

protected:
    bool Check_Row(Integer Index, Integer Row) override;
};

// The one instance, made at start-up.
extern TFSet_PDO_Access* FSet_PDO_Access;
