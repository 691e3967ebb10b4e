#include "checkers/TaxCodes.h"

#include "base/Text.h"

#include <array>

namespace pinakos {

namespace {

// Odd positions, for "A".."Z"; a digit takes the value of the letter at its
// place ("0" as "A", ..., "9" as "J").
constexpr std::array<int, 26> kOddTable = {
    1, // A
    0, // B
    5, // C
    7, // D
    9, // E
    13, // F
    15, // G
    17, // H
    19, // I
    21, // J
    2, // K
    4, // L
    18, // M
    20, // N
    11, // O
    3, // P
    6, // Q
    8, // R
    12, // S
    14, // T
    16, // U
    10, // V
    22, // W
    25, // X
    24, // Y
    23, // Z
};

// 0-based place in the alphabet of a letter, own value of a digit; -1 otherwise.
int placeOf(QChar c)
{
    if (c >= u'A' && c <= u'Z')
        return c.unicode() - u'A';
    if (c >= u'0' && c <= u'9')
        return c.unicode() - u'0';
    return -1;
}

struct Office
{
    const char16_t* code;
    const char16_t* name;
};

constexpr Office kOffices[] = {
    {u"001", u"Torino"},
    {u"002", u"Vercelli"},
    {u"003", u"Novara"},
    {u"004", u"Cuneo"},
    {u"005", u"Asti"},
    {u"006", u"Alessandria"},
    {u"007", u"Aosta"},
    {u"008", u"Imperia"},
    {u"009", u"Savona"},
    {u"010", u"Genova 1"},
    {u"011", u"La Spezia"},
    {u"012", u"Varese"},
    {u"013", u"Como"},
    {u"014", u"Sondrio"},
    {u"015", u"Milano 1"},
    {u"016", u"Bergamo"},
    {u"017", u"Brescia 1"},
    {u"018", u"Pavia"},
    {u"019", u"Cremona"},
    {u"020", u"Mantova"},
    {u"021", u"Bolzano"},
    {u"022", u"Trento"},
    {u"023", u"Verona"},
    {u"024", u"Vicenza"},
    {u"025", u"Belluno"},
    {u"026", u"Treviso"},
    {u"027", u"Venezia"},
    {u"028", u"Padova"},
    {u"029", u"Rovigo"},
    {u"030", u"Udine"},
    {u"031", u"Gorizia"},
    {u"032", u"Trieste"},
    {u"033", u"Piacenza"},
    {u"034", u"Parma"},
    {u"035", u"Reggio Emilia"},
    {u"036", u"Modena"},
    {u"037", u"Bologna 1"},
    {u"038", u"Ferrara"},
    {u"039", u"Ravenna"},
    {u"040", u"Forl\u00EC"},
    {u"041", u"Pesaro"},
    {u"042", u"Ancona"},
    {u"043", u"Macerata"},
    {u"044", u"Ascoli Piceno"},
    {u"045", u"Massa Carrara"},
    {u"046", u"Lucca"},
    {u"047", u"Pistoia"},
    {u"048", u"Firenze 1"},
    {u"049", u"Livorno"},
    {u"050", u"Pisa"},
    {u"051", u"Arezzo"},
    {u"052", u"Siena"},
    {u"053", u"Grosseto"},
    {u"054", u"Perugia"},
    {u"055", u"Terni"},
    {u"056", u"Viterbo"},
    {u"057", u"Rieti"},
    {u"058", u"Roma 1"},
    {u"059", u"Latina"},
    {u"060", u"Frosinone"},
    {u"061", u"Caserta"},
    {u"062", u"Benevento"},
    {u"063", u"Napoli 1"},
    {u"064", u"Avellino"},
    {u"065", u"Salerno"},
    {u"066", u"Aquila"},
    {u"067", u"Teramo"},
    {u"068", u"Pescara"},
    {u"069", u"Chieti"},
    {u"070", u"Campobasso"},
    {u"071", u"Foggia"},
    {u"072", u"Bari"},
    {u"073", u"Taranto"},
    {u"074", u"Brindisi"},
    {u"075", u"Lecce"},
    {u"076", u"Potenza"},
    {u"077", u"Matera"},
    {u"078", u"Cosenza"},
    {u"079", u"Catanzaro"},
    {u"080", u"Reggio Calabria"},
    {u"081", u"Trapani"},
    {u"082", u"Palermo"},
    {u"083", u"Messina"},
    {u"084", u"Agrigento"},
    {u"085", u"Caltanissetta"},
    {u"086", u"Enna"},
    {u"087", u"Catania"},
    {u"088", u"Ragusa"},
    {u"089", u"Siracusa"},
    {u"090", u"Sassari"},
    {u"091", u"Nuoro"},
    {u"092", u"Cagliari"},
    {u"093", u"Pordenone"},
    {u"094", u"Isernia"},
    {u"095", u"Oristano"},
    {u"096", u"Monza (Milano 2)"},
    {u"097", u"Prato (Firenze 2)"},
    {u"098", u"Brescia 2"},
    {u"099", u"Chiavari (Genova 2)"},
    {u"100", u"Roma 2"},
    {u"101", u"Bologna 2"},
    {u"102", u"Napoli 2"},
    {u"120", u"Bologna 2"},
    {u"121", u"Napoli 2"},
};

} // namespace

int fiscalEvenValue(QChar c) { return placeOf(c); }

int fiscalOddValue(QChar c)
{
    const int place = placeOf(c);
    return place < 0 ? -1 : kOddTable[place];
}

QChar fiscalCheckCharacter(const QString& first15)
{
    if (first15.size() != 15)
        return {};
    int sum = 0;
    for (int i = 0; i < 15; ++i) {
        // Position i + 1 counted from 1: odd for even i.
        const int value = i % 2 == 0 ? fiscalOddValue(first15.at(i)) : fiscalEvenValue(first15.at(i));
        if (value < 0)
            return {};
        sum += value;
    }
    return QChar(u'A' + sum % 26);
}

FiscalVerdict checkFiscalCode(const QString& code)
{
    const QString c = upperAZ(code);
    if (c.size() != 16)
        return FiscalVerdict::BadForm;
    for (QChar ch : c)
        if (placeOf(ch) < 0)
            return FiscalVerdict::BadForm;
    return fiscalCheckCharacter(c.left(15)) == c.at(15) ? FiscalVerdict::Valid : FiscalVerdict::Wrong;
}

QString fiscalBadFormMessage()
{
    return QStringLiteral("Attenzione: il codice fiscale deve essere composto da 16 caratteri alfanumerici.");
}

QString fiscalValidMessage() { return QStringLiteral("Il codice fiscale digitato è VALIDO."); }

QString fiscalWrongMessage() { return QStringLiteral("Attenzione: il codice fiscale digitato è ERRATO."); }

int vatCheckDigit(const QString& first10)
{
    if (first10.size() != 10)
        return -1;
    int sum = 0;
    for (int i = 0; i < 10; ++i) {
        const QChar c = first10.at(i);
        if (!isDigit09(c))
            return -1;
        const int d = c.unicode() - u'0';
        if (i % 2 == 0) {
            sum += d; // positions 1, 3, 5, 7, 9
        } else {
            const int doubled = 2 * d; // positions 2, 4, 6, 8, 10
            sum += doubled / 10 + doubled % 10;
        }
    }
    const int r = sum % 10;
    return r == 0 ? 0 : 10 - r;
}

VatVerdict checkVatNumber(const QString& number)
{
    const QString n = upperAZ(number);
    if (n.size() != 11)
        return VatVerdict::BadLength;
    const int check = vatCheckDigit(n.left(10));
    if (check < 0 || !isDigit09(n.at(10)))
        return VatVerdict::Wrong;
    return n.at(10).unicode() - u'0' == check ? VatVerdict::Valid : VatVerdict::Wrong;
}

QString vatOffice(const QString& code)
{
    for (const Office& o : kOffices)
        if (code == QStringView(o.code))
            return QString::fromUtf16(o.name);
    return {};
}

int vatOfficeCount() { return int(std::size(kOffices)); }

QString vatBadLengthMessage()
{
    return QStringLiteral("Attenzione: la partita IVA deve essere composta da 11 caratteri numerici.");
}

QString vatValidMessage(const QString& number)
{
    const QString code = number.mid(7, 3);
    const QString office = vatOffice(code);
    const QString valid = QStringLiteral("Il numero di partita IVA digitato risulta VALIDO.\r\n\r\n");
    if (office.isEmpty())
        return valid + QStringLiteral("Le cifre dell'Ufficio IVA (\"") + code
            + QStringLiteral("\") non corrispondono ad alcun ufficio conosciuto: non è quindi possibile indicare "
                             "quale ufficio lo abbia rilasciato.");
    return valid + QStringLiteral("E' stato rilasciato dall'Ufficio IVA del Comune di ") + office + u'.';
}

QString vatWrongMessage()
{
    return QStringLiteral("Attenzione: il numero di partita IVA digitato risulta ERRATO!\r\n\r\nNon è quindi possibile "
                          "fornire informazioni relative all'Ufficio IVA che lo ha rilasciato.");
}

} // namespace pinakos
