#include "fakes/fake_platform.h"

namespace kvex::fakes {

FakeFilterMakerView::FakeFilterMakerView()
    : lblDum{FakeLabel("75 custom filters Max"), FakeLabel("filter extension"), FakeLabel("file pattern"),
             FakeLabel("#"), FakeLabel("Max 255 Chars for combined filter"), FakeLabel("New filter length (0)")} {
    cmdSave.SetEnabled(false);
    const char* const captions[] = {"Edit Out", "-", "Edit Like", "-", "Sort Filters"};
    for (std::size_t i = 0; i < mnuOutLike.size(); ++i) {
        mnuOutLike[i].caption = captions[i];
        window.popupItems.push_back(&mnuOutLike[i]);
    }
    controls_.window = &window;
    controls_.lstPat = &lstPat;
    for (std::size_t i = 0; i < lblDum.size(); ++i) controls_.lblDum[i] = &lblDum[i];
    controls_.lblF = &lblF;
    controls_.txtEF = &txtEF;
    controls_.txtFE = &txtFE;
    controls_.ErrInput1 = &ErrInput1;
    controls_.ErrInput2 = &ErrInput2;
    for (std::size_t i = 0; i < cmdTools.size(); ++i) controls_.cmdTools[i] = &cmdTools[i];
    controls_.cmdPatU = &cmdPatU;
    controls_.cmdPatD = &cmdPatD;
    controls_.cmdNew = &cmdNew;
    controls_.cmdOpen = &cmdOpen;
    controls_.cmdSave = &cmdSave;
    controls_.cmdSaveAs = &cmdSaveAs;
    controls_.cmdOK = &cmdOK;
    controls_.cmdCancel = &cmdCancel;
    for (std::size_t i = 0; i < Image1.size(); ++i) controls_.Image1[i] = &Image1[i];
    for (std::size_t i = 0; i < mnuOutLike.size(); ++i) controls_.mnuOutLike[i] = &mnuOutLike[i];
}

void FakeFilterMakerView::SetHandlers(ui::IFilterMakerHandlers* h) {
    window.events = h;
    lstPat.onClick = [h] { h->lstPat_Click(); };
    lstPat.onMouseUp = [h](int button) { h->lstPat_MouseUp(button, 0, 0, 0); };
    txtEF.onChange = [h] { h->txtEF_Change(); };
    txtFE.onChange = [h] { h->txtFE_Change(); };
    for (int i = 0; i < static_cast<int>(cmdTools.size()); ++i) {
        cmdTools[static_cast<std::size_t>(i)].onClick = [h, i] { h->cmdTools_Click(i); };
    }
    for (int i = 0; i < static_cast<int>(Image1.size()); ++i) {
        Image1[static_cast<std::size_t>(i)].onClick = [h, i] { h->Image1_Click(i); };
    }
    lblF.onClick = [h] { h->lblF_Click(); };
    cmdPatU.onClick = [h] { h->cmdPatU_Click(); };
    cmdPatD.onClick = [h] { h->cmdPatD_Click(); };
    cmdNew.onClick = [h] { h->cmdNew_Click(); };
    cmdOpen.onClick = [h] { h->cmdOpen_Click(); };
    cmdSave.onClick = [h] { h->cmdSave_Click(); };
    cmdSaveAs.onClick = [h] { h->cmdSaveAs_Click(); };
    cmdOK.onClick = [h] { h->cmdOK_Click(); };
    cmdCancel.onClick = [h] { h->cmdCancel_Click(); };
}

FakeEditFilterView::FakeEditFilterView() {
    cmdOK.SetEnabled(false);
    controls_.window = &window;
    controls_.txtEF = &txtEF;
    controls_.ErrInput1 = &ErrInput1;
    for (std::size_t i = 0; i < cmdE.size(); ++i) controls_.cmdE[i] = &cmdE[i];
    controls_.cmdOK = &cmdOK;
    controls_.cmdCancel = &cmdCancel;
}

void FakeEditFilterView::SetHandlers(ui::IEditFilterHandlers* h) {
    window.events = h;
    txtEF.onChange = [h] { h->txtEF_Change(); };
    for (int i = 0; i < static_cast<int>(cmdE.size()); ++i) {
        cmdE[static_cast<std::size_t>(i)].onClick = [h, i] { h->cmdE_Click(i); };
    }
    cmdOK.onClick = [h] { h->cmdOK_Click(); };
    cmdCancel.onClick = [h] { h->cmdCancel_Click(); };
}

std::string FakePlatform::PerUserFolder() {
    // The system makes the folder on first use.
    if (!perUserFolder.empty()) files.AddFolder(perUserFolder);
    return perUserFolder;
}

std::unique_ptr<ui::IFilterMakerView> FakePlatform::CreateFilterMakerView() {
    auto view = std::make_unique<FakeFilterMakerView>();
    FakeFilterMakerView* v = view.get();
    v->window.session = [this, v] {
        if (filterMakerSession) filterMakerSession(*v);
    };
    return view;
}

std::unique_ptr<ui::IEditFilterView> FakePlatform::CreateEditFilterView() {
    auto view = std::make_unique<FakeEditFilterView>();
    FakeEditFilterView* v = view.get();
    v->window.session = [this, v] {
        if (editFilterSession) editFilterSession(*v);
    };
    return view;
}

std::unique_ptr<ui::IFormLayout> FakePlatform::CreateLayout() noexcept {
    if (layoutUnavailable) return nullptr;
    return std::make_unique<FakeLayout>(layout);
}

}  // namespace kvex::fakes
