#pragma once
// Pictures the forms draw at run time rather than ship as artwork: the
// indicator's 16 by 16 arrows and, where the Wingdings font is missing, the
// symbols of the list's arrow and cross buttons.
#include <windows.h>

#include <initializer_list>

#include "platform/win32/handles.h"

namespace kvex::win32 {

// Images of a form's ImageList1; the order given is the order of the indexes.
enum class ArrowImage { UpArrow, RightArrow, IvRightUpArrow };

// 16 by 16 images masked on light grey (192, 192, 192).
inline constexpr COLORREF kImageMaskColour = RGB(192, 192, 192);
unique_himagelist CreateArrowImageList(std::initializer_list<ArrowImage> images);
// The same, made once per thread and kept until the thread ends: callers
// borrow it and never destroy it. Null when it cannot be made.
HIMAGELIST ArrowImageList(std::initializer_list<ArrowImage> images);

// The Wingdings characters the buttons carry, drawn as shapes.
enum class SymbolGlyph { ThickUpArrow, ThickDownArrow, CrossMark };

// True when a font family of that face and character set is installed.
bool FontFamilyInstalled(const char* face, BYTE charset);

// An icon or cursor resource of the module at that size (0, 0: the
// system's default size), loaded once per thread and kept until the thread
// ends: callers borrow it and never destroy it. Null when it cannot load.
HANDLE ModuleImage(HINSTANCE module, int resourceId, UINT type, int cx, int cy);

// Paints an owner-drawn push button showing the glyph.
void DrawSymbolButton(const DRAWITEMSTRUCT& item, SymbolGlyph glyph);

}  // namespace kvex::win32
