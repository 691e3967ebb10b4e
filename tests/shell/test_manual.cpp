// The PDF manual says what the help windows say: every paragraph of the three
// topics can be read back from it.
#include "shell/HelpTopics.h"

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

} // namespace

class TestManual : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_text;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        const QString pdf = m_dir.filePath(QStringLiteral("Guida.pdf"));
        QCOMPARE(QProcess::execute(QStringLiteral(MAKE_MANUAL_EXE), {pdf}), 0);
        const QString reader = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        if (reader.isEmpty())
            QSKIP("pdftotext is not installed");
        QProcess p;
        p.start(reader, {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, QStringLiteral("-")});
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitCode(), 0);
        m_text = plain(QString::fromUtf8(p.readAllStandardOutput()));
    }

    void everyParagraphIsThere_data()
    {
        QTest::addColumn<QString>("paragraph");
        int n = 0;
        for (const HelpTopic& t : {startTopic(), sheetTopic(), exportTopic()}) {
            QTest::newRow(qPrintable(QStringLiteral("title %1").arg(++n))) << t.title;
            for (int i = 0; i < t.paragraphs.size(); ++i)
                QTest::newRow(qPrintable(QStringLiteral("topic %1, paragraph %2").arg(n).arg(i + 1)))
                    << t.paragraphs.at(i);
        }
    }
    void everyParagraphIsThere()
    {
        QFETCH(QString, paragraph);
        QVERIFY2(m_text.contains(plain(paragraph)), qPrintable(paragraph));
    }
};

QTEST_GUILESS_MAIN(TestManual)
#include "test_manual.moc"
