#include "owebook/res/StringTable.h"

#include "owebook/res/Resource.h"

#include <iterator>

namespace {

const StringTableEntry g_strings[] = {
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
};

// Name, is-money, active; each line ends with CR LF, the text with a zero byte.
const char g_defaultCategories[] =
    "CDs,FALSE,TRUE\r\n"
    "Books,FALSE,TRUE\r\n"
    "Loans,TRUE,TRUE\r\n"
    "Payments,TRUE,TRUE\r\n"
    "Misc,FALSE,TRUE\r\n";

const CustomResource g_custom[] = {
    {u"LONGSTRING", IDR_DEFAULT_CATEGORIES, reinterpret_cast<const BYTE*>(g_defaultCategories),
     sizeof g_defaultCategories},
};

}  // namespace

const StringTableEntry* GetStringTable(std::size_t& count)
{
    count = std::size(g_strings);
    return g_strings;
}

const CustomResource* GetCustomResources(std::size_t& count)
{
    count = std::size(g_custom);
    return g_custom;
}
