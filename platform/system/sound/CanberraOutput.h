#pragma once
// Sounds through libcanberra's PulseAudio driver: the sound service of the
// desktop (PulseAudio or PipeWire). Nothing is tried where its socket is
// missing, so that no server is spawned and no sound card is touched.

#include "platform/system/sound/SoundOutput.h"

#include <cstdint>
#include <mutex>

struct ca_context;

namespace platform {

class CanberraOutput : public SoundOutput {
public:
    CanberraOutput() = default;
    ~CanberraOutput() override;
    CanberraOutput(const CanberraOutput&) = delete;
    CanberraOutput& operator=(const CanberraOutput&) = delete;

    // $PULSE_SERVER, or the socket $XDG_RUNTIME_DIR/pulse/native.
    static bool ServiceRuns();

    bool PlayEvent(const std::string& eventId) override;
    bool PlayFile(const std::string& path, bool wait, int waitMs) override;
    bool FilePlaying() override;
    void StopFile() override;

private:
    ca_context* Context();
    // Drops a context whose connection broke (the service restarted), so
    // that the next sound connects anew.
    void Forget(ca_context* context);
    // Plays with a fresh connection once more when the kept one broke.
    int Play(std::uint32_t id, const char* key, const char* value, bool withEnd, std::uintptr_t serial);

    std::mutex m_lock;
    ca_context* m_context = nullptr;
};

}  // namespace platform
