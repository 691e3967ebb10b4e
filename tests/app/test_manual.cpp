// The PDF manual says what the help windows say: every paragraph of the three
// topics can be read back from it. It opens with a cover and a table of
// contents whose page numbers are the pages the chapters and pictures are
// really on, and every chapter shows at least one window.
#include "shell/HelpTopics.h"

#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace pinakos;

namespace {

// One blank between words; ligatures as two letters.
QString plain(QString s)
{
    s.replace(QChar(0xFB00), QLatin1String("ff"))
        .replace(QChar(0xFB01), QLatin1String("fi"))
        .replace(QChar(0xFB02), QLatin1String("fl"))
        .replace(QChar(0xFB03), QLatin1String("ffi"))
        .replace(QChar(0xFB04), QLatin1String("ffl"));
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    return s.replace(blanks, QStringLiteral(" ")).trimmed();
}

QList<HelpTopic> topics()
{
    return {startTopic(), sheetTopic(), exportTopic(), documentsTopic(), backupTopic(), importTopic()};
}

QString heading(int k) { return QStringLiteral("%1. %2").arg(k + 1).arg(topics().at(k).title); }

// An entry as the table of contents shows it: its leader takes the final dots.
QString entryText(const QString& s)
{
    QString t = plain(s);
    while (t.endsWith(QLatin1Char('.')))
        t.chop(1);
    return t;
}

// The output of a poppler tool; empty when it failed.
QString run(const QString& tool, const QStringList& args)
{
    QProcess p;
    p.start(QStandardPaths::findExecutable(tool), args);
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

// A table-of-contents line: the entry, a dotted leader, the page number.
struct Entry
{
    QString text;
    int page = 0;
};

} // namespace

class TestManual : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_pdf;
    QStringList m_pages; // the text of each page, first page at 0
    QString m_body; // the text pages without their running heads and page numbers
    QList<Entry> m_contents;
    QMap<int, int> m_images; // page (1-based) -> pictures on it

    // The page (1-based) of the table entry that starts with `text`; 0 when none.
    int contentsPage(const QString& text) const
    {
        for (const Entry& e : m_contents)
            if (e.text == text)
                return e.page;
        return 0;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_pdf = m_dir.filePath(QStringLiteral("Guida.pdf"));
        QCOMPARE(QProcess::execute(QStringLiteral(MAKE_MANUAL_EXE), {m_pdf}), 0);
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()
            || QStandardPaths::findExecutable(QStringLiteral("pdfimages")).isEmpty())
            QSKIP("poppler's pdftotext and pdfimages are not installed");

        const QString text = run(QStringLiteral("pdftotext"),
                                 {QStringLiteral("-enc"), QStringLiteral("UTF-8"), m_pdf, QStringLiteral("-")});
        QVERIFY(!text.isEmpty());
        m_pages = text.split(QLatin1Char('\f'));
        if (!m_pages.isEmpty() && m_pages.last().trimmed().isEmpty())
            m_pages.removeLast();
        QVERIFY(m_pages.size() >= 3);

        // The running head (the manual's title and a chapter's title) and
        // the page number stand outside the text.
        QStringList titles{QStringLiteral("Pinakos – Guida all'utilizzo del software")};
        for (const HelpTopic& t : topics())
            titles << t.title;
        static const QRegularExpression number(QStringLiteral("^\\d+$"));
        QStringList body;
        for (int i = 2; i < m_pages.size(); ++i)
            for (const QString& line : m_pages[i].split(QLatin1Char('\n'))) {
                const QString l = line.trimmed();
                if (!titles.contains(l) && !number.match(l).hasMatch())
                    body << l;
            }
        m_body = plain(body.join(QLatin1Char(' ')));

        // The table of contents, read as laid out so that an entry and its
        // number stay on one line.
        const QString contents =
            run(QStringLiteral("pdftotext"),
                {QStringLiteral("-layout"), QStringLiteral("-enc"), QStringLiteral("UTF-8"), QStringLiteral("-f"),
                 QStringLiteral("2"), QStringLiteral("-l"), QStringLiteral("2"), m_pdf, QStringLiteral("-")});
        static const QRegularExpression entry(QStringLiteral("^\\s*(\\S.*?)[\\s.]+(\\d+)\\s*$"));
        for (const QString& line : contents.split(QLatin1Char('\n'))) {
            const QRegularExpressionMatch m = entry.match(line);
            if (m.hasMatch())
                m_contents.append({entryText(m.captured(1)), m.captured(2).toInt()});
        }

