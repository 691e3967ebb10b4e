#pragma once
#include "app/Widgets.h"

class TfrmApriCatalogo : public pinakos::GradientForm<QWidget>
{
    Q_OBJECT
public:
    explicit TfrmApriCatalogo(QWidget* parent = nullptr);
};
