#include "fakes/fake_services.h"

#include "core/unicode_text.h"

namespace kvex::fakes {

namespace {
std::string ParentFolder(const std::string& path) {
    const auto at = path.rfind('\\');
    return at == std::string::npos ? std::string() : path.substr(0, at);
}

std::string LastPart(const std::string& path) {
    const auto at = path.rfind('\\');
    return at == std::string::npos ? path : path.substr(at + 1);
}
}  // namespace

int FakeMessages::MessageBox(const std::string& text, const std::string& title, unsigned style) noexcept {
    boxes.push_back({text, title, style});
    if (!answers.empty()) {
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    if ((style & 0xF) == ui::mb::kYesNo) return (style & ui::mb::kDefButton2) ? ui::mb::kIdNo : ui::mb::kIdYes;
    return ui::mb::kIdOk;
}

// ---- files

bool FakeFileSystem::PathExists(const std::string& path) noexcept {
    return !path.empty() && (files.count(path) != 0 || folders.count(path) != 0);
}

bool FakeFileSystem::CanCreateFileIn(const std::string& folder) noexcept {
    return readOnlyFolders.count(folder) == 0;
}

bool FakeFileSystem::CreateFolder(const std::string& path) noexcept {
    const std::string parent = ParentFolder(path);
    if (PathExists(path)) return false;
    if (!parent.empty() && !PathExists(parent)) return false;
    folders.insert(path);
    createdFolders.push_back(path);
    return true;
}

std::optional<std::string> FakeFileSystem::ReadFile(const std::string& path, std::size_t maxBytes) noexcept {
    const auto found = files.find(path);
    if (found == files.end() || unreadable.count(path) != 0) return std::nullopt;
    return found->second.substr(0, maxBytes);
}

std::vector<ui::FileError> FakeFileSystem::WriteFile(const std::string& path, std::string_view bytes) noexcept {
    writes.push_back(path);
    const std::string parent = ParentFolder(path);
    if (!parent.empty() && folders.count(parent) == 0) return {{3, "The system cannot find the path specified."}};
    const auto failure = writeFailures.find(path);
    if (failure != writeFailures.end()) return failure->second;
    files[path] = std::string(bytes);
    return {};
}

std::string FakeFileSystem::AnsiToUtf8(std::string_view ansi) noexcept {
    std::string utf8;
    for (char c : ansi) AppendUtf8(utf8, static_cast<unsigned char>(c));
    return utf8;
}

std::optional<std::string> FakeFileSystem::Utf8ToAnsi(std::string_view utf8) noexcept {
    std::string ansi;
    for (std::size_t i = 0; i < utf8.size();) {
        const char32_t c = NextChar(utf8, i);
        if (c > 0xFF) return std::nullopt;
        ansi.push_back(static_cast<char>(c));
    }
    return ansi;
}

void FakeFileSystem::AddFile(const std::string& path, const std::string& content) {
    const std::string parent = ParentFolder(path);
    if (!parent.empty()) folders.insert(parent);
    files[path] = content;
}

std::string FakeFileSystem::Content(const std::string& path) const {
    const auto found = files.find(path);
    return found == files.end() ? std::string() : found->second;
}

// ---- file dialogs

bool FakeFileDialogs::Answer(std::string& fileName, std::string& chosenPath) {
    std::optional<std::string> result;
    if (!results.empty()) {
        result = results.front();
        results.pop_front();
    }
    if (!result) {
        chosenPath.clear();
        return false;
    }
    fileName = LastPart(*result);
    chosenPath = *result;
    return true;
}

bool FakeFileDialogs::ShowOpenFileDialog(std::intptr_t owner, const std::string& filter, short& /*filterIndex*/,
                                         std::string& fileName, const std::string& initDir,
                                         const std::string& title, std::string& chosenPath) noexcept {
    calls.push_back({false, owner, filter, {}, initDir, title});
    return Answer(fileName, chosenPath);
}

bool FakeFileDialogs::ShowSaveFileDialog(std::intptr_t owner, const std::string& filter, short& /*filterIndex*/,
                                         const std::string& defaultExt, std::string& fileName,
                                         const std::string& initDir, const std::string& title,
                                         std::string& chosenPath) noexcept {
    calls.push_back({true, owner, filter, defaultExt, initDir, title});
    return Answer(fileName, chosenPath);
}

// ---- layout keeper

FakeLayout::FakeLayout(LayoutLog& log) : log_(log) { log_.live = this; }

FakeLayout::~FakeLayout() {
    log_.calls.push_back("Release");
    if (log_.live == this) log_.live = nullptr;
}

void FakeLayout::SetMode(int mode) noexcept { log_.calls.push_back("Mode " + std::to_string(mode)); }

void FakeLayout::SetMinHeight(int pixels) noexcept {
    minHeight = pixels;
    log_.calls.push_back("MinHeight " + std::to_string(pixels));
}

void FakeLayout::SetMinWidth(int pixels) noexcept {
    minWidth = pixels;
    log_.calls.push_back("MinWidth " + std::to_string(pixels));
}

void FakeLayout::BindForm(ui::IFormWindow& boundForm) noexcept {
    form = &boundForm;
    log_.calls.push_back("BindForm");
}

void FakeLayout::SetForm(ui::IFormWindow& setForm) noexcept {
    form = &setForm;
    log_.calls.push_back("Form");
}

void FakeLayout::PositionForm(ui::IFormWindow& positioned, bool restore, const std::string& section,
                              const std::string& iniPath) noexcept {
    log_.calls.push_back(std::string(restore ? "Restore " : "Save ") + section + " " + iniPath +
                         (&positioned == form ? "" : " (another window)"));
}

void FakeLayout::Refresh() noexcept { log_.calls.push_back("Refresh"); }

}  // namespace kvex::fakes
