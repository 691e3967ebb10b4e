#include "Catalogs.h"

#include "base/ProgramFolder.h"
#include "store/Archive.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageWriter>

namespace pinakos::test {

TSchedaOpera makeRecord(const QString& title, const QString& artist, const QString& price, bool sold)
{
    TSchedaOpera r;
    r.setText(Campo::Capo, title);
    r.setText(Campo::Colore, artist);
    r.setText(Campo::Prezzo, price);
    r.setVenduta(sold);
    return r;
}

std::vector<TSchedaOpera> readRecords(const QString& path)
{
    std::vector<TSchedaOpera> out;
    Archive a(path);
    a.scan([&](int, const TSchedaOpera& r) {
        out.push_back(r);
        return true;
    });
    return out;
}

QString catalogFile(const QString& name) { return programFolder() + name + QStringLiteral(".art"); }

QString makeCatalog(const QString& name, const QList<TSchedaOpera>& records)
{
    const QString path = catalogFile(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        qWarning("cannot write the catalog %s", qPrintable(path));
        return path;
    }
    for (const TSchedaOpera& r : records)
        f.write(r.data(), TSchedaOpera::Size);
    return path;
}

QByteArray jpegOf(const QSize& size, QColor colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer b(&bytes);
    b.open(QIODevice::WriteOnly);
    QImageWriter(&b, "jpeg").write(image);
    return bytes;
}

} // namespace pinakos::test
