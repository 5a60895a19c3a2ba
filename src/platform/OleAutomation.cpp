#include "platform/OleAutomation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <map>

#include "platform/Locale.h"

// ------------------------------------------------------------------ values

TOleVariant::TOleVariant(const TOleObject& V) : FKind(vObject), FObject(V.FDispatch) {}

TOleVariant TOleVariant::Error(Int64 Code)
{
    TOleVariant v;
    v.FKind = vError;
    v.FInt = Code;
    return v;
}

Int64 TOleVariant::ToInt() const
{
    switch (FKind) {
    case vDouble: return Int64(FDouble);
    case vString: return FString.trimmed().toLongLong();
    default: return FInt;
    }
}

double TOleVariant::ToDouble() const
{
    switch (FKind) {
    case vDouble: return FDouble;
    case vString: return FString.trimmed().toDouble();
    default: return double(FInt);
    }
}

QString TOleVariant::ToString() const
{
    switch (FKind) {
    case vBool: return FInt != 0 ? QStringLiteral("True") : QStringLiteral("False");
    case vInt: return QString::number(FInt);
    case vDouble: {
        QString s = QString::number(FDouble, 'g', 15);
        s.replace(QLatin1Char('.'), FormatSettings().DecimalSeparator);
        return s;
    }
    case vString: return FString;
    default: return QString();
    }
}

TOleObject TOleVariant::ToObject() const
{
    return FKind == vObject ? TOleObject(FObject) : TOleObject();
}

TOleVariant TOleObject::Get(const QString& Name, const std::vector<TOleVariant>& Args) const
{
    if (!FDispatch)
        throw EOleException(QStringLiteral("Variant is not an object: ") + Name);
    return FDispatch->Get(Name, Args);
}

TOleObject TOleObject::GetObject(const QString& Name, const std::vector<TOleVariant>& Args) const
{
    return Get(Name, Args).ToObject();
}

void TOleObject::Set(const QString& Name, const TOleVariant& Value) const
{
    if (!FDispatch)
        throw EOleException(QStringLiteral("Variant is not an object: ") + Name);
    FDispatch->Set(Name, Value);
}

TOleVariant TOleObject::Call(const QString& Name, const std::vector<TOleVariant>& Args) const
{
    if (!FDispatch)
        throw EOleException(QStringLiteral("Variant is not an object: ") + Name);
    return FDispatch->Call(Name, Args);
}

TOleObject TOleObject::CallObject(const QString& Name, const std::vector<TOleVariant>& Args) const
{
    return Call(Name, Args).ToObject();
}

// ----------------------------------------------------- office suite bridge

namespace {

// The bridge script, written once per program run from the resources.
QString BridgeScript()
{
    static QTemporaryDir dir;
    static QString path;
    if (path.isEmpty() && dir.isValid()) {
        const QString p = dir.filePath(QStringLiteral("office_bridge.py"));
        if (QFile::copy(QStringLiteral(":/office/office_bridge.py"), p))
            path = p;
    }
    return path;
}

// The Python interpreter that has the office suite's bridge module: the
// system's, where the distribution installs it, else the first on the path.
QString Interpreter()
{
    for (const QString& p : {QStringLiteral("/usr/bin/python3"), QStandardPaths::findExecutable(QStringLiteral("python3"))})
        if (!p.isEmpty() && QFileInfo(p).isExecutable())
            return p;
    return QString();
}

// One office process serves every application object of the program; it
// starts with the first and ends when the program ends.
class TBridgeProcess {
public:
    ~TBridgeProcess() { Stop(); }

    void Stop()
    {
        // End of input ends the bridge, which closes the office suite.
        if (FProcess.state() == QProcess::NotRunning)
            return;
        FProcess.closeWriteChannel();
        if (!FProcess.waitForFinished(30000))
            FProcess.kill();
        FProcess.waitForFinished(5000);
    }

