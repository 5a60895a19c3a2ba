#include "platform/Modules.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibrary>

#include <map>
#include <mutex>
#include <string>

void* ModuleSymbol(const char* Name, const char* Symbol, QString* Error)
{
    static std::mutex lock;
    static std::map<std::string, QLibrary*> loaded;  // kept for the process's life
    const std::lock_guard<std::mutex> guard(lock);
    QLibrary*& lib = loaded[Name];
    if (lib == nullptr) {
        const QString file = QStringLiteral("lib%1.so").arg(QLatin1String(Name));
        QStringList folders;
        if (QCoreApplication::instance() != nullptr)
            folders << QCoreApplication::applicationDirPath();
#ifdef ARVINTO_MODULE_DIR
        folders << QStringLiteral(ARVINTO_MODULE_DIR);
#endif
        QString why = QStringLiteral("%1 was not found").arg(file);
        for (const QString& folder : folders) {
            const QString path = folder + QLatin1Char('/') + file;
            if (!QFileInfo::exists(path))
                continue;
            auto* candidate = new QLibrary(path);
            if (candidate->load()) {
                lib = candidate;
                break;
            }
            why = candidate->errorString();
            delete candidate;
        }
        if (lib == nullptr) {
            loaded.erase(Name);
            if (Error != nullptr)
                *Error = why;
            return nullptr;
        }
    }
    void* entry = reinterpret_cast<void*>(lib->resolve(Symbol));
    if (entry == nullptr && Error != nullptr)
        *Error = lib->errorString();
    return entry;
}
