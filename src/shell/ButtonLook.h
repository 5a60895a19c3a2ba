#pragma once
// The face the program's windows give their push buttons: the Encarta
// style on the windows' background colour, an orange face while pressed, a
// yellow face under the mouse and grey edges. Every window applies it once
// its buttons exist (the step dialogs through their shared frame).

#include "platform/Types.h"

class TComponent;
class TFxButton;

constexpr TColor Button_Face_Color = RGB(248, 247, 237);
constexpr TColor Button_Down_Color = RGB(255, 128, 0);
constexpr TColor Button_Hot_Color = RGB(255, 255, 0);
constexpr TColor Button_Edge_Color = RGB(128, 128, 128);

// One button: style, face, pressed, hover and edge colours, its own colour
// rather than the parent's, and the plain font while hot.
void Set_Button_Look(TFxButton* Button);
// Every push button the window (or any component) owns.
void Set_Buttons_Look(TComponent* Window);
