#include "output/ExpOpere.h"

#include "base/Failure.h"
#include "base/Format.h"
#include "base/ProgramFolder.h"
#include "base/Text.h"
#include "kit/Dialogs.h"
#include "kit/Guard.h"
#include "kit/HoverHints.h"
#include "kit/Layout.h"
#include "kit/OpenURL.h"
#include "kit/Sheet.h"
#include "output/CatalogModel.h"
#include "output/Spreadsheet.h"
#include "output/Workbook.h"
#include "shell/Guida.h"
#include "shell/HelpTopics.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QShowEvent>
#include <QStyledItemDelegate>
#include <QTableView>

using namespace pinakos;

namespace {

const QString kAskExport = QStringLiteral("L'esportazione dei dati in Excel può richiedere diversi minuti a seconda "
                                          "del numero di schede presenti in archivio.")
    + QStringLiteral("\r\n\r\n") + QStringLiteral("Si vuole esportare i dati adesso?");
const QString kAskOpen = QStringLiteral("Le schede in archivio sono state esportate con successo.")
    + QStringLiteral("\r\n\r\n") + QStringLiteral("Si vuole aprire il file di Excel?");
const QString kExportFailed = QStringLiteral("Attenzione: il sistema non permette di esportare i dati.")
    + QStringLiteral("\n\r\n\r") + QStringLiteral("Accertarsi che il file di Excel non sia già aperto.");

// Names the grid's cell editor, so that it can be found and driven by name.
class NamedEditorDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        editor->setObjectName(QStringLiteral("txtCella"));
        return editor;
    }
};

} // namespace

TfrmExpOpere::TfrmExpOpere(QWidget* parent) : GradientForm(parent)
{
    // FormCreate
    setFixedFrame(this, QStringLiteral(" Esporta inventario opere d'arte in Microsoft Excel"), 862, 560);
    const QColor background(0xEE, 0xED, 0xED);
    setGradient(background, background);
    setPanelSize(837, 533);

    QWidget* p = panContainer;
    shpSfondo = new Shape(p, QStringLiteral("shpSfondo"), QRect(8, 8, 821, 65), Qt::white);
    imgLogo = new Picture(p, QStringLiteral("imgLogo"), art("esporta_logo"), QRect(13, 13, 505, 55));
    icoHand = new Picture(p, QStringLiteral("icoHand"), art("mano_destra"), QRect(528, 32, 31, 25));
    cmdEsporta = new Picture(p, QStringLiteral("cmdEsporta"), art("foglio_excel"), QRect(566, 15, 49, 50), true);
    // The two workbooks in the free places of the strip, each beside its neighbours.
    cmdEsportaOds = new Picture(p, QStringLiteral("cmdEsportaOds"), art("foglio_ods"), QRect(620, 19, 44, 42), true);
    cmdEsportaXlsx = new Picture(p, QStringLiteral("cmdEsportaXlsx"), art("foglio_xlsx"), QRect(723, 19, 40, 42), true);
    cmdGuida = new Picture(p, QStringLiteral("cmdGuida"), art("guida_esporta"), QRect(670, 13, 50, 55), true);
    cmdEsci = new Picture(p, QStringLiteral("cmdEsci"), art("esci_esporta"), QRect(766, 15, 40, 50), true);
    buildGrid();
    const QColor slateBlue(0x6A, 0x5A, 0xCD);
    shpInfo = new Shape(p, QStringLiteral("shpInfo"), QRect(8, 493, 821, 32), slateBlue, slateBlue);
    panInfo = makeLabel(p, QStringLiteral("panInfo"), QStringLiteral("Esportazione archivio in Microsoft Excel."),
                        QPoint(14, 499), appFont(QStringLiteral("Tahoma"), 12), Qt::white);
    panInfo->setWordWrap(false);

    connect(cmdEsporta, &Picture::clicked, this, &TfrmExpOpere::cmdEsportaClick);
    connect(cmdEsportaOds, &Picture::clicked, this, &TfrmExpOpere::cmdEsportaOdsClick);
    connect(cmdEsportaXlsx, &Picture::clicked, this, &TfrmExpOpere::cmdEsportaXlsxClick);
    connect(cmdGuida, &Picture::clicked, this, &TfrmExpOpere::cmdGuidaClick);
    connect(cmdEsci, &Picture::clicked, this, &TfrmExpOpere::cmdEsciClick);

    m_hints = new HoverHints(this, panInfo);
    m_hints->addHint(cmdEsporta, QStringLiteral("Esporta l'archivio in formato Microsoft Excel."));
    m_hints->addHint(cmdEsportaOds, QStringLiteral("Esporta l'archivio in formato OpenDocument (LibreOffice)."));
    m_hints->addHint(cmdEsportaXlsx, QStringLiteral("Esporta l'archivio in formato Excel 2007 e successivi (.xlsx)."));
    m_hints->addHint(cmdGuida, QStringLiteral("Visualizza la pagina della guida sensibile al contesto."));
    m_hints->addHint(cmdEsci, QStringLiteral("Esci da questo ambiente di lavoro."));
    for (QWidget* w : {static_cast<QWidget*>(this), panContainer, static_cast<QWidget*>(grdRecords),
                       grdRecords->viewport(), static_cast<QWidget*>(shpInfo), static_cast<QWidget*>(shpSfondo)})
        m_hints->addBackground(w);
}

