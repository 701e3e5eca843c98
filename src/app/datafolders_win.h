// The Windows side of datafolders.h: what this Windows lets the user write, the per-user
// folders, and the one-time copy of the user's old files.
#pragma once

#include "app/datafolders.h"

#include <string>

// Sets DataDir and SettingsFile, makes the per-user folders they need and carries the old
// files over. Called once at start-up, after ProgramDir is known and before anything is logged.
void SetUpDataPlaces();

// True when a file can be made in the folder (trailing backslash): a real try, since only the
// file system knows the user's rights, and Windows tells no truth about them beforehand.
bool FolderTakesWrites(const std::string& folder);

// The folder as drivers get it on their unquoted command line: its short (8.3) form where it has
// one, else the folder itself.
std::string HandedOnFolder(const std::string& folder);

// %ProgramData%\Wextor 5\<the user's SID>\, made for this user alone; "" when it cannot be made
// or someone else made it first.
std::string SharedExchangeFolder();

// Where this user's exchange file lives, chosen after SetUpDataPlaces.
ExchangePlace ExchangePlaceOfThisUser();
