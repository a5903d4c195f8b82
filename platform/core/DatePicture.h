#pragma once
// Date and time pictures in the handheld's notation ("M/d/yyyy", "h:mm:ss tt",
// 'quoted text'): formatting calendar fields into text and reading such text
// back. Internal to the core's locale functions.

#include "platform/core/Types.h"

#include <string>
#include <string_view>

namespace platform {

struct LocaleNames {
    std::u16string monthLong[12];
    std::u16string monthShort[12];
    std::u16string monthStandaloneLong[12];
    std::u16string monthStandaloneShort[12];
    std::u16string dayLong[7];   // Sunday first
    std::u16string dayShort[7];
    std::u16string am;
    std::u16string pm;
};

enum class PictureKind { Date, Time };

// Picture options of the time format: leave out parts, or use 24 hours.
struct TimeOptions {
    bool noMinutesOrSeconds = false;
    bool noSeconds = false;
    bool noMarker = false;
    bool force24Hour = false;
};

std::u16string FormatPicture(std::u16string_view picture, PictureKind kind, const SYSTEMTIME& time,
                             const LocaleNames& names, const TimeOptions& options = {});

// Reads text written with `picture` (a date picture, a time picture, or a date
// picture, a blank and a time picture). Fields the picture lacks stay as
// `fields` had them. Blanks are matched loosely, names without regard to case.
bool ParsePicture(std::u16string_view text, std::u16string_view datePicture, std::u16string_view timePicture,
                  const LocaleNames& names, SYSTEMTIME& fields);

}  // namespace platform
