#include "owebook/res/Resource.h"
#include "owebook/res/ResourceTables.h"
#include "platform/ui/ResourceRegistry.h"

void RegisterStringTable()
{
    platform::RegisterStrings({
        {IDS_ALL_MONEY, u"All Money"},
        {IDS_FIELD_TYPE, u"Type"},
        {IDS_FIELD_CATEGORY, u"Category"},
        {IDS_FIELD_NAME, u"Name"},
        {IDS_FIELD_RETURNED, u"Returned"},
        {IDS_FIELD_DUE, u"Due"},
        {IDS_FIELD_AMOUNT, u"Amount"},
        {IDS_FIELD_DESCRIPTION, u"Description"},
        {IDS_IOU, u"IOU"},
        {IDS_UOME, u"UOMe"},
        {IDS_NO_CATEGORY, u"No Category"},
        {IDS_ALL_CATEGORIES, u"All Categories"},
    });
}
