// The decision what PGP is asked to do with a message that a driver has read.
#pragma once

#include "common/mfdexchange.h"

#include <string>
#include <vector>

// The settings the decision reads, as the properties window currently shows them (unsaved
// changes included). Mode indexes are radio items: 0 Encrypt, 1 Sign, 2 Encrypt and Sign,
// -1 none selected.
class ProcessingSettingsView {
  public:
    virtual ~ProcessingSettingsView() = default;
    virtual int RoutineModeIndex() const = 0;   // optProcessing
    virtual int SpecialModeIndex() const = 0;   // optOutward
    virtual bool ForceKeyRead() const = 0;      // chkForceKeyRead, counts in special runs only
    virtual bool IgnoreWrappedKeys() const = 0; // chkIgnoreWrappedKeys
    virtual const std::vector<std::string>& MailingListAddresses() const = 0;
};

// Settings held as plain values, for callers that have no window.
struct ProcessingSettings : ProcessingSettingsView {
    int routineMode = -1;
    int specialMode = -1;
    bool forceKeyRead = false;
    bool ignoreWrappedKeys = false;
    std::vector<std::string> mailingList;

    int RoutineModeIndex() const override { return routineMode; }
    int SpecialModeIndex() const override { return specialMode; }
    bool ForceKeyRead() const override { return forceKeyRead; }
    bool IgnoreWrappedKeys() const override { return ignoreWrappedKeys; }
    const std::vector<std::string>& MailingListAddresses() const override { return mailingList; }
};

struct PgpChoice {
    std::string pgpSwitch;    // "-AutoEncrypt", ..., "-AddKey", or empty
    bool read = false;        // received text: decrypt and verify, or import a key
    bool postWarning = false; // the user must confirm encrypting a posting
};

// 0 "-AutoEncrypt", 1 "-AutoSign", 2 "-AutoEncryptSign"; any other index leaves pgpSwitch as it is.
void ModeSwitch(int modeIndex, std::string& pgpSwitch);

// True when a token of To and Cc (split at blanks, commas and semicolons) equals a whole entry
// of the list, without regard to ASCII case. Bcc is not looked at.
bool IsMailingListAddress(const std::string& to, const std::string& cc,
                          const std::vector<std::string>& mailingList);

// Decides the PGP operation for a message. The body of a received message is unindented here,
// and that body is the one to hand to PGP. Moves StepCode through 5507, 5508 and 5509.
PgpChoice ChoosePgpSwitch(TMFDData& message, bool routine, const ProcessingSettingsView& settings);
