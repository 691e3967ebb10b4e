#include "output/ExpOpere.h"

#include "app/Format.h"
#include "app/Layout.h"

// The window's frame; its contents come with the work on this window.
TfrmExpOpere::TfrmExpOpere(QWidget* parent) : GradientForm(parent)
{
    pinakos::applyFormatSettings();
    pinakos::setFixedFrame(this, QStringLiteral(" Esporta inventario opere d'arte in Microsoft Excel"), 862, 560);
}
