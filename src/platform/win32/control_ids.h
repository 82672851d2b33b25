#pragma once
// Fixed child-window ids of the two forms, so that tests and tools can find
// each control with GetDlgItem. None is 1 (IDOK) or 2 (IDCANCEL): the dialog
// manager sends those for Enter and Escape, and neither key may press a button.

namespace kvex::win32::ids {

// Window class of both forms' top-level windows.
inline constexpr const wchar_t* kFormClass = L"kvexfilt.Form";
// Window class of the input-error indicator.
inline constexpr const wchar_t* kIndicatorClass = L"kvexfilt.ErrInput";

// Filter Maker (frmFM).
inline constexpr int kFmLstPat = 1001;
inline constexpr int kFmLblDum0 = 1010;  // lblDum(i) is kFmLblDum0 + i, i = 0..5
inline constexpr int kFmLblF = 1020;
inline constexpr int kFmTxtEF = 1021;
inline constexpr int kFmTxtFE = 1022;
inline constexpr int kFmErrInput1 = 1023;
inline constexpr int kFmErrInput2 = 1024;
inline constexpr int kFmCmdTools0 = 1030;  // cmdTools(i) is kFmCmdTools0 + i, i = 0..2
inline constexpr int kFmCmdPatU = 1035;
inline constexpr int kFmCmdPatD = 1036;
inline constexpr int kFmCmdNew = 1040;
inline constexpr int kFmCmdOpen = 1041;
inline constexpr int kFmCmdSave = 1042;
inline constexpr int kFmCmdSaveAs = 1043;
inline constexpr int kFmCmdOK = 1044;
inline constexpr int kFmCmdCancel = 1045;
inline constexpr int kFmImage1_0 = 1050;  // Image1(i) is kFmImage1_0 + i, i = 0..1

// Edit Filter (frmEF).
inline constexpr int kEfTxtEF = 2001;
inline constexpr int kEfErrInput1 = 2002;
inline constexpr int kEfCmdE0 = 2010;  // cmdE(i) is kEfCmdE0 + i, i = 0..6
inline constexpr int kEfCmdOK = 2020;
inline constexpr int kEfCmdCancel = 2021;

}  // namespace kvex::win32::ids
