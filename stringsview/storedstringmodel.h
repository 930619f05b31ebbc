// The stored strings of one action file as a read-only table of five columns:
// role, text, the text after translation, layout and offset, in file order.
//
// Strings with an empty text are left out: there is nothing in them a rule
// could match. The texts after translation come separately, when there are
// rules to translate by; a row whose text they change is marked, for the view
// to show.
#pragma once

#include <QAbstractTableModel>
#include <QString>

#include <optional>
#include <string>
#include <vector>

#include "atnformat/actionfile.h"

class StoredStringModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { RoleColumn, TextColumn, AfterColumn, LayoutColumn, OffsetColumn, ColumnCount };
    enum ItemRole {
        // The role and the text of a row, for the filter.
        FilterRole = Qt::UserRole,
        // The text exactly as stored; the display shows line breaks as symbols.
        StoredTextRole,
        // Whether the translation changes the row's text.
        ChangedRole,
    };

    struct Row {
        QString role;
        QString text;
        atnformat::Layout layout = atnformat::Layout::BigEndian;
        qulonglong offset = 0;
        std::size_t stringIndex = 0; // in the strings given to setStrings
        std::optional<QString> after;

        [[nodiscard]] bool isChanged() const { return after && *after != text; }
    };

    explicit StoredStringModel(QObject *parent = nullptr);

    void setStrings(const std::vector<atnformat::StoredString> &strings);
    [[nodiscard]] const std::vector<Row> &rows() const { return m_rows; }

    // The text after translation of each string given to setStrings, in the
    // same order; empty: none to show.
    void setAfterTexts(const std::vector<std::string> &afterTexts);

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
