#include "platform/Library.h"

#include <QDir>
#include <QLibrary>

struct TLibrary::TImpl {
    QLibrary Library;
    QString Error;
};

TLibrary::TLibrary() : F(std::make_unique<TImpl>()) {}

TLibrary::~TLibrary()
{
    Unload();
}

bool TLibrary::Load(const QString& Name, const QString& Folder)
{
    Unload();
    F->Error.clear();
    // QLibrary adds the prefix and the extension; a bare name is looked for
    // where the system's loader looks.
    QStringList tried;
    if (!Folder.isEmpty()) {
        F->Library.setFileName(QDir(Folder).filePath(Name));
        if (F->Library.load())
            return true;
        tried << F->Library.errorString();
    }
    F->Library.setFileName(Name);
    if (F->Library.load())
        return true;
    tried << F->Library.errorString();
    F->Error = tried.join(QLatin1Char('\n'));
    return false;
}

bool TLibrary::Loaded() const
{
    return F->Library.isLoaded();
}

void* TLibrary::Proc(const char* Name) const
{
    if (!F->Library.isLoaded())
        return nullptr;
    return reinterpret_cast<void*>(F->Library.resolve(Name));
}

void TLibrary::Unload()
{
    if (F->Library.isLoaded())
        F->Library.unload();
}

QString TLibrary::ErrorString() const
{
    return F->Error;
}
