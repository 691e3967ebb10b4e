#include "store/Importa.h"

#include "base/Failure.h"
#include "base/Log.h"
#include "kit/Dialogs.h"
#include "kit/Guard.h"
#include "kit/HoverHints.h"
#include "kit/Layout.h"
#include "shell/Guida.h"
#include "shell/HelpTopics.h"
#include "store/ImportJob.h"

#include <QAbstractTableModel>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

using namespace pinakos;

namespace pinakos {

// The first rows of the file as read, columns named by letter as a
// spreadsheet names them.
class ImportPreviewModel : public QAbstractTableModel
{
public:
    static constexpr int kRows = 20;
    using QAbstractTableModel::QAbstractTableModel;

    void setTable(const CsvTable* table)
    {
        beginResetModel();
        m_table = table;
        endResetModel();
    }
    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() || !m_table ? 0 : std::min(kRows, m_table->rowCount());
    }
    int columnCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() || !m_table ? 0 : m_table->columnCount();
    }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!m_table || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
            return {};
        return m_table->cell(index.row(), index.column()).toString();
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (role != Qt::DisplayRole)
            return {};
        return orientation == Qt::Horizontal ? columnLetters(section) : QVariant(section + 1);
    }

    // "A", "B" … "Z", "AA" …
    static QString columnLetters(int column)
    {
        QString s;
        for (int n = column + 1; n > 0; n = (n - 1) / 26)
            s.prepend(QChar(u'A' + (n - 1) % 26));
        return s;
    }

private:
    const CsvTable* m_table = nullptr;
};

} // namespace pinakos

namespace {

// The record field each import target fills, by name, in the targets' order.
const char* const kFieldNames[kImportPhoto] = {
    "Capo",     "Descrizione", "Colore",  "Tessuto", "Misure",   "Peso", "Usura",  "Difetti",
    "Servizio", "Specifiche",  "Cliente", "CodFisc", "Recapito", "Note", "Prezzo", "Segnala",
};

constexpr int kComboColumns = 3;
constexpr int kComboRows = 6;

} // namespace

QString TfrmImporta::comboName(int target)
{
    return target == kImportPhoto ? QStringLiteral("cboFoto")
                                  : QStringLiteral("cbo") + QLatin1StringView(kFieldNames[target]);
}

