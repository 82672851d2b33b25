// The input-error indicator: hidden until an error, flashing a few times
// when it appears, quiet when asked again, and its run-time drawn arrows.
#include <gtest/gtest.h>

#include "platform/win32/drawing.h"
#include "platform/win32/edit_filter_view.h"
#include "support.h"
#include "ui/edit_filter_design.h"

namespace kvex::win32 {
using EF = ui::EditFilterDesign;
namespace {

bool VisibleBit(HWND window) { return (::GetWindowLongPtrA(window, GWL_STYLE) & WS_VISIBLE) != 0; }

// Shown with caption and detail until cleared; it flashes twice, 200 ms
// apart, then rests on the first image; asked again while shown it stays as
// it is, shown anew after a clear it flashes again.
TEST(EditFilterIndicator, ShowsUntilClearedAndFlashesTwiceWhenItAppears) {
    EditFilterView view(test::TestModule());
    view.Window().EnsureLoaded();
    ::ShowWindow(view.Window().Hwnd(), SW_SHOWNA);
    ui::IIndicator& indicator = *view.Controls().ErrInput1;
    auto& inside = static_cast<Win32Indicator&>(indicator);
    indicator.SetIconImageList(true);
    HWND window = ::GetDlgItem(view.Window().Hwnd(), EF::Id("ErrInput1"));
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(VisibleBit(window));
    indicator.SetErrorCaption("Remove Invalid Characters");
    indicator.ShowError("<>|");
    EXPECT_TRUE(VisibleBit(window));
    std::string text = test::TextOf(window);
    EXPECT_NE(text.find("Remove Invalid Characters"), std::string::npos) << text;
    EXPECT_NE(text.find("<>|"), std::string::npos) << text;
    ASSERT_TRUE(inside.Flashing());
    bool sawFlashedImage = false;
    const DWORD start = ::GetTickCount();
    EXPECT_TRUE(test::PumpUntil(
        [&] {
            sawFlashedImage |= inside.CurrentImage() == 1;
            return !inside.Flashing();
        },
        5000));
    const DWORD took = ::GetTickCount() - start;
    EXPECT_TRUE(sawFlashedImage);
    EXPECT_GE(took, 600u);
    EXPECT_LT(took, 3000u);
    EXPECT_EQ(inside.CurrentImage(), 0);
    indicator.ShowError("x");
    EXPECT_FALSE(inside.Flashing());
    indicator.ClearError();
    EXPECT_FALSE(VisibleBit(window));
    indicator.ShowError("x");
    EXPECT_TRUE(inside.Flashing());

    // Without its image list it still shows, but draws nothing and does not flash.
    indicator.ClearError();
    indicator.SetIconImageList(false);
    indicator.ShowError("x");
    EXPECT_TRUE(VisibleBit(window));
    EXPECT_EQ(inside.CurrentImage(), -1);
    EXPECT_FALSE(inside.Flashing());
}

// Sixteen-pixel images, red inside and masked outside.
TEST(ArrowImages, RedArrowsOnATransparentGround) {
    unique_himagelist list =
        CreateArrowImageList({ArrowImage::UpArrow, ArrowImage::RightArrow, ArrowImage::IvRightUpArrow});
    ASSERT_TRUE(list);
    EXPECT_EQ(::ImageList_GetImageCount(list.get()), 3);
    int cx = 0, cy = 0;
    ::ImageList_GetIconSize(list.get(), &cx, &cy);
    EXPECT_EQ(cx, 16);
    EXPECT_EQ(cy, 16);

    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 16, 16);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    auto drawn = [&](int image, int x, int y) {
        RECT all{0, 0, 16, 16};
        ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        ::ImageList_Draw(list.get(), image, dc, 0, 0, ILD_TRANSPARENT);
        return ::GetPixel(dc, x, y);
    };
    auto reddish = [](COLORREF c) { return GetRValue(c) > 150 && GetGValue(c) < 80 && GetBValue(c) < 80; };
    EXPECT_TRUE(reddish(drawn(0, 7, 10))) << std::hex << drawn(0, 7, 10);  // the up arrow's shaft
    EXPECT_EQ(drawn(0, 0, 15), RGB(255, 255, 255));                        // its masked corner
    EXPECT_TRUE(reddish(drawn(1, 3, 7)));                                  // the right arrow's shaft
    EXPECT_EQ(drawn(2, 0, 0), RGB(255, 255, 255));
    ::SelectObject(dc, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
    ::ReleaseDC(nullptr, screen);
}

}  // namespace
}  // namespace kvex::win32
