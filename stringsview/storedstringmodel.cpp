#include "storedstringmodel.h"

#include <QCoreApplication>

using namespace Qt::Literals::StringLiterals;

namespace {

// roleLabel() answers in English; these are its labels, listed so that lupdate
// keeps them in the string tables.
[[maybe_unused]] const char *const kRoleLabels[] = {
    QT_TRANSLATE_NOOP("StoredStringModel", "set name"),
    QT_TRANSLATE_NOOP("StoredStringModel", "action name"),
    QT_TRANSLATE_NOOP("StoredStringModel", "class name"),
    QT_TRANSLATE_NOOP("StoredStringModel", "text value"),
    QT_TRANSLATE_NOOP("StoredStringModel", "file path"),
    QT_TRANSLATE_NOOP("StoredStringModel", "alias path"),
    QT_TRANSLATE_NOOP("StoredStringModel", "layer name"),
    QT_TRANSLATE_NOOP("StoredStringModel", "channel name"),
    QT_TRANSLATE_NOOP("StoredStringModel", "document name"),
    QT_TRANSLATE_NOOP("StoredStringModel", "action reference"),
    QT_TRANSLATE_NOOP("StoredStringModel", "set reference"),
};

// One line per row: a line break in a stored text would otherwise cut the
// text off in its cell.
QString oneLine(QString text)
{
    text.replace(u"\r\n"_s, u"\u21B5"_s);
    text.replace(u'\n', u'\u21B5');
    text.replace(u'\r', u'\u21B5');
    return text;
}

} // namespace

StoredStringModel::StoredStringModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

QString StoredStringModel::roleText(const atnformat::StoredString &string)
{
    const std::string label = atnformat::roleLabel(string);
    if (string.role == atnformat::Role::ReferenceName && label.starts_with("name of '"))
        return QCoreApplication::translate("StoredStringModel", "name of '%1'").arg(QString::fromStdString(string.key));
    return QCoreApplication::translate("StoredStringModel", label.c_str());
}

void StoredStringModel::setStrings(const std::vector<atnformat::StoredString> &strings)
{
    beginResetModel();
    m_rows.clear();
    for (std::size_t i = 0; i < strings.size(); ++i) {
        const atnformat::StoredString &string = strings[i];
        if (string.text.empty())
            continue;
        m_rows.push_back(Row{roleText(string), QString::fromStdString(string.text), string.layout,
                             qulonglong(string.offset), i, std::nullopt});
    }
    endResetModel();
}

void StoredStringModel::setAfterTexts(const std::vector<std::string> &afterTexts)
{
    for (Row &row : m_rows) {
        row.after = row.stringIndex < afterTexts.size()
                        ? std::optional(QString::fromStdString(afterTexts[row.stringIndex]))
                        : std::nullopt;
    }
    if (!m_rows.empty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1),
                         {Qt::DisplayRole, Qt::ToolTipRole, ChangedRole});
}

int StoredStringModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int StoredStringModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant StoredStringModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const Row &row = m_rows[std::size_t(index.row())];
    const bool bigEndian = row.layout == atnformat::Layout::BigEndian;

    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case RoleColumn:
            return row.role;
        case TextColumn:
            return oneLine(row.text);
        case AfterColumn:
            return row.after ? oneLine(*row.after) : QString();
        case LayoutColumn:
            return bigEndian ? u"BE"_s : u"LE"_s;
        case OffsetColumn:
            return row.offset;
        }
        break;
    case Qt::ToolTipRole:
        if (index.column() == LayoutColumn)
            return bigEndian ? tr("Big-endian: a name or a text value") : tr("Little-endian: the text of a file path");
        if (index.column() == TextColumn)
            return row.text;
        if (index.column() == AfterColumn && row.after)
            return *row.after;
        break;
    case Qt::TextAlignmentRole:
        if (index.column() == OffsetColumn)
            return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
        break;
    case FilterRole:
        return QString(row.role + u'\n' + row.text);
    case StoredTextRole:
        return row.text;
    case ChangedRole:
        return row.isChanged();
    }
    return {};
}

QVariant StoredStringModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case RoleColumn:
        return tr("Role");
    case TextColumn:
        return tr("Text");
    case AfterColumn:
        return tr("After translation");
    case LayoutColumn:
        return tr("Layout");
    case OffsetColumn:
        return tr("Offset");
    }
    return {};
}
