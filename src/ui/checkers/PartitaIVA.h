#pragma once
#include "kit/GradientForm.h"
#include "kit/Picture.h"

#include <QLineEdit>

class QPushButton;

namespace pinakos {
class FieldKeys;
}

// The VAT number check: tells whether the number in the box has the right
// check digit and, when it has, which office issued it; then closes.
class TfrmPartitaIva : public pinakos::GradientForm<QDialog>
{
    Q_OBJECT
public:
    explicit TfrmPartitaIva(QWidget* parent = nullptr);

    // The number to check, as the opener found it.
    void setCode(const QString& code);

    // Typing stops at this many digits; a longer preset value is shown whole.
    static constexpr int kTypedLength = 11;

    QLineEdit* txtPartitaIva = nullptr; // preset by the opener
    pinakos::Shape* shpContainer = nullptr;
    pinakos::Picture* imgLogo = nullptr;
    QLabel* lblTitolo = nullptr;
    pinakos::Shape* shpCodFisc = nullptr;
    QPushButton* btnControlla = nullptr;
    QPushButton* btnChiudi = nullptr;

public Q_SLOTS:
    void btnControllaClick();
    void btnChiudiClick();

protected:
    void showEvent(QShowEvent* e) override; // FormShow

private:
    // Text that reaches the box other than by keys (a paste, a drop) is
    // held to the key rules: digits only, no longer than typing allows.
    void txtPartitaIvaEdited(const QString& text);

    QString m_shown; // the box's text before the edit being handled
};
