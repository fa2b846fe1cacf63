#pragma once
// The baseline window of the start-up benchmark, as data: one entry per control of the
// main window (its kind, parent, geometry and what it shows), taken at build time from the
// window's own control tree so the baseline has the same number and kinds of widgets.

#include "controls/Control.h"

namespace bare {

// The same kinds as the window's own controls (the header only: nothing of the core is
// linked into the baseline).
using Kind = controls::Kind;

struct Item {
  Kind kind;
  int parent;  // index of the parent entry, -1 for the form
  int left, top, width, height;
  const char* text;  // caption, edit text, memo lines or combo items ("\n" between)
  const char* hint;
  unsigned color;  // 0xRRGGBB; 0xFF000001 button face, 0xFF000002 window
  bool visible;
  bool enabled;
  bool flag;  // toggle button, checked box or item, centred edit, read-only memo
  int index;  // combo box item, active page; -1 none
};

extern const Item kItems[];
extern const int kItemCount;

}  // namespace bare
