// Start-up services: common-control registration with its fallback, the
// component's folder, list-file code pages, the module's manifest.
#include <gtest/gtest.h>

#include <optional>

#include "platform/win32/activation_context.h"
#include "platform/win32/common_controls.h"
#include "platform/win32/services.h"
#include "support.h"

namespace kvex::testing {
namespace {

struct InitCalls {
    int ex = 0, legacy = 0;
    DWORD flags = 0;
    BOOL answer = TRUE;
} calls;

BOOL WINAPI FakeInitEx(const INITCOMMONCONTROLSEX* record) {
    ++calls.ex;
    calls.flags = record->dwSize == sizeof(*record) ? record->dwICC : 0;
    return calls.answer;
}
void WINAPI FakeInit() { ++calls.legacy; }

// The old call is the fallback when the extended one fails or is missing.
TEST(Services, CommonControlsFallBackToTheOldCall) {
    win32::InitCommonCtrlsWith(&FakeInitEx, &FakeInit, 0xFF);
    EXPECT_EQ(calls.flags, 0xFFu);
    EXPECT_EQ(calls.legacy, 0);
    calls.answer = FALSE;
    win32::InitCommonCtrlsWith(&FakeInitEx, &FakeInit, 0xFF);
    win32::InitCommonCtrlsWith(nullptr, &FakeInit, 0xFF);
    EXPECT_EQ(calls.ex, 2);
    EXPECT_EQ(calls.legacy, 2);
}

TEST(Services, FolderOfModulePathKeepsTheRootsBackslash) {
    EXPECT_EQ(win32::FolderOfModulePath("D:\\Tools\\kvexfilt.dll"), "D:\\Tools");
    EXPECT_EQ(win32::FolderOfModulePath("C:\\kvexfilt.dll"), "C:\\");
    EXPECT_EQ(win32::FolderOfModulePath("\\\\server\\share\\kvexfilt.dll"), "\\\\server\\share");
}

// List files stay ANSI only when the code page holds every character exactly:
// no best-fit look-alike (a for U+0101), no default character for Ж.
TEST(Services, AnsiCodePageConvertsExactlyOrNotAtAll) {
    win32::Win32FileSystem files;
    EXPECT_EQ(files.Utf8ToAnsi("*.htm"), std::optional<std::string>("*.htm"));
    EXPECT_EQ(files.Utf8ToAnsi("\xD0\x96.x"), std::nullopt);
    EXPECT_EQ(files.Utf8ToAnsi("\xC4\x81.x"), std::nullopt);
    ASSERT_EQ(::GetACP(), 1252u);
    EXPECT_EQ(files.Utf8ToAnsi("\xC3\xA9\xE2\x82\xAC"), std::optional<std::string>("\xE9\x80"));  // é€
    EXPECT_EQ(files.AnsiToUtf8("\xE9\x80"), "\xC3\xA9\xE2\x82\xAC");
}

TEST(Services, ModuleManifestGivesCommonControlsSix) {
    ASSERT_TRUE(win32::HasModuleActivationContext(TestModule()));
    auto six = [](bool inContext) {
        std::optional<win32::ActivationScope> scope;
        if (inContext) scope.emplace(TestModule());
        HWND button = ::CreateWindowExW(0, L"BUTTON", L"probe", WS_POPUP, 0, 0, 80, 24, nullptr, nullptr,
                                        TestModule(), nullptr);
        SIZE ideal{};
        // Only version 6 buttons know BCM_GETIDEALSIZE.
        const bool answered = ::SendMessageW(button, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&ideal));
        ::DestroyWindow(button);
        return answered;
    };
    EXPECT_TRUE(six(true));
    EXPECT_FALSE(six(false));
}

}  // namespace
}  // namespace kvex::testing
