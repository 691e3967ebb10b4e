#include "sheet/Opere.h"

#include "base/Failure.h"
#include "base/Format.h"
#include "base/Log.h"
#include "base/Text.h"
#include "checkers/CodFisc.h"
#include "checkers/PartitaIVA.h"
#include "kit/Dialogs.h"
#include "kit/Guard.h"
#include "kit/Layout.h"
#include "kit/Navigation.h"
#include "kit/OnDemand.h"
#include "kit/PhotoView.h"
#include "kit/WholeTextTip.h"
#include "output/Documenti.h"
#include "output/ExpOpere.h"
#include "output/Slideshow.h"
#include "output/StampaOpera.h"
#include "search/Opere_Disponibili.h"
#include "search/TrovaOpere.h"
#include "sheet/AllegaCartella.h"
#include "sheet/DefaultPicture.h"
#include "sheet/Price.h"
#include "sheet/Zoom.h"
#include "shell/Guida.h"
#include "store/Archive.h"
#include "store/Importa.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QFocusEvent>
#include <QShortcut>
#include <QShowEvent>
#include <algorithm>
#include <memory>

using namespace pinakos;

namespace {

const QString kEmptyArchive = QStringLiteral("L'archivio non contiene nessuna scheda.");
const QString kUpdated = QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.");
const QString kAppended = QStringLiteral("La scheda corrente è stata inserita in archivio.");
const QString kNotYetSaved = QStringLiteral("Attenzione: la duplicazione di una scheda può avvenire soltanto "
                                            "dopo che questa è stata inserita in archivio.");
const QString kDuplicated = QStringLiteral("E' ora possibile apportare le proprie modifiche alla scheda corrente.")
    + QStringLiteral("\n\r\n\r") + QStringLiteral("Al termine premere Salva per inserire la scheda in archivio.");
const QString kReady = QStringLiteral("Pronto per archiviare una nuova scheda...");
// What the sheet writes into the windows that act back on it.

// One field of the form: where its box stands and which record slot it shows.
struct FieldDef
{
    const char* name;
    Campo campo;
    int x, y, width;
    const char* caption;
    const char* captionText;
};

// In tab order, which is also the Enter chain (the check box apart).
const FieldDef kFields[] = {
    {"txtCapo", Campo::Capo, 620, 164, 344, "lblCampo001", "Titolo opera:"},
    {"txtDescrizione", Campo::Descrizione, 620, 212, 344, "lblCampo002", "Soggetto rappresentato:"},
    {"txtColore", Campo::Colore, 620, 260, 196, "lblCampo003", "Artista:"},
    {"txtTessuto", Campo::Tessuto, 824, 260, 140, "lblCampo013", "Anno realizzazione:"},
    {"txtMisure", Campo::Misure, 620, 308, 168, "lblCampo004", "Nazione:"},
    {"txtPeso", Campo::Peso, 796, 308, 168, "lblCampo014", "Tecnica utilizzata:"},
    {"txtUsura", Campo::Usura, 620, 356, 344, "lblCampo005", "Corrente artistica:"},
    {"txtDifetti", Campo::Difetti, 620, 404, 344, "lblCampo006", "Dimensioni:"},
    {"txtServizio", Campo::Servizio, 620, 452, 344, "lblCampo007", "Supporto:"},
    {"txtSpecifiche", Campo::Specifiche, 620, 500, 344, "lblCampo008", "Luogo conservazione:"},
    {"txtCliente", Campo::Cliente, 620, 548, 344, "lblCampo009", "Proprietario attuale:"},
    {"txtCodFisc", Campo::CodFisc, 620, 596, 162, "lblCampo011", "Codice fiscale:"},
    {"txtRecapito", Campo::Recapito, 820, 596, 144, "lblCampo015", "Tel. preferenziale:"},
    {"txtNote", Campo::Note, 30, 596, 583, "lblCampo010", "Note:"},
    {"txtPrezzo", Campo::Prezzo, 464, 512, 141, "lblCampo012", "Valore: €"},
};

const Campo kAttachmentSlots[] = {Campo::File01, Campo::File02, Campo::File03,
                                  Campo::Desc01, Campo::Desc02, Campo::Desc03};

} // namespace

TfrmOpere::TfrmOpere(QWidget* parent) : GradientForm(parent)
{
    // FormCreate
    setupWorkWindow(QStringLiteral(" Pinakos - Inventario opere d'arte"), QColor(0x42, 0x7A, 0xA8), 996, 692);

    buildFrame();
    buildToolbar();
    buildPhotoArea();
    buildFields();
    buildHints();
    buildKeys();
}

// ---------------------------------------------------------------- layout

