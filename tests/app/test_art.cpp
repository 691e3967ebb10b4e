// Every drawing listed in resources/ART.md is compiled in under ":/art/"
// and draws at the size the windows expect.
#include <QFile>
#include <QRegularExpression>
#include <QSize>
#include <QSvgRenderer>
#include <QTest>

namespace {

struct Row
{
    QString file;
    QSize size;
};

// Rows of the table: "| name.svg | W × H | ... |".
QList<Row> artTable()
{
    QList<Row> rows;
    QFile f(QStringLiteral(PINAKOS_SOURCE_DIR "/resources/ART.md"));
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return rows;
    static const QRegularExpression re(
        QStringLiteral("^\\|\\s*([A-Za-z0-9_]+\\.svg)\\s*\\|\\s*(\\d+)\\s*[×x]\\s*(\\d+)\\s*\\|"));
    const QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        const QRegularExpressionMatch m = re.match(line);
        if (m.hasMatch())
            rows.append({m.captured(1), QSize(m.captured(2).toInt(), m.captured(3).toInt())});
    }
    return rows;
}

} // namespace

class TestArt : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void tableRead()
    {
        const QList<Row> rows = artTable();
        QVERIFY2(!rows.isEmpty(), "resources/ART.md has no readable rows");
        QStringList names;
        for (const Row& r : rows) {
            QVERIFY2(!names.contains(r.file), qPrintable(r.file + QStringLiteral(" listed twice")));
            names.append(r.file);
        }
    }

    void drawing_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QSize>("size");
        const QList<Row> rows = artTable();
        for (const Row& r : rows)
            QTest::newRow(qPrintable(r.file)) << r.file << r.size;
    }
    void drawing()
    {
        QFETCH(QString, file);
        QFETCH(QSize, size);
        const QString path = QStringLiteral(":/art/") + file;
        QVERIFY2(QFile::exists(path), qPrintable(path + QStringLiteral(" is not compiled in")));
        QSvgRenderer renderer(path);
        QVERIFY2(renderer.isValid(), qPrintable(path + QStringLiteral(" does not parse")));
        QCOMPARE(renderer.defaultSize(), size);
        QCOMPARE(renderer.viewBoxF().size(), QSizeF(size));
    }
};

QTEST_MAIN(TestArt)
#include "test_art.moc"
