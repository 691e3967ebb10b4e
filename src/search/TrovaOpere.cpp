#include "search/TrovaOpere.h"

#include "app/Format.h"

// The window's frame; its contents come with the work on this window.
TfrmTrovaOpere::TfrmTrovaOpere(QWidget* parent) : GradientForm(parent)
{
    pinakos::applyFormatSettings();
    setWindowTitle(QStringLiteral(" Trova opere d'arte in catalogo"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(862, 560);
}
