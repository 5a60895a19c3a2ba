#pragma once
// The Modbus RTU master request tables: the read requests that poll slaves
// on the serial line into the input area of the internal data array, and the
// write requests that send the output area to them. Kept in the
// configuration's ModbusM_SetAccess.xml.

#include "fieldbus/UModbusMaster.h"

class TFSetAccess : public TModbusMasterForm {
public:
    explicit TFSetAccess(TComponent* AOwner);
    ~TFSetAccess() override;
    QString ClassName() const override { return QStringLiteral("TFSetAccess"); }

    // OK: checks, writes the file and closes.
    void bitbtn1Click(TObject* Sender) { Btn_OKClick(Sender); }

protected:
    // The hidden Topic is stored as an empty index.
    QString File_Value(Integer Index, Integer Col, Integer Row) const override;
};

// The one instance, made at start-up.
extern TFSetAccess* FSetAccess;
