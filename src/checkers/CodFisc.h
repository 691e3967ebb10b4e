#pragma once
#include "app/Widgets.h"

class TfrmCodFisc : public pinakos::GradientForm<QDialog>
{
    Q_OBJECT
public:
    explicit TfrmCodFisc(QWidget* parent = nullptr);
};
