#include "platform/framework/DisplayCheck.h"

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace platform {
namespace {

const char* Value(const char* name)
{
    const char* value = std::getenv(name);
    return value && value[0] ? value : nullptr;
}

// Connects to a Unix socket by path, or in the abstract namespace when
// `abstract` is set (the X server listens on both).
bool Connects(const std::string& path, bool abstract)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const size_t offset = abstract ? 1 : 0;
    if (path.size() + offset >= sizeof(address.sun_path))
        return false;
    std::memcpy(address.sun_path + offset, path.data(), path.size());
    const socklen_t length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + offset + path.size() +
                                                    (abstract ? 0 : 1));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const bool ok = ::connect(fd, reinterpret_cast<sockaddr*>(&address), length) == 0;
    ::close(fd);
    return ok;
}

// ":0", ":0.0" and "unix:0" are this machine's X server; anything with a host
// name goes over the network and is left to Qt.
bool LocalXDisplayNumber(const std::string& display, std::string& number)
{
    std::string rest;
    if (display.rfind("unix:", 0) == 0)
        rest = display.substr(5);
    else if (!display.empty() && display[0] == ':')
        rest = display.substr(1);
    else
        return false;
    number = rest.substr(0, rest.find('.'));
    return !number.empty() && number.find_first_not_of("0123456789") == std::string::npos;
}

bool XReachable(const char* display)
{
    std::string number;
    if (!LocalXDisplayNumber(display, number))
        return true;
    const std::string path = "/tmp/.X11-unix/X" + number;
    return Connects(path, false) || Connects(path, true);
}

bool WaylandReachable(const char* display)
{
    std::string path = display;
    if (path[0] != '/') {
        const char* runtime = Value("XDG_RUNTIME_DIR");
        if (!runtime)
            return false;
        path = std::string(runtime) + "/" + path;
    }
    return Connects(path, false);
}

}  // namespace

bool DisplayReachable(int argc, char** argv, std::string& why)
{
    if (Value("QT_QPA_PLATFORM"))
        return true;
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0)
            return true;

    const char* x = Value("DISPLAY");
    const char* wayland = Value("WAYLAND_DISPLAY");
    if (!x && !wayland) {
        why = "no display (neither DISPLAY nor WAYLAND_DISPLAY is set)";
        return false;
    }
    if ((wayland && WaylandReachable(wayland)) || (x && XReachable(x)))
        return true;
    why = std::string("cannot reach the display ") + (x ? x : wayland);
    return false;
}

}  // namespace platform
