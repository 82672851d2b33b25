#pragma once
// The two dialogs as the tests see them: each control found once, by class
// and caption where it has one, by its fixed id otherwise.
#include <windows.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace kvex::testing {

inline constexpr wchar_t kDefaultFilter[] = L"*.htm;*.html";
inline constexpr wchar_t kEditFilterCaption[] = L"Edit Filter - Always test your filters for desired results";

struct FilterMakerWindow {
    HWND window = nullptr;
    HWND lstPat = nullptr;
    HWND txtEF = nullptr;
    HWND txtFE = nullptr;
    HWND lblF = nullptr;
    HWND countLabel = nullptr;   // lblDum(3)
    HWND lengthLabel = nullptr;  // lblDum(5)
    HWND errInput1 = nullptr;
    HWND errInput2 = nullptr;
    HWND testAdd = nullptr;      // cmdTools(0)
    HWND remove = nullptr;       // cmdTools(1)
    HWND combine = nullptr;      // cmdTools(2)
    HWND up = nullptr;           // cmdPatU
    HWND down = nullptr;         // cmdPatD
    HWND cmdNew = nullptr;
    HWND cmdOpen = nullptr;
    HWND cmdSave = nullptr;
    HWND cmdSaveAs = nullptr;
    HWND cmdOK = nullptr;
    HWND cmdCancel = nullptr;
    std::array<HWND, 2> image1{};

    // Empty when the window lacks any of its controls; missing names what.
    static std::optional<FilterMakerWindow> Find(HWND window, std::wstring* missing = nullptr);

    std::vector<std::wstring> Items() const;
    std::wstring CountText() const;
    std::wstring LengthText() const;
};

struct EditFilterWindow {
    HWND window = nullptr;
    HWND txtEF = nullptr;
    HWND errInput1 = nullptr;
    std::array<HWND, 7> cmdE{};
    HWND cmdOK = nullptr;
    HWND cmdCancel = nullptr;

    static std::optional<EditFilterWindow> Find(HWND window, std::wstring* missing = nullptr);
};

// "n filters defined", the count label's text for n entries.
std::wstring CountLabelFor(size_t entries);

}  // namespace kvex::testing
