#pragma once
// The platform's alarm sound, "\windows\alarm2.WAV": made at build time by
// synth/MakeAlarmSound.cpp and compiled in.

#include <cstddef>

namespace platform {

inline constexpr char kAlarmSoundName[] = "alarm2.WAV";

const unsigned char* AlarmSoundData();
std::size_t AlarmSoundSize();

}  // namespace platform
