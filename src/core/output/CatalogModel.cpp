#include "output/CatalogModel.h"

#include "base/Failure.h"
#include "base/Text.h"
#include "output/ExportTable.h"
#include "store/Archive.h"
#include "store/Codec1252.h"

#include <QBrush>
#include <algorithm>

namespace pinakos {

namespace {

const CatalogModel::Column kColumnTable[CatalogModel::kColumns] = {
    {"colNum", "N.", 60, false, Campo::Count},
    {"colOpera", "Titolo opera", 250, false, Campo::Capo},
    {"colSoggetto", "Soggetto rappresentato", 250, false, Campo::Descrizione},
    {"colArtista", "Artista", 200, false, Campo::Colore},
    {"colAnno", "Anno realizzazione", 180, false, Campo::Tessuto},
    {"colNazione", "Nazione", 200, false, Campo::Misure},
    {"colTecnica", "Tecnica utilizzata", 250, false, Campo::Peso},
    {"colCorrente", "Corrente artistica", 250, true, Campo::Usura},
    {"colDimensioni", "Dimensioni", 200, false, Campo::Difetti},
    {"colSupporto", "Supporto", 250, false, Campo::Servizio},
    {"colLuogo", "Luogo conservazione", 250, false, Campo::Specifiche},
    {"colProprietario", "Proprietario attuale", 250, true, Campo::Cliente},
    {"colCodFisc", "Codice fiscale", 180, true, Campo::CodFisc},
    {"colRecapito", "Tel. preferenziale", 180, true, Campo::Recapito},
    {"colNote", "Note", 350, true, Campo::Note},
    {"colValore", "Valore", 150, false, Campo::Prezzo},
    {"colVenduta", "Venduta", 120, false, Campo::Segnala},
};

} // namespace

const CatalogModel::Column& CatalogModel::column(int index) { return kColumnTable[index]; }

CatalogModel::CatalogModel(QObject* parent) : QAbstractTableModel(parent) {}

void CatalogModel::append(const TSchedaOpera& r)
{
    Row row;
    row.start = m_bytes.size();
    const char* bytes = reinterpret_cast<const char*>(r.bytes().data());
    for (int c = 1; c < kColumns; ++c) {
        const std::string_view text = trimmedBytes(slotBytes(bytes, slotOf(kColumnTable[c].field)));
        row.length[c - 1] = quint8(text.size());
        m_bytes.append(text.data(), qsizetype(text.size()));
    }
    m_index.push_back(row);
}

bool CatalogModel::load(const QString& archivePath)
{
    beginResetModel();
    m_index.clear();
    m_bytes.clear();
    m_edits.clear();
    bool ok = true;
    int n = 0;
    try {
        Archive a(archivePath);
        n = a.count();
        m_index.reserve(size_t(n));
        a.scan([this](int, const TSchedaOpera& r) {
            append(r);
            return true;
        });
        a.close();
    } catch (const Failure&) {
        ok = false;
    } catch (const std::bad_alloc&) {
        ok = false;
    }
    m_index.shrink_to_fit();
    m_bytes.squeeze();
    // The grid has its row for every record counted; rows of records not
    // read (a failure part way) stay empty, without a number.
    m_rows = std::max(n, int(m_index.size()));
    endResetModel();
    return ok;
}

int CatalogModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : m_rows; }

int CatalogModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumns; }

QByteArrayView CatalogModel::stored(int row, int column) const
{
    if (row < 0 || size_t(row) >= m_index.size() || column < 1 || column >= kColumns)
        return {};
    const Row& r = m_index[size_t(row)];
    qint64 start = r.start;
    for (int c = 0; c < column - 1; ++c)
        start += r.length[c];
    return QByteArrayView(m_bytes.constData() + start, r.length[column - 1]);
}

QString CatalogModel::text(int row, int column) const
{
    if (row < 0 || row >= m_rows || column < 0 || column >= kColumns)
        return {};
    if (!m_edits.isEmpty()) {
        const auto it = m_edits.constFind(key(row, column));
        if (it != m_edits.constEnd())
            return *it;
    }
    if (column == 0)
        return size_t(row) < m_index.size() ? QString::number(row + 1) : QString();
    const QByteArrayView b = stored(row, column);
    return fromWindows1252(b.data(), b.size());
}

QVariant CatalogModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    // The record number stands in a grey column, like a row heading.
    if (index.column() == 0 && role == Qt::BackgroundRole)
        return QBrush(QColor(0xE4, 0xE4, 0xE4));
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    return text(index.row(), index.column());
}

bool CatalogModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    m_edits.insert(key(index.row(), index.column()), value.toString());
    Q_EMIT dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

QVariant CatalogModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= kColumns)
        return {};
    return QString::fromUtf8(kColumnTable[section].header);
}

Qt::ItemFlags CatalogModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (kColumnTable[index.column()].editable)
        f |= Qt::ItemIsEditable;
    return f;
}

bool CatalogModel::writeRows(RowSink& w, const std::function<bool(int rows)>& progress) const
{
    constexpr int kRowsPerReport = 1024;
    const bool edited = !m_edits.isEmpty();
    for (int row = 0; row < m_rows; ++row) {
        if (progress && row % kRowsPerReport == 0 && !progress(row))
            return false;
        w.beginRow();
        const bool loaded = size_t(row) < m_index.size();
        const char* p = loaded ? m_bytes.constData() + m_index[size_t(row)].start : nullptr;
        for (int c = 1; c < kColumns; ++c) {
            const qsizetype length = loaded ? m_index[size_t(row)].length[c - 1] : 0;
            const auto it = edited && kColumnTable[c].editable ? m_edits.constFind(key(row, c)) : m_edits.constEnd();
            if (it != m_edits.constEnd())
                w.cell(*it);
            else
                w.cell(p, length);
            p += length;
        }
        w.endRow();
    }
    return !progress || progress(m_rows);
}

} // namespace pinakos
