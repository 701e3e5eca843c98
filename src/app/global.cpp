#include "app/global.h"

std::string ProgramDir;
std::string ShortProgramDir;
std::string ExchangeFilePath;
std::string MfdDirectory;
std::string PgpMainExe;
std::string CurrentDriver;
std::vector<std::string> ActiveDriverFiles;
int ChooserIndex = 0;
bool TrayClickBusy = false;
WindowHandle PgpCommandWindow = nullptr;
int StepCode = 0;
