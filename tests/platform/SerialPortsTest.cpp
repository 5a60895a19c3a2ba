#include "platform/SerialPorts.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(SerialPorts, NumbersMapToDeviceBlocks)
{
    SetSerialDeviceFolder("/dev");
    const struct { Integer number; const char* path; } cases[] = {
        {1, "/dev/ttyS0"},       {64, "/dev/ttyS63"},     {65, "/dev/ttyUSB0"}, {128, "/dev/ttyUSB63"},
        {129, "/dev/ttyACM0"},   {192, "/dev/ttyACM63"},  {193, ""},            {256, ""},
        {0, ""},                 {-1, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SerialDevicePath(c.number), QString::fromLatin1(c.path)) << c.number;
}

TEST(SerialPorts, ListsThePortsWhoseDeviceOpens)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const char* name : {"ttyS0", "ttyS3", "ttyUSB0", "ttyACM1", "ttyS64", "ttyUSB99", "ttyAMA0"}) {
        QFile f(dir.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    // A folder where a device would be is no port.
    ASSERT_TRUE(QDir(dir.path()).mkdir("ttyS5"));

    SetSerialDeviceFolder(dir.path());
    const std::vector<Integer> expected = {1, 4, 65, 130};
    EXPECT_EQ(SerialPortNumbers(), expected);
    EXPECT_TRUE(SerialPortPresent(4));
    EXPECT_FALSE(SerialPortPresent(6));
    EXPECT_FALSE(SerialPortPresent(2));
    SetSerialDeviceFolder("/dev");
}

} // namespace
