#include "platform/win32/file_dialogs.h"

#include <cstddef>

#include "wide_text.h"

namespace kvex::win32 {
namespace {

// The record size without the three fields Windows 2000 added. It is 76
// bytes on 32-bit Windows; the 64-bit comdlg32 knows the same layout only at
// its own, larger size (pointers are wider), and refuses a literal 76 there.
// This is OPENFILENAME_SIZE_VERSION_400W, spelled so the compiler can check it.
constexpr DWORD kRecordSize = offsetof(OPENFILENAMEW, lpTemplateName) + sizeof(OPENFILENAMEW::lpTemplateName);
#if defined(_WIN32) && !defined(_WIN64)
static_assert(kRecordSize == 76, "the dialog record of 32-bit Windows is 76 bytes");
#endif

bool ShowDialog(FileDialogKind kind, HWND owner, const std::string& filter, short& filterIndex,
                const std::string& defaultExt, std::string& fileName, const std::string& initDir,
                const std::string& title, std::string& chosenPath) {
    FileDialogRecord record;
    FillFileDialogRecord(record, kind, owner, filter, filterIndex, defaultExt, fileName, initDir, title);
    BOOL accepted = kind == FileDialogKind::Open ? ::GetOpenFileNameW(&record.ofn) : ::GetSaveFileNameW(&record.ofn);
    return ReadFileDialogRecord(record, accepted != FALSE, filterIndex, fileName, chosenPath);
}

}  // namespace

std::wstring_view TrimAtNull(std::wstring_view text) { return text.substr(0, text.find(L'\0')); }

void FillFileDialogRecord(FileDialogRecord& record, FileDialogKind kind, HWND owner, const std::string& filter,
                          short filterIndex, const std::string& defaultExt, const std::string& fileName,
                          const std::string& initDir, const std::string& title) {
    record.filter = Utf8ToWide(filter) + std::wstring(2, L'\0');
    record.fileBuffer = Utf8ToWide(fileName).substr(0, kFileBufferChars - 1);
    record.fileBuffer.resize(kFileBufferChars, L'\0');
    record.initDir = Utf8ToWide(initDir);
    record.title = Utf8ToWide(title) + std::wstring(1, L'\0');
    record.defaultExt = Utf8ToWide(defaultExt);

    OPENFILENAMEW& ofn = record.ofn;
    ofn = OPENFILENAMEW{};
    ofn.lStructSize = kRecordSize;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = record.filter.c_str();
    ofn.nFilterIndex = static_cast<DWORD>(static_cast<unsigned short>(filterIndex));
    ofn.lpstrFile = record.fileBuffer.data();
    ofn.nMaxFile = kFileBufferChars;
    ofn.lpstrInitialDir = record.initDir.c_str();
    ofn.lpstrTitle = record.title.c_str();
    if (kind == FileDialogKind::Open) {
        ofn.Flags = kOpenDialogFlags;
    } else {
        ofn.Flags = kSaveDialogFlags;
        ofn.lpstrDefExt = record.defaultExt.c_str();
    }
}

bool ReadFileDialogRecord(const FileDialogRecord& record, bool accepted, short& filterIndex,
                          std::string& fileName, std::string& chosenPath) {
    if (!accepted) {
        chosenPath.clear();
        return false;
    }
    filterIndex = static_cast<short>(record.ofn.nFilterIndex);
    const std::wstring_view buffer(record.fileBuffer);
    std::size_t offset = record.ofn.nFileOffset;
    fileName = offset < buffer.size() ? WideToUtf8(TrimAtNull(buffer.substr(offset))) : std::string();
    chosenPath = WideToUtf8(TrimAtNull(buffer));
    return true;
}

bool Win32FileDialogs::ShowOpenFileDialog(std::intptr_t owner, const std::string& filter, short& filterIndex,
                                          std::string& fileName, const std::string& initDir,
                                          const std::string& title, std::string& chosenPath) noexcept {
    return ShowDialog(FileDialogKind::Open, reinterpret_cast<HWND>(owner), filter, filterIndex, std::string(),
                      fileName, initDir, title, chosenPath);
}

bool Win32FileDialogs::ShowSaveFileDialog(std::intptr_t owner, const std::string& filter, short& filterIndex,
                                          const std::string& defaultExt, std::string& fileName,
                                          const std::string& initDir, const std::string& title,
                                          std::string& chosenPath) noexcept {
    return ShowDialog(FileDialogKind::Save, reinterpret_cast<HWND>(owner), filter, filterIndex, defaultExt,
                      fileName, initDir, title, chosenPath);
}

}  // namespace kvex::win32
