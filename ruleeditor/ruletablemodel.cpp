#include "ruletablemodel.h"

#include <algorithm>
#include <array>
#include <string>

#include "rules/ruletable.h"

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
    , m_rules(rules::RuleTable::defaultRules())
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
    m_rules = std::move(rules);
    endResetModel();
}

RuleSplice RuleTableModel::differenceTo(const std::vector<rules::Rule> &rules) const
{
    const auto [before, after] = std::ranges::mismatch(m_rules, rules);
    const auto prefix = before - m_rules.begin();
    const auto common = std::min(m_rules.end() - before, rules.end() - after);
    const auto suffix = std::mismatch(m_rules.rbegin(), m_rules.rbegin() + common, rules.rbegin()).first - m_rules.rbegin();
    return {int(prefix), {before, m_rules.end() - suffix}, {after, rules.end() - suffix}};
}

void RuleTableModel::apply(const RuleSplice &splice)
{
    Q_ASSERT(splice.row >= 0 && splice.row + int(splice.removed.size()) <= rowCount());
    const int kept = int(std::min(splice.removed.size(), splice.inserted.size()));
    const auto at = [this](int row) { return m_rules.begin() + row; };
    std::copy_n(splice.inserted.begin(), kept, at(splice.row));
    if (kept > 0)
        emit dataChanged(index(splice.row, 0), index(splice.row + kept - 1, ColumnCount - 1));
    const int first = splice.row + kept;
    if (const int added = int(splice.inserted.size()) - kept; added > 0) {
        beginInsertRows(QModelIndex(), first, first + added - 1);
        m_rules.insert(at(first), splice.inserted.begin() + kept, splice.inserted.end());
        endInsertRows();
    } else if (const int removed = int(splice.removed.size()) - kept; removed > 0) {
        beginRemoveRows(QModelIndex(), first, first + removed - 1);
        m_rules.erase(at(first), at(first + removed));
        endRemoveRows();
    }
}

int RuleTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rules.size());
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
    // The column's identifier is the key of the field it shows.
    const std::optional<rules::Rule::Value> value = m_rules[std::size_t(index.row())].value(keyOf(index.column()));
    if (const int *use = value ? std::get_if<int>(&*value) : nullptr) {
        if (role == Qt::CheckStateRole)
            return *use == 1 ? Qt::Checked : Qt::Unchecked;
        if (role == Qt::EditRole)
            return *use;
        return {};
    }
    const std::string *text = value ? std::get_if<std::string>(&*value) : nullptr;
    if (!text || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return QString::fromStdString(*text);
}

bool RuleTableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!isCell(index))
        return false;
    const rules::Rule &before = m_rules[std::size_t(index.row())];
    rules::Rule after = before;
    if (index.column() == UseColumn) {
        if (role != Qt::CheckStateRole && role != Qt::EditRole)
            return false;
        after.use = before.use == 0 ? 1 : 0;
    } else {
        if (role != Qt::EditRole || !value.canConvert<QString>())
            return false;
        const QString text = value.toString();
        if (!isStorableText(text))
            return false;
        (void)after.setValue(keyOf(index.column()), text.toStdString());
        // Views commit an editor also when nothing was changed in it.
        if (after == before)
            return true;
    }
    const RuleSplice done{index.row(), {before}, {after}};
    apply(done);
    emit cellEdited(done);
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
