#pragma once
#include "kit/GradientForm.h"

#include <memory>

namespace pinakos {
class PhotoView;
class Picture;
class Sheet;
class Shape;
namespace report {
class Report;
}
} // namespace pinakos

class QPushButton;

// Prints the sheet shown in the sheet window, with its photo, on one A4 page.
class TfrmStampaOpera : public pinakos::GradientForm<QDialog>
{
    Q_OBJECT
public:
    explicit TfrmStampaOpera(QWidget* parent = nullptr);
    ~TfrmStampaOpera() override;

    // The sheet window it was opened from.
    void setSheet(pinakos::Sheet* sheet) { m_sheet = sheet; }

    pinakos::Shape* shpSfondo = nullptr;
    pinakos::Picture* icoInf01 = nullptr;
    pinakos::Picture* imgLogo01 = nullptr;
    pinakos::Shape* shpSepara = nullptr;
    pinakos::Picture* imgSezione04 = nullptr;
    pinakos::Picture* icoInf02 = nullptr;
    QPushButton* btnAnnulla = nullptr;
    QPushButton* btnStampa = nullptr;
    pinakos::PhotoView* imgLogo = nullptr; // hidden: the picture to print
    pinakos::PhotoView* imgTemp = nullptr; // hidden: the blue euro sign, when there is no picture
    std::unique_ptr<pinakos::report::Report> repDocumento; // the sheet report

public Q_SLOTS:
    void btnAnnullaClick();
    void btnStampaClick();

protected:
    void showEvent(QShowEvent* e) override; // FormShow

private:
    pinakos::Sheet* m_sheet = nullptr;
};
