#include "shell/ButtonLook.h"

#include "controls/FxButton.h"
#include "platform/Component.h"

void Set_Button_Look(TFxButton* Button)
{
    Button->SetStyle(bsEncarta);
    Button->SetParentColor(false);
    Button->SetColor(Button_Face_Color);
    Button->SetColorWhenDown(Button_Down_Color);
    Button->SetHotTrackColor(Button_Hot_Color);
    Button->SetLightColor(Button_Edge_Color);
    Button->SetUseHotTrackFont(false);
}

void Set_Buttons_Look(TComponent* Window)
{
    for (Integer i = 0; i < Window->ComponentCount(); ++i)
        if (auto* b = dynamic_cast<TFxButton*>(Window->Components(i)))
            Set_Button_Look(b);
}
