#include "platform/system/Trace.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace platform {

void Trace(const char* format, ...)
{
    const char* path = std::getenv("OWEBOOK_TRACE");
    if (!path || !path[0] || !format)
        return;

    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string text;
    if (length > 0) {
        text.resize(static_cast<size_t>(length) + 1);
        std::vsnprintf(text.data(), text.size(), format, args);
        text.resize(static_cast<size_t>(length));
    }
    va_end(args);

    // One event, one line: embedded line breaks would split it.
    for (char& c : text)
        if (c == '\n' || c == '\r')
            c = ' ';
    std::string line = std::to_string(getpid()) + " " + text + "\n";

    int fd = open(path, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return;
    ssize_t written = write(fd, line.data(), line.size());
    (void)written;  // a trace must never disturb the program
    close(fd);
}

}  // namespace platform
