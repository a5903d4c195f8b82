#include "owebook/res/PictureResources.h"

#include "owebook/app/AppIds.h"
#include "owebook/res/Resource.h"
#include "owebook/res/ResourceTables.h"
#include "platform/gdi/BitmapResources.h"

namespace embedded {
extern const unsigned char home_what_i_owe_bmp[], home_owed_to_me_bmp[], home_whats_due_bmp[],
    home_all_items_bmp[], about_logo_bmp[], reminder_clock_bmp[], rule_bmp[];
extern const std::size_t home_what_i_owe_bmp_size, home_owed_to_me_bmp_size, home_whats_due_bmp_size,
    home_all_items_bmp_size, about_logo_bmp_size, reminder_clock_bmp_size, rule_bmp_size;
}  // namespace embedded

std::span<const PictureResource> GetPictureResources()
{
    using namespace embedded;
    static const PictureResource pictures[] = {
        {IDB_HOME_WHAT_I_OWE, home_what_i_owe_bmp, home_what_i_owe_bmp_size},
        {IDB_HOME_OWED_TO_ME, home_owed_to_me_bmp, home_owed_to_me_bmp_size},
        {IDB_HOME_WHATS_DUE, home_whats_due_bmp, home_whats_due_bmp_size},
        {IDB_HOME_ALL_ITEMS, home_all_items_bmp, home_all_items_bmp_size},
        {IDB_ABOUT_LOGO, about_logo_bmp, about_logo_bmp_size},
        {IDB_REMINDER, reminder_clock_bmp, reminder_clock_bmp_size},
        {IDB_RULE, rule_bmp, rule_bmp_size},
    };
    return pictures;
}

void RegisterPictureResources()
{
    for (const PictureResource& picture : GetPictureResources())
        platform::RegisterBitmap(picture.nId, picture.pData, picture.nSize);
}
