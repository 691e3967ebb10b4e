// The workbook exports as an office suite and a spreadsheet library see
// them: LibreOffice (headless) opens the OpenDocument and the Excel file and
// saves them again, and openpyxl reads what it saved, and the Excel file
// itself. Each cell must be as the archive holds it, leading zeros and
// blanks included, the values numbers; headings bold, heading row frozen,
// the autofilter over the table.
// Skipped where LibreOffice or openpyxl is missing.
#include "Catalogs.h"
#include "TempFolder.h"
#include "output/CatalogModel.h"
#include "output/Workbook.h"
#include "sheet/Price.h"
#include "store/Archive.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

using namespace pinakos;
using namespace pinakos::test;

namespace {

// Prints, for each file named, its sheets, the first sheet's frozen cell
// and autofilter, and every cell: type, value and whether it is bold.
const char* const kReader = R"(
import json, sys, openpyxl
out = {}
for path in sys.argv[1:]:
    wb = openpyxl.load_workbook(path)
    ws = wb.worksheets[0]
    rows = []
    for row in ws.iter_rows():
        rows.append([{"t": c.data_type, "v": c.value, "b": bool(c.font and c.font.b),
                      "f": c.number_format} for c in row])
    out[path] = {"sheets": wb.sheetnames, "frozen": ws.freeze_panes,
                 "filter": ws.auto_filter.ref, "rows": rows}
json.dump(out, sys.stdout, ensure_ascii=True, default=str)
)";

// Debian's python3, where python3-openpyxl installs, before any other on the path.
QString python()
{
    const QString system = QStandardPaths::findExecutable(QStringLiteral("python3"), {QStringLiteral("/usr/bin")});
    return system.isEmpty() ? QStringLiteral("python3") : system;
}

bool hasOpenpyxl()
{
    QProcess p;
    p.start(python(), {QStringLiteral("-c"), QStringLiteral("import openpyxl")});
    return p.waitForFinished(30000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

const Campo kFields[] = {Campo::Capo,     Campo::Descrizione, Campo::Colore,  Campo::Tessuto,
                         Campo::Misure,   Campo::Peso,        Campo::Usura,   Campo::Difetti,
                         Campo::Servizio, Campo::Specifiche,  Campo::Cliente, Campo::CodFisc,
                         Campo::Recapito, Campo::Note,        Campo::Prezzo,  Campo::Segnala};

} // namespace

class TestWorkbookRoundTrip : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void officeSuiteAndLibraryRead();
};

