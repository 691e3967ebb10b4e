#pragma once
#include "app/Widgets.h"

class TfrmOpere : public pinakos::GradientForm<QWidget>
{
    Q_OBJECT
public:
    explicit TfrmOpere(QWidget* parent = nullptr);
};
