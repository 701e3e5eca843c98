// The chooser of running mail clients: which line it selects, and what a choice sets.
#pragma once

#include "drivers/mailerrun.h"

constexpr unsigned ChooserHelpContext = 9002;

extern const char* const ChooserCaption; // "These mailers are running right now - choose one"

// The line selected when the chooser shows: ChooserIndex, or line 0 when it lies past the last
// line; -1 (none) for a negative ChooserIndex or an empty list.
int ChooserPreselection(int chooserIndex, int lineCount);

// The user chose line index of the run's chooser lines: ChooserIndex and the run's CurrentDriver
// follow it. False, and nothing changed, when no such line exists.
bool ChooseMailerLine(MailerRun& run, int index);
