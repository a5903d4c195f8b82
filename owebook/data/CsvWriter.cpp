#include "owebook/data/CsvWriter.h"

#include <utility>

namespace {

constexpr std::size_t BLOCK_SIZE = 64 * 1024;

}  // namespace

CCsvWriter::CCsvWriter(Sink sink) : m_sink(std::move(sink)) { m_buffer.reserve(BLOCK_SIZE + 1024); }

void CCsvWriter::AddField(const CString& text) { AddField(text.ToUtf8()); }

void CCsvWriter::AddField(const std::string& utf8)
{
    if (m_bRowStarted)
        m_buffer += ',';
    m_bRowStarted = TRUE;
    if (utf8.find_first_of(",\"\r\n") == std::string::npos) {
        m_buffer += utf8;
        return;
    }
    m_buffer += '"';
    for (char c : utf8) {
        if (c == '"')
            m_buffer += '"';
        m_buffer += c;
    }
    m_buffer += '"';
}

void CCsvWriter::EndRow()
{
    m_buffer += "\r\n";
    m_bRowStarted = FALSE;
    if (m_buffer.size() >= BLOCK_SIZE)
        Flush();
}

BOOL CCsvWriter::Flush()
{
    if (!m_buffer.empty() && !m_bFailed && !m_sink(m_buffer.data(), m_buffer.size()))
        m_bFailed = TRUE;
    m_buffer.clear();
    return !m_bFailed;
}
