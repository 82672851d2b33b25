#pragma once
// The Edit Filter dialog's public class, free of COM.
#include <functional>
#include <string>

#include "ui/views.h"

namespace kvex {

class ClsEFfilter {
public:
    explicit ClsEFfilter(ui::IPlatform& platform) : platform_(platform) {}

    static std::string PlugNameVersion();

    // Runs the Edit Filter dialog modally. True only after OK, and only then is
    // sFilterInAndOut replaced. bEditPrefix is a 16-bit Boolean: exactly -1 is True.
    bool ShowEditFilterDialog(std::string& sFilterInAndOut, short bEditPrefix);

    // The dialog as another form opens it, on the same platform: editPrefix
    // true marks the name part.
    static std::function<bool(std::string& text, bool editPrefix)> Launcher(ui::IPlatform& platform);

private:
    ui::IPlatform& platform_;
};

}  // namespace kvex
