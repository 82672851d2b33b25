#include "registration.h"

#include <oleauto.h>

#include <string>
#include <vector>

#include "com_table.h"
#include "com_util.h"
#include "module.h"
#include "type_library.h"

#if defined(__MINGW32__)
// In oleaut32 and its import library, but missing from mingw-w64's headers.
extern "C" {
__declspec(dllimport) HRESULT WINAPI RegisterTypeLibForUser(ITypeLib* typeLib, OLECHAR* fullPath,
                                                            OLECHAR* helpDir);
__declspec(dllimport) HRESULT WINAPI UnRegisterTypeLibForUser(REFGUID libId, WORD majorVersion,
                                                              WORD minorVersion, LCID lcid, SYSKIND sysKind);
}
#endif

namespace kvex::plugin {
namespace {

struct RegistryValue {
    std::wstring key;   // below the classes root
    std::wstring name;  // empty: the key's default value
    std::wstring data;
};

std::wstring GuidText(REFGUID guid) {
    wchar_t text[40] = {};
    StringFromGUID2(guid, text, ARRAYSIZE(text));
    return text;
}

// "3.1": how the registry writes a type library's version.
std::wstring VersionText(const TLIBATTR& library) {
    return std::to_wstring(library.wMajorVerNum) + L"." + std::to_wstring(library.wMinorVerNum);
}

// The table's text is ASCII (ids, ProgIDs, names).
std::wstring AsciiWide(const std::string& text) { return std::wstring(text.begin(), text.end()); }

// Everything the server writes besides the type library's own keys, parent
// keys before their children; the installer writes the same rows.
std::vector<RegistryValue> RegistrationTable(const std::wstring& modulePath) {
    std::vector<RegistryValue> table;
    for (const com_table::Row& row : com_table::ClassRows()) {
        table.push_back({AsciiWide(row.key), AsciiWide(row.name),
                         row.kind == com_table::Data::ModulePath ? modulePath : AsciiWide(row.text)});
    }
    return table;
}

HRESULT OpenClassesRoot(RegistrationScope scope, win32::unique_hkey& root) noexcept {
    const LSTATUS status =
        scope == RegistrationScope::Machine
            ? RegOpenKeyExW(HKEY_CLASSES_ROOT, nullptr, 0, KEY_ALL_ACCESS, root.put())
            : RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Classes", 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, root.put(), nullptr);
    return HRESULT_FROM_WIN32(status);
}

HRESULT WriteValue(HKEY root, const RegistryValue& value) noexcept {
    win32::unique_hkey key;
    LSTATUS status = RegCreateKeyExW(root, value.key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                     key.put(), nullptr);
    if (status == ERROR_SUCCESS) {
        const DWORD bytes = static_cast<DWORD>((value.data.size() + 1) * sizeof(wchar_t));
        status = RegSetValueExW(key.get(), value.name.empty() ? nullptr : value.name.c_str(), 0, REG_SZ,
                                reinterpret_cast<const BYTE*>(value.data.c_str()), bytes);
    }
    return HRESULT_FROM_WIN32(status);
}

HRESULT RemoveKeys(HKEY root, const std::vector<RegistryValue>& table) noexcept {
    HRESULT result = S_OK;
    for (auto it = table.rbegin(); it != table.rend(); ++it) {
        const LSTATUS status = RegDeleteTreeW(root, it->key.c_str());
        if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND && SUCCEEDED(result))
            result = HRESULT_FROM_WIN32(status);
    }
    return result;
}

std::wstring TypeLibraryKey(const TLIBATTR& library) {
    return L"TypeLib\\" + GuidText(library.guid) + L"\\" + VersionText(library);
}

// There is no help file, yet RegisterTypeLib records a help folder whatever
// it is given. Removed through the merged classes view, where a per-user
// registration lands on Windows and on Wine alike.
void RemoveHelpFolder(const TLIBATTR& library) noexcept {
    RegDeleteKeyW(HKEY_CLASSES_ROOT, (TypeLibraryKey(library) + L"\\HELPDIR").c_str());
}

HRESULT RegisterTypeLibrary(RegistrationScope scope, ITypeLib* library, std::wstring& modulePath) noexcept {
    // The API takes the path as writable text, though it only reads it.
    return scope == RegistrationScope::Machine ? RegisterTypeLib(library, modulePath.data(), nullptr)
                                               : RegisterTypeLibForUser(library, modulePath.data(), nullptr);
}

bool TypeLibraryRegistered(HKEY root, const TLIBATTR& library) {
    win32::unique_hkey opened;
    return RegOpenKeyExW(root, TypeLibraryKey(library).c_str(), 0, KEY_READ, opened.put()) == ERROR_SUCCESS;
}

HRESULT UnregisterTypeLibrary(RegistrationScope scope, HKEY root, const TLIBATTR& library) {
    const HRESULT hr =
        scope == RegistrationScope::Machine
            ? UnRegisterTypeLib(library.guid, library.wMajorVerNum, library.wMinorVerNum, library.lcid,
                                library.syskind)
            : UnRegisterTypeLibForUser(library.guid, library.wMajorVerNum, library.wMinorVerNum,
                                       library.lcid, library.syskind);
    // Systems differ in what they answer for a library that is not
    // registered: only one that is still there is a failure.
    return FAILED(hr) && !TypeLibraryRegistered(root, library) ? S_OK : hr;
}

// The embedded library and its attributes, for the table and for the
// type library's own registration.
class OwnLibrary {
public:
    OwnLibrary(const OwnLibrary&) = delete;
    OwnLibrary& operator=(const OwnLibrary&) = delete;
    OwnLibrary() = default;
    ~OwnLibrary() {
        if (attr_) lib_->ReleaseTLibAttr(attr_);
    }
    HRESULT Load() noexcept {
        HRESULT hr = LoadOwnTypeLib(lib_);
        if (SUCCEEDED(hr)) hr = lib_->GetLibAttr(&attr_);
        return hr;
    }
    ITypeLib* Get() const noexcept { return lib_.get(); }
    const TLIBATTR& Attr() const noexcept { return *attr_; }

private:
    win32::com_ptr<ITypeLib> lib_;
    TLIBATTR* attr_ = nullptr;
};

HRESULT Register(RegistrationScope scope) {
    OwnLibrary library;
    HRESULT hr = library.Load();
    if (FAILED(hr)) return hr;
    win32::unique_hkey root;
    hr = OpenClassesRoot(scope, root);
    if (FAILED(hr)) return hr;
    std::wstring modulePath = ModulePath();
    const std::vector<RegistryValue> table = RegistrationTable(modulePath);
    for (const RegistryValue& value : table) {
        hr = WriteValue(root.get(), value);
        if (FAILED(hr)) break;
    }
    if (SUCCEEDED(hr)) hr = RegisterTypeLibrary(scope, library.Get(), modulePath);
    if (SUCCEEDED(hr)) RemoveHelpFolder(library.Attr());
    if (FAILED(hr)) {
        // Half a registration would leave a class that cannot be created.
        UnregisterTypeLibrary(scope, root.get(), library.Attr());
        RemoveKeys(root.get(), table);
    }
    return hr;
}

HRESULT Unregister(RegistrationScope scope) {
    OwnLibrary library;
    HRESULT hr = library.Load();
    if (FAILED(hr)) return hr;
    win32::unique_hkey root;
    hr = OpenClassesRoot(scope, root);
    if (FAILED(hr)) return hr;
    // The type library goes first, while its registration still names this file.
    const HRESULT typeLibResult = UnregisterTypeLibrary(scope, root.get(), library.Attr());
    hr = RemoveKeys(root.get(), RegistrationTable(ModulePath()));
    return FAILED(typeLibResult) ? typeLibResult : hr;
}

}  // namespace

HRESULT RegisterServer(RegistrationScope scope) noexcept {
    return com::GuardedCall([&] { return Register(scope); });
}

HRESULT UnregisterServer(RegistrationScope scope) noexcept {
    return com::GuardedCall([&] { return Unregister(scope); });
}

}  // namespace kvex::plugin
