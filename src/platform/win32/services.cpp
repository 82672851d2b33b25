#include "platform/win32/services.h"

#include <algorithm>

#include "platform/win32/form_window.h"
#include "platform/win32/handles.h"
#include "module_path.h"
#include "wide_text.h"

namespace kvex::win32 {
namespace {

// A name beside the target that nothing else uses.
unique_hfile CreateTempBeside(const std::wstring& target, std::wstring& tempPath, DWORD& error) {
    static unsigned counter = 0;
    const std::wstring base = target + L".~kvx";
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = base + std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(++counter);
        unique_hfile file(::CreateFileW(tempPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file) return file;
        error = ::GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) break;
    }
    tempPath.clear();
    return {};
}

// The target must take writing before anything is written: a read-only or
// locked file fails here, and is not touched. The read-only attribute is
// checked by name as well, since an administrator's handle may ignore it
// while replacing the file by renaming would not.
DWORD CheckTargetWritable(const std::wstring& target) {
    DWORD attributes = ::GetFileAttributesW(target.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return ERROR_SUCCESS;
    if (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) return ERROR_ACCESS_DENIED;
    unique_hfile probe(::CreateFileW(target.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return probe ? ERROR_SUCCESS : ::GetLastError();
}

bool WriteAll(HANDLE file, std::string_view bytes, DWORD& error) {
    while (!bytes.empty()) {
        DWORD chunk = bytes.size() > 0x40000000u ? 0x40000000u : static_cast<DWORD>(bytes.size());
        DWORD written = 0;
        if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr)) {
            error = ::GetLastError();
            return false;
        }
        bytes.remove_prefix(written);
    }
    return true;
}

// Puts the finished temporary file in the target's place with one rename,
// which either happens or leaves both files as they were. (ReplaceFile
// without a backup may fail half-way with the target already gone.) The
// new file takes the attributes of the one it replaces, hidden for one.
DWORD MoveIntoPlace(const std::wstring& temp, const std::wstring& target) {
    const DWORD attributes = ::GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) ::SetFileAttributesW(temp.c_str(), attributes);
    if (::MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return ERROR_SUCCESS;
    const DWORD error = ::GetLastError();
    // Left normal again so that it can be deleted.
    ::SetFileAttributesW(temp.c_str(), FILE_ATTRIBUTE_NORMAL);
    return error;
}

}  // namespace

std::string SystemErrorText(DWORD error) {
    wchar_t* buffer = nullptr;
    DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
        0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::string text;
    if (length && buffer) text = WideToUtf8(std::wstring_view(buffer, length));
    if (buffer) ::LocalFree(buffer);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) text.pop_back();
    if (text.empty()) text = "Error " + std::to_string(error);
    return text;
}

ui::FileError SystemError(DWORD error) { return ui::FileError{error, SystemErrorText(error)}; }

int Win32Messages::MessageBox(const std::string& text, const std::string& title, unsigned style) noexcept {
    HWND owner = ActiveModalForm();
    // With an owner the box disables it; without one, task-modal disables
    // every window of the thread, as the owner would have been.
    UINT modality = owner ? MB_APPLMODAL : MB_TASKMODAL;
    return ::MessageBoxW(owner, Utf8ToWide(text).c_str(), Utf8ToWide(title).c_str(), style | modality);
}

void Win32Messages::Beep() noexcept { ::MessageBeep(MB_OK); }

bool Win32FileSystem::PathExists(const std::string& path) noexcept {
    return ::GetFileAttributesW(Utf8ToWide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool Win32FileSystem::CreateFolder(const std::string& path) noexcept {
    return ::CreateDirectoryW(Utf8ToWide(path).c_str(), nullptr) != FALSE;
}

bool Win32FileSystem::CanCreateFileIn(const std::string& folder) noexcept {
    // A name of this process and moment, gone again when the handle closes.
    const std::string probe = folder + "\\kvexfilt-" + std::to_string(::GetCurrentProcessId()) + "-" +
                              std::to_string(::GetTickCount()) + ".tmp";
    unique_hfile file(::CreateFileW(Utf8ToWide(probe).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    return static_cast<bool>(file);
}

std::optional<std::string> Win32FileSystem::ReadFile(const std::string& path, std::size_t maxBytes) noexcept {
    unique_hfile file(::CreateFileW(Utf8ToWide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;
    std::string bytes;
    char buffer[16384];
    while (bytes.size() < maxBytes) {
        DWORD want = static_cast<DWORD>(std::min<std::size_t>(sizeof(buffer), maxBytes - bytes.size()));
        DWORD got = 0;
        if (!::ReadFile(file.get(), buffer, want, &got, nullptr)) return std::nullopt;
        if (got == 0) break;
        bytes.append(buffer, got);
    }
    return bytes;
}

std::vector<ui::FileError> Win32FileSystem::WriteFile(const std::string& utf8Path, std::string_view bytes) noexcept {
    std::vector<ui::FileError> errors;
    const std::wstring path = Utf8ToWide(utf8Path);
    // Open.
    std::wstring tempPath;
    unique_hfile temp;
    DWORD error = CheckTargetWritable(path);
    if (error == ERROR_SUCCESS) temp = CreateTempBeside(path, tempPath, error);
    if (!temp) {
        errors.push_back(SystemError(error));
        // Write: there is nothing open to write to.
        errors.push_back(SystemError(ERROR_INVALID_HANDLE));
        return errors;
    }
    // Write.
    bool written = WriteAll(temp.get(), bytes, error);
    if (!written) errors.push_back(SystemError(error));
    // Close.
    if (written && !::FlushFileBuffers(temp.get())) {
        written = false;
        errors.push_back(SystemError(::GetLastError()));
    }
    HANDLE raw = temp.release();
    if (!::CloseHandle(raw) && written) {
        written = false;
        errors.push_back(SystemError(::GetLastError()));
    }
    if (written) {
        error = MoveIntoPlace(tempPath, path);
        if (error != ERROR_SUCCESS) errors.push_back(SystemError(error));
        else return errors;
    }
    ::DeleteFileW(tempPath.c_str());
    return errors;
}

std::string Win32FileSystem::AnsiToUtf8(std::string_view ansi) noexcept {
    if (ansi.empty()) return {};
    const int size = static_cast<int>(ansi.size());
    const int length = ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, nullptr, 0);
    if (length <= 0) return {};
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, wide.data(), length);
    return WideToUtf8(wide);
}

std::optional<std::string> Win32FileSystem::Utf8ToAnsi(std::string_view utf8) noexcept {
    const std::wstring wide = Utf8ToWide(utf8);
    if (wide.empty()) return std::string();
    // No best fit: a character the code page lacks must not turn into a look-alike.
    const int size = static_cast<int>(wide.size());
    BOOL usedDefault = FALSE;
    const int length = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), size, nullptr, 0, nullptr,
                                             &usedDefault);
    if (length <= 0 || usedDefault) return std::nullopt;
    std::string ansi(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), size, ansi.data(), length, nullptr, &usedDefault);
    if (usedDefault) return std::nullopt;
    return ansi;
}

std::string ModuleFileName(HINSTANCE module) { return WideToUtf8(ModulePath(module)); }

std::string FolderOfModulePath(const std::string& path) {
    auto slash = path.find_last_of('\\');
    if (slash == std::string::npos) return {};
    std::string folder = path.substr(0, slash);
    if (folder.size() == 2 && folder[1] == ':') folder += '\\';
    return folder;
}

}  // namespace kvex::win32
