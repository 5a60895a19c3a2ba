#pragma once
// The system calls of the serial component on a terminal device, kept in
// one place because the kernel's own terminal header (needed for any baud
// rate) cannot share a unit with the C library's.

#include "platform/Types.h"

// The line settings the component can put on a device.
struct TCommLine {
    LongWord Baud = 9600;
    int ByteSize = 8;     // 5..8
    int Parity = 0;       // 0 none, 1 odd, 2 even, 3 mark, 4 space
    int StopBits = 0;     // 0 one, 1 one and a half, 2 two
    bool ParityCheck = false;
    bool CtsFlow = false; // RTS/CTS handshake
    bool OutX = false;    // XON/XOFF on output
    bool InX = false;     // XON/XOFF on input
    Byte XonChar = 17;
    Byte XoffChar = 19;
};

// Modem-line bits of Comm_Modem_Lines.
enum : int { clCTS = 1, clDSR = 2, clRING = 4, clRLSD = 8, clDTR = 16, clRTS = 32 };

// Counters of line events the driver keeps (not every driver does).
struct TCommCounts {
    int Break = 0, Frame = 0, Overrun = 0, Parity = 0, BufOverrun = 0;
};

// Each returns false with the system error in Error.
bool Comm_Get_Line(int fd, TCommLine& line, int& Error);
bool Comm_Set_Line(int fd, const TCommLine& line, int& Error);
// Raw mode: no echo, no line editing, no character translation.
bool Comm_Make_Raw(int fd, int& Error);
bool Comm_Modem_Lines(int fd, int& bits);
bool Comm_Set_Modem_Line(int fd, int bit, bool on, int& Error);
bool Comm_Break(int fd, bool on, int& Error);
// Suspends (false) or resumes (true) output as an XOFF / XON would.
bool Comm_Flow(int fd, bool resume, int& Error);
void Comm_Flush(int fd, bool input, bool output);
Integer Comm_In_Queue(int fd);
Integer Comm_Out_Queue(int fd);
bool Comm_Counts(int fd, TCommCounts& counts);
