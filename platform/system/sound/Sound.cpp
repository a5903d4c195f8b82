#include "platform/system/sound/Sound.h"

#include "platform/core/CString.h"
#include "platform/core/LastError.h"
#include "platform/core/WideC.h"
#include "platform/system/devicefiles/DevicePath.h"
#include "platform/system/sound/CanberraOutput.h"

#include <sys/stat.h>

namespace platform {

namespace {

// A synchronous sound never holds the caller longer than this.
constexpr int kLongestWaitMs = 10000;

SoundHandler& Handler()
{
    static SoundHandler handler;
    return handler;
}

SoundOutput*& OutputOverride()
{
    static SoundOutput* output = nullptr;
    return output;
}

struct NamedSound {
    const char16_t* name;
    const char* eventId;
};

// System sounds by their names (SND_ALIAS), as freedesktop theme sounds.
constexpr NamedSound kSystemSounds[] = {
    {u"SystemDefault", "bell"},          {u".Default", "bell"},
    {u"SystemAsterisk", "dialog-information"}, {u"SystemExclamation", "dialog-warning"},
    {u"SystemHand", "dialog-error"},     {u"SystemQuestion", "dialog-question"},
};

const char* SystemSound(const std::u16string& name)
{
    for (const NamedSound& sound : kSystemSounds)
        if (_wcsicmp(name.c_str(), sound.name) == 0)
            return sound.eventId;
    return nullptr;
}

// The host file of a device sound; nothing when it is not a plain file there.
std::optional<std::string> SoundFile(const std::u16string& name)
{
    const std::u16string devicePath = !name.empty() && name.front() == u'\\' ? name : u"\\windows\\" + name;
    const std::optional<std::string> path = HostPathForDevicePath(devicePath);
    struct stat st {};
    if (!path || stat(path->c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    return path;
}

}  // namespace

SoundOutput& CurrentSoundOutput()
{
    static CanberraOutput canberra;
    return OutputOverride() ? *OutputOverride() : canberra;
}

void SetSoundOutputForTesting(SoundOutput* output) { OutputOverride() = output; }

void SetSoundHandler(SoundHandler handler) { Handler() = std::move(handler); }

BOOL PlayBeepSound(UINT type)
{
    const char* eventId = "bell";
    switch (type & 0xF0) {
    case 0x10:   // MB_ICONHAND
        eventId = "dialog-error";
        break;
    case 0x20:   // MB_ICONQUESTION
        eventId = "dialog-question";
        break;
    case 0x30:   // MB_ICONEXCLAMATION
        eventId = "dialog-warning";
        break;
    case 0x40:   // MB_ICONASTERISK
        eventId = "dialog-information";
        break;
    }
    if (type == 0xFFFFFFFF)
        eventId = "bell";
    return CurrentSoundOutput().PlayEvent(eventId) ? TRUE : FALSE;
}

}  // namespace platform

BOOL PlaySoundW(LPCWSTR pszSound, HMODULE, DWORD fdwSound)
{
    using namespace platform;
    if (Handler())
        return Handler()(pszSound ? std::u16string(pszSound) : std::u16string(), fdwSound);
    SoundOutput& output = CurrentSoundOutput();
    if (!pszSound) {
        output.StopFile();
        return TRUE;
    }
    if (fdwSound & SND_MEMORY) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if ((fdwSound & SND_NOSTOP) && output.FilePlaying())
        return FALSE;
    const bool wait = !(fdwSound & SND_ASYNC);
    const std::u16string name(pszSound);
    if (!(fdwSound & SND_FILENAME)) {
        if (const char* eventId = SystemSound(name))
            return output.PlayEvent(eventId) ? TRUE : FALSE;
    }
    if (!(fdwSound & SND_ALIAS)) {
        if (const std::optional<std::string> file = SoundFile(name))
            return output.PlayFile(*file, wait, kLongestWaitMs) ? TRUE : FALSE;
    }
    if (!(fdwSound & SND_NODEFAULT))
        output.PlayEvent("bell");
    return FALSE;
}
