#pragma once
// Single-byte text <-> UTF-16. The handheld's ANSI code page is Windows-1252.

#include "platform/core/Types.h"

constexpr UINT CP_ACP = 0;
constexpr UINT CP_OEMCP = 1;
constexpr UINT CP_UTF8 = 65001;

// As the platform's: a length of -1 takes the text up to and with its zero;
// an output size of 0 asks for the size needed. 0 on failure, with
// GetLastError ERROR_INVALID_PARAMETER or ERROR_INSUFFICIENT_BUFFER.
// Code pages: CP_ACP, CP_OEMCP and 1252 (all Windows-1252), CP_UTF8.
// Characters 1252 cannot hold become the default character ('?' unless given).
int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR src, int srcLength, LPWSTR dest, int destLength);
int WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR src, int srcLength, LPSTR dest, int destLength,
                        LPCSTR defaultChar, BOOL* usedDefaultChar);
