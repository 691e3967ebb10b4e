#include "search/TrovaOpere.h"

#include "base/Format.h"
#include "base/Text.h"
#include "kit/FieldKeys.h"
#include "kit/Guard.h"
#include "kit/Layout.h"
#include "kit/Sheet.h"
#include "search/Search.h"
#include "search/SummaryModel.h"
#include "store/Archive.h"

#include <QShowEvent>

using namespace pinakos;

namespace {

// The last find key, one for every search window of the program's run.
QString& lastFindKey()
{
    static QString key;
    return key;
}

struct FilterPlace
{
    const char* box;
    const char* caption;
    const char* text;
    const char* highlight;
    int x, y;
};

// In tab order; the captions and highlights keep the numbers of the sheet's
// fields they stand for.
constexpr FilterPlace kFilters[10] = {
    {"txtCapo", "lblCampo01", "Titolo opera:", "effCampo01", 144, 141},
    {"txtDescrizione", "lblCampo02", "Soggetto rappresentato:", "effCampo02", 488, 141},
    {"txtColore", "lblCampo09", "Artista:", "effCampo09", 144, 211},
    {"txtTessuto", "lblCampo10", "Anno realizzazione:", "effCampo10", 488, 211},
    {"txtDifetti", "lblCampo05", "Dimensioni:", "effCampo05", 144, 281},
    {"txtServizio", "lblCampo06", "Supporto:", "effCampo06", 488, 281},
    {"txtCliente", "lblCampo07", "Proprietario attuale:", "effCampo07", 144, 351},
    {"txtCodFisc", "lblCampo08", "Codice fiscale:", "effCampo08", 488, 351},
    {"txtSpecifiche", "lblCampo03", "Luogo conservazione:", "effCampo03", 144, 421},
    {"txtNote", "lblCampo04", "Note:", "effCampo04", 488, 421},
};

const QColor kDarkCyan(0x00, 0x8B, 0x8B);

} // namespace

TfrmTrovaOpere::TfrmTrovaOpere(QWidget* parent) : GradientForm(parent)
{
    // FormCreate
    setFixedFrame(this, QStringLiteral(" Trova opere d'arte in catalogo"), 862, 560);
    setGradient(Qt::black, Qt::white);
    setPanelSize(833, 529);

    // The filter view stands where the result view does, and shows first.
    panAvvio = new QWidget(this);
    panAvvio->setObjectName(QStringLiteral("panAvvio"));
    panAvvio->setGeometry(panContainer->geometry());
    addPanel(panAvvio);
    QWidget* p = panAvvio;
    shpSpiega = new Shape(p, QStringLiteral("shpSpiega"), QRect(8, 8, 817, 78), Qt::white);
    imgSpiega = new Picture(p, QStringLiteral("imgSpiega"), art("trova_spiega"), QRect(18, 16, 58, 55));
    const QFont verdana = appFont(QStringLiteral("Verdana"), 12);
    lblRigo04 = makeLabel(p, QStringLiteral("lblRigo04"),
                          QStringLiteral("Immettere nei campi prescelti una o più parole consecutive presenti nelle "
                                         "schede da trovare e premere il pulsante Cerca."),
                          QPoint(88, 18), appFont(QStringLiteral("Verdana"), 11));
    lblRigo05 = makeLabel(p, QStringLiteral("lblRigo05"), QStringLiteral("Lasciare in bianco tutti gli altri campi."),
                          QPoint(88, 38), appFont(QStringLiteral("Verdana"), 11));
    lblRigo06 = makeLabel(p, QStringLiteral("lblRigo06"),
                          QStringLiteral("Per ogni ricerca è possibile utilizzare uno o più campi contemporaneamente."),
                          QPoint(88, 58), appFont(QStringLiteral("Verdana"), 11));
    shpSfondoCampi = new Shape(p, QStringLiteral("shpSfondoCampi"), QRect(8, 96, 817, 382), QColor());
    shpSfondoCampi->setGradient(QColor(0xBE, 0xC4, 0xCA), Qt::white);
    shpCampi = new Shape(p, QStringLiteral("shpCampi"), QRect(24, 112, 97, 349), Qt::white);
    imgTrova01 = new Picture(p, QStringLiteral("imgTrova01"), art("trova_quadro"), QRect(32, 120, 81, 105));
    imgTrova02 = new Picture(p, QStringLiteral("imgTrova02"), art("trova_scultura"), QRect(32, 234, 81, 105));
    imgTrova03 = new Picture(p, QStringLiteral("imgTrova03"), art("trova_tavolozza"), QRect(32, 348, 81, 105));
    buildFilters(p);
    btnAnnulla = makeButton(p, QStringLiteral("btnAnnulla"), QStringLiteral("Chiudi"), QRect(8, 488, 150, 30));
    btnCerca = makeButton(p, QStringLiteral("btnCerca"), QStringLiteral("Cerca"), QRect(675, 488, 150, 30));
    lblAttendere = makeLabel(p, QStringLiteral("lblAttendere"), QStringLiteral("Ricerca schede in corso. Attendere..."),
                             QPoint(177, 494), verdana, kDarkCyan);
    lblAttendere->hide();
    lblConta = makeHiddenLabel(p, QStringLiteral("lblConta"), QStringLiteral("0"));
    lblConta->move(644, 494);
    lblMemory = makeHiddenLabel(p, QStringLiteral("lblMemory"));
    lblMemory->move(537, 493);

    // Result view, hidden until a search has run.
    buildResults(panContainer, art("trova_logo"));
    lblTrovate =
        makeLabel(panContainer, QStringLiteral("lblTrovate"), QStringLiteral("Il presente elenco contiene 0 schede."),
                  QPoint(177, 494), verdana, kDarkCyan);
    panContainer->hide();

    QWidget* order[] = {txtCapo,    txtDescrizione, txtColore,     txtTessuto, txtDifetti, txtServizio,
                        txtCliente, txtCodFisc,     txtSpecifiche, txtNote,    btnAnnulla, btnCerca,
                        txtTrova,   btnTrova,       lstRecords,    btnStampa,  btnChiudi};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    auto* keys = new FieldKeys(this);
    const auto boxes = filters();
    for (size_t i = 0; i < boxes.size(); ++i)
        keys->setNext(boxes[i], boxes[(i + 1) % boxes.size()]);
    keys->setNext(txtTrova, btnTrova);

    connect(btnCerca, &QPushButton::pressed, this, &TfrmTrovaOpere::btnCercaMouseDown);
    connect(btnCerca, &QPushButton::clicked, this, &TfrmTrovaOpere::btnCercaClick);
    connect(btnAnnulla, &QPushButton::clicked, this, &TfrmTrovaOpere::btnAnnullaClick);
    connect(btnChiudi, &QPushButton::clicked, this, &TfrmTrovaOpere::btnChiudiClick);
    connect(btnTrova, &QPushButton::clicked, this, &TfrmTrovaOpere::btnTrovaClick);
    connect(btnStampa, &QPushButton::clicked, this, &TfrmTrovaOpere::btnStampaClick);
    onListDoubleClick([this] { lstRecordsDblClick(); });
}

