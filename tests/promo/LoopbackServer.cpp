// SPDX-License-Identifier: GPL-3.0-or-later
#include "LoopbackServer.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QByteArrayList>

#include <cerrno>
#include <stdexcept>

namespace {

int ListenOnLoopback(quint16* port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        throw std::runtime_error("socket");
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || ::listen(fd, 16) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
        ::close(fd);
        throw std::runtime_error("bind/listen on 127.0.0.1");
    }
    *port = ntohs(addr.sin_port);
    return fd;
}

// Waits until fd is readable; false when the wake pipe fired (the server is stopping).
bool WaitReadable(int fd, int wakeFd) {
    pollfd fds[2] = {{fd, POLLIN, 0}, {wakeFd, POLLIN, 0}};
    int ready;
    while ((ready = ::poll(fds, 2, -1)) < 0 && errno == EINTR) {
    }
    return ready > 0 && !(fds[1].revents & POLLIN); // a failed poll stops the server too
}

} // namespace

LoopbackServer::LoopbackServer(Handler handler) : handler_(std::move(handler)) {
    listenFd_ = ListenOnLoopback(&port_);
    if (::pipe2(wakeFds_, O_CLOEXEC) != 0)
        throw std::runtime_error("pipe");
    thread_ = std::thread([this] { run(); });
}

LoopbackServer::~LoopbackServer() {
    const char c = 'x';
    (void)!::write(wakeFds_[1], &c, 1);
    thread_.join();
    for (int fd : held_)
        ::close(fd);
    ::close(listenFd_);
    ::close(wakeFds_[0]);
    ::close(wakeFds_[1]);
}

std::vector<QByteArray> LoopbackServer::requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

LoopbackServer::Answer LoopbackServer::Reply(int status, const QByteArray& body,
                                             const QByteArray& extraHeaders) {
    QByteArray raw = "HTTP/1.1 " + QByteArray::number(status) +
                     " Status\r\nContent-Length: " + QByteArray::number(body.size()) +
                     "\r\nConnection: close\r\n" + extraHeaders + "\r\n";
    return {raw + body, false};
}

quint16 LoopbackServer::RefusedPort() {
    quint16 port = 0;
    ::close(ListenOnLoopback(&port));
    return port;
}

void LoopbackServer::run() {
    for (int index = 0;; ++index) {
        if (!WaitReadable(listenFd_, wakeFds_[0]))
            return;
        const int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0)
            continue;
        QByteArray head;
        char buf[4096];
        while (!head.contains("\r\n\r\n")) {
            if (!WaitReadable(fd, wakeFds_[0])) {
                ::close(fd);
                return;
            }
            const ssize_t n = ::read(fd, buf, sizeof buf);
            if (n <= 0)
                break;
            head.append(buf, n);
        }
        const QByteArray requestLine = head.left(head.indexOf("\r\n"));
        const QByteArray path = requestLine.split(' ').value(1);
        {
            std::lock_guard lock(mutex_);
            requests_.push_back(head);
        }
        const Answer answer = handler_(path, index);
        if (answer.silent) {
            std::lock_guard lock(mutex_);
            held_.push_back(fd);
            continue;
        }
        for (qsizetype done = 0; done < answer.raw.size();) {
            const ssize_t n =
                ::send(fd, answer.raw.constData() + done, answer.raw.size() - done, MSG_NOSIGNAL);
            if (n <= 0)
                break;
            done += n;
        }
        ::shutdown(fd, SHUT_WR);
        ::close(fd);
    }
}
