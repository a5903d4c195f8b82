#include "owebook/res/Resource.h"
#include "owebook/res/ResourceTables.h"
#include "platform/ui/ResourceRegistry.h"

namespace {

// Name, is-money, active; every line ends with CR LF, the text with a zero byte.
const char DEFAULT_CATEGORIES[] =
    "CDs,FALSE,TRUE\r\n"
    "Books,FALSE,TRUE\r\n"
    "Loans,TRUE,TRUE\r\n"
    "Payments,TRUE,TRUE\r\n"
    "Misc,FALSE,TRUE\r\n";

}  // namespace

void RegisterLongStrings()
{
    platform::RegisterCustomResource(u"LONGSTRING", IDR_DEFAULT_CATEGORIES, DEFAULT_CATEGORIES,
                                     sizeof DEFAULT_CATEGORIES);
}
