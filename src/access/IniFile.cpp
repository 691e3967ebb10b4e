#include "access/IniFile.h"

#include "app/Failure.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>
#include <optional>

namespace pinakos {

namespace {

enum class Encoding { Ansi, Utf8Bom, Utf16LeBom };

struct IniText
{
    Encoding encoding = Encoding::Ansi;
    QStringList lines;
};

// Names and values lose blanks and tabs at either end.
QString stripBlanks(QStringView s)
{
    qsizetype b = 0, e = s.size();
    while (b < e && (s.at(b) == u' ' || s.at(b) == u'\t'))
        ++b;
    while (e > b && (s.at(e - 1) == u' ' || s.at(e - 1) == u'\t'))
        --e;
    return s.mid(b, e - b).toString();
}

IniText decode(const QByteArray& bytes)
{
    IniText t;
    QString text;
    if (bytes.startsWith("\xFF\xFE")) {
        t.encoding = Encoding::Utf16LeBom;
        const QByteArray body = bytes.mid(2);
        text = QString::fromUtf16(reinterpret_cast<const char16_t*>(body.constData()), body.size() / 2);
    } else if (bytes.startsWith("\xEF\xBB\xBF")) {
        t.encoding = Encoding::Utf8Bom;
        text = QString::fromUtf8(bytes.mid(3));
    } else {
        // Byte for byte, so that lines we do not touch are written back as they were.
        text = QString::fromLatin1(bytes);
    }
    if (text.isEmpty())
        return t;
    t.lines = text.split(u'\n');
    for (QString& l : t.lines)
        if (l.endsWith(u'\r'))
            l.chop(1);
    // A final line end does not start another line.
    if (t.lines.size() > 1 && t.lines.constLast().isEmpty())
        t.lines.removeLast();
    return t;
}

QByteArray encode(const IniText& t)
{
    QString text;
    for (const QString& l : t.lines) {
        text += l;
        text += QLatin1String("\r\n");
    }
    switch (t.encoding) {
    case Encoding::Utf16LeBom: {
        QByteArray out("\xFF\xFE", 2);
        for (QChar c : text) {
            out += char(c.unicode() & 0xFF);
            out += char(c.unicode() >> 8);
        }
        return out;
    }
    case Encoding::Utf8Bom:
        return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
    case Encoding::Ansi:
        break;
    }
    return text.toLatin1();
}

// The section name of a header line ("[name]"); nothing for other lines.
std::optional<QString> sectionName(const QString& line)
{
    const QString s = stripBlanks(line);
    if (!s.startsWith(u'['))
        return std::nullopt;
    qsizetype end = s.indexOf(u']');
    if (end < 0)
        end = s.size();
    return stripBlanks(QStringView(s).mid(1, end - 1));
}

// Splits "name = value"; false for a line without "=".
bool keyLine(const QString& line, QString* name, QString* value)
{
    const qsizetype eq = line.indexOf(u'=');
    if (eq < 0)
        return false;
    *name = stripBlanks(QStringView(line).left(eq));
    QString v = stripBlanks(QStringView(line).mid(eq + 1));
    // A value in a pair of matching quotes loses them.
    if (v.size() >= 2 && (v.front() == u'"' || v.front() == u'\'') && v.back() == v.front())
        v = v.mid(1, v.size() - 2);
    *value = v;
    return true;
}

bool sameName(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

// Where the key lies: the index of the section's header (-1 when missing),
// the index of the key's line (-1 when missing) and the index after the
// section's last non-blank line.
struct Place
{
    qsizetype section = -1, key = -1, insertAt = -1;
};

Place find(const QStringList& lines, const QString& section, const QString& key)
{
    Place p;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const std::optional<QString> name = sectionName(lines.at(i));
        if (!name || !sameName(*name, section))
            continue;
        p.section = i;
        p.insertAt = i + 1;
        for (qsizetype j = i + 1; j < lines.size(); ++j) {
            const QString& l = lines.at(j);
            if (sectionName(l))
                break;
            if (!stripBlanks(l).isEmpty())
                p.insertAt = j + 1;
            QString n, v;
            if (p.key < 0 && keyLine(l, &n, &v) && sameName(n, key))
                p.key = j;
        }
        return p; // the first section of that name is the one read
    }
    return p;
}

// A settings file holds a few lines; anything this large is not one.
constexpr qint64 kMaxIniBytes = 1 << 20;

// The file's lines; nothing when it is missing, is no plain file or cannot be
// opened. Throws pinakos::Failure when it is too large to be a settings file.
std::optional<IniText> load(const QString& file)
{
    const QFileInfo info(file);
    if (!info.isFile())
        return std::nullopt;
    if (info.size() > kMaxIniBytes)
        throw Failure(QStringLiteral("Il file %1 è troppo grande per essere un file di impostazioni.").arg(file));
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    return decode(f.read(kMaxIniBytes));
}

} // namespace

QString readIniValue(const QString& file, const QString& section, const QString& key)
{
    const std::optional<IniText> t = load(file);
    if (!t)
        return QString();
    const Place p = find(t->lines, section, key);
    if (p.key < 0)
        return QString();
    QString n, v;
    keyLine(t->lines.at(p.key), &n, &v);
    return v;
}

void writeIniValue(const QString& file, const QString& section, const QString& key, const QString& value)
{
    if (value.contains(u'\n') || value.contains(u'\r'))
        throw Failure(QStringLiteral("Valore non ammesso in un file di impostazioni."));

    IniText t;
    const QFileInfo info(file);
    if (info.exists()) {
        std::optional<IniText> old = load(file);
        if (!old)
            throw Failure(QStringLiteral("Impossibile leggere il file %1.").arg(file));
        // A read-only file stays as it is, as the system's own profile functions leave it.
        if (!info.isWritable())
            throw Failure(QStringLiteral("Il file %1 è in sola lettura.").arg(file));
        t = std::move(*old);
    }

    const QString keyText = key + u'=' + value;
    const Place p = find(t.lines, section, key);
    if (p.key >= 0)
        t.lines[p.key] = keyText;
    else if (p.section >= 0)
        t.lines.insert(p.insertAt, keyText);
    else
        t.lines << u'[' + section + u']' << keyText;

    const QByteArray bytes = encode(t);
    QSaveFile out(file);
    const auto fail = [&] {
        const QString reason = out.errorString();
        out.cancelWriting();
        throw Failure(QStringLiteral("Impossibile scrivere il file %1: %2").arg(file, reason));
    };
    // Unbuffered, so that a disk that fills up shows in write() itself: a
    // buffered write that fails at the final flush can slip past commit(),
    // which would then put a cut-off file in place of the old one.
    if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        fail();
    for (qsizetype done = 0; done < bytes.size();) {
        const qint64 n = out.write(bytes.constData() + done, bytes.size() - done);
        if (n <= 0)
            fail();
        done += n;
    }
    if (!out.commit())
        fail();
}

} // namespace pinakos
