// The keys road and Windows' clipboard history: the target program copies the message itself,
// without the formats that keep it out of the history (Win+V) and the cloud sync. When either
// is on, the user is asked once whether such windows may still be served that way; the answer
// is kept in HKCU\Software\Wextor 5\Driver pack, value KeysWithClipboardHistory (DWORD: 1 go
// on, 0 keep the keys road off).
#pragma once

namespace mfdpack {

extern const wchar_t* const DriverPackKey;   // L"Software\\Wextor 5\\Driver pack"
extern const wchar_t* const KeysChoiceValue; // L"KeysWithClipboardHistory"

// Whether the keys road may be used now; asks (a box titled caption, UTF-8) when it must.
bool KeysRoadAllowed(const char* caption);

} // namespace mfdpack
