#pragma once
// The component's title and version, as PlugNameVersion and message titles show them.
#include <string>

#include "core/version.h"

namespace kvex {

inline constexpr const char* kAppTitle = "kvexfilt";
inline constexpr int kVersionMajor = KVEX_VERSION_MAJOR;
inline constexpr int kVersionMinor = KVEX_VERSION_MINOR;
inline constexpr int kVersionRevision = KVEX_VERSION_PATCH;

// Title, a tab, then major.minor.revision: "kvexfilt\t1.0.0".
std::string PlugNameVersion();

}  // namespace kvex
