#pragma once
// The program's one document: owns the items database "OwebookMain", the
// category store, the names used so far and the version stamp. Views and
// dialogs read and change items only through it; it keeps no items in
// memory, only the names.

#include "owebook/data/CategoryStore.h"
#include "owebook/data/ItemRecord.h"
#include "owebook/data/RegistryKey.h"
#include "owebook/reminders/ItemDatabase.h"
#include "platform/framework/CDocument.h"
#include "platform/store/CCeDBTransaction.h"

#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

class CComboBox;

constexpr WCHAR ITEMS_DATABASE[] = u"OwebookMain";
constexpr DWORD ITEMS_DATABASE_TYPE = 101;
constexpr WCHAR VERSION_KEY[] = u"SOFTWARE\\Brightel\\Owebook\\Version";
constexpr WCHAR ALARMS_KEY[] = u"SOFTWARE\\Brightel\\Owebook\\Alarms";
constexpr WCHAR ALARM_VALUE[] = u"Alarm";

constexpr UINT ID_DELETE_CATEGORIES_DATABASE = 32907;
constexpr UINT ID_DELETE_MAIN_DATABASE = 32911;

class COwebookDoc : public CDocument {
    DECLARE_DYNCREATE(COwebookDoc)
public:
    COwebookDoc();
    ~COwebookDoc() override;

    BOOL OnNewDocument() override;

    virtual void CheckVersion();
    virtual void WriteVersion();
    virtual void OnNewerVersion();
    virtual void DeleteDatabases();

    // Items, by the object id of their record.
    BOOL AddItem(CItemRecord& item, CEOID& oid);
    BOOL UpdateItem(CEOID oid, CItemRecord& item);
    BOOL DeleteItem(CEOID oid);  // 0: the current record
    BOOL ReadItem(CEOID oid, CItemRecord& item);
    CEOID ReadFirstItem(CItemRecord& item);
    CEOID ReadNextItem(CItemRecord& item);

    // Names of the other persons, for the name selector: distinct, non-empty,
    // in the order first seen, compared exactly.
    void AddName(LPCWSTR name);
    void BuildNameList();
    const std::vector<CString>& GetNames() const { return m_names; }

    // Categories.
    void FillCategoryCombo(CComboBox& combo, BOOL withAll);
    void AddAllMoneyEntry(CComboBox& combo);
    void AddAllCategoriesEntry(CComboBox& combo);
    void AddNoCategoryEntry(CComboBox& combo);
    LONG GetCurrentCategory() const { return m_nCurrentCategory; }
    BOOL GetCategoryName(LONG id, CString& name);
    BOOL IsMoneyCategory(LONG id);
    BOOL IsCategoryActive(LONG id);
    BOOL SelectCategory(LONG id);
    LONG FindCategoryByName(LPCWSTR name);
    // Called before an item of this category is deleted: a deleted category
    // goes for good once no other item refers to it.
    void PurgeCategory(LONG id);

    WORD m_nItemCount;  // only whether it is zero matters; stops at 65,535
    CItemDatabase m_dbItems;
    CCategoryStore m_categories;
    std::vector<CString> m_names;
    LONG m_nCurrentCategory;
    CRegistryKey m_regVersion;

protected:
    void OnDeleteCategoriesDatabase();
    void OnDeleteMainDatabase();
    DECLARE_MESSAGE_MAP()

    std::unordered_set<std::u16string> m_nameIndex;  // what m_names holds, for lookups

private:
    void CountItemAdded();
    BOOL AbandonSeeding();
    BOOL IsVersionStamped();

    // Open from the construction of a first start's document until its first
    // OnNewDocument: the categories, the example item and the version stamp
    // are written together or not at all.
    std::unique_ptr<CCeDBTransaction> m_pSeeding;
};
