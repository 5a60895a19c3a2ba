#pragma once
// The NMEA 2000 transmit frame table: the parameter groups the converter
// sends (priority, PGN, Source Address, fast packet, data bytes) and when:
// on request, on a change of their data, on a timer. Kept in the
// configuration's NMEA_Send_Frames.xml.

#include "fieldbus/UPGNFrames.h"

class TFTransmitNMEA : public TPGNSendForm {
public:
    explicit TFTransmitNMEA(TComponent* AOwner);
    ~TFTransmitNMEA() override;
    QString ClassName() const override { return QStringLiteral("TFTransmitNMEA"); }
};

// The one instance, made at start-up.
extern TFTransmitNMEA* FTransmitNMEA;
