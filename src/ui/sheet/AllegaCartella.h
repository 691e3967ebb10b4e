#pragma once
#include "kit/GradientForm.h"
#include "kit/Picture.h"
#include "sheet/SheetRules.h"

#include <QLabel>
#include <QLineEdit>
#include <array>

class QPushButton;

namespace pinakos {
class Sheet;
}

// The attached documents window: the three document slots of the sheet it is
// opened from. "Sfoglia..." copies a chosen file into the documents folder at
// once; "Applica e chiudi" hands the slots back to the sheet, whose save then
// stores them.
class TfrmAllegaCartella : public pinakos::GradientForm<QDialog>
{
    Q_OBJECT
public:
    explicit TfrmAllegaCartella(QWidget* parent = nullptr);

    // The sheet window it is opened from, which "Applica e chiudi" reports
    // back to, and the sheet's three documents shown in the slots.
    void setSheet(pinakos::Sheet* sheet, const pinakos::Attachments& shown);

    QLabel* lblMemory = nullptr; // the opener mark
    QLineEdit* txtFile01 = nullptr;
    QLineEdit* txtFile02 = nullptr;
    QLineEdit* txtFile03 = nullptr;
    QLineEdit* txtDesc01 = nullptr;
    QLineEdit* txtDesc02 = nullptr;
    QLineEdit* txtDesc03 = nullptr;

    pinakos::Shape* shpSfondo = nullptr;
    pinakos::Picture* imgLogo = nullptr;
    pinakos::Shape* shpFile01 = nullptr;
    pinakos::Shape* shpFile02 = nullptr;
    pinakos::Shape* shpFile03 = nullptr;
    QLabel* lblCampo01 = nullptr;
    QLabel* lblCampo02 = nullptr;
    QLabel* lblCampo03 = nullptr;
    QLabel* lblCampo04 = nullptr;
    QLabel* lblCampo05 = nullptr;
    QLabel* lblCampo06 = nullptr;
    pinakos::Picture* imgCancella01 = nullptr;
    pinakos::Picture* imgCancella02 = nullptr;
    pinakos::Picture* imgCancella03 = nullptr;
    QPushButton* btnSfoglia01 = nullptr;
    QPushButton* btnSfoglia02 = nullptr;
    QPushButton* btnSfoglia03 = nullptr;
    QPushButton* btnApri01 = nullptr;
    QPushButton* btnApri02 = nullptr;
    QPushButton* btnApri03 = nullptr;
    QPushButton* btnAnnulla = nullptr;
    QPushButton* btnApplica = nullptr;

public Q_SLOTS:
    void btnSfoglia01Click() { browse(0); }
    void btnSfoglia02Click() { browse(1); }
    void btnSfoglia03Click() { browse(2); }
    void btnApri01Click() { openDocument(0); }
    void btnApri02Click() { openDocument(1); }
    void btnApri03Click() { openDocument(2); }
    void imgCancella01Click() { erase(0); }
    void imgCancella02Click() { erase(1); }
    void imgCancella03Click() { erase(2); }
    void txtFile01Change() { fileChanged(0); }
    void txtFile02Change() { fileChanged(1); }
    void txtFile03Change() { fileChanged(2); }
    void btnApplicaClick();
    void btnAnnullaClick();

protected:
    void showEvent(QShowEvent* e) override;

private:
    struct Slot
    {
        QLineEdit* file = nullptr;
        QLineEdit* description = nullptr;
        QPushButton* browse = nullptr;
        QPushButton* open = nullptr;
        pinakos::Picture* erase = nullptr;
        QLabel* fileCaption = nullptr;
        QLabel* descriptionCaption = nullptr;
    };
    void buildSlot(int k);
    // Slot k (0-based): choose a file and copy it into the documents folder.
    void browse(int k);
    // Slot k: hand its document to the desktop's program for its type.
    void openDocument(int k);
    // Slot k: forget the file name; the description and the file stay.
    void erase(int k);
    // Slot k: "Apri" only for a file name that names a document of the folder.
    void fileChanged(int k);

    std::array<Slot, 3> m_slots;
    pinakos::Sheet* m_sheet = nullptr;
};
