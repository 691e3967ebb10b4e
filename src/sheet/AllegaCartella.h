#pragma once
#include "app/GradientForm.h"

#include <QLabel>
#include <QLineEdit>

namespace pinakos {
class Sheet;
}

class TfrmAllegaCartella : public pinakos::GradientForm<QDialog>
{
    Q_OBJECT
public:
    explicit TfrmAllegaCartella(QWidget* parent = nullptr);

    // The sheet window it was opened from.
    void setSheet(pinakos::Sheet* sheet) { m_sheet = sheet; }

    QLabel* lblMemory = nullptr; // the opener mark
    QLineEdit* txtFile01 = nullptr;
    QLineEdit* txtFile02 = nullptr;
    QLineEdit* txtFile03 = nullptr;
    QLineEdit* txtDesc01 = nullptr;
    QLineEdit* txtDesc02 = nullptr;
    QLineEdit* txtDesc03 = nullptr;

private:
    pinakos::Sheet* m_sheet = nullptr;
};
