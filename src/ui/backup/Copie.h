#pragma once
#include "kit/GradientForm.h"
#include "kit/Picture.h"

class QCheckBox;
class QListWidget;
class QPushButton;

namespace pinakos {
class HoverHints;
} // namespace pinakos

// The backup window: where the copies go, a copy made now, the copies found
// with their restore, the automatic copy at the end of the program, and the
// bin of deleted catalogs. The work itself is done by core/backup.
class TfrmCopie : public pinakos::GradientForm<QDialog>
{
    Q_OBJECT
public:
    explicit TfrmCopie(QWidget* parent = nullptr);

    pinakos::Shape* shpSfondo = nullptr;
    QLabel* lblTitolo = nullptr;
    pinakos::Picture* imgGuida = nullptr;
    QLabel* lblCartella = nullptr;
    QPushButton* cmdCartella = nullptr;
    QCheckBox* chkAutomatica = nullptr;
    QPushButton* cmdCrea = nullptr;
    QListWidget* lstCopie = nullptr;
    QPushButton* cmdRipristina = nullptr;
    QListWidget* lstCestino = nullptr;
    QPushButton* cmdRecupera = nullptr;
    QPushButton* btnChiudi = nullptr;
    pinakos::Shape* shpInfo = nullptr;
    QLabel* panInfo = nullptr;

public Q_SLOTS:
    void cmdCartellaClick();
    void cmdCreaClick();
    void cmdRipristinaClick();
    void cmdRecuperaClick();
    void chkAutomaticaClick();
    void imgGuidaClick();
    void btnChiudiClick();

private:
    void showSettings();
    void buildCopies();
    void buildBin();

    pinakos::HoverHints* m_hints = nullptr;
};

namespace pinakos {

// The automatic copy at the end of the program, with its progress dialog
// over `parent`. Never fails: a failure is kept to be told at the next start.
void copyAtProgramEnd(QWidget* parent);

// Tells, once, why the last automatic copy failed (a warning over `parent`).
void tellAutomaticCopyFailure(QWidget* parent);

} // namespace pinakos
