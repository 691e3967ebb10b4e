#pragma once
#include "kit/GradientForm.h"
#include "kit/LinkLabel.h"
#include "kit/Picture.h"
#include "shell/HelpTopics.h"

class QPlainTextEdit;
class QPushButton;

// The help window: one topic chosen by its opener, and a link to the PDF
// manual in the program folder.
class TfrmGuida : public pinakos::GradientForm<QDialog>
{
    Q_OBJECT
public:
    explicit TfrmGuida(QWidget* parent = nullptr);

    // Puts the topic's title line in lblTitolo and its body in txtGuida.
    void setTopic(const pinakos::HelpTopic& topic);

    pinakos::Shape* shpIntestazione = nullptr;
    pinakos::Picture* imgLogo = nullptr;
    QLabel* lblTitolo = nullptr;
    QPlainTextEdit* txtGuida = nullptr;
    pinakos::Picture* imgPDF = nullptr;
    pinakos::LinkLabel* lnkWeb = nullptr;
    QPushButton* btnChiudi = nullptr;

    // The shell command that opens the manual: its full path in double quotes.
    static QString manualCommand();

public Q_SLOTS:
    void lnkWebClick();
    void btnChiudiClick();

protected:
    void showEvent(QShowEvent* e) override;
};

namespace pinakos {
// Shows a topic in a fresh help window owned by `owner`, modally; the window
// is destroyed when it closes.
void showHelpTopic(QWidget* owner, const HelpTopic& topic);
} // namespace pinakos
