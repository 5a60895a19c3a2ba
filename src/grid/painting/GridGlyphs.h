#pragma once
// The grid's own small pictures, drawn once per process and kept: check
// boxes "ESGCHK01" .. "ESGCHK08" (01-04 20 x 20, 05-08 16 x 16: checked,
// unchecked, checked disabled, unchecked disabled), radio buttons
// "ESGRAD01" .. "ESGRAD08" (16 x 16, same order), node buttons
// "ESGLEAFOPEN", "ESGLEAFCLOSE" (16 x 16), "XPNODEO", "XPNODEC" (9 x 9) and
// the filter button "ESGFILT" (16 x 16) and the metro style's check box and
// radio button "metrocheckon", "metrocheckoff", "metroradioon",
// "metroradiooff" (16 x 16). Pixels outside the shape are transparent.

#include <QString>

#include "platform/Types.h"

class TBitmap;
class TCanvas;

// The glyph of that name; nullptr for an unknown name.
TBitmap* GridGlyph(const QString& Name);
// Draws the glyph with its top-left corner at (X, Y); nothing for an
// unknown name.
void DrawGridGlyph(TCanvas* Canvas, const QString& Name, Integer X, Integer Y);
