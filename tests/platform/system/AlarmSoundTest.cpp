// The platform's alarm sound as shipped: a short 16-bit mono PCM chime that
// is loud, never clips, and starts and ends in silence (no click).

#include "platform/system/devicefiles/AlarmSound.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

std::uint32_t Le(const unsigned char* p, int bytes)
{
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8) | p[i];
    return v;
}

}  // namespace

TEST(AlarmSound, IsAShortCleanMonoPcmChime)
{
    const unsigned char* wav = platform::AlarmSoundData();
    const std::size_t size = platform::AlarmSoundSize();
    ASSERT_GE(size, 44u);
    ASSERT_EQ(std::memcmp(wav, "RIFF", 4), 0);
    EXPECT_EQ(Le(wav + 4, 4), size - 8);
    ASSERT_EQ(std::memcmp(wav + 8, "WAVEfmt ", 8), 0);
    EXPECT_EQ(Le(wav + 16, 4), 16u);
    EXPECT_EQ(Le(wav + 20, 2), 1u) << "PCM";
    EXPECT_EQ(Le(wav + 22, 2), 1u) << "mono";
    const std::uint32_t rate = Le(wav + 24, 4);
    EXPECT_TRUE(rate == 22050 || rate == 44100) << rate;
    EXPECT_EQ(Le(wav + 28, 4), rate * 2);
    EXPECT_EQ(Le(wav + 32, 2), 2u);
    EXPECT_EQ(Le(wav + 34, 2), 16u);
    ASSERT_EQ(std::memcmp(wav + 36, "data", 4), 0);
    const std::uint32_t bytes = Le(wav + 40, 4);
    ASSERT_EQ(bytes, size - 44);

    std::vector<int> samples;
    for (std::uint32_t i = 0; i + 1 < bytes; i += 2)
        samples.push_back(static_cast<std::int16_t>(Le(wav + 44 + i, 2)));
    const double seconds = static_cast<double>(samples.size()) / rate;
    EXPECT_GE(seconds, 1.5);
    EXPECT_LE(seconds, 2.0);

    int peak = 0;
    double energy = 0;
    for (int s : samples) {
        peak = std::max(peak, std::abs(s));
        energy += static_cast<double>(s) * s;
    }
    EXPECT_LT(peak, 32000) << "headroom: no sample at the limit";
    EXPECT_GT(peak, 16000) << "loud enough to be heard";
    EXPECT_GT(std::sqrt(energy / static_cast<double>(samples.size())), 2000.0);

    // Fades: the first and last 2 ms stay near silence.
    const size_t edge = rate / 500;
    for (size_t i = 0; i < edge; ++i) {
        EXPECT_LT(std::abs(samples[i]), 4000) << "start " << i;
        EXPECT_LT(std::abs(samples[samples.size() - 1 - i]), 100) << "end " << i;
    }
    EXPECT_EQ(samples.front(), 0);
    EXPECT_EQ(samples.back(), 0);
}

// Made at build time: the synthesizer must make the same bytes every time.
TEST(AlarmSound, TheSynthesizerMakesExactlyTheCompiledInBytes)
{
    const char* bin = std::getenv("OWEBOOK_TEST_BIN_DIR");
    ASSERT_NE(bin, nullptr);
    QTemporaryDir out;
    ASSERT_TRUE(out.isValid());
    const QString path = out.filePath(QStringLiteral("alarm2.WAV"));
    QProcess synth;
    synth.start(QString::fromLocal8Bit(bin) + QStringLiteral("/make_alarm_sound"), {path});
    ASSERT_TRUE(synth.waitForFinished(30000)) << synth.errorString().toStdString();
    ASSERT_EQ(synth.exitCode(), 0);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll() == QByteArray(reinterpret_cast<const char*>(platform::AlarmSoundData()),
                                             static_cast<qsizetype>(platform::AlarmSoundSize())));
}
