// kvex_wxs: prints the WiX source of an installer package, for wixl.
//   kvex_wxs x64|x86|user [version [product-code]]
//                                    version: "1.0.0" (default: this build's);
//                                    product code: "{GUID}" (default: wixl's)
//   kvex_wxs version                  prints this build's version
// The x64 package carries both DLLs and registers each for its own hosts;
// the x86 package carries the 32-bit DLL alone. The user package is the x64
// one for the current user alone: no elevation, the DLLs under the profile's
// LocalAppData\Programs\kvexfilt\x64 and \x86, the rows under
// HKCU\Software\Classes as regsvr32 /n /i:user writes them. The rows come from
// com_table.h, the table DllRegisterServer writes from, so installing the
// package leaves the registry exactly as regsvr32 of the same files would.
#include <cstdio>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "com_table.h"
#include "core/version.h"

namespace {

using kvex::com_table::Data;
using kvex::com_table::Row;

// One product for all versions of a package: MajorUpgrade replaces in place.
constexpr const char* kUpgradeCodeX64 = "{C2BBD713-65A3-48B9-A44D-CD95D1E5D975}";
constexpr const char* kUpgradeCodeX86 = "{13CE426F-DB80-46E7-9FE9-24F00AF12F57}";
// Components keep their ids across versions (their contents never move).
constexpr const char* kComponent64 = "{D42E2579-0DA7-445B-BE7D-DD327ED4A900}";
constexpr const char* kComponent32InX64 = "{A4F1CD52-DCF6-4A40-87A7-88FE59D76332}";
constexpr const char* kComponent32Alone = "{E7672168-2100-4640-B116-3186AEA41E49}";
// Another place and another hive: another product and other components.
constexpr const char* kUpgradeCodeUser = "{358FFB74-0F9A-4D02-9264-16725589DA34}";
constexpr const char* kComponent64User = "{39D4546E-23CC-48BA-9DE8-845151803C3A}";
constexpr const char* kComponent32User = "{BC87A45D-A412-4318-B825-C7585CBB0CE2}";
constexpr const char* kComponentUserFolder = "{4F22F06F-B18C-4FB8-83D8-86BD0E7266D1}";

enum class Kind { X64, X86, User };

std::string Xml(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default: out += c;
        }
    }
    return out;
}

bool StartsWith(const std::string& text, const std::string& prefix) { return text.rfind(prefix, 0) == 0; }

// ProgIDs and type libraries are one key for both registry views, so only
// the 64-bit component of the x64 package writes them.
bool SharedKey(const Row& row) { return !StartsWith(row.key, "CLSID\\") && !StartsWith(row.key, "Interface\\"); }

// Which DLL a row's paths name: its file and its folder.
struct Module {
    std::string fileId;
    std::string folderId;
};

struct Entry {
    Row row;
    Module module;
};

struct Component {
    std::string id;
    std::string guid;
    bool win64;
    Module module;
    std::string source;  // relative to the dist folder
    std::vector<Entry> entries;
};

// A row's data as an MSI formatted string.
std::string Formatted(const Entry& entry) {
    switch (entry.row.kind) {
        case Data::ModulePath: return "[#" + entry.module.fileId + "]";
        case Data::Text: break;
    }
    return entry.row.text;
}

void PrintComponent(const Component& c, const char* root, const char* indent) {
    std::printf("%s<Component Id=\"%s\" Guid=\"%s\" Win64=\"%s\">\n", indent, c.id.c_str(), c.guid.c_str(),
                c.win64 ? "yes" : "no");
    std::printf("%s  <File Id=\"%s\" Name=\"kvexfilt.dll\" Source=\"%s\" KeyPath=\"yes\"/>\n", indent,
                c.module.fileId.c_str(), c.source.c_str());
    // The folder goes only when empty: the lists (Filters) and position.ini
    // the dialogs wrote beside the DLL are the users' and stay.
    std::printf("%s  <RemoveFolder Id=\"%sFolder\" On=\"uninstall\"/>\n", indent, c.id.c_str());
    std::set<std::pair<std::string, std::string>> written;
    int n = 0;
    for (const Entry& entry : c.entries) {
        const Row& row = entry.row;
        if (!written.insert({row.key, row.name}).second) continue;
        std::printf("%s  <RegistryValue Id=\"%s_%d\" Root=\"%s\" Key=\"Software\\Classes\\%s\"", indent,
                    c.id.c_str(), ++n, root, Xml(row.key).c_str());
        if (!row.name.empty()) std::printf(" Name=\"%s\"", Xml(row.name).c_str());
        std::printf(" Type=\"string\" Value=\"%s\"/>\n", Xml(Formatted(entry)).c_str());
    }
    std::printf("%s</Component>\n", indent);
}

void Append(Component& to, const std::vector<Row>& rows, bool shared, const Module& module) {
    for (const Row& row : rows)
        if (SharedKey(row) == shared) to.entries.push_back({row, module});
}

