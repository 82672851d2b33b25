#pragma once
// The two forms' sets of controls and event handlers, and the platform that
// makes them. A view owns the controls of one form instance; the form's logic
// (FrmFM, FrmEF) owns the handlers and is handed to the view, which calls them
// when the user acts.
#include <array>
#include <memory>
#include <string>

#include "ui/controls.h"
#include "ui/services.h"

namespace kvex::ui {

// Mouse buttons as the mouse-up handler receives them.
inline constexpr int kLeftButton = 1;
inline constexpr int kRightButton = 2;
inline constexpr int kMiddleButton = 4;

class IFilterMakerHandlers : public IFormEvents {
public:
    virtual void cmdOK_Click() = 0;
    virtual void cmdCancel_Click() = 0;
    virtual void cmdNew_Click() = 0;
    virtual void cmdOpen_Click() = 0;
    virtual void cmdSave_Click() = 0;
    virtual void cmdSaveAs_Click() = 0;
    virtual void cmdPatU_Click() = 0;
    virtual void cmdPatD_Click() = 0;
    virtual void cmdTools_Click(int index) = 0;
    virtual void lstPat_Click() = 0;
    virtual void lstPat_MouseUp(int button, int shift, int x, int y) = 0;
    virtual void mnuOutLike_Click(int index) = 0;
    virtual void Image1_Click(int index) = 0;
    virtual void lblF_Click() = 0;
    virtual void txtEF_Change() = 0;
    virtual void txtFE_Change() = 0;
};

struct FilterMakerControls {
    IFormWindow* window = nullptr;
    IListBox* lstPat = nullptr;
    std::array<ILabel*, 6> lblDum{};
    ILabel* lblF = nullptr;
    ITextBox* txtEF = nullptr;
    ITextBox* txtFE = nullptr;
    IIndicator* ErrInput1 = nullptr;
    IIndicator* ErrInput2 = nullptr;
    std::array<IButton*, 3> cmdTools{};
    IButton* cmdPatU = nullptr;
    IButton* cmdPatD = nullptr;
    IButton* cmdNew = nullptr;
    IButton* cmdOpen = nullptr;
    IButton* cmdSave = nullptr;
    IButton* cmdSaveAs = nullptr;
    IButton* cmdOK = nullptr;
    IButton* cmdCancel = nullptr;
    std::array<IImage*, 2> Image1{};
    std::array<IMenuItem*, 5> mnuOutLike{};
};

class IFilterMakerView {
public:
    virtual ~IFilterMakerView() = default;
    virtual FilterMakerControls& Controls() = 0;
    // The form logic that receives this view's events; set once, before load.
    virtual void SetHandlers(IFilterMakerHandlers* handlers) = 0;
};

class IEditFilterHandlers : public IFormEvents {
public:
    virtual void cmdOK_Click() = 0;
    virtual void cmdCancel_Click() = 0;
    virtual void cmdE_Click(int index) = 0;
    virtual void txtEF_Change() = 0;
};

struct EditFilterControls {
    IFormWindow* window = nullptr;
    ITextBox* txtEF = nullptr;
    IIndicator* ErrInput1 = nullptr;
    std::array<IButton*, 7> cmdE{};
    IButton* cmdOK = nullptr;
    IButton* cmdCancel = nullptr;
};

class IEditFilterView {
public:
    virtual ~IEditFilterView() = default;
    virtual EditFilterControls& Controls() = 0;
    virtual void SetHandlers(IEditFilterHandlers* handlers) = 0;
};

// What the public classes need from the platform.
class IPlatform {
public:
    virtual ~IPlatform() = default;
    // Folder of the component's own file, as the system reports it.
    virtual std::string ComponentFolder() = 0;
    // The user's own folder for the component's files, created when missing;
    // empty when the system has none.
    virtual std::string PerUserFolder() = 0;
    virtual IFormServices& Services() = 0;
    virtual std::unique_ptr<IFilterMakerView> CreateFilterMakerView() = 0;
    virtual std::unique_ptr<IEditFilterView> CreateEditFilterView() = 0;
};

}  // namespace kvex::ui
