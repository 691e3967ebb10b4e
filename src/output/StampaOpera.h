#pragma once
#include "app/Widgets.h"

class TfrmStampaOpera : public pinakos::GradientForm<QDialog>
{
    Q_OBJECT
public:
    explicit TfrmStampaOpera(QWidget* parent = nullptr);
};
