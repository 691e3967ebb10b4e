#include "backup/Copie.h"

#include "backup/Backup.h"
#include "backup/Bin.h"
#include "base/Clock.h"
#include "base/Failure.h"
#include "base/ProgramFolder.h"
#include "kit/Dialogs.h"
#include "kit/Guard.h"
#include "kit/HoverHints.h"
#include "kit/Layout.h"
#include "shell/Guida.h"
#include "shell/HelpTopics.h"
#include "store/Catalogs.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <QPushButton>

using namespace pinakos;

namespace {

const QString kChooseFirst = QStringLiteral("Attenzione: scegliere prima la cartella delle copie di sicurezza.");
constexpr int kSteps = 1000;

// The core's progress in bytes, shown as a dialog of kSteps steps.
backup::Progress progressOf(Dialogs::Progress& dialog)
{
    return [&dialog](qint64 done, qint64 total) {
        return dialog.step(total > 0 ? int(std::min<qint64>(kSteps, done * kSteps / total)) : 0);
    };
}

QListWidget* makeList(QWidget* parent, const QString& name, const QRect& geometry)
{
    auto* l = new QListWidget(parent);
    l->setObjectName(name);
    l->setGeometry(geometry);
    l->setSelectionMode(QAbstractItemView::SingleSelection);
    l->setFont(appFont(QStringLiteral("Courier New"), 13));
    l->setUniformItemSizes(true);
    l->setStyleSheet(QStringLiteral("QListWidget { background-color: #FFEBCD; border: 1px solid #87CEEB; }"));
    return l;
}

} // namespace

