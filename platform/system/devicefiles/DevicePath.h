#pragma once
// The device's paths on this machine: "\windows\alarm2.WAV" is
// <device>/windows/alarm2.WAV. The handheld's file names ignore letter case,
// so each part matches an existing entry of any case.

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// <device>/windows, where DeviceHome() says the device is.
std::string DeviceWindowsFolder();

// The name of the entry of `folder` that is `name` regardless of letter case:
// `name` itself when it exists or nothing matches, else the first match in
// name order.
std::string FindEntryIgnoringCase(const std::string& folder, const std::string& name);

// The host path of a device path that starts with a backslash; nothing for
// any other path and for parts that could leave the device ("..", ".", a
// slash, a zero character).
std::optional<std::string> HostPathForDevicePath(std::u16string_view devicePath);

}  // namespace platform
