#pragma once
// The CAN transmit frame table: which CAN frames the converter sends, when
// (on a change of its data, on a command, on a timer) and from which
// positions of its internal data array each data byte is taken. Kept in the
// configuration's CAN_Send_Frames.xml.

#include "fieldbus/UCANFrames.h"

class TFTransmitCAN : public TCANFrameForm {
public:
    explicit TFTransmitCAN(TComponent* AOwner);
    ~TFTransmitCAN() override;
    QString ClassName() const override { return QStringLiteral("TFTransmitCAN"); }

    TExColumnGrid* ACG_CAN_Transmit;

protected:
    // With On Timer ticked, the period 0 .. 100000000 ms.
    bool Check_Timing(Integer Row) override;
    // A rule sent on a timer without a stored period gets 0.
    void Row_Loaded(Integer Index, const TXMLNode& Node, Integer Row) override;
};

// The one instance, made at start-up.
extern TFTransmitCAN* FTransmitCAN;
