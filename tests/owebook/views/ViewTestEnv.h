#pragma once
// The main view in-process: a fresh device, the program's document, frame and
// a main view whose item editor and home screen answer what the test says.

#include "owebook/app/MainFrame.h"
#include "owebook/app/OwebookApp.h"
#include "owebook/data/CategoryIds.h"
#include "owebook/data/LedgerTestEnv.h"
#include "owebook/data/OwebookDoc.h"
#include "owebook/res/Resource.h"
#include "owebook/views/MainView.h"
#include "platform/framework/CSingleDocTemplate.h"
#include "platform/testing/UiTestSupport.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/WinApi.h"

#include <functional>
#include <string>
#include <vector>

// What the item editor does in a test: changes the item, answers a result.
using EditorScript = std::function<int(CItemRecord& item, BOOL bNewItem, BOOL& bCategoriesEdited)>;

struct ViewScript {
    static EditorScript& Editor()
    {
        static EditorScript editor;
        return editor;
    }
    static int& HomeMode()
    {
        static int mode = MODE_ALL_ITEMS;
        return mode;
    }
};

class CScriptedMainView : public CMainView {
    DECLARE_DYNCREATE(CScriptedMainView)
public:
    int RunItemEditor(CItemRecord& item, BOOL bNewItem, BOOL& bCategoriesEdited) override
    {
        bCategoriesEdited = FALSE;
        if (!ViewScript::Editor())
            return CMainView::RunItemEditor(item, bNewItem, bCategoriesEdited);
        const int result = ViewScript::Editor()(item, bNewItem, bCategoriesEdited);
        if (bCategoriesEdited)
            FillCategorySelector();
        return result;
    }
    int ShowHomeScreen() override { return ViewScript::HomeMode(); }

protected:
    CScriptedMainView() = default;
};

class ViewTest : public LedgerTest {
protected:
    ViewTest()
    {
        platform::testing::ResetUi();
        ViewScript::Editor() = nullptr;
        ViewScript::HomeMode() = MODE_ALL_ITEMS;
    }
    ~ViewTest() override { Stop(); }

    // A start of the program; the example item of a first start is removed
    // unless asked to stay.
    CMainView* Start(bool keepExample = false)
    {
        m_app = std::make_unique<COwebookApp>();
        m_app->AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(COwebookDoc),
                                                     RUNTIME_CLASS(CMainFrame), RUNTIME_CLASS(CScriptedMainView)));
        m_app->OnFileNew();
        if (!keepExample && Doc()) {
            CItemRecord item;
            std::vector<CEOID> ids;
            for (CEOID id = Doc()->ReadFirstItem(item); id != 0; id = Doc()->ReadNextItem(item))
                ids.push_back(id);
            for (CEOID id : ids)
                Doc()->DeleteItem(id);
            View()->RefillList();
        }
        return View();
    }

    // The program ends: windows go, the store connection is dropped.
    void Stop()
    {
        if (!m_app)
            return;
        if (CWnd* frame = m_app->m_pMainWnd)
            frame->DestroyWindow();
        platform::testing::ResetUi();
        platform::MessageLoop::ResetQuit();
        m_app.reset();
        TestDevice::Restart();
    }

    CMainFrame* Frame() const { return m_app ? dynamic_cast<CMainFrame*>(m_app->m_pMainWnd) : nullptr; }
    COwebookDoc* Doc() const { return Frame() ? dynamic_cast<COwebookDoc*>(Frame()->GetActiveDocument()) : nullptr; }
    CMainView* View() const { return Frame() ? dynamic_cast<CMainView*>(Frame()->GetActiveView()) : nullptr; }
    CMainListCtrl& List() const { return View()->m_listItems; }

    struct NewItem {
        const char16_t* name = u"";
        SHORT type = ITEM_IOU;
        double amount = 1.0;
        LONG category = CATEGORY_NONE;
        DWORD due = 0;
        BOOL returned = FALSE;
    };
    CEOID Add(const NewItem& spec)
    {
        CItemRecord item;
        item.SetDefaults();
        item.SetName(spec.name);
        item.SetType(spec.type);
        item.SetAmount(spec.amount);
        item.SetCategory(spec.category);
        item.SetDueDate(spec.due);
        item.SetReturned(spec.returned);
        CEOID id = 0;
        EXPECT_TRUE(Doc()->AddItem(item, id));
        return id;
    }
    LONG Category(const char16_t* name) { return Doc()->FindCategoryByName(name); }

    // The rows' texts, one string per row with the cells joined by '|'.
    std::vector<std::string> Rows() const
    {
        std::vector<std::string> rows;
        const int columns = List().GetColumnCount();
        for (int r = 0; r < List().GetItemCount(); ++r) {
            std::string row;
            for (int c = 0; c < columns; ++c)
                row += (c ? "|" : "") + Utf8(List().GetItemText(r, c));
            rows.push_back(row);
        }
        return rows;
    }
    std::vector<std::string> Column(int c) const
    {
        std::vector<std::string> cells;
        for (int r = 0; r < List().GetItemCount(); ++r)
            cells.push_back(Utf8(List().GetItemText(r, c)));
        return cells;
    }
    std::vector<std::string> Headers() const
    {
        std::vector<std::string> headers;
        for (int c = 0; c < List().GetColumnCount(); ++c) {
            WCHAR text[64] = {};
            LVCOLUMN col{};
            col.mask = LVCF_TEXT;
            col.pszText = text;
            col.cchTextMax = 64;
            List().GetColumn(c, &col);
            headers.push_back(Utf8(CString(text)));
        }
        return headers;
    }
    std::string Totals() const
    {
        CString text;
        View()->m_staticTotals.GetWindowText(text);
        return Utf8(text);
    }
    std::string Title() const
    {
        CString text;
        View()->m_staticTitle.GetWindowText(text);
        return Utf8(text);
    }
    std::string SelectorText() const
    {
        const int sel = View()->m_comboCategory.GetCurSel();
        CString text;
        if (sel >= 0)
            View()->m_comboCategory.GetLBText(sel, text);
        return Utf8(text);
    }
    // Picks a selector entry by its text, as a user would.
    void Pick(const char16_t* entry)
    {
        CComboBox& combo = View()->m_comboCategory;
        const int index = combo.FindStringExact(-1, entry);
        ASSERT_GE(index, 0) << Utf8(CString(entry));
        combo.SetCurSel(index);
        View()->OnCategorySelChange();
    }
    void Command(UINT id) { View()->SendMessage(WM_COMMAND, id, 0); }
    int SelectedRow() const { return List().GetNextItem(-1, LVNI_SELECTED); }

    std::unique_ptr<COwebookApp> m_app;
};
