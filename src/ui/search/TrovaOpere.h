#pragma once
#include "kit/GradientForm.h"
#include "kit/Highlight.h"
#include "kit/Picture.h"
#include "search/ResultList.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <array>

namespace pinakos {
class Sheet;
}

// The search window: up to ten field filters in the filter view; the works
// found, one summary line each, in the result view, from which a line is
// brought back into the sheet window.
class TfrmTrovaOpere : public pinakos::GradientForm<QDialog>, public pinakos::ResultList
{
    Q_OBJECT
public:
    explicit TfrmTrovaOpere(QWidget* parent = nullptr);

    // The sheet window it is opened from, which the chosen line is shown on;
    // also marks the window as opened from the sheet.
    void setSheet(pinakos::Sheet* sheet);

    QLabel* lblMemory = nullptr; // the opener mark

    // Filter view.
    QWidget* panAvvio = nullptr;
    pinakos::Shape* shpSpiega = nullptr;
    pinakos::Picture* imgSpiega = nullptr;
    QLabel* lblRigo04 = nullptr;
    QLabel* lblRigo05 = nullptr;
    QLabel* lblRigo06 = nullptr;
    pinakos::Shape* shpSfondoCampi = nullptr;
    pinakos::Shape* shpCampi = nullptr;
    pinakos::Picture* imgTrova01 = nullptr;
    pinakos::Picture* imgTrova02 = nullptr;
    pinakos::Picture* imgTrova03 = nullptr;
    // The ten filter boxes in tab order, with their captions and highlights.
    QLineEdit* txtCapo = nullptr;
    QLineEdit* txtDescrizione = nullptr;
    QLineEdit* txtColore = nullptr;
    QLineEdit* txtTessuto = nullptr;
    QLineEdit* txtDifetti = nullptr;
    QLineEdit* txtServizio = nullptr;
    QLineEdit* txtCliente = nullptr;
    QLineEdit* txtCodFisc = nullptr;
    QLineEdit* txtSpecifiche = nullptr;
    QLineEdit* txtNote = nullptr;
    std::array<QLabel*, 10> captions{};
    std::array<pinakos::Highlight*, 10> highlights{};
    QPushButton* btnAnnulla = nullptr;
    QPushButton* btnCerca = nullptr;
    QLabel* lblAttendere = nullptr;
    QLabel* lblConta = nullptr;

    // Result view (the rest of it is the shared result list).
    QLabel* lblTrovate = nullptr;

    // The filter boxes in tab order.
    std::array<QLineEdit*, 10> filters() const;

public Q_SLOTS:
    void btnCercaMouseDown();
    void btnCercaClick();
    void btnAnnullaClick() { close(); }
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
    void buildFilters(QWidget* p);

    pinakos::Sheet* m_sheet = nullptr;
};
