#pragma once
#include "app/Widgets.h"

class TfrmCambiaPassword : public pinakos::GradientForm<QWidget>
{
    Q_OBJECT
public:
    explicit TfrmCambiaPassword(QWidget* parent = nullptr);
};
