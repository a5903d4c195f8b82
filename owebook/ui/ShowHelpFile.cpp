#include "owebook/ui/ShowHelpFile.h"

#include "platform/system/ProcessStart.h"

BOOL ShowHelpFile(LPCWSTR lpszHelpFile)
{
    return ::CreateProcessW(u"PegHelp.exe", lpszHelpFile, nullptr, nullptr, FALSE, 0, nullptr, nullptr, nullptr,
                            nullptr);
}
