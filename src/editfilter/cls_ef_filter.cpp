#include "editfilter/cls_ef_filter.h"

#include "shared/app_info.h"

namespace kvex {

std::string ClsEFfilter::PlugNameVersion() { return kvex::PlugNameVersion(); }

}  // namespace kvex
