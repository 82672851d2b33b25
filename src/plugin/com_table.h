#pragma once
// The registry rows of the server, in portable C++: DllRegisterServer writes
// the class rows itself (and has RegisterTypeLib write the library's), and
// the installer generator (tools/kvex_wxs.cpp) prints all of them as MSI
// registry rows, so a package registers exactly what regsvr32 would.
#include <string>
#include <vector>

#include "com_ids.h"

namespace kvex::com_table {

struct ClassEntry {
    const char* clsid;   // "{...}", as the registry spells it
    const char* progId;  // also the class key's description
};

struct InterfaceEntry {
    const char* iid;
    const char* name;
};

inline constexpr ClassEntry kClasses[] = {
    {"{" KVEX_CLSID_FM "}", "kvexfilt.clsFMfilter"},
    {"{" KVEX_CLSID_EF "}", "kvexfilt.clsEFfilter"},
};

inline constexpr InterfaceEntry kInterfaces[] = {
    {"{" KVEX_IID_FM "}", "_clsFMfilter"},
    {"{" KVEX_IID_EF "}", "_clsEFfilter"},
};

inline constexpr const char* kLibId = "{" KVEX_LIBID "}";
inline constexpr const char* kLibVersion = KVEX_LIB_VERSION_TEXT;
inline constexpr const char* kLibDescription = KVEX_LIB_HELPSTRING;
// The standard marshaler of dual interfaces described by a type library.
inline constexpr const char* kOleAutomationProxy = "{00020424-0000-0000-C000-000000000046}";

// What a row's data is: fixed text, or a path known only where it is written.
enum class Data { Text, ModulePath };

struct Row {
    std::string key;   // below the classes root
    std::string name;  // empty: the key's default value
    Data kind;
    std::string text;  // for Data::Text
};

// The rows DllRegisterServer writes itself, parent keys before their children.
inline std::vector<Row> ClassRows() {
    std::vector<Row> rows;
    for (const ClassEntry& entry : kClasses) {
        const std::string classKey = std::string("CLSID\\") + entry.clsid;
        rows.push_back({classKey, "", Data::Text, entry.progId});
        rows.push_back({classKey + "\\InprocServer32", "", Data::ModulePath, ""});
        rows.push_back({classKey + "\\InprocServer32", "ThreadingModel", Data::Text, "Apartment"});
        rows.push_back({classKey + "\\ProgID", "", Data::Text, entry.progId});
        rows.push_back({classKey + "\\TypeLib", "", Data::Text, kLibId});
        rows.push_back({classKey + "\\VERSION", "", Data::Text, kLibVersion});
        rows.push_back({entry.progId, "", Data::Text, entry.progId});
        rows.push_back({std::string(entry.progId) + "\\CLSID", "", Data::Text, entry.clsid});
    }
    return rows;
}

// The library's own rows, as RegisterTypeLib writes them from the embedded
// type library (less the help folder, which the DLL removes: no help file).
// platform: "win32" or "win64", the library's SYSKIND.
inline std::vector<Row> TypeLibRows(const std::string& platform) {
    const std::string libKey = std::string("TypeLib\\") + kLibId + "\\" + kLibVersion;
    std::vector<Row> rows = {
        {libKey, "", Data::Text, kLibDescription},
        {libKey + "\\0\\" + platform, "", Data::ModulePath, ""},
        {libKey + "\\FLAGS", "", Data::Text, "0"},
    };
    for (const InterfaceEntry& entry : kInterfaces) {
        const std::string key = std::string("Interface\\") + entry.iid;
        rows.push_back({key, "", Data::Text, entry.name});
        rows.push_back({key + "\\ProxyStubClsid", "", Data::Text, kOleAutomationProxy});
        rows.push_back({key + "\\ProxyStubClsid32", "", Data::Text, kOleAutomationProxy});
        rows.push_back({key + "\\TypeLib", "", Data::Text, kLibId});
        rows.push_back({key + "\\TypeLib", "Version", Data::Text, kLibVersion});
    }
    return rows;
}

}  // namespace kvex::com_table
