#include "Gui.h"

#include "app/Windows.h"
#include "base/ProgramFolder.h"
#include "shell/Avvio.h"
#include "shell/Guida.h"
#include "shell/HelpTopics.h"
#include "shell/Info.h"
#include "shell/Splash.h"
#include "store/ApriCatalogo.h"
#include "store/CreaCatalogo.h"

#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>

#include <cmath>
#include <memory>

using namespace pinakos;
using namespace pinakos::test;
using Call = FakeDialogs::Call;

namespace {

const QColor kDarkBlue(0x00, 0x00, 0x8B);
const QColor kOrange(0xFF, 0xA5, 0x00);

QColor textColour(QWidget* w) { return w->palette().color(QPalette::WindowText); }

// The relative luminance of an sRGB colour, as WCAG 2 defines it.
double luminance(const QColor& c)
{
    auto linear = [](double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
}

// The contrast of the text in an area of a picture with its ground: the ground
// is the colour most of the area has, the text the colour that stands out
// from it most.
double textContrast(const QImage& picture, const QRect& area)
{
    QHash<QRgb, int> count;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            ++count[picture.pixel(x, y)];
    QRgb ground = 0;
    for (auto it = count.cbegin(); it != count.cend(); ++it)
        if (it.value() > count.value(ground))
            ground = it.key();
    const double g = luminance(QColor(ground));
    double most = 1;
    for (auto it = count.cbegin(); it != count.cend(); ++it) {
        const double l = luminance(QColor(it.key()));
        most = std::max(most, (std::max(l, g) + 0.05) / (std::min(l, g) + 0.05));
    }
    return most;
}

// One of the three small windows, made as its opener makes it.
std::unique_ptr<QWidget> makeSmallWindow(const QString& className)
{
    QWidget* owner = windows().frmAvvio;
    if (className == QLatin1String("TfrmGuida"))
        return std::make_unique<TfrmGuida>(owner);
    if (className == QLatin1String("TfrmInfo"))
        return std::make_unique<TfrmInfo>(owner);
    return std::make_unique<TfrmSplash>(owner);
}

} // namespace

class TestShellWindows : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestBed> m_bed;

    TfrmAvvio* avvio() { return windows().frmAvvio; }
    void showStart() { moveTo(nullptr, avvio()); }

private Q_SLOTS:
    void init()
    {
        m_bed = std::make_unique<TestBed>();
        createPersistentWindows();
    }
    void cleanup()
    {
        destroyPersistentWindows();
        m_bed.reset();
    }

    // ------------------------------------------------------------ start window

    void startWindowFrame()
    {
        TfrmAvvio* w = avvio();
        QCOMPARE(w->windowTitle(), QStringLiteral(" Pinakos"));
        QCOMPARE(w->property("showMaximised").toBool(), true);
        w->show();
        w->resize(1016, 713);
        QCOMPARE(w->panContainer->size(), QSize(995, 692));
        QCOMPARE(w->panContainer->pos(), QPoint(10, 10));
        // The panel stays centred when the window grows.
        w->resize(1400, 900);
        QCOMPARE(w->panContainer->pos(), QPoint(202, 104));
    }

