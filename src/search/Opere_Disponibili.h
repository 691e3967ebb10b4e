#pragma once
#include "app/Widgets.h"

class TfrmOpere_Disponibili : public pinakos::GradientForm<QDialog>
{
    Q_OBJECT
public:
    explicit TfrmOpere_Disponibili(QWidget* parent = nullptr);
};
