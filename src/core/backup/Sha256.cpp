#include "backup/Sha256.h"

#include <QFile>

#ifdef PINAKOS_HAVE_LIBCRYPTO
#include <openssl/evp.h>
#else
#include <QCryptographicHash>
#endif

namespace pinakos {

#ifdef PINAKOS_HAVE_LIBCRYPTO
struct Sha256::State
{
    EVP_MD_CTX* ctx = EVP_MD_CTX_new();
    State() { EVP_DigestInit_ex(ctx, EVP_sha256(), nullptr); }
    ~State() { EVP_MD_CTX_free(ctx); }
};

Sha256::Sha256() : m_state(std::make_unique<State>()) {}
Sha256::~Sha256() = default;

void Sha256::add(QByteArrayView bytes) { EVP_DigestUpdate(m_state->ctx, bytes.data(), size_t(bytes.size())); }

QByteArray Sha256::hexResult()
{
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    EVP_DigestFinal_ex(m_state->ctx, digest, &length);
    EVP_DigestInit_ex(m_state->ctx, EVP_sha256(), nullptr);
    return QByteArray(reinterpret_cast<const char*>(digest), int(length)).toHex();
}
#else
struct Sha256::State
{
    QCryptographicHash hash{QCryptographicHash::Sha256};
};

Sha256::Sha256() : m_state(std::make_unique<State>()) {}
Sha256::~Sha256() = default;

void Sha256::add(QByteArrayView bytes) { m_state->hash.addData(bytes); }

QByteArray Sha256::hexResult()
{
    const QByteArray r = m_state->hash.result().toHex();
    m_state->hash.reset();
    return r;
}
#endif

QByteArray Sha256::ofDevice(QIODevice& device, qint64* size)
{
    Sha256 h;
    QByteArray buffer(1 << 20, Qt::Uninitialized);
    qint64 length = 0;
    for (;;) {
        const qint64 n = device.read(buffer.data(), buffer.size());
        if (n < 0)
            return QByteArray();
        if (n == 0)
            break;
        h.add(QByteArrayView(buffer.constData(), n));
        length += n;
    }
    if (size)
        *size = length;
    return h.hexResult();
}

QByteArray Sha256::ofFile(const QString& path, qint64* size)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return QByteArray();
    return ofDevice(f, size);
}

} // namespace pinakos
