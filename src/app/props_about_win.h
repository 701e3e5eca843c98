// The About page: the program's icon and the text of what is installed where; the version
// label, out of sight, is only the source of the version text.
#pragma once

#include "app/props_page_win.h"
#include "support/verslab_win.h"

#include <string>

class TAboutPage : public TPropsPage {
  public:
    TAboutPage();

    void Init() override;
    void AddCommands(CommandTable&) override {}
    const PlaceTable& Places() const override;
    INT_PTR CtlColorStatic(HDC dc, HWND control) override;

    TVersionLabel& VersionLabel1() { return *versionLabel1_; }
    void FillAboutText();
    std::string AboutText() const;

    void txtAboutMouseDown();

  private:
    static LRESULT CALLBACK AboutProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR id, DWORD_PTR self);
    TVersionLabel* versionLabel1_ = nullptr;
};