int PrintPackage(Kind kind, const std::string& version, const std::string& productCode) {
    const bool x64 = kind != Kind::X86;
    const bool user = kind == Kind::User;
    const std::vector<Row> classRows = kvex::com_table::ClassRows();
    const std::vector<Row> lib32 = kvex::com_table::TypeLibRows("win32");
    const std::vector<Row> lib64 = kvex::com_table::TypeLibRows("win64");
    const Module dll32{"KvexFiltDll32", "INSTALLDIR32"};
    const Module dll64{"KvexFiltDll64", "INSTALLDIR64"};
    Component c32{"KvexFilt32", user ? kComponent32User : x64 ? kComponent32InX64 : kComponent32Alone, false, dll32,
                  "x86/kvexfilt.dll", {}};
    Append(c32, classRows, false, dll32);
    Append(c32, lib32, false, dll32);
    Component c64{"KvexFilt64", user ? kComponent64User : kComponent64, true, dll64, "x64/kvexfilt.dll", {}};
    if (x64) {
        Append(c64, classRows, false, dll64);
        Append(c64, lib64, false, dll64);
        // The shared keys once, the 64-bit registration last, as regsvr32 of
        // the 32-bit DLL and then the 64-bit one leaves them (both paths).
        Append(c64, classRows, true, dll64);
        Append(c64, lib64, true, dll64);
        for (const Row& row : lib32)
            if (SharedKey(row) && row.kind == Data::ModulePath) c64.entries.push_back({row, dll32});
    } else {
        Append(c32, classRows, true, dll32);
        Append(c32, lib32, true, dll32);
    }

    const char* root = user ? "HKCU" : "HKLM";
    std::printf("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n");
    std::printf("<Wix xmlns=\"http://schemas.microsoft.com/wix/2006/wi\">\n");
    std::printf("  <Product Id=\"%s\" Name=\"kvexfilt%s\" Language=\"1033\" Version=\"%s\" Manufacturer=\"kvex\"\n"
                "           UpgradeCode=\"%s\">\n",
                Xml(productCode).c_str(), user ? " (current user)" : x64 ? "" : " (32-bit)", Xml(version).c_str(),
                user ? kUpgradeCodeUser : x64 ? kUpgradeCodeX64 : kUpgradeCodeX86);
    // perUser: wixl then leaves ALLUSERS out and marks the package as one
    // that needs no elevation (word count 10).
    std::printf("    <Package InstallerVersion=\"200\" Compressed=\"yes\" InstallScope=\"%s\"\n"
                "             Description=\"%s\" Comments=\"COM component for %s hosts\"/>\n",
                user ? "perUser" : "perMachine", kvex::com_table::kLibDescription,
                x64 ? "64-bit and 32-bit" : "32-bit");
    std::printf("    <MajorUpgrade DowngradeErrorMessage=\"A newer version of kvexfilt is already installed.\"/>\n");
    std::printf("    <Media Id=\"1\" Cabinet=\"kvexfilt.cab\" EmbedCab=\"yes\"/>\n");
    std::printf("    <Property Id=\"ARPNOMODIFY\" Value=\"1\"/>\n");
    std::printf("    <Directory Id=\"TARGETDIR\" Name=\"SourceDir\">\n");
    if (user) {
        // Where per-user installs of programs go (FOLDERID_UserProgramFiles).
        std::printf("      <Directory Id=\"LocalAppDataFolder\">\n");
        std::printf("        <Directory Id=\"USERPROGRAMS\" Name=\"Programs\">\n");
        std::printf("          <Directory Id=\"INSTALLDIR\" Name=\"kvexfilt\">\n");
        // 32-bit first: where a system keeps one view of the user's classes
        // (Wine), the 64-bit DLL's keys win, as after regsvr32 of both.
        for (const Component* c : {&c32, &c64}) {
            std::printf("            <Directory Id=\"%s\" Name=\"%s\">\n", c->module.folderId.c_str(),
                        c->win64 ? "x64" : "x86");
            PrintComponent(*c, root, "              ");
            std::printf("            </Directory>\n");
        }
        // Holds nothing but the folder above x64 and x86, so that it goes too.
        std::printf("            <Component Id=\"KvexFiltUser\" Guid=\"%s\" KeyPath=\"yes\">\n"
                    "              <RemoveFolder Id=\"KvexFiltUserFolder\" On=\"uninstall\"/>\n"
                    "            </Component>\n",
                    kComponentUserFolder);
        std::printf("          </Directory>\n        </Directory>\n      </Directory>\n");
    } else {
        if (x64) {
            std::printf("      <Directory Id=\"ProgramFiles64Folder\">\n");
            std::printf("        <Directory Id=\"INSTALLDIR64\" Name=\"kvexfilt\">\n");
            PrintComponent(c64, root, "          ");
            std::printf("        </Directory>\n      </Directory>\n");
        }
        std::printf("      <Directory Id=\"ProgramFilesFolder\">\n");
        std::printf("        <Directory Id=\"INSTALLDIR32\" Name=\"kvexfilt\">\n");
        PrintComponent(c32, root, "          ");
        std::printf("        </Directory>\n      </Directory>\n");
    }
    std::printf("    </Directory>\n");
    std::printf("    <Feature Id=\"Complete\" Level=\"1\" Title=\"kvexfilt\">\n");
    if (x64) std::printf("      <ComponentRef Id=\"%s\"/>\n", c64.id.c_str());
    if (user) std::printf("      <ComponentRef Id=\"KvexFiltUser\"/>\n");
    std::printf("      <ComponentRef Id=\"%s\"/>\n", c32.id.c_str());
    std::printf("    </Feature>\n  </Product>\n</Wix>\n");
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string what = argc > 1 ? argv[1] : "";
    if (what == "version" && argc == 2) {
        std::printf("%s\n", KVEX_VERSION_TEXT);
        return 0;
    }
    const Kind kind = what == "x64" ? Kind::X64 : what == "x86" ? Kind::X86 : Kind::User;
    if ((what == "x64" || what == "x86" || what == "user") && argc <= 4)
        return PrintPackage(kind, argc >= 3 ? argv[2] : KVEX_VERSION_TEXT, argc == 4 ? argv[3] : "*");
    std::fprintf(stderr, "usage: kvex_wxs x64|x86|user [version [product-code]] | kvex_wxs version\n");
    return 2;
}
