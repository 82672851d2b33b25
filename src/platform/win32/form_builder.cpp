#include "platform/win32/form_builder.h"

#include <cstring>
#include <string>

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

namespace {

// Design texts are ASCII or the glyph codes of a symbol font (the arrows):
// byte n stands for U+00nn, as the code page of the symbol charset has it.
std::wstring DesignText(const char* text) {
    std::wstring wide;
    for (; text && *text; ++text) wide.push_back(static_cast<wchar_t>(static_cast<unsigned char>(*text)));
    return wide;
}

}  // namespace

HWND CreateChild(HINSTANCE module, HWND form, const ChildDesign& design, HFONT font) {
    RECT at = PixelRect(design.at);
    // Wide controls: an ANSI edit control would keep its text in the ANSI code page.
    HWND child = ::CreateWindowExW(design.exStyle, DesignText(design.windowClass).c_str(),
                                   DesignText(design.text).c_str(), WS_CHILD | WS_VISIBLE | design.style, at.left, at.top, at.right - at.left,
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
