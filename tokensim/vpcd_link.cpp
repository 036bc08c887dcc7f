#include "tokensim/vpcd_link.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

namespace {

bool ReadExactly(int fd, uint8_t* out, size_t count) {
    size_t done = 0;
    while (done < count) {
        // vpcd writes the length and the payload separately; acknowledging at once keeps its
        // Nagle wait (for our delayed acknowledgement) from adding ~40 ms to every message.
        int one = 1;
        setsockopt(fd, IPPROTO_TCP, TCP_QUICKACK, &one, sizeof one);
        ssize_t n = recv(fd, out + done, count - done, 0);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

bool WriteAll(int fd, const uint8_t* data, size_t count) {
    size_t done = 0;
    while (done < count) {
        ssize_t n = send(fd, data + done, count - done, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

}  // namespace

bool VpcdLink::TryConnect(const std::string& host, int port) {
    Close();
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0) return false;
    int fd = socket(found->ai_family, found->ai_socktype, found->ai_protocol);
    bool ok = fd >= 0 && connect(fd, found->ai_addr, found->ai_addrlen) == 0;
    freeaddrinfo(found);
    if (!ok) {
        if (fd >= 0) close(fd);
        return false;
    }
    int one = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    fd_ = fd;
    return true;
}

void VpcdLink::Close() {
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
}

bool VpcdLink::ReadFrame(Bytes& payload) {
    uint8_t length[2];
    if (fd_ < 0 || !ReadExactly(fd_, length, 2)) {
        Close();
        return false;
    }
    payload.assign(static_cast<size_t>(length[0] << 8 | length[1]), 0);
    if (!payload.empty() && !ReadExactly(fd_, payload.data(), payload.size())) {
        Close();
        return false;
    }
    return true;
}

bool VpcdLink::WriteFrame(const Bytes& payload) {
    if (fd_ < 0 || payload.empty() || payload.size() > 0xFFFF) return false;
    Bytes frame = {static_cast<uint8_t>(payload.size() >> 8), static_cast<uint8_t>(payload.size())};
    frame.insert(frame.end(), payload.begin(), payload.end());
    if (!WriteAll(fd_, frame.data(), frame.size())) {
        Close();
        return false;
    }
    return true;
}
