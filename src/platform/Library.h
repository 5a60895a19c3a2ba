#pragma once
// Shared libraries loaded by name while the program runs. The name is given
// without the platform's file prefix and extension: "OPC_UA_Search" is the
// file libOPC_UA_Search.so here.

#include <QString>
#include <memory>

class TLibrary {
public:
    TLibrary();
    ~TLibrary();  // unloads
    TLibrary(const TLibrary&) = delete;
    TLibrary& operator=(const TLibrary&) = delete;

    // Loads the library Name from Folder when it stands there, otherwise
    // from the system's library search path. False when it is found nowhere
    // or cannot be loaded; ErrorString then says why.
    bool Load(const QString& Name, const QString& Folder = QString());
    bool Loaded() const;
    // The address of the exported function Name; nullptr when the library
    // lacks it or none is loaded.
    void* Proc(const char* Name) const;
    void Unload();
    QString ErrorString() const;

private:
    struct TImpl;
    std::unique_ptr<TImpl> F;
};
