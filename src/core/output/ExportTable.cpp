#include "output/ExportTable.h"

#include "base/Failure.h"
#include "base/Log.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <filesystem>

namespace pinakos {

namespace {

constexpr ExportHeading kHeadings[kSpreadsheetColumns] = {
    {"Titolo opera", 250},
    {"Soggetto rappresentato", 300},
    {"Artista", 250},
    {"Anno realizzazione", 200},
    {"Nazione", 250},
    {"Tecnica utilizzata", 200},
    {"Corrente artistica", 250},
    {"Dimensioni", 250},
    {"Supporto", 250},
    {"Luogo conservazione", 250},
    {"Proprietario attuale", 250},
    {"Codice fiscale", 250},
    {"Tel. preferenziale", 250},
    {"Note", 400},
    {"Valore", 200},
    {"Venduta", 180},
};

} // namespace

const ExportHeading& exportHeading(int column) { return kHeadings[column]; }

namespace {

// A fresh, empty file beside path, closed and left in place; its name.
QString reserveBeside(const QString& path)
{
    const QFileInfo target(path);
    QTemporaryFile temp(target.absolutePath() + QLatin1Char('/') + target.fileName() + QStringLiteral(".XXXXXX"));
    if (!temp.open())
        throw Failure(
            lcOutput,
            QStringLiteral("Impossibile creare %1: %2").arg(QDir::toNativeSeparators(path), temp.errorString()));
    temp.setAutoRemove(false);
    return temp.fileName();
}

// Moves the finished file `written` over `path` in one step, with the old
// file's permissions (or the usual ones); on failure `written` is removed.
void replaceExportFile(const QString& written, const QString& path)
{
    // The new file gets the old one's permissions, or the usual ones.
    const QFileInfo target(path);
    QFile::setPermissions(written,
                          target.exists() ? target.permissions()
                                          : QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser
                                  | QFile::ReadGroup | QFile::ReadOther);
    // Replaces the old file in one step; a file held open elsewhere makes it fail.
    std::error_code ec;
    std::filesystem::rename(std::filesystem::path(written.toStdU16String()),
                            std::filesystem::path(path.toStdU16String()), ec);
    if (ec) {
        QFile::remove(written);
        throw Failure(lcOutput,
                      QStringLiteral("Impossibile sostituire %1: %2")
                          .arg(QDir::toNativeSeparators(path), QString::fromLocal8Bit(ec.message().c_str())));
    }
}

} // namespace

bool writeExportFile(const QString& path, const std::function<bool(const QString& written)>& write)
{
    const QString written = reserveBeside(path);
    try {
        if (!write(written)) {
            QFile::remove(written);
            return false;
        }
    } catch (...) {
        QFile::remove(written);
        throw;
    }
    replaceExportFile(written, path);
    return true;
}

} // namespace pinakos
