#include "platform/win32/drawing.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <tuple>
#include <utility>
#include <vector>

namespace kvex::win32 {
namespace {

constexpr int kImageSize = 16;

struct Shape {
    std::vector<POINT> points;
    COLORREF fill;
    COLORREF outline;
};

// The indicator arrows, in 16 by 16 pixel coordinates.
Shape ArrowShape(ArrowImage image) {
    const COLORREF red = RGB(230, 0, 0);
    const COLORREF darkRed = RGB(128, 0, 0);
    switch (image) {
    case ArrowImage::UpArrow:
        return {{{7, 1}, {8, 1}, {14, 7}, {10, 7}, {10, 14}, {5, 14}, {5, 7}, {1, 7}}, red, darkRed};
    case ArrowImage::RightArrow:
        return {{{14, 7}, {14, 8}, {8, 14}, {8, 10}, {1, 10}, {1, 5}, {8, 5}, {8, 1}}, red, darkRed};
    case ArrowImage::IvRightUpArrow:
    default:
        return {{{14, 1}, {14, 10}, {11, 7}, {4, 14}, {1, 11}, {8, 4}, {5, 1}}, RGB(255, 255, 255), red};
    }
}

void FillShape(HDC dc, const Shape& shape) {
    unique_hbrush brush(::CreateSolidBrush(shape.fill));
    unique_hpen pen(::CreatePen(PS_SOLID, 1, shape.outline));
    SelectGuard useBrush(dc, brush.get());
    SelectGuard usePen(dc, pen.get());
    ::Polygon(dc, shape.points.data(), static_cast<int>(shape.points.size()));
}

bool AddArrow(HIMAGELIST list, HDC dc, ArrowImage image) {
    ScreenDC screen;
    unique_hbitmap bitmap(::CreateCompatibleBitmap(screen.get(), kImageSize, kImageSize));
    if (!bitmap) return false;
    {
        SelectGuard useBitmap(dc, bitmap.get());
        RECT all{0, 0, kImageSize, kImageSize};
        unique_hbrush background(::CreateSolidBrush(kImageMaskColour));
        ::FillRect(dc, &all, background.get());
        FillShape(dc, ArrowShape(image));
    }
    return ::ImageList_AddMasked(list, bitmap.get(), kImageMaskColour) >= 0;
}

// Glyphs in a 100 by 100 box, scaled onto the button.
std::vector<POINT> GlyphOutline(SymbolGlyph glyph) {
    switch (glyph) {
    case SymbolGlyph::ThickUpArrow:
        return {{50, 0}, {100, 45}, {72, 45}, {72, 100}, {28, 100}, {28, 45}, {0, 45}};
    case SymbolGlyph::ThickDownArrow:
        return {{50, 100}, {100, 55}, {72, 55}, {72, 0}, {28, 0}, {28, 55}, {0, 55}};
    case SymbolGlyph::CrossMark:
    default:
        return {{0, 15}, {15, 0}, {50, 35}, {85, 0}, {100, 15}, {65, 50},
                {100, 85}, {85, 100}, {50, 65}, {15, 100}, {0, 85}, {35, 50}};
    }
}

void DrawGlyph(HDC dc, const RECT& area, SymbolGlyph glyph, COLORREF colour) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    const int side = std::max(4, std::min(width, height) * 3 / 5);
    const int left = area.left + (width - side) / 2;
    const int top = area.top + (height - side) / 2;
    Shape shape{GlyphOutline(glyph), colour, colour};
    for (POINT& p : shape.points) {
        p.x = left + p.x * side / 100;
        p.y = top + p.y * side / 100;
    }
    FillShape(dc, shape);
}

int CALLBACK NoteFontFamily(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

}  // namespace

unique_himagelist CreateArrowImageList(std::initializer_list<ArrowImage> images) {
    unique_himagelist list(::ImageList_Create(kImageSize, kImageSize, ILC_COLOR24 | ILC_MASK,
                                            static_cast<int>(images.size()), 0));
    if (!list) return list;
    unique_hdc dc(::CreateCompatibleDC(nullptr));
    if (!dc) return {};
    for (ArrowImage image : images)
        if (!AddArrow(list.get(), dc.get(), image)) return {};
    return list;
}

HIMAGELIST ArrowImageList(std::initializer_list<ArrowImage> images) {
    // Drawing the arrows again on every open cost about half a millisecond.
    thread_local std::map<std::vector<ArrowImage>, unique_himagelist> lists;
    std::vector<ArrowImage> key(images);
    auto found = lists.find(key);
    if (found != lists.end()) return found->second.get();
    unique_himagelist list = CreateArrowImageList(images);
    if (!list) return nullptr;
    return lists.emplace(std::move(key), std::move(list)).first->second.get();
}

bool FontFamilyInstalled(const char* face, BYTE charset) {
    LOGFONTA wanted{};
    wanted.lfCharSet = charset;
    std::strncpy(wanted.lfFaceName, face, LF_FACESIZE - 1);
    bool found = false;
    ScreenDC screen;
    ::EnumFontFamiliesExA(screen.get(), &wanted, &NoteFontFamily, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

void DrawSymbolButton(const DRAWITEMSTRUCT& item, SymbolGlyph glyph) {
    RECT frame = item.rcItem;
    const bool pushed = (item.itemState & ODS_SELECTED) != 0;
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;
    ::DrawFrameControl(item.hDC, &frame, DFC_BUTTON,
                       DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0) | (disabled ? DFCS_INACTIVE : 0));
    RECT face = item.rcItem;
    ::InflateRect(&face, -3, -3);
    if (pushed) ::OffsetRect(&face, 1, 1);
    DrawGlyph(item.hDC, face, glyph, ::GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
    if (item.itemState & ODS_FOCUS) ::DrawFocusRect(item.hDC, &face);
}

namespace {

// Every open set the same few icons and cursors again; decoding them from
// the resources each time was a good part of the time a form took to open.
class ImageCache {
public:
    using Key = std::tuple<HINSTANCE, int, UINT, int, int>;
    ImageCache() = default;
    ImageCache(const ImageCache&) = delete;
    ImageCache& operator=(const ImageCache&) = delete;
    ~ImageCache() {
        for (const auto& [key, image] : images_) {
            if (std::get<2>(key) == IMAGE_CURSOR)
                ::DestroyCursor(static_cast<HCURSOR>(image));
            else
                ::DestroyIcon(static_cast<HICON>(image));
        }
    }
    HANDLE Get(const Key& key) {
        auto found = images_.find(key);
        if (found != images_.end()) return found->second;
        const auto [module, id, type, cx, cy] = key;
        HANDLE image = ::LoadImageA(module, MAKEINTRESOURCEA(id), type, cx, cy,
                                    cx == 0 && cy == 0 ? LR_DEFAULTSIZE : LR_DEFAULTCOLOR);
        if (image) images_.emplace(key, image);
        return image;
    }

private:
    std::map<Key, HANDLE> images_;
};

}  // namespace

HANDLE ModuleImage(HINSTANCE module, int resourceId, UINT type, int cx, int cy) {
    // Per thread, as the windows that show them are.
    thread_local ImageCache cache;
    return cache.Get({module, resourceId, type, cx, cy});
}

}  // namespace kvex::win32
