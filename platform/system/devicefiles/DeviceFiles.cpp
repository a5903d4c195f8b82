// When a file is (re)written. The folder keeps a list, ".installed", of the
// SHA-256 of what was last written under each name. A file is written when
// - the folder has no file of that name (letter case aside), or
// - the file there is exactly what an earlier version wrote (its hash is the
//   listed one) and this version brings different bytes: an update.
// Anything else is left alone: a file someone changed or put there himself
// is his, and so is whatever is not a plain file (a link, a folder). The
// list is the folder's own and untrusted: unreadable lines are skipped, which
// at worst keeps an old copy.

#include "platform/system/devicefiles/DeviceFiles.h"

#include "platform/store/Device.h"
#include "platform/system/devicefiles/AlarmSound.h"
#include "platform/system/devicefiles/DevicePath.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QString>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr char kListName[] = ".installed";
// Larger files in the folder are not ours to read: they are someone else's.
constexpr off_t kMaxReadBytes = 16 * 1024 * 1024;
constexpr off_t kMaxListBytes = 64 * 1024;

std::vector<DeviceFile>& Registered()
{
    static std::vector<DeviceFile> files;
    return files;
}

bool SameNameIgnoringCase(const std::string& a, const std::string& b)
{
    return QString::fromUtf8(a.c_str()).compare(QString::fromUtf8(b.c_str()), Qt::CaseInsensitive) == 0;
}

std::string Hash(const char* data, std::size_t size)
{
    return QCryptographicHash::hash(QByteArrayView(data, static_cast<qsizetype>(size)),
                                    QCryptographicHash::Sha256)
        .toHex()
        .toStdString();
}

enum class Existing { None, File, Other };

// The file's bytes when it is a plain file of sensible size; Other for
// anything else that is there, so that it stays untouched.
Existing ReadExisting(const std::string& path, off_t limit, std::string& bytes)
{
    const int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? Existing::None : Existing::Other;
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > limit) {
        close(fd);
        return Existing::Other;
    }
    bytes.clear();
    char buffer[8192];
    for (;;) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0 || static_cast<off_t>(bytes.size() + static_cast<size_t>(n)) > limit) {
            close(fd);
            return n == 0 ? Existing::File : Existing::Other;
        }
        bytes.append(buffer, static_cast<size_t>(n));
    }
}

bool WriteAll(int fd, const char* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t n = write(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

// Through a temporary file in the same folder and a rename: a reader sees the
// old file or the whole new one, never a part.
bool WriteAtomically(const std::string& folder, const std::string& name, const char* data, std::size_t size,
                     std::string& why)
{
    std::string temp = folder + "/." + name + ".XXXXXX";
    const int fd = mkostemp(temp.data(), O_CLOEXEC);   // mode 0600
    if (fd < 0) {
        why = folder + ": " + std::strerror(errno);
        return false;
    }
    const bool written = WriteAll(fd, data, size) && fsync(fd) == 0;
    const int error = errno;
    if (close(fd) != 0 || !written || rename(temp.c_str(), (folder + "/" + name).c_str()) != 0) {
        why = folder + "/" + name + ": " + std::strerror(written ? errno : error);
        unlink(temp.c_str());
        return false;
    }
    return true;
}

using InstalledList = std::map<std::string, std::string>;   // file name -> hash of what was written

InstalledList ReadList(const std::string& folder)
{
    InstalledList list;
    std::string text;
    if (ReadExisting(folder + "/" + kListName, kMaxListBytes, text) != Existing::File)
        return list;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = text.substr(start, end - start);
        start = end + 1;
        // "<64 hex digits> <name>"
        if (line.size() < 66 || line[64] != ' ' ||
            line.find_first_not_of("0123456789abcdef") < 64)
            continue;
        list[line.substr(65)] = line.substr(0, 64);
    }
    return list;
}

std::string ListText(const InstalledList& list)
{
    std::string text;
    for (const auto& [name, hash] : list)
        text += hash + " " + name + "\n";
    return text;
}

}  // namespace

bool RegisterDeviceFile(std::string_view name, const unsigned char* data, std::size_t size)
{
    if (name.empty() || name.front() == '.' || name.find('/') != std::string_view::npos ||
        name.find('\0') != std::string_view::npos || (!data && size > 0))
        return false;
    DeviceFile file{std::string(name), data, size};
    if (SameNameIgnoringCase(file.name, kAlarmSoundName))
        return false;
    std::vector<DeviceFile>& files = Registered();
    for (DeviceFile& existing : files)
        if (SameNameIgnoringCase(existing.name, file.name)) {
            existing = file;
            return true;
        }
    files.push_back(file);
    return true;
}

std::vector<DeviceFile> DeviceFiles()
{
    std::vector<DeviceFile> files{{kAlarmSoundName, AlarmSoundData(), AlarmSoundSize()}};
    files.insert(files.end(), Registered().begin(), Registered().end());
    return files;
}

bool InstallDeviceFiles(std::string* why)
{
    std::string firstFailure;
    auto fail = [&](const std::string& text) {
        if (firstFailure.empty())
            firstFailure = text;
    };
    const std::string folder = DeviceWindowsFolder();
    std::string error;
    if (!MakeFolder(folder, error)) {
        if (why)
            *why = error;
        return false;
    }

    const InstalledList before = ReadList(folder);
    InstalledList list = before;
    for (const DeviceFile& file : DeviceFiles()) {
        const char* data = reinterpret_cast<const char*>(file.data);
        const std::string ours = Hash(data, file.size);
        const std::string name = FindEntryIgnoringCase(folder, file.name);
        std::string bytes;
        const Existing existing = ReadExisting(folder + "/" + name, kMaxReadBytes, bytes);
        if (existing == Existing::Other)
            continue;
        if (existing == Existing::File) {
            const std::string theirs = Hash(bytes.data(), bytes.size());
            if (theirs == ours) {
                list[name] = ours;
                continue;
            }
            const auto listed = before.find(name);
            if (listed == before.end() || listed->second != theirs)
                continue;
        }
        if (WriteAtomically(folder, name, data, file.size, error))
            list[name] = ours;
        else
            fail(error);
    }
    if (list != before) {
        const std::string text = ListText(list);
        if (!WriteAtomically(folder, kListName, text.data(), text.size(), error))
            fail(error);
    }
    if (why)
        *why = firstFailure;
    return firstFailure.empty();
}

void InstallDeviceFilesAtStart()
{
    std::string why;
    if (!InstallDeviceFiles(&why))
        std::fprintf(stderr, "%s: the device's files could not be put in place: %s\n",
                     program_invocation_short_name, why.c_str());
}

}  // namespace platform
