// Program start: every window is created, the main window first, and the
// message loop runs until the main window closes.
#include "platform/Form.h"
#include "app/Windows.h"
#include "treeview/NodeTreeAccessibility.h"

int main(int argc, char** argv)
{
    Application->Initialize(argc, argv);
    // Screen readers read the trees' nodes.
    TNtAccessibilityFactory::GetAccessibilityFactory()->RegisterAccessibleProvider(std::make_shared<TNtTreeAccessibleProvider>());
    Create_Windows(*Application);
    Application->Run();
    Application->Finalize();
    return 0;
}