Picture* TfrmOpere::addButton(const char* name, const char* picture, const QRect& place, void (TfrmOpere::*click)())
{
    auto* b = new Picture(panContainer, QString::fromLatin1(name), art(picture), place, true);
    connect(b, &Picture::clicked, this, click);
    return b;
}

void TfrmOpere::buildFrame()
{
    auto* shpContainer =
        new Shape(panContainer, QStringLiteral("shpContainer"), QRect(8, 8, 978, 675), QColor(), Qt::white);
    shpContainer->setGradient(QColor(0x42, 0x7A, 0xA8), Qt::white);
    new Shape(panContainer, QStringLiteral("shpSezione01"), QRect(16, 80, 962, 554), QColor(0xC8, 0xD6, 0xE3),
              Qt::white);
    new Shape(panContainer, QStringLiteral("shpSfondo"), QRect(24, 88, 946, 538), Qt::white);
    auto* shpInfo = new Shape(panContainer, QStringLiteral("shpInfo"), QRect(16, 642, 962, 32),
                              QColor(0x30, 0x30, 0xDD), QColor(0x30, 0x30, 0xDD));
    // The pointer over the information strip leaves the line as it is.
    shpInfo->setAttribute(Qt::WA_NoMousePropagation);
    panInfo =
        makeLabel(panContainer, QStringLiteral("panInfo"), kReady, QPoint(22, 650), appFont("Tahoma", 12), Qt::white);

    new Picture(panContainer, QStringLiteral("icoTitolo"), art("titolo"), QRect(618, 96, 349, 49));
    // A long name is painted cut with "…"; the label keeps it whole, and shows
    // it whole as its tooltip.
    lblNome = makeElidedLabel(panContainer, QStringLiteral("lblNome"), QStringLiteral("Nome catalogo opere d'arte"),
                              QRect(624, 106, 332, 24), appFont("Verdana", 13), Qt::white, Qt::AlignCenter);

    lblFile = makeHiddenLabel(panContainer, QStringLiteral("lblFile"));
    lblFile->move(916, 648);
    lblFile01 = makeHiddenLabel(panContainer, QStringLiteral("lblFile01"));
    lblFile02 = makeHiddenLabel(panContainer, QStringLiteral("lblFile02"));
    lblFile03 = makeHiddenLabel(panContainer, QStringLiteral("lblFile03"));
    lblDesc01 = makeHiddenLabel(panContainer, QStringLiteral("lblDesc01"));
    lblDesc02 = makeHiddenLabel(panContainer, QStringLiteral("lblDesc02"));
    lblDesc03 = makeHiddenLabel(panContainer, QStringLiteral("lblDesc03"));
}

void TfrmOpere::buildToolbar()
{
    const struct
    {
        const char* name;
        QRect geometry;
    } groups[] = {
        {"shpNuovo", QRect(16, 16, 172, 57)},      {"shpStampa", QRect(193, 16, 50, 57)},
        {"shpAnteprima", QRect(248, 16, 162, 57)}, {"shpRecord", QRect(415, 16, 312, 57)},
        {"shpSlideShow", QRect(732, 16, 50, 57)},  {"shpRiepiloghi", QRect(787, 16, 92, 57)},
        {"shpEsci", QRect(884, 16, 94, 57)},
    };
    for (const auto& g : groups)
        new Shape(panContainer, QString::fromLatin1(g.name), g.geometry, Qt::white);

    cmdNuovo = addButton("cmdNuovo", "nuovo", QRect(24, 26, 37, 39), &TfrmOpere::cmdNuovoClick);
    cmdDuplica = addButton("cmdDuplica", "duplica", QRect(64, 26, 37, 39), &TfrmOpere::cmdDuplicaClick);
    cmdSalva = addButton("cmdSalva", "salva", QRect(104, 26, 37, 39), &TfrmOpere::cmdSalvaClick);
    cmdTrova = addButton("cmdTrova", "trova", QRect(144, 26, 37, 39), &TfrmOpere::cmdTrovaClick);
    cmdFile = addButton("cmdFile", "allega", QRect(200, 28, 37, 39), &TfrmOpere::cmdFileClick);
    cmdStampa = addButton("cmdStampa", "stampa", QRect(254, 28, 148, 32), &TfrmOpere::cmdStampaClick);
    cmdPrimo = addButton("cmdPrimo", "primo", QRect(425, 26, 37, 39), &TfrmOpere::cmdPrimoClick);
    cmdIndietro = addButton("cmdIndietro", "indietro", QRect(467, 26, 37, 39), &TfrmOpere::cmdIndietroClick);
    cmdAvanti = addButton("cmdAvanti", "avanti", QRect(641, 26, 37, 39), &TfrmOpere::cmdAvantiClick);
    cmdUltimo = addButton("cmdUltimo", "ultimo", QRect(683, 26, 37, 39), &TfrmOpere::cmdUltimoClick);
    cmdSlideShow = addButton("cmdSlideShow", "slideshow", QRect(739, 28, 37, 39), &TfrmOpere::cmdSlideShowClick);
    cmdEsporta = addButton("cmdEsporta", "esporta", QRect(795, 26, 37, 39), &TfrmOpere::cmdEsportaClick);
    cmdSegnalati = addButton("cmdSegnalati", "segnalati", QRect(835, 26, 37, 39), &TfrmOpere::cmdSegnalatiClick);
    cmdGuida = addButton("cmdGuida", "aiuto", QRect(892, 26, 37, 39), &TfrmOpere::cmdGuidaClick);
    cmdEsci = addButton("cmdEsci", "porta", QRect(934, 26, 37, 39), &TfrmOpere::cmdEsciClick);

    lblPosizione = makeLabel(panContainer, QStringLiteral("lblPosizione"), QString(), QPoint(506, 34),
                             appFont("Verdana", 14, true));
    lblPosizione->setAlignment(Qt::AlignCenter);
    lblPosizione->resize(132, 24);
}

