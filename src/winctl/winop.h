// Search of other programs' windows by their own, their parent's and their grandparent's title
// and class. The walk over real windows lives in winop_win.h; this is the part that decides.
#pragma once

#include "support/runstate.h"

#include <functional>
#include <string>

// One criterion for one text; both empty: any text.
struct STRINGER {
    std::string Exact;   // the text must equal this (never matches an empty text)
    std::string Partial; // the text must contain this
};

struct GPWINDOW {
    STRINGER GrandparentTitle;
    STRINGER GrandparentClass;
};

struct PWINDOW {
    STRINGER ParentTitle;
    STRINGER ParentClass;
    GPWINDOW Grandparent;
};

struct WINDOW {
    STRINGER OwnTitle;
    STRINGER OwnClass;
    PWINDOW Parent;
};

// Titles and class names are read into 101-character buffers with a count of 100, so at most
// 99 characters of them take part in a search.
constexpr int WindowTextBufferSize = 101;
constexpr int WindowTextMaxCount = 100;
constexpr int WindowTextMaxLength = WindowTextMaxCount - 1;

// Depth below which a walk complains that the desktop is too complex.
constexpr int MaxWalkDepth = 7;

// The state of one search.
struct WindowSearch {
    WindowHandle FoundWindow = nullptr;
    bool WindowFound = false;
    int WalkDepth = 0; // below the top-level window being walked
};

// Empties every criterion of the record.
void ClearCriteria(WINDOW& criteria);

// Partial found in text, or text non-empty and equal to Exact, or both criteria empty.
bool MatchText(const std::string& text, const STRINGER& criterion);

// The texts TestWindow compares, in the order it reads them. A relative that is missing reads
// as the empty text, so a non-empty criterion for it fails.
enum class WindowText {
    GrandparentClass,
    GrandparentTitle,
    ParentClass,
    OwnTitle,
    OwnClass,
    ParentTitle
};

// Whether a window meets every criterion; read() is asked for each text in the order above and
// not after the first that fails.
bool MeetsCriteria(const WINDOW& criteria, const std::function<std::string(WindowText)>& read);

// Notes w as the search's result unless an earlier window was noted already.
void RecordFoundWindow(WindowSearch& search, WindowHandle w);

// After walking the children of a child: the complaint when the walk has gone too deep.
// Returns whether it was shown.
bool CheckWalkDepth(int walkDepth);
