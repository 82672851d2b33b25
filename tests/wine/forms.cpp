#include "forms.h"

#include <cstring>
#include <string>

#include "ui_driver.h"
#include "ui/filter_maker_design.h"
#include "ui/edit_filter_design.h"

namespace kvex::testing {
using FM = ui::FilterMakerDesign;
using EF = ui::EditFilterDesign;
namespace {

// Finds each control by its design row, collecting the names of those missing.
// A push button with a text caption is looked for by that caption, so that a
// wrong caption counts as missing; every other control by its id.
class Lookup {
public:
    explicit Lookup(HWND window) : window_(window) {}

    HWND operator()(const ui::design::Control& row) {
        const bool byCaption = row.kind == ui::design::Kind::Button && !(row.style & ui::design::kSymbol);
        HWND found = byCaption ? FindChild(window_, L"Button", std::wstring(row.caption, row.caption + std::strlen(row.caption)))
                               : FindChildById(window_, row.id);
        if (!found) {
            if (!missing_.empty()) missing_ += L", ";
            const std::string name = std::string(row.name) + "(" + std::to_string(row.index) + ")";
            missing_ += std::wstring(name.begin(), name.end());
        }
        return found;
    }
    bool Complete(std::wstring* missing) const {
        if (missing) *missing = missing_;
        return missing_.empty();
    }

private:
    HWND window_;
    std::wstring missing_;
};

}  // namespace

std::optional<FilterMakerWindow> FilterMakerWindow::Find(HWND window, std::wstring* missing) {
    Lookup find(window);
    FilterMakerWindow fm;
    fm.window = window;
    fm.lstPat = find(FM::Row("lstPat"));
    fm.txtEF = find(FM::Row("txtEF"));
    fm.txtFE = find(FM::Row("txtFE"));
    fm.lblF = find(FM::Row("lblF"));
    fm.countLabel = find(FM::Row("lblDum", 3));
    fm.lengthLabel = find(FM::Row("lblDum", 5));
    fm.errInput1 = find(FM::Row("ErrInput1"));
    fm.errInput2 = find(FM::Row("ErrInput2"));
    fm.testAdd = find(FM::Row("cmdTools", 0));
    fm.remove = find(FM::Row("cmdTools", 1));
    fm.combine = find(FM::Row("cmdTools", 2));
    fm.up = find(FM::Row("cmdPatU"));
    fm.down = find(FM::Row("cmdPatD"));
    fm.cmdNew = find(FM::Row("cmdNew"));
    fm.cmdOpen = find(FM::Row("cmdOpen"));
    fm.cmdSave = find(FM::Row("cmdSave"));
    fm.cmdSaveAs = find(FM::Row("cmdSaveAs"));
    fm.cmdOK = find(FM::Row("cmdOK"));
    fm.cmdCancel = find(FM::Row("cmdCancel"));
    for (int i = 0; i < 2; ++i) fm.image1[i] = find(FM::Row("Image1", i));
    if (!find.Complete(missing)) return std::nullopt;
    return fm;
}

std::vector<std::wstring> FilterMakerWindow::Items() const { return ListItems(lstPat); }
std::wstring FilterMakerWindow::CountText() const { return TextOf(countLabel); }
std::wstring FilterMakerWindow::LengthText() const { return TextOf(lengthLabel); }

std::optional<EditFilterWindow> EditFilterWindow::Find(HWND window, std::wstring* missing) {
    Lookup find(window);
    EditFilterWindow ef;
    ef.window = window;
    ef.txtEF = find(EF::Row("txtEF"));
    ef.errInput1 = find(EF::Row("ErrInput1"));
    for (int i = 0; i < static_cast<int>(ef.cmdE.size()); ++i) ef.cmdE[i] = find(EF::Row("cmdE", i));
    ef.cmdOK = find(EF::Row("cmdOK"));
    ef.cmdCancel = find(EF::Row("cmdCancel"));
    if (!find.Complete(missing)) return std::nullopt;
    return ef;
}

std::wstring CountLabelFor(size_t entries) { return std::to_wstring(entries) + L" filters defined"; }

}  // namespace kvex::testing
