#pragma once
// Files of the device's \windows folder (<device>/windows): the sounds and
// help files that the platform and the program bring with them. Both
// register their files here; at start the platform puts them in place.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct DeviceFile {
    std::string name;               // a plain file name: "Help.htm"
    const unsigned char* data;      // not copied: data compiled into the program
    std::size_t size;
};

// Registers a file for the device's \windows folder. Registering a name
// again (letter case aside) replaces the earlier file. Refuses names that are
// empty, hidden (a leading dot) or hold a slash or a zero character, and the
// names of the platform's own files.
bool RegisterDeviceFile(std::string_view name, const unsigned char* data, std::size_t size);

// The platform's own files (the alarm sound alarm2.WAV), then the registered ones.
std::vector<DeviceFile> DeviceFiles();

// Puts every device file into <device>/windows, creating the folder (0700)
// when it is missing; each file is written 0600 through a temporary file and
// a rename. See DeviceFiles.cpp for when an existing file is replaced. False,
// with the first failure in `why`, when any file could not be put in place.
bool InstallDeviceFiles(std::string* why = nullptr);

// The program's start: InstallDeviceFiles, a failure told in one line on
// stderr; the program goes on either way.
void InstallDeviceFilesAtStart();

}  // namespace platform
