#include "search/TrovaOpere.h"

#include "app/Format.h"
#include "app/Layout.h"

// The window's frame; its contents come with the work on this window.
TfrmTrovaOpere::TfrmTrovaOpere(QWidget* parent) : GradientForm(parent)
{
    pinakos::applyFormatSettings();
    pinakos::setFixedFrame(this, QStringLiteral(" Trova opere d'arte in catalogo"), 862, 560);
    lblMemory = pinakos::makeHiddenLabel(panContainer, QStringLiteral("lblMemory"));
}