void TfrmTrovaOpere::setSheet(Sheet* sheet)
{
    m_sheet = sheet;
    markOpener(lblMemory, sheet);
}

void TfrmTrovaOpere::buildFilters(QWidget* p)
{
    QLineEdit** boxes[10] = {&txtCapo,     &txtDescrizione, &txtColore,  &txtTessuto,    &txtDifetti,
                             &txtServizio, &txtCliente,     &txtCodFisc, &txtSpecifiche, &txtNote};
    const QFont captionFont = appFont(QStringLiteral("Verdana"), 12);
    const QFont boxFont = appFont(QStringLiteral("Verdana"), 12, true);
    for (int i = 0; i < 10; ++i) {
        const FilterPlace& f = kFilters[i];
        auto* box = new QLineEdit(p);
        box->setObjectName(QLatin1String(f.box));
        box->setGeometry(f.x, f.y, 320, 22);
        box->setFont(boxFont);
        *boxes[i] = box;
        captions[size_t(i)] =
            makeLabel(p, QLatin1String(f.caption), QString::fromUtf8(f.text), QPoint(f.x, f.y - 21), captionFont);
        highlights[size_t(i)] = new Highlight(p, QLatin1String(f.highlight), QRect(f.x - 4, f.y - 4, 328, 30), box);
    }
}

std::array<QLineEdit*, 10> TfrmTrovaOpere::filters() const
{
    return {txtCapo,     txtDescrizione, txtColore,  txtTessuto,    txtDifetti,
            txtServizio, txtCliente,     txtCodFisc, txtSpecifiche, txtNote};
}

void TfrmTrovaOpere::showEvent(QShowEvent* e)
{
    GradientForm::showEvent(e);
    if (!e->spontaneous())
        FormShow();
}

void TfrmTrovaOpere::FormShow()
{
    centreOnScreen(this);
    lastFindKey().clear();
    txtTrova->clear();
    txtCapo->setFocus(Qt::OtherFocusReason);
}

void TfrmTrovaOpere::done(int result)
{
    FormClose();
    GradientForm::done(result);
}

void TfrmTrovaOpere::FormClose()
{
    emptyList();
    lblAttendere->hide();
}

// The wait line is on screen before the click's search starts.
void TfrmTrovaOpere::btnCercaMouseDown() { lblAttendere->show(); }

void TfrmTrovaOpere::btnCercaClick()
{
    runHandler(
        this,
        [this] {
            std::array<QString, kFilterCount> texts;
            const auto boxes = filters();
            for (size_t i = 0; i < boxes.size(); ++i)
                texts[i] = boxes[i]->text();
            const WorkFilter filter(texts);
            lblConta->setText(QString::number(filter.filled()));
            emptyList();
            SummaryList found;
            collectSummaries(
                m_sheet ? m_sheet->catalogPath() : QString(), [&filter](const char* r) { return filter.matches(r); },
                found);
            showLines(std::move(found));
            lblTrovate->setText(QStringLiteral("Il presente riepilogo contiene %1 schede.").arg(lines->rowCount()));
            lblTrovate->adjustSize();
            panContainer->show();
            panAvvio->hide();
            txtTrova->clear();
            txtTrova->setFocus(Qt::OtherFocusReason);
        },
        archiveFailureMessage(), Dialogs::Kind::Message);
}

void TfrmTrovaOpere::btnTrovaClick() { findInList(this, lastFindKey()); }

void TfrmTrovaOpere::btnStampaClick()
{
    runHandler(this, [this] { printLines(this, QStringLiteral("Riepilogo opere d'arte in catalogo")); });
}

// Brings the work back into the sheet and closes. Whatever goes wrong, the
// window closes without a word; what reached the sheet stays there.
void TfrmTrovaOpere::lstRecordsDblClick()
{
    runSilently([this] {
        if (openedFromSheet(lblMemory))
            openSelected(m_sheet);
    });
    close();
}
