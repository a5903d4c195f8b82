// Synthesizes the platform's alarm sound, alarm2.WAV: three rising bell tones
// (C6, E6, G6) struck a quarter second apart, ringing out over 1.8 seconds.
// 16-bit PCM, mono, 22050 Hz. Run at build time:  make_alarm_sound OUT.WAV

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRate = 22050;
constexpr double kSeconds = 1.8;
constexpr double kPeak = 0.78;   // of full scale: loud, with room to spare
constexpr double kPi = 3.14159265358979323846;

struct Strike {
    double at;          // seconds
    double frequency;   // Hz
    double loudness;
};

// One struck bell: a few partials, the higher ones dying away sooner, and a
// soft 6 ms onset so that the strike does not click.
double Bell(const Strike& s, double t)
{
    const double u = t - s.at;
    if (u < 0)
        return 0;
    struct Partial { double ratio, amplitude, decay; };
    static constexpr Partial partials[] = {{1.0, 1.0, 2.6}, {2.0, 0.32, 5.0}, {3.01, 0.12, 8.0}, {4.2, 0.05, 12.0}};
    double v = 0;
    for (const Partial& p : partials)
        v += p.amplitude * std::exp(-p.decay * u) * std::sin(2 * kPi * s.frequency * p.ratio * u);
    const double onset = u < 0.006 ? 0.5 - 0.5 * std::cos(kPi * u / 0.006) : 1.0;
    return s.loudness * onset * v;
}

void Put(std::vector<unsigned char>& out, std::uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<unsigned char>((v >> (8 * i)) & 0xff));
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_alarm_sound OUT.WAV\n");
        return 2;
    }
    static constexpr Strike strikes[] = {{0.00, 1046.50, 0.80}, {0.25, 1318.51, 0.80}, {0.50, 1567.98, 1.00}};
    const int count = static_cast<int>(kSeconds * kRate);
    std::vector<double> wave(static_cast<size_t>(count));
    double loudest = 0;
    for (int i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / kRate;
        double v = 0;
        for (const Strike& s : strikes)
            v += Bell(s, t);
        // The last 0.3 s fade to silence, so the sound ends without a click.
        const double left = kSeconds - t;
        if (left < 0.3)
            v *= 0.5 - 0.5 * std::cos(kPi * left / 0.3);
        wave[static_cast<size_t>(i)] = v;
        loudest = std::fmax(loudest, std::fabs(v));
    }

    const std::uint32_t dataBytes = static_cast<std::uint32_t>(count) * 2;
    std::vector<unsigned char> out;
    out.insert(out.end(), {'R', 'I', 'F', 'F'});
    Put(out, 36 + dataBytes, 4);
    out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    Put(out, 16, 4);
    Put(out, 1, 2);                   // PCM
    Put(out, 1, 2);                   // mono
    Put(out, kRate, 4);
    Put(out, kRate * 2, 4);           // bytes per second
    Put(out, 2, 2);                   // bytes per frame
    Put(out, 16, 2);                  // bits per sample
    out.insert(out.end(), {'d', 'a', 't', 'a'});
    Put(out, dataBytes, 4);
    for (double v : wave) {
        const long sample = std::lround(v / loudest * kPeak * 32767.0);
        Put(out, static_cast<std::uint32_t>(static_cast<std::int16_t>(sample)), 2);
    }

    std::FILE* file = std::fopen(argv[1], "wb");
    if (!file || std::fwrite(out.data(), 1, out.size(), file) != out.size() || std::fclose(file) != 0) {
        std::fprintf(stderr, "make_alarm_sound: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
