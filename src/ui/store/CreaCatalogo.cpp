#include "store/CreaCatalogo.h"

#include "base/ProgramFolder.h"
#include "base/Text.h"
#include "kit/Dialogs.h"
#include "kit/FieldKeys.h"
#include "kit/Guard.h"
#include "kit/Layout.h"
#include "kit/Navigation.h"
#include "kit/OnDemand.h"
#include "kit/Picture.h"
#include "store/Catalogs.h"
#include "store/Importa.h"

#include <QLineEdit>
#include <QPushButton>

using namespace pinakos;

TfrmCreaCatalogo::TfrmCreaCatalogo(QWidget* parent)
    : CatalogForm(QStringLiteral(" Pinakos - Creazione catalogo opere d'arte"), parent)
{
    QWidget* p = panContainer;
    new Shape(p, QStringLiteral("shpIntestazione"), QRect(16, 14, 962, 126), Qt::white);
    new Shape(p, QStringLiteral("shpNome"), QRect(16, 146, 962, 420), Qt::white);
    new Shape(p, QStringLiteral("shpPulsanti"), QRect(524, 578, 438, 78), kBlanchedAlmond);

    icoIstruzioni = new Picture(p, QStringLiteral("icoIstruzioni"), art("crea_istruzioni"), QRect(198, 20, 669, 113));
    // The white area below the name box: a gallery wall with a painter's easel.
    imgDecoro = new Picture(p, QStringLiteral("imgDecoro"), art("crea_decoro"), QRect(28, 290, 938, 266));
    imgGuida = new Picture(p, QStringLiteral("imgGuida"), art("guida"), QRect(946, 152, 29, 28), true);
    icoMano = new Picture(p, QStringLiteral("icoMano"), art("mano"), QRect(580, 150, 30, 58));

    bkgFile = new Shape(p, QStringLiteral("bkgFile"), QRect(204, 220, 768, 58), kSteelBlue, argb(0xFFBFD6E8));
    bkgFile->setGradient(kSteelBlue, Qt::white);

    txtFile = new QLineEdit(p);
    txtFile->setObjectName(QStringLiteral("txtFile"));
    txtFile->setGeometry(216, 232, 744, 34);
    txtFile->setFont(appFont(QStringLiteral("Verdana"), 16, true));
    txtFile->setMaxLength(250);
    txtFile->setStyleSheet(fieldStyleSheet(QList<QWidget*>{txtFile}));

    btnAnnulla = new Picture(p, QStringLiteral("btnAnnulla"), art("btn_annulla"), QRect(540, 588, 193, 58), true);
    btnApplica = new Picture(p, QStringLiteral("btnApplica"), art("btn_applica"), QRect(752, 588, 193, 58), true);
    lblFile = makeHiddenLabel(p, QStringLiteral("lblFile"));

    // Beside the strip of the two buttons: a new catalog filled from a spreadsheet.
    new Shape(p, QStringLiteral("shpImporta"), QRect(16, 578, 338, 78), kBlanchedAlmond);
    btnImporta = makeButton(p, QStringLiteral("btnImporta"), QStringLiteral("Importa da foglio di calcolo…"),
                            QRect(34, 588, 302, 58), 15);
    btnImporta->setToolTip(QStringLiteral("Crea il catalogo con le schede di un foglio di calcolo (CSV, ODS o XLSX)."));
    // Drawn like the picture buttons beside it.
    btnImporta->setStyleSheet(QStringLiteral(
        "QPushButton#btnImporta { color: white; font-weight: bold; border: 1px solid #1F4E79; border-radius: 9px;"
        " background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #6E9FD2, stop:0.45 #3A6EA5, stop:1 #1F4E79); }"
        "QPushButton#btnImporta:hover { background: qlineargradient(x1:0, y1:0, x2:0, y2:1,"
        " stop:0 #86B3E0, stop:0.45 #4A80B8, stop:1 #2A5D8F); }"
        "QPushButton#btnImporta:pressed { background: #1F4E79; }"
        "QPushButton#btnImporta:focus { border: 2px solid #FFD700; }"));

    // txtFileKeyDown: these characters never reach the box when typed.
    auto* keys = new FieldKeys(this);
    keys->setReject(txtFile, &TfrmCreaCatalogo::isFilteredChar);

    connect(btnApplica, &Picture::clicked, this, &TfrmCreaCatalogo::btnApplicaClick);
    connect(btnAnnulla, &Picture::clicked, this, &TfrmCreaCatalogo::btnAnnullaClick);
    connect(imgGuida, &Picture::clicked, this, &TfrmCreaCatalogo::imgGuidaClick);
    connect(btnImporta, &QPushButton::clicked, this, &TfrmCreaCatalogo::btnImportaClick);
}

