// The executable's entry: answers --help, --version and the commands on the
// ledger's file without starting anything, refuses politely where there is
// no display, then hands over to the platform, which calls WinMain.

#include "owebook/app/BackupCommands.h"
#include "platform/framework/DisplayCheck.h"
#include "platform/framework/WinMain.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#ifndef OWEBOOK_VERSION
#define OWEBOOK_VERSION "unknown"
#endif

namespace {

bool Is(const char* arg, const char* a, const char* b = nullptr)
{
    return std::strcmp(arg, a) == 0 || (b && std::strcmp(arg, b) == 0);
}

void PrintHelp()
{
    std::printf(
        "Usage: owebook [AppRunAtTime | AppRunAfterSync] [Qt options]\n"
        "       owebook --backup FILE | --restore FILE | --export-csv FILE\n"
        "Owebook, a personal debt ledger: what you owe and what is owed to you.\n"
        "\n"
        "Only one instance runs; a second launch brings it to the front and ends.\n"
        "  AppRunAtTime      show the reminder that is due (used by the reminder timer)\n"
        "  AppRunAfterSync   start after a synchronisation\n"
        "  -platform NAME    Qt's platform plug-in, e.g. 'vnc' where there is no display\n"
        "  --backup FILE     copy the ledger to FILE, also while Owebook runs\n"
        "  --restore FILE    put a backup in the ledger's place, keeping the old one\n"
        "                    as a dated .bak file; only while Owebook is not running\n"
        "  --export-csv FILE write every item as comma-separated text (- for stdout)\n"
        "  --help            show this text and exit\n"
        "  --version         show the version and exit\n"
        "\n"
        "Environment:\n"
        "  OWEBOOK_HOME      the device folder (default $XDG_DATA_HOME/owebook); its\n"
        "                    backups/ holds a daily backup of the last seven days\n"
        "  OWEBOOK_SCALE     how much the 240x320 screen is enlarged, 1 to 8 (default 2)\n");
}

}  // namespace

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (Is(argv[i], "--help", "-h")) {
            PrintHelp();
            return 0;
        }
        if (Is(argv[i], "--version")) {
            std::printf("owebook %s\n", OWEBOOK_VERSION);
            return 0;
        }
    }
    int nExitCode = 0;
    if (RunBackupCommand(argc, argv, nExitCode))
        return nExitCode;
    std::string why;
    if (!platform::DisplayReachable(argc, argv, why)) {
        std::fprintf(stderr, "owebook: %s; to run without one, start it as: owebook -platform vnc\n",
                     why.c_str());
        return 2;
    }
    return platform::RunMain(argc, argv);
}
