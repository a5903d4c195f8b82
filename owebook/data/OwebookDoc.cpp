#include "owebook/data/OwebookDoc.h"

#include "owebook/data/CategoryIds.h"
#include "owebook/data/CategoryRecord.h"
#include "owebook/res/Resource.h"
#include "owebook/views/MainView.h"
#include "platform/core/Time.h"
#include "platform/ui/WinApi.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(COwebookDoc, CDocument)

BEGIN_MESSAGE_MAP(COwebookDoc, CDocument)
    ON_COMMAND(ID_DELETE_CATEGORIES_DATABASE, OnDeleteCategoriesDatabase)
    ON_COMMAND(ID_DELETE_MAIN_DATABASE, OnDeleteMainDatabase)
END_MESSAGE_MAP()

COwebookDoc::COwebookDoc()
    : m_nItemCount(0), m_nCurrentCategory(CATEGORY_ALL), m_regVersion(VERSION_KEY)
{
    m_categories.SetDocument(this);
    // No items database: a first start, or the first after it was deleted.
    if (!CCeDBDatabase::Exists(ITEMS_DATABASE))
        m_pSeeding = std::make_unique<CCeDBTransaction>();
    // The categories come first: seeding the example item looks up "Loans".
    CCategoryRecord record;
    m_categories.OpenOrCreate(CATEGORIES_DATABASE, CATEGORIES_DATABASE_TYPE, IDR_DEFAULT_CATEGORIES, record);
    m_nCurrentCategory = m_categories.m_nCurrent;
}

COwebookDoc::~COwebookDoc() { m_dbItems.Close(); }

BOOL COwebookDoc::OnNewDocument()
{
    if (!CDocument::OnNewDocument())
        return FALSE;

    m_nItemCount = 0;
    CItemRecord item;
    BOOL created = FALSE;
    if (!CCeDBDatabase::Exists(ITEMS_DATABASE)) {
        if (!m_pSeeding)  // deleted since this document was made
            m_pSeeding = std::make_unique<CCeDBTransaction>();
        if (!m_pSeeding->IsOpen() || !m_categories.IsOpen() ||
            !m_dbItems.Create(ITEMS_DATABASE, ITEMS_DATABASE_TYPE))
            return AbandonSeeding();
        created = TRUE;
    } else if (m_dbItems.IsOpen()) {
        // A later new-document command asks for a new item, not a new
        // document; the open one stays as it is.
        POSITION pos = GetFirstViewPosition();
        auto* pView = dynamic_cast<CMainView*>(GetNextView(pos));
        if (pView && pView->m_bFreshlyFilled) {
            // The view has not been activated since it was filled: ask here.
            CItemRecord newItem;
            newItem.SetDefaults();
            BOOL bCategoriesEdited = FALSE;
            if (pView->RunItemEditor(newItem, TRUE, bCategoriesEdited) == EDITOR_OK) {
                CEOID oid = 0;
                AddItem(newItem, oid);
            }
        } else {
            UpdateAllViews(nullptr, HINT_NEW_ITEM);
        }
        return FALSE;
    }

    BOOL seeded = TRUE;
    if (m_dbItems.Open(ITEMS_DATABASE)) {
        if (created) {
            item.SetDefaults();
            item.SetCategory(FindCategoryByName(u"Loans"));
            item.SetName(u"Lenny P.");
            item.SetType(ITEM_UOME);
            item.SetAmount(10.0);
            item.SetDescription(u"Gave him money for the concert tickets (THIS IS AN EXAMPLE!)");
            SYSTEMTIME now{};
            GetLocalTime(&now);
            DWORD createdDate = 0;
            if (LocalSystemTimeToTime32(&now, &createdDate))
                item.SetCreatedDate(createdDate);
            item.SetReturned(FALSE);
            item.SetReturnedDate(0);
            CEOID oid = 0;
            seeded = AddItem(item, oid);
        }
        m_nItemCount = static_cast<WORD>(std::min<DWORD>(m_dbItems.GetRecordCount(), 0xFFFF));
        m_dbItems.SetupAlarms(ITEMPROP_ALARM_TIME, ALARMS_KEY, ALARM_VALUE);
        BuildNameList();
        CheckVersion();
    } else {
        seeded = !created;
    }
    if (m_pSeeding) {
        if (!seeded || !m_pSeeding->Commit())
            return AbandonSeeding();
        m_pSeeding.reset();
    }
    return TRUE;
}

