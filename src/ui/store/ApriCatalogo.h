#pragma once
#include "kit/Picture.h"
#include "store/CatalogForm.h"

class QListWidget;
class QListWidgetItem;

// The catalog opening window: lists the catalogs of the program folder,
// opens one in the sheet window or deletes one.
class TfrmApriCatalogo : public CatalogForm
{
    Q_OBJECT
public:
    explicit TfrmApriCatalogo(QWidget* parent = nullptr);

    pinakos::Picture* icoIstruzioni = nullptr;
    pinakos::Picture* btnElimina = nullptr;
    pinakos::Picture* icoMano = nullptr;
    pinakos::Picture* imgGuida = nullptr;
    pinakos::Shape* shpElenco = nullptr;
    QListWidget* lstFiles = nullptr;
    QLabel* lblCreati = nullptr;
    pinakos::Picture* btnAnnulla = nullptr;
    pinakos::Picture* btnApri = nullptr;
    QLabel* lblFile = nullptr; // hidden: the archive path while a command runs
    QLabel* lblMemory = nullptr; // hidden: what closing does, "avvio" or "arte"

public Q_SLOTS:
    void btnApriClick();
    void btnEliminaClick();

protected:
    void FormShow() override;
    void FormClose() override;

private:
    void buildList();
    QListWidgetItem* selectedLine() const;
    // The selected line, or nullptr after warning that the list is empty or
    // that nothing is selected (noSelection).
    QListWidgetItem* chosenLine(const QString& noSelection);
};
