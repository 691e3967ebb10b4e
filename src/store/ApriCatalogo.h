#pragma once
#include "app/Widgets.h"

class QCloseEvent;
class QListWidget;
class QListWidgetItem;
class QShowEvent;

// The catalog opening window: lists the catalogs of the program folder,
// opens one in the sheet window or deletes one.
class TfrmApriCatalogo : public pinakos::GradientForm<QWidget>
{
    Q_OBJECT
public:
    explicit TfrmApriCatalogo(QWidget* parent = nullptr);

    pinakos::Shape* shpFondo = nullptr;
    pinakos::Picture* icoIstruzioni = nullptr;
    pinakos::Picture* btnElimina = nullptr;
    pinakos::Picture* icoMano = nullptr;
    pinakos::Picture* imgGuida = nullptr;
    pinakos::Shape* shpElenco = nullptr;
    QListWidget* lstFiles = nullptr;
    QLabel* lblCreati = nullptr;
    pinakos::Picture* btnAnnulla = nullptr;
    pinakos::Picture* btnApri = nullptr;
    QLabel* lblFile = nullptr;     // hidden: the archive path while a command runs
    QLabel* lblMemory = nullptr;   // hidden: what closing does, "avvio" or "arte"

public Q_SLOTS:
    void btnApriClick();
    void btnEliminaClick();
    void btnAnnullaClick();
    void imgGuidaClick();

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void FormShow();
    void FormClose();
    void buildList();
    QListWidgetItem* selectedLine() const;
};
