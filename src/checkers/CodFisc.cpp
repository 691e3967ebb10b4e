#include "checkers/CodFisc.h"

#include "app/Format.h"
#include "app/Layout.h"

// The window's frame; its contents come with the work on this window.
TfrmCodFisc::TfrmCodFisc(QWidget* parent) : GradientForm(parent)
{
    pinakos::applyFormatSettings();
    pinakos::setFixedFrame(this, QStringLiteral(" Controllo codice fiscale"), 478, 254);
    txtCodFisc = new QLineEdit(panContainer);
    txtCodFisc->setObjectName(QStringLiteral("txtCodFisc"));
}
