#pragma once
// Project-wide state, one copy per host thread (the component is apartment
// threaded), and the path rules every folder of the component follows.
#include <string>
#include <string_view>

namespace kvex {

inline constexpr const char* kDefaultFilter = "*.htm;*.html";
inline constexpr const char* kFilterFolderName = "Filters";
inline constexpr const char* kFilterListFileName = "filters.dlk";
inline constexpr const char* kPositionFileName = "position.ini";

struct SharedState {
    std::string gsAppPath;        // folder of the component's own file
    std::string gsFilterFolder;   // folder of filters.dlk
    std::string gsDefaultFilter;  // entry 0 of the filter list
    // File dialog exchange.
    std::string sCDlgInitDir;
    std::string sCDlgFileTitle;
    std::string sCDlgFileName;
};

// This thread's state.
SharedState& ThreadState();

// A folder as stored: one trailing "\" removed (D:\Tools\ -> D:\Tools, C:\ -> C:).
std::string FolderWithoutTrailingBackslash(std::string_view folder);

// folder + "\" + name.
std::string JoinPath(std::string_view folder, std::string_view name);

// The text after the last separator (the whole text when there is none).
std::string GetLastPart(std::string_view path, std::string_view separator);

}  // namespace kvex
