// The list files through the DLL: folder and file names the ANSI code page
// cannot spell work for OK, Save As, Open and the caption.
#include <gtest/gtest.h>

#include "common/temp_folder.h"
#include "component.h"
#include "ui/filter_maker_design.h"

namespace kvex::testing {
namespace {

namespace fs = std::filesystem;
using FM = ui::FilterMakerDesign;

const std::wstring kCaption = win32::Utf8ToWide(FM::kForm.caption);

// Types the path into a common file dialog's name box and presses its OK.
::testing::AssertionResult ChooseFile(DWORD thread, const std::wstring& title, const fs::path& path) {
    const Millis slow{20000};  // file dialogs read folders as they open
    HWND dialog = WaitForWindow(thread, title, slow);
    HWND name = dialog ? ChildById(dialog, 0x47C) : nullptr;
    if (!name) return ::testing::AssertionFailure() << "no file dialog with a name box";
    SetEditText(name, path.wstring());
    PressDialogButton(dialog, IDOK);
    if (!WaitUntilGone(dialog, slow)) return ::testing::AssertionFailure() << "the file dialog stayed open";
    return ::testing::AssertionSuccess();
}

TEST(Files, NamesOutsideTheAnsiCodePageServeOkSaveAsOpenAndTheCaption) {
    TempFolder temp;
    const fs::path folder = temp / L"\u0424\u0438\u043B\u044C\u0442\u0440\u044B_\u65E5\u672C";  // Фильтры_日本
    const std::wstring listName = L"\u0421\u043F\u0438\u0441\u043A\u0438.plk";                  // Списки.plk
    const std::string mark = "\xEF\xBB\xBF";
    const Lines first{"*.htm;*.html", "\xD0\x96.txt"}, opened{"*.htm;*.html", "*.\xE6\x97\xA5"};  // Ж.txt, *.日
    ASSERT_TRUE(fs::create_directory(folder));
    WriteBytes(folder / L"filters.dlk", mark + CrLfLines(first));
    DialogCall call([&] { return ShowFilterMaker(Binding::Early, folder.wstring()); });
    HWND window = call.WaitForWindow(kCaption);
    ASSERT_TRUE(window);
    HWND list = ChildById(window, FM::Id("lstPat"));
    EXPECT_EQ(ListLines(list), first);

    // A bare name: the dialog starts in the filter folder and adds the extension.
    PostClick(ChildById(window, FM::Id("cmdSaveAs")));
    ASSERT_TRUE(ChooseFile(call.thread(), L"Save As", fs::path(listName).stem()));
    EXPECT_TRUE(call.WaitForWindow(L"Filter Maker - (" + listName + L")"));
    EXPECT_EQ(ReadBytes(folder / listName), mark + CrLfLines(first));

    WriteBytes(folder / listName, mark + CrLfLines(opened));
    PostClick(ChildById(window, FM::Id("cmdOpen")));
    ASSERT_TRUE(ChooseFile(call.thread(), L"Open As", folder / listName));
    EXPECT_TRUE(WaitUntil([&] { return ListLines(list) == opened; }));
    PostClick(ChildById(window, FM::Id("cmdOK")));
    ASSERT_TRUE(call.Join());
    EXPECT_EQ(ReadBytes(folder / L"filters.dlk"), mark + CrLfLines(opened));
}

}  // namespace
}  // namespace kvex::testing
