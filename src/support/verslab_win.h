// TVersionLabel: a label control that shows one string of an executable's version resource.
#pragma once

#include "support/verslab.h"

#include <windows.h>

#include <string>

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum TAlignment { taLeftJustify, taRightJustify, taCenter };

// The string under block langCharset and key of a file's version resource (an empty file name:
// this program), read with the system's version functions, or one of the three failure texts.
std::string ReadVersionValue(const std::string& fileName, const std::string& langCharset,
                             const std::string& key);

// Windows of class "TVersionLabel" (from CreateWindow or a dialog template) own their
// TVersionLabel; it goes with the window.
class TVersionLabel {
  public:
    static const char* const kClassName;
    static void Register();
    static TVersionLabel* Create(HWND parent, int id, int x, int y, int width, int height);
    static TVersionLabel* FromWindow(HWND window);
    HWND Handle() const { return window_; }
    std::string Caption() const;

    // The string of VersionResourceKey in the file (empty: this program) and block given,
    // behind the prefix when ShowInfoPrefix holds. Leaves the caption alone.
    std::string GetInfoGeneral(const std::string& fileName, const std::string& langCharset) const;
    std::string GetInfo() const; // this program, LangCharset

    TVersionResources VersionResource() const { return props_.VersionResource(); }
    void SetVersionResource(TVersionResources value) { props_.SetVersionResource(value); }
    const std::string& VersionResourceKey() const { return props_.VersionResourceKey(); }
    void SetVersionResourceKey(const std::string& value) { props_.SetVersionResourceKey(value); }
    const std::string& InfoPrefix() const { return props_.InfoPrefix(); }
    void SetInfoPrefix(const std::string& value) { props_.SetInfoPrefix(value); }
    bool ShowInfoPrefix() const { return props_.ShowInfoPrefix(); }
    void SetShowInfoPrefix(bool value) { props_.SetShowInfoPrefix(value); }
    const std::string& LangCharset() const { return props_.LangCharset(); }
    void SetLangCharset(const std::string& value) { props_.SetLangCharset(value); }

    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    TAlign Align() const { return align_; }
    // Places the label at that side of the parent's client area (or over all of it); the
    // parent calls Realign when its size changes.
    void SetAlign(TAlign value);
    void Realign();
    COLORREF Color() const { return color_; }
    void SetColor(COLORREF value);
    HFONT Font() const;       // the parent's while ParentFont holds
    void SetFont(HFONT font); // not owned; ends ParentFont
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool value);

  private:
    explicit TVersionLabel(HWND window);
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void Paint();
    UINT TextFormat() const;
    void AdjustBounds();
    void Changed(); // size and picture follow the properties

    HWND window_;
    VersionLabelProps props_;
    bool wordWrap_ = false;
    bool autoSize_ = true;
    TAlignment alignment_ = taLeftJustify;
    TAlign align_ = alNone;
    COLORREF color_;
    HFONT font_ = nullptr;
    bool parentFont_ = true;
};
