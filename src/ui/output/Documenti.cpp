#include "output/Documenti.h"

#include "base/Failure.h"
#include "base/ProgramFolder.h"
#include "base/Text.h"
#include "kit/Dialogs.h"
#include "kit/Guard.h"
#include "kit/HoverHints.h"
#include "kit/Layout.h"
#include "kit/OnDemand.h"
#include "kit/Picture.h"
#include "kit/Printing.h"
#include "kit/Sheet.h"
#include "output/GalleryDocuments.h"
#include "output/Report.h"
#include "shell/Guida.h"
#include "shell/HelpTopics.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

using namespace pinakos;

namespace {

const QColor kBlue(0x42, 0x7A, 0xA8);
const QColor kSlateBlue(0x6A, 0x5A, 0xCD);

// What each document is, as the window describes it under the list.
QString describe(Document d)
{
    switch (d) {
    case Document::Certificate:
        return QStringLiteral("Per l'opera mostrata nella scheda: fotografia, dati, provenienza, dichiarazione di "
                              "autenticità con luogo e data, firme del venditore e dell'acquirente.");
    case Document::ObjectId:
        return QStringLiteral("Per l'opera mostrata nella scheda: fotografia e voci dello standard Object ID, con "
                              "righe da compilare a mano dove la scheda non ha il dato.");
    case Document::Inventory:
        return QStringLiteral("Per il catalogo: una riga per opera con fotografia e valore, il totale in euro, la "
                              "data e il numero di pagina.");
    case Document::Labels:
        return QStringLiteral("Per il catalogo: otto etichette per foglio A4, con i segni per il taglio.");
    case Document::PriceList:
        return QStringLiteral("Le opere non vendute del catalogo con il loro prezzo e il totale in euro.");
    }
    return {};
}

QLineEdit* box(QWidget* parent, const QString& name, const QRect& geometry, int maxLength = 120)
{
    auto* b = new QLineEdit(parent);
    b->setObjectName(name);
    b->setGeometry(geometry);
    b->setFont(appFont(QStringLiteral("Verdana"), 12));
    b->setMaxLength(maxLength);
    return b;
}

QCheckBox* checkBox(QWidget* parent, const QString& name, const QString& text, const QRect& geometry)
{
    auto* c = new QCheckBox(text, parent);
    c->setObjectName(name);
    c->setGeometry(geometry);
    c->setFont(appFont(QStringLiteral("Verdana"), 12));
    c->setCursor(Qt::PointingHandCursor);
    return c;
}

// The logo as the letterhead keeps it: a copy in the program folder, so that
// it travels with the program.
const QString kLogoName = QStringLiteral("Documenti_Logo.png");

} // namespace

// ---------------------------------------------------------------- TfrmDocumenti

