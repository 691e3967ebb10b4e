#pragma once
#include "app/Widgets.h"

class TfrmCreaCatalogo : public pinakos::GradientForm<QWidget>
{
    Q_OBJECT
public:
    explicit TfrmCreaCatalogo(QWidget* parent = nullptr);
};
