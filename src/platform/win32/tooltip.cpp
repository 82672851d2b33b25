#include "platform/win32/tooltip.h"

#include <commctrl.h>

namespace kvex::win32 {
namespace {

// A record of the size every comctl32 since 5.80 accepts.
TOOLINFOA ToolFor(HWND control) {
    TOOLINFOA info{};
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = ::GetParent(control);
    info.uId = reinterpret_cast<UINT_PTR>(control);
    return info;
}

}  // namespace

unique_hwnd CreateTooltip(HWND form) {
    auto module = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrA(form, GWLP_HINSTANCE));
    return unique_hwnd(::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                                          WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                                          CW_USEDEFAULT, CW_USEDEFAULT, form, nullptr, module, nullptr));
}

void AddTool(HWND tooltip, HWND control, const std::string& text) {
    if (!tooltip || !control) return;
    TOOLINFOA tool = ToolFor(control);
    tool.lpszText = const_cast<char*>(text.c_str());
    ::SendMessageA(tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void SetToolText(HWND tooltip, HWND control, const std::string& text) {
    if (!tooltip || !control) return;
    TOOLINFOA tool = ToolFor(control);
    tool.lpszText = const_cast<char*>(text.c_str());
    ::SendMessageA(tooltip, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
}

void SetTooltipErrorTitle(HWND tooltip, const std::string& title) {
    if (!tooltip) return;
    ::SendMessageA(tooltip, TTM_SETTITLEA, title.empty() ? TTI_NONE : TTI_ERROR,
                   reinterpret_cast<LPARAM>(title.c_str()));
}

}  // namespace kvex::win32
