#include "component_env.h"

#include <atomic>
#include <fstream>
#include <iterator>
#include <system_error>

#include "beep_counter.h"

namespace kvex::testing {
namespace {

std::wstring ReadDefaultValue(HKEY root, const std::wstring& subKey) {
    wchar_t value[MAX_PATH * 2] = {};
    DWORD size = sizeof value;
    if (RegGetValueW(root, subKey.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, value, &size) !=
        ERROR_SUCCESS) {
        return {};
    }
    return value;
}

}  // namespace

std::filesystem::path RegisteredServerPath(const wchar_t* progId) {
    const std::wstring clsid = ReadDefaultValue(HKEY_CLASSES_ROOT, std::wstring(progId) + L"\\CLSID");
    if (clsid.empty()) return {};
    return ReadDefaultValue(HKEY_CLASSES_ROOT, L"CLSID\\" + clsid + L"\\InprocServer32");
}

HMODULE PinnedComponent() {
    static const HMODULE module = [] {
        const auto path = RegisteredServerPath(L"kvexfilt.clsFMfilter");
        HMODULE loaded = path.empty() ? nullptr : LoadLibraryW(path.c_str());
        if (loaded) InstallBeepCounter(loaded);
        return loaded;
    }();
    return module;
}

std::filesystem::path ComponentFolder() {
    return RegisteredServerPath(L"kvexfilt.clsFMfilter").parent_path();
}

TempFolder::TempFolder() {
    static std::atomic<int> serial{0};
    wchar_t base[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, base);
    path_ = std::filesystem::path(base) /
            (L"kvex-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++serial));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string ReadBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string CrLfLines(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& line : lines) out += line + "\r\n";
    return out;
}

}  // namespace kvex::testing
