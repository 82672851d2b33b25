#pragma once
// Where the registered component lives and the files the tests hand it.
#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

namespace kvex::testing {

// The DLL path registered for the ProgID (InprocServer32); empty when the
// class is not registered.
std::filesystem::path RegisteredServerPath(const wchar_t* progId);

// Loads the registered component once and keeps it loaded for the whole run,
// so that patches to its import table (the beep counter) survive the
// apartments that come and go; nullptr when it cannot be loaded.
HMODULE PinnedComponent();

// The component's folder: position.ini and the default Filters folder live here.
std::filesystem::path ComponentFolder();

// A fresh folder under %TEMP%, removed with everything in it at the end.
class TempFolder {
public:
    TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder();
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::wstring& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

std::string ReadBytes(const std::filesystem::path& file);
void WriteBytes(const std::filesystem::path& file, const std::string& bytes);
// Lines joined with CR LF after each, as the component writes list files.
std::string CrLfLines(const std::vector<std::string>& lines);

}  // namespace kvex::testing
