// Where Gpg4win is on this machine, as the registry and the environment say.
#pragma once
#include "settings.h"

// subkey: "Software\\GnuPG" (gpg) or "Software\\Gpg4win" (Kleopatra).
Gpg4winPlaces FindGpg4winPlaces(const wchar_t* subkey);
