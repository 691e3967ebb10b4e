#include "checkers/CodFisc.h"

#include "app/Format.h"

// The window's frame; its contents come with the work on this window.
TfrmCodFisc::TfrmCodFisc(QWidget* parent) : GradientForm(parent)
{
    pinakos::applyFormatSettings();
    setWindowTitle(QStringLiteral(" Controllo codice fiscale"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(478, 254);
}
