#include "shell/Avvio.h"

TfrmAvvio::TfrmAvvio(QWidget* parent) : GradientForm(parent)
{
}
