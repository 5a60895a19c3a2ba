#pragma once
// Conversions between the layer's drawing attributes and Qt's. Only the
// layer's own code and code that draws with a QPainter include this.

#include "Graphics.h"

#include <QColor>
#include <QFont>
#include <QFontMetrics>

// Opaque QColor of a colour (system colours resolved); clNone gives a fully
// transparent colour.
QColor ToQColor(TColor color);
// The colour of an opaque QColor (its alpha is ignored).
TColor FromQColor(const QColor& color);
// The QFont that draws like the given font (pixel size from Height).
QFont ToQFont(const TFont& font);
// That QFont and its metrics, resolved once per distinct font for the life
// of the process (main thread only): a window of many controls in a few
// fonts asks for them again and again, and copies of one QFont share the
// font engine Qt found for it.
const QFont& QFontOf(const TFont& font);
const QFontMetrics& FontMetricsOf(const TFont& font);
