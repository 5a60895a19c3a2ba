#pragma once
// The J1939 transmit frame table: the parameter groups the converter sends
// (priority, Data Page, PGN, Source Address, data bytes) and when: on a
// request, on a change of their data, on a timer. Kept in the
// configuration's J1939_Send_Frames.xml.

#include "fieldbus/UPGNFrames.h"

class TFTransmitJ1939 : public TPGNSendForm {
public:
    explicit TFTransmitJ1939(TComponent* AOwner);
    ~TFTransmitJ1939() override;
    QString ClassName() const override { return QStringLiteral("TFTransmitJ1939"); }

protected:
    // N Bytes defaults to 8; the older T_Type attribute gives the send
    // condition when present.
    void Row_Loaded(Integer Index, const TXMLNode& Node, Integer Row) override;
};

// The one instance, made at start-up.
extern TFTransmitJ1939* FTransmitJ1939;
