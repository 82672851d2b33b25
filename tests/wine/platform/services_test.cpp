// Start-up services: common-control registration with its fallback, the
// component's folder, and the order the list sort uses.
#include <gtest/gtest.h>

#include <optional>

#include "platform/win32/activation_context.h"
#include "platform/win32/common_controls.h"
#include "platform/win32/services.h"
#include "support.h"

namespace kvex::win32 {
namespace {

struct InitCalls {
    int ex = 0;
    int legacy = 0;
    DWORD size = 0;
    DWORD flags = 0;
    BOOL answer = TRUE;
};
InitCalls calls;

BOOL WINAPI FakeInitEx(const INITCOMMONCONTROLSEX* record) {
    ++calls.ex;
    calls.size = record->dwSize;
    calls.flags = record->dwICC;
    return calls.answer;
}
void WINAPI FakeInit() { ++calls.legacy; }

// The flags go in an eight-byte record; the old call is the fallback when the
// extended one fails or is missing.
TEST(InitCommonCtrls, PassesTheFlagsInAnEightByteRecordAndFallsBack) {
    calls = {};
    InitCommonCtrlsWith(&FakeInitEx, &FakeInit, 0xFF);
    EXPECT_EQ(calls.ex, 1);
    EXPECT_EQ(calls.size, 8u);
    EXPECT_EQ(calls.flags, 0xFFu);
    EXPECT_EQ(calls.legacy, 0);

    calls = {};
    calls.answer = FALSE;
    InitCommonCtrlsWith(&FakeInitEx, &FakeInit, 0xFF);
    EXPECT_EQ(calls.ex, 1);
    EXPECT_EQ(calls.legacy, 1);
    InitCommonCtrlsWith(nullptr, &FakeInit, 0xFF);
    EXPECT_EQ(calls.legacy, 2);
}

TEST(FolderOfModulePath, FolderWithoutTheNameAndTheRootWithItsBackslash) {
    EXPECT_EQ(FolderOfModulePath("D:\\Tools\\kvexfilt.dll"), "D:\\Tools");
    EXPECT_EQ(FolderOfModulePath("C:\\kvexfilt.dll"), "C:\\");
    EXPECT_EQ(FolderOfModulePath("\\\\server\\share\\kvexfilt.dll"), "\\\\server\\share");
}

// List files stay ANSI only when the code page holds every character exactly:
// no best-fit look-alike (a for U+0101), no default character for Ж.
TEST(Win32FileSystem, AnsiCodePageConvertsExactlyOrNotAtAll) {
    Win32FileSystem files;
    EXPECT_EQ(files.Utf8ToAnsi("*.htm"), std::optional<std::string>("*.htm"));
    EXPECT_EQ(files.Utf8ToAnsi("\xD0\x96.x"), std::nullopt);
    EXPECT_EQ(files.Utf8ToAnsi("\xC4\x81.x"), std::nullopt);
    if (::GetACP() == 1252) {
        EXPECT_EQ(files.Utf8ToAnsi("\xC3\xA9\xE2\x82\xAC"), std::optional<std::string>("\xE9\x80"));  // é€
        EXPECT_EQ(files.AnsiToUtf8("\xE9\x80"), "\xC3\xA9\xE2\x82\xAC");
    }
}

TEST(ActivationContext, ModuleManifestGivesCommonControlsSix) {
    ASSERT_TRUE(HasModuleActivationContext(test::TestModule()));
    auto probe = [](bool inContext) {
        std::optional<ActivationScope> scope;
        if (inContext) scope.emplace(test::TestModule());
        HWND button = ::CreateWindowExA(0, "BUTTON", "probe", WS_POPUP | BS_PUSHBUTTON, 0, 0, 80, 24, nullptr,
                                        nullptr, test::TestModule(), nullptr);
        SIZE ideal{};
        // Only version 6 buttons know BCM_GETIDEALSIZE.
        bool six = ::SendMessageA(button, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&ideal)) != 0;
        ::DestroyWindow(button);
        return six;
    };
    EXPECT_TRUE(probe(true));
    EXPECT_FALSE(probe(false));
}

}  // namespace
}  // namespace kvex::win32
