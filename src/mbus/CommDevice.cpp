#include "mbus/CommDevice.h"

#include <asm/termbits.h>
#include <cerrno>
#include <sys/ioctl.h>
#include <linux/serial.h>

namespace {

struct TRate {
    LongWord baud;
    unsigned code;
};
constexpr TRate Rates[] = {
    {110, B110},         {300, B300},         {600, B600},       {1200, B1200},   {2400, B2400},
    {4800, B4800},       {9600, B9600},       {19200, B19200},   {38400, B38400}, {57600, B57600},
    {115200, B115200},   {230400, B230400},   {460800, B460800}, {500000, B500000},
    {1000000, B1000000}, {1500000, B1500000}, {3000000, B3000000},
};

bool Fail(int& Error)
{
    Error = errno;
    return false;
}

} // namespace

bool Comm_Get_Line(int fd, TCommLine& line, int& Error)
{
    termios2 t{};
    if (::ioctl(fd, TCGETS2, &t) != 0)
        return Fail(Error);
    line.Baud = t.c_ospeed;
    switch (t.c_cflag & CSIZE) {
    case CS5: line.ByteSize = 5; break;
    case CS6: line.ByteSize = 6; break;
    case CS7: line.ByteSize = 7; break;
    default: line.ByteSize = 8; break;
    }
    if (!(t.c_cflag & PARENB))
        line.Parity = 0;
    else if (t.c_cflag & CMSPAR)
        line.Parity = (t.c_cflag & PARODD) ? 3 : 4;
    else
        line.Parity = (t.c_cflag & PARODD) ? 1 : 2;
    line.StopBits = (t.c_cflag & CSTOPB) ? (line.ByteSize == 5 ? 1 : 2) : 0;
    line.ParityCheck = (t.c_iflag & INPCK) != 0;
    line.CtsFlow = (t.c_cflag & CRTSCTS) != 0;
    line.OutX = (t.c_iflag & IXON) != 0;
    line.InX = (t.c_iflag & IXOFF) != 0;
    line.XonChar = t.c_cc[VSTART];
    line.XoffChar = t.c_cc[VSTOP];
    return true;
}

bool Comm_Set_Line(int fd, const TCommLine& line, int& Error)
{
    termios2 t{};
    if (::ioctl(fd, TCGETS2, &t) != 0)
        return Fail(Error);
    t.c_cflag &= ~(CBAUD | CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS);
    t.c_cflag |= CLOCAL | CREAD;
    switch (line.ByteSize) {
    case 5: t.c_cflag |= CS5; break;
    case 6: t.c_cflag |= CS6; break;
    case 7: t.c_cflag |= CS7; break;
    case 8: t.c_cflag |= CS8; break;
    default: Error = EINVAL; return false;
    }
    switch (line.Parity) {
    case 0: break;
    case 1: t.c_cflag |= PARENB | PARODD; break;
    case 2: t.c_cflag |= PARENB; break;
    case 3: t.c_cflag |= PARENB | CMSPAR | PARODD; break;
    case 4: t.c_cflag |= PARENB | CMSPAR; break;
    default: Error = EINVAL; return false;
    }
    // One and a half stop bits exist only with five data bits, where the
    // two-stop-bit setting gives them.
    if (line.StopBits == 2 || (line.StopBits == 1 && line.ByteSize == 5))
        t.c_cflag |= CSTOPB;
    else if (line.StopBits != 0) {
        Error = EINVAL;
        return false;
    }
    if (line.CtsFlow)
        t.c_cflag |= CRTSCTS;
    t.c_iflag &= ~(INPCK | IXON | IXOFF | IXANY);
    if (line.ParityCheck)
        t.c_iflag |= INPCK;
    if (line.OutX)
        t.c_iflag |= IXON;
    if (line.InX)
        t.c_iflag |= IXOFF;
    t.c_cc[VSTART] = line.XonChar;
    t.c_cc[VSTOP] = line.XoffChar;

    unsigned code = BOTHER;
    for (const TRate& r : Rates)
        if (r.baud == line.Baud)
            code = r.code;
    t.c_cflag |= code;
    t.c_ispeed = t.c_ospeed = line.Baud;
    if (::ioctl(fd, TCSETS2, &t) != 0)
        return Fail(Error);
    return true;
}

bool Comm_Make_Raw(int fd, int& Error)
{
    termios2 t{};
    if (::ioctl(fd, TCGETS2, &t) != 0)
        return Fail(Error);
    t.c_iflag &= ~(BRKINT | ICRNL | INLCR | IGNCR | ISTRIP | PARMRK | IUCLC | IMAXBEL);
    t.c_iflag |= IGNBRK; // breaks are told as events, not as zero bytes
    t.c_oflag &= ~OPOST;
    t.c_lflag &= ~(ECHO | ECHONL | ECHOE | ECHOK | ICANON | ISIG | IEXTEN);
    t.c_cc[VMIN] = 1;
    t.c_cc[VTIME] = 0;
    if (::ioctl(fd, TCSETS2, &t) != 0)
        return Fail(Error);
    return true;
}

bool Comm_Modem_Lines(int fd, int& bits)
{
    int m = 0;
    bits = 0;
    if (::ioctl(fd, TIOCMGET, &m) != 0)
        return false;
    if (m & TIOCM_CTS) bits |= clCTS;
    if (m & TIOCM_DSR) bits |= clDSR;
    if (m & TIOCM_RNG) bits |= clRING;
    if (m & TIOCM_CAR) bits |= clRLSD;
    if (m & TIOCM_DTR) bits |= clDTR;
    if (m & TIOCM_RTS) bits |= clRTS;
    return true;
}

bool Comm_Set_Modem_Line(int fd, int bit, bool on, int& Error)
{
    int m = bit == clDTR ? TIOCM_DTR : TIOCM_RTS;
    if (::ioctl(fd, on ? TIOCMBIS : TIOCMBIC, &m) != 0)
        return Fail(Error);
    return true;
}

bool Comm_Break(int fd, bool on, int& Error)
{
    if (::ioctl(fd, on ? TIOCSBRK : TIOCCBRK) != 0)
        return Fail(Error);
    return true;
}

bool Comm_Flow(int fd, bool resume, int& Error)
{
    if (::ioctl(fd, TCXONC, resume ? TCOON : TCOOFF) != 0)
        return Fail(Error);
    return true;
}

void Comm_Flush(int fd, bool input, bool output)
{
    if (input || output)
        ::ioctl(fd, TCFLSH, input && output ? TCIOFLUSH : input ? TCIFLUSH : TCOFLUSH);
}

Integer Comm_In_Queue(int fd)
{
    int n = 0;
    return ::ioctl(fd, TIOCINQ, &n) == 0 ? n : 0;
}

Integer Comm_Out_Queue(int fd)
{
    int n = 0;
    return ::ioctl(fd, TIOCOUTQ, &n) == 0 ? n : 0;
}

bool Comm_Counts(int fd, TCommCounts& counts)
{
    serial_icounter_struct c{};
    if (::ioctl(fd, TIOCGICOUNT, &c) != 0)
        return false;
    counts.Break = c.brk;
    counts.Frame = c.frame;
    counts.Overrun = c.overrun;
    counts.Parity = c.parity;
    counts.BufOverrun = c.buf_overrun;
    return true;
}
