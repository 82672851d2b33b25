// Open-to-idle: how long the Filter Maker takes from the call until its
// window is visible and answers a message, against a bare dialog of the same
// controls from an in-memory template, timed the same way in one process.
//   kvex_open_bench [runs]   (default 15)
#include <windows.h>
#include <oleauto.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr wchar_t kFormClass[] = L"kvexfilt.Form";
constexpr wchar_t kDialogClass[] = L"#32770";
constexpr wchar_t kBareTitle[] = L"kvex bare dialog";
constexpr DWORD kLimitMs = 20000;

double Milliseconds(LONGLONG ticks) {
    static const LONGLONG frequency = [] {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return f.QuadPart;
    }();
    return 1000.0 * static_cast<double>(ticks) / static_cast<double>(frequency);
}

LONGLONG Now() {
    LARGE_INTEGER t;
    ::QueryPerformanceCounter(&t);
    return t.QuadPart;
}

// Waits on its own thread for a visible top-level window of the class in this
// process, then for it to answer WM_NULL (its thread is idle in its message
// loop), notes the time and closes it.
struct Watch {
    const wchar_t* windowClass;
    LONGLONG start;
    LONGLONG idle = 0;
    bool seen = false;
};

struct FindRequest {
    const wchar_t* windowClass;
    HWND found;
};

BOOL CALLBACK FindOne(HWND window, LPARAM lParam) {
    auto* request = reinterpret_cast<FindRequest*>(lParam);
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    wchar_t name[64] = {};
    ::GetClassNameW(window, name, 64);
    if (process == ::GetCurrentProcessId() && std::wcscmp(name, request->windowClass) == 0 &&
        ::IsWindowVisible(window)) {
        request->found = window;
        return FALSE;
    }
    return TRUE;
}

DWORD WINAPI WatchThread(void* parameter) {
    auto* watch = static_cast<Watch*>(parameter);
    const ULONGLONG deadline = ::GetTickCount64() + kLimitMs;
    while (::GetTickCount64() < deadline) {
        FindRequest request{watch->windowClass, nullptr};
        ::EnumWindows(&FindOne, reinterpret_cast<LPARAM>(&request));
        if (request.found) {
            DWORD_PTR answer = 0;
            if (!::SendMessageTimeoutW(request.found, WM_NULL, 0, 0, SMTO_NORMAL, kLimitMs, &answer)) break;
            watch->idle = Now();
            watch->seen = true;
            ::PostMessageW(request.found, WM_CLOSE, 0, 0);
            return 0;
        }
        ::Sleep(1);
    }
    // A window that never showed: end the call the hard way, the figures are void.
    std::fprintf(stderr, "open_bench: no idle %ls window within %lu ms\n", watch->windowClass,
                 static_cast<unsigned long>(kLimitMs));
    std::fflush(stderr);
    ::ExitProcess(3);
}

template <typename Open>
double TimeOpen(const wchar_t* windowClass, Open open) {
    Watch watch{windowClass, 0};
    watch.start = Now();
    HANDLE thread = ::CreateThread(nullptr, 0, &WatchThread, &watch, 0, nullptr);
    if (!thread) return -1;
    open();
    ::WaitForSingleObject(thread, INFINITE);
    ::CloseHandle(thread);
    return watch.seen ? Milliseconds(watch.idle - watch.start) : -1;
}

// ---- the bare dialog: the Filter Maker's controls in a plain template ----------

class TemplateWriter {
public:
    template <typename T>
    void Put(const T& value) {
        const auto* bytes = reinterpret_cast<const unsigned char*>(&value);
        data_.insert(data_.end(), bytes, bytes + sizeof(T));
    }
    void PutText(const wchar_t* text) {
        for (; *text; ++text) Put<WORD>(static_cast<WORD>(*text));
        Put<WORD>(0);
    }
    void Align() {
        while (data_.size() % 4) data_.push_back(0);
    }
    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(data_.data()); }

