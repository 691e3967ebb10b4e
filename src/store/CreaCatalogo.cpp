#include "store/CreaCatalogo.h"

TfrmCreaCatalogo::TfrmCreaCatalogo(QWidget* parent) : GradientForm(parent)
{
}
