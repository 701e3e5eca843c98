// The processing run: what it tells the user, and the tests it makes on PGP's output. The run
// itself, with its windows, is MainPGP in PGPMain_win.h.
#pragma once

#include "support/runstate.h"
#include "drivers/mfdfile.h"
#include "processing/opchoice.h"

#include <string>

struct ProcessingRun;

// What the run needs from the properties window.
class ProcessingHost {
  public:
    virtual ~ProcessingHost() = default;
    virtual void HidePropsWindow() = 0;
    // The window that owns the run's windows; nullptr for none.
    virtual WindowHandle ActiveForm() = 0;
    virtual const ProcessingSettingsView& Settings() = 0;
    // txtClipboardReceiver's text; its change handler (ReturnResultToMailer of the run) runs to
    // its end before this returns.
    virtual void SetClipboardReceiverText(ProcessingRun& run, const std::string& text) = 0;
};

extern const char* const AddKeySwitch; // "-AddKey"

constexpr unsigned PostWarningHelpContext = 9000;

std::string StaleCommandText();           // "A previous run of Wextor 5 appears to be active ..."
extern const char* const PostWarningText; // "You have opted to encrypt a message to a ..."

// The driver gave no window type and no body.
bool LacksMailData(const TMFDData& message);

// Received road: PGP's output holds a public key that is to be imported as well.
bool HoldsWrappedKey(bool ignoreWrappedKeys, const std::string& before, const std::string& after);

// Outgoing road: PGP changed the clipboard and left a PGP block there.
bool PgpLeftResult(const std::string& before, const std::string& after);

// The largest body a run takes: beyond it the clipboard round trip and the drivers take minutes
// (measured by bench/bigmessage.sh) while the program looks dead.
constexpr std::size_t MaxMessageBytes = std::size_t(16) << 20;
// Why the body cannot pass through the clipboard whole (a NUL byte, or over MaxMessageBytes);
// empty when it can.
std::string UnfitBodyText(const std::string& body);
// "This message is N bytes long; ..."
std::string TooLongText(unsigned long long bytes);
// How much of a long exchange file is read to find where its body starts.
constexpr std::size_t MaxHeaderBytes = std::size_t(64) << 10;
// The body's length from the file's size and its first bytes: a long file is judged before it
// is read whole. Without an empty line in the head the whole file counts.
unsigned long long BodyBytesOfFile(unsigned long long fileBytes, const std::string& head);

// Outgoing road: PGP left no result. "PGP failed to encrypt!!!" or "PGP failed to sign!!!".
std::string OutgoingFailureText(const std::string& pgpSwitch);

// The exchange file of an earlier run is there and cannot be removed.
std::string StaleExchangeText(const std::string& path);

// Logged when a trigger comes while a run is in progress.
extern const char* const RunRefusedLogLine; // "Run refused: a run is in progress"

// The exchange file the result return hands the driver: the text as body, all else cleared.
TMFDData ResultMessage(const std::string& text);
