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

TEST(AnsiTextLess, OrdersByUtf16CodeUnitsWithPrefixesFirst) {
    EXPECT_TRUE(AnsiTextLess("ABC", "abc"));
    EXPECT_TRUE(AnsiTextLess("ab", "abc"));
    EXPECT_FALSE(AnsiTextLess("abc", "abc"));
    if (::GetACP() == 1252) {
        // The euro sign is byte 0x80 but U+20AC, after e acute (0xE9, U+00E9).
        EXPECT_TRUE(AnsiTextLess("\xE9", "\x80"));
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
