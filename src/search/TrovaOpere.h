#pragma once
#include "app/Widgets.h"

class TfrmTrovaOpere : public pinakos::GradientForm<QDialog>
{
    Q_OBJECT
public:
    explicit TfrmTrovaOpere(QWidget* parent = nullptr);
};