private:
    std::vector<unsigned char> data_;
};

struct BareControl {
    WORD atom;  // 0x80 button, 0x81 edit, 0x82 static, 0x83 list box
    DWORD style;
    const wchar_t* text;
    short x, y, cx, cy;
};

// Same count and kinds as the Filter Maker: 2 edits, 11 buttons, 1 list box,
// 7 text statics, 2 icon statics and 2 statics where its indicators are.
constexpr BareControl kBareControls[] = {
    {0x81, WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL | ES_RIGHT, L"*", 245, 58, 72, 15},
    {0x81, WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, L"htm", 323, 58, 72, 15},
    {0x80, WS_TABSTOP, L"Test/Add", 323, 90, 72, 17},
    {0x80, WS_TABSTOP, L"Create combined filter", 284, 146, 111, 17},
    {0x80, WS_TABSTOP, L"&Cancel", 341, 232, 54, 17},
    {0x80, WS_TABSTOP, L"O&K", 284, 232, 54, 17},
    {0x83, WS_TABSTOP | WS_BORDER | WS_VSCROLL | LBS_EXTENDEDSEL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, L"", 4, 10,
     236, 217},
    {0x80, WS_TABSTOP, L"\x2191", 245, 90, 19, 50},
    {0x80, WS_TABSTOP, L"x", 245, 145, 19, 19},
    {0x80, WS_TABSTOP, L"\x2193", 245, 170, 19, 50},
    {0x82, SS_CENTER | SS_NOTIFY | WS_BORDER, L".", 317, 58, 6, 15},
    {0x82, SS_LEFT, L"75 custom filters Max", 247, 10, 148, 9},
    {0x82, SS_LEFT, L"filter extension", 324, 49, 71, 9},
    {0x82, SS_CENTER, L"#", 5, 0, 236, 9},
    {0x82, SS_LEFT, L"file pattern", 246, 49, 70, 9},
    {0x82, SS_LEFT, L"Max 255 Chars for combined filter", 284, 127, 115, 9},
    {0x82, SS_LEFT, L"New filter length (0)", 284, 136, 114, 9},
    {0x80, WS_TABSTOP, L"&Open", 71, 232, 54, 17},
    {0x80, WS_TABSTOP, L"&New", 14, 232, 54, 17},
    {0x80, WS_TABSTOP | WS_DISABLED, L"&Save", 129, 232, 54, 17},
    {0x80, WS_TABSTOP, L"Save &As", 186, 232, 54, 17},
    {0x82, SS_LEFT, L"", 245, 74, 13, 11},
    {0x82, SS_LEFT, L"", 323, 74, 13, 11},
    {0x82, SS_ICON | SS_NOTIFY | SS_CENTERIMAGE, L"", 269, 24, 21, 21},
    {0x82, SS_ICON | SS_NOTIFY | SS_CENTERIMAGE, L"", 344, 24, 21, 21},
};

TemplateWriter BareTemplate() {
    TemplateWriter t;
    DLGTEMPLATE head{};
    head.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | DS_SETFONT | DS_MODALFRAME;
    head.cdit = static_cast<WORD>(std::size(kBareControls));
    head.cx = 398;
    head.cy = 253;
    t.Put(head);
    t.Put<WORD>(0);  // no menu
    t.Put<WORD>(0);  // the dialog class
    t.PutText(kBareTitle);
    t.Put<WORD>(8);
    t.PutText(L"MS Shell Dlg");
    WORD id = 1001;
    for (const BareControl& c : kBareControls) {
        t.Align();
        DLGITEMTEMPLATE item{};
        item.style = WS_CHILD | WS_VISIBLE | c.style;
        item.x = c.x;
        item.y = c.y;
        item.cx = c.cx;
        item.cy = c.cy;
        item.id = id++;
        t.Put(item);
        t.Put<WORD>(0xFFFF);
        t.Put<WORD>(c.atom);
        t.PutText(c.text);
        t.Put<WORD>(0);  // no creation data
    }
    return t;
}

