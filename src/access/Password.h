#pragma once
#include "app/Widgets.h"

class TfrmPassword : public pinakos::GradientForm<QWidget>
{
    Q_OBJECT
public:
    explicit TfrmPassword(QWidget* parent = nullptr);
};
