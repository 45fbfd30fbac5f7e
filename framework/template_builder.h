// Builds the child controls of a dialog template on a window.
#pragma once

#include <memory>
#include <vector>

#include "framework/controls.h"
#include "framework/resources.h"

struct CTemplateBuildOptions {
  // Bars: owner-drawn buttons become custom-drawn windows the bar's code
  // attaches to, and statics let the mouse through to the bar, which
  // hit-tests its own client area.  Dialogs: owner-drawn buttons are
  // ordinary push buttons and every control keeps its mouse.
  bool ownerDrawnAsCustom = false;
  bool mouseThroughToParent = false;
};

// Creates the controls in template order at their mapped pixel rectangles
// and appends their window objects to `out`.
void BuildTemplateControls(CWnd* parent, const CDialogTemplate& t, const CDialogUnits& units,
                           const CTemplateBuildOptions& options, std::vector<std::unique_ptr<CWnd>>& out);

// The font a template names, at its point size (96 dots per inch).
QFont TemplateFont(const CDialogTemplate& t);
