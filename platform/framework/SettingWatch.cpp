#include "platform/framework/SettingWatch.h"

#include "platform/ui/WindowManager.h"

#include <QByteArray>
#include <QFileSystemWatcher>
#include <QLocale>
#include <QTimeZone>
#include <QTimer>

#include <ctime>
#include <memory>

namespace platform {

namespace {

// Checked this often besides the file watch: TZ and the locale have no file to watch.
constexpr int kPollMs = 5000;

struct Settings {
    QByteArray timeZone;
    QByteArray tzVariable;
    QString locale;
    bool operator==(const Settings&) const = default;
};

Settings CurrentSettings()
{
    return Settings{QTimeZone::systemTimeZoneId(), qgetenv("TZ"), QLocale::system().name()};
}

struct Watch {
    QFileSystemWatcher files;
    QTimer timer;
};

std::unique_ptr<Watch>& TheWatch()
{
    static std::unique_ptr<Watch> watch;
    return watch;
}

Settings& LastSeen()
{
    static Settings seen = CurrentSettings();
    return seen;
}

void WatchFiles(QFileSystemWatcher& files)
{
    // Changing the zone replaces the link, which ends a watch on the file itself.
    for (const QString& path : {QStringLiteral("/etc/localtime"), QStringLiteral("/etc/timezone")})
        if (!files.files().contains(path))
            files.addPath(path);
}

}  // namespace

void NotifySettingsChanged() { BroadcastSettingChange(0, reinterpret_cast<LPCWSTR>(kSettingIntl)); }

bool CheckSettings()
{
    ::tzset();   // the C library caches the zone too
    const Settings now = CurrentSettings();
    if (now == LastSeen())
        return false;
    LastSeen() = now;
    NotifySettingsChanged();
    return true;
}

void StartSettingWatch()
{
    if (TheWatch())
        return;
    LastSeen() = CurrentSettings();
    auto watch = std::make_unique<Watch>();
    WatchFiles(watch->files);
    QObject::connect(&watch->files, &QFileSystemWatcher::fileChanged, [files = &watch->files](const QString&) {
        WatchFiles(*files);
        CheckSettings();
    });
    QObject::connect(&watch->timer, &QTimer::timeout, [] { CheckSettings(); });
    watch->timer.start(kPollMs);
    TheWatch() = std::move(watch);
}

void StopSettingWatch() { TheWatch().reset(); }

}  // namespace platform
