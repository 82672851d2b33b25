#include "platform/win32/form_builder.h"

#include <cstring>
#include <string>

#include "platform/win32/accessible_name.h"
#include "platform/win32/dpi.h"

namespace kvex::win32 {
namespace {
constexpr int kPointsPerInch = 72;
}  // namespace

unique_hfont CreateDesignFont(const ui::design::Font& design, UINT dpi) {
    LOGFONTA font{};
    font.lfHeight = -static_cast<LONG>(std::lround(design.points * dpi / kPointsPerInch));
    font.lfWeight = design.bold ? FW_BOLD : FW_NORMAL;
    font.lfUnderline = design.underline ? TRUE : FALSE;
    font.lfCharSet = design.symbol ? SYMBOL_CHARSET : DEFAULT_CHARSET;
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

struct WindowStyle {
    const wchar_t* windowClass;
    DWORD style;
};

// The window class and styles a row's kind implies.
WindowStyle StyleOfKind(const ui::design::Control& row, bool drawSymbols) {
    using ui::design::Kind;
    const bool notify = row.style & ui::design::kNotify;
    switch (row.kind) {
    case Kind::Button:
        return {L"BUTTON", (row.style & ui::design::kSymbol) && drawSymbols ? DWORD(BS_OWNERDRAW) : BS_PUSHBUTTON};
    case Kind::Edit:
        return {L"EDIT", DWORD(ES_AUTOHSCROLL | (row.style & ui::design::kAlignRight ? ES_RIGHT : 0))};
    case Kind::List:
        return {L"LISTBOX", WS_VSCROLL | LBS_EXTENDEDSEL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT};
    case Kind::Image:
        return {L"STATIC", DWORD(SS_ICON | SS_CENTERIMAGE | (notify ? SS_NOTIFY : 0))};
    default:
        return {L"STATIC", DWORD((row.style & ui::design::kCentre ? SS_CENTER : SS_LEFT) | (notify ? SS_NOTIFY : 0))};
    }
}

}  // namespace

HWND DesignedChildren::Create(HINSTANCE module, HWND form, const ui::design::Control& row, const unique_hfont* font,
                              UINT dpi, bool drawSymbols) {
    const WindowStyle kind = StyleOfKind(row, drawSymbols);
    DWORD style = WS_CHILD | WS_VISIBLE | kind.style;
    if (row.style & ui::design::kTabStop) style |= WS_TABSTOP;
    if (row.style & ui::design::kDisabled) style |= WS_DISABLED;
    const DWORD exStyle = row.style & ui::design::kSunken ? WS_EX_CLIENTEDGE : 0;
    RECT at = PixelRect(row.at, dpi);
    // Wide controls: an ANSI edit control would keep its text in the ANSI code page.
    HWND child = ::CreateWindowExW(exStyle, kind.windowClass, DesignText(row.caption).c_str(), style, at.left, at.top,
                                   at.right - at.left, at.bottom - at.top, form,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)), module, nullptr);
    if (!child) return nullptr;
    if (font && *font) ::SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font->get()), FALSE);
    children_.push_back({child, row.at, font});
    return child;
}

namespace {
HWND Make(const ui::design::Control& row, BuildContext& at) {
    const unique_hfont* font = row.font == ui::design::kNoFont ? nullptr : &at.fonts[row.font];
    HWND child = at.children.Create(at.module, at.form, row, font, at.dpi, at.drawSymbols);
    // A label made right before it names the control as it is.
    if (!(row.style & ui::design::kNamedByLabel)) ServeSpokenName(child, row);
    return child;
}
}  // namespace

void Build(Win32Button& control, const ui::design::Control& row, BuildContext& at) { control.Attach(Make(row, at)); }
void Build(Win32Label& control, const ui::design::Control& row, BuildContext& at) { control.Attach(Make(row, at)); }

void Build(Win32TextBox& control, const ui::design::Control& row, BuildContext& at) {
    Win32TextBox::KeyHandler onEditorKey;
    if (at.onEditorKey) onEditorKey = [&row, raise = at.onEditorKey] { raise(row); };
    control.AttachText(Make(row, at), std::move(onEditorKey));
    ::SendMessageA(control.Hwnd(), EM_SETLIMITTEXT, Win32TextBox::kMaxChars, 0);
}

void Build(Win32ListBox& control, const ui::design::Control& row, BuildContext& at) {
    control.AttachList(Make(row, at), at.onListMouseUp);
}

void Build(Win32Image& control, const ui::design::Control& row, BuildContext& at) {
    control.AttachImage(Make(row, at));
    control.SetDpi(at.dpi);
}

void Build(Win32Indicator& control, const ui::design::Control& row, BuildContext& at) {
    control.SetImageSource(at.indicatorImages);
    if (control.Create(at.module, at.form, row.id, PixelRect(row.at, at.dpi))) at.children.Add(control.Hwnd(), row.at);
    control.SetDpi(at.dpi);
}

// Menu items are no windows: the pop-up is built from them each time it opens.
void Build(Win32MenuItem&, const ui::design::Control&, BuildContext&) {}

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
