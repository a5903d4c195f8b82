#include "platform/system/devicefiles/DevicePath.h"

#include "platform/store/Device.h"
#include "platform/store/NameFold.h"

#include <QString>

#include <dirent.h>

#include <algorithm>
#include <vector>

namespace platform {

namespace {

std::u16string Folded(const std::string& utf8)
{
    const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    return FoldName(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                        static_cast<size_t>(text.size())));
}

bool SafePart(std::u16string_view part)
{
    return !part.empty() && part != u"." && part != u".." && part.find(u'/') == std::u16string_view::npos &&
           part.find(u'\0') == std::u16string_view::npos;
}

}  // namespace

std::string DeviceWindowsFolder() { return DeviceHome() + "/windows"; }

std::string FindEntryIgnoringCase(const std::string& folder, const std::string& name)
{
    DIR* dir = opendir(folder.c_str());
    if (!dir)
        return name;
    const std::u16string wanted = Folded(name);
    std::vector<std::string> matches;
    bool exact = false;
    while (const dirent* entry = readdir(dir)) {
        const std::string candidate = entry->d_name;
        if (candidate == name)
            exact = true;
        else if (Folded(candidate) == wanted)
            matches.push_back(candidate);
    }
    closedir(dir);
    if (exact || matches.empty())
        return name;
    return *std::min_element(matches.begin(), matches.end());
}

std::optional<std::string> HostPathForDevicePath(std::u16string_view devicePath)
{
    if (devicePath.empty() || devicePath.front() != u'\\')
        return std::nullopt;
    std::string path = DeviceHome();
    size_t start = 1;
    while (start < devicePath.size()) {
        size_t end = devicePath.find(u'\\', start);
        if (end == std::u16string_view::npos)
            end = devicePath.size();
        const std::u16string_view part = devicePath.substr(start, end - start);
        start = end + 1;
        if (part.empty() && start >= devicePath.size())
            break;   // a trailing backslash
        if (!SafePart(part))
            return std::nullopt;
        const QString text = QString::fromUtf16(part.data(), static_cast<qsizetype>(part.size()));
        path = path + "/" + FindEntryIgnoringCase(path, text.toStdString());
    }
    return path;
}

}  // namespace platform
