#pragma once

#include "platform/win32/Windows.h"

#include <string>

namespace orvane {

class TfrmBtnWizCls;
class TfrmEXEWizCls;
class TfrmCopyCustom;

// The tool windows: modal dialogs over their models, laid out in dialog
// units from the resource script. Each returns when its window has closed.
void ShowCommandWizard(HWND owner, TfrmBtnWizCls& wizard);
void ShowAutorunWizard(HWND owner, TfrmEXEWizCls& wizard);
void ShowCopyCustom(HWND owner, TfrmCopyCustom& copy);
// The about box: the version, the notice, and where the editor keeps its files.
void ShowAboutBox(HWND owner, const std::string& layout);

}  // namespace orvane
