#pragma once
// Rules on the text of one filter: characters no filter may hold, trimming,
// and splitting a filter into its name and extension parts.
#include <optional>
#include <string>
#include <string_view>

namespace kvex {

// The nine characters no filter or filter part may hold: / \ : , " < > | ;
bool HasInvalidFilterChar(std::string_view text);

// Message-box text and title shown when a filter holds one of them.
extern const char* const kInvalidCharsMessage;
extern const char* const kInvalidCharsTitle;   // "Invalid Characters"
// Indicator texts.
extern const char* const kInvalidCharsCaption;        // "Remove Invalid Characters"
extern const char* const kFilterMakerIndicatorDetail; // <>/\:|;"
extern const char* const kEditFilterIndicatorDetail;  // Remove Invalid Characters    ,<>/\:|;"

// Removes leading and trailing spaces (only the space character).
std::string TrimSpaces(std::string_view text);

// A filter split at every ".": the first piece and, when there is one, the second.
// Further pieces are dropped.
struct FilterParts {
    std::string name;
    std::optional<std::string> extension;
};
FilterParts SplitFilterParts(std::string_view filter);

}  // namespace kvex
