#pragma once
// The Filter Maker's public class, free of COM: the COM object in src/plugin
// forwards to it.
#include <string>
#include <utility>

#include "filtermaker/edit_filter_launcher.h"
#include "ui/views.h"

namespace kvex {

class ClsFMfilter {
public:
    // editFilter: the Edit Filter dialog the pictures open, on the same platform.
    ClsFMfilter(ui::IPlatform& platform, EditFilterLauncher editFilter)
        : platform_(platform), editFilter_(std::move(editFilter)) {}

    // "kvexfilt", a tab, "1.0.0".
    static std::string PlugNameVersion();

    // Runs the Filter Maker modally; true whenever it returns.
    bool ShowFilterMakerDialog(const std::string& sDefaultFilter, const std::string& sFilterFolder,
                               const std::string& sFilterInLike, const std::string& sOpenThisFilterFile);

private:
    ui::IPlatform& platform_;
    EditFilterLauncher editFilter_;
};

}  // namespace kvex
