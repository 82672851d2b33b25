#include "platform/win32/filter_maker_view.h"

#include <commctrl.h>

#include "platform/win32/common_controls.h"
#include "platform/win32/control_ids.h"
#include "platform/win32/drawing.h"
#include "platform/win32/form_builder.h"

namespace kvex::win32 {
namespace {

constexpr FormDesign kDesign{"frmFM", "Filter Maker - ()", {8955, 5685}};

// Both indicators: the up arrow, flashing 20 times against the right arrow.
constexpr IndicatorDesign kIndicatorDesign{0, 1, 20, 200, 0};

constexpr DWORD kEditStyle = WS_TABSTOP | ES_AUTOHSCROLL;
constexpr DWORD kButtonStyle = WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD kListStyle = WS_TABSTOP | WS_VSCROLL | LBS_EXTENDEDSEL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;

}  // namespace

FilterMakerView::FilterMakerView(HINSTANCE module)
    : module_(module),
      errInput1_(kIndicatorDesign),
      errInput2_(kIndicatorDesign),
      image1_{Win32Image(module), Win32Image(module)},
      mnuOutLike_{Win32MenuItem("Edit Out"), Win32MenuItem("-"), Win32MenuItem("Edit Like"), Win32MenuItem("-"),
                  Win32MenuItem("Sort Filters")},
      window_(module, kDesign, *this) {
    controls_.window = &window_;
    controls_.lstPat = &lstPat_;
    for (std::size_t i = 0; i < lblDum_.size(); ++i) controls_.lblDum[i] = &lblDum_[i];
    controls_.lblF = &lblF_;
    controls_.txtEF = &txtEF_;
    controls_.txtFE = &txtFE_;
    controls_.ErrInput1 = &errInput1_;
    controls_.ErrInput2 = &errInput2_;
    for (std::size_t i = 0; i < cmdTools_.size(); ++i) controls_.cmdTools[i] = &cmdTools_[i];
    controls_.cmdPatU = &cmdPatU_;
    controls_.cmdPatD = &cmdPatD_;
    controls_.cmdNew = &cmdNew_;
    controls_.cmdOpen = &cmdOpen_;
    controls_.cmdSave = &cmdSave_;
    controls_.cmdSaveAs = &cmdSaveAs_;
    controls_.cmdOK = &cmdOK_;
    controls_.cmdCancel = &cmdCancel_;
    for (std::size_t i = 0; i < image1_.size(); ++i) controls_.Image1[i] = &image1_[i];
    for (std::size_t i = 0; i < mnuOutLike_.size(); ++i) controls_.mnuOutLike[i] = &mnuOutLike_[i];
}

FilterMakerView::~FilterMakerView() { handlers_ = nullptr; }

void FilterMakerView::CreateFonts(UINT dpi) {
    fonts_.normal = CreateDesignFont({"MS Sans Serif", 8.25}, dpi);
    fonts_.bold = CreateDesignFont({"MS Sans Serif", 8.25, true}, dpi);
    fonts_.underlined = CreateDesignFont({"MS Sans Serif", 8.25, false, true}, dpi);
    fonts_.symbol = CreateDesignFont({"Wingdings", 14.25, false, false, SYMBOL_CHARSET}, dpi);
    fonts_.largeSymbol = CreateDesignFont({"Wingdings", 20.25, false, false, SYMBOL_CHARSET}, dpi);
    // Without the font the buttons would show the letters é, û and ê.
    drawsSymbols_ = !FontFamilyInstalled("Wingdings", SYMBOL_CHARSET);
}

void FilterMakerView::CreateControls(HWND form, UINT dpi) {
    InitCommonCtrls(ICC_BAR_CLASSES);
    CreateFonts(dpi);
    imageList1_ = CreateArrowImageList({ArrowImage::UpArrow, ArrowImage::RightArrow});
    errInput1_.SetImageSource(imageList1_.get());
    errInput2_.SetImageSource(imageList1_.get());

    const DWORD symbolStyle = WS_TABSTOP | (drawsSymbols_ ? BS_OWNERDRAW : BS_PUSHBUTTON);
    children_.Clear();
    auto make = [&](const ChildDesign& design, const unique_hfont* font) {
        return children_.Create(module_, form, design, font, dpi);
    };
    auto makeEdit = [&](Win32TextBox& box, const ChildDesign& design) {
        box.Attach(make(design, &fonts_.bold));
        ::SendMessageA(box.Hwnd(), EM_SETLIMITTEXT, Win32TextBox::kMaxChars, 0);
    };
    const unique_hfont* normal = &fonts_.normal;

    // In tab order: the order of creation is the order of the Tab key.
    makeEdit(txtEF_, {"EDIT", "*", kEditStyle | ES_RIGHT, WS_EX_CLIENTEDGE, ids::kFmTxtEF, {5520, 1320, 1620, 345}});
    makeEdit(txtFE_, {"EDIT", "htm", kEditStyle, WS_EX_CLIENTEDGE, ids::kFmTxtFE, {7275, 1320, 1620, 345}});
    cmdTools_[0].Attach(make({"BUTTON", "Test/Add", kButtonStyle, 0, ids::kFmCmdTools0, {7275, 2025, 1620, 390}}, normal));
    cmdTools_[2].Attach(make({"BUTTON", "Create combined filter", kButtonStyle, 0, ids::kFmCmdTools0 + 2,
                              {6390, 3285, 2505, 390}}, normal));
    cmdCancel_.Attach(make({"BUTTON", "&Cancel", kButtonStyle, 0, ids::kFmCmdCancel, {7680, 5235, 1215, 390}}, normal));
    cmdOK_.Attach(make({"BUTTON", "O&K", kButtonStyle, 0, ids::kFmCmdOK, {6390, 5235, 1215, 390}}, normal));
    lstPat_.AttachList(make({"LISTBOX", "", kListStyle, WS_EX_CLIENTEDGE, ids::kFmLstPat, {90, 225, 5325, 4890}}, normal),
                       [this](int button, int shift, int x, int y) {
                           if (handlers_) handlers_->lstPat_MouseUp(button, shift, x, y);
                       });
    cmdPatU_.Attach(make({"BUTTON", "\xE9", symbolStyle, 0, ids::kFmCmdPatU, {5520, 2025, 435, 1125}}, &fonts_.symbol));
    cmdTools_[1].Attach(make({"BUTTON", "\xFB", symbolStyle, 0, ids::kFmCmdTools0 + 1, {5520, 3270, 435, 435}},
                             &fonts_.largeSymbol));
    cmdPatD_.Attach(make({"BUTTON", "\xEA", symbolStyle, 0, ids::kFmCmdPatD, {5520, 3825, 435, 1125}}, &fonts_.symbol));
    lblF_.Attach(make({"STATIC", ".", SS_CENTER | SS_NOTIFY, WS_EX_CLIENTEDGE, ids::kFmLblF, {7140, 1320, 135, 345}},
                      &fonts_.bold));
    lblDum_[0].Attach(make({"STATIC", "75 custom filters Max", SS_LEFT, 0, ids::kFmLblDum0, {5565, 225, 3330, 195}}, normal));
    lblDum_[1].Attach(make({"STATIC", "filter extension", SS_LEFT, 0, ids::kFmLblDum0 + 1, {7290, 1095, 1590, 195}},
                           &fonts_.underlined));
    lblDum_[3].Attach(make({"STATIC", "#", SS_CENTER, 0, ids::kFmLblDum0 + 3, {120, -15, 5310, 195}}, normal));
    lblDum_[2].Attach(make({"STATIC", "file pattern", SS_LEFT, 0, ids::kFmLblDum0 + 2, {5535, 1095, 1575, 195}},
                           &fonts_.underlined));
    lblDum_[4].Attach(make({"STATIC", "Max 255 Chars for combined filter", SS_LEFT, 0, ids::kFmLblDum0 + 4,
                            {6390, 2850, 2580, 195}}, normal));
    lblDum_[5].Attach(make({"STATIC", "New filter length (0)", SS_LEFT, 0, ids::kFmLblDum0 + 5,
                            {6390, 3060, 2565, 195}}, normal));
    cmdOpen_.Attach(make({"BUTTON", "&Open", kButtonStyle, 0, ids::kFmCmdOpen, {1605, 5235, 1215, 390}}, normal));
    cmdNew_.Attach(make({"BUTTON", "&New", kButtonStyle, 0, ids::kFmCmdNew, {315, 5235, 1215, 390}}, normal));
    cmdSave_.Attach(make({"BUTTON", "&Save", kButtonStyle | WS_DISABLED, 0, ids::kFmCmdSave, {2895, 5235, 1215, 390}},
                         normal));
    cmdSaveAs_.Attach(make({"BUTTON", "Save &As", kButtonStyle, 0, ids::kFmCmdSaveAs, {4185, 5235, 1215, 390}}, normal));
    auto makeIndicator = [&](Win32Indicator& indicator, int id, const TwipsRect& at) {
        if (indicator.Create(module_, form, id, PixelRect(at, dpi)))
            children_.Add(indicator.Hwnd(), at);
        indicator.SetDpi(dpi);
    };
    makeIndicator(errInput1_, ids::kFmErrInput1, {5520, 1665, 285, 240});
    makeIndicator(errInput2_, ids::kFmErrInput2, {7275, 1665, 285, 240});
    // The pictures take no focus.
    const DWORD imageStyle = SS_ICON | SS_NOTIFY | SS_CENTERIMAGE;
    image1_[0].AttachImage(make({"STATIC", "", imageStyle, 0, ids::kFmImage1_0, {6045, 540, 480, 480}}, nullptr));
    image1_[1].AttachImage(make({"STATIC", "", imageStyle, 0, ids::kFmImage1_0 + 1, {7740, 540, 480, 480}}, nullptr));
    for (auto& image : image1_) image.SetDpi(dpi);
}

void FilterMakerView::OnDpiChanged(UINT dpi) {
    // The old fonts live on until every control holds its new one.
    Fonts old = std::move(fonts_);
    CreateFonts(dpi);
    children_.Place(dpi);
    errInput1_.SetDpi(dpi);
    errInput2_.SetDpi(dpi);
    for (auto& image : image1_) image.SetDpi(dpi);
}

void FilterMakerView::OnButtonClick(int id) {
    ui::IFilterMakerHandlers& h = *handlers_;
    switch (id) {
    case ids::kFmCmdOK: h.cmdOK_Click(); break;
    case ids::kFmCmdCancel: h.cmdCancel_Click(); break;
    case ids::kFmCmdNew: h.cmdNew_Click(); break;
    case ids::kFmCmdOpen: h.cmdOpen_Click(); break;
    case ids::kFmCmdSave: h.cmdSave_Click(); break;
    case ids::kFmCmdSaveAs: h.cmdSaveAs_Click(); break;
    case ids::kFmCmdPatU: h.cmdPatU_Click(); break;
    case ids::kFmCmdPatD: h.cmdPatD_Click(); break;
    case ids::kFmCmdTools0:
    case ids::kFmCmdTools0 + 1:
    case ids::kFmCmdTools0 + 2: h.cmdTools_Click(id - ids::kFmCmdTools0); break;
    case ids::kFmLblF: h.lblF_Click(); break;
    case ids::kFmImage1_0:
    case ids::kFmImage1_0 + 1: h.Image1_Click(id - ids::kFmImage1_0); break;
    default: break;
    }
}

void FilterMakerView::OnCommand(int id, int notification) {
    if (!handlers_) return;
    switch (notification) {
    case BN_CLICKED:  // also STN_CLICKED of the label and the pictures
        OnButtonClick(id);
        break;
    case EN_CHANGE:
        if (id == ids::kFmTxtEF) handlers_->txtEF_Change();
        if (id == ids::kFmTxtFE) handlers_->txtFE_Change();
        break;
    case LBN_SELCHANGE:
        if (id == ids::kFmLstPat) handlers_->lstPat_Click();
        break;
    default:
        break;
    }
}

HBRUSH FilterMakerView::OnCtlColorStatic(HWND control, HDC dc) {
    if (control != lblF_.Hwnd()) return nullptr;
    ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
    ::SetBkColor(dc, ::GetSysColor(COLOR_WINDOW));
    return ::GetSysColorBrush(COLOR_WINDOW);
}

bool FilterMakerView::OnDrawItem(const DRAWITEMSTRUCT& item) {
    if (!drawsSymbols_ || item.CtlType != ODT_BUTTON) return false;
    switch (item.CtlID) {
    case ids::kFmCmdPatU: DrawSymbolButton(item, SymbolGlyph::ThickUpArrow); return true;
    case ids::kFmCmdPatD: DrawSymbolButton(item, SymbolGlyph::ThickDownArrow); return true;
    case ids::kFmCmdTools0 + 1: DrawSymbolButton(item, SymbolGlyph::CrossMark); return true;
    default: return false;
    }
}

void FilterMakerView::OnWindowDestroyed() {
    children_.Clear();
    lstPat_.Detach();
    for (auto& label : lblDum_) label.Detach();
    lblF_.Detach();
    txtEF_.Detach();
    txtFE_.Detach();
    for (auto& button : cmdTools_) button.Detach();
    for (Win32Button* button : {&cmdPatU_, &cmdPatD_, &cmdNew_, &cmdOpen_, &cmdSave_, &cmdSaveAs_, &cmdOK_, &cmdCancel_})
        button->Detach();
    for (auto& image : image1_) image.Detach();
}

int FilterMakerView::PopupMenu(HWND form, int defaultItem) {
    Win32MenuItem* items[5];
    for (std::size_t i = 0; i < mnuOutLike_.size(); ++i) items[i] = &mnuOutLike_[i];
    return TrackItemsPopup(form, items, 5, defaultItem);
}

}  // namespace kvex::win32
