#pragma once
#include "kit/GradientForm.h"
#include "search/ResultList.h"

namespace pinakos {
class Sheet;
}

// The unsold works: every work of the open catalog whose sold mark is "No",
// one summary line each, built when the window is shown; a line is brought
// back into the sheet window as in the search window.
class TfrmOpere_Disponibili : public pinakos::GradientForm<QDialog>, public pinakos::ResultList
{
    Q_OBJECT
public:
    explicit TfrmOpere_Disponibili(QWidget* parent = nullptr);

    // The sheet window it was opened from.
    void setSheet(pinakos::Sheet* sheet) { m_sheet = sheet; }

public Q_SLOTS:
    void btnChiudiClick() { close(); }
    void btnTrovaClick();
    void btnStampaClick();
    void lstRecordsDblClick();

protected:
    void showEvent(QShowEvent* e) override;
    void done(int result) override;
    void FormShow();
    void FormClose();

private:
    pinakos::Sheet* m_sheet = nullptr;
};
