#pragma once
// Root classes of the component model: TObject (every platform object) and
// TPersistent (objects whose state can be copied with Assign).

#include <functional>
#include <stdexcept>
#include <QString>

class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;

    // Name of the object's class, as the class declares it ("TObject" here).
    virtual QString ClassName() const { return QStringLiteral("TObject"); }
};

// Handler of an event that carries only its sender.
using TNotifyEvent = std::function<void(TObject* Sender)>;

// Raised when Assign is asked to copy between classes that do not know each other.
class EConvertError : public std::runtime_error {
public:
    explicit EConvertError(const QString& message) : std::runtime_error(message.toStdString()) {}
};

class TPersistent : public TObject {
public:
    // Copies Source's state into this object. The base asks Source to do it
    // (AssignTo); an object that knows neither class raises EConvertError.
    virtual void Assign(const TPersistent* Source)
    {
        if (Source != nullptr)
            Source->AssignTo(this);
        else
            throw EConvertError(QStringLiteral("Cannot assign a nil to a %1").arg(ClassName()));
    }
    QString ClassName() const override { return QStringLiteral("TPersistent"); }

protected:
    virtual void AssignTo(TPersistent* Dest) const
    {
        throw EConvertError(QStringLiteral("Cannot assign a %1 to a %2").arg(ClassName(), Dest ? Dest->ClassName() : QStringLiteral("nil")));
    }
};
