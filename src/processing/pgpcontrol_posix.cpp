#include "processing/pgpcontrol.h"

#include "support/platform.h"

namespace {
// Natively there is no PGP: no window appears and no program starts. Tests put their own
// platform in place.
class NoPgp : public PgpPlatform {
  public:
    WindowHandle FindTrayWindow() override { return nullptr; }
    unsigned StartProgram(const std::string&) override { return 2; }
    unsigned long long NowMs() override { return now_ += PgpPollMs; }
    bool ProcessMessages() override { return true; }
    void WaitForMessages(unsigned) override {}
    void BringToForeground(WindowHandle) override {}
    void SendCommand(WindowHandle, unsigned) override {}
    std::string ClipboardText() override { return std::string(); }
    bool FileExists(const std::string& path) override { return platform::FileExists(path); }
    std::vector<FoundFile> FindFiles(const std::string&) override { return {}; }
    void OpenHelpFile(WindowHandle, const std::string&, PgpHelpKind) override {}

  private:
    unsigned long long now_ = 0;
};
} // namespace

PgpPlatform& SystemPgpPlatform() {
    static NoPgp system;
    return system;
}
