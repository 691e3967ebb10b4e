#pragma once
#include <QString>
#include <algorithm>
#include <array>
#include <string_view>

namespace pinakos {

// The 22 text slots of a work record, in file order.
enum class Campo : int {
    Capo,
    Descrizione,
    Colore,
    Tessuto,
    Misure,
    Peso,
    Usura,
    Difetti,
    Servizio,
    Specifiche,
    Cliente,
    CodFisc,
    Recapito,
    Note,
    Prezzo,
    Segnala,
    File01,
    File02,
    File03,
    Desc01,
    Desc02,
    Desc03,
    Count
};

struct Slot
{
    int offset; // of the length byte within the record
    int max; // most bytes of text
};
Slot slotOf(Campo c);
// The text bytes of a slot in a record's bytes, a length byte over the
// slot's maximum cut to it.
inline std::string_view slotBytes(const char* record, Slot s)
{
    const int length = std::min<int>(static_cast<unsigned char>(record[s.offset]), s.max);
    return std::string_view(record + s.offset + 1, size_t(length));
}

// The sold mark as read: sold, not sold, or neither (any other stored value).
enum class Venduta { No, Si, Nessuna };

// The 2925-byte work record: 22 length-prefixed Windows-1252 slots.
class TSchedaOpera
{
public:
    static constexpr int Size = 2925;
    using Bytes = std::array<unsigned char, Size>;

    TSchedaOpera() { m_bytes.fill(0); }
    static TSchedaOpera fromBytes(const char* p);

    // The field taken out: its bytes decoded and trimmed. A length byte over
    // the slot's maximum is cut to it; nothing outside the slot is read.
    QString text(Campo c) const;
    // The field encoding: trimmed, at most 255 characters converted, cut to
    // the slot's maximum; the unused bytes of the slot are zeroed.
    void setText(Campo c, const QString& value);

    Venduta venduta() const;
    void setVenduta(bool sold); // "Sì" (02 53 EC) or "No" (02 4E 6F)

    const Bytes& bytes() const { return m_bytes; }
    Bytes& bytes() { return m_bytes; }
    const char* data() const { return reinterpret_cast<const char*>(m_bytes.data()); }

private:
    Bytes m_bytes;
};

} // namespace pinakos
