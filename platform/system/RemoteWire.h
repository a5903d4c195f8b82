#pragma once
// What travels over an announcement socket: one fixed-size request per
// connection, answered by one reply. Both ends are the same build on the same
// machine, so the layout is the in-memory one.

#include "platform/system/RemoteWindows.h"

#include <cstdint>
#include <string>

namespace platform {

struct WireRequest {
    std::uint32_t magic;
    std::uint32_t kind;      // 1 post message, 2 set foreground
    std::uint32_t window;
    std::uint32_t message;
    std::uint64_t wParam;
    std::int64_t lParam;
    std::uint32_t flags;     // bit 0: with owned windows
    std::uint32_t senderPid;
};

struct WireReply {
    std::uint32_t magic;
    std::uint32_t status;    // 1 taken, 0 refused
};

constexpr std::uint32_t kWireRequestMagic = 0x4f574231;  // "OWB1"
constexpr std::uint32_t kWireReplyMagic = 0x4f574232;
constexpr int kWireTimeoutMs = 2000;

WireRequest ToWire(const RemoteRequest& request);
// False when the bytes are not a well-formed request.
bool FromWire(const WireRequest& wire, RemoteRequest* request);

// Connects, checks that the listener is process `pid` of our user, sends and
// waits for the reply. True only when the receiver took the request. A
// symbolic link in place of the socket is refused, never followed; wParam
// and lParam are not sent (they mean nothing in another process).
bool SendRemoteRequest(const std::string& socketPath, DWORD pid, const RemoteRequest& request);

// Reads or writes exactly `size` bytes, honouring the socket's timeouts.
bool ReadExactly(int fd, void* data, size_t size);
bool WriteExactly(int fd, const void* data, size_t size);
void SetSocketTimeouts(int fd, int milliseconds);
struct PeerCredentials {
    long pid = -1;
    long uid = -1;
};
// Who is at the other end, as the kernel knows it; -1 for both when unknown.
PeerCredentials Peer(int fd);

}  // namespace platform
