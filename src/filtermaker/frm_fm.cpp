// Filter Maker: life cycle, public properties and the caption.
#include "filtermaker/frm_fm.h"

#include <utility>

#include "core/app_state.h"
#include "formkit/form_support.h"

namespace kvex {

namespace {
constexpr LayoutFloor kFilterMakerFloor{404, 603};
constexpr int kIconComponent = 101;
constexpr int kIconNamePart = 102;
constexpr int kCursorHand = 101;
constexpr const char* kCaptionOpen = "Filter Maker - (";
constexpr const char* kCaptionClose = ")";
}  // namespace

FrmFM::FrmFM(ui::IFilterMakerView& view, ui::IFormServices& services, EditFilterLauncher editFilter)
    : c_(view.Controls()), services_(services), editFilter_(std::move(editFilter)) {
    services_.InitCommonCtrls(0xFF);
}

FrmFM::~FrmFM() = default;

void FrmFM::SetFilterFile(const std::string& sFilterFile) {
    m_sFilterFile = sFilterFile;
    if (!c_.window->Loaded()) c_.window->EnsureLoaded();
    ShowFilterFile();
}

void FrmFM::ShowFilterFile() {
    const bool hasFile = !m_sFilterFile.empty();
    c_.cmdSave->SetEnabled(hasFile);
    c_.window->SetCaption(kCaptionOpen + (hasFile ? GetLastPart(m_sFilterFile, "\\") : std::string()) +
                          kCaptionClose);
}

void FrmFM::Form_Load() {
    m_oLayout = OpenFormLayout(services_, *c_.window, kFilterMakerFloor, false);
    c_.window->SetIcon(kIconComponent);
    c_.Image1[1]->SetPicture(kIconComponent);
    c_.Image1[0]->SetPicture(kIconNamePart);
    c_.Image1[0]->SetMouseIcon(kCursorHand);
    c_.Image1[1]->SetMouseIcon(kCursorHand);
    SetLengthLabel(0);
    c_.ErrInput1->SetIconImageList(true);
    c_.ErrInput2->SetIconImageList(true);
    LoadFilterList();
    if (!m_sEFISEditFilterIn.empty()) LoadEditFilterIn();
}

void FrmFM::Form_QueryUnload() {
    // Never refuses: every way of closing closes. The arrow and cross buttons
    // draw font glyphs, so they hold no pictures to give back.
    c_.Image1[1]->SetMouseIcon(0);
    c_.Image1[0]->SetMouseIcon(0);
    c_.window->SetIcon(0);
    c_.Image1[0]->SetPicture(0);
    c_.Image1[1]->SetPicture(0);
    m_sEFISEditFilterIn.clear();
}

void FrmFM::Form_Resize() { KeepLayoutFloor(m_oLayout.get(), kFilterMakerFloor); }

void FrmFM::Form_Unload() {
    c_.ErrInput1->SetIconImageList(false);
    c_.ErrInput2->SetIconImageList(false);
    CloseFormLayout(m_oLayout, *c_.window);
}

}  // namespace kvex
