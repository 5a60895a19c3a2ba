// Fuzz target of the SCL reader: any file gives a device model or the
// parser's error, in bounded time and memory, and every data-set member of
// the model is an attribute of the same device.
#include "plant/UIEC_Client_Decode.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <unordered_set>

namespace {

void Require(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "SCL fuzz check failed: %s\n", what);
        std::abort();
    }
}

void Collect(const TIEC_DA& da, std::unordered_set<const TIEC_DA*>& all)
{
    all.insert(&da);
    for (const auto& sub : da.List_DA)
        Collect(*sub, all);
}

void Collect(const TIEC_DO& d, std::unordered_set<const TIEC_DA*>& all)
{
    for (const auto& sub : d.List_DO)
        Collect(*sub, all);
    for (const auto& da : d.List_DA)
        Collect(*da, all);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static QTemporaryDir* dir = new QTemporaryDir();
    const QString path = dir->filePath(QStringLiteral("fuzz.scd"));
    {
        QFile f(path);
        Require(f.open(QIODevice::WriteOnly | QIODevice::Truncate), "SCL file written");
        f.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    QString error;
    const std::unique_ptr<TIEC_Device> device = TIEC_Device::Create(path, error);
    if (!device) {
        Require(!error.isEmpty(), "a refused file names its fault");
        return 0;
    }
    std::unordered_set<const TIEC_DA*> attributes;
    for (const auto& ld : device->List_LDevice)
        for (const auto& ln : ld->List_LN)
            for (const auto& d : ln->List_DO)
                Collect(*d, attributes);
    for (const auto& ld : device->List_LDevice)
        for (const auto& ln : ld->List_LN)
            for (const auto& set : ln->List_DataSet)
                for (const TIEC_DA* member : set->List_DA)
                    Require(member == nullptr || attributes.count(member) == 1, "a member is an attribute of the device");
    return 0;
}
