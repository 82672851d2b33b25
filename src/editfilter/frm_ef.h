#pragma once
// The Edit Filter dialog's logic: one filter text, the pattern token buttons,
// live validation, OK and Cancel. The object outlives its window so that the
// caller can read what OK or Cancel left in it.
#include <memory>
#include <string>

#include "ui/views.h"

namespace kvex {

class FrmEF final : public ui::IEditFilterHandlers {
public:
    // Form_Initialize: registers the common controls before any window exists.
    FrmEF(ui::IEditFilterView& view, ui::IFormServices& services);
    ~FrmEF() override;
    FrmEF(const FrmEF&) = delete;
    FrmEF& operator=(const FrmEF&) = delete;

    // A 16-bit Boolean: -1 after OK.
    short SelectionMade() const { return m_bSelectionMade; }
    void SetSelectionMade(short bSelectionMade) { m_bSelectionMade = bSelectionMade; }

    const std::string& FilterInAndOut() const { return m_sFilterInAndOut; }
    void SetFilterInAndOut(const std::string& sFilterInAndOut) { m_sFilterInAndOut = sFilterInAndOut; }

    // Resource id of the window icon.
    short IconIndex() const { return m_iIconIndex; }
    void SetIconIndex(short iIconIndex) { m_iIconIndex = iIconIndex; }

    void Form_Load() override;
    void Form_QueryUnload() override;
    void Form_Resize() override;
    void Form_Unload() override;

    void cmdOK_Click() override;
    void cmdCancel_Click() override;
    void cmdE_Click(int index) override;
    void txtEF_Change() override;

private:
    ui::EditFilterControls& c_;
    ui::IFormServices& services_;
    std::unique_ptr<ui::IFormLayout> m_oLayout;
    short m_bSelectionMade = 0;
    std::string m_sFilterInAndOut;
    short m_iIconIndex = 0;
};

}  // namespace kvex
