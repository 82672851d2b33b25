#pragma once
// Turning a form's design (twips, fonts in points) into child windows at the
// dpi the form's window has: 1440 / dpi twips make one pixel.
#include <windows.h>

#include <cmath>
#include <functional>
#include <vector>

#include <type_traits>

#include "platform/win32/controls.h"
#include "platform/win32/handles.h"
#include "platform/win32/indicator.h"
#include "ui/control_set.h"
#include "ui/form_design.h"

namespace kvex::win32 {

inline constexpr int kTwipsPerInch = 1440;

inline int TwipsToPixels(int twips, UINT dpi) {
    return static_cast<int>(std::lround(static_cast<double>(twips) * dpi / kTwipsPerInch));
}

using TwipsRect = ui::design::Twips;

// Position and size in pixels: each edge rounded from twips on its own, so
// that controls designed edge to edge stay edge to edge.
inline RECT PixelRect(const TwipsRect& at, UINT dpi) {
    return RECT{TwipsToPixels(at.left, dpi), TwipsToPixels(at.top, dpi), TwipsToPixels(at.left + at.width, dpi),
                TwipsToPixels(at.top + at.height, dpi)};
}

unique_hfont CreateDesignFont(const ui::design::Font& design, UINT dpi);

// A form's children with their designed places and fonts, so that a change
// of dpi can place them again. The fonts are the view's own members: it
// makes them anew for the new dpi before Place hands them out.
class DesignedChildren {
public:
    // The row's window; symbol buttons paint themselves when drawSymbols.
    HWND Create(HINSTANCE module, HWND form, const ui::design::Control& row, const unique_hfont* font, UINT dpi,
                bool drawSymbols);
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

// What a form's table needs to make its controls' windows.
struct BuildContext {
    HINSTANCE module;
    HWND form;
    UINT dpi;
    DesignedChildren& children;
    const unique_hfont* fonts;  // indexed by the rows' font
    bool drawSymbols;
    HIMAGELIST indicatorImages;
    Win32ListBox::MouseUpHandler onListMouseUp;
    // A text box's editor key (F4, Alt+Down); unset: the keys do what they always do.
    std::function<void(const ui::design::Control& textBox)> onEditorKey = {};
};

// Each control made from its row; the overloads pick by the control's type.
void Build(Win32Button& control, const ui::design::Control& row, BuildContext& at);
void Build(Win32Label& control, const ui::design::Control& row, BuildContext& at);
void Build(Win32TextBox& control, const ui::design::Control& row, BuildContext& at);
void Build(Win32ListBox& control, const ui::design::Control& row, BuildContext& at);
void Build(Win32Image& control, const ui::design::Control& row, BuildContext& at);
void Build(Win32Indicator& control, const ui::design::Control& row, BuildContext& at);
void Build(Win32MenuItem& control, const ui::design::Control& row, BuildContext& at);

// Sizes what draws itself at the new dpi; other controls are placed by DesignedChildren.
inline void Rescale(Win32Image& control, UINT dpi) { control.SetDpi(dpi); }
inline void Rescale(Win32Indicator& control, UINT dpi) { control.SetDpi(dpi); }
template <class Control>
void Rescale(Control&, UINT) {}

// Forgets the window its form destroyed.
template <class Control>
void Forget(Control& control) {
    if constexpr (std::is_base_of_v<Win32Control, Control>) control.Detach();
}

// A form window's controls, one per row of its table.
using Win32Kinds =
    ui::KindTypes<Win32Button, Win32TextBox, Win32ListBox, Win32Label, Win32Image, Win32Indicator, Win32MenuItem>;
using Win32Controls = Win32Kinds::Store;

// Makes the control of every row, windows in tab order, and binds each into set.
template <std::size_t N>
void MakeControls(const ui::design::Control (&rows)[N], Win32Controls& store, ui::ControlSet& set, HINSTANCE module,
                  const IndicatorDesign& indicator) {
    for (const ui::design::Control* row : ui::InMakeOrder(rows))
        ui::OfKind<Win32Kinds>(row->kind, [&](auto type) {
            using T = typename decltype(type)::type;
            T* made = nullptr;
            if constexpr (std::is_same_v<T, Win32Image>) made = &store.Make<T>(*row, module);
            else if constexpr (std::is_same_v<T, Win32Indicator>) made = &store.Make<T>(*row, indicator);
            else if constexpr (std::is_same_v<T, Win32MenuItem>) made = &store.Make<T>(*row, row->caption);
            else made = &store.Make<T>(*row);
            set.Bind(*row, made);
        });
}

// The notification by which the row's window raises its event: a click
// (BN_CLICKED is STN_CLICKED too), a change of text or of the selection.
inline int CommandOf(const ui::design::Control& row) {
    switch (row.kind) {
    case ui::design::Kind::Edit: return EN_CHANGE;
    case ui::design::Kind::List: return LBN_SELCHANGE;
    case ui::design::Kind::Indicator:
    case ui::design::Kind::MenuItem: return -1;
    default: return BN_CLICKED;
    }
}

// Outer window size whose client area is the designed one at that dpi.
SIZE OuterSizeForClient(const SIZE& clientTwips, DWORD style, DWORD exStyle, UINT dpi);

}  // namespace kvex::win32
