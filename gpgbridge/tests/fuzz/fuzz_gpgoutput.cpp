// Everything the bridge reads from gpg (key lists, status files, log files) through the parsers
// and judges, which must neither crash nor contradict themselves on any input.
#include "keylist.h"
#include "status.h"
#include "text.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void Check(bool ok) {
    if (!ok)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);

    for (const GpgKey& key : ParseKeyList(text)) {
        Check(key.userIds.empty() ? key.userId.empty() : key.userId == key.userIds.front());
        Check(KeyMatchesFilter(key, ""));
        Check(!IsFullyValid(key.validity) || IsUsable(key));
        Check(!ValidityText(key.validity).empty());
    }
    Check(UnescapeColonField(text).size() <= text.size());

    const std::vector<StatusLine> status = ParseStatus(text);
    for (const StatusLine& line : status)
        Check(!line.keyword.empty() && line.keyword.find(' ') == std::string::npos);
    for (const Outcome& outcome : {JudgeEncrypt(status), JudgeSign(status)})
        Check(outcome.ok == outcome.problem.empty());
    const DecryptReport report = JudgeDecrypt(status);
    Check(report.ok == report.problem.empty());
    Check(report.ok || report.encrypted || report.signature == SignatureState::None);
    Check(!SignatureText(report).empty());
    const ImportReport import = JudgeImport(status);
    Check(import.ok == import.problem.empty());
    Check(!import.ok || import.considered > 0);
    Check(ImportText(import).back() == '.');

    const std::string messages = GpgMessages(text);
    Check(messages.size() <= text.size());
    Check(messages.find("\n\n") == std::string::npos);
    Check(FailureText("decrypt the text", "x", text).find('\n') == std::string::npos ||
          !messages.empty());
    return 0;
}
