#pragma once
// What plays the sounds: the desktop's sound service (CanberraOutput), or in
// tests whatever they install.

#include <string>

namespace platform {

class SoundOutput {
public:
    virtual ~SoundOutput() = default;
    // A sound of the freedesktop theme ("bell", "dialog-error").
    virtual bool PlayEvent(const std::string& eventId) = 0;
    // A sound file. With `wait`, returns when it has ended or at `waitMs`,
    // when it is stopped. The file sound replaces the one playing.
    virtual bool PlayFile(const std::string& path, bool wait, int waitMs) = 0;
    virtual bool FilePlaying() = 0;
    virtual void StopFile() = 0;
};

// The output in use: CanberraOutput unless a test set another (null puts it back).
SoundOutput& CurrentSoundOutput();
void SetSoundOutputForTesting(SoundOutput* output);

}  // namespace platform
