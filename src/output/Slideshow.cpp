#include "output/Slideshow.h"

#include "app/Format.h"
#include "app/Layout.h"

// The window's frame; its contents come with the work on this window.
TfrmSlideshow::TfrmSlideshow(QWidget* parent) : GradientForm(parent)
{
    pinakos::applyFormatSettings();
    setWindowTitle(QStringLiteral(" Slide show catalogo opere d'arte"));
    resize(1016, 713);
    setProperty("showMaximised", true);
    lblNome = pinakos::makeHiddenLabel(panContainer, QStringLiteral("lblNome"));
    lblFile = pinakos::makeHiddenLabel(panContainer, QStringLiteral("lblFile"));
}
