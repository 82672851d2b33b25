#include "platform/win32/common_controls.h"

#include "platform/win32/handles.h"

namespace kvex::win32 {

void InitCommonCtrlsWith(InitCommonControlsExFn initEx, InitCommonControlsFn init, std::uint32_t flags) {
    INITCOMMONCONTROLSEX record{};
    record.dwSize = 8;
    record.dwICC = flags;
    if (initEx && initEx(&record)) return;
    if (init) init();
}

void InitCommonCtrls(std::uint32_t flags) {
    // Loaded on the first call, which runs inside the component's activation
    // context, so this is version 6 when the manifest asks for it; it stays
    // loaded, since the classes it registers live in it.
    static const unique_hmodule comctl(::LoadLibraryA("comctl32.dll"));
    auto initEx = comctl ? reinterpret_cast<InitCommonControlsExFn>(
                               reinterpret_cast<void*>(::GetProcAddress(comctl.get(), "InitCommonControlsEx")))
                         : nullptr;
    InitCommonCtrlsWith(initEx, &::InitCommonControls, flags);
}

}  // namespace kvex::win32