    void startWindowLayout_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("place");
        QTest::addColumn<bool>("hand");
        QTest::newRow("icoIcona") << "icoIcona" << QRect(86, 18, 65, 72) << false;
        QTest::newRow("icoNome") << "icoNome" << QRect(182, 26, 708, 66) << false;
        QTest::newRow("imgInfo") << "imgInfo" << QRect(14, 14, 30, 30) << true;
        QTest::newRow("imgGuida") << "imgGuida" << QRect(952, 16, 29, 28) << true;
        QTest::newRow("imgSottotitolo") << "imgSottotitolo" << QRect(17, 100, 961, 22) << false;
        QTest::newRow("imgCrea") << "imgCrea" << QRect(68, 154, 368, 368) << true;
        QTest::newRow("btnCrea") << "btnCrea" << QRect(30, 528, 442, 79) << true;
        QTest::newRow("imgApri") << "imgApri" << QRect(560, 154, 368, 368) << true;
        QTest::newRow("btnApri") << "btnApri" << QRect(522, 528, 442, 79) << true;
        QTest::newRow("imgSito") << "imgSito" << QRect(17, 628, 961, 22) << true;
        QTest::newRow("imgCopyright") << "imgCopyright" << QRect(16, 660, 23, 22) << true;
        QTest::newRow("imgEsci") << "imgEsci" << QRect(960, 662, 17, 18) << true;
    }
    void startWindowLayout()
    {
        QFETCH(QString, name);
        QFETCH(QRect, place);
        QFETCH(bool, hand);
        QWidget* c = child(avvio(), name);
        QVERIFY(c);
        QCOMPARE(placeOnPanel(c), place);
        QCOMPARE(c->cursor().shape(), hand ? Qt::PointingHandCursor : Qt::ArrowCursor);
    }

    void createAndOpenMoveOn_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<bool>("toCreation");
        QTest::newRow("imgCrea") << "imgCrea" << true;
        QTest::newRow("btnCrea") << "btnCrea" << true;
        QTest::newRow("imgApri") << "imgApri" << false;
        QTest::newRow("btnApri") << "btnApri" << false;
    }
    void createAndOpenMoveOn()
    {
        QFETCH(QString, control);
        QFETCH(bool, toCreation);
        showStart();
        QVERIFY(avvio()->isVisible());
        click(child(avvio(), control));
        QWidget* target = toCreation ? static_cast<QWidget*>(windows().frmCreaCatalogo)
                                     : static_cast<QWidget*>(windows().frmApriCatalogo);
        QVERIFY(target->isVisible());
        QVERIFY(!avvio()->isVisible());
    }

    void exitIconAndCloseEndTheProgram_data()
    {
        QTest::addColumn<bool>("byTitleBar");
        QTest::newRow("imgEsci") << false;
        QTest::newRow("title bar close") << true;
    }
    void exitIconAndCloseEndTheProgram()
    {
        QFETCH(bool, byTitleBar);
        showStart();
        const int before = endProgramRequests();
        if (byTitleBar)
            avvio()->close();
        else
            click(avvio()->imgEsci);
        QCOMPARE(endProgramRequests(), before + 1);
        QVERIFY(m_bed->dialogs.calls.isEmpty());
    }

    void siteStripOpensTheWebSite()
    {
        showStart();
        click(avvio()->imgSito);
        QCOMPARE(m_bed->dialogs.count(Call::ShellOpen), 1);
        QCOMPARE(m_bed->dialogs.last().text, QStringLiteral("https://www.example.org"));
        QVERIFY(avvio()->isVisible());
    }

    // ------------------------------------------------------------ on-demand windows

    void onDemandWindowFrames_data()
    {
        QTest::addColumn<QString>("opener");
        QTest::addColumn<QString>("className");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QSize>("client");
        QTest::newRow("help") << "imgGuida"
                              << "TfrmGuida"
                              << " Guida all'utilizzo del software" << QSize(670, 572);
        QTest::newRow("information") << "imgInfo"
                                     << "TfrmInfo"
                                     << " Informazioni su Pinakos" << QSize(473, 579);
        QTest::newRow("credits") << "imgCopyright"
                                 << "TfrmSplash"
                                 << " Pinakos - Studio Esempio" << QSize(661, 467);
    }
    void onDemandWindowFrames()
    {
        QFETCH(QString, opener);
        QFETCH(QString, className);
        QFETCH(QString, title);
        QFETCH(QSize, client);
        showStart();
        QPointer<QWidget> seen;
        QString seenClass, seenTitle;
        QSize seenSize, minSize, maxSize;
        QWidget* seenParent = nullptr;
        Qt::WindowFlags flags;
        bool visibleAfterChiudi = true;
        QString buttonText;
        whenModalShown([&](QWidget* m) {
            seen = m;
            seenClass = QString::fromLatin1(m->metaObject()->className());
            seenTitle = m->windowTitle();
            seenSize = m->size();
            minSize = m->minimumSize();
            maxSize = m->maximumSize();
            seenParent = m->parentWidget();
            flags = m->windowFlags();
            if (auto* b = m->findChild<QPushButton*>(QStringLiteral("btnChiudi"))) {
                buttonText = b->text();
                click(b);
            }
            visibleAfterChiudi = m->isVisible();
            if (m->isVisible())
                m->close();
        });
        click(child(avvio(), opener));
        QCOMPARE(seenClass, className);
        QCOMPARE(seenTitle, title);
        QCOMPARE(seenSize, client);
        QCOMPARE(minSize, client);
        QCOMPARE(maxSize, client);
        QCOMPARE(seenParent, static_cast<QWidget*>(avvio()));
        QVERIFY(flags.testFlag(Qt::CustomizeWindowHint));
        QVERIFY(flags.testFlag(Qt::WindowTitleHint));
        QVERIFY(!flags.testFlag(Qt::WindowCloseButtonHint));
        QCOMPARE(buttonText, QStringLiteral("Chiudi"));
        QVERIFY(!visibleAfterChiudi);
        // Destroyed once closed; the start window is where it was.
        QVERIFY(seen.isNull());
        QVERIFY(avvio()->isVisible());
    }

    void helpFromStartShowsTheStartTopic()
    {
        showStart();
        QString title, text;
        bool readOnly = false;
        QString afterTyping;
        whenModalShown([&](QWidget* m) {
            auto* g = qobject_cast<TfrmGuida*>(m);
            if (g) {
                title = g->lblTitolo->text();
                text = g->txtGuida->toPlainText();
                readOnly = g->txtGuida->isReadOnly();
                g->txtGuida->setFocus();
                QTest::keyClicks(g->txtGuida, QStringLiteral("xyz"));
                QTest::keyClick(g->txtGuida, Qt::Key_Backspace);
                afterTyping = g->txtGuida->toPlainText();
            }
            m->close();
        });
        click(avvio()->imgGuida);
        QCOMPARE(title, QStringLiteral("Uno sguardo a Pinakos."));
        // The text box shows each CR LF as one line break.
        QCOMPARE(text, startTopic().body().replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        QVERIFY(readOnly);
        QCOMPARE(afterTyping, text);
    }

    void helpOpenedTwiceIsFresh()
    {
        showStart();
        QPointer<QWidget> first;
        int firstScroll = 0;
        bool firstSelected = false;
        whenModalShown([&](QWidget* m) {
            first = m;
            if (auto* g = qobject_cast<TfrmGuida*>(m)) {
                g->txtGuida->selectAll();
                firstSelected = g->txtGuida->textCursor().hasSelection();
                QScrollBar* bar = g->txtGuida->verticalScrollBar();
                bar->setValue(bar->maximum());
                firstScroll = bar->value();
                click(g->btnChiudi);
            }
            if (m->isVisible())
                m->close();
        });
        showHelpTopic(avvio(), sheetTopic());
        QVERIFY(first.isNull());
        QVERIFY(firstSelected);
        QVERIFY(firstScroll > 0); // the body is longer than the box

        bool secondSelected = true;
        int secondScroll = -1;
        QString secondTitle, secondText;
        whenModalShown([&](QWidget* m) {
            if (auto* g = qobject_cast<TfrmGuida*>(m)) {
                secondSelected = g->txtGuida->textCursor().hasSelection();
                secondScroll = g->txtGuida->verticalScrollBar()->value();
                secondTitle = g->lblTitolo->text();
                secondText = g->txtGuida->toPlainText();
            }
            m->close();
        });
        showHelpTopic(avvio(), exportTopic());
        QVERIFY(!secondSelected);
        QCOMPARE(secondScroll, 0);
        QCOMPARE(secondTitle, exportTopic().title);
        QCOMPARE(secondText, exportTopic().body().replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    }

    void manualLinkOpensThePdfAndStays_data()
    {
        QTest::addColumn<QString>("control");
        QTest::newRow("text") << "lnkWeb";
        QTest::newRow("icon") << "imgPDF";
    }
    void manualLinkOpensThePdfAndStays()
    {
        QFETCH(QString, control);
        bool stillOpen = false;
        whenModalShown([&](QWidget* m) {
            if (QWidget* c = m->findChild<QWidget*>(control))
                click(c);
            stillOpen = m->isVisible();
            m->close();
        });
        showHelpTopic(avvio(), sheetTopic());
        QCOMPARE(m_bed->dialogs.count(Call::ShellOpen), 1);
        QCOMPARE(m_bed->dialogs.last().text, QStringLiteral("\"") + programFolder() + QStringLiteral("Guida.pdf\""));
        QVERIFY(m_bed->dialogs.last().text.startsWith(QStringLiteral("\"") + m_bed->folder.path()));
        QVERIFY(stillOpen);
    }

    void linkIsOrangeWhilePressed_data()
    {
        QTest::addColumn<QString>("opener");
        QTest::addColumn<QString>("pressOn");
        QTest::newRow("help, text") << "imgGuida"
                                    << "lnkWeb";
        QTest::newRow("help, icon") << "imgGuida"
                                    << "imgPDF";
        QTest::newRow("information, icon") << "imgInfo"
                                           << "imgEmail";
        QTest::newRow("credits, icon") << "imgCopyright"
                                       << "imgWeb";
    }
    void linkIsOrangeWhilePressed()
    {
        QFETCH(QString, opener);
        QFETCH(QString, pressOn);
        showStart();
        QColor atRest, pressed, released;
        whenModalShown([&](QWidget* m) {
            QWidget* link = m->findChild<QWidget*>(QStringLiteral("lnkWeb"));
            QWidget* target = m->findChild<QWidget*>(pressOn);
            if (link && target) {
                atRest = textColour(link);
                QTest::mousePress(target, Qt::LeftButton, {}, target->rect().center());
                pressed = textColour(link);
                QTest::mouseRelease(target, Qt::LeftButton, {}, target->rect().center());
                released = textColour(link);
            }
            m->close();
        });
        click(child(avvio(), opener));
        QCOMPARE(atRest, kDarkBlue);
        QCOMPARE(pressed, kOrange);
        QCOMPARE(released, kDarkBlue);
        QCOMPARE(m_bed->dialogs.count(Call::ShellOpen), 1);
    }

    void linkReleasedOutsideStaysQuiet()
    {
        QColor released;
        whenModalShown([&](QWidget* m) {
            if (auto* g = qobject_cast<TfrmGuida*>(m)) {
                QTest::mousePress(g->lnkWeb, Qt::LeftButton, {}, QPoint(2, 2));
                QTest::mouseRelease(g->lnkWeb, Qt::LeftButton, {}, QPoint(-20, -20));
                released = textColour(g->lnkWeb);
            }
            m->close();
        });
        showHelpTopic(avvio(), sheetTopic());
        QCOMPARE(released, kDarkBlue);
        QCOMPARE(m_bed->dialogs.count(Call::ShellOpen), 0);
    }

    void informationLinkStartsAnEmail_data()
    {
        QTest::addColumn<QString>("control");
        QTest::newRow("text") << "lnkWeb";
        QTest::newRow("icon") << "imgEmail";
    }
    void informationLinkStartsAnEmail()
    {
        QFETCH(QString, control);
        showStart();
        QString linkText;
        bool stillOpen = false;
        whenModalShown([&](QWidget* m) {
            if (auto* l = m->findChild<QLabel*>(QStringLiteral("lnkWeb")))
                linkText = l->text();
            if (QWidget* c = m->findChild<QWidget*>(control))
                click(c);
            stillOpen = m->isVisible();
            m->close();
        });
        click(avvio()->imgInfo);
        QCOMPARE(linkText, QStringLiteral("info@example.org"));
        QCOMPARE(m_bed->dialogs.count(Call::ShellOpen), 1);
        QCOMPARE(m_bed->dialogs.last().text,
                 QStringLiteral("\"mailto:info@example.org?subject=Software Pinakos&body=Salve, desidererei avere "
                                "le seguenti informazioni sul software in oggetto:\""));
        QVERIFY(stillOpen);
    }

    void creditsLinkOpensTheSiteBare_data()
    {
        QTest::addColumn<QString>("control");
        QTest::newRow("text") << "lnkWeb";
        QTest::newRow("globe") << "imgWeb";
    }
    void creditsLinkOpensTheSiteBare()
    {
        QFETCH(QString, control);
        showStart();
        whenModalShown([&](QWidget* m) {
            if (QWidget* c = m->findChild<QWidget*>(control))
                click(c);
            m->close();
        });
        click(avvio()->imgCopyright);
        QCOMPARE(m_bed->dialogs.count(Call::ShellOpen), 1);
        QCOMPARE(m_bed->dialogs.last().text, QStringLiteral("https://www.example.org"));
    }

    // Every control of the three small windows: place and size on the panel
    // (on the window where the control stands outside the panel), hand cursor.
    // A width of -1 checks the place only (labels sized to their text).
    void onDemandLayout_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("place");
        QTest::addColumn<bool>("onPanel");
        QTest::addColumn<bool>("hand");
        const QString help = QStringLiteral("TfrmGuida"), info = QStringLiteral("TfrmInfo"),
                      credits = QStringLiteral("TfrmSplash");
        QTest::newRow("help panel") << help << "panContainer" << QRect(14, 16, 642, 540) << false << false;
        QTest::newRow("help header") << help << "shpIntestazione" << QRect(8, 8, 625, 89) << true << false;
        QTest::newRow("help imgLogo") << help << "imgLogo" << QRect(24, 16, 587, 69) << true << false;
        QTest::newRow("help lblTitolo") << help << "lblTitolo" << QRect(8, 104, -1, 0) << true << false;
        QTest::newRow("help txtGuida") << help << "txtGuida" << QRect(8, 128, 625, 350) << true << false;
        QTest::newRow("help imgPDF") << help << "imgPDF" << QRect(8, 496, 27, 27) << true << true;
        QTest::newRow("help lnkWeb") << help << "lnkWeb" << QRect(44, 500, -1, 0) << true << true;
        QTest::newRow("help btnChiudi") << help << "btnChiudi" << QRect(472, 490, 161, 38) << true << true;
        QTest::newRow("info panel") << info << "panContainer" << QRect(15, 15, 442, 490) << false << false;
        QTest::newRow("info header") << info << "shpIntestazione" << QRect(8, 8, 425, 72) << true << false;
        QTest::newRow("info btnChiudi") << info << "btnChiudi" << QRect(15 + 280, 15 + 504, 161, 41) << false << true;
        QTest::newRow("info imgEmail") << info << "imgEmail" << QRect(15, 531, 23, 16) << false << true;
        QTest::newRow("info lnkWeb") << info << "lnkWeb" << QRect(46, 528, -1, 0) << false << true;
        QTest::newRow("credits panel") << credits << "panContainer" << QRect(9, 9, 642, 448) << false << false;
        QTest::newRow("credits imgLogo") << credits << "imgLogo" << QRect(8, 8, 625, 380) << true << false;
        QTest::newRow("credits btnChiudi") << credits << "btnChiudi" << QRect(473, 402, 160, 34) << true << true;
        QTest::newRow("credits imgWeb") << credits << "imgWeb" << QRect(8, 400, 39, 36) << true << true;
        QTest::newRow("credits lnkWeb") << credits << "lnkWeb" << QRect(54, 409, -1, 0) << true << true;
    }
    void onDemandLayout()
    {
        QFETCH(QString, window);
        QFETCH(QString, name);
        QFETCH(QRect, place);
        QFETCH(bool, onPanel);
        QFETCH(bool, hand);
        std::unique_ptr<QWidget> w = makeSmallWindow(window);
        QWidget* c = child(w.get(), name);
        QVERIFY(c);
        const QRect seen = onPanel ? placeOnPanel(c) : c->geometry();
        if (place.width() < 0)
            QCOMPARE(seen.topLeft(), place.topLeft());
        else
            QCOMPARE(seen, place);
        // Nothing sticks out of the client area.
        QVERIFY(w->rect().contains(QRect(c->mapTo(w.get(), QPoint()), c->size())));
        QCOMPARE(c->cursor().shape(), hand ? Qt::PointingHandCursor : Qt::ArrowCursor);
    }

    void informationLogoInItsHeader()
    {
        TfrmInfo info;
        QCOMPARE(info.imgLogo->size(), QSize(392, 54));
        QVERIFY(info.shpIntestazione->geometry().contains(info.imgLogo->geometry()));
    }

    void smallWindowTexts_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("family");
        QTest::addColumn<int>("pixels");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<bool>("underline");
        QTest::addColumn<QColor>("colour");
        const QColor crimson(0xDC, 0x14, 0x3C), none;
        QTest::newRow("help lblTitolo") << "TfrmGuida"
                                        << "lblTitolo"
                                        << "Argomento della guida."
                                        << "Arial" << 16 << true << false << crimson;
        QTest::newRow("help txtGuida") << "TfrmGuida"
                                       << "txtGuida"
                                       << ""
                                       << "Verdana" << 12 << true << false << none;
        QTest::newRow("help lnkWeb") << "TfrmGuida"
                                     << "lnkWeb"
                                     << "Visualizza guida in formato PDF"
                                     << "Tahoma" << 14 << false << true << kDarkBlue;
        QTest::newRow("help btnChiudi") << "TfrmGuida"
                                        << "btnChiudi"
                                        << "Chiudi"
                                        << "Verdana" << 12 << false << false << none;
        QTest::newRow("info lnkWeb") << "TfrmInfo"
                                     << "lnkWeb"
                                     << "info@example.org"
                                     << "Tahoma" << 14 << false << true << kDarkBlue;
        QTest::newRow("info btnChiudi") << "TfrmInfo"
                                        << "btnChiudi"
                                        << "Chiudi"
                                        << "Verdana" << 12 << false << false << none;
        QTest::newRow("credits lnkWeb") << "TfrmSplash"
                                        << "lnkWeb"
                                        << "www.example.org"
                                        << "Tahoma" << 14 << false << true << kDarkBlue;
        QTest::newRow("credits btnChiudi") << "TfrmSplash"
                                           << "btnChiudi"
                                           << "Chiudi"
                                           << "Verdana" << 12 << false << false << none;
    }
    void smallWindowTexts()
    {
        QFETCH(QString, window);
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QString, family);
        QFETCH(int, pixels);
        QFETCH(bool, bold);
        QFETCH(bool, underline);
        QFETCH(QColor, colour);
        std::unique_ptr<QWidget> w = makeSmallWindow(window);
        QWidget* c = child(w.get(), name);
        QVERIFY(c);
        if (auto* t = qobject_cast<QPlainTextEdit*>(c))
            QCOMPARE(t->toPlainText(), text);
        else
            QCOMPARE(c->property("text").toString(), text);
        QCOMPARE(c->font().family(), family);
        QCOMPARE(c->font().pixelSize(), pixels);
        QCOMPARE(c->font().bold(), bold);
        QCOMPARE(c->font().underline(), underline);
        if (colour.isValid())
            QCOMPARE(textColour(c), colour);
    }

    // The background runs from the top colour to the bottom one.
    void gradients_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QColor>("top");
        QTest::addColumn<QColor>("bottom");
        QTest::newRow("start") << "TfrmAvvio" << QColor(0x67, 0x92, 0xB7) << QColor(Qt::white);
        QTest::newRow("help") << "TfrmGuida" << QColor(Qt::white) << QColor(0xBF, 0xD8, 0xEF);
        QTest::newRow("information") << "TfrmInfo" << QColor(Qt::black) << QColor(Qt::white);
        QTest::newRow("credits") << "TfrmSplash" << QColor(Qt::white) << QColor(0x35, 0x25, 0x25);
    }
    void gradients()
    {
        QFETCH(QString, window);
        QFETCH(QColor, top);
        QFETCH(QColor, bottom);
        std::unique_ptr<QWidget> owned;
        QWidget* w = avvio();
        if (window != QLatin1String("TfrmAvvio")) {
            owned = makeSmallWindow(window);
            w = owned.get();
        } else {
            w->resize(1016, 713);
        }
        const QImage img = w->grab().toImage();
        const auto near = [](QColor a, QColor b) {
            return qAbs(a.red() - b.red()) <= 3 && qAbs(a.green() - b.green()) <= 3 && qAbs(a.blue() - b.blue()) <= 3;
        };
        const QColor seenTop = img.pixelColor(1, 0), seenBottom = img.pixelColor(1, img.height() - 1);
        QVERIFY2(near(seenTop, top), qPrintable(seenTop.name()));
        QVERIFY2(near(seenBottom, bottom), qPrintable(seenBottom.name()));
    }

    // The links and addresses of the information and credits windows read on
    // what is behind them: contrast 4.5:1 at least. An area is a control, or
    // a part of a picture in the picture's own coordinates.
    void addressesReadOnTheirGround_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("part");
        QTest::newRow("credits link") << "TfrmSplash"
                                      << "lnkWeb" << QRect();
        QTest::newRow("credits, address in the picture") << "TfrmSplash"
                                                         << "imgLogo" << QRect(250, 355, 125, 15);
        QTest::newRow("credits, maker's line in the picture") << "TfrmSplash"
                                                              << "imgLogo" << QRect(255, 306, 115, 16);
        QTest::newRow("information link") << "TfrmInfo"
                                          << "lnkWeb" << QRect();
        QTest::newRow("information, maker and address") << "TfrmInfo"
                                                        << "lblProduttore" << QRect();
    }
    void addressesReadOnTheirGround()
    {
        QFETCH(QString, window);
        QFETCH(QString, name);
        QFETCH(QRect, part);
        std::unique_ptr<QWidget> w = makeSmallWindow(window);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        QWidget* c = child(w.get(), name);
        QVERIFY(c);
        const QImage grab = w->grab().toImage();
        const QRect area = part.isNull() ? c->rect() : part;
        const QRect inWindow(c->mapTo(w.get(), area.topLeft()), area.size());
        QVERIFY(grab.rect().contains(inWindow));
        const double contrast = textContrast(grab, inWindow);
        QVERIFY2(contrast >= 4.5, qPrintable(QString::number(contrast)));
    }

    void startWindowBackground()
    {
        QCOMPARE(avvio()->shpSfondo->size(), QSize(986, 684));
        QVERIFY(QRect(QPoint(0, 0), avvio()->panContainer->size()).contains(avvio()->shpSfondo->geometry()));
    }

    // Help and information stand in the middle of the screen, the credits in
    // the middle of the start window, wherever that is.
    void smallWindowsCentred_data()
    {
        QTest::addColumn<QString>("opener");
        QTest::addColumn<bool>("overStart");
        QTest::newRow("help") << "imgGuida" << false;
        QTest::newRow("information") << "imgInfo" << false;
        QTest::newRow("credits") << "imgCopyright" << true;
    }
    void smallWindowsCentred()
    {
        QFETCH(QString, opener);
        QFETCH(bool, overStart);
        showStart();
        avvio()->showNormal();
        avvio()->setGeometry(40, 30, 1016, 713);
        QTRY_COMPARE(avvio()->geometry().topLeft(), QPoint(40, 30));
        QPoint centre, expected;
        whenModalShown([&](QWidget* m) {
            centre = m->frameGeometry().center();
            expected = overStart ? avvio()->frameGeometry().center() : m->screen()->availableGeometry().center();
            m->close();
        });
        click(child(avvio(), opener));
        QVERIFY(avvio()->frameGeometry().center() != avvio()->screen()->availableGeometry().center());
        QVERIFY2((centre - expected).manhattanLength() <= 2,
                 qPrintable(QStringLiteral("%1,%2 instead of %3,%4")
                                .arg(centre.x())
                                .arg(centre.y())
                                .arg(expected.x())
                                .arg(expected.y())));
    }
};

QTEST_MAIN(TestShellWindows)
#include "test_shellwindows.moc"
