// The Windows side of datafolders.h: what this Windows lets the user write, the per-user
// folders, and the one-time copy of the user's old files.
#pragma once

#include <string>

// Sets DataDir and SettingsFile, makes the per-user folders they need and carries the old
// files over. Called once at start-up, after ProgramDir is known and before anything is logged.
void SetUpDataPlaces();

// True when a file can be made in the folder (trailing backslash): a real try, since only the
// file system knows the user's rights, and Windows tells no truth about them beforehand.
bool FolderTakesWrites(const std::string& folder);

// "tmpmfd.tmp" in the folder, by the folder's short (8.3) form where it has one: drivers get
// the path on a command line that is never quoted.
std::string ExchangeFileFor(const std::string& folder);
