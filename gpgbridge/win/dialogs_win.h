// The bridge's windows: recipients, decrypted text, key lists and preferences.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "keylist.h"
#include "settings.h"

struct RecipientChoice {
    std::vector<std::string> keyIds; // the checked keys
    bool toSelf = false;
};

// The keys GnuPG can encrypt to, with a filter; the last choice comes checked. False on Cancel.
bool ChooseRecipients(HWND owner, const std::vector<GpgKey>& keys, const BridgeSettings& settings,
                      RecipientChoice& choice);
// The plain text and who signed it.
void ShowDecrypted(HWND owner, const std::string& signature, const std::string& plain);
// A list of keys with a prompt; with a Cancel button when it asks (import), returning the answer.
bool ShowKeyList(HWND owner, const std::string& caption, const std::string& prompt,
                 const std::vector<GpgKey>& keys, bool asks);
// The settings; false on Cancel. foundGpg is what the search found, shown to the user.
bool EditPreferences(HWND owner, BridgeSettings& settings, const std::vector<GpgKey>& secretKeys,
                     const std::string& foundGpg);
