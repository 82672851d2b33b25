#include "platform/win32/win32_platform.h"

#include <shlobj.h>

#include <new>
#include <utility>

#include "platform/win32/activation_context.h"
#include "platform/win32/common_controls.h"
#include "platform/win32/form_layout.h"
#include "platform/win32/form_view.h"
#include "diagnostics.h"
#include "wide_text.h"

namespace kvex::win32 {

std::string Win32Platform::ComponentFolder() noexcept { return FolderOfModulePath(ModuleFileName(module_)); }

std::string Win32Platform::PerUserFolder() noexcept {
    wchar_t appData[MAX_PATH] = {};
    if (FAILED(::SHGetFolderPathW(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, appData)))
        return {};
    const std::wstring folder = std::wstring(appData) + L"\\kvexfilt";
    if (!::CreateDirectoryW(folder.c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS) return {};
    return WideToUtf8(folder);
}

namespace {
// What cannot be made (out of memory) is no dialog or no layout keeper: the
// callers go on without it.
template <class T, class... Args>
std::unique_ptr<T> MadeOrNull(Args&&... args) noexcept {
    try {
        return std::make_unique<T>(std::forward<Args>(args)...);
    } catch (const std::bad_alloc&) {
        ReportSwallowed("a form's part could not be made");
        return nullptr;
    }
}
}  // namespace

std::unique_ptr<ui::IFilterMakerView> Win32Platform::CreateFilterMakerView() noexcept {
    return MadeOrNull<FilterMakerView>(module_);
}

std::unique_ptr<ui::IEditFilterView> Win32Platform::CreateEditFilterView() noexcept {
    return MadeOrNull<EditFilterView>(module_);
}

void Win32Platform::InitCommonCtrls(std::uint32_t flags) noexcept {
    ActivationScope activation(module_);
    win32::InitCommonCtrls(flags);
}

std::unique_ptr<ui::IFormLayout> Win32Platform::CreateLayout() noexcept { return MadeOrNull<Win32FormLayout>(); }

namespace {

// Per-thread state has destructors that run when the host thread ends, which
// may be after COM has freed the DLL (CoUninitialize, then thread exit). Once
// a thread holds such state the module stays loaded for the process's life.
void PinModule(HINSTANCE module) {
    static const bool pinned = [module] {
        HMODULE self = nullptr;
        return GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                                  reinterpret_cast<LPCWSTR>(module), &self) != FALSE;
    }();
    (void)pinned;
}

}  // namespace

ui::IPlatform& ThreadPlatform(HINSTANCE module) {
    // Apartment threading: each host thread has its own platform, as it has
    // its own shared state.
    thread_local std::unique_ptr<Win32Platform> platform;
    if (!platform) {
        PinModule(module);
        platform = std::make_unique<Win32Platform>(module);
    }
    return *platform;
}

}  // namespace kvex::win32