    bool Start(QString& Error)
    {
        const QString python = Interpreter(), script = BridgeScript();
        if (python.isEmpty() || script.isEmpty() || QStandardPaths::findExecutable(QStringLiteral("soffice")).isEmpty()) {
            Error = QStringLiteral("office suite not installed");
            return false;
        }
        static QTemporaryDir profile;
        FProcess.setProcessChannelMode(QProcess::SeparateChannels);
        FProcess.start(python, {script, profile.isValid() ? profile.path() : QString()});
        if (!FProcess.waitForStarted(10000)) {
            Error = FProcess.errorString();
            return false;
        }
        const QJsonObject first = ReadAnswer(180000);
        if (!first.contains(QStringLiteral("value"))) {
            Error = first.value(QStringLiteral("error")).toString(QStringLiteral("no answer"));
            Stop();
            return false;
        }
        return true;
    }

    QJsonObject Request(const QJsonObject& Req)
    {
        if (FProcess.state() != QProcess::Running)
            throw EOleException(QStringLiteral("The automation server has ended"));
        FProcess.write(QJsonDocument(Req).toJson(QJsonDocument::Compact) + '\n');
        FProcess.waitForBytesWritten(10000);
        return ReadAnswer(120000);
    }

    bool Running() const { return FProcess.state() == QProcess::Running; }

private:
    QJsonObject ReadAnswer(int TimeoutMs)
    {
        while (!FProcess.canReadLine()) {
            if (FProcess.state() != QProcess::Running && FProcess.bytesAvailable() == 0)
                return {{QStringLiteral("error"), QStringLiteral("The automation server has ended")}};
            if (!FProcess.waitForReadyRead(TimeoutMs) && !FProcess.canReadLine())
                return {{QStringLiteral("error"), QStringLiteral("The automation server does not answer")}};
        }
        return QJsonDocument::fromJson(FProcess.readLine()).object();
    }

    QProcess FProcess;
};

std::shared_ptr<TBridgeProcess>& SharedBridge()
{
    static std::shared_ptr<TBridgeProcess> bridge;
    return bridge;
}

// The office process, started when none runs.
std::shared_ptr<TBridgeProcess> Bridge(QString& Error)
{
    std::shared_ptr<TBridgeProcess>& b = SharedBridge();
    if (b && b->Running())
        return b;
    b = std::make_shared<TBridgeProcess>();
    if (!b->Start(Error)) {
        b.reset();
        return nullptr;
    }
    // Ended with the application, before Qt goes.
    static bool hooked = false;
    if (!hooked && QCoreApplication::instance() != nullptr) {
        hooked = true;
        qAddPostRoutine([] { SharedBridge().reset(); });
    }
    return b;
}

QJsonValue ToJson(const TOleVariant& V);

class TBridgeDispatch : public TOleDispatch {
public:
    TBridgeDispatch(std::shared_ptr<TBridgeProcess> P, Integer Id) : FProcess(std::move(P)), FId(Id) {}
    ~TBridgeDispatch() override
    {
        if (FProcess->Running())
            FProcess->Request({{QStringLiteral("op"), QStringLiteral("release")}, {QStringLiteral("obj"), FId}});
    }
    Integer Id() const { return FId; }

