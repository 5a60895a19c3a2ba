#pragma once
// The CANopen SDO client tables: up to 256 read and 256 write requests the
// converter sends to other nodes' objects, polled or (writes) on a change,
// with the 1, 2 or 4 data bytes tied to positions of the internal data
// array. Kept in the configuration's SDO_Client_CANopen.xml.

#include "fieldbus/UCANopenTables.h"

class TFSet_SDO_Client_Access : public TCANopenTableForm {
public:
    explicit TFSet_SDO_Client_Access(TComponent* AOwner);
    ~TFSet_SDO_Client_Access() override;
    QString ClassName() const override { return QStringLiteral("TFSet_SDO_Client_Access"); }

    TTabSheet* TS_SDO_Read;
    TTabSheet* TS_SDO_Write;

    bool Do_Copy_SDO_Read() const { return Copied(sga); }
    bool Do_Copy_SDO_Write() const { return Copied(sgb); }

protected:
    bool Check_Row(Integer Index, Integer Row) override;
};

// The one instance, made at start-up.
extern TFSet_SDO_Client_Access* FSet_SDO_Client_Access;
