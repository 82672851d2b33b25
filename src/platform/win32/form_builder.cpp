#include "platform/win32/form_builder.h"

#include <cstring>
#include <string>

#include "platform/win32/dpi.h"

namespace kvex::win32 {
namespace {
constexpr int kPointsPerInch = 72;
}  // namespace

unique_hfont CreateDesignFont(const FontDesign& design, UINT dpi) {
    LOGFONTA font{};
    font.lfHeight = -static_cast<LONG>(std::lround(design.points * dpi / kPointsPerInch));
    font.lfWeight = design.bold ? FW_BOLD : FW_NORMAL;
    font.lfUnderline = design.underline ? TRUE : FALSE;
    font.lfCharSet = design.charset;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = DEFAULT_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    std::strncpy(font.lfFaceName, design.face, LF_FACESIZE - 1);
    return unique_hfont(::CreateFontIndirectA(&font));
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

HWND DesignedChildren::Create(HINSTANCE module, HWND form, const ChildDesign& design, const unique_hfont* font,
                              UINT dpi) {
    RECT at = PixelRect(design.at, dpi);
    // Wide controls: an ANSI edit control would keep its text in the ANSI code page.
    HWND child = ::CreateWindowExW(design.exStyle, DesignText(design.windowClass).c_str(),
                                   DesignText(design.text).c_str(), WS_CHILD | WS_VISIBLE | design.style, at.left,
                                   at.top, at.right - at.left,
                                   at.bottom - at.top, form,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(design.id)), module, nullptr);
    if (!child) return nullptr;
    if (font && *font) ::SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font->get()), FALSE);
    children_.push_back({child, design.at, font});
    return child;
}

void DesignedChildren::Place(UINT dpi) const {
    for (const Child& child : children_) {
        if (!::IsWindow(child.window)) continue;
        // The font first: a list box works out its item height from it.
        if (child.font && *child.font)
            ::SendMessageA(child.window, WM_SETFONT, reinterpret_cast<WPARAM>(child.font->get()), FALSE);
        RECT at = PixelRect(child.at, dpi);
        ::SetWindowPos(child.window, nullptr, at.left, at.top, at.right - at.left, at.bottom - at.top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
        ::InvalidateRect(child.window, nullptr, TRUE);
    }
}

SIZE OuterSizeForClient(const SIZE& clientTwips, DWORD style, DWORD exStyle, UINT dpi) {
    SIZE frame = FrameSize(style, exStyle, dpi);
    return SIZE{TwipsToPixels(clientTwips.cx, dpi) + frame.cx, TwipsToPixels(clientTwips.cy, dpi) + frame.cy};
}

}  // namespace kvex::win32
