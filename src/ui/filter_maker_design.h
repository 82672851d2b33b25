#pragma once
// The Filter Maker (frmFM) as designed: every control once, in one table.
// A new control is one row here, one member in FilterMakerSet and its
// handler.
#include <string_view>

#include "ui/form_design.h"
#include "ui/views.h"

namespace kvex::ui {

struct FilterMakerDesign : design::Lookup<FilterMakerDesign> {
    enum Event {
        None = design::kNoEvent,
        cmdOK_Click, cmdCancel_Click, cmdNew_Click, cmdOpen_Click, cmdSave_Click, cmdSaveAs_Click,
        cmdPatU_Click, cmdPatD_Click, cmdTools_Click, lstPat_Click, mnuOutLike_Click, Image1_Click,
        lblF_Click, txtEF_Change, txtFE_Change,
    };
    enum FontIndex { kNormal, kBold, kUnderlined, kSymbol, kLargeSymbol };

    static constexpr design::Form kForm{"frmFM", "Filter Maker - ()", 8955, 5685};
    static constexpr design::Font kFonts[] = {
        {"MS Sans Serif", 8.25},
        {"MS Sans Serif", 8.25, true},
        {"MS Sans Serif", 8.25, false, true},
        {"Wingdings", 14.25, false, false, true},
        {"Wingdings", 20.25, false, false, true},
    };

    static constexpr unsigned kButton = design::kTabStop;
    static constexpr unsigned kSymbolButton = design::kTabStop | design::kSymbol;
    static constexpr unsigned kBox = design::kTabStop | design::kSunken;
    static constexpr unsigned kLabelled = design::kNamedByLabel;
    using K = design::Kind;

