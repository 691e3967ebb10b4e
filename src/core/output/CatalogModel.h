#pragma once
// The export grid's table: the record number and the sixteen exported texts
// of every record of a catalog, held as one compact copy of their
// Windows-1252 bytes; edits typed into the grid stay here and never reach
// the archive.
#include "store/SchedaOpera.h"

#include <QAbstractTableModel>
#include <QByteArray>
#include <QHash>
#include <functional>
#include <vector>

namespace pinakos {

class RowSink;

class CatalogModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    // Column 0, the record number, and the sixteen fields.
    static constexpr int kColumns = 17;
    // Empty rows the grid holds before it is filled.
    static constexpr int kInitialRows = 10;

    struct Column
    {
        const char* name; // the grid column's name
        const char* header;
        int width; // in the grid
        bool editable;
        Campo field; // unused for column 0
    };
    static const Column& column(int index);

    explicit CatalogModel(QObject* parent = nullptr);

    // Replaces the rows with every record of the archive at path, opened by
    // the open-or-create rule (a missing archive is created empty). A failure
    // part-way ends the filling silently with the rows read so far; false then.
    bool load(const QString& archivePath);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // The text of a cell as the grid shows it.
    QString text(int row, int column) const;
    // One data row per grid row, in order, with the grid's current texts.
    // progress hears the rows written now and then; when it gives false the
    // writing stops and the result is false.
    bool writeRows(RowSink& w, const std::function<bool(int rows)>& progress = {}) const;

private:
    struct Row
    {
        qint64 start; // of the row's first text in m_bytes
        quint8 length[kColumns - 1];
    };
    // The cell's stored bytes, trimmed; empty beyond the loaded rows.
    QByteArrayView stored(int row, int column) const;
    static qint64 key(int row, int column) { return qint64(row) * kColumns + column; }
    void append(const TSchedaOpera& r);

    int m_rows = kInitialRows;
    std::vector<Row> m_index; // one per loaded record
    QByteArray m_bytes;
    QHash<qint64, QString> m_edits;
};

} // namespace pinakos
