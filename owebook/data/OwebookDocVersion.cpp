// The version stamp: written on a first start, compared on every other.

#include "owebook/data/OwebookDoc.h"

namespace {
constexpr DWORD VERSION_MAJOR = 1;
constexpr DWORD VERSION_MINOR = 0;
constexpr DWORD VERSION_BUG = 0;
constexpr DWORD VERSION_BUILD = 1;
const BYTE VERSION_LETTER[2] = {0x20, 0x20};
}  // namespace

void COwebookDoc::CheckVersion()
{
    DWORD major = 0, minor = 0, bug = 0;
    if (m_regVersion.GetDword(u"Major", &major, 0)) {
        m_regVersion.GetDword(u"Minor", &minor, 0);
        m_regVersion.GetDword(u"Bug", &bug, 0);
    }
    if (major == 0)
        WriteVersion();
    else if (major > VERSION_MAJOR || minor > VERSION_MINOR || bug > VERSION_BUG)
        OnNewerVersion();
}

void COwebookDoc::WriteVersion()
{
    // All five or none: once "Major" is there, a missing value is never written.
    CCeDBTransaction stamp;
    m_regVersion.SetDword(u"Major", VERSION_MAJOR);
    m_regVersion.SetDword(u"Minor", VERSION_MINOR);
    m_regVersion.SetDword(u"Bug", VERSION_BUG);
    m_regVersion.SetBinary(u"Letter", VERSION_LETTER, sizeof VERSION_LETTER);
    m_regVersion.SetDword(u"Build", VERSION_BUILD);
    if (IsVersionStamped())
        stamp.Commit();
}

// The setters do not say whether a value was written; reading them back does.
BOOL COwebookDoc::IsVersionStamped()
{
    DWORD value = 0;
    BYTE letter[sizeof VERSION_LETTER] = {};
    DWORD size = sizeof letter;
    return m_regVersion.GetDword(u"Major", &value, 0) && value == VERSION_MAJOR &&
           m_regVersion.GetDword(u"Minor", &value, 0) && m_regVersion.GetDword(u"Bug", &value, 0) &&
           m_regVersion.GetDword(u"Build", &value, 0) &&
           m_regVersion.GetBinary(u"Letter", letter, &size, nullptr) && size == sizeof letter;
}

// Data written by a newer version is used as it is.
void COwebookDoc::OnNewerVersion() {}
