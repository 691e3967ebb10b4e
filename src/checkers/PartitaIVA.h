#pragma once
#include "app/Widgets.h"

class TfrmPartitaIva : public pinakos::GradientForm<QDialog>
{
    Q_OBJECT
public:
    explicit TfrmPartitaIva(QWidget* parent = nullptr);
};