void TfrmExpOpere::buildGrid()
{
    m_model = new CatalogModel(this);
    grdRecords = new QTableView(panContainer);
    grdRecords->setObjectName(QStringLiteral("grdRecords"));
    grdRecords->setGeometry(8, 80, 821, 409);
    grdRecords->setFont(appFont(QStringLiteral("Tahoma"), 12));
    grdRecords->setModel(m_model);
    grdRecords->setItemDelegate(new NamedEditorDelegate(grdRecords));
    grdRecords->setAlternatingRowColors(true);
    grdRecords->setSelectionMode(QAbstractItemView::SingleSelection);
    grdRecords->setSelectionBehavior(QAbstractItemView::SelectItems);
    grdRecords->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                                | QAbstractItemView::AnyKeyPressed);
    grdRecords->setWordWrap(false);
    grdRecords->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);

    // Every row 21 pixels high, never measured: the grid takes any number of rows at once.
    QHeaderView* rows = grdRecords->verticalHeader();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setMinimumSectionSize(1);
    rows->setDefaultSectionSize(21);
    rows->hide();

    QHeaderView* columns = grdRecords->horizontalHeader();
    columns->setSectionResizeMode(QHeaderView::Interactive);
    columns->setHighlightSections(false);
    columns->setFixedHeight(23);
    columns->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    for (int c = 0; c < CatalogModel::kColumns; ++c)
        columns->resizeSection(c, CatalogModel::column(c).width);

    QPalette pal = grdRecords->palette();
    pal.setColor(QPalette::Base, Qt::white);
    pal.setColor(QPalette::AlternateBase, QColor(0xF0, 0xF8, 0xFF));
    pal.setColor(QPalette::Text, Qt::black);
    grdRecords->setPalette(pal);
}

QString TfrmExpOpere::exportPath() { return inProgramFolder(spreadsheetFileName()); }

QString TfrmExpOpere::exportPath(WorkbookFormat format) { return inProgramFolder(workbookFileName(format)); }

void TfrmExpOpere::showEvent(QShowEvent* e)
{
    GradientForm::showEvent(e);
    if (e->spontaneous())
        return;
    centreOnScreen(this);
    if (!m_filled) {
        m_filled = true;
        FormShow();
    }
}

void TfrmExpOpere::FormShow()
{
    // Any failure ends the filling silently, with the rows read so far.
    runSilently([this] { m_model->load(m_sheet ? trimmed(m_sheet->catalogPath()) : QString()); });
}

void TfrmExpOpere::cmdEsportaClick()
{
    runHandler(this, [this] {
        const QString path = exportPath();
        exportGrid(path, [&](const std::function<bool(int)>& progress) {
            return writeSpreadsheet(path, [&](SpreadsheetWriter& w) { return m_model->writeRows(w, progress); });
        });
    });
}

void TfrmExpOpere::cmdEsportaOdsClick() { exportWorkbook(WorkbookFormat::OpenDocument); }

void TfrmExpOpere::cmdEsportaXlsxClick() { exportWorkbook(WorkbookFormat::OfficeOpenXml); }

void TfrmExpOpere::exportWorkbook(WorkbookFormat format)
{
    runHandler(this, [this, format] {
        const QString path = exportPath(format);
        exportGrid(path, [&](const std::function<bool(int)>& progress) {
            return writeWorkbook(path, format, [&](RowSink& w) { return m_model->writeRows(w, progress); });
        });
    });
}

void TfrmExpOpere::exportGrid(const QString& path,
                              const std::function<bool(const std::function<bool(int rows)>& progress)>& write)
{
    // A cell still being edited counts as it stands (the export button
    // takes no focus, so its editor is open yet).
    if (QWidget* editor = grdRecords->indexWidget(grdRecords->currentIndex()))
        Q_EMIT grdRecords->itemDelegate()->commitData(editor);
    if (!dialogs().confirm(this, kAskExport))
        return;
    // From writing to opening the file, any failure gives the one message;
    // a cancelled export leaves the file as it was and asks nothing more.
    runHandler(
        this,
        [&] {
            std::unique_ptr<Dialogs::Progress> progress =
                dialogs().progress(this, QStringLiteral("Esportazione delle schede in corso..."), m_model->rowCount());
            const bool done = write([&](int rows) { return !progress || progress->step(rows); });
            progress.reset(); // gone before the question
            if (done && dialogs().confirm(this, kAskOpen))
                TMisc::Open(QLatin1Char('"') + path + QLatin1Char('"'));
        },
        kExportFailed, Dialogs::Kind::Message);
}

void TfrmExpOpere::cmdGuidaClick()
{
    runHandler(this, [this] { showHelpTopic(this, exportTopic()); });
}

void TfrmExpOpere::cmdEsciClick() { close(); }
