#pragma once
#include "kit/Picture.h"
#include "store/CatalogForm.h"

class QLineEdit;
class QPushButton;

// The catalog creation window: the user types a name and an empty archive
// <name>.art is created in the program folder.
class TfrmCreaCatalogo : public CatalogForm
{
    Q_OBJECT
public:
    explicit TfrmCreaCatalogo(QWidget* parent = nullptr);

    pinakos::Picture* icoIstruzioni = nullptr;
    pinakos::Picture* imgGuida = nullptr;
    pinakos::Picture* icoMano = nullptr;
    pinakos::Picture* imgDecoro = nullptr; // decoration below the name box
    pinakos::Shape* bkgFile = nullptr;
    QLineEdit* txtFile = nullptr;
    pinakos::Picture* btnAnnulla = nullptr;
    pinakos::Picture* btnApplica = nullptr;
    QLabel* lblFile = nullptr; // hidden: the archive path while a creation runs
    QPushButton* btnImporta = nullptr;

    // The characters that typing in the name box leaves out.
    static bool isFilteredChar(QChar c);

public Q_SLOTS:
    void btnApplicaClick();
    void btnImportaClick();

protected:
    void FormShow() override;
    // The archive path of the name typed, or empty after telling why there is none.
    QString checkedArchivePath();
    void FormClose() override;
};
