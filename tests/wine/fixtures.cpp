#include "fixtures.h"

#include <algorithm>

namespace kvex::testing {
namespace {

::testing::AssertionResult Ended(DialogCall& call, const char* how) {
    if (!call.Join()) return ::testing::AssertionFailure() << "the dialog did not close after " << how;
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult Failure(const std::wstring& problem) {
    return ::testing::AssertionFailure() << Narrow(problem);
}

const char* IconName(BoxIcon icon) {
    switch (icon) {
        case BoxIcon::None: return "none";
        case BoxIcon::Exclamation: return "exclamation";
        case BoxIcon::Stop: return "stop";
        case BoxIcon::Question: return "question";
        case BoxIcon::Information: return "information";
        case BoxIcon::Other: return "other";
    }
    return "?";
}

}  // namespace

// ---- Filter Maker ----------------------------------------------------------

FilterMakerSession::FilterMakerSession(const FilterMakerArgs& args, const std::wstring& caption, Binding binding)
    : call_([args, binding] { return CallShowFilterMakerDialog(args, binding); }) {
    HWND window = call_.WaitForWindow(caption);
    if (!window) {
        problem_ = L"no window captioned \"" + caption + L"\"";
        if (call_.Join(Millis(0))) {
            problem_ += L"; the call returned, hr " + std::to_wstring(call_.result().hr);
        } else if (auto box = FindAnyMessageBox(call_.threadId())) {
            problem_ += L"; a message box \"" + box->title + L"\" is open: " + box->text;
        }
        return;
    }
    std::wstring missing;
    if (auto found = FilterMakerWindow::Find(window, &missing)) {
        fm_ = *found;
    } else {
        problem_ = L"the Filter Maker lacks " + missing;
    }
}

::testing::AssertionResult FilterMakerSession::Opened() const {
    return problem_.empty() ? ::testing::AssertionSuccess() : Failure(problem_);
}

::testing::AssertionResult FilterMakerSession::CloseWith(HWND button) {
    PostClick(button);
    if (auto ended = Ended(call_, "the click"); !ended) return ended;
    const CallResult& r = call_.result();
    if (r.hr != S_OK || r.value != VARIANT_TRUE) {
        return ::testing::AssertionFailure() << "ShowFilterMakerDialog gave hr 0x" << std::hex << r.hr << std::dec
                                             << " and " << r.value << ", not S_OK and True (-1)";
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult FilterMakerSession::CloseWithCloseBox() {
    // The close box sends SC_CLOSE, which becomes WM_CLOSE.
    PostMessageW(fm_.window, WM_SYSCOMMAND, SC_CLOSE, 0);
    if (auto ended = Ended(call_, "the close box"); !ended) return ended;
    const CallResult& r = call_.result();
    if (r.hr != S_OK || r.value != VARIANT_TRUE) {
        return ::testing::AssertionFailure() << "ShowFilterMakerDialog gave hr 0x" << std::hex << r.hr << std::dec
                                             << " and " << r.value << ", not S_OK and True (-1)";
    }
    return ::testing::AssertionSuccess();
}

// ---- Edit Filter -----------------------------------------------------------

EditFilterSession::EditFilterSession(const std::wstring& text, VARIANT_BOOL editPrefix, Binding binding)
    : call_([text, editPrefix, binding] { return CallShowEditFilterDialog(text, editPrefix, binding); }) {
    HWND window = call_.WaitForWindow(kEditFilterCaption);
    if (!window) {
        problem_ = L"no Edit Filter window";
        if (call_.Join(Millis(0))) problem_ += L"; the call returned, hr " + std::to_wstring(call_.result().hr);
        return;
    }
    std::wstring missing;
    if (auto found = EditFilterWindow::Find(window, &missing)) {
        ef_ = *found;
    } else {
        problem_ = L"the Edit Filter window lacks " + missing;
    }
}

::testing::AssertionResult EditFilterSession::Opened() const {
    return problem_.empty() ? ::testing::AssertionSuccess() : Failure(problem_);
}

::testing::AssertionResult EditFilterSession::CloseWith(HWND button) {
    PostClick(button);
    if (auto ended = Ended(call_, "the click"); !ended) return ended;
    if (call_.result().hr != S_OK) {
        return ::testing::AssertionFailure() << "ShowEditFilterDialog gave hr 0x" << std::hex << call_.result().hr;
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult EditFilterSession::CloseWithCloseBox() {
    PostMessageW(ef_.window, WM_SYSCOMMAND, SC_CLOSE, 0);
    if (auto ended = Ended(call_, "the close box"); !ended) return ended;
    if (call_.result().hr != S_OK) {
        return ::testing::AssertionFailure() << "ShowEditFilterDialog gave hr 0x" << std::hex << call_.result().hr;
    }
    return ::testing::AssertionSuccess();
}

// ---- working in the Filter Maker ---------------------------------------------

::testing::AssertionResult FilterMakerUi::OpenOn(const std::vector<std::string>& entries) {
    std::vector<std::string> lines{"*.htm;*.html"};
    lines.insert(lines.end(), entries.begin(), entries.end());
    session_ = OpenWithList(lines);
    return session_->Opened();
}

::testing::AssertionResult FilterMakerUi::OpenSession(const FilterMakerArgs& args, const std::wstring& caption) {
    session_ = Open(args, caption);
    return session_->Opened();
}

void FilterMakerUi::Select(std::initializer_list<int> entries) {
    WPARAM keys = 0;
    for (int entry : entries) {
        ClickListItem(fm().lstPat, entry, keys);
        keys = MK_CONTROL;
    }
    session_->Settle();
}

void FilterMakerUi::Press(HWND button) {
    PostClick(button);
    session_->Settle();
}

void FilterMakerUi::Type(HWND edit, const std::wstring& text) {
    SetEditText(edit, text);
    session_->Settle();
}

std::optional<PopupMenu> FilterMakerUi::RightClick(int entry) {
    RightClickListItem(fm().lstPat, entry);
    return WaitForPopupMenu(thread());
}

// ---- message boxes ---------------------------------------------------------

::testing::AssertionResult ShowsMessageBox(DWORD thread, const std::wstring& title, const std::wstring& text,
                                           std::vector<int> buttons, BoxIcon icon, int defaultButton) {
    auto box = WaitForMessageBox(thread, title);
    if (!box) {
        auto other = FindAnyMessageBox(thread);
        return ::testing::AssertionFailure() << "no message box \"" << Narrow(title) << "\""
                                             << (other ? " (open: \"" + Narrow(other->title) + "\")" : "");
    }
    std::sort(buttons.begin(), buttons.end());
    auto failure = ::testing::AssertionFailure();
    bool ok = true;
    if (box->text != text) {
        ok = false;
        failure << "text \"" << Narrow(box->text) << "\", expected \"" << Narrow(text) << "\"; ";
    }
    if (box->buttons != buttons) {
        ok = false;
        failure << "buttons differ (" << box->buttons.size() << " shown, " << buttons.size() << " expected); ";
    }
    if (box->icon != icon) {
        ok = false;
        failure << "icon " << IconName(box->icon) << ", expected " << IconName(icon) << "; ";
    }
    if (defaultButton && box->defaultButton != defaultButton) {
        ok = false;
        failure << "default button " << box->defaultButton << ", expected " << defaultButton << "; ";
    }
    return ok ? ::testing::AssertionSuccess() : failure;
}

::testing::AssertionResult Answer(DWORD thread, const std::wstring& title, int button) {
    auto box = WaitForMessageBox(thread, title);
    if (!box) return ::testing::AssertionFailure() << "no message box \"" << Narrow(title) << "\" to answer";
    PressDialogButton(box->window, button);
    if (!WaitUntilGone(box->window)) return ::testing::AssertionFailure() << "the message box stayed open";
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult NoMessageBox(DWORD thread) {
    // A box shows a moment after the click that opened it; watch for a while.
    std::optional<MessageBoxInfo> box;
    WaitUntil([&] { return (box = FindAnyMessageBox(thread)).has_value(); }, Millis(300));
    if (box) {
        return ::testing::AssertionFailure() << "unexpected message box \"" << Narrow(box->title)
                                             << "\": " << Narrow(box->text);
    }
    return ::testing::AssertionSuccess();
}

std::vector<DWORD> ResourceIconPixels(int id) {
    HICON icon = static_cast<HICON>(
        LoadImageW(PinnedComponent(), MAKEINTRESOURCEW(id), IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR));
    auto pixels = IconPixels(icon);
    if (icon) DestroyIcon(icon);
    return pixels;
}

}  // namespace kvex::testing
