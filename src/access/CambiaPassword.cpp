#include "access/CambiaPassword.h"

TfrmCambiaPassword::TfrmCambiaPassword(QWidget* parent) : GradientForm(parent)
{
}
