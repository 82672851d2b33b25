#pragma once
// Window classes of the component's own windows. The child ids are in the
// forms' design tables (ui/filter_maker_design.h, ui/edit_filter_design.h).

namespace kvex::win32::ids {

// Window class of both forms' top-level windows.
inline constexpr const wchar_t* kFormClass = L"kvexfilt.Form";
// Window class of the input-error indicator.
inline constexpr const wchar_t* kIndicatorClass = L"kvexfilt.ErrInput";

}  // namespace kvex::win32::ids
