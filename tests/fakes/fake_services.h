#pragma once
// Message boxes, files, file dialogs and the layout keeper; each can fail where
// the system can.
#include <deque>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/unicode_text.h"
#include "fakes/latin1.h"
#include "ui/services.h"

namespace kvex::testing {

// Records boxes and beeps; an unscripted box answers its default button.
class FakeMessages : public ui::IMessages {
public:
    struct Box {
        std::string text;
        std::string title;
        unsigned style;
        bool operator==(const Box& o) const { return text == o.text && title == o.title && style == o.style; }
    };
    int MessageBox(const std::string& text, const std::string& title, unsigned style) noexcept override {
        boxes.push_back({text, title, style});
        if (!answers.empty()) {
            const int answer = answers.front();
            answers.pop_front();
            return answer;
        }
        if ((style & 0xF) != ui::mb::kYesNo) return ui::mb::kIdOk;
        return (style & ui::mb::kDefButton2) ? ui::mb::kIdNo : ui::mb::kIdYes;
    }
    void Beep() noexcept override { ++beeps; }

    std::vector<Box> boxes;
    int beeps = 0;
    std::deque<int> answers;
};

inline std::string ParentFolder(const std::string& path) {
    const auto at = path.rfind('\\');
    return at == std::string::npos ? std::string() : path.substr(0, at);
}

// Files and folders by exact path, failing as Windows fails: a write needs
// the parent folder, a name of at most 255 characters, a target that is not
// read-only nor held open, and a folder that takes new files; only the final
// rename meets a target held open with sharing. An injected failure refuses
// the write too. A failed write keeps the old content whole.
class FakeFileSystem : public ui::IFileSystem {
public:
    bool PathExists(const std::string& path) noexcept override {
        return files.count(path) != 0 || folders.count(path) != 0;
    }
    bool CreateFolder(const std::string& path) noexcept override {
        const std::string parent = ParentFolder(path);
        if (PathExists(path) || (!parent.empty() && !PathExists(parent))) return false;
        folders.insert(path);
        createdFolders.push_back(path);
        return true;
    }
    bool CanCreateFileIn(const std::string& folder) noexcept override {
        return folders.count(folder) != 0 && readOnly.count(folder) == 0;
    }
    std::optional<std::string> ReadFile(const std::string& path, std::size_t maxBytes) noexcept override {
        if (files.count(path) == 0 || heldExclusively.count(path) != 0) return std::nullopt;
        return files[path].substr(0, maxBytes);
    }
    std::vector<ui::FileError> WriteFile(const std::string& path, std::string_view bytes) noexcept override {
        writes.push_back(path);
        if (const unsigned long refused = OpenError(path)) return {Error(refused), Error(6)};
        if (writeFailures.count(path) != 0) return writeFailures[path];
        if (heldShared.count(path) != 0) return {Error(5)};
        files[path] = std::string(bytes);
        return {};
    }
    std::string AnsiToUtf8(std::string_view ansi) noexcept override { return Latin1ToUtf8(ansi); }
    std::optional<std::string> Utf8ToAnsi(std::string_view utf8) noexcept override { return Utf8ToLatin1(utf8); }

    // A file with its parent folder.
    void AddFile(const std::string& path, const std::string& content) {
        folders.insert(ParentFolder(path));
        files[path] = content;
    }
    void AddFolder(const std::string& path) { folders.insert(path); }
    std::string Content(const std::string& path) const { return files.count(path) ? files.at(path) : ""; }

    std::map<std::string, std::string> files;
    std::set<std::string> folders;
    std::set<std::string> readOnly;         // files, and folders that take no new file
    std::set<std::string> heldShared;       // open elsewhere, sharing reading and writing
    std::set<std::string> heldExclusively;  // open elsewhere, sharing nothing
    std::map<std::string, std::vector<ui::FileError>> writeFailures;  // each failed step of a write
    std::vector<std::string> writes;        // every path a write was attempted on
    std::vector<std::string> createdFolders;

private:
    unsigned long OpenError(const std::string& path) const {
        const std::string parent = ParentFolder(path);
        if (Utf16Length(path.substr(path.rfind('\\') + 1)) > 255) return 206;
        if (folders.count(parent) == 0) return 3;
        if (readOnly.count(path) != 0 || readOnly.count(parent) != 0) return 5;
        return heldExclusively.count(path) != 0 ? 32 : 0;
    }
    static ui::FileError Error(unsigned long number) { return {number, "System error " + std::to_string(number)}; }
};

// Scripted answers (a path, or nothing for Cancel); every call is recorded.
class FakeFileDialogs : public ui::IFileDialogs {
public:
    struct Call {
        std::intptr_t owner;
        std::string filter, defaultExt, initDir, title;
    };
    bool ShowOpenFileDialog(std::intptr_t owner, const std::string& filter, short& index, std::string& fileName,
                            const std::string& initDir, const std::string& title,
                            std::string& chosenPath) noexcept override {
        return ShowSaveFileDialog(owner, filter, index, "", fileName, initDir, title, chosenPath);
    }
    bool ShowSaveFileDialog(std::intptr_t owner, const std::string& filter, short&, const std::string& defaultExt,
                            std::string& fileName, const std::string& initDir, const std::string& title,
                            std::string& chosenPath) noexcept override {
        calls.push_back({owner, filter, defaultExt, initDir, title});
        const std::optional<std::string> result = results.empty() ? std::nullopt : results.front();
        if (!results.empty()) results.pop_front();
        chosenPath = result.value_or("");
        if (result) fileName = result->substr(result->rfind('\\') + 1);
        return result.has_value();
    }

    std::deque<std::optional<std::string>> results;
    std::vector<Call> calls;
};

// What the layout keepers of one test did, kept after they are released.
struct LayoutLog {
    std::vector<std::string> placements;  // "Restore <section> <file>" or "Save ..."
    int minHeight = 0;
    int minWidth = 0;
    int refreshes = 0;
    bool bound = false;
    bool released = false;
};

class FakeLayout : public ui::IFormLayout {
public:
    explicit FakeLayout(LayoutLog& log) : log_(log) {}
    ~FakeLayout() override { log_.released = true; }
    void SetMode(int) noexcept override {}
    int MinHeight() const noexcept override { return log_.minHeight; }
    void SetMinHeight(int pixels) noexcept override { log_.minHeight = pixels; }
    int MinWidth() const noexcept override { return log_.minWidth; }
    void SetMinWidth(int pixels) noexcept override { log_.minWidth = pixels; }
    void BindForm(ui::IFormWindow&) noexcept override { log_.bound = true; }
    void SetForm(ui::IFormWindow&) noexcept override {}
    void PositionForm(ui::IFormWindow&, bool restore, const std::string& section,
                      const std::string& iniPath) noexcept override {
        log_.placements.push_back(std::string(restore ? "Restore " : "Save ") + section + " " + iniPath);
    }
    void Refresh() noexcept override { ++log_.refreshes; }

private:
    LayoutLog& log_;
};

}  // namespace kvex::testing