        // pdfimages -list: two heading lines, then one line per picture
        // whose first column is its page.
        const QStringList images = run(QStringLiteral("pdfimages"), {QStringLiteral("-list"), m_pdf})
                                       .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QVERIFY(images.size() > 2);
        for (int i = 2; i < images.size(); ++i)
            ++m_images[images[i].split(QLatin1Char(' '), Qt::SkipEmptyParts).value(0).toInt()];
    }

    void everyParagraphIsThere_data()
    {
        QTest::addColumn<QString>("paragraph");
        int n = 0;
        for (const HelpTopic& t : topics()) {
            QTest::newRow(qPrintable(QStringLiteral("title %1").arg(++n))) << t.title;
            for (int i = 0; i < t.paragraphs.size(); ++i)
                QTest::newRow(qPrintable(QStringLiteral("topic %1, paragraph %2").arg(n).arg(i + 1)))
                    << t.paragraphs.at(i);
        }
    }
    void everyParagraphIsThere()
    {
        QFETCH(QString, paragraph);
        QVERIFY2(m_body.contains(plain(paragraph)), qPrintable(paragraph));
    }

    // The first page is the cover: the program's name and the manual's title,
    // no chapter.
    void cover()
    {
        const QString first = plain(m_pages.first());
        QVERIFY2(first.contains(QStringLiteral("Pinakos")), qPrintable(first));
        QVERIFY2(first.contains(QStringLiteral("Guida all'utilizzo del software")), qPrintable(first));
        for (int k = 0; k < topics().size(); ++k)
            QVERIFY2(!first.contains(heading(k)), qPrintable(first));
        QVERIFY(m_images.value(1) >= 1); // the cover's picture
    }

    // Each chapter's entry names the page its heading is on, and no other.
    void contentsPages_data()
    {
        QTest::addColumn<int>("chapter");
        for (int k = 0; k < topics().size(); ++k)
            QTest::newRow(qPrintable(heading(k))) << k;
    }
    void contentsPages()
    {
        QFETCH(int, chapter);
        QVERIFY2(plain(m_pages.at(1)).startsWith(QStringLiteral("Indice")), qPrintable(m_pages.at(1)));
        const QString title = plain(heading(chapter));
        const int page = contentsPage(entryText(title));
        QVERIFY2(page >= 3 && page <= m_pages.size(), qPrintable(title));
        for (int i = 2; i < m_pages.size(); ++i)
            QCOMPARE(plain(m_pages[i]).contains(title), i + 1 == page);
        // Chapters come in order.
        if (chapter > 0)
            QVERIFY(page >= contentsPage(entryText(heading(chapter - 1))));
    }

    // Every picture the contents list is a picture on the page it names, and
    // every chapter has at least one, between its heading and the next.
    void picturesInEveryChapter()
    {
        static const QRegularExpression figure(QStringLiteral("^Figura (\\d+) – "));
        QMap<int, int> listed; // page -> pictures listed on it
        QList<int> perChapter(topics().size());
        int chapter = -1;
        int figures = 0;
        for (const Entry& e : m_contents) {
            for (int k = 0; k < topics().size(); ++k)
                if (e.text == entryText(heading(k)))
                    chapter = k;
            if (!figure.match(e.text).hasMatch())
                continue;
            ++figures;
            QVERIFY2(chapter >= 0, qPrintable(e.text));
            ++listed[e.page];
            ++perChapter[chapter];
            QVERIFY2(plain(m_pages.value(e.page - 1)).contains(e.text), qPrintable(e.text));
            // The caption stands in its chapter's text.
            const qsizetype at = m_body.indexOf(e.text);
            QVERIFY2(at > m_body.indexOf(plain(heading(chapter))), qPrintable(e.text));
            if (chapter + 1 < topics().size())
                QVERIFY2(at < m_body.indexOf(plain(heading(chapter + 1))), qPrintable(e.text));
        }
        for (int k = 0; k < topics().size(); ++k)
            QVERIFY2(perChapter[k] >= 1, qPrintable(heading(k)));
        int pictures = 0;
        for (auto it = listed.cbegin(); it != listed.cend(); ++it)
            QVERIFY2(m_images.value(it.key()) >= it.value(), qPrintable(QStringLiteral("page %1").arg(it.key())));
        for (auto it = m_images.cbegin(); it != m_images.cend(); ++it)
            if (it.key() >= 3)
                pictures += it.value();
        QCOMPARE(pictures, figures);
    }
};

QTEST_GUILESS_MAIN(TestManual)
#include "test_manual.moc"
