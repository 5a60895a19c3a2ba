#pragma once
// The Modbus TCP master request tables: like the RTU master's, with each
// slave reached by its IP address and port. Kept in the configuration's
// ModbusTCPM_SetAccess.xml; opened by the main window's Modbus step.

#include "fieldbus/UModbusMaster.h"

class TFModbus_TCP_Master_Set_Access : public TModbusMasterForm {
public:
    explicit TFModbus_TCP_Master_Set_Access(TComponent* AOwner);
    ~TFModbus_TCP_Master_Set_Access() override;
    QString ClassName() const override { return QStringLiteral("TFModbus_TCP_Master_Set_Access"); }

protected:
    // The Topic is stored as its place in the topic list, -1 when not there.
    QString File_Value(Integer Index, Integer Col, Integer Row) const override;
};

// The one instance, made at start-up.
extern TFModbus_TCP_Master_Set_Access* FModbus_TCP_Master_Set_Access;
