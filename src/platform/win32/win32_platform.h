#pragma once
// The Win32 implementation of the forms' platform: real windows and controls,
// message boxes, files, the common file dialogs and position.ini keeping.
#include <windows.h>

#include <memory>
#include <string>

#include "platform/win32/file_dialogs.h"
#include "platform/win32/services.h"
#include "ui/views.h"

namespace kvex::win32 {

class Win32Platform : public ui::IPlatform, public ui::IFormServices {
public:
    // module: the component's own DLL; its resources, window classes and manifest.
    explicit Win32Platform(HINSTANCE module) : module_(module) {}

    // IPlatform
    std::string ComponentFolder() noexcept override;
    std::string PerUserFolder() noexcept override;
    ui::IFormServices& Services() noexcept override { return *this; }
    std::unique_ptr<ui::IFilterMakerView> CreateFilterMakerView() noexcept override;
    std::unique_ptr<ui::IEditFilterView> CreateEditFilterView() noexcept override;

    // IFormServices
    ui::IMessages& Messages() noexcept override { return messages_; }
    ui::IFileSystem& Files() noexcept override { return files_; }
    ui::IFileDialogs& FileDialogs() noexcept override { return dialogs_; }
    void InitCommonCtrls(std::uint32_t flags) noexcept override;
    std::unique_ptr<ui::IFormLayout> CreateLayout() noexcept override;

private:
    HINSTANCE module_;
    Win32Messages messages_;
    Win32FileSystem files_;
    Win32FileDialogs dialogs_;
};

// The platform for this host thread; module is the component's own DLL.
ui::IPlatform& ThreadPlatform(HINSTANCE module);

}  // namespace kvex::win32
