#pragma once
// The invalid-character check of filter text and how a text box shows its
// verdict: the indicator below it and the button that would use the text.
#include <string>

#include "ui/controls.h"
#include "ui/services.h"

namespace kvex {

// 1 when the text holds one of the characters no filter may hold, else 0.
// Any nonzero bBeepOnly answers a hit with the beep alone; 0 with the
// "Invalid Characters" message box.
short CheckInvalidChars(ui::IMessages& messages, const std::string& text, short bBeepOnly);

// A box's text is in error when a check failed or it is blank. In error the
// indicator shows the detail and the button is disabled; otherwise the
// indicator clears and the button is enabled. A failing indicator call does
// not keep the button from following.
void ShowInputVerdict(const std::string& text, bool checkFailed, ui::IIndicator& indicator,
                      const std::string& detail, ui::IControl& button);

}  // namespace kvex
