#pragma once
// The common Open and Save As dialogs through their wide entry points.
#include <windows.h>
#include <commdlg.h>

#include <string>

#include "ui/services.h"

namespace kvex::win32 {

inline constexpr DWORD kFileBufferChars = 260;
inline constexpr DWORD kOpenDialogFlags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;   // 0x81004
inline constexpr DWORD kSaveDialogFlags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT; // 0x80006

// The text before the first NUL, or all of it.
std::wstring_view TrimAtNull(std::wstring_view text);

// The dialog record with the texts it points into; fill it, show it, read it.
struct FileDialogRecord {
    FileDialogRecord() = default;
    FileDialogRecord(const FileDialogRecord&) = delete;
    FileDialogRecord& operator=(const FileDialogRecord&) = delete;

    OPENFILENAMEW ofn{};
    std::wstring filter;      // the caller's pairs and two closing NULs
    std::wstring fileBuffer;  // kFileBufferChars characters
    std::wstring initDir;
    std::wstring title;       // the caller's title and one NUL
    std::wstring defaultExt;
};

enum class FileDialogKind { Open, Save };

void FillFileDialogRecord(FileDialogRecord& record, FileDialogKind kind, HWND owner, const std::string& filter,
                          short filterIndex, const std::string& defaultExt, const std::string& fileName,
                          const std::string& initDir, const std::string& title);

// What a dialog that returned `accepted` hands back to the caller's arguments.
bool ReadFileDialogRecord(const FileDialogRecord& record, bool accepted, short& filterIndex,
                          std::string& fileName, std::string& chosenPath);

class Win32FileDialogs : public ui::IFileDialogs {
public:
    bool ShowOpenFileDialog(std::intptr_t owner, const std::string& filter, short& filterIndex,
                            std::string& fileName, const std::string& initDir, const std::string& title,
                            std::string& chosenPath) noexcept override;
    bool ShowSaveFileDialog(std::intptr_t owner, const std::string& filter, short& filterIndex,
                            const std::string& defaultExt, std::string& fileName, const std::string& initDir,
                            const std::string& title, std::string& chosenPath) noexcept override;
};

}  // namespace kvex::win32
