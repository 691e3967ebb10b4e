#include "store/ApriCatalogo.h"

TfrmApriCatalogo::TfrmApriCatalogo(QWidget* parent) : GradientForm(parent)
{
}
