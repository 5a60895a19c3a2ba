// Program start: the application object runs one empty window titled
// "Arvinto" until it is closed.
#include "platform/Form.h"

int main(int argc, char** argv)
{
    Application->Initialize(argc, argv);
    Application->SetTitle(QStringLiteral("Arvinto"));
    TForm* MainForm = nullptr;
    Application->CreateForm(MainForm);
    MainForm->SetCaption(QStringLiteral("Arvinto"));
    MainForm->SetClientSize(640, 480);
    MainForm->SetPosition(poScreenCenter);
    Application->Run();
    Application->Finalize();
    return 0;
}
