#include "sheet/SheetRules.h"

#include "base/Text.h"

namespace pinakos {

std::optional<MissingField> firstMissingField(const QString& title, const QString& artist, const QString& value)
{
    if (isBlank(title))
        return MissingField{Campo::Capo,
                            QStringLiteral("Attenzione: per salvare la scheda è necessario indicare il "
                                           "titolo dell'opera.")};
    if (isBlank(artist))
        return MissingField{Campo::Colore,
                            QStringLiteral("Attenzione: per salvare la scheda è necessario indicare il "
                                           "nome dell'artista creatore dell'opera.")};
    if (isBlank(value))
        return MissingField{Campo::Prezzo,
                            QStringLiteral("Attenzione: per salvare la scheda è necessario indicare il "
                                           "valore dell'opera.")};
    return std::nullopt;
}

MoveResult moveFrom(Move move, int shown, int count)
{
    using Kind = MoveResult::Kind;
    switch (move) {
    case Move::First:
        return count == 0 ? MoveResult{Kind::Empty} : MoveResult{Kind::Show, 1};
    case Move::Previous:
        if (shown == 1)
            return {Kind::Stay};
        if (count == 0)
            return {Kind::Empty};
        return {Kind::Show, shown == 0 ? 1 : shown - 1};
    case Move::Next:
        if (count == 0)
            return {Kind::Empty, 0, true};
        if (shown > count)
            return {Kind::Vanished};
        return shown < count ? MoveResult{Kind::Show, shown + 1} : MoveResult{Kind::Stay};
    case Move::Last:
        return count == 0 ? MoveResult{Kind::Empty} : MoveResult{Kind::Show, count};
    }
    return {Kind::Stay};
}

} // namespace pinakos