void TestWorkbookRoundTrip::officeSuiteAndLibraryRead()
{
#ifdef Q_OS_WIN
    QSKIP("LibreOffice and openpyxl are checked on Linux");
#endif
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty())
        QSKIP("LibreOffice (soffice) is not installed: bash scripts/setup.sh installs it");
    if (!hasOpenpyxl())
        QSKIP("openpyxl is not installed: bash scripts/setup.sh installs it");

    TempFolder folder;
    QList<TSchedaOpera> records;
    for (int i = 0; i < 12; ++i) {
        TSchedaOpera r =
            makeRecord(QStringLiteral("Opera n. %1 – città").arg(i), QStringLiteral("Artista  %1").arg(i),
                       QStringLiteral("%1,%2").arg(i * 1250).arg(i * 7 % 100, 2, 10, QLatin1Char('0')), i % 3 == 0);
        r.setText(Campo::CodFisc, i % 2 ? QStringLiteral("04128730589") : QStringLiteral("RSSMRA80A01H501U"));
        r.setText(Campo::Recapito, QStringLiteral("0039 0%1 555").arg(i));
        r.setText(Campo::Tessuto, QStringLiteral("%1").arg(1880 + i));
        r.setText(Campo::Note, i == 4 ? QStringLiteral("prima riga\r\nseconda   riga") : QStringLiteral("è però"));
        records << r;
    }
    const QString archive = makeCatalog(QStringLiteral("Giro"), records);
    CatalogModel m;
    QVERIFY(m.load(archive));
    const QDir dir(folder.path());
    QVERIFY(dir.mkpath(QStringLiteral("in")) && dir.mkpath(QStringLiteral("out")));
    const QString ods = folder.file(QStringLiteral("in/da_ods.ods"));
    const QString xlsx = folder.file(QStringLiteral("in/da_xlsx.xlsx"));
    QVERIFY(writeWorkbook(ods, WorkbookFormat::OpenDocument, [&](RowSink& w) { return m.writeRows(w); }));
    QVERIFY(writeWorkbook(xlsx, WorkbookFormat::OfficeOpenXml, [&](RowSink& w) { return m.writeRows(w); }));

    // One LibreOffice run for both, with a profile of its own.
    QProcess office;
    office.setProcessChannelMode(QProcess::MergedChannels);
    office.start(soffice,
                 {QStringLiteral("-env:UserInstallation=file://") + folder.file(QStringLiteral("profilo")),
                  QStringLiteral("--headless"), QStringLiteral("--norestore"), QStringLiteral("--convert-to"),
                  QStringLiteral("xlsx"), QStringLiteral("--outdir"), folder.file(QStringLiteral("out")), ods, xlsx});
    QVERIFY(office.waitForFinished(180000));
    const QByteArray officeSaid = office.readAll();
    QVERIFY2(office.exitCode() == 0, officeSaid.constData());
    const QString fromOds = folder.file(QStringLiteral("out/da_ods.xlsx"));
    const QString fromXlsx = folder.file(QStringLiteral("out/da_xlsx.xlsx"));
    QVERIFY2(QFile::exists(fromOds) && QFile::exists(fromXlsx), officeSaid.constData());

    const QString pythonPath = python();
    QProcess reader;
    reader.start(pythonPath, QStringList{QStringLiteral("-c"), QString::fromUtf8(kReader), fromOds, fromXlsx, xlsx});
    QVERIFY(reader.waitForFinished(60000));
    QVERIFY2(reader.exitCode() == 0, reader.readAllStandardError().constData());
    const QJsonObject books = QJsonDocument::fromJson(reader.readAllStandardOutput()).object();
    QCOMPARE(books.size(), 3);

    // What the archive holds, read on its own.
    QList<TSchedaOpera> held;
    Archive a(archive);
    a.scan([&](int, const TSchedaOpera& r) {
        held << r;
        return true;
    });
    QCOMPARE(held.size(), records.size());

    for (const QString& path : {fromOds, fromXlsx, xlsx}) {
        const QString which = QFileInfo(path).fileName() + (path == xlsx ? QStringLiteral(" (as written)") : QString());
        const QJsonObject b = books.value(path).toObject();
        QCOMPARE(b.value(QStringLiteral("sheets")).toArray(), QJsonArray{QStringLiteral("Inventario Opere")});
        // LibreOffice without a window keeps no view settings (the frozen
        // rows among them) when it saves: the frozen row is seen in the
        // file as written.
        if (path == xlsx)
            QCOMPARE(b.value(QStringLiteral("frozen")).toString(), QStringLiteral("A2"));
        QCOMPARE(b.value(QStringLiteral("filter")).toString(), QStringLiteral("A1:P13"));
        const QJsonArray rows = b.value(QStringLiteral("rows")).toArray();
        QVERIFY2(rows.size() == held.size() + 1, qPrintable(which));
        const QJsonArray headings = rows[0].toArray();
        for (int c = 0; c < kSpreadsheetColumns; ++c) {
            const QJsonObject h = headings[c].toObject();
            QCOMPARE(h.value(QStringLiteral("v")).toString(), QString::fromUtf8(exportHeading(c).text));
            QVERIFY2(h.value(QStringLiteral("b")).toBool(), qPrintable(which));
        }
        for (int r = 0; r < held.size(); ++r) {
            const QJsonArray cells = rows[r + 1].toArray();
            for (int c = 0; c < kSpreadsheetColumns; ++c) {
                const QString stored = held[r].text(kFields[c]).trimmed();
                const QJsonObject cell = cells[c].toObject();
                const QString where = QStringLiteral("%1, row %2, column %3").arg(which).arg(r + 2).arg(c + 1);
                if (c == kValueColumn) {
                    QVERIFY2(cell.value(QStringLiteral("t")).toString() == u"n", qPrintable(where));
                    QCOMPARE(qRound64(cell.value(QStringLiteral("v")).toDouble() * 100), *priceCents(stored));
                    const QString f = cell.value(QStringLiteral("f")).toString();
                    QVERIFY2(f.contains(QStringLiteral("0.00")) && f.contains(u'€'), qPrintable(where + u' ' + f));
                } else if (stored.isEmpty()) {
                    QVERIFY2(cell.value(QStringLiteral("v")).isNull(), qPrintable(where));
                } else {
                    QVERIFY2(cell.value(QStringLiteral("t")).toString() == u"s", qPrintable(where));
                    QString text = cell.value(QStringLiteral("v")).toString();
                    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
                    QString expected = stored;
                    expected.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
                    QVERIFY2(text == expected, qPrintable(where + QStringLiteral(": ") + text));
                }
            }
        }
    }
}

QTEST_GUILESS_MAIN(TestWorkbookRoundTrip)
#include "test_workbook_roundtrip.moc"
