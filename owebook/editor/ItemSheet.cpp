#include "owebook/editor/ItemSheet.h"

#include "owebook/editor/DatesPage.h"
#include "owebook/editor/EditorIds.h"
#include "owebook/editor/GeneralPage.h"
#include "platform/ui/controls/propsheet/CPropertySheet.h"

int RunItemSheet(CWnd* pParent, CItemRecord& item, COwebookDoc& doc, BOOL bNewItem, BOOL& bCategoriesEdited)
{
    CPropertySheet sheet(IDS_EDITOR_CAPTION, pParent, 0);
    CGeneralPage general(item, doc, bNewItem);
    CDatesPage dates(item, doc);
    sheet.AddPage(&general);
    sheet.AddPage(&dates);
    const INT_PTR result = sheet.DoModal();
    bCategoriesEdited = general.m_bCategoriesEdited;
    return static_cast<int>(result);
}
