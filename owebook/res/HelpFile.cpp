// The help file, Owebook.htm, compiled in from this folder and put into the
// device's \windows folder by the platform, where the help viewer finds it.

#include "owebook/res/ResourceTables.h"
#include "platform/system/devicefiles/DeviceFiles.h"

namespace embedded {
extern const unsigned char Owebook_htm[];
extern const std::size_t Owebook_htm_size;
}  // namespace embedded

void RegisterHelpFile() { platform::RegisterDeviceFile("Owebook.htm", embedded::Owebook_htm, embedded::Owebook_htm_size); }

namespace {
// The platform installs the device's files at start, before WinMain: register
// before main(). RegisterResources() calling RegisterHelpFile() is what links
// this file, and this line, into the program.
const bool registeredAtLoad = (RegisterHelpFile(), true);
}  // namespace
