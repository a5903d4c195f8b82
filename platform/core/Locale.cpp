#include "platform/core/Locale.h"

#include "platform/core/DatePicture.h"
#include "platform/core/LastError.h"
#include "platform/core/TextCopy.h"
#include "platform/core/Time.h"
#include "platform/core/VariantTime.h"

#include <QLocale>

#include <mutex>
#include <vector>

namespace platform {
namespace {

std::mutex g_mutex;
std::string g_localeName;
std::u16string g_userShortDate;
std::u16string g_userTime;

QLocale CurrentLocale()
{
    std::string name;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        name = g_localeName;
    }
    if (name.empty())
        return QLocale::system();
    if (name == "C" || name == "POSIX")
        return QLocale::c();
    return QLocale(QString::fromStdString(name));
}

std::u16string ToU16(const QString& s) { return std::u16string(reinterpret_cast<const char16_t*>(s.utf16()), s.size()); }

LocaleNames NamesOf(const QLocale& loc)
{
    LocaleNames n;
    for (int m = 1; m <= 12; ++m) {
        n.monthLong[m - 1] = ToU16(loc.monthName(m, QLocale::LongFormat));
        n.monthShort[m - 1] = ToU16(loc.monthName(m, QLocale::ShortFormat));
        n.monthStandaloneLong[m - 1] = ToU16(loc.standaloneMonthName(m, QLocale::LongFormat));
        n.monthStandaloneShort[m - 1] = ToU16(loc.standaloneMonthName(m, QLocale::ShortFormat));
    }
    for (int d = 0; d < 7; ++d) {
        int qtDay = d == 0 ? 7 : d;  // Qt counts from Monday = 1
        n.dayLong[d] = ToU16(loc.dayName(qtDay, QLocale::LongFormat));
        n.dayShort[d] = ToU16(loc.dayName(qtDay, QLocale::ShortFormat));
    }
    n.am = ToU16(loc.amText());
    n.pm = ToU16(loc.pmText());
    if (n.am.empty())
        n.am = u"AM";
    if (n.pm.empty())
        n.pm = u"PM";
    return n;
}

bool IsAsciiLetter(QChar c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

// Qt's seconds-less short time gets seconds after its minutes, joined as the
// hours and minutes are: the default time format shows seconds.
QString WithSeconds(const QString& format)
{
    if (format.contains(u's'))
        return format;
    bool quoted = false;
    int minutesEnd = -1;
    for (int i = 0; i < format.size(); ++i) {
        if (format[i] == u'\'')
            quoted = !quoted;
        else if (!quoted && format[i] == u'm')
            minutesEnd = i + 1;
    }
    if (minutesEnd < 0)
        return format;
    int minutesStart = minutesEnd;
    while (minutesStart > 0 && format[minutesStart - 1] == u'm')
        --minutesStart;
    int sepStart = minutesStart;
    while (sepStart > 0 && !IsAsciiLetter(format[sepStart - 1]) && format[sepStart - 1] != u'\'')
        --sepStart;
    QString separator = format.mid(sepStart, minutesStart - sepStart);
    if (separator.isEmpty() || separator.size() > 3)
        separator = QStringLiteral(":");
    return format.left(minutesEnd) + separator + QStringLiteral("ss") + format.mid(minutesEnd);
}

void AppendQuoted(std::u16string& out, char16_t c, bool& open)
{
    if (c == u'\'') {
        out += u"''";
        return;
    }
    bool letter = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
    if (letter && !open) {
        out += u'\'';
        open = true;
    } else if (!letter && open) {
        out += u'\'';
        open = false;
    }
    out += c;
}

// Qt's format notation to the handheld's picture notation.
std::u16string PictureFromQt(const QString& format, bool fourDigitYear)
{
    std::u16string out;
    bool hasMarker = false;
    for (QChar c : format)
        hasMarker = hasMarker || c == u'a' || c == u'A';
    bool open = false;
    auto field = [&](const std::u16string& text) {
        if (open) {
            out += u'\'';
            open = false;
        }
        out += text;
    };
    int i = 0;
    while (i < format.size()) {
        char16_t c = format[i].unicode();
        if (c == u'\'') {
            ++i;
            if (i < format.size() && format[i] == u'\'') {
                AppendQuoted(out, u'\'', open);
                ++i;
                continue;
            }
            while (i < format.size()) {
                if (format[i] == u'\'') {
                    if (i + 1 < format.size() && format[i + 1] == u'\'') {
                        AppendQuoted(out, u'\'', open);
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                AppendQuoted(out, format[i++].unicode(), open);
            }
            continue;
        }
        int run = 1;
        while (i + run < format.size() && format[i + run] == c)
            ++run;
        switch (c) {
        case u'd':
        case u'M':
            field(std::u16string(static_cast<size_t>(std::min(run, 4)), c));
            break;
        case u'y':
            field(run == 2 && !fourDigitYear ? u"yy" : u"yyyy");
            break;
        case u'h':
        case u'H':
            field(std::u16string(static_cast<size_t>(std::min(run, 2)), c == u'h' && hasMarker ? u'h' : u'H'));
            break;
        case u'm':
        case u's':
            field(std::u16string(static_cast<size_t>(std::min(run, 2)), c));
            break;
        case u'a':
        case u'A':
            field(u"tt");
            run = 1;
            if (i + 1 < format.size() && (format[i + 1] == u'p' || format[i + 1] == u'P'))
                run = 2;
            break;
        case u't':
        case u'z':
            break;  // time zone and milliseconds have no place here
        default:
            for (int k = 0; k < run; ++k)
                AppendQuoted(out, c, open);
            break;
        }
        i += run;
    }
    if (open)
        out += u'\'';
    while (!out.empty() && (out.back() == u' ' || out.back() == 0xA0 || out.back() == 0x202F))
        out.pop_back();
    while (!out.empty() && (out.front() == u' ' || out.front() == 0xA0 || out.front() == 0x202F))
        out.erase(out.begin());
    return out;
}

std::u16string ShortDate(const QLocale& loc, bool userOverride)
{
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        if (userOverride && !g_userShortDate.empty())
            return g_userShortDate;
    }
    // Two-digit years would make the text ambiguous to read back.
    return PictureFromQt(loc.dateFormat(QLocale::ShortFormat), true);
}

std::u16string LongDate(const QLocale& loc) { return PictureFromQt(loc.dateFormat(QLocale::LongFormat), true); }

std::u16string TimeFormat(const QLocale& loc, bool userOverride)
{
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        if (userOverride && !g_userTime.empty())
            return g_userTime;
    }
    return PictureFromQt(WithSeconds(loc.timeFormat(QLocale::ShortFormat)), true);
}

int Deliver(const std::u16string& text, LPWSTR buffer, int cch)
{
    int needed = static_cast<int>(text.size()) + 1;
    if (cch == 0)
        return needed;
    if (cch < needed) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    CopyText(text, buffer, static_cast<std::size_t>(cch));
    return needed;
}

bool CheckBuffer(LPWSTR buffer, int cch)
{
    if (cch < 0 || (cch > 0 && !buffer)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    return true;
}

void AddUnique(std::vector<std::u16string>& list, const std::u16string& picture)
{
    for (const auto& p : list) {
        if (p == picture)
            return;
    }
    list.push_back(picture);
}

}  // namespace

void SetLocaleName(const char* name)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    g_localeName = name ? name : "";
}

std::string GetLocaleName() { return CurrentLocale().name().toStdString(); }

void SetUserShortDateFormat(LPCWSTR picture)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    g_userShortDate = picture ? picture : u"";
}

