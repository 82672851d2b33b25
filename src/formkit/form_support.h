#pragma once
// What both forms and both public classes share around the dialogs: the
// 16-bit Booleans of the callers, the component's folder, and driving the
// window layout keeper.
#include <memory>
#include <string>

#include "ui/services.h"
#include "ui/views.h"

namespace kvex {

// Booleans exchanged with callers are 16-bit: True is -1, False is 0.
inline constexpr short kBoolTrue = -1;
inline constexpr short kBoolFalse = 0;

// Both dialogs keep their placement in the same file and section.
inline constexpr const char* kPositionSection = "Filter Maker";
std::string PositionFilePath();

// gsAppPath from the component's own folder, or the user's own folder when no
// file can be created beside the component; left as it was when the
// component's folder cannot be told.
void SetAppPath(ui::IPlatform& platform);

// A window's size floor in pixels.
struct LayoutFloor {
    int minHeight;
    int minWidth;
};

// Creates the layout keeper and restores the window's last placement; nullptr
// when no keeper can be made (the window then opens where the system puts it).
// bindForm: the Edit Filter dialog also binds the keeper to its form.
std::unique_ptr<ui::IFormLayout> OpenFormLayout(ui::IFormServices& services, ui::IFormWindow& window,
                                                LayoutFloor floor, bool bindForm);

// On every resize: put the floor back if it moved, then lay the window out.
void KeepLayoutFloor(ui::IFormLayout* layout, LayoutFloor floor);

// Saves the window's placement and releases the keeper.
void CloseFormLayout(std::unique_ptr<ui::IFormLayout>& layout, ui::IFormWindow& window);

}  // namespace kvex
