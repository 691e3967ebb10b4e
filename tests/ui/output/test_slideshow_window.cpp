// The slideshow window: its start, the photos step by step, the empty
// catalog, a failing archive and the clicks that end it.
#include "Catalogs.h"
#include "Gui.h"
#include "base/ProgramFolder.h"
#include "output/SlideStep.h"
#include "output/Slideshow.h"
#include "sheet/Photo.h"
#include "store/Archive.h"

#include <QBuffer>
#include <QDir>
#include <QImageWriter>
#include <QMouseEvent>
#include <QScreen>
#include <QTest>
#include <QTimer>

using namespace pinakos;
using namespace pinakos::test;

namespace {

const QString kEmpty = QStringLiteral("L'archivio non contiene nessuna scheda.");

void writePhoto(const QString& catalog, int n, const QSize& size, const QColor& colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    const QString path = photoPath(catalog, n);
    QDir().mkpath(photoFolder());
    QVERIFY(QImageWriter(path, "jpeg").write(image));
}

// What the slide shows: "start", or the photo's colour name.
QString shown(const TfrmSlideshow& f)
{
    if (f.imgFoto->showsStartPicture())
        return QStringLiteral("start");
    const QImage& i = f.imgFoto->image();
    if (i.isNull())
        return QStringLiteral("nothing");
    const QColor c = i.pixelColor(i.width() / 2, i.height() / 2);
    return c.red() > 200 ? QStringLiteral("red") : c.blue() > 200 ? QStringLiteral("blue") : c.name();
}

} // namespace

class TestSlideshowWindow : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestBed> m_bed;
    std::unique_ptr<TfrmSlideshow> m_form;

    TfrmSlideshow* open(const QString& catalog, int records)
    {
        QList<TSchedaOpera> list;
        for (int i = 1; i <= records; ++i)
            list << makeRecord(QStringLiteral("Opera %1").arg(i), QStringLiteral("A"), QStringLiteral("1,00"));
        const QString path = makeCatalog(catalog, list);
        m_form = std::make_unique<TfrmSlideshow>();
        m_form->lblNome->setText(catalog);
        m_form->lblFile->setText(path);
        m_form->show();
        return m_form.get();
    }
    // Runs n steps and tells what each one showed and left in the position label.
    QStringList steps(TfrmSlideshow* f, int n)
    {
        QStringList seen;
        for (int i = 0; i < n; ++i) {
            f->cmdAvantiClick();
            seen << f->lblPosizione->text() + QLatin1Char(':') + shown(*f);
        }
        return seen;
    }

private Q_SLOTS:
    void init() { m_bed = std::make_unique<TestBed>(); }
    void cleanup()
    {
        m_form.reset();
        m_bed.reset();
        setSlideInterval(0);
    }

    void window();
    void shownWithStartPicture();
    void threeRecordsSecondWithoutPhoto();
    void oneRecord();
    void emptyCatalogMessageCloses();
    void failingArchiveKeepsGoing();
    void tickDuringMessageWaits();
    void photoScaledToTheArea_data();
    void photoScaledToTheArea();
    void clickOnPictureCloses();
    void clickOnPanelCloses();
    void timerRunsTheSteps();
    void sheetLeftAlone();
};

void TestSlideshowWindow::window()
{
    TfrmSlideshow f;
    QCOMPARE(f.windowTitle(), QStringLiteral(" Slide show catalogo opere d'arte"));
    QVERIFY(f.windowState() & Qt::WindowMaximized);
    QVERIFY(f.windowFlags() & Qt::WindowMaximizeButtonHint);
    QVERIFY(f.windowFlags() & Qt::WindowMinimizeButtonHint);
    QCOMPARE(f.minimumSize(), QSize(0, 0)); // resizable
    for (const char* name : {"imgBianco", "lblPosizione", "lblNome", "lblFile", "cmdAvanti"}) {
        QWidget* w = child(&f, QString::fromLatin1(name));
        QVERIFY(w);
        QVERIFY2(w->isHidden(), name);
    }
    QCOMPARE(f.imgBianco->size(), QSize(688, 471));
    QCOMPARE(f.lblNome->text(), QStringLiteral("Nome book fotografico"));
    QCOMPARE(f.lblPosizione->text(), QString());
    QCOMPARE(f.Timer->interval(), 6000);
    QVERIFY(!f.Timer->isActive());
    QCOMPARE(f.imgFoto->objectName(), QStringLiteral("imgFoto"));
    QCOMPARE(f.imgFoto->parentWidget(), f.panContainer);
}

