#pragma once
#include "kit/GradientForm.h"
#include "kit/Highlight.h"
#include "kit/Picture.h"

class QLineEdit;
class QPushButton;

// The login window, the program's main window: lets in only the stored password.
class TfrmPassword : public pinakos::GradientForm<QWidget>
{
    Q_OBJECT
public:
    explicit TfrmPassword(QWidget* parent = nullptr);

    pinakos::Shape* shpSfondo = nullptr;
    pinakos::Picture* imgLogo = nullptr;
    pinakos::Shape* shpTitolo = nullptr;
    QLabel* lblRigo05 = nullptr;
    pinakos::Highlight* effPassword = nullptr;
    QLineEdit* txtPassword = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdEsci = nullptr;
    QPushButton* btnCambiaPassword = nullptr;

public Q_SLOTS:
    void cmdOKClick();
    void cmdEsciClick();
    void btnCambiaPasswordClick();

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void FormShow();
    void txtPasswordChange();
};
