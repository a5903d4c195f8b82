#include "owebook/res/ResourceTables.h"

void RegisterResources()
{
    RegisterStringTable();
    RegisterLongStrings();
    RegisterMainFrameResources();
    RegisterPictureResources();
    RegisterHelpFile();
    RegisterEditorResources();
}
