// The rule table as a Qt item model: one row per rule, the columns "use"
// (a check box), "search" and "replace" (editable texts).
//
// The model owns a rules::RuleTable and forwards the editor's row operations
// to it, announcing every change to its views. It keeps track of whether the
// rows differ from the ones last loaded or saved.
//
// Cells refuse texts the RUL format cannot carry: a ";" or a line break would
// split the rule into other fields or lines when the file is read back.
#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

#include "rules/ruletable.h"

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

    [[nodiscard]] const std::vector<rules::Rule> &dataArray() const { return m_table.dataArray(); }
    // Replaces every row and counts as unmodified: the rows of a file just
    // read, or a fresh table.
    void setDataArray(std::vector<rules::Rule> rules);

    // The editor's row operations: each takes the selected row (-1 for none)
    // and returns the row to select, or nothing when the selection stays.
    std::optional<int> insertRow(int selectedRow);
    std::optional<int> deleteRow(int selectedRow);
    std::optional<int> moveupRow(int selectedRow);
    std::optional<int> movedownRow(int selectedRow);
    void selectAllRows();
    void deselectAll();

    // Appends one disabled rule per text, searching for it and replacing it
    // by nothing yet. Texts a cell would refuse, and empty ones, are left out.
    // Returns the first new row, nothing when no row was added.
    std::optional<int> appendRules(const QStringList &searchTexts);

    [[nodiscard]] bool isModified() const { return m_modified; }
    void setModified(bool modified);

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
    void modifiedChanged(bool modified);

private:
    [[nodiscard]] bool isCell(const QModelIndex &index) const;
    void setAllUse(int use);

    rules::RuleTable m_table;
    bool m_modified = false;
};
