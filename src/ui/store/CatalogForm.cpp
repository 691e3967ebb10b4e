#include "store/CatalogForm.h"

#include "base/Format.h"
#include "kit/Layout.h"
#include "shell/Guida.h"
#include "shell/HelpTopics.h"

#include <QCloseEvent>
#include <QShowEvent>

using namespace pinakos;

const QColor CatalogForm::kSteelBlue = argb(0xFF4682B4);
const QColor CatalogForm::kBlanchedAlmond = argb(0xFFFFEBCD);

CatalogForm::CatalogForm(const QString& title, QWidget* parent) : GradientForm(parent)
{
    // FormCreate
    setupWorkWindow(title, argb(0xFF427AA8), 995, 692);
    shpFondo = new Shape(panContainer, QStringLiteral("shpFondo"), QRect(8, 8, 978, 676), kSteelBlue);
}

void CatalogForm::showEvent(QShowEvent* e)
{
    GradientForm::showEvent(e);
    if (!e->spontaneous())
        FormShow();
}

void CatalogForm::closeEvent(QCloseEvent* e)
{
    FormClose();
    e->accept();
}

void CatalogForm::btnAnnullaClick() { close(); }

void CatalogForm::imgGuidaClick() { showHelpTopic(this, sheetTopic()); }
