#include "ManualPictures.h"

#include "access/CambiaPassword.h"
#include "access/Password.h"
#include "app/Windows.h"
#include "backup/Backup.h"
#include "backup/Bin.h"
#include "backup/Copie.h"
#include "base/Format.h"
#include "base/ProgramFolder.h"
#include "checkers/CodFisc.h"
#include "checkers/PartitaIVA.h"
#include "kit/Dialogs.h"
#include "kit/Layout.h"
#include "kit/PhotoView.h"
#include "output/Documenti.h"
#include "output/ExpOpere.h"
#include "output/Slideshow.h"
#include "output/StampaOpera.h"
#include "search/Opere_Disponibili.h"
#include "search/TrovaOpere.h"
#include "sheet/AllegaCartella.h"
#include "sheet/Opere.h"
#include "sheet/Photo.h"
#include "sheet/Zoom.h"
#include "shell/Avvio.h"
#include "store/ApriCatalogo.h"
#include "store/Archive.h"
#include "store/Catalogs.h"
#include "store/Codec1252.h"
#include "store/CreaCatalogo.h"
#include "store/Importa.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QIcon>
#include <QImageWriter>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPainterPath>
#include <QPrinter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimer>
#include <QtMath>

#include <cstdio>
#include <functional>

namespace pinakos::manual {

namespace {

// Nothing waits for a person while the pictures are taken: a message is
// written to the build log, every question is answered no.
class QuietDialogs : public Dialogs
{
public:
    void notify(QWidget*, Kind, const QString& text) override
    {
        std::fprintf(stderr, "make_manual: a window said: %s\n", qPrintable(text));
    }
    bool confirm(QWidget*, const QString&) override { return false; }
    QString openFile(QWidget*, const FileDialogRequest&) override { return {}; }
    QString saveFile(QWidget*, const FileDialogRequest&) override { return {}; }
    bool print(QWidget*, QPrinter&) override { return false; }
    void shellOpen(const QString&) override {}
};

const QString kCatalog = QStringLiteral("Paesaggi italiani dell'Ottocento");

TSchedaOpera work(const QStringList& values, bool sold)
{
    static const Campo order[] = {Campo::Capo,     Campo::Descrizione, Campo::Colore,  Campo::Tessuto,
                                  Campo::Misure,   Campo::Peso,        Campo::Usura,   Campo::Difetti,
                                  Campo::Servizio, Campo::Specifiche,  Campo::Cliente, Campo::CodFisc,
                                  Campo::Recapito, Campo::Note,        Campo::Prezzo};
    TSchedaOpera r;
    for (int i = 0; i < values.size() && i < int(std::size(order)); ++i)
        r.setText(order[i], values.at(i));
    r.setVenduta(sold);
    return r;
}

void writeCatalog(const QString& name, const QList<TSchedaOpera>& records)
{
    Archive a(programFolder() + name + QStringLiteral(".art"));
    for (const TSchedaOpera& r : records)
        a.append(r);
    a.close();
}

// The sample program folder: four catalogs, the first with five works and
// the photo of the first one.
void writeSampleFolder()
{
    TSchedaOpera first =
        work({QStringLiteral("Tramonto sul lago"), QStringLiteral("Lago tra le colline al calar del sole"),
              QStringLiteral("Giulio Ferrante"), QStringLiteral("1874"), QStringLiteral("Italia"),
              QStringLiteral("Olio su tela"), QStringLiteral("Romanticismo"), QStringLiteral("60 x 90 cm"),
              QStringLiteral("Tela"), QStringLiteral("Collezione privata, Firenze"), QStringLiteral("Mario Rossi"),
              QStringLiteral("RSSMRA80A01H501U"), QStringLiteral("055 123456"),
              QStringLiteral("Esposto alla mostra del paesaggio toscano, 1998"), QStringLiteral("12500,00")},
             false);
    first.setText(Campo::File01, QStringLiteral("Certificato di autenticità.pdf"));
    first.setText(Campo::Desc01, QStringLiteral("Certificato di autenticità"));
    first.setText(Campo::File02, QStringLiteral("Recensione.pdf"));
    first.setText(Campo::Desc02, QStringLiteral("Recensione della mostra"));
    writeCatalog(
        kCatalog,
        {first,
         work({QStringLiteral("Mattino in Maremma"), QStringLiteral("Butteri e mandrie al pascolo"),
               QStringLiteral("Anna Valeri"), QStringLiteral("1881"), QStringLiteral("Italia"),
               QStringLiteral("Olio su tavola"), QStringLiteral("Macchiaioli"), QStringLiteral("40 x 70 cm"),
               QStringLiteral("Tavola"), QStringLiteral("Galleria Belvedere"), QStringLiteral("Galleria Belvedere"),
               QString(), QString(), QString(), QStringLiteral("8900,00")},
              true),
         work({QStringLiteral("Vigneti d'autunno"), QStringLiteral("Colline coltivate a vite"),
               QStringLiteral("Giulio Ferrante"), QStringLiteral("1879"), QStringLiteral("Italia"),
               QStringLiteral("Acquerello"), QStringLiteral("Romanticismo"), QStringLiteral("30 x 45 cm"),
               QStringLiteral("Carta"), QStringLiteral("Collezione privata, Siena"), QStringLiteral("Laura Bianchi"),
               QString(), QString(), QString(), QStringLiteral("3200,00")},
              false),
         work({QStringLiteral("Il borgo sul fiume"), QStringLiteral("Case e ponte di pietra"),
               QStringLiteral("Carlo Moretti"), QStringLiteral("1868"), QStringLiteral("Italia"),
               QStringLiteral("Olio su tela"), QStringLiteral("Verismo"), QStringLiteral("50 x 65 cm"),
               QStringLiteral("Tela"), QStringLiteral("Museo civico"), QStringLiteral("Museo civico"), QString(),
               QString(), QString(), QStringLiteral("15000,00")},
              true),
         work({QStringLiteral("Neve sull'Appennino"), QStringLiteral("Paese di montagna d'inverno"),
               QStringLiteral("Anna Valeri"), QStringLiteral("1890"), QStringLiteral("Italia"),
               QStringLiteral("Tempera"), QStringLiteral("Verismo"), QStringLiteral("35 x 50 cm"),
               QStringLiteral("Cartone"), QStringLiteral("Collezione privata, Bologna"), QStringLiteral("Paolo Neri"),
               QString(), QString(), QString(), QStringLiteral("4700,00")},
              false)});
    writeCatalog(QStringLiteral("Marine e vedute costiere"), {});
    writeCatalog(QStringLiteral("Nature morte del Seicento"), {});
    writeCatalog(QStringLiteral("Ritratti di famiglia"), {});

    QDir().mkpath(photoFolder());
    QImageWriter photo(photoPath(kCatalog, 1), "jpeg");
    photo.setQuality(90);
    if (!photo.write(samplePainting(QSize(900, 600))))
        std::fprintf(stderr, "make_manual: cannot write the sample photo\n");
}

void settle()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

// The client area as grabbed, in a plain frame with the window's title.
QImage framed(QWidget* w)
{
    settle();
    const QImage client = w->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const int border = 1, bar = 30;
    QImage out(client.width() + 2 * border, client.height() + bar + border, QImage::Format_RGB32);
    out.fill(QColor(0x5A, 0x6B, 0x7D));
    QPainter p(&out);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, bar);
    g.setColorAt(0, QColor(0x3C, 0x5A, 0x7E));
    g.setColorAt(1, QColor(0x2C, 0x44, 0x62));
    p.fillRect(QRect(0, 0, out.width(), bar), g);
    const QIcon icon = QApplication::windowIcon();
    if (!icon.isNull())
        p.drawPixmap(QRect(8, 6, 18, 18), icon.pixmap(18, 18));
    p.setPen(Qt::white);
    p.setFont(appFont(QStringLiteral("Verdana"), 13));
    p.drawText(QRect(32, 0, out.width() - 40, bar), Qt::AlignVCenter | Qt::AlignLeft, w->windowTitle().trimmed());
    p.drawImage(border, bar, client);
    return out;
}

// Shows a window, takes its picture and hides it again.
QImage shot(QWidget* w, const std::function<void()>& afterShow = {})
{
    w->show();
    settle();
    if (afterShow)
        afterShow();
    const QImage picture = framed(w);
    w->hide();
    settle();
    return picture;
}

// An on-demand window over the sheet, filled in as the sheet does.
template <class Form>
QImage onDemand(TfrmOpere* sheet, const std::function<void(Form&)>& fill,
                const std::function<void(Form&)>& afterShow = {})
{
    Form f(sheet);
    fill(f);
    return shot(&f, [&] {
        if (afterShow)
            afterShow(f);
    });
}

} // namespace

