#include "platform/SerialPorts.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <linux/serial.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

struct DeviceBlock {
    const char* prefix;
    Integer first;  // number of device 0
};

constexpr Integer kBlockSize = 64;
constexpr DeviceBlock kBlocks[] = {{"ttyS", 1}, {"ttyUSB", 65}, {"ttyACM", 129}};

QString& DeviceFolder()
{
    static QString folder = QStringLiteral("/dev");
    return folder;
}

} // namespace

QString SerialDevicePath(Integer Number)
{
    for (const DeviceBlock& b : kBlocks)
        if (Number >= b.first && Number < b.first + kBlockSize)
            return DeviceFolder() + u'/' + QLatin1String(b.prefix) + QString::number(Number - b.first);
    return {};
}

bool SerialPortPresent(Integer Number)
{
    const QString path = SerialDevicePath(Number);
    if (path.isEmpty())
        return false;
    const QByteArray native = QFile::encodeName(path);
    const int fd = ::open(native.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno == EACCES || errno == EBUSY || errno == EPERM;
    bool present = true;
    // An on-board port without a UART behind its node reports an unknown type.
    serial_struct info{};
    if (::ioctl(fd, TIOCGSERIAL, &info) == 0 && info.type == PORT_UNKNOWN)
        present = false;
    ::close(fd);
    return present;
}

std::vector<Integer> SerialPortNumbers()
{
    std::vector<Integer> numbers;
    for (Integer n = 1; n <= MaxSerialPortNumber; ++n)
        if (SerialPortPresent(n))
            numbers.push_back(n);
    return numbers;
}

void SetSerialDeviceFolder(const QString& Folder)
{
    DeviceFolder() = Folder;
}
