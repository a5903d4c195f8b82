// Draws the program's pictures and writes them as palette bitmaps:
//
//   draw_pictures OUTDIR [--preview PREVIEWDIR]
//
// OUTDIR receives one .bmp per picture (compiled into the program). The
// preview folder receives each picture as PNG at 1x and at 2x (pixels
// doubled, as the scaled screen shows them), the icon at its usual sizes and
// one sheet with everything. The same build always draws the same bytes.

#include "Art.h"
#include "IndexedBitmap.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include <cstdio>
#include <functional>

namespace {

struct Picture {
    const char* file;
    std::function<QImage()> draw;
    int colours;
    int bitsPerPixel;
    QList<QRgb> exact;
};

QList<Picture> Pictures()
{
    const QList<QRgb> home = {ink::kWhite.rgb(), ink::kNavy.rgb(), ink::kGold.rgb()};
    return {
        {"home_what_i_owe.bmp", DrawWhatIOwe, 256, 8, home + QList<QRgb>{ink::kOwe.rgb(), ink::kOweBack.rgb()}},
        {"home_owed_to_me.bmp", DrawOwedToMe, 256, 8, home + QList<QRgb>{ink::kOwed.rgb(), ink::kOwedBack.rgb()}},
        {"home_whats_due.bmp", DrawWhatsDue, 256, 8, home + QList<QRgb>{ink::kDue.rgb(), ink::kDueBack.rgb()}},
        {"home_all_items.bmp", DrawAllItems, 256, 8, home + QList<QRgb>{ink::kAll.rgb(), ink::kAllBack.rgb()}},
        {"about_logo.bmp", DrawAboutLogo, 16, 4, {ink::kWhite.rgb(), ink::kNavy.rgb(), ink::kGold.rgb()}},
        {"reminder_clock.bmp", DrawReminder, 256, 8, {ink::kWhite.rgb(), ink::kNavy.rgb(), ink::kOwe.rgb()}},
        {"rule.bmp", DrawRule, 2, 1, {ink::kNavy.rgb()}},
    };
}

bool Write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "draw_pictures: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

QImage Doubled(const QImage& image) { return image.scaled(image.size() * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation); }

bool WritePreview(const QDir& dir, const QList<std::pair<QString, QImage>>& shown)
{
    bool ok = true;
    int width = 0, height = 0;
    for (const auto& [name, image] : shown) {
        ok = image.save(dir.filePath(name + QStringLiteral("@1x.png"))) && ok;
        ok = Doubled(image).save(dir.filePath(name + QStringLiteral("@2x.png"))) && ok;
        width += image.width() * 2 + 16;
        height = std::max(height, image.height() * 2);
    }
    for (int size : {16, 24, 32, 48, 64, 128})
        ok = DrawIcon(size).save(dir.filePath(QStringLiteral("icon-%1.png").arg(size))) && ok;
    QImage sheet(width + 16, height + 32, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter p(&sheet);
    int x = 16;
    for (const auto& [name, image] : shown) {
        p.drawImage(x, 16, Doubled(image));
        x += image.width() * 2 + 16;
    }
    p.end();
    return sheet.save(dir.filePath(QStringLiteral("sheet@2x.png"))) && ok;
}

// Qt's remark that a build machine has no XDG_RUNTIME_DIR is no news here.
void QuietAboutRuntimeDir(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.startsWith(QStringLiteral("QStandardPaths: ")))
        return;
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

}  // namespace

int main(int argc, char** argv)
{
    // Drawing text needs the font database, not a screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(QuietAboutRuntimeDir);
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2 && !(args.size() == 4 && args[2] == QStringLiteral("--preview"))) {
        std::fprintf(stderr, "usage: draw_pictures OUTDIR [--preview PREVIEWDIR]\n");
        return 2;
    }
    const QDir out(args[1]);
    if (!QDir().mkpath(out.path()))
        return 1;

    bool ok = true;
    QList<std::pair<QString, QImage>> shown;
    for (const Picture& picture : Pictures()) {
        const QImage indexed = ReduceColours(picture.draw(), picture.colours, picture.exact);
        ok = Write(out.filePath(QString::fromLatin1(picture.file)), EncodeBmp(indexed, picture.bitsPerPixel)) && ok;
        shown.append({QString::fromLatin1(picture.file).section(QLatin1Char('.'), 0, 0), indexed});
    }
    if (args.size() == 4) {
        const QDir preview(args[3]);
        ok = QDir().mkpath(preview.path()) && WritePreview(preview, shown) && ok;
    }
    return ok ? 0 : 1;
}
