#pragma once
// The CAN receive frame table: which CAN frames the converter takes in, and
// at which positions of its internal data array each data byte is stored.
// Kept in the configuration's CAN_Rec_Frames.xml.

#include "fieldbus/UCANFrames.h"

class TFReceiveCAN : public TCANFrameForm {
public:
    explicit TFReceiveCAN(TComponent* AOwner);
    ~TFReceiveCAN() override;
    QString ClassName() const override { return QStringLiteral("TFReceiveCAN"); }

    TExColumnGrid* ACG_CAN_Receive;

protected:
    // The frame's time-out, 0 .. 100000000 ms.
    bool Check_Timing(Integer Row) override;
};

// The one instance, made at start-up.
extern TFReceiveCAN* FReceiveCAN;
