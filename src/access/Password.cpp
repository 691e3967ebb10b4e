#include "access/Password.h"

TfrmPassword::TfrmPassword(QWidget* parent) : GradientForm(parent)
{
}
