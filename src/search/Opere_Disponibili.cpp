#include "search/Opere_Disponibili.h"

#include "app/Format.h"

// The window's frame; its contents come with the work on this window.
TfrmOpere_Disponibili::TfrmOpere_Disponibili(QWidget* parent) : GradientForm(parent)
{
    pinakos::applyFormatSettings();
    setWindowTitle(QStringLiteral(" Riepilogo opere d'arte non vendute"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(862, 560);
}
