// The password file as Windows itself reads and writes it: the profile
// functions of the system (GetPrivateProfileString, WritePrivateProfileString)
// and our reader and writer agree on the same files. Built for Windows only.
#include "TempFolder.h"
#include "access/IniFile.h"

#include <QDir>
#include <QTest>

#include <windows.h>

using namespace pinakos;
using pinakos::test::TempFolder;

namespace {

const QString kFile = QStringLiteral("unins000.dll");

QString nativePath(const TempFolder& dir) { return QDir::toNativeSeparators(dir.file(kFile)); }

// What Windows reads for key in section ("" when missing).
QString windowsReads(const QString& path, const QString& section, const QString& key)
{
    wchar_t buffer[512] = {};
    const DWORD n = GetPrivateProfileStringW(reinterpret_cast<const wchar_t*>(section.utf16()),
                                             reinterpret_cast<const wchar_t*>(key.utf16()), L"", buffer,
                                             DWORD(std::size(buffer)), reinterpret_cast<const wchar_t*>(path.utf16()));
    return QString::fromWCharArray(buffer, int(n));
}

bool windowsWrites(const QString& path, const QString& section, const QString& key, const QString& value)
{
    const bool ok = WritePrivateProfileStringW(
        reinterpret_cast<const wchar_t*>(section.utf16()), reinterpret_cast<const wchar_t*>(key.utf16()),
        reinterpret_cast<const wchar_t*>(value.utf16()), reinterpret_cast<const wchar_t*>(path.utf16()));
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, reinterpret_cast<const wchar_t*>(path.utf16())); // flush
    return ok;
}

QByteArray utf16Le(const QString& text)
{
    QByteArray out("\xFF\xFE", 2);
    for (QChar c : text) {
        out += char(c.unicode() & 0xFF);
        out += char(c.unicode() >> 8);
    }
    return out;
}

} // namespace

class TestIniWindows : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void files_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("CRLF") << QByteArray("[Accesso]\r\nValore=7A2B\r\n");
        QTest::newRow("LF, no final end") << QByteArray("[Accesso]\nValore=7A2B");
        QTest::newRow("blanks around") << QByteArray("  [Accesso]  \n  Valore \t=  7A2B  \n");
        QTest::newRow("names in other case") << QByteArray("[accesso]\nVALORE=7A2B\n");
        QTest::newRow("after another section") << QByteArray("[Altro]\nValore=00\n\n[Accesso]\nX=1\nValore=7A2B\n");
        QTest::newRow("comment lines") << QByteArray("; nota\n[Accesso]\n; Valore=00\nValore=7A2B\n");
        QTest::newRow("key missing") << QByteArray("[Accesso]\nAltro=1\n");
        QTest::newRow("section missing") << QByteArray("[Altro]\nValore=7A2B\n");
        QTest::newRow("empty value") << QByteArray("[Accesso]\nValore=\n");
        QTest::newRow("UTF-8 BOM") << QByteArray("\xEF\xBB\xBF[Accesso]\r\nValore=7A2B\r\n");
        QTest::newRow("UTF-16LE BOM") << utf16Le(QStringLiteral("[Altro]\r\nNome=€\r\n[Accesso]\r\nValore=7A2B\r\n"));
        QTest::newRow("empty file") << QByteArray();
    }

    // What we read is what Windows reads.
    void files()
    {
        QFETCH(QByteArray, bytes);
        TempFolder dir;
        dir.write(kFile, bytes);
        const QString path = nativePath(dir);
        QCOMPARE(readIniValue(path, QStringLiteral("Accesso"), QStringLiteral("Valore")),
                 windowsReads(path, QStringLiteral("Accesso"), QStringLiteral("Valore")));
    }

    void ourWritesReadByWindows_data() { files_data(); }

    // What we write Windows reads, and every other value still reads as before.
    void ourWritesReadByWindows()
    {
        QFETCH(QByteArray, bytes);
        TempFolder dir;
        dir.write(kFile, bytes);
        const QString path = nativePath(dir);
        const QString otherBefore = windowsReads(path, QStringLiteral("Altro"), QStringLiteral("Nome"));
        const QString xBefore = windowsReads(path, QStringLiteral("Accesso"), QStringLiteral("X"));
        writeIniValue(path, QStringLiteral("Accesso"), QStringLiteral("Valore"), QStringLiteral("0C1D2E"));
        QCOMPARE(windowsReads(path, QStringLiteral("Accesso"), QStringLiteral("Valore")), QStringLiteral("0C1D2E"));
        QCOMPARE(windowsReads(path, QStringLiteral("Altro"), QStringLiteral("Nome")), otherBefore);
        QCOMPARE(windowsReads(path, QStringLiteral("Accesso"), QStringLiteral("X")), xBefore);
    }

    void windowsWritesReadByUs_data() { files_data(); }

    // What Windows writes we read.
    void windowsWritesReadByUs()
    {
        QFETCH(QByteArray, bytes);
        TempFolder dir;
        dir.write(kFile, bytes);
        const QString path = nativePath(dir);
        QVERIFY(windowsWrites(path, QStringLiteral("Accesso"), QStringLiteral("Valore"), QStringLiteral("0C1D2E")));
        QCOMPARE(readIniValue(path, QStringLiteral("Accesso"), QStringLiteral("Valore")), QStringLiteral("0C1D2E"));
    }

    // A file Windows made from nothing reads back.
    void windowsMadeFile()
    {
        TempFolder dir;
        const QString path = nativePath(dir);
        QVERIFY(windowsWrites(path, QStringLiteral("Accesso"), QStringLiteral("Valore"), QStringLiteral("7A2B")));
        QCOMPARE(readIniValue(path, QStringLiteral("Accesso"), QStringLiteral("Valore")), QStringLiteral("7A2B"));
    }
};

QTEST_GUILESS_MAIN(TestIniWindows)
#include "test_ini_windows.moc"
