// Throughput of the message-processing core on large exchange files, next to memcpy of the same
// size in the same run, and the growth of ReplaceAll's time with the text.
#include "processing/armour.h"
#include "drivers/mfdfile.h"
#include "processing/opchoice.h"
#include "support/replace.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

volatile std::size_t sink; // keeps results alive

// Best of `repeats` runs, in seconds.
double BestTime(int repeats, const std::function<void()>& work) {
    double best = 1e30;
    for (int i = 0; i < repeats; ++i) {
        const auto start = Clock::now();
        work();
        best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
    }
    return best;
}

// An exchange file of about `size` bytes whose body holds `armourLines` begin and end lines
// indented by one blank, spread evenly among ordinary lines.
std::string ExchangeFile(std::size_t size, int armourLines) {
    std::string text = "MFD-Protocol-Version: 1\r\nWrap-Column: 72\r\nWtype: 8\r\n"
                       "Information: Benchmark driver\r\nTo: someone@example.com, "
                       "friend@example.net\r\nCc: list@example.org\r\nSubject: Big\r\n"
                       "Command: 0\r\nLacking: 0\r\nMFD-State: \r\nDefault-Mail-Domain: \r\n\r\n";
    const std::string filler = "This is an ordinary line of the message body, nothing in it.\r\n";
    const std::size_t armourBytes = static_cast<std::size_t>(armourLines) * 28;
    const std::size_t fillerLines = (size - std::min(size, armourBytes)) / filler.size();
    const std::size_t every = std::max<std::size_t>(1, fillerLines / armourLines);
    int armour = 0;
    for (std::size_t line = 0; text.size() < size || armour < armourLines; ++line) {
        if (armour < armourLines && line % every == 0) {
            text += armour % 2 == 0 ? " -----BEGIN PGP MESSAGE-----\r\n"
                                    : " -----END PGP MESSAGE-----\r\n";
            ++armour;
        }
        text += filler;
    }
    return text;
}

struct Figures {
    double seconds;
    double mbPerSecond;
};

Figures Measure(std::size_t bytes, int repeats, const std::function<void()>& work) {
    const double t = BestTime(repeats, work);
    return {t, bytes / 1e6 / t};
}

const std::vector<std::string> kMailingList = {"List@Example.org",
                                               "news@example.com",
                                               "announce@lists.example.net",
                                               "<group@host>",
                                               "a@b.c",
                                               "d@e.f",
                                               "g@h.i",
                                               "j@k.l"};

// What a processing run does with a received message: read it, then choose the operation,
// which unindents the body, classifies its armour and matches To and Cc against the list.
void Pipeline(const std::string& text, const ProcessingSettings& settings) {
    TMFDData m;
    ParseMfdText(text, m);
    const PgpChoice choice = ChoosePgpSwitch(m, true, settings);
    sink = m.Body.size() + choice.pgpSwitch.size();
}

bool Report(const char* what, bool ok) {
    std::printf("  %-52s %s\n", what, ok ? "met" : "MISSED");
    return ok;
}

} // namespace

