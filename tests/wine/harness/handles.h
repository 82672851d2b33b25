#pragma once
// The harness holds what it opens in the support library's owners.
#include "unique_any.h"
#include "wide_text.h"

namespace kvex::testing {

using win32::com_apartment;
using win32::com_ptr;
using win32::MakeBstr;
using win32::unique_bstr;
using win32::unique_handle;
using win32::unique_hfile;
using win32::unique_hkey;
using win32::unique_variant;

}  // namespace kvex::testing
