// The sounds through a real sound service: a PulseAudio server of the
// test's own, playing into a null sink in real time. A synchronous sound
// returns when it has ended, and after ten seconds at the latest; where no
// service runs, everything is silent and quick. Skipped where PulseAudio is
// not installed.

#include "platform/store/DeviceFolder.h"

#include "platform/system/devicefiles/DeviceFiles.h"
#include "platform/system/sound/CanberraOutput.h"
#include "platform/system/sound/Sound.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdint>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

std::int64_t MsSince(Clock::time_point start)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

std::uint32_t Le32(const std::string& bytes, std::size_t at)
{
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

// Length of a PCM WAV file from its "fmt " and "data" chunks.
std::int64_t WavMs(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::uint32_t byteRate = 0, dataSize = 0;
    for (std::size_t at = 12; at + 8 <= bytes.size();) {
        const std::string id = bytes.substr(at, 4);
        const std::uint32_t size = Le32(bytes, at + 4);
        if (id == "fmt ")
            byteRate = Le32(bytes, at + 16);
        else if (id == "data")
            dataSize = size;
        at += 8 + size + (size & 1);
    }
    return byteRate ? static_cast<std::int64_t>(dataSize) * 1000 / byteRate : 0;
}

// 8 kHz, mono, 8-bit silence of `seconds`.
void WriteSilence(const std::string& path, int seconds)
{
    const std::uint32_t rate = 8000, size = rate * seconds;
    auto le = [](std::uint32_t v, int n) {
        std::string s;
        for (int i = 0; i < n; ++i)
            s += static_cast<char>((v >> (8 * i)) & 0xFF);
        return s;
    };
    std::ofstream file(path, std::ios::binary);
    file << "RIFF" << le(36 + size, 4) << "WAVE" << "fmt " << le(16, 4) << le(1, 2) << le(1, 2) << le(rate, 4)
         << le(rate, 4) << le(1, 2) << le(8, 2) << "data" << le(size, 4) << std::string(size, '\x80');
}

class SoundService : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(platform::InstallDeviceFiles());
        unsetenv("PULSE_SERVER");
        m_savedHome = std::getenv("HOME") ? std::getenv("HOME") : "";
        setenv("HOME", (m_device.Root() + "/home").c_str(), 1);
    }

    void TearDown() override
    {
        PlaySoundW(nullptr, nullptr, 0);
        if (m_server > 0) {
            kill(m_server, SIGTERM);
            int status = 0;
            waitpid(m_server, &status, 0);
        }
        setenv("HOME", m_savedHome.c_str(), 1);
    }

    // A server with a null sink on $XDG_RUNTIME_DIR/pulse/native.
    bool StartServer()
    {
        const std::string config = m_device.Root() + "/pulse.pa";
        std::ofstream(config) << "load-module module-null-sink sink_name=silent\n"
                                 "load-module module-native-protocol-unix\n"
                                 "set-default-sink silent\n";
        const std::string log = m_device.Root() + "/pulse.log";
        m_server = fork();
        if (m_server == 0) {
            const int out = open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            dup2(out, 1);
            dup2(out, 2);
            execlp("pulseaudio", "pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no",
                   "--disallow-exit", "--log-target=stderr", "-F", config.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        for (int i = 0; i < 500 && !platform::CanberraOutput::ServiceRuns(); ++i) {
            int status = 0;
            if (waitpid(m_server, &status, WNOHANG) == m_server) {
                m_server = -1;
                return false;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return platform::CanberraOutput::ServiceRuns();
    }

    std::string Alarm() const { return m_device.Home() + "/windows/alarm2.WAV"; }

    DeviceFolder m_device;
    pid_t m_server = -1;
    std::string m_savedHome;
};

TEST_F(SoundService, WithoutAServiceEverythingIsSilentQuickAndAnsweredFalse)
{
    ASSERT_FALSE(platform::CanberraOutput::ServiceRuns());
    const auto start = Clock::now();
    EXPECT_FALSE(PlaySoundW(u"\\windows\\alarm2.WAV", nullptr, SND_NODEFAULT));
    EXPECT_FALSE(PlaySoundW(u"\\windows\\alarm2.WAV", nullptr, SND_ASYNC));
    EXPECT_FALSE(platform::PlayBeepSound(0xFFFFFFFF));
    EXPECT_LT(MsSince(start), 200);
}

TEST_F(SoundService, TheAlarmPlaysToItsEndBeforeTheCallReturns)
{
    if (!StartServer())
        GTEST_SKIP() << "no PulseAudio server could be started here";
    const std::int64_t length = WavMs(Alarm());
    ASSERT_GT(length, 200);
    const auto start = Clock::now();
    EXPECT_TRUE(PlaySoundW(u"\\windows\\alarm2.WAV", nullptr, SND_NODEFAULT));
    const std::int64_t took = MsSince(start);
    EXPECT_GE(took, length - 50);
    EXPECT_LE(took, length + 2000);
}

TEST_F(SoundService, AnAsynchronousSoundReturnsAtOnceAndANullNameStopsIt)
{
    if (!StartServer())
        GTEST_SKIP() << "no PulseAudio server could be started here";
    WriteSilence(m_device.Home() + "/windows/long.wav", 5);
    auto start = Clock::now();
    EXPECT_TRUE(PlaySoundW(u"\\windows\\long.wav", nullptr, SND_ASYNC | SND_NODEFAULT));
    EXPECT_LT(MsSince(start), 1000);
    EXPECT_FALSE(PlaySoundW(u"\\windows\\alarm2.WAV", nullptr, SND_ASYNC | SND_NOSTOP)) << "the first still plays";
    EXPECT_TRUE(PlaySoundW(nullptr, nullptr, 0));
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_TRUE(PlaySoundW(u"\\windows\\alarm2.WAV", nullptr, SND_ASYNC | SND_NOSTOP)) << "stopped";
}

TEST_F(SoundService, ASynchronousSoundHoldsTheCallerTenSecondsAtMost)
{
    if (!StartServer())
        GTEST_SKIP() << "no PulseAudio server could be started here";
    WriteSilence(m_device.Home() + "/windows/long.wav", 13);
    const auto start = Clock::now();
    EXPECT_TRUE(PlaySoundW(u"\\windows\\long.wav", nullptr, SND_NODEFAULT));
    const std::int64_t took = MsSince(start);
    EXPECT_GE(took, 10000);
    EXPECT_LE(took, 11500);
}

TEST_F(SoundService, EveryKindOfBeepReachesTheService)
{
    if (!StartServer())
        GTEST_SKIP() << "no PulseAudio server could be started here";
    for (UINT type : {0x0u, 0x10u, 0x20u, 0x30u, 0x40u, 0xFFFFFFFFu})
        EXPECT_TRUE(platform::PlayBeepSound(type)) << type;
}

}  // namespace
