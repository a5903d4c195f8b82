#pragma once
// The classic resource functions over the program's registered resources
// (platform/ui/ResourceRegistry.h). There is one module: every instance handle
// names the program itself.

#include "platform/ui/WinUser.h"

HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();

// Custom resources: FindResource(h, MAKEINTRESOURCE(166), L"LONGSTRING").
HRSRC FindResource(HMODULE hModule, LPCWSTR lpName, LPCWSTR lpType);
HGLOBAL LoadResource(HMODULE hModule, HRSRC hResInfo);
LPVOID LockResource(HGLOBAL hResData);   // valid for the life of the process
DWORD SizeofResource(HMODULE hModule, HRSRC hResInfo);

// Copies at most nBufferMax - 1 characters and a terminating zero; the number
// copied, 0 when the string does not exist.
int LoadString(HINSTANCE hInstance, UINT uID, LPWSTR lpBuffer, int nBufferMax);
HBITMAP LoadBitmap(HINSTANCE hInstance, LPCWSTR lpBitmapName);

inline HRSRC FindResourceW(HMODULE h, LPCWSTR n, LPCWSTR t) { return FindResource(h, n, t); }
inline int LoadStringW(HINSTANCE h, UINT id, LPWSTR b, int n) { return LoadString(h, id, b, n); }
