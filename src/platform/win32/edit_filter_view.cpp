#include "platform/win32/edit_filter_view.h"

#include <commctrl.h>

#include "platform/win32/common_controls.h"
#include "platform/win32/control_ids.h"
#include "platform/win32/drawing.h"
#include "platform/win32/form_builder.h"
#include "platform/win32/tooltip.h"

namespace kvex::win32 {
namespace {

constexpr FormDesign kDesign{"frmEF", "Edit Filter - Always test your filters for desired results", {6915, 2535}};

// The up arrow, flashing twice against the white up-right arrow, 60 twips in.
constexpr IndicatorDesign kIndicatorDesign{0, 1, 2, 200, 60};

constexpr DWORD kButtonStyle = WS_TABSTOP | BS_PUSHBUTTON;

struct TokenButton {
    const char* caption;
    const char* tooltip;  // null: none
    int left;             // twips
};
constexpr TokenButton kTokenButtons[7] = {
    {"*", "Zero or more characters", 75},
    {"?", "Any single character", 1045},
    {"#", "Any single digit 0-9)", 2025},
    {"!", nullptr, 3000},
    {"-", "identify a range of characters", 3975},
    {"[charlist]", "Any single character in charlist", 4950},
    {"[!charlist]", "Any single character not in charlist.", 5925},
};

}  // namespace

EditFilterView::EditFilterView(HINSTANCE module)
    : module_(module), errInput1_(kIndicatorDesign), window_(module, kDesign, *this) {
    controls_.window = &window_;
    controls_.txtEF = &txtEF_;
    controls_.ErrInput1 = &errInput1_;
    for (std::size_t i = 0; i < cmdE_.size(); ++i) controls_.cmdE[i] = &cmdE_[i];
    controls_.cmdOK = &cmdOK_;
    controls_.cmdCancel = &cmdCancel_;
}

EditFilterView::~EditFilterView() {
    handlers_ = nullptr;
    DestroyOwnedWindow(tooltip_);
}

void EditFilterView::CreateFonts(UINT dpi) {
    fonts_.buttons = CreateDesignFont({"Verdana", 8.25}, dpi);
    fonts_.text = CreateDesignFont({"Verdana", 9.75}, dpi);
}

void EditFilterView::CreateControls(HWND form, UINT dpi) {
    InitCommonCtrls(ICC_BAR_CLASSES);
    CreateFonts(dpi);
    imageList1_ = CreateArrowImageList({ArrowImage::UpArrow, ArrowImage::IvRightUpArrow});
    errInput1_.SetImageSource(imageList1_.get());

    children_.Clear();
    auto make = [&](const ChildDesign& design, const unique_hfont* font) {
        return children_.Create(module_, form, design, font, dpi);
    };
    const unique_hfont* buttons = &fonts_.buttons;

    // In tab order: Cancel first, so it has the focus when the window opens.
    cmdCancel_.Attach(make({"BUTTON", "&Cancel", kButtonStyle, 0, ids::kEfCmdCancel, {5625, 2025, 1215, 390}}, buttons));
    cmdOK_.Attach(make({"BUTTON", "O&K", kButtonStyle | WS_DISABLED, 0, ids::kEfCmdOK, {4335, 2025, 1215, 390}},
                       buttons));
    txtEF_.Attach(make({"EDIT", "", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, ids::kEfTxtEF, {60, 15, 6795, 360}},
                       &fonts_.text));
    ::SendMessageA(txtEF_.Hwnd(), EM_SETLIMITTEXT, Win32TextBox::kMaxChars, 0);
    for (int i = 0; i < 7; ++i)
        cmdE_[i].Attach(make({"BUTTON", kTokenButtons[i].caption, kButtonStyle, 0, ids::kEfCmdE0 + i,
                              {kTokenButtons[i].left, 735, 960, 405}},
                             buttons));
    const TwipsRect errAt{60, 375, 360, 240};
    if (errInput1_.Create(module_, form, ids::kEfErrInput1, PixelRect(errAt, dpi)))
        children_.Add(errInput1_.Hwnd(), errAt);
    errInput1_.SetDpi(dpi);

    tooltip_ = CreateTooltip(form);
    for (int i = 0; i < 7; ++i)
        if (kTokenButtons[i].tooltip) AddTool(tooltip_.get(), cmdE_[i].Hwnd(), kTokenButtons[i].tooltip);
}

void EditFilterView::OnDpiChanged(UINT dpi) {
    // The old fonts live on until every control holds its new one.
    Fonts old = std::move(fonts_);
    CreateFonts(dpi);
    children_.Place(dpi);
    errInput1_.SetDpi(dpi);
}

void EditFilterView::OnCommand(int id, int notification) {
    if (!handlers_) return;
    if (notification == EN_CHANGE && id == ids::kEfTxtEF) {
        handlers_->txtEF_Change();
        return;
    }
    if (notification != BN_CLICKED) return;
    if (id == ids::kEfCmdOK)
        handlers_->cmdOK_Click();
    else if (id == ids::kEfCmdCancel)
        handlers_->cmdCancel_Click();
    else if (id >= ids::kEfCmdE0 && id < ids::kEfCmdE0 + 7)
        handlers_->cmdE_Click(id - ids::kEfCmdE0);
}

void EditFilterView::OnWindowDestroyed() {
    children_.Clear();
    txtEF_.Detach();
    for (auto& button : cmdE_) button.Detach();
    cmdOK_.Detach();
    cmdCancel_.Detach();
    DestroyOwnedWindow(tooltip_);
}

}  // namespace kvex::win32
