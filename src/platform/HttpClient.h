#pragma once
// One HTTP GET of one page, with a time-out.

#include <QString>

#include "Object.h"
#include "Types.h"

class THTTPClient : public TObject {
public:
    QString ClassName() const override { return QStringLiteral("THTTPClient"); }

    // Longest wait for the whole request, in milliseconds.
    Integer Timeout = 5000;

    // Sends one GET and waits for the reply, holding the calling thread (its
    // events are not processed meanwhile). The body comes back as text:
    // decoded as UTF-8 when the reply says so, else by its byte-order mark,
    // else as Windows-1252. Any failure gives the empty text: no connection,
    // the time-out, an error status, a redirect (which is not followed).
    QString Get(const QString& URL);
    // The last reply's status code, 0 when there was none.
    Integer ResponseCode() const { return responseCode_; }

private:
    Integer responseCode_ = 0;
};
