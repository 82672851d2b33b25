#include "formkit/validation.h"

#include "core/filter_text.h"
#include "formkit/form_support.h"

namespace kvex {

short CheckInvalidChars(ui::IMessages& messages, const std::string& text, short bBeepOnly) {
    if (!HasInvalidFilterChar(text)) return 0;
    if (bBeepOnly != 0) {
        messages.Beep();
    } else {
        messages.MessageBox(kInvalidCharsMessage, kInvalidCharsTitle, ui::mb::kOk | ui::mb::kIconStop);
    }
    return 1;
}

void ShowInputVerdict(const std::string& text, bool checkFailed, ui::IIndicator& indicator,
                      const std::string& detail, ui::IControl& button) {
    const bool inError = checkFailed || TrimSpaces(text).empty();
    if (inError) {
        indicator.SetErrorCaption(kInvalidCharsCaption);
        indicator.ShowError(detail);
        button.SetEnabled(false);
    } else {
        indicator.ClearError();
        button.SetEnabled(true);
    }
}

}  // namespace kvex
