// Test entry point: every test executable runs inside one QApplication so that
// windows and controls can be created, painted and driven headless. Message
// boxes and file dialogs never wait: each one a test did not answer through
// DialogSeam fails that test at once, and so does a drag whose course no
// test queued with DragSeam.
#include <QApplication>
#include <gtest/gtest.h>

#include "platform/Dialogs.h"
#include "platform/DragDrop.h"
#include "platform/Form.h"

namespace {
// Each test starts with no queued answers and no boxes shown.
class TSeamReset : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override
    {
        DialogSeam::Clear();
        DragSeam::Clear();
    }
};
} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    DialogSeam::SetStrict(true);
    DialogSeam::SetUnansweredHandler([](const TShownDialog& d) {
        ADD_FAILURE() << "A dialog nobody answered: \"" << d.Caption.toStdString() << "\" " << d.Text.toStdString()
                      << " (queue its answer with DialogSeam)";
    });
    // Drags never wait for a mouse either: each one runs the course a test queued.
    DragSeam::SetStrict(true);
    DragSeam::SetUnqueuedHandler([] { ADD_FAILURE() << "A drag nobody queued (queue its course with DragSeam)"; });
    ::testing::UnitTest::GetInstance()->listeners().Append(new TSeamReset);
    const int rc = RUN_ALL_TESTS();
    // Forms go while Qt is still there.
    Application->DestroyComponents();
    return rc;
}
