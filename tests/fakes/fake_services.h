#pragma once
// Fakes of the services beside the controls: message boxes and the beep,
// files, the file dialogs and the window layout keeper.
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "ui/services.h"

namespace kvex::fakes {

// Records every box and beep. Answers come from the script; an unscripted
// box answers with its default button, as pressing Enter would.
class FakeMessages : public ui::IMessages {
public:
    struct Box {
        std::string text;
        std::string title;
        unsigned style;
    };
    int MessageBox(const std::string& text, const std::string& title, unsigned style) noexcept override;
    void Beep() noexcept override { ++beeps; }

    std::vector<Box> boxes;
    int beeps = 0;
    std::deque<int> answers;
};

// Files and folders in memory, keyed by the exact path. Writing needs the
// parent folder to exist; an injected failure refuses the write and keeps the
// old content whole.
class FakeFileSystem : public ui::IFileSystem {
public:
    bool PathExists(const std::string& path) noexcept override;
    bool CreateFolder(const std::string& path) noexcept override;
    bool CanCreateFileIn(const std::string& folder) noexcept override;
    std::optional<std::string> ReadFile(const std::string& path, std::size_t maxBytes) noexcept override;
    std::vector<ui::FileError> WriteFile(const std::string& path, std::string_view bytes) noexcept override;
    // The ANSI code page is Latin-1 here: U+0000..U+00FF, one byte each.
    std::string AnsiToUtf8(std::string_view ansi) noexcept override;
    std::optional<std::string> Utf8ToAnsi(std::string_view utf8) noexcept override;

    // A file with its parent folder.
    void AddFile(const std::string& path, const std::string& content);
    void AddFolder(const std::string& path) { folders.insert(path); }
    std::string Content(const std::string& path) const;

    std::map<std::string, std::string> files;
    std::set<std::string> folders;
    std::set<std::string> readOnlyFolders;  // exist, but take no new file
    std::set<std::string> unreadable;    // exist, but cannot be opened for reading
    std::map<std::string, std::vector<ui::FileError>> writeFailures;  // failures at the write step
    std::vector<std::string> writes;      // every path a write was attempted on
    std::vector<std::string> createdFolders;
};

// Scripted answers of the Open and Save As dialogs (a path, or nothing for
// Cancel); every call is recorded with its arguments.
class FakeFileDialogs : public ui::IFileDialogs {
public:
    struct Call {
        bool save;
        std::intptr_t owner;
        std::string filter;
        std::string defaultExt;
        std::string initDir;
        std::string title;
    };
    bool ShowOpenFileDialog(std::intptr_t owner, const std::string& filter, short& filterIndex,
                            std::string& fileName, const std::string& initDir, const std::string& title,
                            std::string& chosenPath) noexcept override;
    bool ShowSaveFileDialog(std::intptr_t owner, const std::string& filter, short& filterIndex,
                            const std::string& defaultExt, std::string& fileName, const std::string& initDir,
                            const std::string& title, std::string& chosenPath) noexcept override;

    std::deque<std::optional<std::string>> results;
    std::vector<Call> calls;

private:
    bool Answer(std::string& fileName, std::string& chosenPath);
};

// What the layout keepers of one test did, kept after they are released.
struct LayoutLog {
    std::vector<std::string> calls;
    class FakeLayout* live = nullptr;
};

class FakeLayout : public ui::IFormLayout {
public:
    explicit FakeLayout(LayoutLog& log);
    ~FakeLayout() override;
    void SetMode(int mode) noexcept override;
    int MinHeight() const noexcept override { return minHeight; }
    void SetMinHeight(int pixels) noexcept override;
    int MinWidth() const noexcept override { return minWidth; }
    void SetMinWidth(int pixels) noexcept override;
    void BindForm(ui::IFormWindow& form) noexcept override;
    void SetForm(ui::IFormWindow& form) noexcept override;
    void PositionForm(ui::IFormWindow& form, bool restore, const std::string& section,
                      const std::string& iniPath) noexcept override;
    void Refresh() noexcept override;

    int minHeight = 0;
    int minWidth = 0;
    ui::IFormWindow* form = nullptr;

private:
    LayoutLog& log_;
};

}  // namespace kvex::fakes
