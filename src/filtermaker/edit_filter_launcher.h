#pragma once
// How the Filter Maker's pictures open the Edit Filter dialog. The class that
// builds the Filter Maker supplies it, so this form never depends on the other.
#include <functional>
#include <string>

namespace kvex {

// Runs the Edit Filter dialog on one text; true (and text replaced) after OK.
using EditFilterLauncher = std::function<bool(std::string& text, bool editPrefix)>;

}  // namespace kvex
