#pragma once
#include "app/Widgets.h"

class TfrmSlideshow : public pinakos::GradientForm<QDialog>
{
    Q_OBJECT
public:
    explicit TfrmSlideshow(QWidget* parent = nullptr);
};
