#pragma once
#include "app/GradientForm.h"

#include <QLineEdit>

class TfrmCodFisc : public pinakos::GradientForm<QDialog>
{
    Q_OBJECT
public:
    explicit TfrmCodFisc(QWidget* parent = nullptr);

    QLineEdit* txtCodFisc = nullptr; // preset by the opener
};
