#pragma once
#include "app/Widgets.h"

class TfrmOpere : public pinakos::GradientForm<QWidget>
{
    Q_OBJECT
public:
    explicit TfrmOpere(QWidget* parent = nullptr);

    // The state of the open catalog, read and written by the other windows.
    QLabel* lblFile = nullptr;       // full path of the open archive
    QLabel* lblNome = nullptr;       // catalog name
    QLabel* lblPosizione = nullptr;  // 1-based number of the record shown, empty for a new sheet
};
