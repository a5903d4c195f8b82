// libFuzzer target: reading registry values that someone else stored, with
// any type, any bytes and any buffer size. Reads stay inside the caller's
// buffer, report sizes truthfully, and texts come back terminated.
#include "owebook/data/RegistryKey.h"
#include "platform/registry/Registry.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <ftw.h>
#include <memory>
#include <string>
#include <unistd.h>

namespace {

const WCHAR kKeyPath[] = u"Software\\Fuzz";
const WCHAR kName[] = u"Value";

void Check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

// The device folder lives on a memory file system when there is one, so
// that each durable write costs little.
std::string g_folder;

void RemoveFolder()
{
    nftw(g_folder.c_str(), [](const char* path, const struct stat*, int, FTW*) { return ::remove(path); }, 8,
         FTW_DEPTH | FTW_PHYS);
}

void SetUpDevice()
{
    if (!g_folder.empty())
        return;
    std::string base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    g_folder = base + "/owebook-fuzz-XXXXXX";
    if (!mkdtemp(g_folder.data()))
        std::abort();
    std::atexit(RemoveFolder);
    setenv("OWEBOOK_HOME", (g_folder + "/device").c_str(), 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    SetUpDevice();
    if (size < 3)
        return 0;
    const DWORD type = data[0] % 9;
    const DWORD bufferBytes = data[1] | ((data[2] & 0x0F) << 8);
    const BYTE* value = data + 3;
    const DWORD valueBytes = static_cast<DWORD>(size - 3);

    HKEY key = nullptr;
    Check(RegCreateKeyExW(HKEY_LOCAL_MACHINE, kKeyPath, 0, nullptr, 0, 0, nullptr, &key, nullptr) == ERROR_SUCCESS);
    Check(RegSetValueExW(key, kName, 0, type, valueBytes ? value : nullptr, valueBytes) == ERROR_SUCCESS);

    // The size alone, then into a buffer of exactly the chosen size.
    DWORD storedType = 0xFFFF;
    DWORD needed = 0;
    Check(RegQueryValueExW(key, kName, nullptr, &storedType, nullptr, &needed) == ERROR_SUCCESS);
    Check(needed == valueBytes && storedType == type);
    std::unique_ptr<BYTE[]> buffer(new BYTE[bufferBytes + 1]);
    DWORD got = bufferBytes;
    LONG status = RegQueryValueExW(key, kName, nullptr, nullptr, buffer.get(), &got);
    if (bufferBytes >= valueBytes)
        Check(status == ERROR_SUCCESS && got == valueBytes && std::memcmp(buffer.get(), value, valueBytes) == 0);
    else
        Check(status == ERROR_MORE_DATA && got == valueBytes);
    RegCloseKey(key);

    // The program's own reads of the same value.
    CRegistryKey reader(kKeyPath);
    std::unique_ptr<WCHAR[]> text(new WCHAR[bufferBytes / sizeof(WCHAR) + 1]);
    DWORD capacity = bufferBytes / sizeof(WCHAR);
    if (capacity > 0) {
        reader.GetString(kName, text.get(), capacity * sizeof(WCHAR), u"default");
        bool terminated = false;
        for (DWORD i = 0; i < capacity && !terminated; ++i)
            terminated = text[i] == 0;
        Check(terminated);
    }
    DWORD number = 0;
    reader.GetDword(kName, &number, 7);
    DWORD binaryBytes = bufferBytes;
    std::unique_ptr<BYTE[]> binary(new BYTE[bufferBytes + 1]);
    std::unique_ptr<BYTE[]> fallback(new BYTE[bufferBytes + 1]());
    reader.GetBinary(kName, binary.get(), &binaryBytes, fallback.get());
    Check(binaryBytes <= bufferBytes);
    return 0;
}
