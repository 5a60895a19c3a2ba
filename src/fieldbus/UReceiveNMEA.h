#pragma once
// The NMEA 2000 receive frame table: the parameter groups the converter
// captures from the bus (by PGN and Source Address) and which of their
// bytes. Kept in the configuration's NMEA_Rec_Frames.xml.

#include "fieldbus/UPGNFrames.h"

class TFReceiveNMEA : public TPGNReceiveForm {
public:
    explicit TFReceiveNMEA(TComponent* AOwner);
    ~TFReceiveNMEA() override;
    QString ClassName() const override { return QStringLiteral("TFReceiveNMEA"); }
};

// The one instance, made at start-up.
extern TFReceiveNMEA* FReceiveNMEA;
