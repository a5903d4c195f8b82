#include "platform/system/RemoteWire.h"

#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace platform {

WireRequest ToWire(const RemoteRequest& request)
{
    WireRequest wire{};
    wire.magic = kWireRequestMagic;
    wire.kind = request.kind == RemoteRequest::Kind::PostMessage ? 1 : 2;
    wire.window = request.window;
    wire.message = request.message;
    wire.wParam = static_cast<std::uint64_t>(request.wParam);
    wire.lParam = static_cast<std::int64_t>(request.lParam);
    wire.flags = request.withOwned ? 1 : 0;
    wire.senderPid = request.senderPid;
    return wire;
}

bool FromWire(const WireRequest& wire, RemoteRequest* request)
{
    if (wire.magic != kWireRequestMagic || (wire.kind != 1 && wire.kind != 2) || (wire.flags & ~1u))
        return false;
    request->kind = wire.kind == 1 ? RemoteRequest::Kind::PostMessage : RemoteRequest::Kind::SetForeground;
    request->window = wire.window;
    request->message = wire.message;
    request->wParam = static_cast<WPARAM>(wire.wParam);
    request->lParam = static_cast<LPARAM>(wire.lParam);
    request->withOwned = (wire.flags & 1u) != 0;
    request->senderPid = wire.senderPid;
    return true;
}

bool ReadExactly(int fd, void* data, size_t size)
{
    auto* bytes = static_cast<char*>(data);
    while (size > 0) {
        ssize_t n = recv(fd, bytes, size, 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        bytes += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

bool WriteExactly(int fd, const void* data, size_t size)
{
    const auto* bytes = static_cast<const char*>(data);
    while (size > 0) {
        ssize_t n = send(fd, bytes, size, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        bytes += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

void SetSocketTimeouts(int fd, int milliseconds)
{
    timeval timeout{milliseconds / 1000, (milliseconds % 1000) * 1000};
    setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
}

long PeerUid(int fd)
{
    ucred credentials{};
    socklen_t length = sizeof credentials;
    if (getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &credentials, &length) != 0)
        return -1;
    return static_cast<long>(credentials.uid);
}

bool SendRemoteRequest(const std::string& socketPath, const RemoteRequest& request)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (socketPath.size() >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, socketPath.c_str(), socketPath.size() + 1);

    int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    SetSocketTimeouts(fd, kWireTimeoutMs);
    bool taken = false;
    if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 &&
        PeerUid(fd) == static_cast<long>(geteuid())) {
        WireRequest wire = ToWire(request);
        WireReply reply{};
        taken = WriteExactly(fd, &wire, sizeof wire) && ReadExactly(fd, &reply, sizeof reply) &&
                reply.magic == kWireReplyMagic && reply.status == 1;
    }
    close(fd);
    return taken;
}

}  // namespace platform
