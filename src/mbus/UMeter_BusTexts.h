#pragma once
// What the network editor and its paste dialog share: text n of the
// language list, error boxes, and the making of their controls.

#include "platform/Component.h"
#include "platform/Control.h"
#include "platform/Dialogs.h"
#include "platform/StringList.h"
#include "shell/ULanguage.h"

namespace mbus_editor {

inline QString Lang(Integer n)
{
    return Language_Texts->Strings(n);
}

// An error box (error icon, one OK button).
inline void Error_Box(const QString& Text)
{
    MessageDlg(Text, mtError, mbOK);
}
inline void Error_Box(Integer n)
{
    Error_Box(Lang(n));
}

// A control owned by Owner, named and placed on Parent.
template <class T>
T* Make(TComponent* Owner, TWinControl* Parent, const QString& Name)
{
    T* c = new T(Owner);
    c->SetName(Name);
    c->SetParent(Parent);
    return c;
}

} // namespace mbus_editor
