#include "platform/win32/accessible_name.h"

#include <commctrl.h>
#include <oleacc.h>

#include <atomic>
#include <string>

#include "platform/win32/controls.h"
#include "qi_table.h"
#include "unique_any.h"
#include "wide_text.h"

namespace kvex::win32 {
namespace {

constexpr UINT_PTR kSpokenNameSubclassId = 0x4E4D;

using ui::design::Kind;

// The system's object answers everything but the name. Wine's also calls
// buttons and lists plain "client" areas and shows no list entries, so the
// role and, for the list, its entries are answered here as Windows does.
class SpokenAccessible final : public IAccessible {
public:
    SpokenAccessible(com_ptr<IAccessible> standard, HWND window, const ui::design::Control& row)
        : standard_(std::move(standard)), window_(window), row_(row) {}
    SpokenAccessible(const SpokenAccessible&) = delete;
    SpokenAccessible& operator=(const SpokenAccessible&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        static const QiEntry table[] = {QiEntryOf<SpokenAccessible, IAccessible>(__uuidof(IAccessible)),
                                        QiEntryOf<SpokenAccessible, IDispatch>(IID_IDispatch)};
        return QueryInterfaceTable(this, table, iid, out);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }

    // Readers use the interface itself; late binding is not offered.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (!count) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }

    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        if (!IsList()) return standard_->get_accChildCount(count);
        if (!count) return E_POINTER;
        *count = EntryCount();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
        if (!IsEntry(child)) return standard_->get_accChild(child, out);
        if (!out) return E_POINTER;
        *out = nullptr;  // an entry is no object of its own
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (IsSelf(child)) return Answer(Utf8ToWide(row_.spoken), name);
        if (IsEntry(child)) return Answer(ListItemText(window_, child.lVal - 1), name);
        return standard_->get_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (IsSelf(child)) return AnswerNumber(RoleOfKind(), role);
        if (IsEntry(child)) return AnswerNumber(ROLE_SYSTEM_LISTITEM, role);
        return standard_->get_accRole(child, role);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        if (!IsEntry(child)) return standard_->get_accState(child, state);
        return AnswerNumber(EntryState(child.lVal - 1), state);
    }

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override { return standard_->get_accParent(parent); }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        return standard_->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
        return standard_->get_accDescription(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
        return standard_->get_accHelp(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
        return standard_->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* keys) override {
        return standard_->get_accKeyboardShortcut(child, keys);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override { return standard_->get_accFocus(child); }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
        return standard_->get_accSelection(children);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        return standard_->get_accDefaultAction(child, action);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
        return standard_->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* x, long* y, long* cx, long* cy, VARIANT child) override {
        return standard_->accLocation(x, y, cx, cy, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
        return standard_->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override {
        return standard_->accHitTest(x, y, child);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        return standard_->accDoDefaultAction(child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    ~SpokenAccessible() = default;

    static bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }
    bool IsList() const { return row_.kind == Kind::List; }
    long EntryCount() const {
        const LRESULT count = ::SendMessageW(window_, LB_GETCOUNT, 0, 0);
        return count > 0 ? static_cast<long>(count) : 0;
    }
    bool IsEntry(const VARIANT& child) const {
        return IsList() && child.vt == VT_I4 && child.lVal > 0 && child.lVal <= EntryCount();
    }
    long RoleOfKind() const {
        switch (row_.kind) {
        case Kind::Button: return ROLE_SYSTEM_PUSHBUTTON;
        case Kind::Edit: return ROLE_SYSTEM_TEXT;
        case Kind::List: return ROLE_SYSTEM_LIST;
        default: return ROLE_SYSTEM_CLIENT;
        }
    }
    long EntryState(int index) const {
        long state = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
        if (::SendMessageW(window_, LB_GETSEL, static_cast<WPARAM>(index), 0) > 0) state |= STATE_SYSTEM_SELECTED;
        if (::GetFocus() == window_ && ::SendMessageW(window_, LB_GETCARETINDEX, 0, 0) == index)
            state |= STATE_SYSTEM_FOCUSED;
        return state;
    }
    static HRESULT Answer(const std::wstring& text, BSTR* out) {
        if (!out) return E_POINTER;
        *out = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
        return *out ? S_OK : E_OUTOFMEMORY;
    }
    static HRESULT AnswerNumber(long value, VARIANT* out) {
        if (!out) return E_POINTER;
        out->vt = VT_I4;
        out->lVal = value;
        return S_OK;
    }

    std::atomic<ULONG> references_{1};
    com_ptr<IAccessible> standard_;
    HWND window_;
    const ui::design::Control& row_;
};

// A reader may keep the object after our windows and our last COM object are
// gone: once one has asked, the module stays loaded for the process's life.
void KeepModuleLoaded() {
    HMODULE self = nullptr;
    ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                         reinterpret_cast<LPCWSTR>(&KeepModuleLoaded), &self);
}

LRESULT Serve(HWND window, WPARAM flags, const ui::design::Control& row) {
    com_ptr<IAccessible> standard;
    if (FAILED(::CreateStdAccessibleObject(window, OBJID_CLIENT, __uuidof(IAccessible), standard.put_void())))
        return 0;
    KeepModuleLoaded();
    com_ptr<IAccessible> spoken(new SpokenAccessible(std::move(standard), window, row));
    const LRESULT served = ::LresultFromObject(__uuidof(IAccessible), flags, spoken.get());
    return served > 0 ? served : 0;
}

LRESULT CALLBACK SpokenNameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                DWORD_PTR row) {
    if (message == WM_NCDESTROY) ::RemoveWindowSubclass(window, &SpokenNameProc, id);
    if (message == WM_GETOBJECT && static_cast<LONG>(lParam) == OBJID_CLIENT) {
        try {
            if (LRESULT served = Serve(window, wParam, *reinterpret_cast<const ui::design::Control*>(row)))
                return served;
        } catch (...) {
        }
    }
    return ::DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace

void ServeSpokenName(HWND control, const ui::design::Control& row) {
    if (control && row.spoken)
        ::SetWindowSubclass(control, &SpokenNameProc, kSpokenNameSubclassId, reinterpret_cast<DWORD_PTR>(&row));
}

}  // namespace kvex::win32
