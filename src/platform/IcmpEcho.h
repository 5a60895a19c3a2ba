#pragma once
// ICMP echo ("ping") to an IPv4 host: one request with a data buffer, then
// a wait of at most ReceiveTimeout for its reply. A datagram ICMP socket is
// used where the system allows it, a raw socket otherwise.

#include <QByteArray>
#include <QString>
#include <functional>

#include "Object.h"
#include "Types.h"

enum TReplyStatusTypes {
    rsEcho,             // the host answered
    rsTimeOut,          // no answer within the time-out
    rsErrorUnreachable, // the network or host is unreachable
    rsError,            // nothing was sent: the host cannot be resolved
    rsNotSent,          // nothing was sent: the system refused the ICMP socket or the request
};

struct TReplyStatus {
    TReplyStatusTypes ReplyStatusType = rsError;
    // Bytes of the ICMP reply (header and data); 0 without an answer.
    Integer BytesReceived = 0;
    QString FromIpAddress;
    Word SequenceId = 0;
    Integer MsRoundTripTime = 0;
    // What went wrong, for rsError, rsNotSent and rsErrorUnreachable. Where
    // the system does not let this user send echo requests at all, it also
    // says how an administrator allows them.
    QString Msg;
};

class TIcmpEcho : public TObject {
public:
    QString ClassName() const override { return QStringLiteral("TIcmpEcho"); }

    // A dotted IPv4 address (four decimal parts 0..255), or a host name.
    QString Host;
    Integer ReceiveTimeout = 400;
    // Called once per Ping that sent its request, before Ping returns.
    std::function<void(TObject* Sender, const TReplyStatus& Status)> OnReply;

    // Sends one echo request with Data and sequence number SequenceId and
    // waits for the answer. A host that cannot be resolved (rsError), or a
    // request the system refuses (rsNotSent), gives its status without
    // calling OnReply: the caller can tell them from a host that does not
    // answer (rsTimeOut, OnReply with 0 bytes).
    TReplyStatus Ping(const QByteArray& Data, Word SequenceId = 0);

    // Whether the last Ping used a datagram socket (else a raw one).
    bool UsedDatagramSocket() const { return datagram_; }

private:
    bool datagram_ = false;
};
