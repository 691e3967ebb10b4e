#pragma once
#include "app/Widgets.h"

class TfrmAllegaCartella : public pinakos::GradientForm<QDialog>
{
    Q_OBJECT
public:
    explicit TfrmAllegaCartella(QWidget* parent = nullptr);
};
