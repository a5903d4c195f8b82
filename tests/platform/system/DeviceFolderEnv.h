#pragma once
// A fresh device folder for a test: OWEBOOK_HOME points into a new temporary
// folder, which is removed afterwards; the earlier value comes back.

#include <cstdlib>
#include <fstream>
#include <ftw.h>
#include <iterator>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

class DeviceFolderEnv {
public:
    DeviceFolderEnv()
    {
        char pattern[] = "/tmp/owebook-devicefiles-XXXXXX";
        const char* made = mkdtemp(pattern);
        m_root = made ? made : "/tmp/owebook-devicefiles-failed";
        if (const char* old = std::getenv("OWEBOOK_HOME"))
            m_saved = old;
        setenv("OWEBOOK_HOME", Home().c_str(), 1);
    }
    ~DeviceFolderEnv()
    {
        if (m_saved)
            setenv("OWEBOOK_HOME", m_saved->c_str(), 1);
        else
            unsetenv("OWEBOOK_HOME");
        chmod(Windows().c_str(), 0700);
        nftw(m_root.c_str(), [](const char* path, const struct stat*, int, FTW*) { return ::remove(path); }, 16,
             FTW_DEPTH | FTW_PHYS);
    }

    const std::string& Root() const { return m_root; }
    std::string Home() const { return m_root + "/device"; }
    std::string Windows() const { return Home() + "/windows"; }

private:
    std::string m_root;
    std::optional<std::string> m_saved;
};

// The bytes of a plain file; empty for anything else.
inline std::string ReadBytes(const std::string& path)
{
    struct stat st {};
    if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return {};
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}