void TestSlideshowWindow::shownWithStartPicture()
{
    TfrmSlideshow* f = open(QStringLiteral("Mostra"), 2);
    QVERIFY(f->Timer->isActive());
    QCOMPARE(f->Timer->interval(), 6000);
    QCOMPARE(shown(*f), QStringLiteral("start"));
    QCOMPARE(f->lblPosizione->text(), QString());
    const QSize screen = f->screen()->size();
    QCOMPARE(f->panContainer->size(), screen - QSize(60, 90));
    QCOMPARE(f->imgFoto->geometry(), f->panContainer->rect());
    QVERIFY((f->panContainer->geometry().center() - f->rect().center()).manhattanLength() <= 1);
    // The start picture keeps its proportions, 688 x 471.
    const QRect r = f->imgFoto->pictureRect();
    QVERIFY(qAbs(double(r.width()) / r.height() - 688.0 / 471.0) < 0.01);
    // The top of the window is steel blue, the bottom white.
    QCOMPARE(pixelOf(f, QPoint(2, 1)), QColor(0x46, 0x82, 0xB4));
}

void TestSlideshowWindow::threeRecordsSecondWithoutPhoto()
{
    writePhoto(QStringLiteral("Mostra"), 1, QSize(300, 200), Qt::red);
    writePhoto(QStringLiteral("Mostra"), 3, QSize(200, 300), Qt::blue);
    // A file that is no picture counts as no photo.
    m_bed->folder.write(QStringLiteral("Pinakos/Mostra_Foto_2.jpg"), "non una foto");
    TfrmSlideshow* f = open(QStringLiteral("Mostra"), 3);
    QCOMPARE(steps(f, 9),
             QStringList({"1:red", "2:start", "3:blue", "0:blue", "1:red", "2:start", "3:blue", "0:blue", "1:red"}));
    QVERIFY(m_bed->dialogs.calls.isEmpty());
    QVERIFY(f->isVisible());
}

void TestSlideshowWindow::oneRecord()
{
    writePhoto(QStringLiteral("Uno"), 1, QSize(300, 200), Qt::red);
    TfrmSlideshow* f = open(QStringLiteral("Uno"), 1);
    QCOMPARE(steps(f, 4), QStringList({"1:red", "0:red", "1:red", "0:red"}));
}

void TestSlideshowWindow::emptyCatalogMessageCloses()
{
    TfrmSlideshow* f = open(QStringLiteral("Vuoto"), 0);
    f->cmdAvantiClick();
    QCOMPARE(m_bed->dialogs.texts(), QStringList{kEmpty});
    QCOMPARE(m_bed->dialogs.last().call, FakeDialogs::Call::Information);
    QVERIFY(!f->Timer->isActive());
    QCOMPARE(f->lblPosizione->text(), QString());
    QVERIFY(!f->isVisible());
}

void TestSlideshowWindow::failingArchiveKeepsGoing()
{
    TfrmSlideshow* f = open(QStringLiteral("Rotto"), 1);
    // The archive gives way to a folder of the same name.
    QVERIFY(QFile::remove(f->lblFile->text()));
    QVERIFY(QDir().mkpath(f->lblFile->text()));
    f->cmdAvantiClick();
    f->cmdAvantiClick();
    QCOMPARE(m_bed->dialogs.texts(), QStringList({archiveFailureMessage(), archiveFailureMessage()}));
    QCOMPARE(m_bed->dialogs.last().call, FakeDialogs::Call::Error);
    QVERIFY(f->isVisible());
    QVERIFY(f->Timer->isActive());
}

void TestSlideshowWindow::tickDuringMessageWaits()
{
    TfrmSlideshow* f = open(QStringLiteral("Rotto"), 1);
    QVERIFY(QFile::remove(f->lblFile->text()));
    QVERIFY(QDir().mkpath(f->lblFile->text()));
    // The timer ticks again while the error box is still up: no second box over the first.
    int ticks = 0;
    m_bed->dialogs.onCall = [&](const FakeDialogs::Record&) {
        if (ticks++ < 3)
            f->TimerTimer();
    };
    f->cmdAvantiClick();
    QCOMPARE(m_bed->dialogs.texts(), QStringList{archiveFailureMessage()});
    f->cmdAvantiClick(); // the next tick after the box was closed
    QCOMPARE(m_bed->dialogs.texts().size(), 2);
}

