// Filter Maker: checking the name and extension parts as they change.
#include <string>

#include "filtermaker/frm_fm.h"
#include "core/app_info.h"
#include "core/filter_text.h"
#include "formkit/form_support.h"
#include "core/pattern_matcher.h"
#include "formkit/validation.h"

namespace kvex {

namespace {
// Only whether the matcher accepts the part counts, not whether it matches.
constexpr const char* kTrialSample = "test.htm";
}  // namespace

short FrmFM::TrialMatch(const std::string& part, short bBeepOnly) {
    if (MatchPattern(kTrialSample, part) != MatchResult::InvalidPattern) return 0;
    ui::IMessages& messages = services_.Messages();
    if (bBeepOnly != 0) {
        messages.Beep();
    } else {
        const PatternError error = InvalidPatternError();
        messages.MessageBox("Error: " + std::to_string(error.number) + "\r\n" + error.description, kAppTitle,
                            ui::mb::kOk | ui::mb::kIconExclamation);
    }
    return 1;
}

void FrmFM::txtEF_Change() { CheckPartBox(*c_.txtEF, *c_.ErrInput1); }

void FrmFM::txtFE_Change() { CheckPartBox(*c_.txtFE, *c_.ErrInput2); }

// Each box judges its own text only; Test/Add checks both parts again.
void FrmFM::CheckPartBox(ui::ITextBox& box, ui::IIndicator& indicator) {
    const std::string text = box.Text();
    // Both checks always run, so a text failing both beeps twice.
    const short trial = TrialMatch(text, kBoolTrue);
    const short invalid = CheckInvalidChars(services_.Messages(), text, kBoolTrue);
    ShowInputVerdict(text, trial > 0 || invalid > 0, indicator, kFilterMakerIndicatorDetail, *c_.cmdTools[0]);
}

}  // namespace kvex
