#include "platform/core/DatePicture.h"

#include "platform/core/Time.h"
#include "platform/core/WideC.h"

#include <vector>

namespace platform {
namespace {

struct Token {
    char16_t letter = 0;  // 0 for literal text
    int count = 0;
    std::u16string text;
};

bool IsFieldLetter(char16_t c, PictureKind kind)
{
    if (kind == PictureKind::Date)
        return c == u'd' || c == u'M' || c == u'y' || c == u'g';
    return c == u'h' || c == u'H' || c == u'm' || c == u's' || c == u't';
}

void AddLiteral(std::vector<Token>& tokens, char16_t c)
{
    if (tokens.empty() || tokens.back().letter != 0)
        tokens.push_back(Token{});
    tokens.back().text += c;
}

std::vector<Token> Tokenize(std::u16string_view picture, PictureKind kind)
{
    std::vector<Token> tokens;
    size_t i = 0;
    while (i < picture.size()) {
        char16_t c = picture[i];
        if (c == u'\'') {
            ++i;
            if (i < picture.size() && picture[i] == u'\'') {  // '' is a quote
                AddLiteral(tokens, u'\'');
                ++i;
                continue;
            }
            while (i < picture.size()) {
                if (picture[i] == u'\'') {
                    if (i + 1 < picture.size() && picture[i + 1] == u'\'') {
                        AddLiteral(tokens, u'\'');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                AddLiteral(tokens, picture[i++]);
            }
        } else if (IsFieldLetter(c, kind)) {
            size_t run = i;
            while (run < picture.size() && picture[run] == c)
                ++run;
            tokens.push_back(Token{c, static_cast<int>(run - i), {}});
            i = run;
        } else {
            AddLiteral(tokens, c);
            ++i;
        }
    }
    return tokens;
}

// Drops the field tokens `drop` says, with the separator that joined each to
// the field before it (or, for a leading field, to the one after).
void RemoveFields(std::vector<Token>& tokens, bool (*drop)(const Token&, const TimeOptions&), const TimeOptions& o)
{
    for (size_t i = 0; i < tokens.size();) {
        if (tokens[i].letter == 0 || !drop(tokens[i], o)) {
            ++i;
            continue;
        }
        if (i > 0 && tokens[i - 1].letter == 0) {
            tokens.erase(tokens.begin() + static_cast<long>(i) - 1, tokens.begin() + static_cast<long>(i) + 1);
            --i;
        } else if (i + 1 < tokens.size() && tokens[i + 1].letter == 0) {
            tokens.erase(tokens.begin() + static_cast<long>(i), tokens.begin() + static_cast<long>(i) + 2);
        } else {
            tokens.erase(tokens.begin() + static_cast<long>(i));
        }
    }
}

std::u16string Number(int value, int minDigits)
{
    std::u16string digits;
    do {
        digits.insert(digits.begin(), static_cast<char16_t>(u'0' + value % 10));
        value /= 10;
    } while (value > 0);
    while (static_cast<int>(digits.size()) < minDigits)
        digits.insert(digits.begin(), u'0');
    return digits;
}

int DayOfWeek(const SYSTEMTIME& t)
{
    std::int64_t days = DaysFromCivil(t.wYear, t.wMonth, t.wDay);
    std::int64_t w = (days + 4) % 7;
    return static_cast<int>(w < 0 ? w + 7 : w);
}

std::u16string_view Rest(std::u16string_view text, size_t pos) { return text.substr(std::min(pos, text.size())); }

bool StartsWithNoCase(std::u16string_view text, std::u16string_view prefix)
{
    if (prefix.empty() || prefix.size() > text.size())
        return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        if (towlower(text[i]) != towlower(prefix[i]))
            return false;
    }
    return true;
}

// Index of the longest name that starts the text, -1 for none.
int MatchName(std::u16string_view text, std::initializer_list<const std::u16string*> lists, int count, size_t& length)
{
    int best = -1;
    length = 0;
    for (const std::u16string* list : lists) {
        for (int i = 0; i < count; ++i) {
            if (list[i].size() > length && StartsWithNoCase(text, list[i])) {
                best = i;
                length = list[i].size();
            }
        }
    }
    return best;
}

void SkipBlanks(std::u16string_view text, size_t& pos)
{
    while (pos < text.size() && iswspace(text[pos]))
        ++pos;
}

struct ParsedFields {
    int year = -1, month = -1, day = -1, hour = -1, minute = -1, second = -1;
    bool twoDigitYear = false;
    bool twelveHour = false;
    int marker = -1;  // 0 am, 1 pm
};

bool ReadNumber(std::u16string_view text, size_t& pos, int maxDigits, int& value)
{
    int digits = 0;
    value = 0;
    while (pos < text.size() && digits < maxDigits && iswdigit(text[pos])) {
        value = value * 10 + (text[pos++] - u'0');
        ++digits;
    }
    return digits > 0;
}

bool ParseTokens(std::u16string_view text, size_t& pos, const std::vector<Token>& tokens, const LocaleNames& names,
                 ParsedFields& f)
{
    for (const Token& t : tokens) {
        if (t.letter == 0) {
            for (char16_t c : t.text) {
                if (iswspace(c)) {
                    SkipBlanks(text, pos);
                    continue;
                }
                SkipBlanks(text, pos);
                if (pos >= text.size() || towlower(text[pos]) != towlower(c))
                    return false;
                ++pos;
            }
            continue;
        }
        SkipBlanks(text, pos);
        size_t length = 0;
        switch (t.letter) {
        case u'd':
            if (t.count >= 3) {
                if (MatchName(Rest(text, pos), {names.dayLong, names.dayShort}, 7, length) < 0)
                    return false;
                pos += length;
            } else if (!ReadNumber(text, pos, 2, f.day)) {
                return false;
            }
            break;
        case u'M':
            if (t.count >= 3) {
                int m = MatchName(Rest(text, pos),
                                  {names.monthLong, names.monthShort, names.monthStandaloneLong,
                                   names.monthStandaloneShort},
                                  12, length);
                if (m < 0)
                    return false;
                f.month = m + 1;
                pos += length;
            } else if (!ReadNumber(text, pos, 2, f.month)) {
                return false;
            }
            break;
        case u'y':
            if (!ReadNumber(text, pos, t.count <= 2 ? 2 : 5, f.year))
                return false;
            f.twoDigitYear = t.count <= 2;
            break;
        case u'g':
            break;
        case u'h':
        case u'H':
            if (!ReadNumber(text, pos, 2, f.hour))
                return false;
            f.twelveHour = f.twelveHour || t.letter == u'h';
            break;
        case u'm':
            if (!ReadNumber(text, pos, 2, f.minute))
                return false;
            break;
        case u's':
            if (!ReadNumber(text, pos, 2, f.second))
                return false;
            break;
        case u't': {
            std::u16string am = t.count == 1 ? names.am.substr(0, 1) : names.am;
            std::u16string pm = t.count == 1 ? names.pm.substr(0, 1) : names.pm;
            std::u16string markers[2] = {am, pm};
            std::u16string plain[2] = {t.count == 1 ? u"A" : u"AM", t.count == 1 ? u"P" : u"PM"};
            f.marker = MatchName(Rest(text, pos), {markers, plain}, 2, length);
            if (f.marker < 0)
                return false;
            pos += length;
            break;
        }
        }
    }
    return true;
}

}  // namespace

std::u16string FormatPicture(std::u16string_view picture, PictureKind kind, const SYSTEMTIME& time,
                             const LocaleNames& names, const TimeOptions& options)
{
    std::vector<Token> tokens = Tokenize(picture, kind);
    if (kind == PictureKind::Time) {
        RemoveFields(tokens, [](const Token& t, const TimeOptions& o) {
            return (t.letter == u's' && (o.noSeconds || o.noMinutesOrSeconds)) ||
                   (t.letter == u'm' && o.noMinutesOrSeconds) || (t.letter == u't' && (o.noMarker || o.force24Hour));
        }, options);
    }
    std::u16string out;
    int hour12 = time.wHour % 12 == 0 ? 12 : time.wHour % 12;
    const std::u16string& marker = time.wHour < 12 ? names.am : names.pm;
    for (const Token& t : tokens) {
        switch (t.letter) {
        case 0:
            out += t.text;
            break;
        case u'd':
            out += t.count <= 2 ? Number(time.wDay, t.count)
                 : t.count == 3 ? names.dayShort[DayOfWeek(time)]
                                : names.dayLong[DayOfWeek(time)];
            break;
        case u'M':
            out += t.count <= 2 ? Number(time.wMonth, t.count)
                 : t.count == 3 ? names.monthShort[(time.wMonth + 11) % 12]
                                : names.monthLong[(time.wMonth + 11) % 12];
            break;
        case u'y':
            out += t.count == 1 ? Number(time.wYear % 10, 1)
                 : t.count == 2 ? Number(time.wYear % 100, 2)
                                : Number(time.wYear, 4);
            break;
        case u'g':
            break;
        case u'h':
            out += options.force24Hour ? Number(time.wHour, t.count > 1 ? 2 : 1) : Number(hour12, t.count > 1 ? 2 : 1);
            break;
        case u'H':
            out += Number(time.wHour, t.count > 1 ? 2 : 1);
            break;
        case u'm':
            out += Number(time.wMinute, t.count > 1 ? 2 : 1);
            break;
        case u's':
            out += Number(time.wSecond, t.count > 1 ? 2 : 1);
            break;
        case u't':
            if (!options.force24Hour)
                out += t.count == 1 ? marker.substr(0, 1) : marker;
            break;
        }
    }
    return out;
}

bool ParsePicture(std::u16string_view text, std::u16string_view datePicture, std::u16string_view timePicture,
                  const LocaleNames& names, SYSTEMTIME& fields)
{
    ParsedFields f;
    size_t pos = 0;
    if (!datePicture.empty() && !ParseTokens(text, pos, Tokenize(datePicture, PictureKind::Date), names, f))
        return false;
    if (!timePicture.empty()) {
        if (!datePicture.empty()) {
            size_t before = pos;
            SkipBlanks(text, pos);
            if (pos == before)
                return false;
        }
        if (!ParseTokens(text, pos, Tokenize(timePicture, PictureKind::Time), names, f))
            return false;
    }
    SkipBlanks(text, pos);
    if (pos != text.size())
        return false;

    SYSTEMTIME st = fields;
    if (f.year >= 0) {
        // Two-digit years fall in 1930..2029.
        int year = f.twoDigitYear ? (f.year < 30 ? 2000 + f.year : 1900 + f.year) : f.year;
        if (year > 0xFFFF)
            return false;
        st.wYear = static_cast<WORD>(year);
    }
    if (f.month >= 0)
        st.wMonth = static_cast<WORD>(f.month);
    if (f.day >= 0)
        st.wDay = static_cast<WORD>(f.day);
    if (f.hour >= 0) {
        int hour = f.hour;
        if (f.marker >= 0) {
            if (hour < 1 || hour > 12)
                return false;
            hour = hour % 12 + (f.marker == 1 ? 12 : 0);
        }
        st.wHour = static_cast<WORD>(hour);
    }
    if (f.minute >= 0)
        st.wMinute = static_cast<WORD>(f.minute);
    if (f.second >= 0)
        st.wSecond = static_cast<WORD>(f.second);
    fields = st;
    return true;
}

}  // namespace platform
