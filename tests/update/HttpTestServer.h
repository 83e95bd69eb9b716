// A small HTTP server on 127.0.0.1 inside the test process, answering every request with one canned
// reply, and helpers to wait on the event loop without blocking it.
#pragma once

#include "support/TestSupport.h"

#include <QByteArray>
#include <QList>
#include <QTcpServer>
#include <functional>
#include <ostream>

namespace testing_support {

class HttpTestServer : public QObject {
public:
    HttpTestServer();

    QString Base() const; // "http://127.0.0.1:<port>"
    // Answers with these bytes as they stand, then closes the connection.
    void Reply(const QByteArray& raw) { reply_ = raw, silent_ = false; }
    void Page(int status, const QByteArray& body, const QByteArray& extraHeaders = {});
    // Takes requests and never answers.
    void Silent() { silent_ = true; }
    // The head (request line and headers) of each request received.
    QList<QByteArray> requests;

    // A port on 127.0.0.1 where nothing listens.
    static quint16 RefusedPort();

private:
    QTcpServer server_;
    QByteArray reply_;
    bool silent_ = false;
};

// Runs the event loop until cond holds; false after timeoutMs.
bool WaitFor(const std::function<bool()>& cond, int timeoutMs = 5000);

} // namespace testing_support
