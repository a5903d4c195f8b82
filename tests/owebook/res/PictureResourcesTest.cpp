// The program's pictures as compiled in: each a BMP of the size and depth its
// dialog expects, registered under its id, and the four home pictures told
// apart at a glance.

#include "PictureTestSupport.h"

#include "owebook/app/AppIds.h"
#include "owebook/res/PictureResources.h"
#include "owebook/res/Resource.h"
#include "owebook/res/ResourceTables.h"
#include "platform/testing/UiTestSupport.h"
#include "platform/ui/WinApi.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>
#include <map>

namespace {

struct BmpHeader {
    bool valid = false;
    std::uint32_t fileSize = 0, colours = 0;
    std::int32_t width = 0, height = 0;
    int bitsPerPixel = 0;
};

std::uint32_t Le(const BYTE* p, int bytes)
{
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8) | p[i];
    return v;
}

BmpHeader ReadBmpHeader(const BYTE* data, std::size_t size)
{
    BmpHeader h;
    if (size < 54 || data[0] != 'B' || data[1] != 'M' || Le(data + 14, 4) < 40)
        return h;
    h.fileSize = Le(data + 2, 4);
    h.width = static_cast<std::int32_t>(Le(data + 18, 4));
    h.height = static_cast<std::int32_t>(Le(data + 22, 4));
    h.bitsPerPixel = static_cast<int>(Le(data + 28, 2));
    h.colours = Le(data + 46, 4);
    h.valid = Le(data + 30, 4) == 0;   // uncompressed
    return h;
}

struct Expected {
    UINT id;
    int width, height, bitsPerPixel;
};

// What the dialogs were laid out for: the home screen's four pictures, the
// About box's 16-colour wordmark, the reminder's 256-colour picture, the rule.
constexpr Expected kExpected[] = {
    {IDB_HOME_WHAT_I_OWE, 105, 95, 8}, {IDB_HOME_OWED_TO_ME, 105, 95, 8}, {IDB_HOME_WHATS_DUE, 105, 95, 8},
    {IDB_HOME_ALL_ITEMS, 105, 95, 8},  {IDB_ABOUT_LOGO, 147, 60, 4},      {IDB_REMINDER, 56, 44, 8},
    {IDB_RULE, 240, 1, 1},
};

const PictureResource* Find(UINT id)
{
    for (const PictureResource& picture : GetPictureResources())
        if (picture.nId == id)
            return &picture;
    return nullptr;
}

int ColourDistance(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b));
}

class PictureResourcesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::testing::ResetUi();
        RegisterResources();
    }
};

}  // namespace

TEST_F(PictureResourcesTest, EachIsABmpOfItsSizeAndDepthAndLoadsUnderItsId)
{
    ASSERT_EQ(GetPictureResources().size(), std::size(kExpected)) << "a picture without a test, or one missing";
    for (const Expected& e : kExpected) {
        SCOPED_TRACE(e.id);
        const PictureResource* picture = Find(e.id);
        ASSERT_NE(picture, nullptr);
        const BmpHeader h = ReadBmpHeader(picture->pData, picture->nSize);
        ASSERT_TRUE(h.valid);
        EXPECT_EQ(h.fileSize, picture->nSize);
        EXPECT_EQ(h.width, e.width);
        EXPECT_EQ(h.height, e.height) << "bottom-up rows, as the handheld's bitmaps";
        EXPECT_EQ(h.bitsPerPixel, e.bitsPerPixel);
        EXPECT_GE(h.colours, 1u);
        EXPECT_LE(h.colours, 1u << e.bitsPerPixel);

        const QImage image = LoadedPicture(e.id);
        ASSERT_FALSE(image.isNull()) << "registered and decodable";
        EXPECT_EQ(image.size(), QSize(e.width, e.height));
    }
}

