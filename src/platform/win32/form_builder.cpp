#include "platform/win32/form_builder.h"

#include <cstring>

#include "platform/win32/text.h"

namespace kvex::win32 {
namespace {
constexpr int kDesignDpi = 96;
constexpr int kPointsPerInch = 72;
}  // namespace

UniqueFont CreateDesignFont(const FontDesign& design) {
    LOGFONTA font{};
    font.lfHeight = -static_cast<LONG>(std::lround(design.points * kDesignDpi / kPointsPerInch));
    font.lfWeight = design.bold ? FW_BOLD : FW_NORMAL;
    font.lfUnderline = design.underline ? TRUE : FALSE;
    font.lfCharSet = design.charset;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = DEFAULT_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    std::strncpy(font.lfFaceName, design.face, LF_FACESIZE - 1);
    return UniqueFont(::CreateFontIndirectA(&font));
}

HWND CreateChild(HINSTANCE module, HWND form, const ChildDesign& design, HFONT font) {
    RECT at = PixelRect(design.at);
    // Wide controls: an ANSI edit control would keep its text in the ANSI code page.
    HWND child = ::CreateWindowExW(design.exStyle, Utf8ToWide(design.windowClass).c_str(),
                                   Utf8ToWide(design.text).c_str(), WS_CHILD | WS_VISIBLE | design.style, at.left, at.top, at.right - at.left,
                                   at.bottom - at.top, form,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(design.id)), module, nullptr);
    if (child && font) ::SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return child;
}

SIZE OuterSizeForClient(int clientWidth, int clientHeight, DWORD style, DWORD exStyle) {
    RECT outer{0, 0, clientWidth, clientHeight};
    ::AdjustWindowRectEx(&outer, style, FALSE, exStyle);
    return SIZE{outer.right - outer.left, outer.bottom - outer.top};
}

}  // namespace kvex::win32
