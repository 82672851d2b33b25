// What both C++ samples share: an owner that releases a COM reference, an
// HRESULT check that prints the component's own explanation, and reading
// the list the Filter Maker wrote.
#pragma once
#include <windows.h>
#include <oleauto.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace sample {

// Releases the reference it holds when it goes out of scope.
template <class T>
class Ref {
public:
    Ref() = default;
    Ref(const Ref&) = delete;
    Ref& operator=(const Ref&) = delete;
    ~Ref() {
        if (p_) p_->Release();
    }
    T* operator->() const { return p_; }
    T* get() const { return p_; }
    void** put() { return reinterpret_cast<void**>(&p_); }

private:
    T* p_ = nullptr;
};

// A BSTR freed when it goes out of scope.
class Text {
public:
    explicit Text(const wchar_t* text = L"") : s_(SysAllocString(text)) {}
    Text(const Text&) = delete;
    Text& operator=(const Text&) = delete;
    ~Text() { SysFreeString(s_); }
    BSTR get() const { return s_; }
    BSTR* address() { return &s_; }  // [in, out]: the callee may replace it

private:
    BSTR s_;
};

// True when hr succeeded; otherwise prints what failed and the component's
// text for it (IErrorInfo), when it left one.
inline bool Check(HRESULT hr, const char* what) {
    if (SUCCEEDED(hr)) return true;
    std::printf("%s failed: 0x%08lX", what, static_cast<unsigned long>(hr));
    IErrorInfo* info = nullptr;
    if (GetErrorInfo(0, &info) == S_OK) {
        BSTR description = nullptr;
        if (SUCCEEDED(info->GetDescription(&description)) && description)
            std::printf(" (%ls)", description);
        SysFreeString(description);
        info->Release();
    }
    std::printf("\n");
    return false;
}

// One line per filter, CR LF, as the Filter Maker writes filters.dlk.
inline void PrintFilterList(const std::wstring& folder) {
    std::ifstream in(std::filesystem::path(folder) / L"filters.dlk", std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::printf("filters.dlk: %s\n", line.c_str());
    }
}

}  // namespace sample