TfrmImporta::TfrmImporta(QWidget* parent) : GradientForm(parent)
{
    setFixedFrame(this, QStringLiteral(" Importa schede da foglio di calcolo"), 960, 724);
    setGradient(argb(0xFF427AA8), Qt::white);
    setPanelSize(940, 704);

    QWidget* p = panContainer;
    shpSfondo = new Shape(p, QStringLiteral("shpSfondo"), QRect(8, 8, 924, 648), Qt::white);
    const QColor ink = argb(0xFF1F4E79);
    const QFont label = appFont(QStringLiteral("Verdana"), 12);
    lblTitolo = makeLabel(p, QStringLiteral("lblTitolo"), QStringLiteral("Importa schede da foglio di calcolo"),
                          QPoint(20, 18), appFont(QStringLiteral("Verdana"), 18, true), ink);
    imgGuida = new Picture(p, QStringLiteral("imgGuida"), art("guida"), QRect(892, 16, 29, 28), true);
    lblCatalogo = makeElidedLabel(p, QStringLiteral("lblCatalogo"), QString(), QRect(430, 20, 450, 24),
                                  appFont(QStringLiteral("Verdana"), 12, true), ink, Qt::AlignRight | Qt::AlignVCenter);

    makeLabel(p, QStringLiteral("lblTitoloFile"), QStringLiteral("File:"), QPoint(20, 66), label);
    lblFile = makeElidedLabel(p, QStringLiteral("lblFile"), QString(), QRect(64, 62, 700, 24),
                              appFont(QStringLiteral("Verdana"), 12, true), ink);
    cmdFile = makeButton(p, QStringLiteral("cmdFile"), QStringLiteral("Scegli file…"), QRect(770, 58, 150, 30));

    m_preview = new ImportPreviewModel(this);
    grdAnteprima = new QTableView(p);
    grdAnteprima->setObjectName(QStringLiteral("grdAnteprima"));
    grdAnteprima->setGeometry(20, 98, 900, 214);
    grdAnteprima->setModel(m_preview);
    grdAnteprima->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdAnteprima->setSelectionMode(QAbstractItemView::NoSelection);
    grdAnteprima->setWordWrap(false);
    grdAnteprima->setFont(appFont(QStringLiteral("Tahoma"), 12));
    grdAnteprima->horizontalHeader()->setDefaultSectionSize(120);
    grdAnteprima->verticalHeader()->setDefaultSectionSize(22);
    grdAnteprima->setStyleSheet(
        QStringLiteral("QTableView#grdAnteprima { background-color: #FFFFFF; gridline-color: #BFD6E8;"
                       " border: 1px solid #87CEEB; }"));

    chkIntestazione = new QCheckBox(QStringLiteral("La prima riga contiene le intestazioni"), p);
    chkIntestazione->setObjectName(QStringLiteral("chkIntestazione"));
    chkIntestazione->setFont(label);
    chkIntestazione->setGeometry(20, 320, chkIntestazione->sizeHint().width(), 24);
    chkIntestazione->setCursor(Qt::PointingHandCursor);

    makeLabel(p, QStringLiteral("lblTitoloCampi"), QStringLiteral("La colonna che riempie ogni campo della scheda:"),
              QPoint(20, 354), label, ink);
    const QFont small = appFont(QStringLiteral("Verdana"), 11);
    for (int t = 0; t < kImportTargets; ++t) {
        const int x = 20 + (t / kComboRows) * 300, y = 378 + (t % kComboRows) * 34;
        auto* name = makeElidedLabel(p, QStringLiteral("lbl") + comboName(t).mid(3), importTargetName(t),
                                     QRect(x, y + 4, 142, 22), small);
        name->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        auto* c = new QComboBox(p);
        c->setObjectName(comboName(t));
        c->setGeometry(x + 148, y, 150, 28);
        c->setFont(small);
        c->setCursor(Qt::PointingHandCursor);
        cboCampi[size_t(t)] = c;
    }
    static_assert(kImportTargets <= kComboColumns * kComboRows);
    cboFoto = cboCampi[kImportPhoto];

    makeLabel(p, QStringLiteral("lblTitoloCartellaFoto"), QStringLiteral("Cartella delle foto:"), QPoint(20, 590),
              label);
    txtCartellaFoto = new QLineEdit(p);
    txtCartellaFoto->setObjectName(QStringLiteral("txtCartellaFoto"));
    txtCartellaFoto->setGeometry(180, 584, 584, 28);
    txtCartellaFoto->setFont(label);
    txtCartellaFoto->setPlaceholderText(QStringLiteral("facoltativa: le foto nominate dalla colonna scelta per Foto"));
    p->setStyleSheet(fieldStyleSheet(QList<QWidget*>{txtCartellaFoto}));
    cmdCartellaFoto =
        makeButton(p, QStringLiteral("cmdCartellaFoto"), QStringLiteral("Scegli cartella…"), QRect(770, 582, 150, 30));

    cmdImporta = makeButton(p, QStringLiteral("cmdImporta"), QStringLiteral("Importa"), QRect(610, 620, 150, 30));
    btnChiudi = makeButton(p, QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"), QRect(770, 620, 150, 30));

    const QColor slateBlue(0x6A, 0x5A, 0xCD);
    shpInfo = new Shape(p, QStringLiteral("shpInfo"), QRect(8, 664, 924, 32), slateBlue, slateBlue);
    panInfo = makeLabel(p, QStringLiteral("panInfo"), QStringLiteral("Importa schede da un foglio di calcolo."),
                        QPoint(14, 670), appFont(QStringLiteral("Tahoma"), 12), Qt::white);
    panInfo->setWordWrap(false);
    panInfo->setFixedWidth(912);

    connect(cmdFile, &QPushButton::clicked, this, &TfrmImporta::cmdFileClick);
    connect(chkIntestazione, &QCheckBox::clicked, this, &TfrmImporta::chkIntestazioneClick);
    connect(cmdCartellaFoto, &QPushButton::clicked, this, &TfrmImporta::cmdCartellaFotoClick);
    connect(cmdImporta, &QPushButton::clicked, this, &TfrmImporta::cmdImportaClick);
    connect(btnChiudi, &QPushButton::clicked, this, &TfrmImporta::btnChiudiClick);
    connect(imgGuida, &Picture::clicked, this, &TfrmImporta::imgGuidaClick);

    m_hints = new HoverHints(this, panInfo);
    m_hints->addHint(cmdFile, QStringLiteral("Scegli il file da importare: CSV, OpenDocument (.ods) o Excel (.xlsx)."));
    m_hints->addHint(grdAnteprima, QStringLiteral("Le prime righe del file, come sono state lette."));
    m_hints->addHint(chkIntestazione,
                     QStringLiteral("Se la prima riga dà i nomi delle colonne, non diventa una scheda."));
    for (QComboBox* c : cboCampi)
        m_hints->addHint(c, QStringLiteral("La colonna del file che riempie questo campo della scheda."));
    m_hints->addHint(cboFoto, QStringLiteral("La colonna con i nomi dei file delle foto."));
    m_hints->addHint(txtCartellaFoto, QStringLiteral("La cartella in cui si trovano le foto nominate nel file."));
    m_hints->addHint(cmdCartellaFoto, QStringLiteral("Scegli la cartella delle foto."));
    m_hints->addHint(cmdImporta, QStringLiteral("Aggiunge al catalogo una scheda per ogni riga del file."));
    m_hints->addHint(imgGuida, QStringLiteral("Visualizza la pagina della guida sensibile al contesto."));
    m_hints->addHint(btnChiudi, QStringLiteral("Esci da questo ambiente di lavoro."));
    for (QWidget* w :
         {static_cast<QWidget*>(this), panContainer, static_cast<QWidget*>(shpSfondo), static_cast<QWidget*>(shpInfo)})
        m_hints->addBackground(w);

    fillCombos(ImportMapping{});
}

TfrmImporta::~TfrmImporta() = default;

void TfrmImporta::setTarget(const QString& archivePath, const QString& catalogName, bool create)
{
    m_archivePath = archivePath;
    m_catalogName = catalogName;
    m_create = create;
    lblCatalogo->setText(QStringLiteral("Catalogo: %1").arg(catalogName));
}

void TfrmImporta::cmdFileClick()
{
    runHandler(this, [this] {
        FileDialogRequest r;
        r.title = QStringLiteral("Scegli il foglio di calcolo da importare");
        r.filters = QStringList{
            QStringLiteral("Fogli di calcolo (*.csv *.txt *.ods *.xlsx *.xls)"),
            QStringLiteral("Tutti i file (*)"),
        };
        const QString chosen = dialogs().openFile(this, r);
        if (!chosen.isEmpty())
            loadFile(chosen);
    });
}

void TfrmImporta::loadFile(const QString& path)
{
    ImportSource source;
    try {
        source = readImportSource(path);
    } catch (const Failure& f) {
        qCWarning(lcStore).noquote() << f.message();
        dialogs().warning(
            this,
            QStringLiteral("Il file scelto non può essere letto come foglio di calcolo.\r\n\r\n%1").arg(f.message()));
        return;
    }
    m_preview->setTable(nullptr);
    m_source = std::move(source);
    m_preview->setTable(&m_table);
    lblFile->setText(QDir::toNativeSeparators(path));
    const QStringList first = m_table.rowCount() ? m_table.row(0) : QStringList();
    chkIntestazione->setChecked(looksLikeHeadings(first));
    chkIntestazioneClick();
}

void TfrmImporta::chkIntestazioneClick()
{
    if (chkIntestazione->isChecked() && m_table.rowCount()) {
        fillCombos(matchHeadings(m_table.row(0)));
        return;
    }
    // Without headings the columns are taken in the export's order.
    ImportMapping m = positionalMapping();
    for (int& column : m)
        if (column >= m_table.columnCount())
            column = -1;
    m[kImportPhoto] = -1;
    fillCombos(m);
}

void TfrmImporta::fillCombos(const ImportMapping& mapping)
{
    const bool headings = chkIntestazione->isChecked() && m_table.rowCount();
    QStringList columns;
    for (int c = 0; c < m_table.columnCount(); ++c) {
        QString name = ImportPreviewModel::columnLetters(c);
        if (headings) {
            const QString heading = m_table.cell(0, c).trimmed().toString();
            if (!heading.isEmpty())
                name += QStringLiteral(" · ") + heading;
        }
        columns.append(name);
    }
    for (int t = 0; t < kImportTargets; ++t) {
        QComboBox* c = cboCampi[size_t(t)];
        c->clear();
        c->addItem(QStringLiteral("(nessuna)"), -1);
        for (int i = 0; i < columns.size(); ++i)
            c->addItem(columns[i], i);
        c->setCurrentIndex(std::max(0, c->findData(mapping[size_t(t)])));
    }
}

ImportMapping TfrmImporta::chosenMapping() const
{
    ImportMapping m;
    for (int t = 0; t < kImportTargets; ++t)
        m[size_t(t)] = cboCampi[size_t(t)]->currentData().toInt();
    return m;
}

void TfrmImporta::cmdCartellaFotoClick()
{
    runHandler(this, [this] {
        const QString now = txtCartellaFoto->text().trimmed();
        const QString start = !now.isEmpty() && QFileInfo(now).isDir() ? now
            : !m_source.path.isEmpty()                                 ? QFileInfo(m_source.path).absolutePath()
                                                                       : QDir::homePath();
        const QString chosen = dialogs().chooseFolder(this, QStringLiteral("Scegli la cartella delle foto"), start);
        if (!chosen.isEmpty())
            txtCartellaFoto->setText(QDir::toNativeSeparators(chosen));
    });
}

void TfrmImporta::cmdImportaClick()
{
    runHandler(this, [this] {
        if (m_source.path.isEmpty()) {
            dialogs().warning(this, QStringLiteral("Attenzione: scegliere prima il file da importare."));
            return;
        }
        if (m_table.rowCount() <= (chkIntestazione->isChecked() ? 1 : 0)) {
            dialogs().warning(this, QStringLiteral("Attenzione: il file non contiene righe da importare."));
            return;
        }
        const ImportMapping mapping = chosenMapping();
        if (std::all_of(mapping.begin(), mapping.begin() + kImportPhoto, [](int c) { return c < 0; })) {
            dialogs().warning(this,
                              QStringLiteral("Attenzione: nessuna colonna del file è associata a un campo "
                                             "della scheda."));
            return;
        }
        ImportRequest request;
        request.archivePath = m_archivePath;
        request.catalogName = m_catalogName;
        request.mapping = mapping;
        request.firstRowHeadings = chkIntestazione->isChecked();
        request.createArchive = m_create;
        const QString folder = txtCartellaFoto->text().trimmed();
        if (!folder.isEmpty()) {
            if (!QFileInfo(folder).isDir()) {
                dialogs().warning(this,
                                  QStringLiteral("Attenzione: la cartella delle foto %1 non esiste.")
                                      .arg(QDir::toNativeSeparators(folder)));
                return;
            }
            request.photoFolder = folder;
        }
        ImportResult result;
        try {
            result = importFile(request, m_source);
        } catch (const Failure& f) {
            qCWarning(lcStore).noquote() << f.message();
            dialogs().error(this,
                            QStringLiteral("Importazione non riuscita: il catalogo non è stato modificato."
                                           "\r\n\r\n%1")
                                .arg(f.message()));
            return;
        }
        m_importedFirst = result.firstNumber;
        m_importedCount = result.counts.rows;
        m_create = false;
        dialogs().information(this, importMessage(result));
        accept();
    });
}

void TfrmImporta::btnChiudiClick() { reject(); }

void TfrmImporta::imgGuidaClick()
{
    runHandler(this, [this] { showHelpTopic(this, importTopic()); });
}
