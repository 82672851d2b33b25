#pragma once
// The two forms' sets of controls and event handlers, and the platform that
// makes them. A view owns the controls of one form instance; the form's logic
// (FrmFM, FrmEF) owns the handlers and is handed to the view, which calls them
// when the user acts.
#include <memory>
#include <string>

#include "ui/control_set.h"
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

// The Filter Maker's controls, bound from its table; Kinds gives the member
// types (the fakes' own set holds the fake controls).
template <class Kinds>
struct FilterMakerSet : ControlSet {
    typename Kinds::Window* window = nullptr;
    Named<typename Kinds::ListBox> lstPat{this, "lstPat"};
    Named<typename Kinds::Label, 6> lblDum{this, "lblDum"};
    Named<typename Kinds::Label> lblF{this, "lblF"};
    Named<typename Kinds::TextBox> txtEF{this, "txtEF"};
    Named<typename Kinds::TextBox> txtFE{this, "txtFE"};
    Named<typename Kinds::Indicator> ErrInput1{this, "ErrInput1"};
    Named<typename Kinds::Indicator> ErrInput2{this, "ErrInput2"};
    Named<typename Kinds::Button, 3> cmdTools{this, "cmdTools"};
    Named<typename Kinds::Button> cmdPatU{this, "cmdPatU"};
    Named<typename Kinds::Button> cmdPatD{this, "cmdPatD"};
    Named<typename Kinds::Button> cmdNew{this, "cmdNew"};
    Named<typename Kinds::Button> cmdOpen{this, "cmdOpen"};
    Named<typename Kinds::Button> cmdSave{this, "cmdSave"};
    Named<typename Kinds::Button> cmdSaveAs{this, "cmdSaveAs"};
    Named<typename Kinds::Button> cmdOK{this, "cmdOK"};
    Named<typename Kinds::Button> cmdCancel{this, "cmdCancel"};
    Named<typename Kinds::Image, 2> Image1{this, "Image1"};
    Named<typename Kinds::MenuItem, 5> mnuOutLike{this, "mnuOutLike"};
};
using FilterMakerControls = FilterMakerSet<Interfaces>;

class IFilterMakerView {
public:
    virtual ~IFilterMakerView() = default;
    virtual FilterMakerControls& Controls() noexcept = 0;
    // The form logic that receives this view's events; set once, before load.
    virtual void SetHandlers(IFilterMakerHandlers* handlers) noexcept = 0;
};

class IEditFilterHandlers : public IFormEvents {
public:
    virtual void cmdOK_Click() = 0;
    virtual void cmdCancel_Click() = 0;
    virtual void cmdE_Click(int index) = 0;
    virtual void txtEF_Change() = 0;
};

template <class Kinds>
struct EditFilterSet : ControlSet {
    typename Kinds::Window* window = nullptr;
    Named<typename Kinds::TextBox> txtEF{this, "txtEF"};
    Named<typename Kinds::Indicator> ErrInput1{this, "ErrInput1"};
    Named<typename Kinds::Button, 7> cmdE{this, "cmdE"};
    Named<typename Kinds::Button> cmdOK{this, "cmdOK"};
    Named<typename Kinds::Button> cmdCancel{this, "cmdCancel"};
};
using EditFilterControls = EditFilterSet<Interfaces>;

class IEditFilterView {
public:
    virtual ~IEditFilterView() = default;
    virtual EditFilterControls& Controls() noexcept = 0;
    virtual void SetHandlers(IEditFilterHandlers* handlers) noexcept = 0;
};

// What the public classes need from the platform.
class IPlatform {
public:
    virtual ~IPlatform() = default;
    // Folder of the component's own file, as the system reports it.
    virtual std::string ComponentFolder() noexcept = 0;
    // The user's own folder for the component's files, created when missing;
    // empty when the system has none.
    virtual std::string PerUserFolder() noexcept = 0;
    virtual IFormServices& Services() noexcept = 0;
    // Null when the view cannot be made.
    virtual std::unique_ptr<IFilterMakerView> CreateFilterMakerView() noexcept = 0;
    virtual std::unique_ptr<IEditFilterView> CreateEditFilterView() noexcept = 0;
};

}  // namespace kvex::ui
