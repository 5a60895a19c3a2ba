#pragma once
// Automation servers reached by name and called late-bound, as the grid's
// office exchange expects of the platform:
//   "excel.application" and "word.application": the office suite run
//   headless (LibreOffice, through its Python bridge), which reads and
//   writes workbooks and documents;
//   "ADODB.Connection" and "ADODB.RecordSet": an Access database read with
//   the mdbtools programs (mdb-sql).
// A server that is not installed raises EOleSysError when it is created.

#include <QString>
#include <memory>
#include <stdexcept>
#include <vector>

#include "Types.h"

class EOleSysError : public std::runtime_error {
public:
    explicit EOleSysError(const QString& Message) : std::runtime_error(Message.toStdString()) {}
};
// An error a server reported for a call.
class EOleException : public std::runtime_error {
public:
    explicit EOleException(const QString& Message) : std::runtime_error(Message.toStdString()) {}
};

class TOleObject;

// A late-bound value: empty, Boolean, number, text, an object, an error
// value or a two-dimensional array (rows of values).
class TOleVariant {
public:
    enum TKind { vEmpty, vBool, vInt, vDouble, vString, vObject, vError, vArray };
    TOleVariant() = default;
    TOleVariant(bool V) : FKind(vBool), FInt(V) {}
    TOleVariant(int V) : FKind(vInt), FInt(V) {}
    TOleVariant(Int64 V) : FKind(vInt), FInt(V) {}
    TOleVariant(double V) : FKind(vDouble), FDouble(V) {}
    TOleVariant(const QString& V) : FKind(vString), FString(V) {}
    TOleVariant(const char* V) : FKind(vString), FString(QString::fromUtf8(V)) {}
    TOleVariant(const TOleObject& V);
    TOleVariant(std::vector<std::vector<TOleVariant>> V) : FKind(vArray), FArray(std::move(V)) {}
    static TOleVariant Error(Int64 Code);

    TKind Kind() const { return FKind; }
    bool IsEmpty() const { return FKind == vEmpty; }
    bool ToBool() const { return FKind == vString ? !FString.isEmpty() : FInt != 0 || FDouble != 0; }
    Int64 ToInt() const;
    double ToDouble() const;
    // The text of a value as the platform converts it (numbers with the
    // locale's decimal separator, whole numbers without decimals).
    QString ToString() const;
    TOleObject ToObject() const;
    const std::vector<std::vector<TOleVariant>>& Array() const { return FArray; }

private:
    friend class TOleObject;
    TKind FKind = vEmpty;
    Int64 FInt = 0;
    double FDouble = 0;
    QString FString;
    std::shared_ptr<class TOleDispatch> FObject;
    std::vector<std::vector<TOleVariant>> FArray;
};

// What an object of a server answers; servers derive from it.
class TOleDispatch {
public:
    virtual ~TOleDispatch() = default;
    virtual TOleVariant Get(const QString& Name, const std::vector<TOleVariant>& Args) = 0;
    virtual void Set(const QString& Name, const TOleVariant& Value) = 0;
    virtual TOleVariant Call(const QString& Name, const std::vector<TOleVariant>& Args) = 0;
};

class TOleObject {
public:
    TOleObject() = default;
    explicit TOleObject(std::shared_ptr<TOleDispatch> D) : FDispatch(std::move(D)) {}
    bool IsNull() const { return !FDispatch; }

    // Raise EOleException when the member fails or the object is null.
    TOleVariant Get(const QString& Name, const std::vector<TOleVariant>& Args = {}) const;
    TOleObject GetObject(const QString& Name, const std::vector<TOleVariant>& Args = {}) const;
    void Set(const QString& Name, const TOleVariant& Value) const;
    TOleVariant Call(const QString& Name, const std::vector<TOleVariant>& Args = {}) const;
    TOleObject CallObject(const QString& Name, const std::vector<TOleVariant>& Args = {}) const;
    TOleDispatch* Dispatch() const { return FDispatch.get(); }
    const std::shared_ptr<TOleDispatch>& Shared() const { return FDispatch; }

private:
    friend class TOleVariant;
    std::shared_ptr<TOleDispatch> FDispatch;
};

// A new server of that name; EOleSysError when it cannot be had.
TOleObject CreateOleObject(const QString& ProgID);
// A server of that name the program keeps running (see KeepOleServer);
// false when there is none.
bool GetActiveOleObject(const QString& ProgID, TOleObject& Server);
// Keeps a server registered as running until ReleaseOleServer: a later
// GetActiveOleObject finds it (the servers a program leaves running).
void KeepOleServer(const QString& ProgID, const TOleObject& Server);
void ReleaseOleServer(const QString& ProgID);
// Ends the office process the servers share (it starts again when needed).
void ShutdownOleServers();