int main() {
    std::printf("message-processing core: parse + unindent + classify + mailing-list match\n");
    std::printf("%-8s %12s %10s %12s %10s %10s\n", "size", "core ms", "core MB/s", "memcpy ms",
                "memcpy MB/s", "ratio");
    bool ok = true;
    ProcessingSettings settings;
    settings.routineMode = 2;
    settings.mailingList = kMailingList;
    double coreSeconds[2] = {0, 0};
    const std::size_t sizes[2] = {1000 * 1000, 10 * 1000 * 1000};
    for (int i = 0; i < 2; ++i) {
        const std::string text = ExchangeFile(sizes[i], 10000);
        { // results must be those of the unindented armour
            TMFDData m;
            ParseMfdText(text, m);
            const ArmourFlags before = ClassifyArmour(m.Body);
            const ArmourFlags after = ClassifyArmour(UnindentArmour(m.Body));
            if (before.AnyBlock || !after.MessageBlock ||
                !IsMailingListAddress(m.To, m.Cc, kMailingList) ||
                ChoosePgpSwitch(m, true, settings).pgpSwitch != "-AutoDecryptVerify") {
                std::printf("unexpected results on the benchmark text\n");
                return 1;
            }
        }
        const int repeats = i == 0 ? 200 : 20;
        const Figures core = Measure(text.size(), repeats, [&] { Pipeline(text, settings); });
        std::vector<char> copy(text.size());
        const Figures mem = Measure(text.size(), repeats * 4, [&] {
            std::memcpy(copy.data(), text.data(), text.size());
            sink = static_cast<unsigned char>(copy[copy.size() / 2]);
        });
        coreSeconds[i] = core.seconds;
        std::printf("%5.1f MB %12.3f %10.0f %12.3f %10.0f %10.3f\n", text.size() / 1e6,
                    core.seconds * 1e3, core.mbPerSecond, mem.seconds * 1e3, mem.mbPerSecond,
                    core.mbPerSecond / mem.mbPerSecond);
        ok &=
            Report(i == 0 ? "1 MB: >= 1000 MB/s" : "10 MB: >= 1000 MB/s", core.mbPerSecond >= 1000);
        ok &= Report(i == 0 ? "1 MB: >= 0.1 x memcpy" : "10 MB: >= 0.1 x memcpy",
                     core.mbPerSecond >= 0.1 * mem.mbPerSecond);

        // The stages one by one, for where the time goes.
        TMFDData m;
        ParseMfdText(text, m);
        const std::string unindented = UnindentArmour(m.Body);
        const Figures parse = Measure(text.size(), repeats, [&] {
            TMFDData r;
            ParseMfdText(text, r);
            sink = r.Body.size();
        });
        const Figures unindent =
            Measure(text.size(), repeats, [&] { sink = UnindentArmour(m.Body).size(); });
        const Figures match = Measure(
            text.size(), repeats, [&] { sink = IsMailingListAddress(m.To, m.Cc, kMailingList); });
        const Figures classify =
            Measure(text.size(), repeats, [&] { sink = ClassifyArmour(unindented).AnyBlock; });
        std::printf("         stages ms: parse %.3f, unindent (copying) %.3f, classify %.3f, "
                    "match %.4f\n",
                    parse.seconds * 1e3, unindent.seconds * 1e3, classify.seconds * 1e3,
                    match.seconds * 1e3);
    }
    const double growth = coreSeconds[1] / coreSeconds[0];
    std::printf("10 MB / 1 MB time ratio: %.2f\n", growth);
    ok &= Report("10 MB / 1 MB time ratio <= 11", growth <= 11);

    // A file without an empty line is all header, so every key is searched in all of it.
    std::string lfOnly = "To: a\nSubject: b\n";
    while (lfOnly.size() < 10 * 1000 * 1000)
        lfOnly += "an LF-only line of a broken exchange file\n";
    const Figures header = Measure(lfOnly.size(), 5, [&] {
        TMFDData r;
        ParseMfdText(lfOnly, r);
        sink = r.To.size();
    });
    std::printf("parse of a 10 MB LF-only file (all header): %.1f ms, %.0f MB/s\n",
                header.seconds * 1e3, header.mbPerSecond);

    // ReplaceAll with 10,000 and 100,000 replacements: linear means a ratio near 10.
    std::printf("ReplaceAll of LF + indented begin line:\n");
    double replaceSeconds[2] = {0, 0};
    for (int i = 0; i < 2; ++i) {
        const std::string text = ExchangeFile(sizes[i], 10000 * (i == 0 ? 1 : 10));
        replaceSeconds[i] = BestTime(i == 0 ? 20 : 4, [&] {
            sink = ReplaceAll("\n -----BEGIN PGP ", text, "\n-----BEGIN PGP ").size();
        });
        std::printf("  %5.1f MB, %6d replacements: %8.2f ms, %6.0f MB/s\n", text.size() / 1e6,
                    10000 * (i == 0 ? 1 : 10) / 2, replaceSeconds[i] * 1e3,
                    text.size() / 1e6 / replaceSeconds[i]);
    }
    const double replaceGrowth = replaceSeconds[1] / replaceSeconds[0];
    std::printf("  10x text and replacements: time x %.2f\n", replaceGrowth);
    ok &= Report("ReplaceAll not quadratic (time ratio <= 15)", replaceGrowth <= 15);
    std::printf("%s\n", ok ? "all targets met" : "TARGETS MISSED");
    return ok ? 0 : 1;
}
