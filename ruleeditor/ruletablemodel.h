// The rule table as a Qt item model: one row per rule, the columns "use"
// (a check box), "search" and "replace" (editable texts).
//
// The model owns the rules. Besides the edits of its cells, the rows change
// only by splices: a run of rows gives way to other rows, which is all an
// undo history needs to step back and forth.
//
// Cells refuse texts the RUL format cannot carry: a ";" or a line break would
// split the rule into other fields or lines when the file is read back.
#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

#include "rules/rule.h"

// From `row` on, the rows `removed` give way to the rows `inserted`.
struct RuleSplice {
    int row = 0;
    std::vector<rules::Rule> removed;
    std::vector<rules::Rule> inserted;

    [[nodiscard]] bool isEmpty() const { return removed == inserted; }
    // The splice that takes the rows back.
    [[nodiscard]] RuleSplice inverted() const { return {row, inserted, removed}; }
};

class RuleTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { UseColumn, SearchColumn, ReplaceColumn, ColumnCount };
    // headerData() under this role gives the column's identifier, the key of
    // the rule field it shows.
    static constexpr int IdentifierRole = Qt::UserRole;

    explicit RuleTableModel(QObject *parent = nullptr);

    [[nodiscard]] static QString identifier(int column);
    // -1 for an unknown identifier.
    [[nodiscard]] static int columnForIdentifier(QStringView identifier);
    // False for texts holding ";" or a line break of any kind.
    [[nodiscard]] static bool isStorableText(QStringView text);

    [[nodiscard]] const std::vector<rules::Rule> &dataArray() const { return m_rules; }
    // Replaces every row at once: the rows of a file just read, or a fresh table.
    void setDataArray(std::vector<rules::Rule> rules);

    // The splice from the current rows to `rules`: the rows that differ
    // between the first and the last difference.
    [[nodiscard]] RuleSplice differenceTo(const std::vector<rules::Rule> &rules) const;
    // Rows that stay rows are changed in place, so that views keep their
    // selection; only the surplus is inserted or removed.
    void apply(const RuleSplice &splice);

    [[nodiscard]] int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    [[nodiscard]] int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    [[nodiscard]] QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    // The check box of "use" toggles the flag whatever value it delivers; the
    // texts take a string, unless isStorableText() refuses it.
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    [[nodiscard]] Qt::ItemFlags flags(const QModelIndex &index) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role = Qt::DisplayRole) const override;

signals:
    // A cell was changed through setData(); `done` is the change.
    void cellEdited(const RuleSplice &done);

private:
    [[nodiscard]] bool isCell(const QModelIndex &index) const;

    std::vector<rules::Rule> m_rules;
};
