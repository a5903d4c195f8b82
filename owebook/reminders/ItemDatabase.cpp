#include "owebook/reminders/ItemDatabase.h"

CItemDatabase::CItemDatabase() = default;
CItemDatabase::~CItemDatabase() = default;

void CItemDatabase::SetupAlarms(WORD, LPCWSTR, LPCWSTR) {}
void CItemDatabase::OnItemAdded(const SYSTEMTIME&, CEOID) {}
void CItemDatabase::OnItemChanged(const SYSTEMTIME&, const SYSTEMTIME&, CEOID) {}
void CItemDatabase::OnItemDeleted(CEOID) {}
