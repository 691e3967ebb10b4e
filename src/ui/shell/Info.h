#pragma once
#include "kit/GradientForm.h"
#include "kit/LinkLabel.h"
#include "kit/Picture.h"

class QPushButton;

// The information window: what the program is and who makes it, with a link
// that starts an e-mail to the maker.
class TfrmInfo : public pinakos::GradientForm<QDialog>
{
    Q_OBJECT
public:
    explicit TfrmInfo(QWidget* parent = nullptr);

    pinakos::Shape* shpIntestazione = nullptr;
    pinakos::Picture* imgLogo = nullptr;
    pinakos::Shape* shpScheda = nullptr;
    QLabel* lblProdotto = nullptr;
    QLabel* lblVersione = nullptr;
    QLabel* lblDescrizione = nullptr;
    QLabel* lblProduttore = nullptr;
    QPushButton* btnChiudi = nullptr;
    pinakos::Picture* imgEmail = nullptr;
    pinakos::LinkLabel* lnkWeb = nullptr;

    // The shell command of the e-mail link: a mailto link in double quotes,
    // subject and body as they are, without percent-encoding.
    static QString mailCommand();

public Q_SLOTS:
    void lnkWebClick();
    void btnChiudiClick();

protected:
    void showEvent(QShowEvent* e) override;
};