// Nothing of a failed first start stays, in the store or here.
BOOL COwebookDoc::AbandonSeeding()
{
    m_pSeeding.reset();
    m_dbItems.Close();
    m_categories.Close();
    m_names.clear();
    m_nameIndex.clear();
    m_nItemCount = 0;
    MessageBox(nullptr, u"Error while creating main database!", u"Owebook", MB_OK);
    return FALSE;
}

void COwebookDoc::CountItemAdded()
{
    if (m_nItemCount < 0xFFFF)
        ++m_nItemCount;
}

BOOL COwebookDoc::AddItem(CItemRecord& item, CEOID& oid)
{
    oid = m_dbItems.AddRecord(&item);
    if (oid == 0)
        return FALSE;
    CountItemAdded();
    AddName(item.GetName());
    SYSTEMTIME alarm{};
    if (item.GetAlarmTime(alarm))
        m_dbItems.OnItemAdded(alarm, oid);
    return TRUE;
}

BOOL COwebookDoc::UpdateItem(CEOID oid, CItemRecord& item)
{
    if (!m_dbItems.SeekToRecord(oid))
        return FALSE;
    CItemRecord stored;
    m_dbItems.ReadCurrRecord(&stored);
    if (!m_dbItems.WriteCurrRecord(&item))
        return FALSE;
    CString name = item.GetName();
    if (name != stored.GetName())
        AddName(name);
    SYSTEMTIME newAlarm{}, oldAlarm{};
    item.GetAlarmTime(newAlarm);
    stored.GetAlarmTime(oldAlarm);
    m_dbItems.OnItemChanged(newAlarm, oldAlarm, oid);
    return TRUE;
}

BOOL COwebookDoc::DeleteItem(CEOID oid)
{
    m_dbItems.OnItemDeleted(oid);
    return CeDeleteRecord(m_dbItems.GetHandle(), oid);
}

BOOL COwebookDoc::ReadItem(CEOID oid, CItemRecord& item)
{
    return m_dbItems.SeekToRecord(oid) && m_dbItems.ReadCurrRecord(&item);
}

CEOID COwebookDoc::ReadFirstItem(CItemRecord& item)
{
    CEOID oid = m_dbItems.SeekFirst();
    if (oid != 0)
        m_dbItems.ReadCurrRecord(&item);
    return oid;
}

CEOID COwebookDoc::ReadNextItem(CItemRecord& item)
{
    CEOID oid = m_dbItems.SeekNext();
    if (oid != 0)
        m_dbItems.ReadCurrRecord(&item);
    return oid;
}

void COwebookDoc::AddName(LPCWSTR name)
{
    if (!name || !name[0])
        return;
    if (!m_nameIndex.insert(std::u16string(name)).second)
        return;
    m_names.emplace_back(name);
}

void COwebookDoc::BuildNameList()
{
    if (m_nItemCount == 0)
        return;
    // Only the name is needed; reading the whole item would cost eleven more properties.
    CCeDBRecord names;
    names.AddProp(CCeDBProp(CCeDBProp::Type_String, ITEMPROP_NAME));
    for (CEOID oid = m_dbItems.SeekFirst(); oid != 0; oid = m_dbItems.SeekNext()) {
        names[0]->Empty();
        if (m_dbItems.ReadCurrRecord(&names))
            AddName(names[0]->GetString());
    }
}

void COwebookDoc::DeleteDatabases()
{
    m_dbItems.Delete();
    m_categories.Delete();
}

void COwebookDoc::OnDeleteCategoriesDatabase()
{
    if (m_categories.IsOpen())
        m_categories.Delete();
    else
        CCeDBDatabase::DeleteDatabase(CATEGORIES_DATABASE);
    PostQuitMessage(0);
}

void COwebookDoc::OnDeleteMainDatabase()
{
    if (m_dbItems.IsOpen())
        m_dbItems.Delete();
    else
        CCeDBDatabase::DeleteDatabase(ITEMS_DATABASE);
    PostQuitMessage(0);
}
