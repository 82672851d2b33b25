#include "editfilter/frm_ef.h"

#include <iterator>
#include <optional>

#include "core/filter_text.h"
#include "formkit/form_support.h"
#include "formkit/validation.h"
#include "ui/edit_filter_design.h"

namespace kvex {

namespace {
constexpr LayoutFloor kEditFilterFloor{196, 469};

// What a token button writes over the selection of the text box.
std::optional<std::string> TokenText(int index, const std::string& selected) {
    if (index < 0 || index >= static_cast<int>(std::size(ui::kTokenButtons))) return std::nullopt;
    return ui::kTokenButtons[index].Insert(selected);
}
}  // namespace

FrmEF::FrmEF(ui::IEditFilterView& view, ui::IFormServices& services)
    : c_(view.Controls()), services_(services) {
    services_.InitCommonCtrls(0xFF);
}

FrmEF::~FrmEF() = default;

void FrmEF::Form_Load() {
    m_oLayout = OpenFormLayout(services_, *c_.window, kEditFilterFloor, true);
    c_.ErrInput1->SetIconImageList(true);
    c_.window->SetIcon(m_iIconIndex);
    // Runs the check, so the indicator and OK match the text handed in.
    c_.txtEF->SetText(m_sFilterInAndOut);
}

void FrmEF::Form_Resize() { KeepLayoutFloor(m_oLayout.get(), kEditFilterFloor); }

void FrmEF::Form_QueryUnload() {
    // Never refuses. FilterInAndOut already holds what OK kept.
    c_.window->SetIcon(0);
    c_.txtEF->SetText(std::string());
}

void FrmEF::Form_Unload() {
    c_.ErrInput1->SetIconImageList(false);
    CloseFormLayout(m_oLayout, *c_.window);
}

void FrmEF::cmdOK_Click() {
    // Exactly as typed: the caller gets the spaces too.
    m_sFilterInAndOut = c_.txtEF->Text();
    m_bSelectionMade = kBoolTrue;
    c_.window->Unload();
}

void FrmEF::cmdCancel_Click() {
    m_bSelectionMade = kBoolFalse;
    c_.window->Unload();
}

// There is no trial match here: a lone "[" is for the user to finish.
void FrmEF::txtEF_Change() {
    const std::string text = c_.txtEF->Text();
    const short invalid = CheckInvalidChars(services_.Messages(), text, kBoolTrue);
    ShowInputVerdict(text, invalid > 0, *c_.ErrInput1, kEditFilterIndicatorDetail, *c_.cmdOK);
}

void FrmEF::cmdE_Click(int index) {
    const auto token = TokenText(index, c_.txtEF->SelText());
    if (token) c_.txtEF->SetSelText(*token);
}

}  // namespace kvex
