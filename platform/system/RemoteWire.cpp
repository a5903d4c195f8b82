#include "platform/system/RemoteWire.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
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

PeerCredentials Peer(int fd)
{
    ucred credentials{};
    socklen_t length = sizeof credentials;
    if (getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &credentials, &length) != 0)
        return {};
    return {static_cast<long>(credentials.pid), static_cast<long>(credentials.uid)};
}

namespace {

// connect() would follow a link planted where the socket should be; the
// descriptor of the file itself is reached through /proc instead.
int ConnectWithoutFollowing(const std::string& socketPath)
{
    int pathFd = open(socketPath.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC);
    if (pathFd < 0)
        return -1;
    struct stat st {};
    int fd = -1;
    if (fstat(pathFd, &st) == 0 && S_ISSOCK(st.st_mode))
        fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd >= 0) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::snprintf(address.sun_path, sizeof address.sun_path, "/proc/self/fd/%d", pathFd);
        SetSocketTimeouts(fd, kWireTimeoutMs);
        if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
            close(fd);
            fd = -1;
        }
    }
    close(pathFd);
    return fd;
}

}  // namespace

bool SendRemoteRequest(const std::string& socketPath, DWORD pid, const RemoteRequest& request)
{
    int fd = ConnectWithoutFollowing(socketPath);
    if (fd < 0)
        return false;
    bool taken = false;
    PeerCredentials peer = Peer(fd);
    if (peer.uid == static_cast<long>(geteuid()) && peer.pid == static_cast<long>(pid)) {
        RemoteRequest bare = request;
        bare.wParam = 0;
        bare.lParam = 0;
        WireRequest wire = ToWire(bare);
        WireReply reply{};
        taken = WriteExactly(fd, &wire, sizeof wire) && ReadExactly(fd, &reply, sizeof reply) &&
                reply.magic == kWireReplyMagic && reply.status == 1;
    }
    close(fd);
    return taken;
}

}  // namespace platform
