// The splitter between two aligned controls: a drag resizes the control it
// touches, within the room the client control leaves.
#include <gtest/gtest.h>

#include "Screenshot.h"
#include "platform/ExtCtrls.h"
#include "platform/Form.h"
#include "platform/Splitter.h"
#include "platform/TestHooks.h"

namespace {

struct TSplitForm {
    TForm form{nullptr};
    TPanel* above;
    TSplitter* splitter;
    TPanel* below;
    Integer moved = 0;

    explicit TSplitForm(TAlign align)
    {
        form.SetClientSize(400, 300);
        const bool bottom = align == alBottom;
        above = new TPanel(&form);
        above->SetParent(&form);
        above->SetBounds(0, bottom ? 200 : 0, 400, 100);
        above->SetAlign(align);
        splitter = new TSplitter(&form);
        splitter->SetParent(&form);
        splitter->SetAlign(align);
        splitter->SetBounds(0, bottom ? 195 : 100, 400, 5);
        splitter->OnMoved = [this](TObject*) { ++moved; };
        below = new TPanel(&form);
        below->SetParent(&form);
        below->SetAlign(alClient);
        form.Show();
    }
    void Drag(Integer dy)
    {
        TestInput::MouseDown(splitter, mbLeft, {100, 2});
        TestInput::MouseMove(splitter, {100, 2 + dy}, TShiftState{ssLeft});
        TestInput::MouseUp(splitter, mbLeft, {100, 2 + dy});
    }
};

TEST(Splitter, DraggingResizesTheControlItTouchesWithinTheRoomLeft)
{
    TSplitForm t(alTop);
    EXPECT_EQ(t.splitter->Top(), 100);
    t.Drag(40);
    EXPECT_EQ(t.above->Height(), 140);
    EXPECT_EQ(t.splitter->Top(), 140);
    EXPECT_EQ(t.below->Top(), 145);
    EXPECT_EQ(t.moved, 1);
    EXPECT_FALSE(testsupport::SaveScreenshot(GrabControl(&t.form), QStringLiteral("TSplitter-dragged")).isEmpty());
    // Never below MinSize, and the client control keeps MinSize.
    t.Drag(-500);
    EXPECT_EQ(t.above->Height(), 30);
    t.Drag(1000);
    EXPECT_EQ(t.below->Height(), 30);
    EXPECT_EQ(t.above->Height() + 5 + 30, 300);
    EXPECT_EQ(t.splitter->Cursor(), crVSplit);
}

TEST(Splitter, ABottomSplitterGrowsItsControlUpwards)
{
    TSplitForm t(alBottom);
    EXPECT_EQ(t.above->Top(), 200);
    t.Drag(-50);
    EXPECT_EQ(t.above->Height(), 150);
    EXPECT_EQ(t.above->Top(), 150);
    EXPECT_EQ(t.splitter->Top(), 145);
    EXPECT_EQ(t.below->Height(), 145);
}

} // namespace
