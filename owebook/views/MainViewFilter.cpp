// The main view's column layouts: one record per mode in "OwebookFilter",
// reached by position.

#include "owebook/res/Resource.h"
#include "owebook/views/MainView.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/WinApi.h"

#include <algorithm>

namespace {

// The layouts of a first start: Type, Category, Name, Returned, Due, Amount, Description.
constexpr SHORT FIRST_LAYOUTS[MODE_COUNT][FILTER_FIELDS] = {
    {57, 57, 57, 0, 0, 57, 0},
    {0, 57, 57, 0, 57, 57, 0},
    {0, 57, 57, 0, 57, 57, 0},
    {46, 46, 46, 0, 46, 46, 0},
};

}  // namespace

BOOL CMainView::OpenFilterDatabase()
{
    if (CCeDBDatabase::Exists(FILTER_DATABASE))
        return m_dbFilter.Open(FILTER_DATABASE);
    if (!m_dbFilter.Create(FILTER_DATABASE, FILTER_DATABASE_TYPE)) {
        ::MessageBox(nullptr, u"Error while creating filter database!", u"Owebook", MB_OK);
        ::PostQuitMessage(0);
        return FALSE;
    }
    if (!m_dbFilter.Open(FILTER_DATABASE))
        return FALSE;
    CFilterRecord record;
    record.SetDefaults();
    for (int i = 0; i < MODE_COUNT; ++i)
        m_dbFilter.AddRecord(&record);
    for (int mode = 0; mode < MODE_COUNT; ++mode) {
        if (!(mode == 0 ? m_dbFilter.SeekFirst() : m_dbFilter.SeekNext()))
            break;
        record.SetMode(static_cast<SHORT>(mode));
        record.SetWidths(FIRST_LAYOUTS[mode]);
        m_dbFilter.WriteCurrRecord(&record);
    }
    return TRUE;
}

BOOL CMainView::LoadFilterRecord(int nMode)
{
    if (nMode < 0 || !m_dbFilter.SeekToIndex(static_cast<DWORD>(nMode)))
        return FALSE;
    return m_dbFilter.ReadCurrRecord(&m_recFilter);
}

void CMainView::RebuildColumns()
{
    m_listItems.DeleteAllColumns();
    m_recFilter.GetWidths(m_nColumnWidth);
    int column = 0;
    for (int f = 0; f < FILTER_FIELDS; ++f) {
        if (m_nColumnWidth[f] <= 0)
            continue;
        CString header;
        header.LoadString(IDS_FIELD_FIRST + static_cast<UINT>(f));
        m_listItems.InsertColumn(column, header, LVCFMT_LEFT, m_nColumnWidth[f]);
        m_listItems.m_nColumnField[column] = static_cast<SHORT>(f);
        ++column;
    }
}

void CMainView::SaveColumnWidths()
{
    const int columns = m_listItems.GetColumnCount();
    for (int f = 0, c = 0; f < FILTER_FIELDS && c < columns; ++f) {
        if (m_nColumnWidth[f] == 0)
            continue;
        // A shown field stays shown, however narrow its column was squeezed.
        m_nColumnWidth[f] = static_cast<SHORT>(std::clamp(m_listItems.GetColumnWidth(c), 1, 0x7FFF));
        ++c;
    }
    m_recFilter.SetWidths(m_nColumnWidth);
    m_dbFilter.WriteCurrRecord(&m_recFilter);
}
