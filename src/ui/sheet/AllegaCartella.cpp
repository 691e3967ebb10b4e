#include "sheet/AllegaCartella.h"

#include "base/Format.h"
#include "base/Text.h"
#include "kit/Dialogs.h"
#include "kit/Guard.h"
#include "kit/Layout.h"
#include "kit/OpenURL.h"
#include "kit/Sheet.h"
#include "sheet/Documents.h"

#include <QPushButton>

using namespace pinakos;

namespace {

// The tops of the three slot frames in the panel.
constexpr int kSlotTop[3] = {80, 200, 320};

} // namespace

TfrmAllegaCartella::TfrmAllegaCartella(QWidget* parent) : GradientForm(parent)
{
    // FormCreate
    setFixedFrame(this, QStringLiteral(" Allega file"), 634, 534);
    setGradient(argb(0xFFEBE9E9), Qt::white);
    setPanelSize(609, 503);

    QWidget* p = panContainer;
    shpSfondo = new Shape(p, QStringLiteral("shpSfondo"), QRect(8, 8, 593, 433), Qt::white);
    imgLogo = new Picture(p, QStringLiteral("imgLogo"), art("allega_istruzioni"), QRect(20, 20, 543, 49));
    for (int k = 0; k < 3; ++k)
        buildSlot(k);

    txtFile01 = m_slots[0].file;
    txtFile02 = m_slots[1].file;
    txtFile03 = m_slots[2].file;
    txtDesc01 = m_slots[0].description;
    txtDesc02 = m_slots[1].description;
    txtDesc03 = m_slots[2].description;
    btnSfoglia01 = m_slots[0].browse;
    btnSfoglia02 = m_slots[1].browse;
    btnSfoglia03 = m_slots[2].browse;
    btnApri01 = m_slots[0].open;
    btnApri02 = m_slots[1].open;
    btnApri03 = m_slots[2].open;
    imgCancella01 = m_slots[0].erase;
    imgCancella02 = m_slots[1].erase;
    imgCancella03 = m_slots[2].erase;
    lblCampo01 = m_slots[0].fileCaption;
    lblCampo02 = m_slots[0].descriptionCaption;
    lblCampo03 = m_slots[1].fileCaption;
    lblCampo04 = m_slots[1].descriptionCaption;
    lblCampo05 = m_slots[2].fileCaption;
    lblCampo06 = m_slots[2].descriptionCaption;
    // The highlight of the text boxes, for these boxes only: the message and
    // file dialogs opened from here keep their own look. The file names are
    // grey, still readable on the yellow.
    setStyleSheet(
        fieldStyleSheet({txtFile01, txtFile02, txtFile03, txtDesc01, txtDesc02, txtDesc03})
        + QStringLiteral("QLineEdit#txtFile01, QLineEdit#txtFile02, QLineEdit#txtFile03 { color: #5F5F5F; }"));

    btnAnnulla = makeButton(p, QStringLiteral("btnAnnulla"), QStringLiteral("Annulla"), QRect(312, 456, 126, 32));
    btnApplica =
        makeButton(p, QStringLiteral("btnApplica"), QStringLiteral("Applica e chiudi"), QRect(447, 456, 154, 32));
    lblMemory = makeHiddenLabel(p, QStringLiteral("lblMemory"));
    lblMemory->move(9, 453);

    connect(btnSfoglia01, &QPushButton::clicked, this, &TfrmAllegaCartella::btnSfoglia01Click);
    connect(btnSfoglia02, &QPushButton::clicked, this, &TfrmAllegaCartella::btnSfoglia02Click);
    connect(btnSfoglia03, &QPushButton::clicked, this, &TfrmAllegaCartella::btnSfoglia03Click);
    connect(btnApri01, &QPushButton::clicked, this, &TfrmAllegaCartella::btnApri01Click);
    connect(btnApri02, &QPushButton::clicked, this, &TfrmAllegaCartella::btnApri02Click);
    connect(btnApri03, &QPushButton::clicked, this, &TfrmAllegaCartella::btnApri03Click);
    connect(imgCancella01, &Picture::clicked, this, &TfrmAllegaCartella::imgCancella01Click);
    connect(imgCancella02, &Picture::clicked, this, &TfrmAllegaCartella::imgCancella02Click);
    connect(imgCancella03, &Picture::clicked, this, &TfrmAllegaCartella::imgCancella03Click);
    connect(txtFile01, &QLineEdit::textChanged, this, &TfrmAllegaCartella::txtFile01Change);
    connect(txtFile02, &QLineEdit::textChanged, this, &TfrmAllegaCartella::txtFile02Change);
    connect(txtFile03, &QLineEdit::textChanged, this, &TfrmAllegaCartella::txtFile03Change);
    connect(btnApplica, &QPushButton::clicked, this, &TfrmAllegaCartella::btnApplicaClick);
    connect(btnAnnulla, &QPushButton::clicked, this, &TfrmAllegaCartella::btnAnnullaClick);

    // Tab order: each slot's name, "Sfoglia...", "Apri", description; then
    // "Applica e chiudi" and "Annulla".
    QList<QWidget*> order;
    for (const Slot& s : m_slots)
        order << s.file << s.browse << s.open << s.description;
    order << btnApplica << btnAnnulla;
    for (int i = 0; i + 1 < order.size(); ++i)
        setTabOrder(order[i], order[i + 1]);
}

