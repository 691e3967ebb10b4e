#include "search/Opere_Disponibili.h"

#include "app/Format.h"
#include "app/Layout.h"

// The window's frame; its contents come with the work on this window.
TfrmOpere_Disponibili::TfrmOpere_Disponibili(QWidget* parent) : GradientForm(parent)
{
    pinakos::applyFormatSettings();
    pinakos::setFixedFrame(this, QStringLiteral(" Riepilogo opere d'arte non vendute"), 862, 560);
}
