#pragma once
// What the one-line edits with an embedded button (the spin edit and the
// edit with button) share: where the button sits, the text heights their
// minimum height is made of, and which keys and characters cut or paste.

#include "platform/Control.h"

class TFont;

// The embedded button's bounds in an edit of Width x Height. A bordered 3D
// edit keeps the button inside its sunken edge.
TRect EmbeddedButtonBounds(Integer Width, Integer Height, Integer ButtonWidth, TBorderStyle BorderStyle, bool Ctl3D);
// The width of the sunken edge around a bordered 3D edit's text area.
Integer EditClientEdge(TBorderStyle BorderStyle, bool Ctl3D);
// The text heights of the font and of the system font.
void EditTextHeights(const TFont* Font, Integer& FontHeight, Integer& SystemHeight);
// Ctrl+X, Ctrl+V, Shift+Delete and Shift+Insert.
bool IsCutOrPasteKey(Word Key, TShiftState Shift);
// The characters Ctrl+X and Ctrl+V type.
bool IsCutOrPasteChar(QChar Key);
