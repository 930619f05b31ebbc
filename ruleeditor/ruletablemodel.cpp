#include "ruletablemodel.h"

#include <array>
#include <string>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr std::array<char16_t, 7> kLineBreaks{u'\n', u'\r', u'\v', u'\f', u'\u0085', u'\u2028', u'\u2029'};

std::string_view keyOf(int column)
{
    return rules::Rule::kKeys[std::size_t(column)];
}

} // namespace

RuleTableModel::RuleTableModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

QString RuleTableModel::identifier(int column)
{
    if (column < 0 || column >= ColumnCount)
        return {};
    const std::string_view key = keyOf(column);
    return QString::fromLatin1(key.data(), qsizetype(key.size()));
}

int RuleTableModel::columnForIdentifier(QStringView identifier)
{
    for (int column = 0; column < ColumnCount; ++column) {
        if (identifier == RuleTableModel::identifier(column))
            return column;
    }
    return -1;
}

bool RuleTableModel::isStorableText(QStringView text)
{
    for (const QChar c : text) {
        if (c == u';')
            return false;
        for (const char16_t lineBreak : kLineBreaks) {
            if (c == lineBreak)
                return false;
        }
    }
    return true;
}

void RuleTableModel::setDataArray(std::vector<rules::Rule> rules)
{
    beginResetModel();
    m_table.setDataArray(std::move(rules));
    endResetModel();
    setModified(false);
}

std::optional<int> RuleTableModel::insertRow(int selectedRow)
{
    const int row = rowCount();
    beginInsertRows(QModelIndex(), row, row);
    const std::optional<int> selection = m_table.insertRow(selectedRow);
    endInsertRows();
    setModified(true);
    return selection;
}

std::optional<int> RuleTableModel::deleteRow(int selectedRow)
{
    if (!m_table.hasRow(selectedRow))
        return std::nullopt;
    beginRemoveRows(QModelIndex(), selectedRow, selectedRow);
    const std::optional<int> selection = m_table.deleteRow(selectedRow);
    endRemoveRows();
    setModified(true);
    return selection;
}

std::optional<int> RuleTableModel::moveupRow(int selectedRow)
{
    if (!m_table.hasRow(selectedRow) || !m_table.hasRow(selectedRow - 1))
        return std::nullopt;
    beginMoveRows(QModelIndex(), selectedRow, selectedRow, QModelIndex(), selectedRow - 1);
    const std::optional<int> selection = m_table.moveupRow(selectedRow);
    endMoveRows();
    setModified(true);
    return selection;
}

std::optional<int> RuleTableModel::movedownRow(int selectedRow)
{
    if (!m_table.hasRow(selectedRow) || !m_table.hasRow(selectedRow + 1))
        return std::nullopt;
    // The destination is the row before which it lands, counted before the move.
    beginMoveRows(QModelIndex(), selectedRow, selectedRow, QModelIndex(), selectedRow + 2);
    const std::optional<int> selection = m_table.movedownRow(selectedRow);
    endMoveRows();
    setModified(true);
    return selection;
}

void RuleTableModel::selectAllRows()
{
    setAllUse(1);
}

void RuleTableModel::deselectAll()
{
    setAllUse(0);
}

void RuleTableModel::setAllUse(int use)
{
    bool changes = false;
    for (const rules::Rule &rule : dataArray())
        changes = changes || rule.use != use;
    if (!changes)
        return;
    if (use == 1)
        (void)m_table.selectAllRows(-1);
    else
        (void)m_table.deselectAll(-1);
    emit dataChanged(index(0, UseColumn), index(rowCount() - 1, UseColumn), {Qt::CheckStateRole, Qt::EditRole});
    setModified(true);
}

std::optional<int> RuleTableModel::appendRules(const QStringList &searchTexts)
{
    QStringList storable;
    for (const QString &text : searchTexts) {
        if (!text.isEmpty() && isStorableText(text))
            storable << text;
    }
    if (storable.isEmpty())
        return std::nullopt;
    const int first = rowCount();
    beginInsertRows(QModelIndex(), first, first + int(storable.size()) - 1);
    for (const QString &text : std::as_const(storable)) {
        const std::optional<int> row = m_table.insertRow(-1);
        (void)m_table.setValue(*row, "search", text.toStdString());
    }
    endInsertRows();
    setModified(true);
    return first;
}

void RuleTableModel::setModified(bool modified)
{
    if (m_modified == modified)
        return;
    m_modified = modified;
    emit modifiedChanged(modified);
}

int RuleTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_table.rowCount();
}

int RuleTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

bool RuleTableModel::isCell(const QModelIndex &index) const
{
    return index.isValid() && index.model() == this && !index.parent().isValid() && index.row() < rowCount()
        && index.column() < ColumnCount;
}

QVariant RuleTableModel::data(const QModelIndex &index, int role) const
{
    if (!isCell(index))
        return {};
    const auto value = m_table.value(index.row(), keyOf(index.column()));
    if (!value)
        return {};
    if (index.column() == UseColumn) {
        const int *use = std::get_if<int>(&*value);
        if (!use)
            return {};
        if (role == Qt::CheckStateRole)
            return *use == 1 ? Qt::Checked : Qt::Unchecked;
        if (role == Qt::EditRole)
            return *use;
        return {};
    }
    const std::string *text = std::get_if<std::string>(&*value);
    if (!text || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return QString::fromStdString(*text);
}

bool RuleTableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!isCell(index))
        return false;
    if (index.column() == UseColumn) {
        if (role != Qt::CheckStateRole && role != Qt::EditRole)
            return false;
        (void)m_table.toggleUse(index.row());
        emit dataChanged(index, index, {Qt::CheckStateRole, Qt::EditRole});
        setModified(true);
        return true;
    }
    if (role != Qt::EditRole || !value.canConvert<QString>())
        return false;
    const QString text = value.toString();
    if (!isStorableText(text))
        return false;
    // Views commit an editor also when nothing was changed in it.
    if (text == data(index, Qt::EditRole).toString())
        return true;
    if (!m_table.setValue(index.row(), keyOf(index.column()), text.toStdString()))
        return false;
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    setModified(true);
    return true;
}

Qt::ItemFlags RuleTableModel::flags(const QModelIndex &index) const
{
    if (!isCell(index))
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    flags |= index.column() == UseColumn ? Qt::ItemIsUserCheckable : Qt::ItemIsEditable;
    return flags;
}

QVariant RuleTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical) {
        if (role == Qt::DisplayRole && section >= 0 && section < rowCount())
            return section + 1;
        return {};
    }
    if (section < 0 || section >= ColumnCount)
        return {};
    if (role == IdentifierRole)
        return identifier(section);
    if (role == Qt::DisplayRole) {
        switch (section) {
        case UseColumn:
            return tr("Use");
        case SearchColumn:
            return tr("Search");
        case ReplaceColumn:
            return tr("Replace");
        }
    }
    if (role == Qt::ToolTipRole) {
        switch (section) {
        case UseColumn:
            return tr("Only rules that are ticked take part in a translation");
        case SearchColumn:
            return tr("The text to find in the action file");
        case ReplaceColumn:
            return tr("The text that takes its place");
        }
    }
    return {};
}
