#include "checkers/PartitaIVA.h"

#include "app/Format.h"
#include "app/Layout.h"

// The window's frame; its contents come with the work on this window.
TfrmPartitaIva::TfrmPartitaIva(QWidget* parent) : GradientForm(parent)
{
    pinakos::applyFormatSettings();
    pinakos::setFixedFrame(this, QStringLiteral(" Controllo partita IVA"), 480, 254);
    txtPartitaIva = new QLineEdit(panContainer);
    txtPartitaIva->setObjectName(QStringLiteral("txtPartitaIva"));
}
