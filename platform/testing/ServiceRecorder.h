#pragma once
// Records what a test's code asks of the platform's services instead of
// sounding or scheduling anything: MessageBeep, PlaySoundW and
// CeRunAppAtTime, in the order they came, while the recorder lives.
//
//   ServiceRecorder services;
//   ... the code under test ...
//   EXPECT_EQ(services.Trace(), (std::vector<std::string>{
//       "beep 0xFFFFFFFF", "sound \\windows\\alarm2.WAV 0x2"}));
//
// The answers are TRUE unless a test sets them (to see how its code takes a
// failing service).

#include "platform/core/Types.h"

#include <optional>
#include <string>
#include <vector>

namespace platform::testing {

class ServiceRecorder {
public:
    struct RunAtTime {
        std::u16string app;
        std::optional<SYSTEMTIME> time;   // none: the request was removed
    };
    struct Sound {
        std::u16string name;
        DWORD flags;
    };

    ServiceRecorder();
    ~ServiceRecorder();
    ServiceRecorder(const ServiceRecorder&) = delete;
    ServiceRecorder& operator=(const ServiceRecorder&) = delete;

    std::vector<UINT> beeps;
    std::vector<Sound> sounds;
    std::vector<RunAtTime> runAtTime;

    BOOL soundAnswer = TRUE;
    BOOL runAtTimeAnswer = TRUE;

    // In call order: "beep 0x00000030", "sound <name> 0x2",
    // "run-at-time <app> 2024-01-31 09:05:00" or "run-at-time <app> none".
    const std::vector<std::string>& Trace() const { return m_trace; }
    // The last run-at-time request's time; none when there was none or it removed.
    std::optional<SYSTEMTIME> PendingTime() const;
    void Clear();

private:
    std::vector<std::string> m_trace;
};

}  // namespace platform::testing