void TfrmOpere::buildPhotoArea()
{
    const QColor pale(0xE0, 0xE9, 0xF1);
    new Shape(panContainer, QStringLiteral("shpFoto"), QRect(30, 94, 583, 394), pale, pale);
    imgBianco = new Picture(panContainer, QStringLiteral("imgBianco"), art("quadro"), QRect(38, 102, 567, 378));
    imgBianco->hide();
    imgFoto = new PhotoView(panContainer, QStringLiteral("imgFoto"), QRect(38, 102, 567, 378));
    imgFoto->setPhoto(defaultPhoto());

    new Shape(panContainer, QStringLiteral("bkgPulsantiFoto"), QRect(30, 494, 324, 56), pale, pale);
    btnCaricaFoto = addButton("btnCaricaFoto", "carica_foto", QRect(38, 502, 157, 40), &TfrmOpere::btnCaricaFotoClick);
    btnSalvaFoto = addButton("btnSalvaFoto", "salva_foto", QRect(204, 502, 42, 40), &TfrmOpere::btnSalvaFotoClick);
    btnCancFoto = addButton("btnCancFoto", "canc_foto", QRect(254, 502, 42, 40), &TfrmOpere::btnCancFotoClick);
    btnZoomFoto = addButton("btnZoomFoto", "zoom_foto", QRect(304, 502, 42, 40), &TfrmOpere::btnZoomFotoClick);

    new Shape(panContainer, QStringLiteral("bkgPrezzo"), QRect(362, 494, 251, 56), pale, pale);
    const QColor orange(0xFD, 0xD3, 0xA0);
    new Shape(panContainer, QStringLiteral("bkgSegnala"), QRect(512, 556, 101, 34), orange, orange);
    new Picture(panContainer, QStringLiteral("icoSegnala"), art("segnala"), QRect(464, 560, 45, 26));
}

