#pragma once
#include "kit/GradientForm.h"
#include "kit/LinkLabel.h"
#include "kit/Picture.h"

class QPushButton;

// The credits window: the maker's picture and a link to the maker's web site.
class TfrmSplash : public pinakos::GradientForm<QDialog>
{
    Q_OBJECT
public:
    explicit TfrmSplash(QWidget* parent = nullptr);

    pinakos::Picture* imgLogo = nullptr;
    QPushButton* btnChiudi = nullptr;
    pinakos::Picture* imgWeb = nullptr;
    pinakos::LinkLabel* lnkWeb = nullptr;

public Q_SLOTS:
    void lnkWebClick();
    void btnChiudiClick();

protected:
    void showEvent(QShowEvent* e) override;
};
