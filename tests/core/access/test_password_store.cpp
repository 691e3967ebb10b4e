#include "FileSizeLimit.h"
#include "ReadOnlyTree.h"
#include "TempFolder.h"
#include "Texts.h"
#include "access/Crypt.h"
#include "access/IniFile.h"
#include "access/PasswordStore.h"
#include "base/Failure.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace pinakos;
using pinakos::test::canCreateIn;
using pinakos::test::canWrite;
using pinakos::test::FileSizeLimit;
using pinakos::test::kNoReadOnlyFolder;
using pinakos::test::kPasswordFile;
using pinakos::test::TempFolder;
using namespace Qt::StringLiterals;

namespace {
// UTF-16LE code units of text, without a byte-order mark.
QByteArray utf16(const QString& text)
{
    QByteArray out;
    for (QChar c : text) {
        out += char(c.unicode() & 0xFF);
        out += char(c.unicode() >> 8);
    }
    return out;
}
} // namespace

class TestPasswordStore : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void normalForm_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("normal");
        QTest::newRow("lower") << "pinakos"
                               << "PINAKOS";
        QTest::newRow("mixed, blanks around") << "  PiNaKoS \t"
                                              << "PINAKOS";
        QTest::newRow("inner blank kept") << "a b"
                                          << "A B";
        QTest::newRow("accented keep case") << "èÈ"
                                            << "èÈ";
        QTest::newRow("digits, symbols") << "x1-?"
                                         << "X1-?";
        QTest::newRow("blank") << " \t\r\n"
                               << "";
    }
    void normalForm()
    {
        QFETCH(QString, typed);
        QFETCH(QString, normal);
        QCOMPARE(normalPassword(typed), normal);
    }

    void storable_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("ok");
        QTest::newRow("word") << "Pinakos" << true;
        QTest::newRow("accented") << "perché" << true;
        QTest::newRow("code 255") << QString(QChar(0xFF)) << true;
        QTest::newRow("255 chars") << QString(255, u'x') << true;
        QTest::newRow("255 chars and blanks") << "  " + QString(255, u'x') + "  " << true;
        QTest::newRow("256 chars") << QString(256, u'x') << false;
        QTest::newRow("euro sign") << "prezzo€" << false;
        QTest::newRow("code 0 inside") << QStringLiteral("ab") + QChar(0) + QStringLiteral("c") << false;
        QTest::newRow("blank") << "   " << false;
    }
    void storable()
    {
        QFETCH(QString, typed);
        QFETCH(bool, ok);
        QCOMPARE(isStorablePassword(typed), ok);
    }

    void fileInProgramFolder()
    {
        TempFolder dir;
        QCOMPARE(passwordFile(), dir.file(kPasswordFile));
    }

    void missingFileOrKeyReadsEmpty()
    {
        TempFolder dir;
        QCOMPARE(readStoredPassword(), QString());
        QVERIFY(!passwordAccepted(QStringLiteral("x")));
        dir.write(kPasswordFile, "[Altro]\r\nValore=7A\r\n[Accesso]\r\nChiave=7A\r\n");
        QCOMPARE(readStoredPassword(), QString());
        dir.write(kPasswordFile, "[Accesso]\r\nValore=\r\n");
        QCOMPARE(readStoredPassword(), QString());
        QVERIFY(!passwordAccepted(QStringLiteral(" ")));
    }

    void readTolerance_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray hex = ScrambleText(QStringLiteral("AB")).toLatin1();
        QTest::newRow("CRLF") << "[Accesso]\r\nValore=" + hex + "\r\n";
        QTest::newRow("LF, no final end") << "[Accesso]\nValore=" + hex;
        QTest::newRow("blanks around") << "  [ Accesso ]  \n  Valore \t=  " + hex + "  \n";
        QTest::newRow("lower-case names") << "[accesso]\nVALORE=" + hex + "\n";
        QTest::newRow("after other section") << "[Altro]\nValore=00\n\n[Accesso]\nX=1\nValore=" + hex + "\n";
        QTest::newRow("UTF-8 BOM") << "\xEF\xBB\xBF[Accesso]\r\nValore=" + hex + "\r\n";
        QTest::newRow("lower-case hex") << "[Accesso]\nValore=" + hex.toLower() + "\n";
        QByteArray utf16("\xFF\xFE", 2);
        for (char c : QByteArray("[Accesso]\r\nValore=" + hex + "\r\n")) {
            utf16 += c;
            utf16 += '\0';
        }
        QTest::newRow("UTF-16LE BOM") << utf16;
    }
    void readTolerance()
    {
        QFETCH(QByteArray, bytes);
        TempFolder dir;
        dir.write(kPasswordFile, bytes);
        QCOMPARE(readStoredPassword(), QStringLiteral("AB"));
        QVERIFY(passwordAccepted(QStringLiteral(" ab ")));
    }

    void damagedValueThrows()
    {
        TempFolder dir;
        dir.write(kPasswordFile, "[Accesso]\r\nValore=7A2Q\r\n");
        QVERIFY_THROWS_EXCEPTION(Failure, readStoredPassword());
    }

    void storeCreatesFile()
    {
        TempFolder dir;
        storePassword(QStringLiteral("  pinakos "));
        QCOMPARE(dir.read(kPasswordFile),
                 "[Accesso]\r\nValore=" + ScrambleText(QStringLiteral("PINAKOS")).toLatin1() + "\r\n");
        QCOMPARE(readStoredPassword(), QStringLiteral("PINAKOS"));
        QVERIFY(passwordAccepted(QStringLiteral("PinAkos")));
        QVERIFY(!passwordAccepted(QStringLiteral("PIN AKOS")));
    }

    void storeKeepsOtherLines_data()
    {
        // '@' in `after` stands for the new stored value.
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("value replaced, LF kept")
            << QByteArray("; note\n[Altro]\nValore=11\n[accesso]\nPrima=1\nvalore = 00\nDopo=2\n")
            << QByteArray("; note\n[Altro]\nValore=11\n[accesso]\nPrima=1\nValore=@\nDopo=2\n");
        QTest::newRow("key added to section")
            << QByteArray("[Accesso]\r\nPrima=1\r\n\r\n[Altro]\r\nX=\xe8\r\n")
            << QByteArray("[Accesso]\r\nPrima=1\r\nValore=@\r\n\r\n[Altro]\r\nX=\xe8\r\n");
        QTest::newRow("section added, file's line end")
            << QByteArray("[Altro]\nX=1") << QByteArray("[Altro]\nX=1\n[Accesso]\nValore=@\n");
        QTest::newRow("section added to a file without line ends")
            << QByteArray("X=1") << QByteArray("X=1\r\n[Accesso]\r\nValore=@\r\n");
        QTest::newRow("mixed line ends kept")
            << QByteArray("[Altro]\r\nA=1\nB=2\r\n[Accesso]\nValore=00\r\nC=\x80\x81\n")
            << QByteArray("[Altro]\r\nA=1\nB=2\r\n[Accesso]\nValore=@\r\nC=\x80\x81\n");
        QTest::newRow("last line without end")
            << QByteArray("[Accesso]\r\nX=1") << QByteArray("[Accesso]\r\nX=1\r\nValore=@\r\n");
        QTest::newRow("last line ending in a lone CR")
            << QByteArray("[Altro]\r\nX=1\r") << QByteArray("[Altro]\r\nX=1\r\n[Accesso]\r\nValore=@\r\n");
        QTest::newRow("UTF-8 BOM kept") << QByteArray("\xEF\xBB\xBF[Accesso]\nValore=00\n")
                                        << QByteArray("\xEF\xBB\xBF[Accesso]\nValore=@\n");
        QTest::newRow("UTF-8: a second BOM and a bad byte kept")
            << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF; \xC3(\n[Accesso]\nValore=00\n")
            << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF; \xC3(\n[Accesso]\nValore=@\n");
    }
    void storeKeepsOtherLines()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        TempFolder dir;
        dir.write(kPasswordFile, before);
        storePassword(QStringLiteral("nuova"));
        after.replace('@', ScrambleText(QStringLiteral("NUOVA")).toLatin1());
        QCOMPARE(dir.read(kPasswordFile), after);
        QCOMPARE(readStoredPassword(), QStringLiteral("NUOVA"));
    }

    // A UTF-16 file is taken code unit by code unit after its byte-order mark:
    // a character that looks like another mark neither swaps the bytes nor
    // goes missing, so what is stored reads back and every other line stays.
    void utf16TakenAsWritten_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after"); // '@' stands for the new value
        QTest::addColumn<QString>("storedBefore");
        const QByteArray bom("\xFF\xFE", 2);
        const QString old = ScrambleText(QStringLiteral("AB"));
        QTest::newRow("first character U+FFFE")
            << bom + utf16(QChar(0xFFFE) + u"\r\n[Accesso]\r\nValore="_s + old + u"\r\n"_s)
            << bom + utf16(QChar(0xFFFE) + u"\r\n[Accesso]\r\nValore=@\r\n"_s) << QStringLiteral("AB");
        QTest::newRow("FF FE FE FF FF FE")
            << QByteArray("\xFF\xFE\xFE\xFF\xFF\xFE", 6)
            << QByteArray("\xFF\xFE\xFE\xFF\xFF\xFE", 6) + utf16(u"\r\n[Accesso]\r\nValore=@\r\n"_s) << QString();
        QTest::newRow("leading U+FEFF kept")
            << bom + utf16(QChar(0xFEFF) + u"[Altro]\r\nX=€\r\n[Accesso]\r\nValore="_s + old + u"\r\n"_s)
            << bom + utf16(QChar(0xFEFF) + u"[Altro]\r\nX=€\r\n[Accesso]\r\nValore=@\r\n"_s) << QStringLiteral("AB");
        QTest::newRow("LF and an odd last byte kept")
            << bom + utf16(u"[Accesso]\nValore="_s + old + u"\n"_s) + '\x41'
            << bom + utf16(u"[Accesso]\nValore=@\n"_s) + '\x41' << QStringLiteral("AB");
        QTest::newRow("byte 0A in a character is no line end")
            << bom + utf16(QChar(0x0A0D) + u"=1\r\n[Accesso]\r\nValore="_s + old)
            << bom + utf16(QChar(0x0A0D) + u"=1\r\n[Accesso]\r\nValore=@"_s) << QStringLiteral("AB");
    }
    void utf16TakenAsWritten()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        QFETCH(QString, storedBefore);
        TempFolder dir;
        dir.write(kPasswordFile, before);
        QCOMPARE(readStoredPassword(), storedBefore);
        storePassword(QStringLiteral("nuova"));
        QCOMPARE(readStoredPassword(), QStringLiteral("NUOVA"));
        QVERIFY(passwordAccepted(QStringLiteral("Nuova")));
        const QByteArray value = utf16(ScrambleText(QStringLiteral("NUOVA")));
        after.replace(utf16(u"@"_s), value);
        QCOMPARE(dir.read(kPasswordFile).toHex(' '), after.toHex(' '));
    }

    void storeKeepsUtf16()
    {
        TempFolder dir;
        const QString text = QStringLiteral("[Altro]\r\nNome=€\r\n[Accesso]\r\nValore=00\r\n");
        QByteArray bytes("\xFF\xFE", 2);
        bytes += QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
        dir.write(kPasswordFile, bytes);
        storePassword(QStringLiteral("x"));
        QCOMPARE(readStoredPassword(), QStringLiteral("X"));
        const QByteArray out = dir.read(kPasswordFile);
        QVERIFY(out.startsWith("\xFF\xFE"));
        const QString back =
            QString::fromUtf16(reinterpret_cast<const char16_t*>(out.constData() + 2), (out.size() - 2) / 2);
        QCOMPARE(back,
                 QStringLiteral("[Altro]\r\nNome=€\r\n[Accesso]\r\nValore=") + ScrambleText(QStringLiteral("X"))
                     + "\r\n");
    }

    void unstorableRefused()
    {
        TempFolder dir;
        storePassword(QStringLiteral("vecchia"));
        const QByteArray before = dir.read(kPasswordFile);
        QVERIFY_THROWS_EXCEPTION(Failure, storePassword(QStringLiteral("€uro")));
        QVERIFY_THROWS_EXCEPTION(Failure, storePassword(QString(256, u'a')));
        QCOMPARE(dir.read(kPasswordFile), before);
    }

    void failedWriteKeepsOldFile()
    {
        TempFolder dir;
        storePassword(QStringLiteral("vecchia"));
        const QByteArray before = dir.read(kPasswordFile);
        QFile::Permissions perms = QFile::permissions(dir.path());
        QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
        if (canCreateIn(dir.path())) {
            QFile::setPermissions(dir.path(), perms);
            QSKIP(kNoReadOnlyFolder);
        }
        bool threw = false;
        try {
            storePassword(QStringLiteral("nuova"));
        } catch (const Failure&) {
            threw = true;
        }
        QFile::setPermissions(dir.path(), perms);
        QVERIFY(threw);
        QCOMPARE(dir.read(kPasswordFile), before);
        QCOMPARE(readStoredPassword(), QStringLiteral("VECCHIA"));
        // Nothing left behind by the failed write.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{kPasswordFile});
    }

    void fullDiskKeepsOldFile()
    {
        // A file size limit below the new file's size makes the write fail.
        TempFolder dir;
        dir.write(kPasswordFile, "[Accesso]\r\nValore=" + ScrambleText(QStringLiteral("VECCHIA")).toLatin1() + "\r\n");
        const QByteArray before = dir.read(kPasswordFile);
        bool threw = false;
        {
            FileSizeLimit limit(16);
            PINAKOS_REQUIRE_ACTIVE_LIMIT(limit);
            try {
                storePassword(QStringLiteral("nuova password lunga"));
            } catch (const Failure&) {
                threw = true;
            }
        }
        QVERIFY(threw);
        QCOMPARE(dir.read(kPasswordFile), before);
        QCOMPARE(readStoredPassword(), QStringLiteral("VECCHIA"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{kPasswordFile});
    }

    void readOnlyFileKept()
    {
        TempFolder dir;
        storePassword(QStringLiteral("vecchia"));
        const QByteArray before = dir.read(kPasswordFile);
        QFile::Permissions perms = QFile::permissions(dir.file(kPasswordFile));
        QVERIFY(QFile::setPermissions(dir.file(kPasswordFile), QFile::ReadOwner));
        if (canWrite(dir.file(kPasswordFile))) {
            QFile::setPermissions(dir.file(kPasswordFile), perms);
            QSKIP(kNoReadOnlyFolder);
        }
        QVERIFY_THROWS_EXCEPTION(Failure, storePassword(QStringLiteral("nuova")));
        QFile::setPermissions(dir.file(kPasswordFile), perms);
        QCOMPARE(dir.read(kPasswordFile), before);
    }

    void oversizedFileIsDamaged()
    {
        // Not a settings file: reading and writing both fail, and it stays as it was.
        TempFolder dir;
        const QByteArray big =
            "[Accesso]\r\nValore=" + ScrambleText(QStringLiteral("A")).toLatin1() + "\r\n" + QByteArray(2 << 20, 'x');
        dir.write(kPasswordFile, big);
        QVERIFY_THROWS_EXCEPTION(Failure, readStoredPassword());
        QVERIFY_THROWS_EXCEPTION(Failure, storePassword(QStringLiteral("nuova")));
        QCOMPARE(dir.read(kPasswordFile).size(), big.size());
    }

    void folderInPlaceOfFileFails()
    {
        // A folder named like the password file: reading gives nothing, writing fails.
        TempFolder dir;
        QVERIFY(QDir().mkpath(dir.file(kPasswordFile)));
        QCOMPARE(readStoredPassword(), QString());
        QVERIFY_THROWS_EXCEPTION(Failure, storePassword(QStringLiteral("nuova")));
        QVERIFY(QFileInfo(dir.file(kPasswordFile)).isDir());
    }
};

QTEST_GUILESS_MAIN(TestPasswordStore)
#include "test_password_store.moc"