QImage samplePainting(const QSize& size)
{
    const int w = size.width(), h = size.height();
    QImage img(size, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const int frame = std::max(8, w / 28);
    const QRectF canvas(frame, frame, w - 2 * frame, h - 2 * frame);
    const qreal cw = canvas.width(), ch = canvas.height();
    auto at = [&](qreal x, qreal y) { return QPointF(canvas.left() + x * cw, canvas.top() + y * ch); };

    // Sky at sunset.
    QLinearGradient sky(at(0, 0), at(0, 0.62));
    sky.setColorAt(0, QColor(0x2E, 0x5C, 0x8F));
    sky.setColorAt(0.45, QColor(0xC9, 0x8B, 0x7B));
    sky.setColorAt(0.8, QColor(0xF4, 0xB8, 0x6E));
    sky.setColorAt(1, QColor(0xF9, 0xDC, 0x9A));
    p.fillRect(canvas, sky);

    // The sun low over the hills.
    const QPointF sun = at(0.66, 0.5);
    QRadialGradient glow(sun, ch * 0.35);
    glow.setColorAt(0, QColor(255, 240, 190, 230));
    glow.setColorAt(0.15, QColor(255, 220, 150, 160));
    glow.setColorAt(1, QColor(255, 200, 120, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(sun, ch * 0.35, ch * 0.35);
    p.setBrush(QColor(0xFF, 0xF1, 0xC8));
    p.drawEllipse(sun, ch * 0.05, ch * 0.05);

    // Hills, farthest first: a ridge line of a few waves each.
    struct Ridge
    {
        qreal base, amp, freq, phase;
        QColor colour;
    };
    const Ridge ridges[] = {{0.50, 0.07, 2.1, 0.3, QColor(0x8E, 0x86, 0xA8)},
                            {0.56, 0.06, 3.3, 1.7, QColor(0x6E, 0x74, 0x8C)},
                            {0.63, 0.05, 1.6, 4.1, QColor(0x4F, 0x63, 0x4A)}};
    for (const Ridge& r : ridges) {
        QPainterPath path(at(0, 1));
        for (int i = 0; i <= 60; ++i) {
            const qreal x = i / 60.0;
            const qreal y =
                r.base - r.amp * (0.6 * qSin(x * r.freq * M_PI + r.phase) + 0.4 * qSin(x * r.freq * 2.7 * M_PI));
            path.lineTo(at(x, y));
        }
        path.lineTo(at(1, 1));
        path.closeSubpath();
        p.setBrush(r.colour);
        p.drawPath(path);
    }

    // The lake with the sun's reflection.
    const QRectF lake(at(0, 0.68), at(1, 1));
    QLinearGradient water(lake.topLeft(), lake.bottomLeft());
    water.setColorAt(0, QColor(0xD9, 0xA8, 0x78));
    water.setColorAt(0.35, QColor(0x6F, 0x86, 0x9E));
    water.setColorAt(1, QColor(0x2F, 0x47, 0x5E));
    p.fillRect(lake, water);
    QRandomGenerator rng(1874);
    for (int i = 0; i < 70; ++i) {
        const qreal y = 0.69 + 0.3 * rng.generateDouble();
        const qreal spread = 0.02 + 0.12 * (y - 0.68);
        const qreal x = 0.66 + (rng.generateDouble() - 0.5) * spread * 2;
        p.setPen(QPen(QColor(255, 228, 170, 150), std::max(1.0, ch / 260)));
        p.drawLine(at(x - spread / 2, y), at(x + spread / 2, y));
    }

    // The near shore and its cypresses.
    QPainterPath shore(at(0, 1));
    shore.lineTo(at(0, 0.78));
    shore.cubicTo(at(0.12, 0.74), at(0.25, 0.8), at(0.38, 0.86));
    shore.cubicTo(at(0.45, 0.92), at(0.5, 0.97), at(0.52, 1));
    shore.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x33, 0x45, 0x2B));
    p.drawPath(shore);
    const qreal cypress[][2] = {{0.06, 0.34}, {0.11, 0.42}, {0.17, 0.3}, {0.24, 0.26}};
    for (const auto& c : cypress) {
        const QPointF foot = at(c[0], 0.8);
        const qreal height = c[1] * ch, width = height * 0.16;
        QPainterPath tree(foot);
        tree.cubicTo(foot + QPointF(-width, -height * 0.3), foot + QPointF(-width * 0.4, -height * 0.8),
                     foot + QPointF(0, -height));
        tree.cubicTo(foot + QPointF(width * 0.4, -height * 0.8), foot + QPointF(width, -height * 0.3), foot);
        p.setBrush(QColor(0x1F, 0x33, 0x22));
        p.drawPath(tree);
    }

    // Brush strokes over the whole canvas, in the colour already there.
    const QImage base = img.copy();
    for (int i = 0; i < 2600; ++i) {
        const QPointF pt = at(rng.generateDouble(), rng.generateDouble());
        QColor c = base.pixelColor(int(pt.x()), int(pt.y()));
        c = c.lighter(92 + rng.bounded(18));
        c.setAlpha(110);
        p.setPen(QPen(c, std::max(1.5, ch / 140), Qt::SolidLine, Qt::RoundCap));
        const qreal angle = (rng.generateDouble() - 0.5) * 0.8;
        const qreal len = ch / 60 + rng.generateDouble() * ch / 40;
        p.drawLine(pt, pt + QPointF(qCos(angle) * len, qSin(angle) * len));
    }

    // The gilded frame.
    const QRectF outer(0, 0, w, h);
    QLinearGradient gold(outer.topLeft(), outer.bottomRight());
    gold.setColorAt(0, QColor(0xE8, 0xC5, 0x6B));
    gold.setColorAt(0.5, QColor(0x9C, 0x6F, 0x1E));
    gold.setColorAt(1, QColor(0xD9, 0xB2, 0x55));
    QPainterPath ring;
    ring.addRect(outer);
    ring.addRect(canvas);
    p.setPen(Qt::NoPen);
    p.setBrush(gold);
    p.drawPath(ring);
    p.setPen(QPen(QColor(0x5E, 0x41, 0x10), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(canvas.adjusted(-1, -1, 1, 1));
    p.drawRect(outer.adjusted(1, 1, -1, -1));
    return img;
}

QList<WindowPicture> windowPictures()
{
    QTemporaryDir folder;
    if (!folder.isValid()) {
        std::fprintf(stderr, "make_manual: no temporary folder for the pictures\n");
        return {};
    }
    QuietDialogs quiet;
    setDialogs(&quiet);
    setProgramFolder(folder.path());
    applyFormatSettings();
    QApplication::setWindowIcon(QIcon(art("pinakos")));
    writeSampleFolder();

    QList<WindowPicture> out;
    auto add = [&out](const char* key, const QString& caption, const QImage& image) {
        out.append({QString::fromLatin1(key), caption, image});
    };

    createPersistentWindows();
    Windows& w = windows();
    add("password", QStringLiteral("La finestra di accesso"),
        shot(w.frmPassword, [&] { w.frmPassword->txtPassword->setText(QStringLiteral("PINAKOS")); }));
    add("cambiapassword", QStringLiteral("La finestra Cambia password"), shot(w.frmCambiaPassword));
    add("avvio", QStringLiteral("La finestra di avvio"), shot(w.frmAvvio));
    add("crea", QStringLiteral("La creazione di un nuovo catalogo"), shot(w.frmCreaCatalogo, [&] {
            w.frmCreaCatalogo->txtFile->setText(QStringLiteral("Marine e vedute dell'Ottocento"));
        }));
    // The user has clicked the catalog to open.
    add("apri", QStringLiteral("L'apertura di un catalogo esistente"), shot(w.frmApriCatalogo, [&] {
            const QList<QListWidgetItem*> found = w.frmApriCatalogo->lstFiles->findItems(kCatalog, Qt::MatchStartsWith);
            if (!found.isEmpty())
                w.frmApriCatalogo->lstFiles->setCurrentItem(found.first());
        }));

    // The sheet stays up behind the on-demand windows that open over it.
    TfrmOpere* sheet = w.frmOpere;
    sheet->openCatalog(programFolder() + kCatalog + QStringLiteral(".art"), kCatalog);
    sheet->show();
    settle();
    sheet->cmdPrimoClick();
    add("opere", QStringLiteral("La scheda di un'opera con la sua foto"), framed(sheet));
    add("zoom", QStringLiteral("La foto dell'opera a tutto schermo"),
        onDemand<TfrmZoom>(sheet, [&](TfrmZoom& f) { f.setPhoto(sheet->imgFoto->photo()); }));
    add("codfisc", QStringLiteral("La verifica del codice fiscale"),
        onDemand<TfrmCodFisc>(
            sheet, [&](TfrmCodFisc& f) { f.setCode(sheet->txtCodFisc->text()); },
            [](TfrmCodFisc& f) { f.txtCodFisc->deselect(); }));
    add("partitaiva", QStringLiteral("La verifica della partita IVA"),
        onDemand<TfrmPartitaIva>(sheet, [](TfrmPartitaIva& f) { f.setCode(QStringLiteral("12345678903")); }));
    add("trova", QStringLiteral("La ricerca delle schede"),
        onDemand<TfrmTrovaOpere>(
            sheet, [&](TfrmTrovaOpere& f) { f.setSheet(sheet); },
            [](TfrmTrovaOpere& f) { f.txtColore->setText(QStringLiteral("Ferrante")); }));
    add("allega", QStringLiteral("I documenti allegati alla scheda"),
        onDemand<TfrmAllegaCartella>(sheet, [&](TfrmAllegaCartella& f) { f.setSheet(sheet, sheet->attachments()); }));
    add("disponibili", QStringLiteral("L'elenco delle opere non vendute"),
        onDemand<TfrmOpere_Disponibili>(sheet, [&](TfrmOpere_Disponibili& f) { f.setSheet(sheet); }));
    add("slideshow", QStringLiteral("Lo Slide show"),
        onDemand<TfrmSlideshow>(
            sheet, [&](TfrmSlideshow& f) { f.setCatalog(sheet->catalogPath(), sheet->catalogName()); },
            [](TfrmSlideshow& f) {
                f.Timer->stop();
                f.cmdAvantiClick();
                f.Timer->stop();
            }));
    add("stampa", QStringLiteral("La stampa della scheda"),
        onDemand<TfrmStampaOpera>(sheet, [&](TfrmStampaOpera& f) { f.setSheet(sheet); }));
    add("esporta", QStringLiteral("L'esportazione dell'inventario"),
        onDemand<TfrmExpOpere>(sheet, [&](TfrmExpOpere& f) { f.setSheet(sheet); }));
    add("documenti", QStringLiteral("I documenti dell'opera e del catalogo"),
        onDemand<TfrmDocumenti>(
            sheet, [&](TfrmDocumenti& f) { f.setSheet(sheet); },
            [](TfrmDocumenti& f) { f.cboDocumento->setCurrentIndex(2); }));
    sheet->hide();
    settle();

    // The backup window over the start window, with a copy made and a
    // catalog in the bin.
    {
        const QString copies = folder.path() + QStringLiteral("/Copie di sicurezza");
        QDir().mkpath(copies);
        backup::Settings s;
        s.folder = copies;
        backup::saveSettings(programFolder(), s);
        backup::copyNow(programFolder(), backup::Kind::Manual, QDateTime(QDate(2026, 3, 14), QTime(18, 30, 5)));
        const QString gone = programFolder() + QStringLiteral("Vecchio inventario.art");
        createCatalog(gone);
        bin::moveToBin(programFolder(), gone, QDateTime(QDate(2026, 3, 20), QTime(10, 15)));
        w.frmAvvio->show();
        settle();
        TfrmCopie f(w.frmAvvio);
        // The folder as a user's stick shows it, not the temporary one.
        add("copie", QStringLiteral("Le copie di sicurezza"),
            shot(&f, [&] { f.lblCartella->setText(QStringLiteral("/media/utente/CHIAVETTA/Copie di sicurezza")); }));
        w.frmAvvio->hide();
        settle();
    }

    // The import window with a spreadsheet read and its columns matched.
    {
        const QString csv = folder.path() + QStringLiteral("/Collezione.csv");
        QFile f(csv);
        if (f.open(QIODevice::WriteOnly))
            f.write(toWindows1252(QStringLiteral(
                "Titolo;Autore;Anno;Tecnica;Dimensioni;Prezzo;Venduta;Foto\r\n"
                "Veduta del porto;Giovanni Ferri;1921;Olio su tela;60 x 80 cm;4.500,00;no;porto.jpg\r\n"
                "Ritratto di signora;Anna Conti;1934;Pastello;45 x 35 cm;2.800,00;s\u00EC;ritratto.jpg\r\n"
                "Campi di grano;Luigi Bassi;1958;Olio su tavola;50 x 70 cm;3.200,00;no;grano.jpg\r\n"
                "Natura morta con brocca;Elena Riva;1962;Acquerello;30 x 40 cm;950,00;no;brocca.jpg\r\n"
                "Il mercato;Paolo Sarti;1975;Tempera;70 x 100 cm;6.100,00;s\u00EC;mercato.jpg\r\n")));
        f.close();
        w.frmAvvio->show();
        settle();
        TfrmImporta imp(w.frmAvvio);
        imp.setTarget(catalogPathOfName(QStringLiteral("Collezione")), QStringLiteral("Collezione"), true);
        imp.loadFile(csv);
        add("importa", QStringLiteral("L'importazione da un foglio di calcolo"), shot(&imp, [&] {
                imp.lblFile->setText(QStringLiteral("C:\\Users\\utente\\Documenti\\Collezione.csv"));
                imp.txtCartellaFoto->setText(QStringLiteral("C:\\Users\\utente\\Immagini\\Collezione"));
            }));
        w.frmAvvio->hide();
        settle();
    }

    destroyPersistentWindows();
    setProgramFolder(QString());
    setDialogs(nullptr);
    return out;
}

} // namespace pinakos::manual
