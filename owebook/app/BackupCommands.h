#pragma once
// The commands that work on the ledger's file without opening a window:
// --backup FILE, --restore FILE and --export-csv FILE (- for standard
// output). Each ends the process: 0 when done, 1 after one line on stderr.

#include "platform/core/Types.h"

// TRUE when the arguments hold one of the commands; it has then run and
// `nExitCode` is what the process returns.
BOOL RunBackupCommand(int argc, char** argv, int& nExitCode);

BOOL BackupLedger(const char* file);
// Refused while an instance of the program runs.
BOOL RestoreLedger(const char* file);
BOOL ExportLedgerCsv(const char* file);
