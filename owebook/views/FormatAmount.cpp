#include "owebook/views/Formatting.h"

#include <cstdio>
#include <string>

namespace {
// More places than a double holds are noise; fewer than none are meaningless.
constexpr int MAX_DECIMALS = 17;
}

void FormatAmount(double value, int decimals, CString& text)
{
    if (decimals < 0)
        decimals = 0;
    if (decimals > MAX_DECIMALS)
        decimals = MAX_DECIMALS;

    // One plain snprintf: a refill formats an amount per row.
    char buffer[64];
    const int length = std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    if (length < 0) {
        text.Empty();
        return;
    }
    std::string digits(static_cast<std::size_t>(length), '\0');
    if (static_cast<std::size_t>(length) < sizeof buffer)
        digits.assign(buffer, static_cast<std::size_t>(length));
    else
        std::snprintf(digits.data(), digits.size() + 1, "%.*f", decimals, value);
    text = CString(digits.c_str());

    if (text.Find(u'.') < 0)
        return;
    text.TrimRight(u'0');
    text.TrimRight(u'.');
    if (text == u"0" || text == u"-0")
        text.Empty();
}
