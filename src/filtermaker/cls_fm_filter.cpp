#include "filtermaker/cls_fm_filter.h"

#include "shared/app_info.h"

namespace kvex {

std::string ClsFMfilter::PlugNameVersion() { return kvex::PlugNameVersion(); }

}  // namespace kvex
