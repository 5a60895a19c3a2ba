#pragma once
// The J1939 receive frame table: the parameter groups the converter captures
// from the bus (by Data Page, PGN and Source Address), which of their bytes,
// and whether it requests them. Kept in the configuration's
// J1939_Rec_Frames.xml.

#include "fieldbus/UPGNFrames.h"

class TFReceiveJ1939 : public TPGNReceiveForm {
public:
    explicit TFReceiveJ1939(TComponent* AOwner);
    ~TFReceiveJ1939() override;
    QString ClassName() const override { return QStringLiteral("TFReceiveJ1939"); }
};

// The one instance, made at start-up.
extern TFReceiveJ1939* FReceiveJ1939;
