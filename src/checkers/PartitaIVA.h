#pragma once
#include "app/GradientForm.h"

#include <QLineEdit>

class TfrmPartitaIva : public pinakos::GradientForm<QDialog>
{
    Q_OBJECT
public:
    explicit TfrmPartitaIva(QWidget* parent = nullptr);

    QLineEdit* txtPartitaIva = nullptr; // preset by the opener
};