TfrmCopie::TfrmCopie(QWidget* parent) : GradientForm(parent)
{
    setFixedFrame(this, QStringLiteral(" Copie di sicurezza"), 660, 600);
    setGradient(argb(0xFF427AA8), Qt::white);
    setPanelSize(640, 580);

    QWidget* p = panContainer;
    shpSfondo = new Shape(p, QStringLiteral("shpSfondo"), QRect(8, 8, 624, 526), Qt::white);
    const QColor ink = argb(0xFF1F4E79);
    lblTitolo = makeLabel(p, QStringLiteral("lblTitolo"), QStringLiteral("Copie di sicurezza dei cataloghi"),
                          QPoint(20, 18), appFont(QStringLiteral("Verdana"), 18, true), ink);
    imgGuida = new Picture(p, QStringLiteral("imgGuida"), art("guida"), QRect(594, 16, 29, 28), true);

    const QFont label = appFont(QStringLiteral("Verdana"), 12);
    makeLabel(p, QStringLiteral("lblTitoloCartella"), QStringLiteral("Cartella delle copie:"), QPoint(20, 58), label);
    lblCartella = makeElidedLabel(p, QStringLiteral("lblCartella"), QString(), QRect(20, 78, 440, 22),
                                  appFont(QStringLiteral("Verdana"), 12, true), ink);
    cmdCartella =
        makeButton(p, QStringLiteral("cmdCartella"), QStringLiteral("Scegli cartella…"), QRect(470, 66, 150, 30));
    chkAutomatica = new QCheckBox(QStringLiteral("Copia automatica alla chiusura del programma"), p);
    chkAutomatica->setObjectName(QStringLiteral("chkAutomatica"));
    chkAutomatica->setFont(label);
    chkAutomatica->setGeometry(20, 108, 440, 24);
    chkAutomatica->setCursor(Qt::PointingHandCursor);
    cmdCrea = makeButton(p, QStringLiteral("cmdCrea"), QStringLiteral("Crea copia ora"), QRect(470, 104, 150, 30));

    makeLabel(p, QStringLiteral("lblTitoloCopie"), QStringLiteral("Copie trovate nella cartella:"), QPoint(20, 146),
              label);
    lstCopie = makeList(p, QStringLiteral("lstCopie"), QRect(20, 166, 440, 168));
    cmdRipristina =
        makeButton(p, QStringLiteral("cmdRipristina"), QStringLiteral("Ripristina"), QRect(470, 166, 150, 30));

    makeLabel(p, QStringLiteral("lblTitoloCestino"),
              QStringLiteral("Cataloghi eliminati (restano nel cestino per 90 giorni):"), QPoint(20, 346), label);
    lstCestino = makeList(p, QStringLiteral("lstCestino"), QRect(20, 366, 440, 118));
    cmdRecupera = makeButton(p, QStringLiteral("cmdRecupera"), QStringLiteral("Recupera"), QRect(470, 366, 150, 30));
    btnChiudi = makeButton(p, QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"), QRect(470, 494, 150, 30));

    const QColor slateBlue(0x6A, 0x5A, 0xCD);
    shpInfo = new Shape(p, QStringLiteral("shpInfo"), QRect(8, 540, 624, 32), slateBlue, slateBlue);
    panInfo = makeLabel(p, QStringLiteral("panInfo"), QStringLiteral("Copie di sicurezza dei cataloghi."),
                        QPoint(14, 546), appFont(QStringLiteral("Tahoma"), 12), Qt::white);
    panInfo->setWordWrap(false);
    panInfo->setFixedWidth(612);

    connect(cmdCartella, &QPushButton::clicked, this, &TfrmCopie::cmdCartellaClick);
    connect(cmdCrea, &QPushButton::clicked, this, &TfrmCopie::cmdCreaClick);
    connect(cmdRipristina, &QPushButton::clicked, this, &TfrmCopie::cmdRipristinaClick);
    connect(cmdRecupera, &QPushButton::clicked, this, &TfrmCopie::cmdRecuperaClick);
    connect(chkAutomatica, &QCheckBox::clicked, this, &TfrmCopie::chkAutomaticaClick);
    connect(imgGuida, &Picture::clicked, this, &TfrmCopie::imgGuidaClick);
    connect(btnChiudi, &QPushButton::clicked, this, &TfrmCopie::btnChiudiClick);
    connect(lstCopie, &QListWidget::itemSelectionChanged, this,
            [this] { cmdRipristina->setEnabled(!lstCopie->selectedItems().isEmpty()); });

    m_hints = new HoverHints(this, panInfo);
    m_hints->addHint(cmdCartella, QStringLiteral("Scegli la cartella in cui tenere le copie di sicurezza."));
    m_hints->addHint(cmdCrea, QStringLiteral("Crea subito una copia di tutti i cataloghi, foto e documenti."));
    m_hints->addHint(chkAutomatica,
                     QStringLiteral("Fa una copia alla chiusura del programma, se qualcosa è cambiato."));
    m_hints->addHint(lstCopie, QStringLiteral("Le copie trovate nella cartella, dalla più recente."));
    m_hints->addHint(cmdRipristina, QStringLiteral("Rimette nel programma i file della copia scelta."));
    m_hints->addHint(lstCestino, QStringLiteral("I cataloghi eliminati, dal più recente."));
    m_hints->addHint(cmdRecupera, QStringLiteral("Riporta tra i cataloghi quello scelto nel cestino."));
    m_hints->addHint(imgGuida, QStringLiteral("Visualizza la pagina della guida sensibile al contesto."));
    m_hints->addHint(btnChiudi, QStringLiteral("Esci da questo ambiente di lavoro."));
    for (QWidget* w :
         {static_cast<QWidget*>(this), panContainer, static_cast<QWidget*>(shpSfondo), static_cast<QWidget*>(shpInfo)})
        m_hints->addBackground(w);

    runHandler(this, [this] {
        showSettings();
        buildCopies();
        buildBin();
    });
}

void TfrmCopie::showSettings()
{
    const backup::Settings s = backup::loadSettings(programFolder());
    lblCartella->setText(QDir::toNativeSeparators(s.folder));
    chkAutomatica->setEnabled(!s.folder.isEmpty());
    chkAutomatica->setChecked(!s.folder.isEmpty() && s.automatic);
}

void TfrmCopie::buildCopies()
{
    lstCopie->clear();
    const backup::Settings s = backup::loadSettings(programFolder());
    for (const backup::Copy& c : backup::listCopies(s.folder)) {
        auto* item = new QListWidgetItem(backup::copyLine(c), lstCopie);
        item->setData(Qt::UserRole, c.folder);
    }
    lstCopie->setCurrentIndex(QModelIndex());
    lstCopie->clearSelection();
    cmdRipristina->setEnabled(false);
}

void TfrmCopie::buildBin()
{
    lstCestino->clear();
    for (const bin::Entry& e : bin::listBin(programFolder())) {
        auto* item = new QListWidgetItem(bin::binLine(e), lstCestino);
        item->setData(Qt::UserRole, e.file);
    }
    lstCestino->setCurrentIndex(QModelIndex());
    lstCestino->clearSelection();
}

void TfrmCopie::cmdCartellaClick()
{
    runHandler(this, [this] {
        backup::Settings s = backup::loadSettings(programFolder());
        const QString start = !s.folder.isEmpty() && QFileInfo(s.folder).isDir() ? s.folder : QDir::homePath();
        const QString chosen =
            dialogs().chooseFolder(this, QStringLiteral("Scegli la cartella delle copie di sicurezza"), start);
        if (chosen.isEmpty())
            return;
        if (const QString problem = backup::folderProblem(programFolder(), chosen); !problem.isEmpty()) {
            dialogs().warning(this, problem);
            return;
        }
        const bool first = s.folder.isEmpty();
        s.folder = QDir::toNativeSeparators(QDir::cleanPath(chosen));
        if (first)
            s.automatic = true;
        backup::saveSettings(programFolder(), s);
        showSettings();
        buildCopies();
    });
}

void TfrmCopie::chkAutomaticaClick()
{
    runHandler(this, [this] {
        backup::Settings s = backup::loadSettings(programFolder());
        s.automatic = chkAutomatica->isChecked();
        backup::saveSettings(programFolder(), s);
    });
}

void TfrmCopie::cmdCreaClick()
{
    runHandler(this, [this] {
        if (backup::loadSettings(programFolder()).folder.isEmpty()) {
            dialogs().warning(this, kChooseFirst);
            return;
        }
        std::optional<backup::Copy> made;
        {
            const std::unique_ptr<Dialogs::Progress> progress =
                dialogs().progress(this, QStringLiteral("Copia di sicurezza in corso…"), kSteps);
            made = backup::copyNow(programFolder(), backup::Kind::Manual, now(), progressOf(*progress));
        }
        buildCopies();
        if (made)
            dialogs().information(
                this, QStringLiteral("La copia di sicurezza è stata creata e controllata: ") + made->name + u'.');
        else
            dialogs().message(this, QStringLiteral("La copia di sicurezza è stata annullata."));
    });
    runSilently([this] { buildCopies(); });
}

void TfrmCopie::cmdRipristinaClick()
{
    const QList<QListWidgetItem*> chosen = lstCopie->selectedItems();
    if (chosen.isEmpty()) {
        dialogs().warning(this, QStringLiteral("Attenzione: selezionare dall'elenco la copia da ripristinare."));
        return;
    }
    const QString folder = chosen.first()->data(Qt::UserRole).toString();
    if (!dialogs().confirm(this,
                           QStringLiteral("Ripristinare la copia del ")
                               + chosen.first()->text().section(QStringLiteral("   "), 0, 0)
                               + QStringLiteral("?\r\n\r\nI cataloghi, le foto, i documenti e la password "
                                                "attuali saranno sostituiti da quelli della copia; prima "
                                                "viene fatta una copia dello stato attuale.")))
        return;
    runHandler(this, [this, folder] {
        std::optional<backup::Copy> before;
        {
            const std::unique_ptr<Dialogs::Progress> progress =
                dialogs().progress(this, QStringLiteral("Ripristino in corso…"), kSteps);
            before = backup::restoreCopy(folder, programFolder(), backup::loadSettings(programFolder()).folder, now(),
                                         progressOf(*progress));
        }
        buildCopies();
        if (before)
            dialogs().information(this, QStringLiteral("Ripristino completato."));
        else
            dialogs().message(this, QStringLiteral("Il ripristino è stato annullato: nessun file è cambiato."));
    });
    runSilently([this] { buildCopies(); });
}

void TfrmCopie::cmdRecuperaClick()
{
    const QList<QListWidgetItem*> chosen = lstCestino->selectedItems();
    if (chosen.isEmpty()) {
        dialogs().warning(this, QStringLiteral("Attenzione: selezionare dall'elenco il catalogo da recuperare."));
        return;
    }
    const QString file = chosen.first()->data(Qt::UserRole).toString();
    runHandler(this, [this, file] {
        bin::Entry entry;
        for (const bin::Entry& e : bin::listBin(programFolder()))
            if (e.file == file)
                entry = e;
        if (entry.file.isEmpty())
            throw Failure(QStringLiteral("Attenzione: il catalogo non è più nel cestino."));
        QString name = entry.name;
        while (!bin::recover(programFolder(), entry, name)) {
            QString asked = dialogs().askText(this,
                                              QStringLiteral("Il nome ") + name
                                                  + QStringLiteral(" è già usato da un altro catalogo.\r\n\r\n"
                                                                   "Indicare un altro nome per il catalogo "
                                                                   "recuperato:"),
                                              name + QStringLiteral(" recuperato"));
            if (asked.isNull())
                return;
            asked = asked.trimmed();
            while (!isValidCatalogName(asked)) {
                asked = dialogs().askText(this,
                                          QStringLiteral("Attenzione: il nome indicato contiene caratteri non "
                                                         "ammessi o non è valido come nome di file.\r\n\r\n"
                                                         "Indicare un altro nome per il catalogo recuperato:"),
                                          asked);
                if (asked.isNull())
                    return;
                asked = asked.trimmed();
            }
            name = asked;
        }
        dialogs().information(this, QStringLiteral("Il catalogo ") + name + QStringLiteral(" è stato recuperato."));
    });
    runSilently([this] { buildBin(); });
}

void TfrmCopie::imgGuidaClick()
{
    runHandler(this, [this] { showHelpTopic(this, backupTopic()); });
}

void TfrmCopie::btnChiudiClick() { close(); }

namespace pinakos {

void copyAtProgramEnd(QWidget* parent)
{
    runSilently([parent] {
        if (!backup::automaticCopyDue(programFolder()))
            return;
        const std::unique_ptr<Dialogs::Progress> progress =
            dialogs().progress(parent, QStringLiteral("Copia di sicurezza automatica in corso…"), kSteps);
        backup::automaticCopy(programFolder(), now(), progressOf(*progress));
    });
}

void tellAutomaticCopyFailure(QWidget* parent)
{
    runSilently([parent] {
        const QString why = backup::takeAutomaticFailure(programFolder());
        if (!why.isEmpty())
            dialogs().warning(parent, why);
    });
}

} // namespace pinakos
