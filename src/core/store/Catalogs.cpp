#include "store/Catalogs.h"

#include "base/Failure.h"
#include "base/ProgramFolder.h"
#include "base/Text.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace pinakos {

namespace {

const QString kExt = QStringLiteral(".art");

bool isReservedDeviceName(const QString& name)
{
    // Windows reserves these names whatever follows the first dot.
    QString base = name.section(u'.', 0, 0);
    while (base.endsWith(u' '))
        base.chop(1);
    base = base.toUpper();
    static const QStringList plain = {
        QStringLiteral("CON"), QStringLiteral("PRN"),    QStringLiteral("AUX"),
        QStringLiteral("NUL"), QStringLiteral("CONIN$"), QStringLiteral("CONOUT$"),
    };
    if (plain.contains(base))
        return true;
    if (base.size() == 4 && (base.startsWith(QLatin1String("COM")) || base.startsWith(QLatin1String("LPT")))) {
        const QChar d = base.at(3);
        return (d >= u'1' && d <= u'9') || d == QChar(0x00B9) || d == QChar(0x00B2) || d == QChar(0x00B3);
    }
    return false;
}

} // namespace

QStringList listCatalogs(const QString& folder)
{
    QStringList lines;
    const QFileInfoList entries = QDir(folder).entryInfoList(QDir::Files | QDir::Hidden | QDir::System, QDir::NoSort);
    for (const QFileInfo& fi : entries)
        if (fi.isFile() && fi.fileName().endsWith(kExt, Qt::CaseInsensitive))
            lines.append(fi.fileName());
    std::stable_sort(lines.begin(), lines.end(), lessFolded);
    return lines;
}

QString countLine(int count)
{
    return QStringLiteral("Sono stati creati ") + QString::number(count)
        + QStringLiteral(" cataloghi di opere d'arte.");
}

QString catalogName(const QString& line) { return line.left(std::max<qsizetype>(0, line.size() - 4)); }

QString catalogPathOfLine(const QString& line) { return programFolder() + trimmed(line); }

QString catalogPathOfName(const QString& name) { return programFolder() + name + kExt; }

bool isValidCatalogName(const QString& name)
{
    if (name.isEmpty() || name.endsWith(u'.') || name.endsWith(u' '))
        return false;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QChar c = name.at(i);
        if (c.unicode() < 32 || c.unicode() == 127)
            return false;
        if (QStringView(u"<>:\"/\\|?*").contains(c))
            return false;
        if (c.isHighSurrogate() && i + 1 < name.size() && name.at(i + 1).isLowSurrogate()) {
            ++i;
            continue;
        }
        if (c.isSurrogate())
            return false;
    }
    if (isReservedDeviceName(name))
        return false;
    // One file name: at most 255 UTF-16 units (Windows) and 255 bytes (here).
    const QString file = name + kExt;
    if (file.size() > 255 || QFile::encodeName(file).size() > 255)
        return false;
    const QString path = QDir::toNativeSeparators(programFolder() + file);
#ifdef Q_OS_WIN
    if (path.size() >= 260)
        return false;
#else
    if (QFile::encodeName(path).size() >= 4096)
        return false;
#endif
    return true;
}

bool catalogExists(const QString& folder, const QString& name)
{
    const QString file = name + kExt;
    if (QFileInfo::exists(QDir(folder).filePath(file)))
        return true;
    const QStringList entries =
        QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::NoSort);
    for (const QString& e : entries)
        if (e.compare(file, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

void createCatalog(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        throw Failure(
            QStringLiteral("Attenzione: non è stato possibile creare il file di archivio del catalogo.\r\n\r\n")
            + f.errorString());
    f.close();
}

void deleteCatalog(const QString& path)
{
    QFile f(path);
    if (!f.remove())
        throw Failure(QStringLiteral("Attenzione: non è stato possibile eliminare il catalogo selezionato.\r\n\r\n")
                      + f.errorString());
}

} // namespace pinakos
