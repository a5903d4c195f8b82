#pragma once
// Comma-separated text as RFC 4180 has it, in UTF-8: a field holding a
// comma, a quote or a line break is quoted with its quotes doubled, and rows
// end with CR LF. The text goes to the sink in blocks, so that a large
// export never sits in memory whole.

#include "platform/core/CString.h"

#include <cstddef>
#include <functional>
#include <string>

class CCsvWriter {
public:
    // Takes the next block; false when it could not be written.
    using Sink = std::function<bool(const char* data, std::size_t size)>;

    explicit CCsvWriter(Sink sink);

    void AddField(const CString& text);
    void AddField(const std::string& utf8);
    void EndRow();
    // Hands the rest to the sink; FALSE when any block failed.
    BOOL Flush();

private:
    Sink m_sink;
    std::string m_buffer;
    BOOL m_bRowStarted = FALSE;
    BOOL m_bFailed = FALSE;
};
