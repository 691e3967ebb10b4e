#pragma once
#include "kit/GradientForm.h"
#include "kit/Highlight.h"
#include "kit/Picture.h"

class QLineEdit;
class QPushButton;

// The password change window: the old password, the new one twice.
class TfrmCambiaPassword : public pinakos::GradientForm<QWidget>
{
    Q_OBJECT
public:
    explicit TfrmCambiaPassword(QWidget* parent = nullptr);

    pinakos::Shape* shpSfondo = nullptr;
    pinakos::Picture* imgLogo = nullptr;
    QLabel* lblRigo05 = nullptr;
    pinakos::Highlight* effPasswordOld = nullptr;
    QLineEdit* txtPasswordOld = nullptr;
    QLabel* lblRigo06 = nullptr;
    pinakos::Highlight* effPasswordNew = nullptr;
    QLineEdit* txtPasswordNew = nullptr;
    QLabel* lblRigo07 = nullptr;
    pinakos::Highlight* effConferma = nullptr;
    QLineEdit* txtConferma = nullptr;
    QPushButton* cmdEsci = nullptr;
    QPushButton* cmdOK = nullptr;

public Q_SLOTS:
    void cmdOKClick();
    void cmdEsciClick();

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void FormShow();
    void FormClose();
    void txtChange();
};
