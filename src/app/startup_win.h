// The program's life: the properties window's start-up sequence, Timer1 and the message loop.
#pragma once

#include "app/props_win.h"

// The start-up steps run once the properties window exists (StepCode 4400 to 4409).
void FormCreate(TfrmProps& form);
// Every 6000 ms: "Installer.Flg" ends the program; once a day the log is trimmed and a tip
// shown.
void Timer1Timer(TfrmProps& form);
// Fills the window's actions with the program's own operations.
PropsActions ProgramActions(TfrmProps*& form);
// Runs the message loop until WM_QUIT; every message passes the window's key preview first.
int RunMessageLoop(TfrmProps& form);
