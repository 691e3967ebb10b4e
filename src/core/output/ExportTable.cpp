#include "output/ExportTable.h"

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

} // namespace pinakos
