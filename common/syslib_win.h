// Libraries from System32 only. A program started from Downloads would otherwise load a DLL of
// the same name lying beside it (or in the current folder) in place of Windows' own.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// At the very start of each program: later loads search System32 only, and never the current
// folder. Windows without SetDefaultDllDirectories (7 without its update) still loses the
// current folder.
void UseSafeLibrarySearch();

// The library of that name in System32, by its full path; nullptr when it cannot be loaded.
HMODULE LoadSystemLibrary(const wchar_t* name);

// A file's version resource, through version.dll taken from System32 (an imported version.dll
// is looked for beside the program before anything is set). False when there is none.
bool ReadVersionResource(const std::wstring& file, std::vector<char>& info);
// VerQueryValueW on such a resource; false when the value is missing.
bool QueryVersionValue(const std::vector<char>& info, const std::wstring& subBlock, void** value,
                       UINT* length);
