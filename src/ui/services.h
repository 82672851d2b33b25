#pragma once
// Services the forms use beside their controls: message boxes and the beep,
// files, the file dialogs and the window layout keeper.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/controls.h"

namespace kvex::ui {

// Message-box styles and answers, with their Win32 values.
namespace mb {
inline constexpr unsigned kOk = 0x0;
inline constexpr unsigned kYesNo = 0x4;
inline constexpr unsigned kIconStop = 0x10;
inline constexpr unsigned kIconQuestion = 0x20;
inline constexpr unsigned kIconExclamation = 0x30;
inline constexpr unsigned kDefButton2 = 0x100;
inline constexpr int kIdOk = 1;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;
}  // namespace mb

class IMessages {
public:
    virtual ~IMessages() = default;
    virtual int MessageBox(const std::string& text, const std::string& title, unsigned style) noexcept = 0;
    virtual void Beep() noexcept = 0;
};

// A failed step of a file operation: its system error number and description.
struct FileError {
    unsigned long number = 0;
    std::string description;
};

class IFileSystem {
public:
    virtual ~IFileSystem() = default;
    // True when the path names an existing file or folder.
    virtual bool PathExists(const std::string& path) noexcept = 0;
    // Creates one folder level; false when it could not.
    virtual bool CreateFolder(const std::string& path) noexcept = 0;
    // True when this user can create a file in the folder (tried, then removed).
    virtual bool CanCreateFileIn(const std::string& folder) noexcept = 0;
    // The file's first maxBytes bytes, or nothing when it cannot be opened or read.
    virtual std::optional<std::string> ReadFile(const std::string& path, std::size_t maxBytes) noexcept = 0;
    // Writes the file so that a failure never leaves it truncated: the old
    // content stays whole until the new one is complete. Returns the error of
    // each step that failed (open, write, close), empty on success.
    virtual std::vector<FileError> WriteFile(const std::string& path, std::string_view bytes) noexcept = 0;
    // The system's ANSI code page, in which list files are kept: its bytes as
    // UTF-8, and UTF-8 in it (nothing when a character has no exact form there).
    virtual std::string AnsiToUtf8(std::string_view ansi) noexcept = 0;
    virtual std::optional<std::string> Utf8ToAnsi(std::string_view utf8) noexcept = 0;
};

class IFileDialogs {
public:
    virtual ~IFileDialogs() = default;
    // True when the user chose a file: fileName gets its name, chosenPath the
    // full path. Otherwise chosenPath is emptied and the rest left alone.
    virtual bool ShowOpenFileDialog(std::intptr_t owner, const std::string& filter, short& filterIndex,
                                    std::string& fileName, const std::string& initDir,
                                    const std::string& title, std::string& chosenPath) noexcept = 0;
    virtual bool ShowSaveFileDialog(std::intptr_t owner, const std::string& filter, short& filterIndex,
                                    const std::string& defaultExt, std::string& fileName,
                                    const std::string& initDir, const std::string& title,
                                    std::string& chosenPath) noexcept = 0;
};

// Keeps a window's position in position.ini and a floor under its size.
class IFormLayout {
public:
    virtual ~IFormLayout() = default;
    virtual void SetMode(int mode) noexcept = 0;
    virtual int MinHeight() const noexcept = 0;
    virtual void SetMinHeight(int pixels) noexcept = 0;
    virtual int MinWidth() const noexcept = 0;
    virtual void SetMinWidth(int pixels) noexcept = 0;
    virtual void BindForm(IFormWindow& form) noexcept = 0;
    virtual void SetForm(IFormWindow& form) noexcept = 0;
    // restore true: put the window where it was saved; false: save where it is.
    virtual void PositionForm(IFormWindow& form, bool restore, const std::string& section,
                              const std::string& iniPath) noexcept = 0;
    virtual void Refresh() noexcept = 0;
};

// Everything a form needs from the platform besides its own controls.
class IFormServices {
public:
    virtual ~IFormServices() = default;
    virtual IMessages& Messages() noexcept = 0;
    virtual IFileSystem& Files() noexcept = 0;
    virtual IFileDialogs& FileDialogs() noexcept = 0;
    // Registers the common-control classes named by the flags.
    virtual void InitCommonCtrls(std::uint32_t flags) noexcept = 0;
    // A new layout object, or nullptr when none can be made.
    virtual std::unique_ptr<IFormLayout> CreateLayout() noexcept = 0;
};

}  // namespace kvex::ui
