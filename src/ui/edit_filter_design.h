#pragma once
// The Edit Filter (frmEF) as designed, and its token buttons: what each shows,
// explains and writes over the selection.
#include <string>
#include <string_view>

#include "ui/form_design.h"
#include "ui/views.h"

namespace kvex::ui {

struct TokenButton {
    const char* caption;
    const char* tooltip;  // null: none
    const char* before;   // written in place of the selection...
    const char* after;    // ...or, when not null, around it
    int left;             // twips
    const char* spoken = nullptr;  // for screen readers; null: the tooltip

    std::string Insert(const std::string& selected) const {
        return after ? before + selected + after : std::string(before);
    }
};

inline constexpr TokenButton kTokenButtons[7] = {
    {"*", "Zero or more characters", "*", nullptr, 75},
    {"?", "Any single character", "?", nullptr, 1045},
    {"#", "Any single digit 0-9)", "#", nullptr, 2025},
    {"!", nullptr, "!", nullptr, 3000, "Not: negates a character list"},
    {"-", "identify a range of characters", "-", nullptr, 3975},
    {"[charlist]", "Any single character in charlist", "[", "]", 4950},
    {"[!charlist]", "Any single character not in charlist.", "[!", "]", 5925},
};

// cmdE(i): the token's caption, side by side after the text box in tab order.
constexpr design::Control TokenRow(int i, int event) {
    const TokenButton& token = kTokenButtons[i];
    return {"cmdE", i, 2010 + i, design::Kind::Button, token.caption, {token.left, 735, 960, 405},
            0 /* the buttons' font */, design::kTabStop, 3 + i, event, token.spoken ? token.spoken : token.tooltip};
}

struct EditFilterDesign : design::Lookup<EditFilterDesign> {
    enum Event { None = design::kNoEvent, cmdOK_Click, cmdCancel_Click, cmdE_Click, txtEF_Change };
    enum FontIndex { kButtons, kText };

    static constexpr design::Form kForm{"frmEF", "Edit Filter - Always test your filters for desired results", 6915,
                                        2535};
    static constexpr design::Font kFonts[] = {{"Verdana", 8.25}, {"Verdana", 9.75}};

    static constexpr unsigned kButton = design::kTabStop;
    using K = design::Kind;

    // Cancel first, so it has the focus when the window opens.
    static constexpr design::Control kControls[] = {
        // name, index, id, kind, caption, twips, font, style, tab index, event, spoken name
        {"cmdCancel", 0, 2021, K::Button, "&Cancel", {5625, 2025, 1215, 390}, kButtons, kButton, 0, cmdCancel_Click},
        {"cmdOK", 0, 2020, K::Button, "O&K", {4335, 2025, 1215, 390}, kButtons, kButton | design::kDisabled, 1,
         cmdOK_Click},
        {"txtEF", 0, 2001, K::Edit, "", {60, 15, 6795, 360}, kText, design::kTabStop | design::kSunken, 2,
         txtEF_Change, "Filter text"},
        TokenRow(0, cmdE_Click), TokenRow(1, cmdE_Click), TokenRow(2, cmdE_Click), TokenRow(3, cmdE_Click),
        TokenRow(4, cmdE_Click), TokenRow(5, cmdE_Click), TokenRow(6, cmdE_Click),
        {"ErrInput1", 0, 2002, K::Indicator, "", {60, 375, 360, 240}, design::kNoFont, 0, 10, None},
    };

    static void Raise(IEditFilterHandlers& h, const design::Control& row) {
        switch (row.event) {
        case cmdOK_Click: h.cmdOK_Click(); break;
        case cmdCancel_Click: h.cmdCancel_Click(); break;
        case cmdE_Click: h.cmdE_Click(row.index); break;
        case txtEF_Change: h.txtEF_Change(); break;
        default: break;
        }
    }
};

}  // namespace kvex::ui
