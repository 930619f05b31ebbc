// The stored strings of one action file as a read-only table of four columns:
// role, text, layout and offset, in file order.
//
// Strings with an empty text are left out: there is nothing in them a rule
// could match. Each row also carries how often the current rules match its
// text, for the view to mark.
#pragma once

#include <QAbstractTableModel>
#include <QString>

#include <vector>

#include "atnformat/actionfile.h"

class StoredStringModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { RoleColumn, TextColumn, LayoutColumn, OffsetColumn, ColumnCount };
    enum ItemRole {
        // The role and the text of a row, for the filter.
        FilterRole = Qt::UserRole,
        // The text exactly as stored; the display shows line breaks as symbols.
        StoredTextRole,
        // How many times the current rules match the row's text.
        MatchCountRole,
    };

    struct Row {
        QString role;
        QString text;
        atnformat::Layout layout = atnformat::Layout::BigEndian;
        qulonglong offset = 0;
        int matches = 0;
    };

    explicit StoredStringModel(QObject *parent = nullptr);

    void setStrings(const std::vector<atnformat::StoredString> &strings);
    [[nodiscard]] const std::vector<Row> &rows() const { return m_rows; }

    // Match counts in the order of `rows()`; a missing count is 0.
    void setMatchCounts(const std::vector<int> &counts);

    [[nodiscard]] int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    [[nodiscard]] int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    [[nodiscard]] QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role = Qt::DisplayRole) const override;

    // The reader's role label in the language of the user interface.
    [[nodiscard]] static QString roleText(const atnformat::StoredString &string);

private:
    std::vector<Row> m_rows;
};
