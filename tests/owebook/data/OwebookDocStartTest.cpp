#include "DocumentTestEnv.h"

#include "owebook/data/CategoryIds.h"
#include "owebook/data/CategoryRecord.h"

#include <gtest/gtest.h>

namespace {

using DocumentStart = DocumentTest;

TEST_F(DocumentStart, FirstStartOnAnEmptyDeviceSeedsCategoriesExampleAndVersion)
{
    auto doc = Start();

    std::vector<std::string> categories;
    std::vector<std::string> money;
    CCategoryRecord category;
    for (CEOID oid = doc->m_categories.SeekFirst(); oid != 0; oid = doc->m_categories.SeekNext()) {
        doc->m_categories.ReadCurrRecord(&category);
        categories.push_back(Utf8(category.GetName()));
        if (category.GetIsMoney())
            money.push_back(Utf8(category.GetName()));
        EXPECT_TRUE(category.GetActive());
    }
    EXPECT_EQ(categories, (std::vector<std::string>{"Books", "CDs", "Loans", "Misc", "Payments"}));
    EXPECT_EQ(money, (std::vector<std::string>{"Loans", "Payments"}));
    EXPECT_EQ(doc->GetCurrentCategory(), CATEGORY_ALL);

    ASSERT_EQ(ItemIds(*doc).size(), 1u);
    CItemRecord example;
    ASSERT_NE(doc->ReadFirstItem(example), 0u);
    LONG loans = doc->FindCategoryByName(u"Loans");
    ASSERT_NE(loans, 0);
    EXPECT_EQ(example.GetCategory(), loans);
    EXPECT_EQ(example.GetType(), ITEM_UOME);
    EXPECT_EQ(example.GetAmount(), 10.0);
    EXPECT_EQ(Utf8(example.GetName()), "Lenny P.");
    EXPECT_EQ(Utf8(example.GetDescription()), "Gave him money for the concert tickets (THIS IS AN EXAMPLE!)");
    EXPECT_FALSE(example.GetReturned());
    DWORD created = 0, returned = 1, due = 1;
    EXPECT_TRUE(example.GetCreatedDate(created) && example.GetReturnedDate(returned) && example.GetDueDate(due));
    EXPECT_EQ(created, static_cast<DWORD>(TEST_NOW));
    EXPECT_EQ(returned, 0u);
    EXPECT_EQ(due, 0u);
    EXPECT_EQ(doc->m_nItemCount, 1);
    EXPECT_EQ(Names(*doc), (std::vector<std::string>{"Lenny P."}));

    EXPECT_EQ(doc->m_nWrites, 1);
    EXPECT_EQ(doc->m_nNewer, 0);
    const struct {
        const char16_t* name;
        DWORD value;
    } version[] = {{u"Major", 1}, {u"Minor", 0}, {u"Bug", 0}, {u"Build", 1}};
    for (const auto& v : version) {
        DWORD value = 99;
        EXPECT_TRUE(VersionValue(v.name, value));
        EXPECT_EQ(value, v.value);
    }
    BYTE letter[4] = {};
    DWORD size = sizeof letter;
    CRegistryKey key(VERSION_KEY);
    EXPECT_TRUE(key.GetBinary(u"Letter", letter, &size, nullptr));
    EXPECT_EQ(size, 2u);
    EXPECT_EQ(letter[0], 0x20);
    EXPECT_EQ(letter[1], 0x20);
}

TEST_F(DocumentStart, SecondStartSeedsAndStampsNothing)
{
    auto doc = Start();
    End(doc);
    CRegistryKey(VERSION_KEY).SetDword(u"Build", 7);  // would go back to 1 if stamped again

    doc = Start();
    EXPECT_EQ(ItemIds(*doc).size(), 1u);
    EXPECT_EQ(doc->m_categories.GetRecordCount(), 5u);
    EXPECT_EQ(doc->m_nWrites, 0);
    EXPECT_EQ(doc->m_nNewer, 0);
    DWORD build = 0;
    EXPECT_TRUE(VersionValue(u"Build", build));
    EXPECT_EQ(build, 7u);
    EXPECT_EQ(doc->m_nItemCount, 1);
    EXPECT_EQ(Names(*doc), (std::vector<std::string>{"Lenny P."}));
}

TEST_F(DocumentStart, DeletingTheItemsDatabaseByCommandSeedsTheExampleAgain)
{
    auto doc = Start();
    Add(*doc, NewItem(u"Alice"));
    ASSERT_TRUE(doc->OnCmdMsg(ID_DELETE_MAIN_DATABASE, CN_COMMAND, nullptr, nullptr));
    platform::testing::ProcessEvents();
    int code = -1;
    EXPECT_TRUE(platform::MessageLoop::QuitPending(&code));
    EXPECT_EQ(code, 0);
    EXPECT_FALSE(CCeDBDatabase::Exists(ITEMS_DATABASE));
    EXPECT_TRUE(CCeDBDatabase::Exists(CATEGORIES_DATABASE));
    End(doc);
    platform::MessageLoop::ResetQuit();

    doc = Start();
    std::vector<CEOID> ids = ItemIds(*doc);
    ASSERT_EQ(ids.size(), 1u);
    CItemRecord example;
    doc->ReadItem(ids[0], example);
    EXPECT_EQ(Utf8(example.GetName()), "Lenny P.");
    EXPECT_EQ(example.GetCategory(), doc->FindCategoryByName(u"Loans"));
    EXPECT_EQ(doc->m_nWrites, 0);  // the registry was left alone
}

}  // namespace