void TfrmOpere::buildFields()
{
    m_keys = new FieldKeys(this);

    QList<QLineEdit*> boxes;
    for (const FieldDef& f : kFields) {
        const bool price = f.campo == Campo::Prezzo;
        auto* box = new QLineEdit(panContainer);
        box->setObjectName(QString::fromLatin1(f.name));
        box->setFont(price ? appFont("Verdana", 14, true) : appFont("Verdana", 12, true));
        box->setGeometry(f.x, f.y, f.width, price ? 24 : 22);
        box->setMaxLength(slotOf(f.campo).max);
        showWholeTextAsTip(box);
        // The pointer over a box leaves the information line as it is.
        box->setAttribute(Qt::WA_NoMousePropagation);
        const QString caption = QString::fromUtf8(f.captionText);
        if (price)
            makeLabel(panContainer, QString::fromLatin1(f.caption), caption, QPoint(372, 514),
                      appFont("Verdana", 14, true));
        else
            makeLabel(panContainer, QString::fromLatin1(f.caption), caption, QPoint(f.x, f.y - 18),
                      appFont("Verdana", 12));
        boxes << box;
    }
    txtCapo = boxes[0];
    txtDescrizione = boxes[1];
    txtColore = boxes[2];
    txtTessuto = boxes[3];
    txtMisure = boxes[4];
    txtPeso = boxes[5];
    txtUsura = boxes[6];
    txtDifetti = boxes[7];
    txtServizio = boxes[8];
    txtSpecifiche = boxes[9];
    txtCliente = boxes[10];
    txtCodFisc = boxes[11];
    txtRecapito = boxes[12];
    txtNote = boxes[13];
    txtPrezzo = boxes[14];
    txtPrezzo->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    txtPrezzo->setText(QStringLiteral("0,00"));

    // The highlight is set on the panel and names its boxes, so that the file
    // dialogs and windows the sheet opens keep their own look.
    panContainer->setStyleSheet(fieldStyleSheet(QList<QWidget*>(boxes.begin(), boxes.end() - 1))
                                + fieldStyleSheet(QList<QWidget*>{txtPrezzo}, QStringLiteral("#FFFFFF")));

    chkSegnala = new QCheckBox(QStringLiteral("Venduta"), panContainer);
    chkSegnala->setObjectName(QStringLiteral("chkSegnala"));
    chkSegnala->setFont(appFont("Verdana", 12, true));
    chkSegnala->setGeometry(520, 561, 89, 25);
    chkSegnala->setCursor(Qt::PointingHandCursor);

    btnCodFisc = addButton("btnCodFisc", "codfisc", QRect(787, 596, 22, 22), &TfrmOpere::btnCodFiscClick);

    btnFocus = new QPushButton(panContainer);
    btnFocus->setObjectName(QStringLiteral("btnFocus"));
    btnFocus->setGeometry(536, 648, 25, 20);
    btnFocus->hide();
    connect(btnFocus, &QPushButton::clicked, this, &TfrmOpere::btnFocusClick);

    // Tab order: the fields, the check box before the price, then the focus sink.
    QList<QWidget*> order;
    for (int i = 0; i < 14; ++i)
        order << boxes[i];
    order << chkSegnala << txtPrezzo << btnFocus;
    for (int i = 0; i + 1 < order.size(); ++i)
        setTabOrder(order[i], order[i + 1]);

    // Enter moves along the chain, skipping the check box.
    for (int i = 0; i < boxes.size(); ++i)
        m_keys->setNext(boxes[i], boxes[(i + 1) % boxes.size()]);
    m_keys->setAccept(txtPrezzo, [](QChar c) { return c == QLatin1Char(',') || isDigit09(c); });
    m_keys->setAccept(txtCodFisc, [](QChar c) { return isDigit09(c) || isLetterAZ(c); });

    // What these two boxes take comes from the key filter alone, not from
    // composed input.
    txtPrezzo->setAttribute(Qt::WA_InputMethodEnabled, false);
    txtCodFisc->setAttribute(Qt::WA_InputMethodEnabled, false);
    connect(txtCodFisc, &QLineEdit::textEdited, this, &TfrmOpere::txtCodFiscTyping);
    txtPrezzo->installEventFilter(this);
}

void TfrmOpere::buildHints()
{
    m_hints = new HoverHints(this, panInfo);
    const struct
    {
        QWidget* w;
        const char* text;
    } hints[] = {
        {cmdNuovo, "Prepara la schermata per l'inserimento di una nuova scheda."},
        {cmdDuplica, "Prepara la schermata per l'inserimento di una nuova scheda duplicando i dati correnti."},
        {cmdSalva, "Salva la scheda in archivio."},
        {cmdTrova, "Trova una scheda in archivio."},
        {cmdFile, "Allega file alla scheda."},
        {cmdStampa, "Stampa la scheda."},
        {cmdPrimo, "Visualizza la prima scheda in archivio."},
        {cmdIndietro, "Visualizza la scheda precedente in archivio."},
        {cmdAvanti, "Visualizza la scheda successiva in archivio."},
        {cmdUltimo, "Visualizza l'ultima scheda in archivio."},
        {cmdSlideShow, "Avvia lo slide show delle immagini in archivio."},
        {cmdEsporta, "Esporta le schede in archivio in un file di Microsoft Excel."},
        {cmdSegnalati, "Visualizza il riepilogo delle opere d'arte non vendute."},
        {cmdGuida, "Visualizza la pagina della guida sensibile al contesto."},
        {cmdEsci, "Esci da questa schermata di lavoro."},
        {btnCaricaFoto, "Carica una foto esistente."},
        {btnSalvaFoto, "Salva la foto su disco."},
        {btnCancFoto, "Cancella la foto."},
        {btnZoomFoto, "Visualizza la foto nelle sue dimensioni reali."},
        {btnCodFisc, "Controlla il codice fiscale."},
        {chkSegnala, "Spunta questa casella per annotare che l'opera d'arte è stata venduta."},
    };
    for (const auto& h : hints)
        m_hints->addHint(h.w, QString::fromUtf8(h.text));

    m_hints->addBackground(this);
    m_hints->addBackground(panContainer);
    for (const char* name : {"shpContainer", "shpNuovo", "shpStampa", "shpAnteprima", "shpRecord", "shpSlideShow",
                             "shpRiepiloghi", "shpEsci", "shpSezione01", "shpSfondo", "shpFoto", "imgFoto",
                             "bkgPulsantiFoto", "bkgPrezzo", "icoTitolo", "bkgSegnala", "icoSegnala"}) {
        if (auto* w = panContainer->findChild<QWidget*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly))
            m_hints->addBackground(w);
    }
}

