#include "platform/ControlTweaks.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>

#include "platform/StdControls.h"
#include "platform/WidgetBridge.h"

void SetComboDroppedWidth(TCustomComboBox* Combo, Integer Width)
{
    if (auto* w = TWidgetBridge::WidgetAs<QComboBox>(Combo); w != nullptr && w->view() != nullptr)
        w->view()->setMinimumWidth(std::max<Integer>(Width, 0));
}

Integer ComboDroppedWidth(const TCustomComboBox* Combo)
{
    if (auto* w = TWidgetBridge::WidgetAs<QComboBox>(Combo); w != nullptr && w->view() != nullptr)
        return std::max<Integer>(w->view()->minimumWidth(), Combo->Width());
    return Combo->Width();
}

void SetEditFrame(TCustomEdit* Edit, bool Framed)
{
    if (auto* w = dynamic_cast<QLineEdit*>(TWidgetBridge::Widget(Edit)))
        w->setFrame(Framed);
}
