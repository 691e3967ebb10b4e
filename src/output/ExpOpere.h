#pragma once
#include "app/Widgets.h"

class TfrmExpOpere : public pinakos::GradientForm<QDialog>
{
    Q_OBJECT
public:
    explicit TfrmExpOpere(QWidget* parent = nullptr);
};
