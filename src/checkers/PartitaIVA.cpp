#include "checkers/PartitaIVA.h"

#include "app/Format.h"

// The window's frame; its contents come with the work on this window.
TfrmPartitaIva::TfrmPartitaIva(QWidget* parent) : GradientForm(parent)
{
    pinakos::applyFormatSettings();
    setWindowTitle(QStringLiteral(" Controllo partita IVA"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(480, 254);
}
