#include "output/StampaOpera.h"

#include "app/Format.h"

// The window's frame; its contents come with the work on this window.
TfrmStampaOpera::TfrmStampaOpera(QWidget* parent) : GradientForm(parent)
{
    pinakos::applyFormatSettings();
    setWindowTitle(QStringLiteral(" Stampa scheda"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(364, 287);
}