    TOleVariant Get(const QString& Name, const std::vector<TOleVariant>& Args) override
    {
        return Send(QStringLiteral("get"), Name, Args);
    }
    void Set(const QString& Name, const TOleVariant& Value) override { Send(QStringLiteral("set"), Name, {Value}); }
    TOleVariant Call(const QString& Name, const std::vector<TOleVariant>& Args) override
    {
        return Send(QStringLiteral("call"), Name, Args);
    }

private:
    TOleVariant Send(const QString& Op, const QString& Name, const std::vector<TOleVariant>& Args)
    {
        QJsonArray args;
        for (const TOleVariant& a : Args)
            args.append(ToJson(a));
        const QJsonObject answer = FProcess->Request(
            {{QStringLiteral("op"), Op}, {QStringLiteral("obj"), FId}, {QStringLiteral("name"), Name}, {QStringLiteral("args"), args}});
        if (answer.contains(QStringLiteral("error")))
            throw EOleException(answer.value(QStringLiteral("error")).toString());
        return FromJson(answer.value(QStringLiteral("value")));
    }
    TOleVariant FromJson(const QJsonValue& J)
    {
        switch (J.type()) {
        case QJsonValue::Bool: return TOleVariant(J.toBool());
        case QJsonValue::Double: {
            const double d = J.toDouble();
            return TOleVariant(d);
        }
        case QJsonValue::String: return TOleVariant(J.toString());
        case QJsonValue::Array: {
            std::vector<std::vector<TOleVariant>> rows;
            for (const QJsonValue& r : J.toArray()) {
                std::vector<TOleVariant> row;
                for (const QJsonValue& c : r.toArray())
                    row.push_back(FromJson(c));
                rows.push_back(std::move(row));
            }
            return TOleVariant(std::move(rows));
        }
        case QJsonValue::Object: {
            const QJsonObject o = J.toObject();
            if (o.contains(QStringLiteral("obj")))
                return TOleVariant(TOleObject(std::make_shared<TBridgeDispatch>(FProcess, o.value(QStringLiteral("obj")).toInt())));
            return TOleVariant::Error(o.value(QStringLiteral("error")).toInteger());
        }
        default: return TOleVariant();
        }
    }

    std::shared_ptr<TBridgeProcess> FProcess;
    Integer FId;
};

QJsonValue ToJson(const TOleVariant& V)
{
    switch (V.Kind()) {
    case TOleVariant::vBool: return V.ToBool();
    case TOleVariant::vInt: return double(V.ToInt());
    case TOleVariant::vDouble: return V.ToDouble();
    case TOleVariant::vString: return V.ToString();
    case TOleVariant::vObject:
        if (auto* b = dynamic_cast<TBridgeDispatch*>(V.ToObject().Dispatch()))
            return QJsonObject{{QStringLiteral("obj"), b->Id()}};
        return QJsonValue();
    case TOleVariant::vArray: {
        QJsonArray rows;
        for (const auto& r : V.Array()) {
            QJsonArray row;
            for (const TOleVariant& c : r)
                row.append(ToJson(c));
            rows.append(row);
        }
        return rows;
    }
    default: return QJsonValue();
    }
}

// ------------------------------------------------------- Access databases

// "ADODB.Connection": Open takes a connection text whose DBQ names the file.
class TAdoConnection : public TOleDispatch {
public:
    QString FileName;
    bool Opened = false;

    TOleVariant Get(const QString& Name, const std::vector<TOleVariant>&) override
    {
        throw EOleException(QStringLiteral("Unknown name ") + Name);
    }
    void Set(const QString& Name, const TOleVariant&) override { throw EOleException(QStringLiteral("Unknown name ") + Name); }
    TOleVariant Call(const QString& Name, const std::vector<TOleVariant>& Args) override
    {
        if (Name == QLatin1String("Open")) {
            const QString text = Args.empty() ? QString() : Args[0].ToString();
            const qsizetype p = text.indexOf(QLatin1String("DBQ="), 0, Qt::CaseInsensitive);
            FileName = p < 0 ? QString() : text.mid(p + 4).section(QLatin1Char(';'), 0, 0);
            if (!QFileInfo::exists(FileName))
                throw EOleException(QStringLiteral("Could not find file '%1'.").arg(FileName));
            Opened = true;
            return {};
        }
        if (Name == QLatin1String("Close")) {
            Opened = false;
            return {};
        }
        throw EOleException(QStringLiteral("Unknown name ") + Name);
    }
};

class TAdoRecordSet;

// One field of the current record.
class TAdoField : public TOleDispatch {
public:
    TAdoField(TAdoRecordSet* R, Integer I) : FRecords(R), FIndex(I) {}
    TOleVariant Get(const QString& Name, const std::vector<TOleVariant>& Args) override;
    void Set(const QString& Name, const TOleVariant&) override { throw EOleException(QStringLiteral("Unknown name ") + Name); }
    TOleVariant Call(const QString& Name, const std::vector<TOleVariant>& Args) override { return Get(Name, Args); }

private:
    TAdoRecordSet* FRecords;
    Integer FIndex;
};

class TAdoFields : public TOleDispatch {
public:
    explicit TAdoFields(TAdoRecordSet* R) : FRecords(R) {}
    TOleVariant Get(const QString& Name, const std::vector<TOleVariant>& Args) override;
    void Set(const QString& Name, const TOleVariant&) override { throw EOleException(QStringLiteral("Unknown name ") + Name); }
    TOleVariant Call(const QString& Name, const std::vector<TOleVariant>& Args) override { return Get(Name, Args); }

private:
    TAdoRecordSet* FRecords;
};

// "ADODB.RecordSet": Open runs the query with mdb-sql and keeps the rows.
class TAdoRecordSet : public TOleDispatch {
public:
    std::shared_ptr<TAdoConnection> Connection;
    QStringList Names;
    std::vector<QStringList> Rows;
    std::size_t Current = 0;

