#include "sheet/Opere.h"

TfrmOpere::TfrmOpere(QWidget* parent) : GradientForm(parent)
{
    lblFile = pinakos::makeHiddenLabel(panContainer, QStringLiteral("lblFile"));
    lblNome = pinakos::makeHiddenLabel(panContainer, QStringLiteral("lblNome"));
    lblPosizione = pinakos::makeHiddenLabel(panContainer, QStringLiteral("lblPosizione"));
}
