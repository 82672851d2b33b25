#pragma once
// The Filter Maker dialog's logic: the handlers of its controls and the
// operations on its filter list. The list box is the only copy of the list
// while the dialog is open.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "filtermaker/edit_filter_launcher.h"
#include "ui/views.h"

namespace kvex {

class FrmFM final : public ui::IFilterMakerHandlers {
public:
    // Form_Initialize: registers the common controls before any window exists.
    // editFilter runs the Edit Filter dialog for the pictures.
    FrmFM(ui::IFilterMakerView& view, ui::IFormServices& services, EditFilterLauncher editFilter);
    ~FrmFM() override;
    FrmFM(const FrmFM&) = delete;
    FrmFM& operator=(const FrmFM&) = delete;

    // The pattern-list file in use, empty when none. Writing it loads the
    // form first when needed, then updates the caption and cmdSave. A failure
    // goes back to the writer.
    const std::string& FilterFile() const { return m_sFilterFile; }
    void SetFilterFile(const std::string& sFilterFile);

    // A filter handed in for editing; used once by Form_Load.
    const std::string& EFISEditFilterIn() const { return m_sEFISEditFilterIn; }
    void SetEFISEditFilterIn(const std::string& vEFIValue) { m_sEFISEditFilterIn = vEFIValue; }

    void Form_Load() override;
    void Form_QueryUnload() override;
    void Form_Resize() override;
    void Form_Unload() override;

    void cmdOK_Click() override;
    void cmdCancel_Click() override;
    void cmdNew_Click() override;
    void cmdOpen_Click() override;
    void cmdSave_Click() override;
    void cmdSaveAs_Click() override;
    void cmdPatU_Click() override;
    void cmdPatD_Click() override;
    void cmdTools_Click(int index) override;
    void lstPat_Click() override;
    void lstPat_MouseUp(int button, int shift, int x, int y) override;
    void mnuOutLike_Click(int index) override;
    void Image1_Click(int index) override;
    void lblF_Click() override;
    void txtEF_Change() override;
    void txtFE_Change() override;

private:
    // Caption and cmdSave follow the current pattern-list file.
    void ShowFilterFile();

    // List operations (frm_fm_list.cpp).
    void TestAddFilter();
    void RemoveSelectedFilters();
    void CreateCombinedFilter();
    void SelectOrAppendFilter(const std::string& filter);
    void SortFilters();
    void RefreshCountLabel();
    void SetLengthLabel(std::size_t length);

    // Checks of the two parts (frm_fm_check.cpp).
    short TrialMatch(const std::string& part, short bBeepOnly);
    void CheckPartBox(ui::ITextBox& box, ui::IIndicator& indicator);

    // The list store and pattern-list files (frm_fm_store.cpp).
    void LoadFilterList();
    void SaveFilterList(const std::string& path);
    std::optional<std::vector<std::string>> ReadListFile(const std::string& path);
    void AppendRecords(const std::vector<std::string>& records);
    void PutDefaultFilterFirst();
    void SaveCustomFilters(const std::string& target);
    void ReportSaveError(unsigned long number, const std::string& description);

    // In-place editing and the list menu (frm_fm_edit.cpp).
    void LoadEditFilterIn();
    void SplitIntoBoxes(const std::string& filter);
    void mnuOL_Click();
    void EditOutLike(short index);

    ui::FilterMakerControls& c_;
    ui::IFormServices& services_;
    EditFilterLauncher editFilter_;
    std::unique_ptr<ui::IFormLayout> m_oLayout;
    std::string m_sFilterFile;
    std::string m_sEFISEditFilterIn;
};

}  // namespace kvex
