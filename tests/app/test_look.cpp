// What a user sees of the program's own dialogs and windows: Qt's dialogs in
// Italian, message boxes that wrap their text well, file dialogs that open
// where files of their kind were last chosen, the program's icon on every
// window, work windows that scroll on a small screen, a help text without a
// cursor.
#include "Catalogs.h"
#include "Gui.h"

#include "access/CambiaPassword.h"
#include "access/Password.h"
#include "app/Windows.h"
#include "base/ProgramFolder.h"
#include "kit/Dialogs.h"
#include "sheet/Opere.h"
#include "shell/Avvio.h"
#include "shell/Guida.h"
#include "shell/HelpTopics.h"
#include "store/ApriCatalogo.h"
#include "store/CreaCatalogo.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLabel>
#include <QLibraryInfo>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTest>
#include <QTextLayout>

#include <functional>
#include <memory>

using namespace pinakos;
using namespace pinakos::test;

namespace {

QString qtTranslation()
{
    const QString f = QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_it.qm");
    return QFile::exists(f) ? f : QString();
}

QString yes() { return QCoreApplication::translate("QPlatformTheme", "&Yes"); }

// The texts of a dialog's buttons, without their shortcut marks, in order.
QStringList buttonTexts(QWidget* dialog)
{
    QStringList out;
    const auto boxes = dialog->findChildren<QDialogButtonBox*>();
    for (QDialogButtonBox* box : boxes)
        for (QAbstractButton* b : box->buttons())
            if (b->isVisible())
                out << b->text().remove(u'&');
    out.sort();
    return out;
}

// The last line of each paragraph of the message box's text as the box
// shows it, wrapped at its label's width.
QStringList lastLines(QLabel* label)
{
    static const QRegularExpression breaks(QStringLiteral("[\\r\\n]+"));
    QStringList out;
    for (const QString& p : label->text().split(breaks, Qt::SkipEmptyParts)) {
        QTextLayout layout(p, label->font());
        QTextOption option;
        option.setWrapMode(QTextOption::WordWrap);
        layout.setTextOption(option);
        layout.beginLayout();
        QTextLine last;
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(label->contentsRect().width());
            last = line;
        }
        layout.endLayout();
        if (layout.lineCount() > 1)
            out << p.mid(last.textStart(), last.textLength()).trimmed();
    }
    return out;
}

} // namespace

class TestLook : public QObject
{
    Q_OBJECT

    std::unique_ptr<TempFolder> m_folder;

private Q_SLOTS:
    void init() { m_folder = std::make_unique<TempFolder>(); }
    void cleanup()
    {
        m_folder.reset();
        loadDialogTranslations();
    }

    // ------------------------------------------------------------ translations

    void italianFromQtsFolder()
    {
        if (qtTranslation().isEmpty())
            QSKIP("qtbase_it.qm is not installed (Debian package qt6-translations-l10n)");
        QCOMPARE(loadDialogTranslations(), qtTranslation());
        QCOMPARE(yes(), QStringLiteral("&Sì"));
        QCOMPARE(QCoreApplication::translate("QFileDialog", "Look in:"), QStringLiteral("Cerca in:"));
    }

    void italianFromTheProgramFolder()
    {
        if (qtTranslation().isEmpty())
            QSKIP("qtbase_it.qm is not installed (Debian package qt6-translations-l10n)");
        // A portable program folder brings its own copy.
        QVERIFY(QDir().mkpath(m_folder->file(QStringLiteral("translations"))));
        QVERIFY(QFile::copy(qtTranslation(), m_folder->file(QStringLiteral("translations/qtbase_it.qm"))));
        const QStringList folders{m_folder->file(QStringLiteral("vuota")),
                                  inProgramFolder(QStringLiteral("translations"))};
        QCOMPARE(dialogTranslationFolders().last(), inProgramFolder(QStringLiteral("translations")));
        QCOMPARE(QFileInfo(loadDialogTranslations(folders)).canonicalFilePath(),
                 QFileInfo(m_folder->file(QStringLiteral("translations/qtbase_it.qm"))).canonicalFilePath());
        QCOMPARE(yes(), QStringLiteral("&Sì"));
    }

    void missingTranslationStaysEnglish()
    {
        loadDialogTranslations();
        QCOMPARE(loadDialogTranslations({m_folder->file(QStringLiteral("translations"))}), QString());
        QCOMPARE(yes(), QStringLiteral("&Yes"));
        // and a broken file is no translation either
        m_folder->write(QStringLiteral("translations/qtbase_it.qm"), "non una traduzione");
        QCOMPARE(loadDialogTranslations({m_folder->file(QStringLiteral("translations"))}), QString());
        QCOMPARE(yes(), QStringLiteral("&Yes"));
    }