// The sheet's commands on the keyboard. A key runs the command's own
// handler, with the price normalised first as if its box had been left; each
// button's tooltip names its command and, where it has one, its key.
void TfrmOpere::buildKeys()
{
    const struct
    {
        Picture* button;
        const char* tip;
        QKeySequence key;
        void (TfrmOpere::*command)();
    } commands[] = {
        {cmdNuovo, "Nuova scheda (Ctrl+N)", QKeySequence(Qt::CTRL | Qt::Key_N), &TfrmOpere::cmdNuovoClick},
        {cmdDuplica, "Duplica la scheda (Ctrl+D)", QKeySequence(Qt::CTRL | Qt::Key_D), &TfrmOpere::cmdDuplicaClick},
        {cmdSalva, "Salva la scheda (Ctrl+S)", QKeySequence(Qt::CTRL | Qt::Key_S), &TfrmOpere::cmdSalvaClick},
        {cmdTrova, "Trova una scheda (Ctrl+F)", QKeySequence(Qt::CTRL | Qt::Key_F), &TfrmOpere::cmdTrovaClick},
        {cmdStampa, "Stampa la scheda (Ctrl+P)", QKeySequence(Qt::CTRL | Qt::Key_P), &TfrmOpere::cmdStampaClick},
        {cmdPrimo, "Prima scheda (Ctrl+Home)", QKeySequence(Qt::CTRL | Qt::Key_Home), &TfrmOpere::cmdPrimoClick},
        {cmdIndietro, "Scheda precedente (PagSu)", QKeySequence(Qt::Key_PageUp), &TfrmOpere::cmdIndietroClick},
        {cmdAvanti, "Scheda successiva (PagGiù)", QKeySequence(Qt::Key_PageDown), &TfrmOpere::cmdAvantiClick},
        {cmdUltimo, "Ultima scheda (Ctrl+Fine)", QKeySequence(Qt::CTRL | Qt::Key_End), &TfrmOpere::cmdUltimoClick},
        {cmdGuida, "Guida (F1)", QKeySequence(Qt::Key_F1), &TfrmOpere::cmdGuidaClick},
        {cmdFile, "Allega file alla scheda", {}, nullptr},
        {cmdSlideShow, "Slide show delle foto", {}, nullptr},
        {cmdEsporta, "Esporta in Microsoft Excel", {}, nullptr},
        {cmdSegnalati, "Opere non vendute", {}, nullptr},
        {cmdEsci, "Esci dalla scheda", {}, nullptr},
        {btnCaricaFoto, "Carica una foto", {}, nullptr},
        {btnSalvaFoto, "Salva la foto su disco", {}, nullptr},
        {btnCancFoto, "Cancella la foto", {}, nullptr},
        {btnZoomFoto, "Ingrandisci la foto", {}, nullptr},
        {btnCodFisc, "Controlla il codice fiscale", {}, nullptr},
    };
    // The gallery's documents have no button on the sheet, only their key.
    m_keys->setCommandKey(this, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P), [this] { keyDocumenti(); });
    // Records from a spreadsheet, appended to this catalog.
    m_keys->setCommandKey(this, QKeySequence(Qt::CTRL | Qt::Key_I), [this] { keyImporta(); });
    for (const auto& c : commands) {
        c.button->setToolTip(QString::fromUtf8(c.tip));
        if (!c.command)
            continue;
        m_keys->setCommandKey(this, c.key, [this, command = c.command] {
            if (focusWidget() == txtPrezzo)
                txtPrezzoExit();
            (this->*command)();
        });
    }
}

QList<QLineEdit*> TfrmOpere::fields() const
{
    return {txtCapo,     txtDescrizione, txtColore,  txtTessuto, txtMisure,   txtPeso, txtUsura, txtDifetti,
            txtServizio, txtSpecifiche,  txtCliente, txtCodFisc, txtRecapito, txtNote, txtPrezzo};
}

QList<QLabel*> TfrmOpere::attachmentLabels() const
{
    return {lblFile01, lblFile02, lblFile03, lblDesc01, lblDesc02, lblDesc03};
}

// ---------------------------------------------------------------- window