bool TfrmCreaCatalogo::isFilteredChar(QChar c)
{
    return QStringView(u"\"*/:<>?\\\u00B0\u00C7\u00D1\u00E7\u00F1").contains(c);
}

void TfrmCreaCatalogo::FormShow()
{
    txtFile->clear();
    txtFile->setFocus(Qt::OtherFocusReason);
}

// Whatever closed the window, the start window comes back.
void TfrmCreaCatalogo::FormClose() { navigation().show(Screen::Avvio, nullptr); }

QString TfrmCreaCatalogo::checkedArchivePath()
{
    lblFile->clear();
    const QString name = trimmed(txtFile->text());
    if (name.isEmpty()) {
        dialogs().warning(
            this,
            QStringLiteral("Attenzione: per creare l'archivio è necessario indicare il nome del nuovo catalogo."));
        txtFile->setFocus(Qt::OtherFocusReason);
        return {};
    }
    // A name the file system would refuse, or one that would leave the
    // program folder, creates nothing.
    if (!isValidCatalogName(name)) {
        dialogs().warning(this,
                          QStringLiteral("Attenzione: il nome del catalogo contiene caratteri non ammessi o non è "
                                         "valido come nome di file.\r\n\r\n"
                                         "Inserire un nome diverso."));
        txtFile->setFocus(Qt::OtherFocusReason);
        return {};
    }
    const QString path = catalogPathOfName(name);
    lblFile->setText(path);
    // Names that differ only in letter case clash on Windows and on most
    // removable drives: they count as the same catalog.
    if (catalogExists(programFolder(), name)) {
        dialogs().warning(
            this,
            QStringLiteral("Attenzione: il nome del catalogo indicato è già stato utilizzato in precedenza.\r\n\r\n"
                           "Inserire un nome diverso oppure, se si desidera aprire un catalogo già creato, "
                           "premere il pulsante Apri catalogo esistente."));
        return {};
    }
    return path;
}

void TfrmCreaCatalogo::btnApplicaClick()
{
    const QString path = checkedArchivePath();
    if (path.isEmpty())
        return;
    if (!runHandler(this, [&] { createCatalog(path); }))
        return;
    dialogs().information(
        this,
        QStringLiteral("Il file di archivio relativo al nuovo catalogo è stato creato con successo.\r\n\r\n"
                       "E' ora possibile visualizzarlo nell'elenco dei cataloghi esistenti."));
    close();
}

// A new catalog filled from a spreadsheet: the name is checked as for a
// creation, and the import makes the archive only when it succeeds.
void TfrmCreaCatalogo::btnImportaClick()
{
    const QString path = checkedArchivePath();
    if (path.isEmpty())
        return;
    bool imported = false;
    runHandler(this, [&] {
        runOnDemand<TfrmImporta>(
            this, [&](TfrmImporta& f) { f.setTarget(path, trimmed(txtFile->text()), true); },
            [&](TfrmImporta& f) { imported = f.importedCount() > 0; });
    });
    if (imported)
        close();
}
