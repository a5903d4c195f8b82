#include "owebook/views/Formatting.h"

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

    CString format;
    format.Format(u"%%.%df", decimals);
    text.Format(format, value);

    if (text.Find(u'.') < 0)
        return;
    text.TrimRight(u'0');
    text.TrimRight(u'.');
    if (text == u"0" || text == u"-0")
        text.Empty();
}
