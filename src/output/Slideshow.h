#pragma once
#include "app/GradientForm.h"

#include <QLabel>

class TfrmSlideshow : public pinakos::GradientForm<QDialog>
{
    Q_OBJECT
public:
    explicit TfrmSlideshow(QWidget* parent = nullptr);

    QLabel* lblNome = nullptr; // catalog name, set by the opener
    QLabel* lblFile = nullptr; // archive path, set by the opener
};
