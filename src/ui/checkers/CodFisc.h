#pragma once
#include "kit/GradientForm.h"
#include "kit/Picture.h"

#include <QLineEdit>

class QPushButton;

namespace pinakos {
class FieldKeys;
}

// The fiscal code check: tells whether the code in the box has the right
// check character, then closes.
class TfrmCodFisc : public pinakos::GradientForm<QDialog>
{
    Q_OBJECT
public:
    explicit TfrmCodFisc(QWidget* parent = nullptr);

    // The code to check, as the opener found it.
    void setCode(const QString& code);

    // Typing stops at this many characters; a longer preset value is shown whole.
    static constexpr int kTypedLength = 16;

    QLineEdit* txtCodFisc = nullptr; // preset by the opener
    pinakos::Shape* shpContainer = nullptr;
    pinakos::Picture* imgLogo = nullptr;
    QLabel* lblTitolo = nullptr;
    pinakos::Shape* shpCodFisc = nullptr;
    QPushButton* btnControlla = nullptr;
    QPushButton* btnChiudi = nullptr;

public Q_SLOTS:
    void txtCodFiscTyping(const QString& text);
    void btnControllaClick();
    void btnChiudiClick();

protected:
    void showEvent(QShowEvent* e) override; // FormShow

private:
    QString m_shown; // the box's text before the edit being handled
};