void TfrmOpere::showEvent(QShowEvent* e)
{
    GradientForm::showEvent(e);
    // FormShow: every showing by the program starts a new sheet; a window
    // restored by the window system keeps what it shows.
    if (!e->spontaneous()) {
        panInfo->setText(kReady);
        panInfo->adjustSize();
        newSheet();
    }
}

void TfrmOpere::closeEvent(QCloseEvent* e)
{
    // FormClose
    e->accept();
    navigation().show(Screen::Avvio, this);
}

void TfrmOpere::cmdEsciClick() { close(); }

void TfrmOpere::cmdGuidaClick()
{
    runHandler(this, [this] { showHelpTopic(this, sheetTopic()); });
}

bool TfrmOpere::eventFilter(QObject* o, QEvent* e)
{
    // txtPrezzoExit; not while its own context menu is open, so that a paste
    // goes into the text as it was.
    if (o == txtPrezzo && e->type() == QEvent::FocusOut
        && static_cast<QFocusEvent*>(e)->reason() != Qt::PopupFocusReason)
        txtPrezzoExit();
    return GradientForm::eventFilter(o, e);
}

// ---------------------------------------------------------------- fields

void TfrmOpere::txtPrezzoExit() { txtPrezzo->setText(normalisePrice(txtPrezzo->text())); }

void TfrmOpere::txtCodFiscTyping(const QString& text)
{
    const QString clean = upperAZ(trimmed(text));
    if (clean == text)
        return;
    // Keep the cursor after the same characters it followed.
    int cursor = txtCodFisc->cursorPosition();
    int lead = 0;
    while (lead < text.size() && text.at(lead).unicode() <= 32)
        ++lead;
    cursor = std::clamp(cursor - lead, 0, int(clean.size()));
    txtCodFisc->setText(clean);
    txtCodFisc->setCursorPosition(cursor);
}

void TfrmOpere::btnFocusClick() { txtCapo->setText(trimmed(txtCapo->text())); }

// ---------------------------------------------------------------- records

void TfrmOpere::openCatalog(const QString& path, const QString& name)
{
    m_shown.catalogPath = trimmed(path);
    m_shown.catalogName = trimmed(name);
    newSheet();
}

QString TfrmOpere::catalogPath() const { return m_shown.catalogPath; }

QString TfrmOpere::catalogName() const { return m_shown.catalogName; }

void TfrmOpere::mirrorShown()
{
    lblFile->setText(m_shown.catalogPath);
    lblNome->setText(m_shown.catalogName);
    lblNome->setToolTip(m_shown.catalogName);
    lblPosizione->setText(m_shown.number > 0 ? QString::number(m_shown.number) : QString());
    const QList<QLabel*> labels = attachmentLabels();
    for (int i = 0; i < 3; ++i) {
        labels[i]->setText(m_shown.attachments.files[i]);
        labels[i + 3]->setText(m_shown.attachments.descriptions[i]);
    }
}

SheetPhoto TfrmOpere::shownPhoto() const { return imgFoto->photo(); }

Attachments TfrmOpere::attachments() const { return m_shown.attachments; }

void TfrmOpere::setAttachments(const Attachments& a)
{
    m_shown.attachments = a;
    mirrorShown();
}

int TfrmOpere::shownNumber() const { return m_shown.number; }

void TfrmOpere::newSheet()
{
    for (QLineEdit* box : fields())
        box->clear();
    txtPrezzo->setText(QStringLiteral("0,00"));
    chkSegnala->setChecked(false);
    m_shown.attachments = {};
    m_shown.number = 0;
    mirrorShown();
    // No picture is no reason to refuse a new sheet.
    runSilently([this] { imgFoto->setPhoto(defaultPhoto()); });
    txtCapo->setFocus(Qt::OtherFocusReason);
}

void TfrmOpere::showRecord(int n, const TSchedaOpera& r)
{
    int i = 0;
    for (QLineEdit* box : fields()) {
        box->setText(r.text(kFields[i].campo));
        // A value longer than its box shows its beginning.
        box->setCursorPosition(0);
        ++i;
    }
    switch (r.venduta()) {
    case Venduta::Si:
        chkSegnala->setChecked(true);
        break;
    case Venduta::No:
        chkSegnala->setChecked(false);
        break;
    case Venduta::Nessuna:
        break;
    }
    for (int k = 0; k < 3; ++k) {
        m_shown.attachments.files[k] = r.text(kAttachmentSlots[k]);
        m_shown.attachments.descriptions[k] = r.text(kAttachmentSlots[k + 3]);
    }
    m_shown.number = n;
    mirrorShown();
    loadPhoto();
}

