#pragma once
#include "kit/GradientForm.h"
#include "kit/Picture.h"

class QCloseEvent;

// The start window: from here the user creates or opens a catalog, reads the
// help and the program information, and ends the program.
class TfrmAvvio : public pinakos::GradientForm<QWidget>
{
    Q_OBJECT
public:
    explicit TfrmAvvio(QWidget* parent = nullptr);

    pinakos::Shape* shpSfondo = nullptr;
    pinakos::Picture* icoIcona = nullptr;
    pinakos::Picture* icoNome = nullptr;
    pinakos::Picture* imgInfo = nullptr;
    pinakos::Picture* imgGuida = nullptr;
    pinakos::Picture* imgSottotitolo = nullptr;
    pinakos::Picture* imgCrea = nullptr;
    pinakos::Picture* btnCrea = nullptr;
    pinakos::Picture* imgApri = nullptr;
    pinakos::Picture* btnApri = nullptr;
    pinakos::Picture* imgSito = nullptr;
    pinakos::Picture* imgCopyright = nullptr;
    pinakos::Picture* imgEsci = nullptr;

public Q_SLOTS:
    void imgCreaClick();
    void imgApriClick();
    void imgInfoClick();
    void imgGuidaClick();
    void imgSitoClick();
    void imgCopyrightClick();
    void imgEsciClick();

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void FormClose();
};