    // ------------------------------------------------------------ message boxes

    void messageButtons_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QStringList>("buttons");
        QTest::newRow("confirmation") << -1 << QStringList{"No", "Sì"};
        QTest::newRow("warning") << int(Dialogs::Kind::Warning) << QStringList{"Annulla", "OK"};
        QTest::newRow("information") << int(Dialogs::Kind::Information) << QStringList{"Annulla", "OK"};
        QTest::newRow("error") << int(Dialogs::Kind::Error) << QStringList{"Annulla", "OK"};
        QTest::newRow("message") << int(Dialogs::Kind::Message) << QStringList{"OK"};
    }
    void messageButtons()
    {
        QFETCH(int, kind);
        QFETCH(QStringList, buttons);
        if (loadDialogTranslations().isEmpty())
            QSKIP("qtbase_it.qm is not installed");
        QStringList seen;
        int withIcon = -1;
        whenModalShown([&](QWidget* m) {
            seen = buttonTexts(m);
            withIcon = 0;
            for (QAbstractButton* b : m->findChildren<QAbstractButton*>())
                withIcon += b->icon().isNull() ? 0 : 1;
            static_cast<QDialog*>(m)->reject();
        });
        if (kind < 0)
            QVERIFY(!dialogs().confirm(nullptr, QStringLiteral("Si conferma?")));
        else
            dialogs().notify(nullptr, Dialogs::Kind(kind), QStringLiteral("Attenzione: prova."));
        QCOMPARE(seen, buttons);
        QCOMPARE(withIcon, 0);
    }

    void longMessagesWrapWell_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("name used") << QStringLiteral(
            "Attenzione: il nome del catalogo indicato è già stato utilizzato in precedenza.\r\n\r\n"
            "Inserire un nome diverso oppure, se si desidera aprire un catalogo già creato, premere il pulsante "
            "Apri catalogo esistente.");
        QTest::newRow("created") << QStringLiteral(
            "Il file di archivio relativo al nuovo catalogo è stato creato con successo.\r\n\r\n"
            "E' ora possibile visualizzarlo nell'elenco dei cataloghi esistenti.");
        QTest::newRow("delete") << QStringLiteral(
            "Si sta per eliminare il catalogo selezionato. Si ricorda che il file eliminato non potrà essere "
            "recuperato.\r\n\r\nSi conferma l'eliminazione dell'archivio?");
        QTest::newRow("archive") << QStringLiteral(
            "Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\rAccertarsi di possedere i "
            "privilegi di scrittura nella cartella di installazione del programma.");
        QTest::newRow("duplicated") << QStringLiteral(
            "E' ora possibile apportare le proprie modifiche alla scheda corrente.\n\r\n\r"
            "Al termine premere Salva per inserire la scheda in archivio.");
        QTest::newRow("one line") << QStringLiteral("Attenzione: password errata.");
    }
    void longMessagesWrapWell()
    {
        QFETCH(QString, text);
        QLabel* label = nullptr;
        QStringList tails;
        QSize box, needed;
        bool wraps = false;
        int oneLine = 0;
        // The box is gone once answered: everything is read while it is up.
        whenModalShown([&](QWidget* m) {
            label = m->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
            if (label) {
                tails = lastLines(label);
                box = label->size();
                needed = QSize(label->contentsRect().width(), label->heightForWidth(label->width()));
                wraps = label->wordWrap();
                oneLine = label->fontMetrics().horizontalAdvance(text);
            }
            static_cast<QDialog*>(m)->reject();
        });
        dialogs().warning(nullptr, text);
        QVERIFY(label);
        for (const QString& tail : tails)
            QVERIFY2(tail.contains(u' '), qPrintable(QStringLiteral("one word on the last line: ") + tail));
        // Neither too narrow nor too wide to read, and nothing cut off.
        QVERIFY2(box.width() >= 300 || tails.isEmpty(), qPrintable(QString::number(box.width())));
        QVERIFY2(box.width() <= 720, qPrintable(QString::number(box.width())));
        if (wraps)
            QVERIFY(box.height() >= needed.height());
        else
            QVERIFY(oneLine <= box.width());
    }

    // ------------------------------------------------------------ file dialogs

    void fileDialogsOpenWhereTheirKindWasLeft()
    {
        // The user's home and Pictures folders, in the test's own folder.
        const QByteArray home = qgetenv("HOME");
        const QByteArray config = qgetenv("XDG_CONFIG_HOME");
        qputenv("HOME", QFile::encodeName(m_folder->file(QStringLiteral("casa"))));
        qunsetenv("XDG_CONFIG_HOME");
        auto restore = qScopeGuard([&] {
            qputenv("HOME", home);
            if (!config.isEmpty())
                qputenv("XDG_CONFIG_HOME", config);
        });
#ifdef Q_OS_WIN
        // Windows names the user's folders itself (its known folders), not
        // from HOME: there they are the user's own.
        const QString homeDir = QDir::homePath();
        const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
#else
        const QString homeDir = m_folder->file(QStringLiteral("casa"));
        const QString pictures = homeDir + QStringLiteral("/Pictures");
#endif
        const QString elsewhere = m_folder->file(QStringLiteral("altrove"));
        for (const QString& d : {pictures, elsewhere})
            QVERIFY(QDir().mkpath(d));
        m_folder->write(QStringLiteral("altrove/quadro.jpg"), jpegOf(QSize(4, 4), Qt::red));

        FileDialogRequest photo;
        photo.title = QStringLiteral("Foto");
        photo.filters =
            QStringList{QStringLiteral("Immagine JPEG (*.jpg; *.jpeg)"), QStringLiteral("Immagine Bitmap (*.bmp)")};
        FileDialogRequest other;
        other.title = QStringLiteral("Documento");
        other.filters = QStringList{QStringLiteral("Tutti i file (*.*)")};

        // Opens a dialog, notes its folder and filters, and chooses `choose`
        // (or cancels when it is empty).
        auto run = [&](const FileDialogRequest& request, const QString& choose, QString* folder, QStringList* filters) {
            whenModalShown([&, choose](QWidget* m) {
                auto* d = qobject_cast<QFileDialog*>(m);
                if (!d) {
                    m->close();
                    return;
                }
                *folder = QDir(d->directory()).canonicalPath();
                if (filters)
                    *filters = d->nameFilters();
                if (choose.isEmpty()) {
                    d->reject();
                    return;
                }
                d->selectFile(choose);
                static_cast<QDialog*>(d)->accept(); // as the Open button does
            });
            return dialogs().openFile(nullptr, request);
        };

        QString folder;
        QStringList filters;
        const QString chosen = m_folder->file(QStringLiteral("altrove/quadro.jpg"));
        QCOMPARE(QFileInfo(run(photo, chosen, &folder, &filters)).canonicalFilePath(),
                 QFileInfo(chosen).canonicalFilePath());
        QCOMPARE(folder, QDir(pictures).canonicalPath());
        QCOMPARE(filters.first(), QStringLiteral("Immagine JPEG (*.jpg *.jpeg)"));
        // The next photo dialog opens where the last photo came from; other
        // files still start at home.
        QCOMPARE(run(photo, QString(), &folder, nullptr), QString());
        QCOMPARE(folder, QDir(elsewhere).canonicalPath());
        QCOMPARE(run(other, QString(), &folder, nullptr), QString());
        QCOMPARE(folder, QDir(homeDir).canonicalPath());
    }

    // "Tutti i file (*.*)" admits every file, names without a dot included,
    // and reads as written; the photo types keep their patterns in view.
    void everyFileMeansEveryFile_data()
    {
        QTest::addColumn<QStringList>("filters");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QStringList>("matched");
        QTest::newRow("every file") << QStringList{QStringLiteral("Tutti i file (*.*)")}
                                    << QStringLiteral("Tutti i file (*.*)") << QStringList{QStringLiteral("*")};
        QTest::newRow("photos") << QStringList{QStringLiteral("Immagine JPEG (*.jpg; *.jpeg)"),
                                               QStringLiteral("Immagine Bitmap (*.bmp)")}
                                << QStringLiteral("Immagine JPEG (*.jpg *.jpeg)")
                                << QStringList{QStringLiteral("*.jpg"), QStringLiteral("*.jpeg")};
    }
    void everyFileMeansEveryFile()
    {
        QFETCH(QStringList, filters);
        QFETCH(QString, shown);
        QFETCH(QStringList, matched);
        FileDialogRequest request;
        request.title = QStringLiteral("Documento");
        request.filters = filters;
        QString text;
        QStringList patterns;
        whenModalShown([&](QWidget* m) {
            if (auto* combo = m->findChild<QComboBox*>(QStringLiteral("fileTypeCombo")))
                text = combo->currentText().trimmed();
            if (auto* files = m->findChild<QFileSystemModel*>())
                patterns = files->nameFilters();
            static_cast<QDialog*>(m)->reject();
        });
        dialogs().openFile(nullptr, request);
        QCOMPARE(text, shown);
        QCOMPARE(patterns, matched);
    }

    // ------------------------------------------------------------ windows

    void everyWindowCarriesTheIcon()
    {
        startProgram();
        auto done = qScopeGuard([] { destroyPersistentWindows(); });
        const QImage icon = QIcon(QStringLiteral(":/art/pinakos.svg")).pixmap(48, 48).toImage();
        QVERIFY(!icon.isNull());
        const Windows& w = windows();
        TfrmGuida help(w.frmAvvio);
        for (QWidget* win : {static_cast<QWidget*>(w.frmPassword), static_cast<QWidget*>(w.frmAvvio),
                             static_cast<QWidget*>(w.frmCambiaPassword), static_cast<QWidget*>(w.frmCreaCatalogo),
                             static_cast<QWidget*>(w.frmApriCatalogo), static_cast<QWidget*>(w.frmOpere),
                             static_cast<QWidget*>(&help)})
            QVERIFY2(win->windowIcon().pixmap(48, 48).toImage() == icon, win->metaObject()->className());
    }

    void workWindowsScrollOnSmallScreens_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QSize>("client");
        for (const char* w : {"TfrmAvvio", "TfrmCreaCatalogo", "TfrmApriCatalogo", "TfrmOpere"})
            for (QSize s : {QSize(1280, 650), QSize(1093, 588), QSize(900, 600)})
                QTest::addRow("%s %dx%d", w, s.width(), s.height()) << QString::fromLatin1(w) << s;
    }
    void workWindowsScrollOnSmallScreens()
    {
        QFETCH(QString, window);
        QFETCH(QSize, client);
        createPersistentWindows();
        auto done = qScopeGuard([] { destroyPersistentWindows(); });
        const Windows& ws = windows();
        QWidget* w = window == QLatin1String("TfrmAvvio") ? static_cast<QWidget*>(ws.frmAvvio)
            : window == QLatin1String("TfrmCreaCatalogo") ? static_cast<QWidget*>(ws.frmCreaCatalogo)
            : window == QLatin1String("TfrmApriCatalogo") ? static_cast<QWidget*>(ws.frmApriCatalogo)
                                                          : static_cast<QWidget*>(ws.frmOpere);
        w->show();
        w->resize(client);
        QCOMPARE(w->size(), client);
        auto* panel = child(w, QStringLiteral("panContainer"));
        const QSize design = panel->size();
        auto* v = child<QScrollBar>(w, QStringLiteral("scrVerticale"));
        auto* h = child<QScrollBar>(w, QStringLiteral("scrOrizzontale"));
        QVERIFY(v && h);
        QVERIFY(v->isVisible());
        QCOMPARE(h->isVisible(), client.width() - v->width() < design.width());
        // The part of the window the panel shows through.
        const QRect view(0, 0, v->isVisible() ? v->mapTo(w, QPoint()).x() : w->width(),
                         h->isVisible() ? h->mapTo(w, QPoint()).y() : w->height());
        // Every control can be brought fully into view with the scroll bars.
        const QList<QWidget*> controls = panel->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
        QList<QWidget*> unseen;
        for (QWidget* c : controls)
            if (c->isVisibleTo(w) && c->width() <= view.width() && c->height() <= view.height())
                unseen << c;
        QVERIFY(unseen.size() > 5);
        for (int hv : {h->minimum(), h->maximum()})
            for (int vv : {v->minimum(), (v->minimum() + v->maximum()) / 2, v->maximum()}) {
                h->setValue(hv);
                v->setValue(vv);
                QCOMPARE(panel->size(), design); // the panel keeps its size
                unseen.removeIf([&](QWidget* c) { return view.contains(QRect(c->mapTo(w, QPoint()), c->size())); });
            }
        for (QWidget* c : unseen)
            qWarning("out of reach: %s", qPrintable(c->objectName()));
        QVERIFY(unseen.isEmpty());
        // The wheel scrolls the window.
        v->setValue(0);
        QWheelEvent wheel(QPointF(50, 50), w->mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, -120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(w, &wheel);
        QVERIFY(v->value() > 0);
    }

    void workWindowsAtTheirSize_data()
    {
        QTest::addColumn<QSize>("client");
        QTest::newRow("design") << QSize(1016, 713);
        QTest::newRow("full hd") << QSize(1920, 1017);
        QTest::newRow("laptop") << QSize(1366, 705);
    }
    void workWindowsAtTheirSize()
    {
        QFETCH(QSize, client);
        TfrmOpere w;
        w.show();
        w.resize(client);
        QCOMPARE(w.panContainer->size(), QSize(996, 692));
        QCOMPARE(w.panContainer->pos(), QPoint((client.width() - 996) / 2, (client.height() - 692) / 2));
        QVERIFY(!child<QScrollBar>(&w, QStringLiteral("scrVerticale"))->isVisible());
        QVERIFY(!child<QScrollBar>(&w, QStringLiteral("scrOrizzontale"))->isVisible());
    }

    void focusBringsTheFieldIntoView()
    {
        TestBed bed;
        createPersistentWindows();
        auto done = qScopeGuard([] { destroyPersistentWindows(); });
        TfrmOpere* s = windows().frmOpere;
        s->show();
        s->resize(1280, 650);
        QVERIFY(QTest::qWaitForWindowActive(s));
        auto* v = child<QScrollBar>(s, QStringLiteral("scrVerticale"));
        v->setValue(0);
        s->txtNote->setFocus(Qt::TabFocusReason);
        const QRect r(s->txtNote->mapTo(s, QPoint()), s->txtNote->size());
        QVERIFY2(r.bottom() < v->height(), qPrintable(QString::number(r.bottom())));
        s->txtCapo->setFocus(Qt::TabFocusReason);
        QVERIFY(s->txtCapo->mapTo(s, QPoint()).y() >= 0);
    }

    void openingListHasNoLineUntilClicked()
    {
        TestBed bed;
        createPersistentWindows();
        auto done = qScopeGuard([] { destroyPersistentWindows(); });
        for (const char* name : {"Paesaggi", "Ritratti", "Nature morte"})
            makeCatalog(QString::fromLatin1(name));
        TfrmApriCatalogo* w = windows().frmApriCatalogo;
        moveTo(nullptr, w);
        QVERIFY(QTest::qWaitForWindowActive(w));
        QCOMPARE(w->lstFiles->count(), 3);
        // The window takes the focus, and the keys the user presses go to it.
        QTest::keyClick(w, Qt::Key_Tab);
        QTest::keyClick(w, Qt::Key_Down);
        QCOMPARE(w->lstFiles->currentItem(), nullptr);
        QVERIFY(w->lstFiles->selectedItems().isEmpty());
        // A click chooses a line.
        QListWidgetItem* second = w->lstFiles->item(1);
        const QRect r = w->lstFiles->visualItemRect(second);
        QTest::mouseClick(w->lstFiles->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
        QCOMPARE(w->lstFiles->currentItem(), second);
        QCOMPARE(w->lstFiles->selectedItems(), QList<QListWidgetItem*>{second});
        QVERIFY(w->lstFiles->hasFocus());
        // Shown again, it starts with no line again.
        w->hide();
        moveTo(nullptr, w);
        QVERIFY(QTest::qWaitForWindowActive(w));
        QCOMPARE(w->lstFiles->currentItem(), nullptr);
        w->lstFiles->setFocus(Qt::ActiveWindowFocusReason);
        QCOMPARE(w->lstFiles->currentItem(), nullptr);
    }

    void helpTextHasNoCursor()
    {
        TfrmGuida help;
        help.setTopic(sheetTopic());
        help.show();
        QVERIFY(QTest::qWaitForWindowActive(&help));
        const QString body = help.txtGuida->toPlainText();
        help.txtGuida->setFocus(Qt::MouseFocusReason);
        QTest::keyClicks(help.txtGuida, QStringLiteral("abc"));
        QTest::keyClick(help.txtGuida, Qt::Key_Delete);
        QCOMPARE(help.txtGuida->toPlainText(), body);
        QVERIFY(help.txtGuida->isReadOnly());
        // Without keyboard selection a read-only text draws no cursor; the
        // mouse still selects.
        QVERIFY(!(help.txtGuida->textInteractionFlags() & Qt::TextSelectableByKeyboard));
        QVERIFY(help.txtGuida->textInteractionFlags() & Qt::TextSelectableByMouse);
    }
};

QTEST_MAIN(TestLook)
#include "test_look.moc"