void TestSlideshowWindow::photoScaledToTheArea_data()
{
    QTest::addColumn<QSize>("photo");
    QTest::newRow("wide and large") << QSize(4000, 1000);
    QTest::newRow("tall") << QSize(600, 2400);
    QTest::newRow("small") << QSize(80, 60);
}

void TestSlideshowWindow::photoScaledToTheArea()
{
    QFETCH(QSize, photo);
    writePhoto(QStringLiteral("Grande"), 1, photo, Qt::red);
    TfrmSlideshow* f = open(QStringLiteral("Grande"), 1);
    f->cmdAvantiClick();
    QCOMPARE(shown(*f), QStringLiteral("red"));
    const QSize area = f->screen()->size() - QSize(60, 90);
    const QRect r = f->imgFoto->pictureRect();
    // As large as the area allows, in proportion, centred.
    QCOMPARE(r.size(), photo.scaled(area, Qt::KeepAspectRatio));
    QVERIFY(r.width() == area.width() || r.height() == area.height());
    QCOMPARE(r.center(), f->imgFoto->rect().center());
    // What is painted is the photo, there and nowhere else.
    const QImage painted = f->imgFoto->grab().toImage();
    QCOMPARE(painted.pixelColor(r.center()).red() > 200, true);
}

void TestSlideshowWindow::clickOnPictureCloses()
{
    TfrmSlideshow* f = open(QStringLiteral("Mostra"), 2);
    click(f->imgFoto); // even before the first step
    QVERIFY(!f->isVisible());
}

void TestSlideshowWindow::clickOnPanelCloses()
{
    TfrmSlideshow* f = open(QStringLiteral("Mostra"), 2);
    f->imgFoto->resize(10, 10); // uncover the panel
    QTest::mouseClick(f->panContainer, Qt::LeftButton, Qt::NoModifier, QPoint(200, 200));
    QVERIFY(!f->isVisible());
}

void TestSlideshowWindow::timerRunsTheSteps()
{
    writePhoto(QStringLiteral("Mostra"), 2, QSize(300, 200), Qt::blue);
    setSlideInterval(10);
    TfrmSlideshow* f = open(QStringLiteral("Mostra"), 2);
    QCOMPARE(f->Timer->interval(), 10);
    // What each tick left on screen, read right after the window's own step
    // (a slow machine may run late, but never skips a tick's step).
    QStringList steps;
    connect(f->Timer, &QTimer::timeout, f, [&] { steps << f->lblPosizione->text() + QLatin1Char(' ') + shown(*f); });
    QTRY_VERIFY(steps.size() >= 6);
    const qsizetype second = steps.indexOf(QStringLiteral("2 blue"));
    QVERIFY2(second >= 0 && second + 2 < steps.size(), qPrintable(steps.join(u',')));
    QCOMPARE(steps[second + 1].section(u' ', 0, 0), QStringLiteral("0"));
    QCOMPARE(steps[second + 2].section(u' ', 0, 0), QStringLiteral("1"));
}

void TestSlideshowWindow::sheetLeftAlone()
{
    // The show reads the archive and the photos, and changes neither.
    writePhoto(QStringLiteral("Mostra"), 1, QSize(300, 200), Qt::red);
    TfrmSlideshow* f = open(QStringLiteral("Mostra"), 2);
    const QByteArray archive = m_bed->folder.read(QStringLiteral("Mostra.art"));
    const QByteArray photo = m_bed->folder.read(QStringLiteral("Pinakos/Mostra_Foto_1.jpg"));
    steps(f, 5);
    QCOMPARE(m_bed->folder.read(QStringLiteral("Mostra.art")), archive);
    QCOMPARE(m_bed->folder.read(QStringLiteral("Pinakos/Mostra_Foto_1.jpg")), photo);
    QCOMPARE(QDir(photoFolder()).entryList(QDir::Files), QStringList{"Mostra_Foto_1.jpg"});
}

QTEST_MAIN(TestSlideshowWindow)
#include "test_slideshow_window.moc"
