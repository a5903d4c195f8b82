#pragma once
// The categories of the items: "OwebookCategories", sorted by name, asking
// its document whether a category counts money when it lists them.

#include "owebook/data/NamedDatabase.h"

class COwebookDoc;

constexpr WCHAR CATEGORIES_DATABASE[] = u"OwebookCategories";
constexpr DWORD CATEGORIES_DATABASE_TYPE = 103;

class CCategoryStore : public CNamedDatabase {
public:
    CCategoryStore();
    ~CCategoryStore() override;

    // Rows of the categories editor's list: name, and "Yes"/"No" for money.
    int AddListRow(CListCtrl& list, int index, LPCWSTR name, LONG id) override;
    BOOL RunEditor() override;

    virtual void SetDocument(COwebookDoc* pDoc);

    COwebookDoc* m_pDoc;
};
