#pragma once
// A form's controls as its code names them. Each member enters itself in its
// set under its name, so a view fills the set by walking the form's table and
// a new control is one row there plus one member here.
#include <array>
#include <cstddef>
#include <deque>
#include <string_view>
#include <tuple>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

#include "ui/controls.h"
#include "ui/form_design.h"

namespace kvex::ui {

// Owns a view's controls, one per row, each where it was made.
template <class... Ts>
class ControlStore {
public:
    template <class T, class... Args>
    T& Make(const design::Control& row, Args&&... args) {
        T& made = std::get<std::deque<T>>(kinds_).emplace_back(std::forward<Args>(args)...);
        made_.push_back({&row, &made});
        return made;
    }
    // Calls use(control, row) for every control, in the order they were made.
    template <class Use>
    void ForEach(Use&& use) {
        for (auto& made : made_) std::visit([&](auto* c) { use(*c, *made.first); }, made.second);
    }
    template <class T>
    std::deque<T>& All() noexcept { return std::get<std::deque<T>>(kinds_); }

private:
    std::tuple<std::deque<Ts>...> kinds_;
    std::vector<std::pair<const design::Control*, std::variant<Ts*...>>> made_;
};

// The control types a set or a view uses for each kind of row, and for the
// form's window.
template <class B, class T, class L, class La, class Im, class In, class M, class W = void>
struct KindTypes {
    using Button = B;
    using TextBox = T;
    using ListBox = L;
    using Label = La;
    using Image = Im;
    using Indicator = In;
    using MenuItem = M;
    using Window = W;
    using Store = ControlStore<B, T, L, La, Im, In, M>;
};
using Interfaces = KindTypes<IButton, ITextBox, IListBox, ILabel, IImage, IIndicator, IMenuItem, IFormWindow>;

template <class T>
struct Type {
    using type = T;
};

// Calls make(Type<T>{}) with the type Kinds gives a row of this kind.
template <class Kinds, class Make>
void OfKind(design::Kind kind, Make&& make) {
    using K = design::Kind;
    switch (kind) {
    case K::Button: make(Type<typename Kinds::Button>{}); break;
    case K::Edit: make(Type<typename Kinds::TextBox>{}); break;
    case K::List: make(Type<typename Kinds::ListBox>{}); break;
    case K::Label: make(Type<typename Kinds::Label>{}); break;
    case K::Image: make(Type<typename Kinds::Image>{}); break;
    case K::Indicator: make(Type<typename Kinds::Indicator>{}); break;
    case K::MenuItem: make(Type<typename Kinds::MenuItem>{}); break;
    }
}

class ControlSet {
public:
    ControlSet() = default;
    ControlSet(const ControlSet&) = delete;  // its members point back at it
    ControlSet& operator=(const ControlSet&) = delete;

    // Points the member row names at control, as its own type or as its
    // interface; a row the set has no member for is counted as a miss.
    template <class C>
    void Bind(const design::Control& row, C* control) noexcept {
        bool bound = Put(row, control);
        OfKind<Interfaces>(row.kind, [&](auto type) {
            using I = typename decltype(type)::type;
            if constexpr (std::is_convertible_v<C*, I*>) bound = bound || Put<I>(row, control);
        });
        if (!bound) ++misses_;
    }

    // True when every row found its member and every member got its control.
    bool Complete() const noexcept {
        for (const Slot& s : slots_)
            if (s.bound != s.count) return false;
        return misses_ == 0;
    }

    // Members enter themselves when they are made.
    template <class T>
    void Enter(std::string_view name, T** first, std::size_t count) {
        slots_.push_back({name, &kTag<T>, first, count, 0});
    }

private:
    template <class T>
    static constexpr char kTag = 0;
    struct Slot {
        std::string_view name;
        const void* type;  // &kTag<T>
        void* first;       // T* [count]
        std::size_t count, bound;
    };

    template <class T>
    bool Put(const design::Control& row, T* control) noexcept {
        for (Slot& s : slots_) {
            const auto i = static_cast<std::size_t>(row.index);
            if (s.name != row.name || s.type != &kTag<T> || row.index < 0 || i >= s.count) continue;
            T*& slot = static_cast<T**>(s.first)[i];
            if (slot) return false;  // a second row for one member
            slot = control;
            ++s.bound;
            return true;
        }
        return false;
    }

    std::vector<Slot> slots_;
    std::size_t misses_ = 0;
};

// A named control of a set, or a named control array of N.
template <class T, std::size_t N = 1>
class Named {
public:
    Named(ControlSet* set, std::string_view name) { set->Enter(name, controls_.data(), N); }
    Named(const Named&) = delete;
    operator T*() const noexcept { return controls_[0]; }
    T* get() const noexcept { return controls_[0]; }
    T* operator->() const noexcept { return controls_[0]; }
    T& operator*() const noexcept { return *controls_[0]; }
    T* operator[](std::size_t i) const noexcept { return controls_[i]; }
    auto begin() const noexcept { return controls_.begin(); }
    auto end() const noexcept { return controls_.end(); }

private:
    std::array<T*, N> controls_{};
};

// The table's rows in the order a view makes them: windows in tab order, a
// label that names a control right before it (Windows names a control from
// the static text before it in z-order; labels take no focus, so the Tab
// key's order stays), then the rest (menu items).
template <std::size_t N>
std::vector<const design::Control*> InMakeOrder(const design::Control (&rows)[N]) {
    std::vector<const design::Control*> order;
    for (const design::Control* row : design::InTabOrder(rows)) {
        if (design::NamedBy(rows, *row)) continue;
        if (const design::Control* label = design::NamingLabel(rows, *row)) order.push_back(label);
        order.push_back(row);
    }
    for (const design::Control& row : rows)
        if (row.tabIndex < 0) order.push_back(&row);
    return order;
}

}  // namespace kvex::ui