void TfrmOpere::loadPhoto()
{
    // Decoded at the size the sheet draws it; the enlarged photo and the
    // printout decode it again at theirs.
    const SheetPhoto photo = loadSheetPhoto(m_shown.catalogName, m_shown.number, imgFoto->size());
    imgFoto->setPhoto(photo.isNull() ? defaultPhoto() : photo);
}

TSchedaOpera TfrmOpere::shownRecord() const
{
    TSchedaOpera r;
    int i = 0;
    for (QLineEdit* box : fields())
        r.setText(kFields[i++].campo, box->text());
    r.setVenduta(chkSegnala->isChecked());
    for (int k = 0; k < 3; ++k) {
        r.setText(kAttachmentSlots[k], m_shown.attachments.files[k]);
        r.setText(kAttachmentSlots[k + 3], m_shown.attachments.descriptions[k]);
    }
    return r;
}

QLineEdit* TfrmOpere::boxOf(Campo field) const
{
    int i = 0;
    for (QLineEdit* box : fields())
        if (kFields[i++].campo == field)
            return box;
    return nullptr;
}

QString TfrmOpere::shownText(Campo field) const
{
    const QLineEdit* box = boxOf(field);
    return box ? box->text() : QString();
}

void TfrmOpere::cmdNuovoClick() { newSheet(); }

bool TfrmOpere::withArchive(const std::function<void(Archive&)>& command)
{
    return runHandler(
        this,
        [&] {
            Archive a(catalogPath());
            command(a);
        },
        archiveFailureMessage());
}

bool TfrmOpere::reportEmpty(Archive& a)
{
    if (a.count() > 0)
        return false;
    a.close();
    dialogs().information(this, kEmptyArchive);
    return true;
}

void TfrmOpere::readAndShow(Archive& a, int n)
{
    const TSchedaOpera r = a.read(n);
    const int position = a.position();
    a.close();
    showRecord(position, r);
}

void TfrmOpere::go(Move move)
{
    withArchive([&](Archive& a) {
        const MoveResult to = moveFrom(move, m_shown.number, a.count());
        switch (to.kind) {
        case MoveResult::Kind::Stay:
            a.close();
            break;
        case MoveResult::Kind::Empty:
            if (to.clearNumber) {
                m_shown.number = 0;
                mirrorShown();
            }
            reportEmpty(a);
            break;
        case MoveResult::Kind::Show:
            readAndShow(a, to.record);
            break;
        case MoveResult::Kind::Vanished:
            throw Failure(lcUi, QStringLiteral("La scheda %1 non esiste più nell'archivio.").arg(m_shown.number));
        }
    });
}

void TfrmOpere::cmdPrimoClick() { go(Move::First); }

void TfrmOpere::cmdIndietroClick() { go(Move::Previous); }

void TfrmOpere::cmdAvantiClick() { go(Move::Next); }

void TfrmOpere::cmdUltimoClick() { go(Move::Last); }

void TfrmOpere::cmdSalvaClick()
{
    // Leave the box being edited, so that its exit handling (the price's
    // normalisation above all) runs before any value is read. The focus sink
    // is hidden and takes no focus, so the box lets it go itself; the price is
    // normalised here as well in case the window was not active and no focus
    // change reached it.
    if (QWidget* editing = focusWidget()) {
        btnFocus->setFocus(Qt::OtherFocusReason);
        editing->clearFocus();
        if (editing == txtPrezzo)
            txtPrezzoExit();
    }

    if (const auto missing = firstMissingField(txtCapo->text(), txtColore->text(), txtPrezzo->text())) {
        dialogs().warning(this, missing->warning);
        boxOf(missing->field)->setFocus(Qt::OtherFocusReason);
        return;
    }

    const bool update = m_shown.number > 0;
    int n = 0;
    withArchive([&](Archive& a) {
        const TSchedaOpera r = shownRecord();
        int written = 0;
        if (update) {
            a.write(m_shown.number, r);
            written = a.position();
        } else {
            written = a.append(r);
        }
        a.close();
        n = written;
    });
    if (n == 0)
        return; // the failure has been reported; number and photo stay as they were
    m_shown.number = n;
    mirrorShown();
    saveSheetPhoto(imgFoto->photo(), m_shown.catalogName, n); // silent when it fails
    dialogs().information(this, update ? kUpdated : kAppended);
}

void TfrmOpere::cmdDuplicaClick()
{
    if (m_shown.number == 0) {
        dialogs().warning(this, kNotYetSaved);
        return;
    }
    m_shown.attachments = {};
    m_shown.number = 0;
    mirrorShown();
    runHandler(
        this,
        [this] {
            imgFoto->setPhoto(defaultPhoto());
            for (QLineEdit* box : fields())
                box->setCursorPosition(0);
            txtCapo->setFocus(Qt::OtherFocusReason);
            dialogs().information(this, kDuplicated);
        },
        archiveFailureMessage());
}