void TfrmAllegaCartella::setSheet(Sheet* sheet, const Attachments& shown)
{
    m_sheet = sheet;
    markOpener(lblMemory, sheet);
    QLineEdit* files[] = {txtFile01, txtFile02, txtFile03};
    QLineEdit* descriptions[] = {txtDesc01, txtDesc02, txtDesc03};
    for (int i = 0; i < 3; ++i) {
        files[i]->setText(trimmed(shown.files[i]));
        descriptions[i]->setText(trimmed(shown.descriptions[i]));
    }
}

void TfrmAllegaCartella::buildSlot(int k)
{
    QWidget* p = panContainer;
    const int top = kSlotTop[k];
    const QString n = QStringLiteral("%1").arg(k + 1, 2, 10, QLatin1Char('0'));
    const QString ordinal = QString::number(k + 1) + QStringLiteral("° file allegato:");
    Slot& s = m_slots[k];

    auto* frame = new Shape(p, QStringLiteral("shpFile") + n, QRect(16, top, 577, 113), argb(0xFFA8CAE5));
    frame->setGradient(argb(0xFFA8CAE5), Qt::white);
    (k == 0 ? shpFile01 : k == 1 ? shpFile02 : shpFile03) = frame;

    const QString nameCaption = QStringLiteral("lblCampo%1").arg(2 * k + 1, 2, 10, QLatin1Char('0'));
    const QString descCaption = QStringLiteral("lblCampo%1").arg(2 * k + 2, 2, 10, QLatin1Char('0'));
    s.fileCaption =
        makeLabel(p, nameCaption, QStringLiteral("Nome ") + ordinal, QPoint(28, top + 10), appFont("Verdana", 12));

    s.file = new QLineEdit(p);
    s.file->setObjectName(QStringLiteral("txtFile") + n);
    s.file->setGeometry(28, top + 28, 338, 22);
    s.file->setFont(appFont("Verdana", 12, true));
    s.file->setReadOnly(true);

    s.erase = new Picture(p, QStringLiteral("imgCancella") + n, art("gomma"), QRect(370, top + 28, 22, 22), true);
    s.erase->setToolTip(QStringLiteral("Toglie il file allegato dalla scheda."));

    s.browse =
        makeButton(p, QStringLiteral("btnSfoglia") + n, QStringLiteral("Sfoglia..."), QRect(400, top + 24, 86, 28));
    s.open = makeButton(p, QStringLiteral("btnApri") + n, QStringLiteral("Apri"), QRect(494, top + 24, 86, 28));
    s.open->setEnabled(false);

    s.descriptionCaption = makeLabel(p, descCaption, QStringLiteral("Descrizione ") + ordinal, QPoint(28, top + 60),
                                     appFont("Verdana", 12));
    s.description = new QLineEdit(p);
    s.description->setObjectName(QStringLiteral("txtDesc") + n);
    s.description->setGeometry(28, top + 78, 552, 22);
    s.description->setFont(appFont("Verdana", 12, true));
}

void TfrmAllegaCartella::showEvent(QShowEvent* e)
{
    GradientForm::showEvent(e);
    centreOnScreen(this);
    for (int k = 0; k < 3; ++k)
        fileChanged(k);
}

void TfrmAllegaCartella::browse(int k)
{
    runHandler(this, [this, k] {
        FileDialogRequest request;
        request.title = QStringLiteral("Selezionare il file da allegare:");
        request.filters = {QStringLiteral("Tutti i file (*.*)")};
        const QString chosen = dialogs().openFile(this, request);
        if (chosen.isEmpty())
            return;
        const DocumentTarget target = prepareDocument(chosen);
        // The very file of the folder chosen again: nothing to ask or copy.
        if (target.exists && !target.sameFile && !dialogs().confirm(this, overwriteDocumentQuestion())) {
            m_slots[k].file->setText(target.name); // the file already there
            return;
        }
        if (!target.sameFile)
            copyDocument(chosen, target.path);
        // Only a name whose file is now in the folder reaches the slot.
        m_slots[k].file->setText(target.name);
    });
}

void TfrmAllegaCartella::openDocument(int k)
{
    runHandler(this, [this, k] {
        const QString path = documentPath(m_slots[k].file->text());
        if (path.isEmpty())
            return;
        TMisc::Open(QLatin1Char('"') + path + QLatin1Char('"'));
    });
}

void TfrmAllegaCartella::erase(int k) { m_slots[k].file->clear(); }

void TfrmAllegaCartella::fileChanged(int k)
{
    m_slots[k].open->setEnabled(isSafeDocumentName(m_slots[k].file->text()));
}

void TfrmAllegaCartella::btnApplicaClick()
{
    runHandler(this, [this] {
        if (!openedFromSheet(lblMemory))
            return;
        if (m_sheet) {
            Attachments a;
            for (int k = 0; k < 3; ++k) {
                a.files[k] = trimmed(m_slots[k].file->text());
                a.descriptions[k] = trimmed(m_slots[k].description->text());
            }
            m_sheet->setAttachments(a);
        }
        accept();
    });
}

void TfrmAllegaCartella::btnAnnullaClick() { reject(); }
