#pragma once
// Pressing a window's OK button as a user does, expecting it to refuse with
// one error box or to close the window with the OK result.

#include <QString>
#include <gtest/gtest.h>

#include "controls/FxButton.h"
#include "platform/Dialogs.h"
#include "platform/Form.h"
#include "platform/TestHooks.h"

// Presses OK expecting one error box; returns its text.
inline QString OK_Fails(TForm* form, TFxButton* ok)
{
    DialogSeam::Clear();
    DialogSeam::QueueAnswer(IDOK);
    TestInput::Click(ok);
    EXPECT_EQ(form->ModalResult(), mrNone);
    const auto& shown = DialogSeam::Shown();
    if (shown.size() != 1)
        return QStringLiteral("<%1 boxes>").arg(shown.size());
    EXPECT_EQ(shown[0].Flags, MB_OK | MB_ICONERROR);
    return shown[0].Text;
}

// Presses OK expecting no box and the OK result.
inline void OK_Passes(TForm* form, TFxButton* ok)
{
    DialogSeam::Clear();
    TestInput::Click(ok);
    EXPECT_TRUE(DialogSeam::Shown().empty());
    EXPECT_EQ(form->ModalResult(), mrOk);
}
