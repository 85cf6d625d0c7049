// SPDX-License-Identifier: GPL-3.0-or-later
// A small HTTP server on 127.0.0.1 and a free port, run on a thread of its own for the lifetime of
// the object. Each request is answered by a handler with raw bytes, or held open without an answer.
#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <mutex>
#include <thread>
#include <vector>

class LoopbackServer {
public:
    struct Answer {
        QByteArray raw;      // written as is, then the connection is closed
        bool silent = false; // keep the connection open and never answer
    };
    // path of the request line, and how many requests came before it
    using Handler = std::function<Answer(const QByteArray& path, int index)>;

    explicit LoopbackServer(Handler handler);
    ~LoopbackServer();
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    quint16 port() const { return port_; }
    QString base() const { return QStringLiteral("http://127.0.0.1:%1").arg(port_); }
    std::vector<QByteArray> requests() const; // request heads, in arrival order

    static Answer Reply(int status, const QByteArray& body, const QByteArray& extraHeaders = {});
    static Answer Silent() { return {{}, true}; }

    // A port on 127.0.0.1 that nothing listens on (bound, then released).
    static quint16 RefusedPort();

private:
    void run();
    int listenFd_ = -1;
    int wakeFds_[2] = {-1, -1};
    quint16 port_ = 0;
    Handler handler_;
    mutable std::mutex mutex_;
    std::vector<QByteArray> requests_;
    std::vector<int> held_;
    std::thread thread_;
};