    static constexpr design::Control kControls[] = {
        // name, index, id, kind, caption, twips, font, style, tab index, event, spoken name
        {"txtEF", 0, 1021, K::Edit, "*", {5520, 1320, 1620, 345}, kBold, kBox | design::kAlignRight | kLabelled, 0,
         txtEF_Change, "file pattern"},
        {"txtFE", 0, 1022, K::Edit, "htm", {7275, 1320, 1620, 345}, kBold, kBox | kLabelled, 1, txtFE_Change,
         "filter extension"},
        {"cmdTools", 0, 1030, K::Button, "Test/Add", {7275, 2025, 1620, 390}, kNormal, kButton, 2, cmdTools_Click},
        {"cmdTools", 2, 1032, K::Button, "Create combined filter", {6390, 3285, 2505, 390}, kNormal, kButton, 3,
         cmdTools_Click},
        {"cmdCancel", 0, 1045, K::Button, "&Cancel", {7680, 5235, 1215, 390}, kNormal, kButton, 4, cmdCancel_Click},
        {"cmdOK", 0, 1044, K::Button, "O&K", {6390, 5235, 1215, 390}, kNormal, kButton, 5, cmdOK_Click},
        {"lstPat", 0, 1001, K::List, "", {90, 225, 5325, 4890}, kNormal, kBox, 6, lstPat_Click, "Custom filters"},
        {"cmdPatU", 0, 1035, K::Button, "\xE9", {5520, 2025, 435, 1125}, kSymbol, kSymbolButton, 7, cmdPatU_Click,
         "Move up"},
        {"cmdTools", 1, 1031, K::Button, "\xFB", {5520, 3270, 435, 435}, kLargeSymbol, kSymbolButton, 8,
         cmdTools_Click, "Remove selected filters"},
        {"cmdPatD", 0, 1036, K::Button, "\xEA", {5520, 3825, 435, 1125}, kSymbol, kSymbolButton, 9, cmdPatD_Click,
         "Move down"},
        {"lblF", 0, 1020, K::Label, ".", {7140, 1320, 135, 345}, kBold,
         design::kCentre | design::kNotify | design::kSunken | design::kWindowColours, 10, lblF_Click},
        {"lblDum", 0, 1010, K::Label, "75 custom filters Max", {5565, 225, 3330, 195}, kNormal, 0, 11, None},
        {"lblDum", 1, 1011, K::Label, "filter extension", {7290, 1095, 1590, 195}, kUnderlined, 0, 12, None},
        {"lblDum", 3, 1013, K::Label, "#", {120, -15, 5310, 195}, kNormal, design::kCentre, 13, None},
        {"lblDum", 2, 1012, K::Label, "file pattern", {5535, 1095, 1575, 195}, kUnderlined, 0, 14, None},
        {"lblDum", 4, 1014, K::Label, "Max 255 Chars for combined filter", {6390, 2850, 2580, 195}, kNormal, 0, 15,
         None},
        {"lblDum", 5, 1015, K::Label, "New filter length (0)", {6390, 3060, 2565, 195}, kNormal, 0, 16, None},
        {"cmdOpen", 0, 1041, K::Button, "&Open", {1605, 5235, 1215, 390}, kNormal, kButton, 17, cmdOpen_Click},
        {"cmdNew", 0, 1040, K::Button, "&New", {315, 5235, 1215, 390}, kNormal, kButton, 18, cmdNew_Click},
        {"cmdSave", 0, 1042, K::Button, "&Save", {2895, 5235, 1215, 390}, kNormal, kButton | design::kDisabled, 19,
         cmdSave_Click},
        {"cmdSaveAs", 0, 1043, K::Button, "Save &As", {4185, 5235, 1215, 390}, kNormal, kButton, 20,
         cmdSaveAs_Click},
        {"ErrInput1", 0, 1023, K::Indicator, "", {5520, 1665, 285, 240}, design::kNoFont, 0, 21, None},
        {"ErrInput2", 0, 1024, K::Indicator, "", {7275, 1665, 285, 240}, design::kNoFont, 0, 22, None},
        // The pictures take no focus.
        {"Image1", 0, 1050, K::Image, "", {6045, 540, 480, 480}, design::kNoFont, design::kNotify, 23, Image1_Click},
        {"Image1", 1, 1051, K::Image, "", {7740, 540, 480, 480}, design::kNoFont, design::kNotify, 24, Image1_Click},
        // The list's pop-up menu; the form raises the click with the item chosen.
        {"mnuOutLike", 0, 0, K::MenuItem, "Edit Out", {}, design::kNoFont, 0, -1, mnuOutLike_Click},
        {"mnuOutLike", 1, 0, K::MenuItem, "-", {}, design::kNoFont, 0, -1, mnuOutLike_Click},
        {"mnuOutLike", 2, 0, K::MenuItem, "Edit Like", {}, design::kNoFont, 0, -1, mnuOutLike_Click},
        {"mnuOutLike", 3, 0, K::MenuItem, "-", {}, design::kNoFont, 0, -1, mnuOutLike_Click},
        {"mnuOutLike", 4, 0, K::MenuItem, "Sort Filters", {}, design::kNoFont, 0, -1, mnuOutLike_Click},
    };

    // The picture above a text box, whose click the box's editor key (F4,
    // Alt+Down) stands for: the keyboard's way into the Edit Filter.
    static constexpr const design::Control& PictureAbove(const design::Control& textBox) {
        const std::string_view name = textBox.name;
        return name == "txtEF" ? Row("Image1", 0) : name == "txtFE" ? Row("Image1", 1) : design::kMissing;
    }

    // Raises the row's event on the form's handlers.
    static void Raise(IFilterMakerHandlers& h, const design::Control& row) {
        switch (row.event) {
        case cmdOK_Click: h.cmdOK_Click(); break;
        case cmdCancel_Click: h.cmdCancel_Click(); break;
        case cmdNew_Click: h.cmdNew_Click(); break;
        case cmdOpen_Click: h.cmdOpen_Click(); break;
        case cmdSave_Click: h.cmdSave_Click(); break;
        case cmdSaveAs_Click: h.cmdSaveAs_Click(); break;
        case cmdPatU_Click: h.cmdPatU_Click(); break;
        case cmdPatD_Click: h.cmdPatD_Click(); break;
        case cmdTools_Click: h.cmdTools_Click(row.index); break;
        case lstPat_Click: h.lstPat_Click(); break;
        case mnuOutLike_Click: h.mnuOutLike_Click(row.index); break;
        case Image1_Click: h.Image1_Click(row.index); break;
        case lblF_Click: h.lblF_Click(); break;
        case txtEF_Change: h.txtEF_Change(); break;
        case txtFE_Change: h.txtFE_Change(); break;
        default: break;
        }
    }
};

}  // namespace kvex::ui
