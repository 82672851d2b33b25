// kvexfilt from C++ through its interfaces (early binding):
//   kvexfilt-early.exe <filter folder>
// Build with kvexfilt_h.h and kvexfilt_i.c from the zip's include folder
// (MSVC: or #import "kvexfilt.tlb"). The DLL of the program's bitness must
// be registered.
#include <windows.h>

#include <cstdio>
#include <string>

#include "kvexfilt_h.h"
#include "sample_support.h"

using sample::Check;
using sample::Ref;
using sample::Text;

static int Run(const std::wstring& folder) {
    Ref<_clsFMfilter> fm;
    if (!Check(CoCreateInstance(CLSID_clsFMfilter, nullptr, CLSCTX_INPROC_SERVER, IID__clsFMfilter, fm.put()),
               "CoCreateInstance(clsFMfilter)"))
        return 1;
    Text version;
    if (!Check(fm->PlugNameVersion(version.address()), "PlugNameVersion")) return 1;
    std::printf("version: %ls\n", version.get());

    // Blocks until the user closes the dialog; the answer is True for OK
    // and Cancel alike: what the user kept is in filters.dlk.
    Text defaultFilter(L"*.txt"), where(folder.c_str()), none;
    VARIANT_BOOL shown = VARIANT_FALSE;
    if (!Check(fm->ShowFilterMakerDialog(defaultFilter.get(), where.get(), none.get(), none.get(), &shown),
               "ShowFilterMakerDialog"))
        return 1;
    sample::PrintFilterList(folder);

    Ref<_clsEFfilter> ef;
    if (!Check(CoCreateInstance(CLSID_clsEFfilter, nullptr, CLSCTX_INPROC_SERVER, IID__clsEFfilter, ef.put()),
               "CoCreateInstance(clsEFfilter)"))
        return 1;
    Text filter(L"*.htm");
    VARIANT_BOOL ok = VARIANT_FALSE;
    // VARIANT_TRUE (-1): the dialog shows the name-part icon.
    if (!Check(ef->ShowEditFilterDialog(filter.address(), VARIANT_TRUE, &ok), "ShowEditFilterDialog")) return 1;
    if (ok == VARIANT_TRUE)
        std::printf("edited: %ls\n", filter.get());
    else
        std::printf("cancelled: %ls\n", filter.get());
    return 0;
}

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::printf("usage: kvexfilt-early <filter folder>\n");
        return 2;
    }
    // The dialogs are modal windows of this thread: a single-threaded apartment.
    if (!Check(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), "CoInitializeEx")) return 1;
    const int result = Run(argv[1]);  // every reference is released inside
    CoUninitialize();
    return result;
}
