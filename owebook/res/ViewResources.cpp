// Texts of the item views: the mode titles, the totals line and the editor's caption.

#include "owebook/res/Resource.h"
#include "owebook/res/ResourceTables.h"
#include "platform/ui/ResourceRegistry.h"

void RegisterViewResources()
{
    platform::RegisterStrings({
        {IDS_TITLE_FIRST + 0, u"All Items"},
        {IDS_TITLE_FIRST + 1, u"What I Owe"},
        {IDS_TITLE_FIRST + 2, u"What's owed to me"},
        {IDS_TITLE_FIRST + 3, u"What's Due"},
        {IDS_VIEW_NEW_ITEM, u"Create new item"},
        {IDS_DETAILS, u"Details"},
        {IDS_TOTAL_CHOOSE, u"Total: Choose a category(top-right)"},
        {IDS_TOTAL_FORMAT, u"Total: IOU - UOMe = %7.2f"},
    });
}
