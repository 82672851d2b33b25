#pragma once
// The pieces of a form's design table: one row per control, read by the real
// window, the fakes and the tests alike. Pure data; the platform maps the
// style flags to its own window styles.
#include <algorithm>
#include <cstddef>
#include <string_view>
#include <vector>

namespace kvex::ui::design {

enum class Kind { Button, Edit, List, Label, Image, Indicator, MenuItem };

// Style flags a row may carry on top of what its kind implies.
enum Style : unsigned {
    kTabStop = 1u << 0,
    kDisabled = 1u << 1,    // disabled when the form opens
    kAlignRight = 1u << 2,  // text box: right-aligned text
    kCentre = 1u << 3,      // label: centred text
    kNotify = 1u << 4,      // label or picture: raises clicks
    kSunken = 1u << 5,      // sunken 3-D border
    kSymbol = 1u << 6,      // caption is a glyph of the symbol font
    kWindowColours = 1u << 7,  // label: a text box's colours
    kNamedByLabel = 1u << 8,   // screen readers name it from the label made right before it
};

struct Twips {
    int left, top, width, height;
};

struct Font {
    const char* face;
    double points;
    bool bold = false;
    bool underline = false;
    bool symbol = false;  // a symbol font's own charset
};

struct Form {
    const char* name;  // tells the forms apart in position.ini
    const char* caption;
    int width, height;  // client area, twips
};

inline constexpr int kNoFont = -1;  // the control keeps its own font
inline constexpr int kNoEvent = 0;

struct Control {
    const char* name;  // as the form's code calls it
    int index;         // in a control array; 0 otherwise
    int id;            // child-window id; 0 for menu items
    Kind kind;
    const char* caption;  // ASCII, or glyph codes of a symbol font
    Twips at;
    int font;      // index into the form's fonts, or kNoFont
    unsigned style;
    int tabIndex;  // creation order, which is the Tab key's order; -1: no window
    int event;     // the form's event this control raises, or kNoEvent
    // What a screen reader says for it; null: the caption without its "&".
    // With kNamedByLabel, the caption of the label that names it.
    const char* spoken = nullptr;
};

template <std::size_t N>
constexpr const Control* FindById(const Control (&rows)[N], int id) {
    for (const Control& row : rows)
        if (row.id == id && row.tabIndex >= 0) return &row;
    return nullptr;
}

// Stands for a name the table lacks: id 0 is no child window.
inline constexpr Control kMissing{"", 0, 0, Kind::Label, "", {0, 0, 0, 0}, kNoFont, 0, -1, kNoEvent};

template <std::size_t N>
constexpr const Control& Find(const Control (&rows)[N], std::string_view name, int index = 0) {
    for (const Control& row : rows)
        if (name == row.name && row.index == index) return row;
    return kMissing;
}

// The label whose caption names row for a screen reader, or null.
template <std::size_t N>
constexpr const Control* NamingLabel(const Control (&rows)[N], const Control& row) {
    if (!(row.style & kNamedByLabel) || !row.spoken) return nullptr;
    for (const Control& label : rows)
        if (label.kind == Kind::Label && std::string_view(label.caption) == row.spoken) return &label;
    return nullptr;
}

// The control a label names, or null.
template <std::size_t N>
constexpr const Control* NamedBy(const Control (&rows)[N], const Control& label) {
    for (const Control& row : rows)
        if (NamingLabel(rows, row) == &label) return &row;
    return nullptr;
}

// What every form's table answers: a row, or its window's id, by name.
template <class Table>
struct Lookup {
    static constexpr const Control& Row(std::string_view name, int index = 0) {
        return Find(Table::kControls, name, index);
    }
    static constexpr int Id(std::string_view name, int index = 0) { return Row(name, index).id; }
};

// The rows that are windows, in tab order.
template <std::size_t N>
std::vector<const Control*> InTabOrder(const Control (&rows)[N]) {
    std::vector<const Control*> order;
    for (const Control& row : rows)
        if (row.tabIndex >= 0) order.push_back(&row);
    std::stable_sort(order.begin(), order.end(),
                     [](const Control* a, const Control* b) { return a->tabIndex < b->tabIndex; });
    return order;
}

}  // namespace kvex::ui::design