void SetUserTimeFormat(LPCWSTR picture)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    g_userTime = picture ? picture : u"";
}

CString GetShortDatePicture(bool userOverride) { return CString(ShortDate(CurrentLocale(), userOverride)); }
CString GetLongDatePicture() { return CString(LongDate(CurrentLocale())); }
CString GetTimePicture(bool userOverride) { return CString(TimeFormat(CurrentLocale(), userOverride)); }

}  // namespace platform

using namespace platform;

int GetDateFormatW(LCID, DWORD flags, const SYSTEMTIME* date, LPCWSTR picture, LPWSTR buffer, int cch)
{
    if (!CheckBuffer(buffer, cch))
        return 0;
    DWORD kinds = flags & (DATE_SHORTDATE | DATE_LONGDATE);
    if ((flags & ~(DATE_SHORTDATE | DATE_LONGDATE | LOCALE_NOUSEROVERRIDE)) != 0 ||
        kinds == (DATE_SHORTDATE | DATE_LONGDATE) || (picture && kinds != 0)) {
        SetLastError(ERROR_INVALID_FLAGS);
        return 0;
    }
    SYSTEMTIME st{};
    if (date)
        st = *date;
    else
        GetLocalTime(&st);
    if (!IsValidDate(st, 1601, 30827)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    QLocale loc = CurrentLocale();
    bool userOverride = (flags & LOCALE_NOUSEROVERRIDE) == 0;
    std::u16string pic = picture ? std::u16string(picture)
                       : kinds == DATE_LONGDATE ? LongDate(loc)
                                                : ShortDate(loc, userOverride);
    return Deliver(FormatPicture(pic, PictureKind::Date, st, NamesOf(loc)), buffer, cch);
}

int GetTimeFormatW(LCID, DWORD flags, const SYSTEMTIME* time, LPCWSTR picture, LPWSTR buffer, int cch)
{
    if (!CheckBuffer(buffer, cch))
        return 0;
    const DWORD known = TIME_NOMINUTESORSECONDS | TIME_NOSECONDS | TIME_NOTIMEMARKER | TIME_FORCE24HOURFORMAT |
                        LOCALE_NOUSEROVERRIDE;
    if ((flags & ~known) != 0 || (picture && (flags & LOCALE_NOUSEROVERRIDE))) {
        SetLastError(ERROR_INVALID_FLAGS);
        return 0;
    }
    SYSTEMTIME st{};
    if (time)
        st = *time;
    else
        GetLocalTime(&st);
    if (!IsValidTimeOfDay(st)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    QLocale loc = CurrentLocale();
    std::u16string pic = picture ? std::u16string(picture) : TimeFormat(loc, (flags & LOCALE_NOUSEROVERRIDE) == 0);
    TimeOptions options;
    options.noMinutesOrSeconds = flags & TIME_NOMINUTESORSECONDS;
    options.noSeconds = flags & TIME_NOSECONDS;
    options.noMarker = flags & TIME_NOTIMEMARKER;
    options.force24Hour = flags & TIME_FORCE24HOURFORMAT;
    return Deliver(FormatPicture(pic, PictureKind::Time, st, NamesOf(loc), options), buffer, cch);
}

HRESULT VarDateFromStr(LPCWSTR text, LCID, ULONG flags, DATE* date)
{
    if (!text || !date)
        return E_INVALIDARG;
    QLocale loc = CurrentLocale();
    LocaleNames names = NamesOf(loc);
    std::vector<std::u16string> dates, times;
    AddUnique(dates, ShortDate(loc, true));
    AddUnique(dates, ShortDate(loc, false));
    AddUnique(dates, LongDate(loc));
    AddUnique(dates, u"yyyy'-'MM'-'dd");
    AddUnique(times, TimeFormat(loc, true));
    AddUnique(times, TimeFormat(loc, false));
    AddUnique(times, PictureFromQt(loc.timeFormat(QLocale::ShortFormat), true));
    AddUnique(times, u"HH:mm:ss");
    AddUnique(times, u"HH:mm");

    std::u16string_view input(text);
    auto attempt = [&](std::u16string_view datePicture, std::u16string_view timePicture, SYSTEMTIME& st) {
        st = SYSTEMTIME{};
        st.wYear = 1899;
        st.wMonth = 12;
        st.wDay = 30;
        return ParsePicture(input, datePicture, timePicture, names, st) && SystemTimeToVariantTime(&st, date);
    };
    SYSTEMTIME st{};
    bool ok = false;
    for (const auto& d : dates) {
        for (const auto& t : times) {
            if ((ok = attempt(d, t, st)))
                break;
        }
        if (ok || (ok = attempt(d, u"", st)))
            break;
    }
    for (size_t i = 0; !ok && i < times.size(); ++i)
        ok = attempt(u"", times[i], st);
    if (!ok)
        return DISP_E_TYPEMISMATCH;
    if (flags & VAR_DATEVALUEONLY) {
        st.wHour = st.wMinute = st.wSecond = 0;
        SystemTimeToVariantTime(&st, date);
    } else if (flags & VAR_TIMEVALUEONLY) {
        st.wYear = 1899;
        st.wMonth = 12;
        st.wDay = 30;
        SystemTimeToVariantTime(&st, date);
    }
    return S_OK;
}
