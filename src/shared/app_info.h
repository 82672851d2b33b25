#pragma once
// The component's title and version, as PlugNameVersion and message titles show them.
#include <string>

namespace kvex {

inline constexpr const char* kAppTitle = "kvexfilt";
inline constexpr int kVersionMajor = 1;
inline constexpr int kVersionMinor = 0;
inline constexpr int kVersionRevision = 0;

// Title, a tab, then major.minor.revision: "kvexfilt\t1.0.0".
std::string PlugNameVersion();

}  // namespace kvex
