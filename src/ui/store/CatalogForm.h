#pragma once
#include "kit/GradientForm.h"
#include "kit/Picture.h"

class QCloseEvent;
class QShowEvent;

// What the two catalog windows share: the full-size frame with its
// steel-blue field, the show and close handlers, Annulla and the help icon.
class CatalogForm : public pinakos::GradientForm<QWidget>
{
    Q_OBJECT
public:
    pinakos::Shape* shpFondo = nullptr;

public Q_SLOTS:
    void btnAnnullaClick();
    void imgGuidaClick();

protected:
    CatalogForm(const QString& title, QWidget* parent);

    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    // Each time the window is shown by the program.
    virtual void FormShow() = 0;
    // Whatever closes the window.
    virtual void FormClose() = 0;

    static const QColor kSteelBlue;
    static const QColor kBlanchedAlmond;
};
