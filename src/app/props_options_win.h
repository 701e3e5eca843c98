// The Options page: the tip of the day and the wrapped keys.
#pragma once

#include "app/props_page_win.h"

class TfrmProps;

class TOptionsPage : public TPropsPage {
  public:
    explicit TOptionsPage(TfrmProps& form);

    void AddCommands(CommandTable& table) override;
    const PlaceTable& Places() const override;

    bool IgnoreWrappedKeysChecked() const;
    void SetIgnoreWrappedKeysChecked(bool checked);
    void SetShowTipsChecked(bool checked);

    void chkShowTipsClick();
    void btnNowClick();

  private:
    TfrmProps& form_;
};
