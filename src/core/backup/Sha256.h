#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <memory>

class QIODevice;

namespace pinakos {

// SHA-256 over bytes fed in pieces. Uses the system's libcrypto where the
// build found it (several times faster on processors with SHA instructions),
// Qt's own QCryptographicHash otherwise; the digests are the same.
class Sha256
{
public:
    Sha256();
    ~Sha256();
    Sha256(const Sha256&) = delete;
    Sha256& operator=(const Sha256&) = delete;

    void add(QByteArrayView bytes);
    // The digest in lower-case hexadecimal (64 characters); the hash starts
    // again afterwards.
    QByteArray hexResult();

    // The digest of what is left to read of an open device, its length in
    // `size` when asked; an empty text when a read fails.
    static QByteArray ofDevice(QIODevice& device, qint64* size = nullptr);
    // The digest of the file at path, its length in `size` when asked; an
    // empty text when it cannot be read.
    static QByteArray ofFile(const QString& path, qint64* size = nullptr);

private:
    struct State;
    std::unique_ptr<State> m_state;
};

} // namespace pinakos
