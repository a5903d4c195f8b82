#pragma once
// Where the device lives on this machine: the folder that holds the store
// file and the device's \windows folder.

#include <string>

namespace platform {

// $OWEBOOK_HOME, else $XDG_DATA_HOME/owebook, else ~/.local/share/owebook.
// A relative $OWEBOOK_HOME is made absolute once, against the folder the
// process started in (or was in when it first set the variable), and the
// variable is set to that.
std::string DeviceHome();

// Creates the folder and any missing parents, new ones with mode 0700.
// On failure returns false and says why in `error`.
bool MakeFolder(const std::string& path, std::string& error);

// The file of the object store and registry inside the device folder.
std::string StoreFilePath();

}  // namespace platform
