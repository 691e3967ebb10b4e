#include "output/StampaOpera.h"

#include "app/Format.h"
#include "app/Layout.h"

// The window's frame; its contents come with the work on this window.
TfrmStampaOpera::TfrmStampaOpera(QWidget* parent) : GradientForm(parent)
{
    pinakos::applyFormatSettings();
    pinakos::setFixedFrame(this, QStringLiteral(" Stampa scheda"), 364, 287);
}
