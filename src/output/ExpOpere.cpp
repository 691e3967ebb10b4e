#include "output/ExpOpere.h"

#include "app/Format.h"

// The window's frame; its contents come with the work on this window.
TfrmExpOpere::TfrmExpOpere(QWidget* parent) : GradientForm(parent)
{
    pinakos::applyFormatSettings();
    setWindowTitle(QStringLiteral(" Esporta inventario opere d'arte in Microsoft Excel"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(862, 560);
}
