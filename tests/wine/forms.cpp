#include "forms.h"

#include "platform/win32/control_ids.h"
#include "ui_driver.h"

namespace kvex::testing {
namespace ids = kvex::win32::ids;
namespace {

// Collects the names of controls that were not found.
class Lookup {
public:
    explicit Lookup(HWND window) : window_(window) {}

    HWND Button(const wchar_t* caption) { return Note(FindChild(window_, L"Button", caption), caption); }
    HWND Id(int id, const wchar_t* name) { return Note(FindChildById(window_, id), name); }
    bool Complete(std::wstring* missing) const {
        if (missing) *missing = missing_;
        return missing_.empty();
    }

private:
    HWND Note(HWND found, const wchar_t* name) {
        if (!found) missing_ += std::wstring(missing_.empty() ? L"" : L", ") + name;
        return found;
    }

    HWND window_;
    std::wstring missing_;
};

}  // namespace

std::optional<FilterMakerWindow> FilterMakerWindow::Find(HWND window, std::wstring* missing) {
    Lookup find(window);
    FilterMakerWindow fm;
    fm.window = window;
    fm.lstPat = find.Id(ids::kFmLstPat, L"lstPat");
    fm.txtEF = find.Id(ids::kFmTxtEF, L"txtEF");
    fm.txtFE = find.Id(ids::kFmTxtFE, L"txtFE");
    fm.lblF = find.Id(ids::kFmLblF, L"lblF");
    fm.countLabel = find.Id(ids::kFmLblDum0 + 3, L"lblDum(3)");
    fm.lengthLabel = find.Id(ids::kFmLblDum0 + 5, L"lblDum(5)");
    fm.errInput1 = find.Id(ids::kFmErrInput1, L"ErrInput1");
    fm.errInput2 = find.Id(ids::kFmErrInput2, L"ErrInput2");
    fm.testAdd = find.Button(L"Test/Add");
    fm.remove = find.Id(ids::kFmCmdTools0 + 1, L"cmdTools(1)");
    fm.combine = find.Button(L"Create combined filter");
    fm.up = find.Id(ids::kFmCmdPatU, L"cmdPatU");
    fm.down = find.Id(ids::kFmCmdPatD, L"cmdPatD");
    fm.cmdNew = find.Button(L"&New");
    fm.cmdOpen = find.Button(L"&Open");
    fm.cmdSave = find.Button(L"&Save");
    fm.cmdSaveAs = find.Button(L"Save &As");
    fm.cmdOK = find.Button(L"O&K");
    fm.cmdCancel = find.Button(L"&Cancel");
    fm.image1[0] = find.Id(ids::kFmImage1_0, L"Image1(0)");
    fm.image1[1] = find.Id(ids::kFmImage1_0 + 1, L"Image1(1)");
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
    ef.txtEF = find.Id(ids::kEfTxtEF, L"txtEF");
    ef.errInput1 = find.Id(ids::kEfErrInput1, L"ErrInput1");
    static const wchar_t* const tokens[] = {L"*", L"?", L"#", L"!", L"-", L"[charlist]", L"[!charlist]"};
    for (size_t i = 0; i < ef.cmdE.size(); ++i) ef.cmdE[i] = find.Button(tokens[i]);
    ef.cmdOK = find.Button(L"O&K");
    ef.cmdCancel = find.Button(L"&Cancel");
    if (!find.Complete(missing)) return std::nullopt;
    return ef;
}

std::wstring CountLabelFor(size_t entries) { return std::to_wstring(entries) + L" filters defined"; }

}  // namespace kvex::testing
