#pragma once
// Message boxes, the beep and files over the wide Win32 API; texts and paths
// are UTF-8 on this side.
#include <windows.h>

#include <string>

#include "ui/services.h"

namespace kvex::win32 {

// Message boxes are modal to the form on show, or to the whole thread when
// none is.
class Win32Messages : public ui::IMessages {
public:
    int MessageBox(const std::string& text, const std::string& title, unsigned style) noexcept override;
    void Beep() noexcept override;
};

class Win32FileSystem : public ui::IFileSystem {
public:
    bool PathExists(const std::string& path) noexcept override;
    bool CreateFolder(const std::string& path) noexcept override;
    bool CanCreateFileIn(const std::string& folder) noexcept override;
    std::optional<std::string> ReadFile(const std::string& path, std::size_t maxBytes) noexcept override;
    // Writes into a new file beside the target and puts it in the target's
    // place only once it is complete.
    std::vector<ui::FileError> WriteFile(const std::string& path, std::string_view bytes) noexcept override;
    std::string AnsiToUtf8(std::string_view ansi) noexcept override;
    std::optional<std::string> Utf8ToAnsi(std::string_view utf8) noexcept override;
};

// The system's description of an error number, without the line end.
std::string SystemErrorText(DWORD error);
ui::FileError SystemError(DWORD error);

// The module's file path as the system reports it.
std::string ModuleFileName(HINSTANCE module);
// The folder part of a file path: "D:\Tools\x.dll" gives "D:\Tools", a file in
// a drive's root gives the root "C:\".
std::string FolderOfModulePath(const std::string& path);

}  // namespace kvex::win32
