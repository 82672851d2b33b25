#pragma once
// Turning a form's design (twips, fonts in points) into child windows.
#include <windows.h>

#include <cmath>

#include "platform/win32/handles.h"

namespace kvex::win32 {

inline constexpr int kTwipsPerPixel = 15;

inline int TwipsToPixels(int twips) {
    return static_cast<int>(std::lround(static_cast<double>(twips) / kTwipsPerPixel));
}

struct TwipsRect {
    int left, top, width, height;
};

// Position and size in pixels: each edge rounded from twips on its own.
inline RECT PixelRect(const TwipsRect& at) {
    return RECT{TwipsToPixels(at.left), TwipsToPixels(at.top), TwipsToPixels(at.left) + TwipsToPixels(at.width),
                TwipsToPixels(at.top) + TwipsToPixels(at.height)};
}

struct FontDesign {
    const char* face;
    double points;
    bool bold = false;
    bool underline = false;
    BYTE charset = DEFAULT_CHARSET;
};

// The controls are placed in pixels at 96 dots per inch, so the fonts are
// sized for 96 too: 8.25 pt is 11 pixels whatever the screen reports.
UniqueFont CreateDesignFont(const FontDesign& design);

struct ChildDesign {
    const char* windowClass;
    const char* text;
    DWORD style;    // WS_CHILD | WS_VISIBLE are added
    DWORD exStyle;
    int id;
    TwipsRect at;
};

HWND CreateChild(HINSTANCE module, HWND form, const ChildDesign& design, HFONT font);

// Outer window size whose client area is the given size.
SIZE OuterSizeForClient(int clientWidth, int clientHeight, DWORD style, DWORD exStyle);

}  // namespace kvex::win32
