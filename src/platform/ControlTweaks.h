#pragma once
// Settings of a standard control's window that its class does not keep: the
// width of a combo box's drop-down list and the frame of a one-line edit.
// They act on the window that exists now, so a control that uses them
// applies them again after its window is made.

#include "platform/Types.h"

class TCustomComboBox;
class TCustomEdit;

// The combo box's list width, for combos that answer these messages.
constexpr Cardinal CB_GETDROPPEDWIDTH = 0x015F;
constexpr Cardinal CB_SETDROPPEDWIDTH = 0x0160;

// The list opens at least Width pixels wide (0: as wide as the combo box).
void SetComboDroppedWidth(TCustomComboBox* Combo, Integer Width);
// The width the list opens with now (the combo's width when nothing wider was set).
Integer ComboDroppedWidth(const TCustomComboBox* Combo);
// A one-line edit with or without its sunken frame.
void SetEditFrame(TCustomEdit* Edit, bool Framed);
