// Fuzz target of the M-Bus network import: any file taken as the
// configuration's M_Bus.xml is read, and the editor opens on it and shows
// its first nodes and their first variables, without crashing or hanging.
// A file that reads writes a network that reads back to the same nodes.
#include "mbus/MBusNetwork.h"
#include "mbus/UMeter_Bus.h"

#include "platform/Dialogs.h"
#include "platform/Form.h"
#include "platform/TreeView.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void Require(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "M-Bus network fuzz check failed: %s\n", what);
        std::abort();
    }
}

QTemporaryDir* Folder = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication* app = new QApplication(*argc, *argv);
    (void)app;
    Folder = new QTemporaryDir();
    Load_Default_Texts();
    SW_Code = Const_SW_Code;
    M_Bus_File = Folder->filePath(QStringLiteral("M_Bus.xml"));
    // Error boxes of a broken file take their cancel answer at once.
    DialogSeam::SetStrict(true);
    DialogSeam::SetUnansweredHandler([](const TShownDialog&) {});
    FMeter_Bus = new TFMeter_Bus(nullptr);
    FMeter_Bus->AfterConstruction();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    {
        QFile f(M_Bus_File);
        Require(f.open(QIODevice::WriteOnly | QIODevice::Truncate), "network file written");
        f.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    TNodo_List nodes;
    QString error;
    const bool read = Load_MBus_Network(M_Bus_File, nodes, error);
    Require(read || !error.isEmpty(), "a refused file names its fault");
    if (read) {
        const QString copy = Folder->filePath(QStringLiteral("copy.xml"));
        Require(Save_MBus_Network(copy, nodes, error), "a read network is written");
        TNodo_List again;
        Require(Load_MBus_Network(copy, again, error), "a written network reads back");
        Require(again.size() == nodes.size(), "as many nodes");
        for (size_t i = 0; i < nodes.size(); ++i)
            Require(again[i]->Var_List.size() == nodes[i]->Var_List.size(), "as many variables");
    }

    // The editor opens on the file and shows the first nodes and variables.
    DialogSeam::Clear();
    TFMeter_Bus* form = FMeter_Bus;
    form->Hide();
    form->SetModalResult(mrNone);
    form->Show();
    TTreeNodes* items = form->TW->Items();
    for (Integer i = 0; i < items->Count() && i < 12; ++i)
        items->Item(i)->SetSelected(true);
    form->Hide();
    DialogSeam::Clear();
    return 0;
}
