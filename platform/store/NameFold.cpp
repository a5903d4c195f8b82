#include "platform/store/NameFold.h"

#include <QChar>

namespace platform {

namespace {
void Append(std::u16string& out, char32_t ch)
{
    if (QChar::requiresSurrogates(ch)) {
        out.push_back(QChar::highSurrogate(ch));
        out.push_back(QChar::lowSurrogate(ch));
    } else {
        out.push_back(static_cast<char16_t>(ch));
    }
}
}  // namespace

std::u16string FoldName(std::u16string_view name)
{
    std::u16string folded;
    folded.reserve(name.size());
    for (std::size_t i = 0; i < name.size(); ++i) {
        char16_t unit = name[i];
        if (QChar::isHighSurrogate(unit) && i + 1 < name.size() && QChar::isLowSurrogate(name[i + 1])) {
            Append(folded, QChar::toCaseFolded(QChar::surrogateToUcs4(unit, name[i + 1])));
            ++i;
        } else if (QChar::isSurrogate(unit)) {
            folded.push_back(unit);
        } else {
            Append(folded, QChar::toCaseFolded(static_cast<char32_t>(unit)));
        }
    }
    return folded;
}

std::vector<std::uint8_t> NameBytes(std::u16string_view name)
{
    std::vector<std::uint8_t> bytes;
    bytes.reserve(name.size() * 2);
    for (char16_t unit : name) {
        bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    return bytes;
}

std::u16string NameFromBytes(const std::uint8_t* bytes, std::size_t size)
{
    std::u16string name(size / 2, u'\0');
    for (std::size_t i = 0; i < name.size(); ++i)
        name[i] = static_cast<char16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    return name;
}

}  // namespace platform
