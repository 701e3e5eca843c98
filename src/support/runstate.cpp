#include "support/runstate.h"

std::string ProgramDir;
std::string ShortProgramDir;
std::string ExchangeFilePath;
std::string DataDir;
std::string SettingsFile = "Wextor5.INI";
std::string MfdDirectory;
std::string PgpMainExe;
std::vector<std::string> ActiveDriverFiles;
int ChooserIndex = 0;
bool TrayClickBusy = false;
WindowHandle PgpCommandWindow = nullptr;
int StepCode = 0;

int TipNumber = 0;
bool TipEnabled = true;
std::string PgpProductName;
std::string PgpFileVersion;
const char* const ApplicationTitle = "Wextor 5";

const std::string& DataFolder() {
    return DataDir.empty() ? ProgramDir : DataDir;
}
