// What a screen reader hears of both forms as Windows tells it: the object a
// control serves, else what Windows derives. Wine's own objects name every
// window by its text and call buttons and lists client areas: not asked.
#include <gtest/gtest.h>

#include <oleacc.h>

#include <algorithm>

#include "platform/win32/form_view.h"
#include "support.h"
#include "unique_any.h"

namespace kvex::testing {
namespace {
using ui::design::Control;

std::wstring TextOf(HWND window) {
    wchar_t text[256] = {};
    ::GetWindowTextW(window, text, 256);
    return text;
}

bool IsClass(HWND window, const wchar_t* name) {
    wchar_t found[64] = {};
    ::GetClassNameW(window, found, 64);
    return _wcsicmp(found, name) == 0;
}

std::wstring WithoutAccessKey(std::wstring text) {
    if (const auto at = text.find(L'&'); at != std::wstring::npos) text.erase(at, 1);
    return text;
}

// A button's caption; else the nearest visible static text before the
// control in z-order, looking no further back than a tab stop or a group.
std::wstring NameWindowsGives(HWND control) {
    if (IsClass(control, L"Button")) return WithoutAccessKey(TextOf(control));
    for (HWND before = ::GetWindow(control, GW_HWNDPREV); before; before = ::GetWindow(before, GW_HWNDPREV)) {
        const LONG style = ::GetWindowLongW(before, GWL_STYLE);
        if (!(style & WS_VISIBLE)) continue;
        if (IsClass(before, L"Static") && (style & SS_TYPEMASK) <= SS_RIGHT) return WithoutAccessKey(TextOf(before));
        if (style & (WS_TABSTOP | WS_GROUP)) break;
    }
    return {};
}

long RoleWindowsGives(HWND control) {
    if (IsClass(control, L"Button")) return ROLE_SYSTEM_PUSHBUTTON;
    return IsClass(control, L"Edit") ? ROLE_SYSTEM_TEXT : ROLE_SYSTEM_LIST;
}

struct Heard {
    win32::com_ptr<IAccessible> object;
    bool served = false;
    std::wstring name;
    long role = 0, state = 0;
};

VARIANT Child(long id) {
    VARIANT child{};
    V_VT(&child) = VT_I4;
    V_I4(&child) = id;
    return child;
}

long NumberOf(IAccessible* object, HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, VARIANT*), long id) {
    win32::unique_variant value;
    const bool got = SUCCEEDED((object->*get)(Child(id), value.get())) && V_VT(value.get()) == VT_I4;
    return got ? V_I4(value.get()) : -1;
}

std::wstring NameOf(IAccessible* object, long id) {
    win32::unique_bstr name;
    return SUCCEEDED(object->get_accName(Child(id), name.put())) && name ? name.get() : L"";
}

Heard Hear(HWND control) {
    Heard heard;
    const LRESULT served = ::SendMessageW(control, WM_GETOBJECT, 0, OBJID_CLIENT);
    heard.served = served > 0 &&
                   SUCCEEDED(::ObjectFromLresult(served, __uuidof(IAccessible), 0, heard.object.put_void()));
    if (!heard.served) ::CreateStdAccessibleObject(control, OBJID_CLIENT, __uuidof(IAccessible), heard.object.put_void());
    if (!heard.object) return heard;
    heard.state = NumberOf(heard.object.get(), &IAccessible::get_accState, CHILDID_SELF);
    heard.name = heard.served ? NameOf(heard.object.get(), CHILDID_SELF) : NameWindowsGives(control);
    heard.role = heard.served ? NumberOf(heard.object.get(), &IAccessible::get_accRole, CHILDID_SELF)
                              : RoleWindowsGives(control);
    return heard;
}

// The list tells each entry by its text and which of them are selected.
void ExpectEntriesHeard(HWND list, IAccessible* object) {
    const std::wstring entries[] = {L"*.htm;*.html", L"*.txt", L"\u0436*.c"};
    for (const std::wstring& entry : entries)
        ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    ::SendMessageW(list, LB_SETSEL, TRUE, 1);
    ::SendMessageW(list, LB_SETSEL, TRUE, 2);
    long count = 0;
    EXPECT_TRUE(SUCCEEDED(object->get_accChildCount(&count)) && count == 3) << count;
    for (long id = 1; id <= 3; ++id) {
        EXPECT_EQ(NameOf(object, id), entries[id - 1]);
        EXPECT_EQ(NumberOf(object, &IAccessible::get_accRole, id), ROLE_SYSTEM_LISTITEM);
        EXPECT_EQ((NumberOf(object, &IAccessible::get_accState, id) & STATE_SYSTEM_SELECTED) != 0, id > 1) << id;
    }
}

// Every control that takes the focus is heard by the words of its design
// row, as the control it is, unavailable when disabled; what the user sees
// stays the design's caption (glyph codes n as U+00nn).
template <typename View, typename Design>
void ExpectEveryFocusableControlHeard() {
    win32::com_apartment apartment;
    View view(TestModule());
    view.Window().EnsureLoaded();
    int focusable = 0;
    for (HWND child = ::GetWindow(view.Window().Hwnd(), GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (!(::GetWindowLongW(child, GWL_STYLE) & WS_TABSTOP)) continue;
        const Control* row = ui::design::FindById(Design::kControls, ::GetDlgCtrlID(child));
        ASSERT_NE(row, nullptr);
        SCOPED_TRACE(std::string(row->name) + "(" + std::to_string(row->index) + ")");
        ++focusable;
        std::wstring caption;
        for (const char* c = row->caption; *c; ++c) caption.push_back(static_cast<unsigned char>(*c));
        const std::wstring words = row->spoken ? win32::Utf8ToWide(row->spoken) : WithoutAccessKey(caption);
        const Heard heard = Hear(child);
        EXPECT_EQ(heard.name, words);
        EXPECT_GE(std::count_if(words.begin(), words.end(), [](wchar_t c) { return c < 128 && iswalpha(c); }), 2);
        EXPECT_EQ(heard.role, RoleWindowsGives(child));
        EXPECT_EQ((heard.state & STATE_SYSTEM_UNAVAILABLE) != 0, (row->style & ui::design::kDisabled) != 0);
        EXPECT_EQ(TextOf(child), caption);
        if (row->kind == ui::design::Kind::List && heard.served) ExpectEntriesHeard(child, heard.object.get());
    }
    EXPECT_EQ(focusable, std::count_if(std::begin(Design::kControls), std::end(Design::kControls),
                                       [](const Control& row) { return row.style & ui::design::kTabStop; }));
}

TEST(Accessibility, EveryFilterMakerControlIsHeardByWhatItDoes) {
    ExpectEveryFocusableControlHeard<win32::FilterMakerView, ui::FilterMakerDesign>();
}

TEST(Accessibility, EveryEditFilterControlIsHeardByWhatItDoes) {
    ExpectEveryFocusableControlHeard<win32::EditFilterView, ui::EditFilterDesign>();
}

}  // namespace
}  // namespace kvex::testing
