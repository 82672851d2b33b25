#include "beep_counter.h"

#include <atomic>
#include <cstring>

namespace kvex::testing {
namespace {

std::atomic<long> g_beeps{0};
std::atomic<bool> g_installed{false};
decltype(&MessageBeep) g_realMessageBeep = nullptr;
decltype(&Beep) g_realBeep = nullptr;

BOOL WINAPI CountingMessageBeep(UINT type) {
    ++g_beeps;
    return g_realMessageBeep ? g_realMessageBeep(type) : TRUE;
}

BOOL WINAPI CountingBeep(DWORD frequency, DWORD duration) {
    ++g_beeps;
    return g_realBeep ? g_realBeep(frequency, duration) : TRUE;
}

template <class T>
T At(HMODULE module, DWORD rva) {
    return reinterpret_cast<T>(reinterpret_cast<BYTE*>(module) + rva);
}

bool Redirect(ULONG_PTR* slot, void* replacement) {
    DWORD old = 0;
    if (!VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &old)) return false;
    *slot = reinterpret_cast<ULONG_PTR>(replacement);
    VirtualProtect(slot, sizeof *slot, old, &old);
    return true;
}

// Redirects one imported function of the named DLL; true when it was imported.
bool HookImport(HMODULE module, const char* dll, const char* function, void* replacement, void** real) {
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(module);
    auto* nt = At<IMAGE_NT_HEADERS*>(module, static_cast<DWORD>(dos->e_lfanew));
    const auto& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!dir.VirtualAddress) return false;
    for (auto* desc = At<IMAGE_IMPORT_DESCRIPTOR*>(module, dir.VirtualAddress); desc->Name; ++desc) {
        if (_stricmp(At<const char*>(module, desc->Name), dll) != 0) continue;
        auto* names = At<IMAGE_THUNK_DATA*>(module, desc->OriginalFirstThunk ? desc->OriginalFirstThunk
                                                                             : desc->FirstThunk);
        auto* slots = At<IMAGE_THUNK_DATA*>(module, desc->FirstThunk);
        const auto wanted = reinterpret_cast<ULONG_PTR>(GetProcAddress(GetModuleHandleA(dll), function));
        for (; names->u1.AddressOfData; ++names, ++slots) {
            bool match = false;
            if (desc->OriginalFirstThunk && !IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) {
                auto* byName = At<IMAGE_IMPORT_BY_NAME*>(module, static_cast<DWORD>(names->u1.AddressOfData));
                match = std::strcmp(reinterpret_cast<const char*>(byName->Name), function) == 0;
            } else {
                match = wanted && slots->u1.Function == wanted;
            }
            if (!match) continue;
            if (slots->u1.Function == reinterpret_cast<ULONG_PTR>(replacement)) return true;
            *real = reinterpret_cast<void*>(slots->u1.Function);
            return Redirect(&slots->u1.Function, replacement);
        }
    }
    return false;
}

}  // namespace

bool InstallBeepCounter(HMODULE component) {
    if (!component) return false;
    const bool messageBeep = HookImport(component, "user32.dll", "MessageBeep",
                                        reinterpret_cast<void*>(&CountingMessageBeep),
                                        reinterpret_cast<void**>(&g_realMessageBeep));
    const bool beep = HookImport(component, "kernel32.dll", "Beep", reinterpret_cast<void*>(&CountingBeep),
                                 reinterpret_cast<void**>(&g_realBeep));
    if (messageBeep || beep) g_installed = true;
    return messageBeep || beep;
}

bool BeepCounterInstalled() { return g_installed; }

long BeepCount() { return g_beeps.load(); }

}  // namespace kvex::testing
