#include "shell/Guida.h"

TfrmGuida::TfrmGuida(QWidget* parent) : GradientForm(parent) {}

namespace pinakos {
void showHelpTopic(QWidget* owner, const HelpTopic&)
{
    TfrmGuida frm(owner);
    frm.exec();
}
}
