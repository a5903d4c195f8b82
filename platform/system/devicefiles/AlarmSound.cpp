#include "platform/system/devicefiles/AlarmSound.h"

namespace platform {

namespace embedded {
extern const unsigned char alarm2_wav[];
extern const std::size_t alarm2_wav_size;
}  // namespace embedded

const unsigned char* AlarmSoundData() { return embedded::alarm2_wav; }

std::size_t AlarmSoundSize() { return embedded::alarm2_wav_size; }

}  // namespace platform
