#pragma once
// The full path of a loaded module (null: the process's exe).
#include <windows.h>

#include <string>

namespace kvex::win32 {

// Paths may exceed MAX_PATH; grows until the whole path fits. Empty when
// Windows cannot tell.
inline std::wstring ModulePath(HMODULE module) {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

}  // namespace kvex::win32
