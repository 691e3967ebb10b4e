#pragma once
#include "app/GradientForm.h"

#include <QLabel>

namespace pinakos {
class Sheet;
}

class TfrmTrovaOpere : public pinakos::GradientForm<QDialog>
{
    Q_OBJECT
public:
    explicit TfrmTrovaOpere(QWidget* parent = nullptr);

    // The sheet window it was opened from.
    void setSheet(pinakos::Sheet* sheet) { m_sheet = sheet; }

    QLabel* lblMemory = nullptr; // the opener mark

private:
    pinakos::Sheet* m_sheet = nullptr;
};
