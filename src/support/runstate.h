// The state that lives for the whole run of the program and that every layer reads: set up at
// start-up, held in one place.
#pragma once

#include <string>
#include <vector>

// An opaque window handle, so that the portable core can hold one (HWND on Windows).
using WindowHandle = void*;

extern std::string ProgramDir;       // folder of Wextor5.exe, with trailing backslash
extern std::string ShortProgramDir;  // the same in its 8.3 form, with trailing backslash
extern std::string ExchangeFilePath; // short form of DataFolder() + "tmpmfd.tmp"
// Where the files the program writes live (datafolders.h): the log, the exchange file, the
// lists and "Running.Flg" in DataDir (trailing backslash; empty until chosen, meaning
// ProgramDir), the settings in SettingsFile (the bare "Wextor5.INI" or a full path).
extern std::string DataDir;
extern std::string SettingsFile;
const std::string& DataFolder();                   // DataDir, or ProgramDir while none was chosen
extern std::string MfdDirectory;                   // the driver folder named by WIN.INI
extern std::string PgpMainExe;                     // full path of PGP's main program
extern std::vector<std::string> ActiveDriverFiles; // sorted, no duplicates
extern int ChooserIndex;                           // the chooser line the user took last
extern bool TrayClickBusy;
extern WindowHandle PgpCommandWindow; // PGPtray's window while a command is sent to it
extern int StepCode;                  // quoted by every error report

extern int TipNumber;              // index of the tip shown last
extern bool TipEnabled;            // tips shown automatically
extern std::string PgpProductName; // of the PGP program found at start-up
extern std::string PgpFileVersion;
extern const char* const ApplicationTitle; // "Wextor 5"
