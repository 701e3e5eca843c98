#pragma once

#include "app/settings.h"

// A profile file through GetPrivateProfileStringW / WritePrivateProfileStringW,
// UTF-8 on our side. A bare name
// such as "Wextor5.INI" lives in the Windows folder.
class PrivateProfile : public ProfileStore {
  public:
    explicit PrivateProfile(std::string fileName) : fileName_(std::move(fileName)) {}
    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& defaultValue) override;
    void WriteString(const std::string& section, const std::string& key,
                     const std::string& value) override;

  private:
    std::string fileName_;
};