    TOleVariant Get(const QString& Name, const std::vector<TOleVariant>& Args) override
    {
        if (Name == QLatin1String("Fields")) {
            auto fields = TOleObject(std::make_shared<TAdoFields>(this));
            return Args.empty() ? TOleVariant(fields) : fields.Get(QStringLiteral("Item"), Args);
        }
        if (Name == QLatin1String("RecordCount"))
            return TOleVariant(Int64(Rows.size()));
        if (Name == QLatin1String("Eof"))
            return TOleVariant(Current >= Rows.size());
        throw EOleException(QStringLiteral("Unknown name ") + Name);
    }
    void Set(const QString& Name, const TOleVariant& Value) override
    {
        if (Name != QLatin1String("ActiveConnection"))
            throw EOleException(QStringLiteral("Unknown name ") + Name);
        Connection = std::dynamic_pointer_cast<TAdoConnection>(Value.ToObject().Shared());
        if (!Connection)
            throw EOleException(QStringLiteral("The connection is not valid"));
    }
    TOleVariant Call(const QString& Name, const std::vector<TOleVariant>& Args) override
    {
        if (Name == QLatin1String("Open")) {
            Open(Args.empty() ? QString() : Args[0].ToString());
            return {};
        }
        if (Name == QLatin1String("MoveNext")) {
            if (Current < Rows.size())
                ++Current;
            return {};
        }
        if (Name == QLatin1String("Close")) {
            Rows.clear();
            Names.clear();
            Current = 0;
            return {};
        }
        return Get(Name, Args);
    }

private:
    void Open(const QString& SQL);
};

void TAdoRecordSet::Open(const QString& SQL)
{
    if (!Connection || !Connection->Opened)
        throw EOleException(QStringLiteral("Operation is not allowed when the object is closed."));
    const QString program = QStandardPaths::findExecutable(QStringLiteral("mdb-sql"));
    if (program.isEmpty())
        throw EOleSysError(QStringLiteral("Access database driver (mdb-sql) not found"));
    // Fields are separated by the unit separator, which texts do not hold.
    const QChar sep(0x1F);
    QProcess p;
    p.start(program, {QStringLiteral("-P"), QStringLiteral("-F"), QStringLiteral("-d"), QString(sep), Connection->FileName});
    if (!p.waitForStarted(10000))
        throw EOleSysError(QStringLiteral("Access database driver (mdb-sql) not found"));
    p.write((SQL + QStringLiteral("\ngo\n")).toUtf8());
    p.closeWriteChannel();
    if (!p.waitForFinished(120000)) {
        p.kill();
        throw EOleException(QStringLiteral("The query did not finish"));
    }
    const QString out = QString::fromUtf8(p.readAllStandardOutput());
    const QString err = QString::fromUtf8(p.readAllStandardError()).trimmed();
    QStringList lines = out.split(QLatin1Char('\n'));
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    if (lines.isEmpty())
        throw EOleException(err.isEmpty() ? QStringLiteral("The query gave no result") : err);
    Names = lines.takeFirst().split(sep);
    Rows.clear();
    // A text with a line break goes on on the next line: a line continues
    // the record before it while that record lacks fields, and also when it
    // holds no separator although the records have several fields (the rest
    // of a last field). A record ends only when the next one begins.
    QStringList pending;
    bool started = false;
    for (const QString& line : lines) {
        QStringList parts = line.split(sep);
        const bool continues = started && (pending.size() < Names.size() || (parts.size() == 1 && Names.size() > 1));
        if (continues) {
            pending.last() += QLatin1Char('\n') + parts.takeFirst();
            pending += parts;
        } else {
            if (started)
                Rows.push_back(pending);
            pending = parts;
            started = true;
        }
    }
    if (started)
        Rows.push_back(pending);
    Current = 0;
}

TOleVariant TAdoFields::Get(const QString& Name, const std::vector<TOleVariant>& Args)
{
    if (Name == QLatin1String("Count"))
        return TOleVariant(Int64(FRecords->Names.size()));
    if (Name == QLatin1String("Item")) {
        const Integer i = Args.empty() ? -1 : Integer(Args[0].ToInt());
        if (i < 0 || i >= FRecords->Names.size())
            throw EOleException(QStringLiteral("Item cannot be found in the collection."));
        return TOleVariant(TOleObject(std::make_shared<TAdoField>(FRecords, i)));
    }
    throw EOleException(QStringLiteral("Unknown name ") + Name);
}

TOleVariant TAdoField::Get(const QString& Name, const std::vector<TOleVariant>&)
{
    if (Name == QLatin1String("Name"))
        return TOleVariant(FRecords->Names.value(FIndex));
    const bool atRecord = FRecords->Current < FRecords->Rows.size();
    const QString value = atRecord ? FRecords->Rows[FRecords->Current].value(FIndex) : QString();
    if (Name == QLatin1String("Value"))
        return value.isEmpty() ? TOleVariant() : TOleVariant(value);
    if (Name == QLatin1String("ActualSize"))
        return TOleVariant(Int64(value.toUtf8().size()));
    throw EOleException(QStringLiteral("Unknown name ") + Name);
}

std::map<QString, TOleObject>& Running()
{
    static std::map<QString, TOleObject> running;
    return running;
}

} // namespace

