#include "access/IniFile.h"

#include "base/Failure.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringList>
#include <optional>

namespace pinakos {

namespace {

enum class Encoding { Ansi, Utf8Bom, Utf16LeBom };

// One line of the file: its bytes as they stand (line end included), so that
// a line we do not change is written back exactly, and its text without the
// line end, which is what the names are looked for in.
struct Line
{
    QByteArray raw;
    QString text;
    bool ended = false; // raw ends in a line end
};

struct IniText
{
    Encoding encoding = Encoding::Ansi;
    QByteArray bom; // the byte-order mark the file starts with, if any
    QList<Line> lines;
    QByteArray tail; // a last odd byte of a UTF-16 file, not a character: kept at the end
    QByteArray lineEnd = "\r\n"; // the file's own line end, for lines we add
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

// The text of bytes in the file's encoding. UTF-16 is taken code unit by code
// unit: no byte-order mark is looked for again, and nothing is swapped or dropped.
QString decodeText(Encoding encoding, QByteArrayView bytes)
{
    switch (encoding) {
    case Encoding::Utf16LeBom: {
        QString s(bytes.size() / 2, Qt::Uninitialized);
        char16_t* out = reinterpret_cast<char16_t*>(s.data());
        for (qsizetype i = 0; i + 1 < bytes.size(); i += 2)
            out[i / 2] = char16_t(quint8(bytes[i]) | (quint8(bytes[i + 1]) << 8));
        return s;
    }
    case Encoding::Utf8Bom: {
        // A second mark after the file's own is a character of the text.
        QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
        return utf8(bytes);
    }
    case Encoding::Ansi:
        break;
    }
    return QString::fromLatin1(bytes);
}

QByteArray encodeText(Encoding encoding, const QString& text)
{
    switch (encoding) {
    case Encoding::Utf16LeBom: {
        QByteArray out;
        out.reserve(text.size() * 2);
        for (QChar c : text) {
            out += char(c.unicode() & 0xFF);
            out += char(c.unicode() >> 8);
        }
        return out;
    }
    case Encoding::Utf8Bom:
        return text.toUtf8();
    case Encoding::Ansi:
        break;
    }
    return text.toLatin1();
}

IniText decode(const QByteArray& bytes)
{
    IniText t;
    qsizetype start = 0;
    int unit = 1; // bytes per code unit
    if (bytes.startsWith("\xFF\xFE")) {
        t.encoding = Encoding::Utf16LeBom;
        t.bom = bytes.left(2);
        unit = 2;
    } else if (bytes.startsWith("\xEF\xBB\xBF")) {
        t.encoding = Encoding::Utf8Bom;
        t.bom = bytes.left(3);
    }
    start = t.bom.size();
    qsizetype end = bytes.size();
    if (unit == 2 && (end - start) % 2 != 0) {
        t.tail = bytes.right(1);
        --end;
    }
    const auto unitAt = [&](qsizetype i) {
        return unit == 1 ? char16_t(quint8(bytes[i])) : char16_t(quint8(bytes[i]) | (quint8(bytes[i + 1]) << 8));
    };

    bool endSeen = false;
    for (qsizetype lineStart = start; lineStart < end;) {
        qsizetype i = lineStart;
        while (i < end && unitAt(i) != u'\n')
            i += unit;
        Line l;
        l.ended = i < end;
        const qsizetype rawEnd = l.ended ? i + unit : end;
        l.raw = bytes.mid(lineStart, rawEnd - lineStart);
        qsizetype textEnd = i;
        if (textEnd > lineStart && unitAt(textEnd - unit) == u'\r')
            textEnd -= unit;
        l.text = decodeText(t.encoding, QByteArrayView(bytes).sliced(lineStart, textEnd - lineStart));
        if (l.ended && !endSeen) {
            endSeen = true;
            t.lineEnd = textEnd < i ? QByteArray("\r\n") : QByteArray("\n");
        }
        t.lines << l;
        lineStart = rawEnd;
    }
    return t;
}

QByteArray encode(const IniText& t)
{
    QByteArray out = t.bom;
    for (const Line& l : t.lines)
        out += l.raw;
    return out + t.tail;
}

// A line we write, ended with the file's own line end.
Line newLine(const IniText& t, const QString& text)
{
    Line l;
    l.text = text;
    l.raw = encodeText(t.encoding, text) + encodeText(t.encoding, QString::fromLatin1(t.lineEnd));
    l.ended = true;
    return l;
}

// The line end of a line, in its own bytes (empty when it has none).
QByteArray lineEndOf(const IniText& t, const Line& l)
{
    if (!l.ended)
        return {};
    const int unit = t.encoding == Encoding::Utf16LeBom ? 2 : 1;
    const QByteArray cr = encodeText(t.encoding, QStringLiteral("\r"));
    const QByteArray body = l.raw.left(l.raw.size() - unit);
    return body.endsWith(cr) ? l.raw.right(2 * unit) : l.raw.right(unit);
}

// Before a line is added after the file's last line, that line gets an end.
void endLastLine(IniText& t)
{
    if (t.lines.isEmpty() || t.lines.constLast().ended)
        return;
    Line& last = t.lines.last();
    // A last line that stops after a CR gets only the LF, so that its text stays as it was.
    const QByteArray cr = encodeText(t.encoding, QStringLiteral("\r"));
    const QByteArray end = encodeText(t.encoding, QString::fromLatin1(t.lineEnd));
    last.raw += last.raw.endsWith(cr) ? encodeText(t.encoding, QStringLiteral("\n")) : end;
    last.ended = true;
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

Place find(const QList<Line>& lines, const QString& section, const QString& key)
{
    Place p;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const std::optional<QString> name = sectionName(lines.at(i).text);
        if (!name || !sameName(*name, section))
            continue;
        p.section = i;
        p.insertAt = i + 1;
        for (qsizetype j = i + 1; j < lines.size(); ++j) {
            const QString& l = lines.at(j).text;
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
    const QByteArray bytes = f.read(kMaxIniBytes + 1);
    // Grown since it was looked at: still not a settings file.
    if (bytes.size() > kMaxIniBytes)
        throw Failure(QStringLiteral("Il file %1 è troppo grande per essere un file di impostazioni.").arg(file));
    return decode(bytes);
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
    keyLine(t->lines.at(p.key).text, &n, &v);
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
    if (p.key >= 0) {
        // The changed line keeps its own line end.
        Line& l = t.lines[p.key];
        l.raw = encodeText(t.encoding, keyText) + lineEndOf(t, l);
        l.text = keyText;
    } else if (p.section >= 0) {
        if (p.insertAt == t.lines.size())
            endLastLine(t);
        t.lines.insert(p.insertAt, newLine(t, keyText));
    } else {
        endLastLine(t);
        t.lines << newLine(t, u'[' + section + u']') << newLine(t, keyText);
    }

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
