#pragma once
// Sounds: PlaySoundW of the device's sound files and the beeps of
// MessageBeep, played through the desktop's sound service (libcanberra with
// the freedesktop sound theme). Where no sound service runs, silence.

#include "platform/core/Types.h"

#include <functional>
#include <string>

constexpr DWORD SND_SYNC = 0x0000;       // returns when the sound has ended (at most 10 seconds)
constexpr DWORD SND_ASYNC = 0x0001;      // returns at once
constexpr DWORD SND_NODEFAULT = 0x0002;  // silence, not the default sound, when the sound is missing
constexpr DWORD SND_MEMORY = 0x0004;     // not supported: FALSE
constexpr DWORD SND_LOOP = 0x0008;       // not supported: played once
constexpr DWORD SND_NOSTOP = 0x0010;     // FALSE while a sound of PlaySoundW plays
constexpr DWORD SND_ALIAS = 0x00010000;  // a system sound's name ("SystemAsterisk")
constexpr DWORD SND_FILENAME = 0x00020000;

// Plays a sound file of the device: "\windows\alarm2.WAV" is
// <device>/windows/alarm2.WAV; a name without a leading backslash is looked
// for in \windows. Without SND_FILENAME a system sound's name is tried first.
// A null name stops the sound that PlaySoundW plays. TRUE when the sound
// played (or, with SND_ASYNC, started); FALSE when it is missing (then the
// default sound, unless SND_NODEFAULT) or no sound service runs.
BOOL PlaySoundW(LPCWSTR pszSound, HMODULE hmod, DWORD fdwSound);

namespace platform {

// MessageBeep's sound: MB_OK (0) and 0xFFFFFFFF the bell, MB_ICONHAND the
// error sound, MB_ICONQUESTION the question, MB_ICONEXCLAMATION the warning,
// MB_ICONASTERISK the information sound. Never waits. TRUE when the sound
// service took it.
BOOL PlayBeepSound(UINT type);

// Where PlaySoundW goes instead of the sound service: tests install a
// recorder (platform/testing/ServiceRecorders.h). Empty restores the service.
using SoundHandler = std::function<BOOL(const std::u16string& name, DWORD flags)>;
void SetSoundHandler(SoundHandler handler);

}  // namespace platform
