#include "core/app_info.h"

namespace kvex {

std::string PlugNameVersion() {
    return std::string(kAppTitle) + '\t' + std::to_string(kVersionMajor) + '.' +
           std::to_string(kVersionMinor) + '.' + std::to_string(kVersionRevision);
}

}  // namespace kvex
