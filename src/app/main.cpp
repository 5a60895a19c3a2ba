// Program start: every window is created, the main window first, and the
// message loop runs until the main window closes.
#include "platform/Form.h"

#ifdef ARVINTO_WINDOWS
#include "app/Windows.h"
#endif

int main(int argc, char** argv)
{
    Application->Initialize(argc, argv);
#ifdef ARVINTO_WINDOWS
    Create_Windows(*Application);
#else
    // Without the push button the windows are made of, an empty window stands in.
    Application->SetTitle(QStringLiteral("Arvinto"));
    TForm* MainForm = nullptr;
    Application->CreateForm(MainForm);
    MainForm->SetCaption(QStringLiteral("Arvinto"));
    MainForm->SetClientSize(640, 480);
    MainForm->SetPosition(poScreenCenter);
#endif
    Application->Run();
    Application->Finalize();
    return 0;
}
