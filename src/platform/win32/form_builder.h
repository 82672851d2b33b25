#pragma once
// Turning a form's design (twips, fonts in points) into child windows at the
// dpi the form's window has: 1440 / dpi twips make one pixel.
#include <windows.h>

#include <cmath>
#include <vector>

#include "platform/win32/handles.h"

namespace kvex::win32 {

inline constexpr int kTwipsPerInch = 1440;

inline int TwipsToPixels(int twips, UINT dpi) {
    return static_cast<int>(std::lround(static_cast<double>(twips) * dpi / kTwipsPerInch));
}

struct TwipsRect {
    int left, top, width, height;
};

// Position and size in pixels: each edge rounded from twips on its own, so
// that controls designed edge to edge stay edge to edge.
inline RECT PixelRect(const TwipsRect& at, UINT dpi) {
    return RECT{TwipsToPixels(at.left, dpi), TwipsToPixels(at.top, dpi), TwipsToPixels(at.left + at.width, dpi),
                TwipsToPixels(at.top + at.height, dpi)};
}

struct FontDesign {
    const char* face;
    double points;
    bool bold = false;
    bool underline = false;
    BYTE charset = DEFAULT_CHARSET;
};

unique_hfont CreateDesignFont(const FontDesign& design, UINT dpi);

struct ChildDesign {
    const char* windowClass;
    const char* text;
    DWORD style;    // WS_CHILD | WS_VISIBLE are added
    DWORD exStyle;
    int id;
    TwipsRect at;
};

// A form's children with their designed places and fonts, so that a change
// of dpi can place them again. The fonts are the view's own members: it
// makes them anew for the new dpi before Place hands them out.
class DesignedChildren {
public:
    HWND Create(HINSTANCE module, HWND form, const ChildDesign& design, const unique_hfont* font, UINT dpi);
    // A child made elsewhere (the indicators); it keeps its own font.
    void Add(HWND child, const TwipsRect& at) { children_.push_back({child, at, nullptr}); }
    void Place(UINT dpi) const;
    void Clear() { children_.clear(); }

private:
    struct Child {
        HWND window;
        TwipsRect at;
        const unique_hfont* font;
    };
    std::vector<Child> children_;
};

// Outer window size whose client area is the designed one at that dpi.
SIZE OuterSizeForClient(const SIZE& clientTwips, DWORD style, DWORD exStyle, UINT dpi);

}  // namespace kvex::win32
