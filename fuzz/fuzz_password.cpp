// The password file and the scrambler. Any file of settings: reading never
// fails (it is small); storing a value reads back; every other key of the
// file reads as before; storing the same value twice changes nothing more;
// the byte-order mark stays. The scrambler agrees with a plain loop of its
// own here, and unscrambling undoes scrambling.
#include "FuzzCheck.h"
#include "access/Crypt.h"
#include "access/IniFile.h"
#include "base/Failure.h"

#include <QFile>
#include <QStringList>

using namespace pinakos;

namespace {

QString referenceScramble(const QString& plain)
{
    quint16 key = 0x3B5D;
    QString out;
    for (QChar c : plain) {
        const quint8 b = quint8(c.unicode() & 0xFF) ^ quint8(key >> 8);
        out += QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0')).toUpper();
        key = quint16((quint32(key) + b) * 0xB7F5u + 0x71A3u);
    }
    return out;
}

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        pinakos::fuzz::fail("cannot write the settings file", __FILE__, __LINE__);
}

// Sections and keys named in the file, as a rough reader sees them: the
// names to ask again after a write. Only plain ASCII names, which every
// encoding of the file spells alike.
QList<QPair<QString, QString>> namesIn(const QByteArray& bytes)
{
    QList<QPair<QString, QString>> names;
    QString section;
    QString text;
    for (char c : bytes)
        if ((c >= 0x20 && c < 0x7F) || c == '\n')
            text += QLatin1Char(c);
    for (const QString& line : text.split(u'\n')) {
        const QString t = line.trimmed();
        if (t.startsWith(u'[') && t.contains(u']'))
            section = t.mid(1, t.indexOf(u']') - 1).trimmed();
        else if (t.contains(u'=') && !section.isEmpty())
            names << qMakePair(section, t.left(t.indexOf(u'=')).trimmed());
        if (names.size() >= 8)
            break;
    }
    return names;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    pinakos::fuzz::startApplication();
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));

    // The scrambler both ways.
    QString plain = QString::fromLatin1(input.left(255));
    plain.remove(QChar(0));
    const QString hex = ScrambleText(plain);
    FUZZ_CHECK(hex == referenceScramble(plain));
    FUZZ_CHECK(hex.size() == 2 * plain.size());
    FUZZ_CHECK(UnscrambleText(hex) == plain);
    FUZZ_CHECK(UnscrambleText(hex.toLower()) == plain);
    FUZZ_CHECK(UnscrambleText(hex + u'7') == plain); // a last odd digit is ignored
    // Any stored text: either a failure or half as many characters.
    const QString stored = QString::fromLatin1(input.left(64));
    try {
        const QString p = UnscrambleText(stored);
        FUZZ_CHECK(p.size() == stored.size() / 2);
        FUZZ_CHECK(ScrambleText(p) == stored.left(p.size() * 2).toUpper());
    } catch (const Failure&) {
    }

    // The settings file: the input as it stands.
    const QString file = pinakos::fuzz::scratchFolder() + QStringLiteral("unins000.dll");
    writeFile(file, input);
    const QString section = QStringLiteral("Accesso");
    const QString key = QStringLiteral("Valore");
    const QList<QPair<QString, QString>> names = namesIn(input);
    QStringList before;
    for (const auto& [s, k] : names)
        before << readIniValue(file, s, k);
    readIniValue(file, section, key);

    writeIniValue(file, section, key, hex);
    const QByteArray once = fileBytes(file);
    FUZZ_CHECK_MSG(readIniValue(file, section, key) == hex, QString::fromLatin1(input.toHex()));
    for (qsizetype i = 0; i < names.size(); ++i) {
        const auto& [s, k] = names.at(i);
        if (s.compare(section, Qt::CaseInsensitive) == 0 && k.compare(key, Qt::CaseInsensitive) == 0)
            continue;
        FUZZ_CHECK_MSG(readIniValue(file, s, k) == before.at(i), s + u'/' + k);
    }
    // The byte-order mark the file began with is still there.
    for (const QByteArray& bom : {QByteArray("\xFF\xFE", 2), QByteArray("\xEF\xBB\xBF")})
        if (input.startsWith(bom))
            FUZZ_CHECK(once.startsWith(bom));
    // Nothing but the value's line and the lines added may change.
    FUZZ_CHECK(once.size() <= input.size() + 2 * (section.size() + key.size() + hex.size() + 12));

    writeIniValue(file, section, key, hex);
    FUZZ_CHECK(fileBytes(file) == once);
    // Another value and back: the same bytes again.
    writeIniValue(file, section, key, QStringLiteral("00"));
    FUZZ_CHECK(readIniValue(file, section, key) == QStringLiteral("00"));
    writeIniValue(file, section, key, hex);
    FUZZ_CHECK(fileBytes(file) == once);
    return 0;
}