// ---------------------------------------------------------------- photo

void TfrmOpere::btnCaricaFotoClick()
{
    runHandler(this, [this] {
        FileDialogRequest request;
        request.title = QStringLiteral("Selezionare un file di immagine in formato Jpeg o Bitmap.");
        request.filters =
            QStringList{QStringLiteral("Immagine JPEG (*.jpg; *.jpeg)"), QStringLiteral("Immagine Bitmap (*.bmp)")};
        const QString path = dialogs().openFile(this, request);
        if (path.isEmpty())
            return;
        const SheetPhoto photo = SheetPhoto::fromFile(path, imgFoto->size());
        imgFoto->setPhoto(photo.isNull() ? defaultPhoto() : photo);
    });
}

void TfrmOpere::btnSalvaFotoClick()
{
    runHandler(this, [this] {
        FileDialogRequest request;
        request.title = QStringLiteral("Selezionare la cartella in cui si desidera salvare il file Jpeg.");
        request.filters = QStringList{QStringLiteral("File Jpeg (*.jpg)")};
        request.proposedName = QStringLiteral("Foto.jpg");
        request.defaultSuffix = QStringLiteral("jpg");
        request.confirmOverwrite = true;
        QString path = dialogs().saveFile(this, request);
        if (path.isEmpty())
            return;
        if (QFileInfo(path).suffix().isEmpty())
            path += QStringLiteral(".jpg");
        imgFoto->photo().writeTo(path); // nothing written and nothing said when it fails
    });
}

void TfrmOpere::btnCancFotoClick() { imgFoto->setPhoto(defaultPhoto()); }

void TfrmOpere::btnZoomFotoClick()
{
    runHandler(this,
               [this] { runOnDemand<TfrmZoom>(this, [this](TfrmZoom& zoom) { zoom.setPhoto(imgFoto->photo()); }); });
}

// ---------------------------------------------------------------- other windows

void TfrmOpere::cmdTrovaClick()
{
    runHandler(this, [this] { runOnDemand<TfrmTrovaOpere>(this, [this](TfrmTrovaOpere& f) { f.setSheet(this); }); });
}

void TfrmOpere::cmdSegnalatiClick()
{
    runHandler(this, [this] { runOnDemand<TfrmOpere_Disponibili>(this, [this](auto& f) { f.setSheet(this); }); });
}

void TfrmOpere::keyDocumenti()
{
    runHandler(this, [this] { runOnDemand<TfrmDocumenti>(this, [this](auto& f) { f.setSheet(this); }); });
}

void TfrmOpere::keyImporta()
{
    int first = 0;
    runHandler(this, [&] {
        runOnDemand<TfrmImporta>(
            this, [this](TfrmImporta& f) { f.setTarget(catalogPath(), catalogName(), false); },
            [&](TfrmImporta& f) { first = f.importedCount() > 0 ? f.importedFirst() : 0; });
    });
    // The first of the new records is shown.
    if (first > 0)
        withArchive([&](Archive& a) { readAndShow(a, first); });
}

void TfrmOpere::cmdStampaClick()
{
    runHandler(this, [this] { runOnDemand<TfrmStampaOpera>(this, [this](auto& f) { f.setSheet(this); }); });
}

void TfrmOpere::cmdEsportaClick()
{
    runHandler(this, [this] { runOnDemand<TfrmExpOpere>(this, [this](auto& f) { f.setSheet(this); }); });
}

void TfrmOpere::cmdSlideShowClick()
{
    runHandler(this, [this] {
        runOnDemand<TfrmSlideshow>(this, [this](TfrmSlideshow& f) { f.setCatalog(catalogPath(), catalogName()); });
    });
}

void TfrmOpere::cmdFileClick()
{
    runHandler(this, [this] {
        runOnDemand<TfrmAllegaCartella>(this, [this](TfrmAllegaCartella& f) { f.setSheet(this, attachments()); });
    });
}

void TfrmOpere::btnCodFiscClick()
{
    runHandler(this, [this] {
        // One field serves for both codes: digits alone are a VAT number.
        const QString v = trimmed(txtCodFisc->text());
        const bool digitsOnly = !v.isEmpty() && std::all_of(v.begin(), v.end(), isDigit09);
        if (digitsOnly)
            runOnDemand<TfrmPartitaIva>(this, [&](TfrmPartitaIva& f) { f.setCode(v); });
        else
            runOnDemand<TfrmCodFisc>(this, [&](TfrmCodFisc& f) { f.setCode(v); });
    });
}
