#include "sheet/Opere.h"

TfrmOpere::TfrmOpere(QWidget* parent) : GradientForm(parent)
{
}
