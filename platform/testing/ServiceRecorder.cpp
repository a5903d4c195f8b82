#include "platform/testing/ServiceRecorder.h"

#include "platform/core/CString.h"
#include "platform/system/runattime/RunAtTime.h"
#include "platform/system/sound/Sound.h"
#include "platform/ui/MessageBox.h"

#include <cstdio>

namespace platform::testing {

namespace {

std::string Hex(DWORD value, int digits)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%0*X", digits, static_cast<unsigned>(value));
    return text;
}

std::string TimeText(const SYSTEMTIME& time)
{
    char text[48];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u", time.wYear, time.wMonth, time.wDay, time.wHour,
                  time.wMinute, time.wSecond);
    return text;
}

}  // namespace

ServiceRecorder::ServiceRecorder()
{
    SetBeepHandler([this](UINT type) {
        beeps.push_back(type);
        m_trace.push_back("beep " + Hex(type, 8));
    });
    SetSoundHandler([this](const std::u16string& name, DWORD flags) {
        sounds.push_back({name, flags});
        m_trace.push_back("sound " + Utf16ToUtf8(name) + " " + Hex(flags, 1));
        return soundAnswer;
    });
    SetRunAtTimeHandler([this](const std::u16string& app, const SYSTEMTIME* time) {
        runAtTime.push_back({app, time ? std::optional<SYSTEMTIME>(*time) : std::nullopt});
        m_trace.push_back("run-at-time " + Utf16ToUtf8(app) + " " + (time ? TimeText(*time) : "none"));
        return runAtTimeAnswer;
    });
}

ServiceRecorder::~ServiceRecorder()
{
    SetBeepHandler({});
    SetSoundHandler({});
    SetRunAtTimeHandler({});
}

std::optional<SYSTEMTIME> ServiceRecorder::PendingTime() const
{
    return runAtTime.empty() ? std::nullopt : runAtTime.back().time;
}

void ServiceRecorder::Clear()
{
    beeps.clear();
    sounds.clear();
    runAtTime.clear();
    m_trace.clear();
}

}  // namespace platform::testing
