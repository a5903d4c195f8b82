// The program's resources: strings, custom data, bitmaps.

#include "UiTest.h"

#include "platform/gdi/BitmapResources.h"
#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CDC.h"
#include "platform/ui/ResourceRegistry.h"
#include "platform/ui/Resources.h"

#include <cstring>

TEST(ResourcesTest, StringsLoadByIdTruncatedToTheBuffer)
{
    platform::RegisterStrings({{65022, u"Total: Choose a category(top-right)"}, {65020, u"IOU"}});
    CString s;
    EXPECT_TRUE(s.LoadString(65020));
    EXPECT_EQ(s, CString(u"IOU"));
    EXPECT_FALSE(s.LoadString(1));

    WCHAR buffer[6];
    EXPECT_EQ(::LoadString(AfxGetResourceHandle(), 65022, buffer, 6), 5);
    EXPECT_EQ(CString(buffer), CString(u"Total"));
    EXPECT_EQ(::LoadString(AfxGetResourceHandle(), 4711, buffer, 6), 0);
    EXPECT_EQ(buffer[0], 0);

    platform::RegisterString(65020, u"IOU!");   // registering again replaces
    s.LoadString(65020);
    EXPECT_EQ(s, CString(u"IOU!"));
}

TEST(ResourcesTest, CustomResourcesByTypeAndId)
{
    const char data[] = "Books,0\r\nLoans,1\r\n";
    platform::RegisterCustomResource(u"LONGSTRING", 166, data, std::strlen(data));
    struct Case {
        LPCWSTR name;
        LPCWSTR type;
        bool found;
    };
    const Case cases[] = {
        {MAKEINTRESOURCE(166), u"LONGSTRING", true},
        {u"#166", u"LONGSTRING", true},
        {MAKEINTRESOURCE(166), u"longstring", true},   // type names ignore case
        {MAKEINTRESOURCE(167), u"LONGSTRING", false},
        {MAKEINTRESOURCE(166), u"OTHER", false},
        {u"#16x", u"LONGSTRING", false},
        {nullptr, u"LONGSTRING", false},
    };
    for (const Case& c : cases) {
        HRSRC res = ::FindResource(AfxGetResourceHandle(), c.name, c.type);
        EXPECT_EQ(res != nullptr, c.found);
        if (!res)
            continue;
        HGLOBAL loaded = ::LoadResource(AfxGetResourceHandle(), res);
        ASSERT_EQ(::SizeofResource(AfxGetResourceHandle(), res), std::strlen(data));
        EXPECT_EQ(std::memcmp(::LockResource(loaded), data, std::strlen(data)), 0);
    }
    EXPECT_EQ(::SizeofResource(nullptr, nullptr), 0u);
    EXPECT_EQ(::LockResource(nullptr), nullptr);
}

TEST(ResourcesTest, BitmapsPaintedAtFirstUse)
{
    platform::testing::ResetUi();
    platform::RegisterBitmap(156, 240, 1, [](CDC& dc, int cx, int cy) { dc.FillSolidRect(0, 0, cx, cy, RGB(0, 0, 0)); });
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.LoadBitmap(156));
    BITMAP info{};
    ASSERT_TRUE(bitmap.GetBitmap(&info));
    EXPECT_EQ(info.bmWidth, 240);
    EXPECT_EQ(info.bmHeight, 1);
    CBitmap missing;
    EXPECT_FALSE(missing.LoadBitmap(157));
    EXPECT_EQ(::LoadBitmap(AfxGetResourceHandle(), u"#156") != nullptr, true);

    const unsigned char notAnImage[] = {1, 2, 3};
    platform::RegisterBitmap(158, notAnImage, sizeof notAnImage);
    EXPECT_FALSE(missing.LoadBitmap(158)) << "bytes that do not decode give no bitmap";
}
