#include "platform/system/sound/CanberraOutput.h"

#include <canberra.h>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <sys/stat.h>

namespace platform {

namespace {

// PlaySoundW's sound has an id of its own, so that the next one or a stop
// can cut it short without touching the beeps.
constexpr std::uint32_t kFileSoundId = 1;
constexpr std::uint32_t kEventSoundId = 2;
constexpr int kCancelGraceMs = 500;

// The ends of file sounds, by a serial number: the service may report an end
// after the caller has stopped waiting, and then finds nothing to touch.
struct Ending {
    bool awaited = false;
    bool done = false;
    int error = CA_SUCCESS;
};

struct Endings {
    std::mutex lock;
    std::condition_variable changed;
    std::map<std::uintptr_t, Ending> bySerial;
    std::uintptr_t nextSerial = 1;
};

Endings& TheEndings()
{
    static Endings endings;
    return endings;
}

void Finished(ca_context*, std::uint32_t, int error, void* userdata)
{
    Endings& endings = TheEndings();
    std::lock_guard<std::mutex> guard(endings.lock);
    const auto it = endings.bySerial.find(reinterpret_cast<std::uintptr_t>(userdata));
    if (it == endings.bySerial.end())
        return;
    if (!it->second.awaited) {
        endings.bySerial.erase(it);
    } else {
        it->second.done = true;
        it->second.error = error;
    }
    endings.changed.notify_all();
}

class PropertyList {
public:
    PropertyList() { ca_proplist_create(&m_list); }
    ~PropertyList() { ca_proplist_destroy(m_list); }
    PropertyList(const PropertyList&) = delete;
    PropertyList& operator=(const PropertyList&) = delete;
    PropertyList& Set(const char* key, const char* value)
    {
        if (m_list)
            ca_proplist_sets(m_list, key, value);
        return *this;
    }
    ca_proplist* Get() const { return m_list; }

private:
    ca_proplist* m_list = nullptr;
};

}  // namespace

CanberraOutput::~CanberraOutput()
{
    if (m_context)
        ca_context_destroy(m_context);
}

bool CanberraOutput::ServiceRuns()
{
    const char* server = std::getenv("PULSE_SERVER");
    if (server && server[0])
        return true;
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (!runtime || runtime[0] != '/')
        return false;
    struct stat st {};
    return stat((std::string(runtime) + "/pulse/native").c_str(), &st) == 0 && S_ISSOCK(st.st_mode);
}

ca_context* CanberraOutput::Context()
{
    std::lock_guard<std::mutex> guard(m_lock);
    if (m_context || !ServiceRuns())
        return m_context;
    ca_context* context = nullptr;
    if (ca_context_create(&context) != CA_SUCCESS)
        return nullptr;
    if (ca_context_set_driver(context, "pulse") != CA_SUCCESS ||
        ca_context_change_props(context, CA_PROP_APPLICATION_NAME, program_invocation_short_name, nullptr) !=
            CA_SUCCESS ||
        ca_context_open(context) != CA_SUCCESS) {
        ca_context_destroy(context);
        return nullptr;   // tried again next time: the service may come up
    }
    m_context = context;
    return m_context;
}

void CanberraOutput::Forget(ca_context* context)
{
    std::lock_guard<std::mutex> guard(m_lock);
    if (m_context != context)
        return;
    ca_context_destroy(m_context);
    m_context = nullptr;
}

int CanberraOutput::Play(std::uint32_t id, const char* key, const char* value, bool withEnd, std::uintptr_t serial)
{
    int result = CA_ERROR_STATE;
    for (int attempt = 0; attempt < 2; ++attempt) {
        ca_context* context = Context();
        if (!context)
            return CA_ERROR_NOTAVAILABLE;
        PropertyList properties;
        properties.Set(key, value);
        if (withEnd)
            properties.Set(CA_PROP_CANBERRA_CACHE_CONTROL, "never");
        result = ca_context_play_full(context, id, properties.Get(), withEnd ? Finished : nullptr,
                                      reinterpret_cast<void*>(serial));
        if (result != CA_ERROR_DISCONNECTED && result != CA_ERROR_STATE)
            return result;
        Forget(context);
    }
    return result;
}

bool CanberraOutput::PlayEvent(const std::string& eventId)
{
    int result = Play(kEventSoundId, CA_PROP_EVENT_ID, eventId.c_str(), false, 0);
    // A theme without this sound: the bell rather than nothing.
    if (result == CA_ERROR_NOTFOUND && eventId != "bell")
        result = Play(kEventSoundId, CA_PROP_EVENT_ID, "bell", false, 0);
    return result == CA_SUCCESS;
}

bool CanberraOutput::PlayFile(const std::string& path, bool wait, int waitMs)
{
    if (!Context())
        return false;
    Endings& endings = TheEndings();
    std::uintptr_t serial = 0;
    {
        std::lock_guard<std::mutex> guard(endings.lock);
        serial = endings.nextSerial++;
        endings.bySerial[serial].awaited = wait;
    }
    StopFile();
    const int result = Play(kFileSoundId, CA_PROP_MEDIA_FILENAME, path.c_str(), true, serial);
    std::unique_lock<std::mutex> guard(endings.lock);
    if (result != CA_SUCCESS) {
        endings.bySerial.erase(serial);
        return false;
    }
    if (!wait)
        return true;
    auto ended = [&] { return endings.bySerial[serial].done; };
    bool endedInTime = endings.changed.wait_for(guard, std::chrono::milliseconds(waitMs), ended);
    if (!endedInTime) {
        guard.unlock();
        StopFile();
        guard.lock();
        endings.changed.wait_for(guard, std::chrono::milliseconds(kCancelGraceMs), ended);
    }
    const Ending ending = endings.bySerial[serial];
    endings.bySerial.erase(serial);
    // Cut short at the bound, it still played.
    return !endedInTime || ending.error == CA_SUCCESS;
}

bool CanberraOutput::FilePlaying()
{
    ca_context* context = nullptr;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        context = m_context;
    }
    int playing = 0;
    return context && ca_context_playing(context, kFileSoundId, &playing) == CA_SUCCESS && playing;
}

void CanberraOutput::StopFile()
{
    std::lock_guard<std::mutex> guard(m_lock);
    if (m_context)
        ca_context_cancel(m_context, kFileSoundId);
}

}  // namespace platform
