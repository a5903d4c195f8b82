#include "IndexedBitmap.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <vector>

namespace {

struct Bucket {
    QRgb colour;
    qint64 count;
};

int Channel(QRgb c, int channel)
{
    switch (channel) {
    case 0: return qRed(c);
    case 1: return qGreen(c);
    default: return qBlue(c);
    }
}

struct Box {
    std::vector<Bucket> buckets;

    qint64 Count() const
    {
        qint64 n = 0;
        for (const Bucket& b : buckets)
            n += b.count;
        return n;
    }

    QRgb Mean() const
    {
        double sum[3] = {0, 0, 0};
        const double n = static_cast<double>(Count());
        for (const Bucket& b : buckets)
            for (int ch = 0; ch < 3; ++ch)
                sum[ch] += Channel(b.colour, ch) * static_cast<double>(b.count);
        return qRgb(qRound(sum[0] / n), qRound(sum[1] / n), qRound(sum[2] / n));
    }

    // How far its pixels are from the one colour that will stand for them.
    double Error() const
    {
        const QRgb mean = Mean();
        double error = 0;
        for (const Bucket& b : buckets)
            for (int ch = 0; ch < 3; ++ch) {
                const double d = Channel(b.colour, ch) - Channel(mean, ch);
                error += d * d * static_cast<double>(b.count);
            }
        return error;
    }

    int WidestChannel() const
    {
        int best = 0, bestRange = -1;
        for (int ch = 0; ch < 3; ++ch) {
            int lo = 255, hi = 0;
            for (const Bucket& b : buckets) {
                lo = std::min(lo, Channel(b.colour, ch));
                hi = std::max(hi, Channel(b.colour, ch));
            }
            if (hi - lo > bestRange) {
                bestRange = hi - lo;
                best = ch;
            }
        }
        return best;
    }

    // Splits at the weighted median of the widest channel.
    Box Split()
    {
        const int ch = WidestChannel();
        std::stable_sort(buckets.begin(), buckets.end(), [ch](const Bucket& a, const Bucket& b) {
            return Channel(a.colour, ch) < Channel(b.colour, ch);
        });
        const qint64 half = Count() / 2;
        qint64 seen = 0;
        size_t cut = 1;
        for (; cut < buckets.size(); ++cut) {
            seen += buckets[cut - 1].count;
            if (seen >= half)
                break;
        }
        cut = std::clamp<size_t>(cut, 1, buckets.size() - 1);
        Box upper;
        upper.buckets.assign(buckets.begin() + static_cast<std::ptrdiff_t>(cut), buckets.end());
        buckets.resize(cut);
        return upper;
    }
};

int Distance(QRgb a, QRgb b)
{
    // Green counts most to the eye; red a little more than blue.
    const int dr = qRed(a) - qRed(b), dg = qGreen(a) - qGreen(b), db = qBlue(a) - qBlue(b);
    return 3 * dr * dr + 4 * dg * dg + 2 * db * db;
}

}  // namespace

QImage ReduceColours(const QImage& picture, int colours, const QList<QRgb>& exact)
{
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    std::map<QRgb, qint64> histogram;
    for (int y = 0; y < rgb.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x)
            ++histogram[line[x] | 0xff000000u];
    }

    QList<QRgb> palette;
    for (QRgb c : exact)
        if (!palette.contains(c | 0xff000000u))
            palette.append(c | 0xff000000u);
    Box all;
    for (const auto& [colour, count] : histogram)
        if (!palette.contains(colour))
            all.buckets.push_back({colour, count});

    const int room = colours - static_cast<int>(palette.size());
    if (static_cast<int>(all.buckets.size()) <= room) {
        for (const Bucket& b : all.buckets)
            palette.append(b.colour);
    } else if (room > 0) {
        std::vector<Box> boxes{all};
        while (static_cast<int>(boxes.size()) < room) {
            auto worst = std::max_element(boxes.begin(), boxes.end(), [](const Box& a, const Box& b) {
                return (a.buckets.size() > 1 ? a.Error() : 0.0) < (b.buckets.size() > 1 ? b.Error() : 0.0);
            });
            if (worst->buckets.size() < 2)
                break;
            Box upper = worst->Split();
            boxes.push_back(std::move(upper));
        }
        for (const Box& box : boxes)
            palette.append(box.Mean());
    }

    QImage out(rgb.size(), QImage::Format_Indexed8);
    out.setColorTable(palette);
    std::map<QRgb, int> nearest;
    for (int y = 0; y < rgb.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        uchar* target = out.scanLine(y);
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb c = line[x] | 0xff000000u;
            auto found = nearest.find(c);
            if (found == nearest.end()) {
                int best = 0;
                for (int i = 1; i < palette.size(); ++i)
                    if (Distance(c, palette[i]) < Distance(c, palette[best]))
                        best = i;
                found = nearest.emplace(c, best).first;
            }
            target[x] = static_cast<uchar>(found->second);
        }
    }
    return out;
}

namespace {

void Put16(QByteArray& out, quint16 v)
{
    out.append(static_cast<char>(v & 0xff));
    out.append(static_cast<char>(v >> 8));
}

void Put32(QByteArray& out, quint32 v)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.append(static_cast<char>((v >> shift) & 0xff));
}

}  // namespace

QByteArray EncodeBmp(const QImage& indexed, int bitsPerPixel)
{
    const int width = indexed.width(), height = indexed.height();
    const int colours = static_cast<int>(indexed.colorTable().size());
    const int stride = ((width * bitsPerPixel + 31) / 32) * 4;
    const quint32 paletteBytes = static_cast<quint32>(colours) * 4;
    const quint32 offset = 14 + 40 + paletteBytes;
    const quint32 imageBytes = static_cast<quint32>(stride * height);

    QByteArray out;
    out.append("BM", 2);
    Put32(out, offset + imageBytes);
    Put32(out, 0);
    Put32(out, offset);
    Put32(out, 40);
    Put32(out, static_cast<quint32>(width));
    Put32(out, static_cast<quint32>(height));   // positive: rows run bottom-up
    Put16(out, 1);
    Put16(out, static_cast<quint16>(bitsPerPixel));
    Put32(out, 0);   // BI_RGB
    Put32(out, imageBytes);
    Put32(out, 3780);   // 96 dots per inch
    Put32(out, 3780);
    Put32(out, static_cast<quint32>(colours));
    Put32(out, 0);
    for (QRgb c : indexed.colorTable()) {
        out.append(static_cast<char>(qBlue(c)));
        out.append(static_cast<char>(qGreen(c)));
        out.append(static_cast<char>(qRed(c)));
        out.append('\0');
    }
    const int perByte = 8 / bitsPerPixel;
    for (int y = height - 1; y >= 0; --y) {
        QByteArray row(stride, '\0');
        const uchar* line = indexed.constScanLine(y);
        for (int x = 0; x < width; ++x) {
            const int shift = 8 - bitsPerPixel * (x % perByte + 1);
            row[x / perByte] = static_cast<char>(static_cast<uchar>(row[x / perByte]) | (line[x] << shift));
        }
        out.append(row);
    }
    return out;
}
