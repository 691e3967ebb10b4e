#include "FakeDialogs.h"
#include "Gui.h"
#include "TempFolder.h"

#include "app/ProgramFolder.h"
#include "app/Windows.h"
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
#include <QScrollBar>
#include <QTest>

#include <memory>

using namespace pinakos;
using namespace pinakos::test;
using Call = FakeDialogs::Call;

namespace {

const QColor kDarkBlue(0x00, 0x00, 0x8B);
const QColor kOrange(0xFF, 0xA5, 0x00);

QColor textColour(QWidget* w) { return w->palette().color(QPalette::WindowText); }

} // namespace

class TestShellWindows : public QObject
{
    Q_OBJECT

    std::unique_ptr<TempFolder> m_folder;
    std::unique_ptr<FakeDialogs> m_dialogs;

    TfrmAvvio* avvio() { return windows().frmAvvio; }
    void showStart() { moveTo(nullptr, avvio()); }

private Q_SLOTS:
    void init()
    {
        m_folder = std::make_unique<TempFolder>();
        m_dialogs = std::make_unique<FakeDialogs>();
        createPersistentWindows();
    }
    void cleanup()
    {
        destroyPersistentWindows();
        m_dialogs.reset();
        m_folder.reset();
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
        QTest::newRow("imgCrea") << "imgCrea" << QRect(68, 154, 368, 368) << true;
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
        QVERIFY(m_dialogs->calls.isEmpty());
    }

    void siteStripOpensTheWebSite()
    {
        showStart();
        click(avvio()->imgSito);
        QCOMPARE(m_dialogs->count(Call::ShellOpen), 1);
        QCOMPARE(m_dialogs->last().text, QStringLiteral("https://www.example.org"));
        QVERIFY(avvio()->isVisible());
    }

    // ------------------------------------------------------------ on-demand windows

    void onDemandWindowFrames_data()
    {
        QTest::addColumn<QString>("opener");
        QTest::addColumn<QString>("className");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QSize>("client");
        QTest::newRow("help") << "imgGuida" << "TfrmGuida" << " Guida all'utilizzo del software" << QSize(670, 572);
        QTest::newRow("information") << "imgInfo" << "TfrmInfo" << " Informazioni su Pinakos" << QSize(473, 579);
        QTest::newRow("credits") << "imgCopyright" << "TfrmSplash" << " Pinakos - Studio Esempio" << QSize(661, 467);
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
        QVERIFY(firstScroll > 0);   // the body is longer than the box

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
        QCOMPARE(m_dialogs->count(Call::ShellOpen), 1);
        QCOMPARE(m_dialogs->last().text, QStringLiteral("\"") + programFolder() + QStringLiteral("Guida.pdf\""));
        QVERIFY(m_dialogs->last().text.startsWith(QStringLiteral("\"") + m_folder->path()));
        QVERIFY(stillOpen);
    }

    void linkIsOrangeWhilePressed_data()
    {
        QTest::addColumn<QString>("opener");
        QTest::addColumn<QString>("pressOn");
        QTest::newRow("help, text") << "imgGuida" << "lnkWeb";
        QTest::newRow("help, icon") << "imgGuida" << "imgPDF";
        QTest::newRow("information, icon") << "imgInfo" << "imgEmail";
        QTest::newRow("credits, icon") << "imgCopyright" << "imgWeb";
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
        QCOMPARE(m_dialogs->count(Call::ShellOpen), 1);
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
        QCOMPARE(m_dialogs->count(Call::ShellOpen), 0);
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
        QCOMPARE(m_dialogs->count(Call::ShellOpen), 1);
        QCOMPARE(m_dialogs->last().text,
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
        QCOMPARE(m_dialogs->count(Call::ShellOpen), 1);
        QCOMPARE(m_dialogs->last().text, QStringLiteral("https://www.example.org"));
    }

    void onDemandLayout_data()
    {
        QTest::addColumn<QString>("opener");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("place");
        QTest::newRow("help txtGuida") << "imgGuida" << "txtGuida" << QRect(8, 128, 625, 350);
        QTest::newRow("help imgPDF") << "imgGuida" << "imgPDF" << QRect(8, 496, 27, 27);
        QTest::newRow("help btnChiudi") << "imgGuida" << "btnChiudi" << QRect(472, 490, 161, 38);
        QTest::newRow("credits imgLogo") << "imgCopyright" << "imgLogo" << QRect(8, 8, 625, 380);
        QTest::newRow("credits btnChiudi") << "imgCopyright" << "btnChiudi" << QRect(473, 402, 160, 34);
        QTest::newRow("credits imgWeb") << "imgCopyright" << "imgWeb" << QRect(8, 400, 39, 36);
    }
    void onDemandLayout()
    {
        QFETCH(QString, opener);
        QFETCH(QString, name);
        QFETCH(QRect, place);
        showStart();
        QRect seen;
        whenModalShown([&](QWidget* m) {
            if (QWidget* c = m->findChild<QWidget*>(name))
                seen = placeOnPanel(c);
            m->close();
        });
        click(child(avvio(), opener));
        QCOMPARE(seen, place);
    }

    void informationButtonSitsBelowThePanel()
    {
        TfrmInfo info;
        QCOMPARE(info.panContainer->geometry(), QRect(15, 15, 442, 490));
        const QRect b = info.btnChiudi->geometry().translated(-info.panContainer->pos());
        QCOMPARE(b, QRect(280, 504, 161, 41));
        QCOMPARE(info.imgEmail->geometry(), QRect(15, 531, 23, 16));
        QCOMPARE(info.lnkWeb->pos(), QPoint(46, 528));
    }
};

QTEST_MAIN(TestShellWindows)
#include "test_shellwindows.moc"