TfrmDocumenti::TfrmDocumenti(QWidget* parent) : GradientForm(parent)
{
    setFixedFrame(this, QStringLiteral(" Documenti dell'opera e del catalogo"), 460, 330);
    setGradient(kBlue, Qt::white);
    setPanelSize(460, 330);

    QWidget* p = panContainer;
    shpSfondo = new Shape(p, QStringLiteral("shpSfondo"), QRect(12, 12, 436, 226), Qt::white, Qt::white);
    lblDocumento = makeLabel(p, QStringLiteral("lblDocumento"), QStringLiteral("Documento da stampare:"),
                             QPoint(24, 22), appFont(QStringLiteral("Verdana"), 12, true));
    cboDocumento = new QComboBox(p);
    cboDocumento->setObjectName(QStringLiteral("cboDocumento"));
    cboDocumento->setGeometry(24, 42, 412, 26);
    cboDocumento->setFont(appFont(QStringLiteral("Verdana"), 12));
    for (Document d : allDocuments())
        cboDocumento->addItem(documentTitle(d), int(d));
    lblDescrizione = new QLabel(p);
    lblDescrizione->setObjectName(QStringLiteral("lblDescrizione"));
    lblDescrizione->setGeometry(24, 74, 412, 46);
    lblDescrizione->setWordWrap(true);
    lblDescrizione->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblDescrizione->setFont(appFont(QStringLiteral("Verdana"), 11));
    lblDescrizione->setStyleSheet(QStringLiteral("color: #404040;"));

    chkSoloInvendute = checkBox(p, QStringLiteral("chkSoloInvendute"), QStringLiteral("Solo opere non vendute"),
                                QRect(24, 124, 300, 22));
    chkPrezzi = checkBox(p, QStringLiteral("chkPrezzi"), QStringLiteral("Mostra i prezzi"), QRect(24, 150, 300, 22));

    cmdIntestazione =
        makeButton(p, QStringLiteral("cmdIntestazione"), QStringLiteral("Intestazione…"), QRect(24, 190, 140, 28));
    lblIntestazione = makeElidedLabel(p, QStringLiteral("lblIntestazione"), QString(), QRect(174, 190, 262, 28),
                                      appFont(QStringLiteral("Verdana"), 11), QColor(0x40, 0x40, 0x40));

    btnChiudi = makeButton(p, QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"), QRect(12, 250, 136, 28));
    cmdGuida = makeButton(p, QStringLiteral("cmdGuida"), QStringLiteral("Guida"), QRect(162, 250, 136, 28));
    cmdStampa = makeButton(p, QStringLiteral("cmdStampa"), QStringLiteral("Stampa"), QRect(312, 250, 136, 28));

    shpInfo = new Shape(p, QStringLiteral("shpInfo"), QRect(12, 290, 436, 28), kSlateBlue, kSlateBlue);
    panInfo = makeLabel(p, QStringLiteral("panInfo"), QStringLiteral("Scegli il documento e premi Stampa."),
                        QPoint(18, 296), appFont(QStringLiteral("Tahoma"), 12), Qt::white);
    panInfo->setWordWrap(false);

    setTabOrder(cboDocumento, chkSoloInvendute);
    setTabOrder(chkSoloInvendute, chkPrezzi);
    setTabOrder(chkPrezzi, cmdIntestazione);
    setTabOrder(cmdIntestazione, btnChiudi);
    setTabOrder(btnChiudi, cmdGuida);
    setTabOrder(cmdGuida, cmdStampa);

    m_hints = new HoverHints(this, panInfo);
    m_hints->addHint(cboDocumento, QStringLiteral("Scegli il documento da stampare."));
    m_hints->addHint(chkSoloInvendute,
                     QStringLiteral("Spunta questa casella per stampare solo le opere non ancora vendute."));
    m_hints->addHint(chkPrezzi, QStringLiteral("Spunta questa casella per stampare il prezzo sulle etichette."));
    m_hints->addHint(cmdIntestazione,
                     QStringLiteral("Indica chi consegna i documenti: nome, indirizzo, partita IVA, logo."));
    m_hints->addHint(cmdStampa, QStringLiteral("Stampa il documento scelto."));
    m_hints->addHint(cmdGuida, QStringLiteral("Visualizza la pagina della guida sensibile al contesto."));
    m_hints->addHint(btnChiudi, QStringLiteral("Chiudi questa finestra."));
    m_hints->addBackground(panContainer);
    m_hints->addBackground(shpSfondo);

    connect(cboDocumento, &QComboBox::currentIndexChanged, this, &TfrmDocumenti::cboDocumentoChange);
    connect(cmdIntestazione, &QPushButton::clicked, this, &TfrmDocumenti::cmdIntestazioneClick);
    connect(cmdStampa, &QPushButton::clicked, this, &TfrmDocumenti::cmdStampaClick);
    connect(cmdGuida, &QPushButton::clicked, this, &TfrmDocumenti::cmdGuidaClick);
    connect(btnChiudi, &QPushButton::clicked, this, &TfrmDocumenti::btnChiudiClick);
    cboDocumentoChange();
}

TfrmDocumenti::~TfrmDocumenti() = default;

void TfrmDocumenti::showEvent(QShowEvent* e)
{
    if (!e->spontaneous()) {
        chkSoloInvendute->setChecked(false);
        chkPrezzi->setChecked(false);
        showLetterhead();
        if (QWidget* owner = parentWidget())
            centreOver(this, owner);
    }
    GradientForm::showEvent(e);
}

void TfrmDocumenti::showLetterhead()
{
    runSilently([this] {
        const QString name = readLetterhead().name;
        lblIntestazione->setText(name.isEmpty() ? QStringLiteral("Nessuna intestazione indicata") : name);
    });
}

void TfrmDocumenti::cboDocumentoChange()
{
    const auto d = Document(cboDocumento->currentData().toInt());
    lblDescrizione->setText(describe(d));
    // The price list is of the unsold works anyway; prices are a choice for the labels only.
    chkSoloInvendute->setEnabled(d == Document::Inventory || d == Document::Labels);
    chkPrezzi->setEnabled(d == Document::Labels);
}

std::unique_ptr<report::Report> TfrmDocumenti::chosenReport() const
{
    const auto d = Document(cboDocumento->currentData().toInt());
    const Letterhead letterhead = readLetterhead();
    if (!isCatalogDocument(d)) {
        auto textOf = [this](Campo c) { return m_sheet ? m_sheet->shownText(c) : QString(); };
        const SheetPhoto photo = m_sheet ? m_sheet->shownPhoto() : SheetPhoto();
        const QSize frame = d == Document::Certificate ? certificatePhotoPixels() : objectIdPhotoPixels();
        const QImage picture =
            photo.isNull() ? QImage() : photo.imageFor(fitRect(photo.size(), QRect(QPoint(), frame)).size());
        return d == Document::Certificate ? makeCertificate(letterhead, textOf, picture)
                                          : makeObjectIdSheet(letterhead, textOf, picture);
    }
    if (!m_sheet || m_sheet->catalogPath().isEmpty())
        throw Failure(QStringLiteral("Attenzione: nessun catalogo è aperto."));
    const QString name = m_sheet->catalogName();
    const bool unsold = d == Document::PriceList || chkSoloInvendute->isChecked();
    auto works =
        std::make_shared<const std::vector<CatalogWork>>(readCatalogWorks(m_sheet->catalogPath(), name, unsold));
    switch (d) {
    case Document::Inventory:
        return makeInventory(letterhead, name, works, catalogPhotos(name));
    case Document::Labels:
        return makeWallLabels(letterhead, works, chkPrezzi->isChecked());
    default:
        return makePriceList(letterhead, name, works);
    }
}

void TfrmDocumenti::cmdStampaClick()
{
    runHandler(this, [this] {
        std::unique_ptr<report::Report> report = chosenReport();
        printReport(this, *report);
    });
}

void TfrmDocumenti::cmdIntestazioneClick()
{
    runHandler(this, [this] { runOnDemand<TfrmIntestazione>(this); });
    showLetterhead();
}

void TfrmDocumenti::cmdGuidaClick()
{
    runHandler(this, [this] { showHelpTopic(this, documentsTopic()); });
}

void TfrmDocumenti::btnChiudiClick() { close(); }

// ---------------------------------------------------------------- TfrmIntestazione

TfrmIntestazione::TfrmIntestazione(QWidget* parent) : GradientForm(parent)
{
    setFixedFrame(this, QStringLiteral(" Intestazione dei documenti"), 460, 372);
    setGradient(kBlue, Qt::white);
    setPanelSize(460, 372);

    QWidget* p = panContainer;
    new Shape(p, QStringLiteral("shpSfondo"), QRect(12, 12, 436, 308), Qt::white, Qt::white);
    const QFont caption = appFont(QStringLiteral("Verdana"), 11);
    struct Row
    {
        const char* name;
        const char* caption;
        QLineEdit** box;
        int maxLength;
    };
    const Row rows[] = {
        {"txtNome", "Galleria o proprietario:", &txtNome, 120},
        {"txtIndirizzo", "Indirizzo:", &txtIndirizzo, 120},
        {"txtCitta", "Città:", &txtCitta, 80},
        {"txtPartitaIva", "Partita IVA o codice fiscale:", &txtPartitaIva, 16},
        {"txtTelefono", "Telefono:", &txtTelefono, 40},
        {"txtEmail", "E-mail:", &txtEmail, 80},
        {"txtLogo", "Logo (facoltativo):", &txtLogo, 260},
    };
    int y = 20;
    for (const Row& r : rows) {
        const QString name = QString::fromLatin1(r.name);
        makeLabel(p, QStringLiteral("lbl") + name.mid(3), QString::fromUtf8(r.caption), QPoint(24, y), caption);
        const int width = name == QLatin1String("txtLogo") ? 300 : 412;
        *r.box = box(p, name, QRect(24, y + 17, width, 22), r.maxLength);
        y += 42;
    }
    txtLogo->setReadOnly(true);
    txtLogo->setClearButtonEnabled(true);
    cmdLogo = makeButton(p, QStringLiteral("cmdLogo"), QStringLiteral("Scegli…"), QRect(332, y - 25, 104, 24));
    btnAnnulla = makeButton(p, QStringLiteral("btnAnnulla"), QStringLiteral("Annulla"), QRect(12, 332, 136, 28));
    btnSalva = makeButton(p, QStringLiteral("btnSalva"), QStringLiteral("Salva"), QRect(312, 332, 136, 28));
    panContainer->setStyleSheet(fieldStyleSheet(
        QList<QWidget*>{txtNome, txtIndirizzo, txtCitta, txtPartitaIva, txtTelefono, txtEmail, txtLogo}));

    runSilently([this] {
        const Letterhead l = readLetterhead();
        txtNome->setText(l.name);
        txtIndirizzo->setText(l.address);
        txtCitta->setText(l.city);
        txtPartitaIva->setText(l.taxCode);
        txtTelefono->setText(l.phone);
        txtEmail->setText(l.email);
        txtLogo->setText(l.logo);
    });
    connect(cmdLogo, &QPushButton::clicked, this, &TfrmIntestazione::cmdLogoClick);
    connect(btnAnnulla, &QPushButton::clicked, this, &QDialog::reject);
    connect(btnSalva, &QPushButton::clicked, this, &TfrmIntestazione::btnSalvaClick);
}

void TfrmIntestazione::cmdLogoClick()
{
    runHandler(this, [this] {
        FileDialogRequest request;
        request.title = QStringLiteral("Selezionare l'immagine del logo.");
        request.filters = QStringList{QStringLiteral("Immagini (*.png *.jpg *.jpeg *.bmp)")};
        const QString path = dialogs().openFile(this, request);
        if (path.isEmpty())
            return;
        if (SheetPhoto::fromFile(path, QSize(64, 64)).isNull()) {
            dialogs().warning(this, QStringLiteral("Attenzione: il file scelto non è un'immagine leggibile."));
            return;
        }
        txtLogo->setText(QDir::toNativeSeparators(path));
    });
}

void TfrmIntestazione::btnSalvaClick()
{
    bool saved = false;
    runHandler(this, [this, &saved] {
        const QString problem = taxCodeProblem(txtPartitaIva->text());
        if (!problem.isEmpty()) {
            // The window stays open for the code to be put right.
            dialogs().warning(this, problem);
            txtPartitaIva->setFocus();
            return;
        }
        Letterhead l;
        l.name = txtNome->text();
        l.address = txtIndirizzo->text();
        l.city = txtCitta->text();
        l.taxCode = trimmed(txtPartitaIva->text()).toUpper();
        l.phone = txtTelefono->text();
        l.email = txtEmail->text();
        l.logo = trimmed(txtLogo->text());
        if (!l.logo.isEmpty() && l.logo != kLogoName) {
            // A copy of the picture beside the program, at the size it prints.
            const QImage logo = SheetPhoto::fromFile(l.logo, QSize(600, 400)).image();
            if (logo.isNull() || !logo.save(inProgramFolder(kLogoName), "PNG"))
                throw Failure(QStringLiteral("Attenzione: non è stato possibile copiare il logo nella cartella del "
                                             "programma."));
            l.logo = kLogoName;
        }
        writeLetterhead(l);
        saved = true;
    });
    if (saved)
        accept();
}