TOleObject CreateOleObject(const QString& ProgID)
{
    const QString id = ProgID.toLower();
    if (id == QLatin1String("excel.application") || id == QLatin1String("word.application")) {
        QString error;
        const std::shared_ptr<TBridgeProcess> process = Bridge(error);
        if (!process)
            throw EOleSysError(QStringLiteral("Invalid class string: %1 (%2)").arg(ProgID, error));
        const QJsonObject answer = process->Request(
            {{QStringLiteral("op"), QStringLiteral("create")}, {QStringLiteral("args"), QJsonArray{id}}});
        const QJsonValue app = answer.value(QStringLiteral("value")).toObject().value(QStringLiteral("obj"));
        if (!app.isDouble())
            throw EOleSysError(QStringLiteral("Invalid class string: %1 (%2)")
                                   .arg(ProgID, answer.value(QStringLiteral("error")).toString()));
        return TOleObject(std::make_shared<TBridgeDispatch>(process, app.toInt()));
    }
    if (id == QLatin1String("adodb.connection"))
        return TOleObject(std::make_shared<TAdoConnection>());
    if (id == QLatin1String("adodb.recordset"))
        return TOleObject(std::make_shared<TAdoRecordSet>());
    throw EOleSysError(QStringLiteral("Invalid class string: ") + ProgID);
}

bool GetActiveOleObject(const QString& ProgID, TOleObject& Server)
{
    auto it = Running().find(ProgID.toLower());
    if (it == Running().end())
        return false;
    Server = it->second;
    return true;
}

void KeepOleServer(const QString& ProgID, const TOleObject& Server)
{
    Running()[ProgID.toLower()] = Server;
}

void ReleaseOleServer(const QString& ProgID)
{
    Running().erase(ProgID.toLower());
}

void ShutdownOleServers()
{
    Running().clear();
    SharedBridge().reset();
}
