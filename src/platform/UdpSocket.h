#pragma once
// One IPv4 datagram socket: bound to a given or any free local port on all
// interfaces (or on one address), it sends datagrams to an address and port,
// and a listener thread of its own receives every datagram into a buffer of
// BufferSize bytes and hands it to OnRead on that thread.

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>

#include "Types.h"

// Reads an IPv4 address written as four dot-separated decimal parts 0..255
// (leading zeros read as decimal, nothing else allowed) into Address, in
// host byte order.
bool ParseIPv4(const QString& Text, LongWord& Address);

class TUdpSocket {
public:
    // Runs on the listener thread, one datagram at a time. A datagram longer
    // than BufferSize arrives cut to BufferSize bytes.
    using TReadEvent = std::function<void(const QByteArray& Data, const QString& PeerAddress, Word PeerPort)>;

    TUdpSocket();
    ~TUdpSocket();
    TUdpSocket(const TUdpSocket&) = delete;
    TUdpSocket& operator=(const TUdpSocket&) = delete;

    // Set while the socket is closed.
    TReadEvent OnRead;
    Integer BufferSize = 8192;

    // Binds Port (0: any free port) on BindAddress (empty: all interfaces)
    // and starts the listener. False with ErrorMessage when the socket cannot
    // be made or bound; an open socket is closed first.
    bool Open(Word Port = 0, const QString& BindAddress = QString());
    // Stops the listener and waits for it (unless called from OnRead, which
    // only stops it), then closes the socket. Closing a closed socket does
    // nothing.
    void Close();
    bool Active() const;
    // The bound local port; 0 while closed.
    Word LocalPort() const;

    // Sends one datagram to an IPv4 address in ParseIPv4's form. False with
    // ErrorMessage when the socket is closed, the address is not one or the
    // system refuses the datagram.
    bool SendTo(const QString& Address, Word Port, const QByteArray& Data);

    QString ErrorMessage() const;

private:
    struct Impl;
    std::unique_ptr<Impl> d_;
};
