#pragma once
#include "app/GradientForm.h"

namespace pinakos {
class Sheet;
}

class TfrmStampaOpera : public pinakos::GradientForm<QDialog>
{
    Q_OBJECT
public:
    explicit TfrmStampaOpera(QWidget* parent = nullptr);

    // The sheet window it was opened from.
    void setSheet(pinakos::Sheet* sheet) { m_sheet = sheet; }

private:
    pinakos::Sheet* m_sheet = nullptr;
};
