#pragma once
#include "kit/GradientForm.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace pinakos {
class HoverHints;
class Shape;
class Sheet;
namespace report {
class Report;
}
} // namespace pinakos

// The documents a gallery hands over: for the work shown in the sheet, the
// certificate and the Object ID sheet; for its catalog, the insurance
// inventory, the wall labels and the price list.
class TfrmDocumenti : public pinakos::GradientForm<QDialog>
{
    Q_OBJECT
public:
    explicit TfrmDocumenti(QWidget* parent = nullptr);
    ~TfrmDocumenti() override;

    // The sheet window it was opened from.
    void setSheet(pinakos::Sheet* sheet) { m_sheet = sheet; }

    // The report of the document chosen, filled from the sheet or its catalog.
    std::unique_ptr<pinakos::report::Report> chosenReport() const;

    pinakos::Shape* shpSfondo = nullptr;
    QLabel* lblDocumento = nullptr;
    QComboBox* cboDocumento = nullptr;
    QLabel* lblDescrizione = nullptr;
    QCheckBox* chkSoloInvendute = nullptr;
    QCheckBox* chkPrezzi = nullptr;
    QPushButton* cmdIntestazione = nullptr;
    QLabel* lblIntestazione = nullptr;
    QPushButton* btnChiudi = nullptr;
    QPushButton* cmdGuida = nullptr;
    QPushButton* cmdStampa = nullptr;
    pinakos::Shape* shpInfo = nullptr;
    QLabel* panInfo = nullptr;

public Q_SLOTS:
    void cboDocumentoChange();
    void cmdIntestazioneClick();
    void cmdStampaClick();
    void cmdGuidaClick();
    void btnChiudiClick();

protected:
    void showEvent(QShowEvent* e) override;

private:
    void showLetterhead();

    pinakos::Sheet* m_sheet = nullptr;
    pinakos::HoverHints* m_hints = nullptr;
};

// The letterhead printed at the head of every document, kept in Documenti.ini.
class TfrmIntestazione : public pinakos::GradientForm<QDialog>
{
    Q_OBJECT
public:
    explicit TfrmIntestazione(QWidget* parent = nullptr);

    QLineEdit* txtNome = nullptr;
    QLineEdit* txtIndirizzo = nullptr;
    QLineEdit* txtCitta = nullptr;
    QLineEdit* txtPartitaIva = nullptr;
    QLineEdit* txtTelefono = nullptr;
    QLineEdit* txtEmail = nullptr;
    QLineEdit* txtLogo = nullptr;
    QPushButton* cmdLogo = nullptr;
    QPushButton* btnAnnulla = nullptr;
    QPushButton* btnSalva = nullptr;

public Q_SLOTS:
    void cmdLogoClick();
    void btnSalvaClick();
};
