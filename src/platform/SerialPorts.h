#pragma once
// Numbered serial ports ("COMn") over the system's serial devices. Each kind
// of device has a fixed block of numbers, so a device keeps its number
// whatever else is plugged in:
//   COM1   .. COM64   /dev/ttyS0   .. /dev/ttyS63   (on-board ports)
//   COM65  .. COM128  /dev/ttyUSB0 .. /dev/ttyUSB63 (USB serial adapters)
//   COM129 .. COM192  /dev/ttyACM0 .. /dev/ttyACM63 (USB modem-class devices)
// COM193 to COM256 have no device.

#include "platform/Types.h"

#include <QString>
#include <vector>

// Highest port number the program asks about.
constexpr Integer MaxSerialPortNumber = 256;

// The device of COMn; empty when the number has none.
QString SerialDevicePath(Integer Number);

// True when the port's device is there: it opens for reading and writing, or
// it exists but is held or refused (another program has it). An on-board
// port whose device node exists without hardware behind it does not count.
bool SerialPortPresent(Integer Number);

// The numbers 1 .. MaxSerialPortNumber of the ports present, ascending.
std::vector<Integer> SerialPortNumbers();

// The folder holding the device nodes ("/dev"); tests point it elsewhere.
void SetSerialDeviceFolder(const QString& Folder);