INT_PTR CALLBACK BareProc(HWND dialog, UINT message, WPARAM, LPARAM) {
    if (message == WM_INITDIALOG) return TRUE;
    if (message == WM_CLOSE) {
        ::EndDialog(dialog, 0);
        return TRUE;
    }
    return FALSE;
}

// ---- the Filter Maker through IDispatch, as a script host calls it ---------------

struct FilterMaker {
    IDispatch* object = nullptr;
    DISPID show = DISPID_UNKNOWN;
    BSTR folder = nullptr;
    BSTR noFilter = nullptr;  // "": the component's default filter

    bool Open(const std::wstring& folderPath) {
        CLSID clsid;
        if (FAILED(::CLSIDFromProgID(L"kvexfilt.clsFMfilter", &clsid))) return false;
        if (FAILED(::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                      reinterpret_cast<void**>(&object))))
            return false;
        LPOLESTR name = const_cast<LPOLESTR>(L"ShowFilterMakerDialog");
        if (FAILED(object->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &show))) return false;
        folder = ::SysAllocString(folderPath.c_str());
        noFilter = ::SysAllocString(L"");
        return true;
    }
    bool Show() {
        VARIANT args[2];
        // Arguments go last first: (sDefaultFilter, sFilterFolder).
        ::VariantInit(&args[0]);
        args[0].vt = VT_BSTR;
        args[0].bstrVal = folder;
        ::VariantInit(&args[1]);
        args[1].vt = VT_BSTR;
        args[1].bstrVal = noFilter;
        DISPPARAMS params{args, nullptr, 2, 0};
        VARIANT result;
        ::VariantInit(&result);
        HRESULT hr = object->Invoke(show, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, &result, nullptr,
                                    nullptr);
        ::VariantClear(&result);
        return SUCCEEDED(hr);
    }
    ~FilterMaker() {
        if (object) object->Release();
        ::SysFreeString(folder);
        ::SysFreeString(noFilter);
    }
};

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int runs = argc > 1 ? std::max(1, _wtoi(argv[1])) : 15;
    if (FAILED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 2;
    int status = 0;
    {
        wchar_t temp[MAX_PATH] = {};
        ::GetTempPathW(MAX_PATH, temp);
        const std::wstring folder = std::wstring(temp) + L"kvex_open_bench";
        ::CreateDirectoryW(folder.c_str(), nullptr);

        FilterMaker fm;
        if (!fm.Open(folder)) {
            std::fprintf(stderr, "open_bench: kvexfilt.clsFMfilter is not registered\n");
            status = 2;
        } else {
            const TemplateWriter bare = BareTemplate();
            bool ok = true;
            auto openMaker = [&] { ok = fm.Show() && ok; };
            auto openBare = [&] { ::DialogBoxIndirectParamW(nullptr, bare.Get(), nullptr, &BareProc, 0); };

            const double cold = TimeOpen(kFormClass, openMaker);
            TimeOpen(kDialogClass, openBare);  // its own first time, not counted
            std::vector<double> maker, plain;
            for (int i = 0; i < runs; ++i) {
                plain.push_back(TimeOpen(kDialogClass, openBare));
                maker.push_back(TimeOpen(kFormClass, openMaker));
            }
            if (!ok || cold < 0 || std::count(maker.begin(), maker.end(), -1.0) ||
                std::count(plain.begin(), plain.end(), -1.0)) {
                std::fprintf(stderr, "open_bench: a call failed\n");
                status = 1;
            } else {
                const double m = Median(maker);
                const double b = Median(plain);
                std::printf("open: filter maker %.1f ms, bare dialog %.1f ms, ratio %.2f\n", m, b, m / b);
                std::printf("open: filter maker first call %.1f ms\n", cold);
            }
        }
    }
    ::CoUninitialize();
    return status;
}
