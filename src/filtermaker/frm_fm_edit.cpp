// Filter Maker: the incoming filter, the list's pop-up menu, Edit Out and
// Edit Like, the pictures that open the Edit Filter dialog, the point label.
#include <string>

#include "filtermaker/frm_fm.h"
#include "core/filter_text.h"
#include "formkit/form_support.h"

namespace kvex {

namespace {
constexpr int kMenuEditOut = 0;
constexpr int kMenuEditLike = 2;
constexpr int kMenuSort = 4;
constexpr int kImageNamePart = 0;
constexpr int kImageExtension = 1;
}  // namespace

void FrmFM::LoadEditFilterIn() {
    SplitIntoBoxes(m_sEFISEditFilterIn);
    // Used once only.
    m_sEFISEditFilterIn.clear();
}

// The first piece before a "." goes to the name box, the second to the
// extension box; further pieces are dropped. Without a "." the extension box
// keeps its text. Each assignment runs the box's check.
void FrmFM::SplitIntoBoxes(const std::string& filter) {
    const FilterParts parts = SplitFilterParts(filter);
    c_.txtEF->SetText(parts.name);
    if (parts.extension) c_.txtFE->SetText(*parts.extension);
}

void FrmFM::lstPat_MouseUp(int button, int /*shift*/, int /*x*/, int /*y*/) {
    if (button != ui::kRightButton) return;
    mnuOL_Click();
    const int chosen = c_.window->PopupMenu(kMenuEditOut);
    if (chosen >= 0) mnuOutLike_Click(chosen);
}

// Edit Out and Edit Like take one plain filter: exactly one entry selected,
// a current entry below the default filter, and no ";" in it.
void FrmFM::mnuOL_Click() {
    const int current = c_.lstPat->ListIndex();
    const bool canEdit = c_.lstPat->SelCount() == 1 && current > 0 &&
                         c_.lstPat->List(current).find(';') == std::string::npos;
    c_.mnuOutLike[kMenuEditOut]->SetEnabled(canEdit);
    c_.mnuOutLike[kMenuEditLike]->SetEnabled(canEdit);
}

void FrmFM::mnuOutLike_Click(int index) {
    if (index == kMenuEditOut || index == kMenuEditLike) {
        EditOutLike(static_cast<short>(index));
    } else if (index == kMenuSort) {
        SortFilters();
    }
}

void FrmFM::EditOutLike(short index) {
    ui::IListBox& list = *c_.lstPat;
    const int current = list.ListIndex();
    // With no current entry there is nothing to take out.
    if (current < 0 || current >= list.ListCount()) return;
    SplitIntoBoxes(list.List(current));
    if (index != kMenuEditOut) return;
    list.RemoveItem(current);
    // The count would otherwise lag behind the list until the next change.
    RefreshCountLabel();
}

void FrmFM::Image1_Click(int index) {
    ui::ITextBox* box = index == kImageNamePart ? c_.txtEF.get() : index == kImageExtension ? c_.txtFE.get() : nullptr;
    if (!box) return;
    std::string text = box->Text();
    if (editFilter_ && editFilter_(text, index == kImageNamePart)) box->SetText(text);
}

void FrmFM::lblF_Click() {
    // The point between the parts is not editable.
    services_.Messages().Beep();
}

}  // namespace kvex