TEST_F(PictureResourcesTest, HomePicturesSitOnWhiteAndDifferFromEachOther)
{
    const UINT home[] = {IDB_HOME_WHAT_I_OWE, IDB_HOME_OWED_TO_ME, IDB_HOME_WHATS_DUE, IDB_HOME_ALL_ITEMS};
    std::map<UINT, QImage> images;
    for (UINT id : home) {
        SCOPED_TRACE(id);
        const QImage image = LoadedPicture(id);
        ASSERT_FALSE(image.isNull());
        // The dialog is white: the corners must be exactly white, or the
        // picture shows as a tile.
        for (QPoint corner : {QPoint(0, 0), QPoint(104, 0), QPoint(0, 94), QPoint(104, 94)})
            EXPECT_EQ(image.pixel(corner), qRgb(255, 255, 255));
        int drawn = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                drawn += ColourDistance(image.pixel(x, y), qRgb(255, 255, 255)) > 30 ? 1 : 0;
        EXPECT_GT(drawn, image.width() * image.height() / 4) << "a picture fills its place";
        images[id] = image;
    }
    // Any two differ clearly somewhere large: in at least a tenth of their pixels.
    for (UINT a : home)
        for (UINT b : home) {
            if (a >= b)
                continue;
            int differ = 0;
            for (int y = 0; y < 95; ++y)
                for (int x = 0; x < 105; ++x)
                    differ += ColourDistance(images[a].pixel(x, y), images[b].pixel(x, y)) > 60 ? 1 : 0;
            EXPECT_GT(differ, 105 * 95 / 10) << a << " and " << b;
        }
}

TEST_F(PictureResourcesTest, RuleIsOneSolidDarkLine)
{
    const QImage rule = LoadedPicture(IDB_RULE);
    ASSERT_EQ(rule.size(), QSize(240, 1));
    const QRgb first = rule.pixel(0, 0);
    EXPECT_LT(qGray(first), 96) << "dark enough to read as a line on white";
    for (int x = 1; x < 240; ++x)
        ASSERT_EQ(rule.pixel(x, 0), first) << x;
}

// The pictures are made at build time; the same generator must always draw
// the same bytes, or builds of the same tree would ship different pictures.
TEST_F(PictureResourcesTest, TheGeneratorDrawsExactlyTheCompiledInBytes)
{
    const char* bin = std::getenv("OWEBOOK_TEST_BIN_DIR");
    ASSERT_NE(bin, nullptr);
    QTemporaryDir out;
    ASSERT_TRUE(out.isValid());
    QProcess draw;
    draw.start(QString::fromLocal8Bit(bin) + QStringLiteral("/draw_pictures"), {out.path()});
    ASSERT_TRUE(draw.waitForFinished(60000)) << draw.errorString().toStdString();
    ASSERT_EQ(draw.exitCode(), 0) << draw.readAllStandardError().toStdString();
    const std::map<UINT, const char*> files = {
        {IDB_HOME_WHAT_I_OWE, "home_what_i_owe.bmp"}, {IDB_HOME_OWED_TO_ME, "home_owed_to_me.bmp"},
        {IDB_HOME_WHATS_DUE, "home_whats_due.bmp"},   {IDB_HOME_ALL_ITEMS, "home_all_items.bmp"},
        {IDB_ABOUT_LOGO, "about_logo.bmp"},           {IDB_REMINDER, "reminder_clock.bmp"},
        {IDB_RULE, "rule.bmp"}};
    EXPECT_EQ(QDir(out.path()).entryList(QDir::Files).size(), static_cast<qsizetype>(files.size()));
    for (const auto& [id, name] : files) {
        QFile file(QDir(out.path()).filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name;
        const QByteArray drawn = file.readAll();
        const PictureResource* picture = Find(id);
        ASSERT_NE(picture, nullptr);
        EXPECT_TRUE(drawn == QByteArray(reinterpret_cast<const char*>(picture->pData),
                                        static_cast<qsizetype>(picture->nSize)))
            << name;
    }
}
