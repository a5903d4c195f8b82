#include "owebook/res/ResourceTables.h"

void RegisterResources()
{
    RegisterStringTable();
    RegisterLongStrings();
    RegisterMainFrameResources();
    RegisterPictureResources();
    RegisterHomeResources();
    RegisterHelpFile();
    RegisterViewResources();
    RegisterReminderResources();
    RegisterEditorResources();
}
