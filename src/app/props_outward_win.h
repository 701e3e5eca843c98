// The page of the occasional run that differs from the routine: its mode (optOutward), its Run
// button, key import before reading, and Direct access to PGP's own programs.
#pragma once

#include "app/props_page_win.h"

class TOutwardPage : public TPropsPage {
  public:
    explicit TOutwardPage(TPropsForm& form);

    void AddCommands(CommandTable& table) override;
    const PlaceTable& Places() const override;

    int ModeIndex() const; // optOutward
    void SetModeIndex(int index);
    bool ForceKeyReadChecked() const;
    void SetForceKeyReadChecked(bool checked);
    void ShowToolsButton(bool show);

    void btnRunClick();
    // Direct access: PGP control's.
    void btnPGPKeysClick();
    void btnPAPTrayClick();
    void btnToolsClick();
    void Button1Click();
    void btnPGPHelpClick();

  private:
    TPropsForm& form_;
};
