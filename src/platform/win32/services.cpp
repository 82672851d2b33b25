#include "platform/win32/services.h"

#include <algorithm>

#include "platform/win32/form_window.h"
#include "platform/win32/handles.h"

namespace kvex::win32 {
namespace {

std::wstring Widen(const std::string& text) {
    if (text.empty()) return {};
    int length = ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

// A name beside the target that nothing else uses.
UniqueFile CreateTempBeside(const std::string& target, std::string& tempPath, DWORD& error) {
    static unsigned counter = 0;
    const std::string base = target + ".~kvx";
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = base + std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(++counter);
        UniqueFile file(::CreateFileA(tempPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
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
DWORD CheckTargetWritable(const std::string& target) {
    DWORD attributes = ::GetFileAttributesA(target.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return ERROR_SUCCESS;
    if (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) return ERROR_ACCESS_DENIED;
    UniqueFile probe(::CreateFileA(target.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
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
DWORD MoveIntoPlace(const std::string& temp, const std::string& target) {
    const DWORD attributes = ::GetFileAttributesA(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) ::SetFileAttributesA(temp.c_str(), attributes);
    if (::MoveFileExA(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return ERROR_SUCCESS;
    const DWORD error = ::GetLastError();
    // Left normal again so that it can be deleted.
    ::SetFileAttributesA(temp.c_str(), FILE_ATTRIBUTE_NORMAL);
    return error;
}

}  // namespace

std::string SystemErrorText(DWORD error) {
    char* buffer = nullptr;
    DWORD length = ::FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
        0, reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string text;
    if (length && buffer) text.assign(buffer, length);
    if (buffer) ::LocalFree(buffer);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) text.pop_back();
    if (text.empty()) text = "Error " + std::to_string(error);
    return text;
}

ui::FileError SystemError(DWORD error) { return ui::FileError{error, SystemErrorText(error)}; }

int Win32Messages::MessageBox(const std::string& text, const std::string& title, unsigned style) {
    HWND owner = ActiveModalForm();
    // With an owner the box disables it; without one, task-modal disables
    // every window of the thread, as the owner would have been.
    UINT modality = owner ? MB_APPLMODAL : MB_TASKMODAL;
    return ::MessageBoxA(owner, text.c_str(), title.c_str(), style | modality);
}

void Win32Messages::Beep() { ::MessageBeep(MB_OK); }

bool Win32FileSystem::PathExists(const std::string& path) {
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool Win32FileSystem::CreateFolder(const std::string& path) {
    return ::CreateDirectoryA(path.c_str(), nullptr) != FALSE;
}

bool Win32FileSystem::CanCreateFileIn(const std::string& folder) {
    // A name of this process and moment, gone again when the handle closes.
    const std::string probe = folder + "\\kvexfilt-" + std::to_string(::GetCurrentProcessId()) + "-" +
                              std::to_string(::GetTickCount()) + ".tmp";
    UniqueFile file(::CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    return static_cast<bool>(file);
}

std::optional<std::string> Win32FileSystem::ReadFile(const std::string& path, std::size_t maxBytes) {
    UniqueFile file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
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

std::vector<ui::FileError> Win32FileSystem::WriteFile(const std::string& path, std::string_view bytes) {
    std::vector<ui::FileError> errors;
    // Open.
    std::string tempPath;
    UniqueFile temp;
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
    ::DeleteFileA(tempPath.c_str());
    return errors;
}

std::string ModuleFileName(HINSTANCE module) {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        DWORD n = ::GetModuleFileNameA(module, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return {};
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::string FolderOfModulePath(const std::string& path) {
    auto slash = path.find_last_of('\\');
    if (slash == std::string::npos) return {};
    std::string folder = path.substr(0, slash);
    if (folder.size() == 2 && folder[1] == ':') folder += '\\';
    return folder;
}

bool AnsiTextLess(const std::string& a, const std::string& b) { return Widen(a) < Widen(b); }

}  // namespace kvex::win32
