#pragma once
#include "app/Widgets.h"

class TfrmAvvio : public pinakos::GradientForm<QWidget>
{
    Q_OBJECT
public:
    explicit TfrmAvvio(QWidget* parent = nullptr);
};
