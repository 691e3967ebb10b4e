#include "store/ApriCatalogo.h"

#include "base/ProgramFolder.h"
#include "base/Text.h"
#include "kit/Dialogs.h"
#include "kit/Guard.h"
#include "kit/Layout.h"
#include "kit/Navigation.h"
#include "kit/Picture.h"
#include "kit/Sheet.h"
#include "store/Catalogs.h"

#include <QFontMetrics>
#include <QListWidget>

using namespace pinakos;

namespace {

const QString kAvvio = QStringLiteral("avvio");
const QString kArte = QStringLiteral("arte");

} // namespace

TfrmApriCatalogo::TfrmApriCatalogo(QWidget* parent)
    : CatalogForm(QStringLiteral(" Pinakos - Apertura catalogo opere d'arte"), parent)
{
    QWidget* p = panContainer;
    new Shape(p, QStringLiteral("shpIntestazione"), QRect(16, 14, 962, 120), Qt::white);
    new Shape(p, QStringLiteral("shpCorpo"), QRect(16, 142, 962, 432), Qt::white);
    new Shape(p, QStringLiteral("shpStriscia1"), QRect(24, 584, 233, 78), kBlanchedAlmond);
    new Shape(p, QStringLiteral("shpStriscia2"), QRect(738, 584, 233, 78), kBlanchedAlmond);

    icoIstruzioni = new Picture(p, QStringLiteral("icoIstruzioni"), art("apri_istruzioni"), QRect(168, 22, 623, 101));
    btnElimina = new Picture(p, QStringLiteral("btnElimina"), art("cestino"), QRect(24, 156, 46, 45), true);
    icoMano = new Picture(p, QStringLiteral("icoMano"), art("mano"), QRect(490, 148, 30, 58));
    imgGuida = new Picture(p, QStringLiteral("imgGuida"), art("guida"), QRect(946, 156, 29, 28), true);

    shpElenco = new Shape(p, QStringLiteral("shpElenco"), QRect(24, 216, 946, 316), kBlanchedAlmond);
    lstFiles = new QListWidget(p);
    lstFiles->setObjectName(QStringLiteral("lstFiles"));
    lstFiles->setGeometry(34, 224, 926, 298);
    lstFiles->setSelectionMode(QAbstractItemView::SingleSelection);
    lstFiles->setSortingEnabled(false); // lines go in in list order
    lstFiles->setStyleSheet(QStringLiteral("QListWidget { background-color: #FFEBCD; border: none; }"));
    // The list is clicked, not tabbed into: taking the focus would make its
    // first line current and frame it before the user has chosen one.
    lstFiles->setFocusPolicy(Qt::ClickFocus);

    // The count line runs at most along the list; it is never cut in the
    // middle of a word.
    const QFont countFont = appFont(QStringLiteral("Verdana"), 12);
    lblCreati = makeElidedLabel(p, QStringLiteral("lblCreati"), countLine(0),
                                QRect(QPoint(24, 537), QSize(946, QFontMetrics(countFont).height() + 2)), countFont,
                                argb(0xFF008000));

    btnAnnulla = new Picture(p, QStringLiteral("btnAnnulla"), art("btn_annulla"), QRect(44, 594, 193, 58), true);
    btnApri = new Picture(p, QStringLiteral("btnApri"), art("btn_apri_archivio"), QRect(758, 594, 193, 58), true);
    lblFile = makeHiddenLabel(p, QStringLiteral("lblFile"));
    lblMemory = makeHiddenLabel(p, QStringLiteral("lblMemory"), kAvvio);

    connect(btnApri, &Picture::clicked, this, &TfrmApriCatalogo::btnApriClick);
    connect(btnElimina, &Picture::clicked, this, &TfrmApriCatalogo::btnEliminaClick);
    connect(btnAnnulla, &Picture::clicked, this, &TfrmApriCatalogo::btnAnnullaClick);
    connect(imgGuida, &Picture::clicked, this, &TfrmApriCatalogo::imgGuidaClick);
}

void TfrmApriCatalogo::FormShow()
{
    lblMemory->setText(kAvvio);
    buildList();
}

void TfrmApriCatalogo::buildList()
{
    lstFiles->clear();
    const QFont font = appFont(QStringLiteral("Courier New"), 14);
    const QStringList lines = listCatalogs(programFolder());
    for (const QString& line : lines) {
        auto* item = new QListWidgetItem(line, lstFiles);
        item->setFont(font);
        item->setForeground(argb(0xFF000000));
    }
    // No current line until the user clicks one: the view's own current index
    // is set (to none), so that taking the focus does not pick the first line.
    lstFiles->clearSelection();
    lstFiles->setCurrentIndex(QModelIndex());
    lblCreati->setText(countLine(lstFiles->count()));
}

QListWidgetItem* TfrmApriCatalogo::selectedLine() const
{
    const QList<QListWidgetItem*> s = lstFiles->selectedItems();
    return s.isEmpty() ? nullptr : s.first();
}

QListWidgetItem* TfrmApriCatalogo::chosenLine(const QString& noSelection)
{
    if (lstFiles->count() == 0) {
        dialogs().warning(this, QStringLiteral("Attenzione: l'elenco non contiene nessun catalogo."));
        return nullptr;
    }
    QListWidgetItem* line = selectedLine();
    if (!line)
        dialogs().warning(this, noSelection);
    return line;
}

void TfrmApriCatalogo::btnApriClick()
{
    QListWidgetItem* line = chosenLine(
        QStringLiteral("Attenzione: selezionare il catalogo dall'elenco prima di premere il pulsante Apri archivio."));
    if (!line)
        return;
    lblFile->setText(catalogPathOfLine(line->text()));
    lblMemory->setText(kArte);
    close();
}

void TfrmApriCatalogo::btnEliminaClick()
{
    QListWidgetItem* line = chosenLine(QStringLiteral(
        "Attenzione: selezionare dall'elenco il catalogo da eliminare prima di premere il pulsante del cestino."));
    if (!line)
        return;
    if (!dialogs().confirm(this,
                           QStringLiteral("Si sta per eliminare il catalogo selezionato. Si ricorda che il file "
                                          "eliminato non potrà essere recuperato.\r\n\r\n"
                                          "Si conferma l'eliminazione dell'archivio?")))
        return;
    lblFile->setText(catalogPathOfLine(line->text()));
    // Only the archive goes; photos and attached documents stay.
    if (runHandler(this, [this] { deleteCatalog(lblFile->text()); }))
        dialogs().information(this, QStringLiteral("Il catalogo è stato eliminato con successo."));
    lblMemory->setText(kAvvio);
    lblFile->clear();
    buildList();
}

void TfrmApriCatalogo::FormClose()
{
    QListWidgetItem* line = selectedLine();
    Sheet* sheet = navigation().sheet();
    if (lblMemory->text() == kArte && line && sheet) {
        // Hand the chosen catalog to the sheet window, which starts on a new sheet.
        const QString text = line->text();
        sheet->openCatalog(trimmed(catalogPathOfLine(text)), catalogName(text));
        lblMemory->setText(kAvvio);
        navigation().show(Screen::Opere, nullptr);
        return;
    }
    navigation().show(Screen::Avvio, nullptr);
}
