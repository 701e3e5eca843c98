// The Options page: the tip of the day, the wrapped keys and the keyboard shortcut.
#pragma once

#include "app/hotkey.h"
#include "app/props_page_win.h"

class TOptionsPage : public TPropsPage {
  public:
    explicit TOptionsPage(TPropsForm& form);

    void AddCommands(CommandTable& table) override;
    const PlaceTable& Places() const override;
    void Init() override;

    bool IgnoreWrappedKeysChecked() const;
    void SetIgnoreWrappedKeysChecked(bool checked);
    void SetShowTipsChecked(bool checked);
    HotKey HotKeyChoice() const; // as the field shows it
    void SetHotKeyChoice(const HotKey& keys);
    void FocusHotKey();

    void chkShowTipsClick();
    void btnNowClick();

  private:
    TPropsForm& form_;
};
