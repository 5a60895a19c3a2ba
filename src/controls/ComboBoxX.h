#pragma once
// The small pictures of the combo box unit: edit, new, delete (each with a
// disabled form where it has one), up, down and a strip of four pins. They
// are made once, when first asked for, and kept until the program ends.

class QString;
class TBitmap;

// The picture of that name ("CBX_BMP_EDIT", "CBX_BMP_NEW", "CBX_BMP_NEW_D",
// "CBX_BMP_DEL", "CBX_BMP_DEL_D", "CBX_BMP_UP", "CBX_BMP_DOWN",
// "CBX_BMP_PINS"); nullptr for any other name. 13 x 11 pixels, the pin
// strip 52 x 11 (four 13-pixel cells); the bottom-left pixel's colour is
// the see-through one.
TBitmap* ComboBoxXBitmap(const QString& Name);
