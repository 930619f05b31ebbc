#include "stringsviewcontroller.h"

#include "ui_stringsviewcontroller.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QSortFilterProxyModel>
#include <QStyle>
#include <QStyledItemDelegate>

#include <algorithm>
#include <span>

#include "atnformat/actionfile.h"
#include "rulematches.h"
#include "rules/rulefile.h"
#include "storedstringmodel.h"

namespace {

// Marks the rows the current rules match; the model itself stays free of fonts.
class MatchDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        if (index.data(StoredStringModel::MatchCountRole).toInt() > 0)
            option->font.setBold(true);
    }
};

QString nativeName(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

StringsViewController::StringsViewController(QWidget *parent)
    : QWidget(parent)
    , m_ui(std::make_unique<Ui::StringsViewController>())
    , m_model(new StoredStringModel(this))
    , m_proxy(new QSortFilterProxyModel(this))
{
    m_ui->setupUi(this);
    const int iconSize = style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this);
    m_ui->problemIconLabel->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning, nullptr, this)
                                          .pixmap(iconSize, iconSize));

    m_proxy->setSourceModel(m_model);
    m_proxy->setFilterRole(StoredStringModel::FilterRole);
    m_proxy->setFilterCaseSensitivity(Qt::CaseInsensitive);

    QTableView *table = m_ui->stringsTableView;
    table->setModel(m_proxy);
    table->setItemDelegate(new MatchDelegate(table));
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table->setAlternatingRowColors(true);
    table->setWordWrap(false);
    table->setSortingEnabled(true);
    table->sortByColumn(StoredStringModel::OffsetColumn, Qt::AscendingOrder);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 8);
    QHeaderView *header = table->horizontalHeader();
    header->setHighlightSections(false);
    header->setSectionResizeMode(StoredStringModel::RoleColumn, QHeaderView::ResizeToContents);
    header->setSectionResizeMode(StoredStringModel::TextColumn, QHeaderView::Stretch);
    header->setSectionResizeMode(StoredStringModel::LayoutColumn, QHeaderView::ResizeToContents);
    header->setSectionResizeMode(StoredStringModel::OffsetColumn, QHeaderView::ResizeToContents);

    connect(m_ui->filterField, &QLineEdit::textChanged, m_proxy, &QSortFilterProxyModel::setFilterFixedString);
    connect(table->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &StringsViewController::selectionChanged);
    connect(m_proxy, &QAbstractItemModel::modelReset, this, &StringsViewController::selectionChanged);
    connect(m_ui->reloadButton, &QPushButton::clicked, this, &StringsViewController::reload);
    connect(m_ui->addRuleButton, &QPushButton::clicked, this, &StringsViewController::addRule);
    connect(m_ui->closeButton, &QPushButton::clicked, this, &QWidget::close);

    reload();
}

StringsViewController::~StringsViewController() = default;

void StringsViewController::setFiles(const QString &atnFilePath, const QString &rulFilePath)
{
    m_atnFilePath = atnFilePath;
    m_rulFilePath = rulFilePath;
    reload();
}

void StringsViewController::reload()
{
    readActionFile();
    countRuleMatches();
    selectionChanged();
}

void StringsViewController::readActionFile()
{
    const QString name = QFileInfo(m_atnFilePath).fileName();
    setWindowTitle(name.isEmpty() ? tr("Stored Strings") : tr("Stored Strings of %1").arg(name));
    m_ui->filePathLabel->setText(m_atnFilePath.isEmpty() ? tr("none") : nativeName(m_atnFilePath));
    m_ui->filePathLabel->setToolTip(nativeName(m_atnFilePath));

    const auto say = [this](const QString &text, bool problem) {
        m_ui->statusLabel->setText(text);
        m_ui->problemIconLabel->setVisible(problem);
    };
    if (m_atnFilePath.isEmpty()) {
        m_model->setStrings({});
        say(tr("Choose an input ATN file in the main window to see the texts stored in it."), false);
        return;
    }
    QFile file(m_atnFilePath);
    if (!file.open(QIODevice::ReadOnly)) {
        m_model->setStrings({});
        say(tr("Cannot read %1: %2").arg(nativeName(m_atnFilePath), file.errorString()), true);
        return;
    }
    const QByteArray bytes = file.readAll();
    const atnformat::ActionFile actions = atnformat::readActionFile(
        std::span(reinterpret_cast<const std::uint8_t *>(bytes.constData()), std::size_t(bytes.size())));
    m_model->setStrings(actions.strings);
    const QString texts = QString::number(m_model->rowCount());
    if (actions.isWellFormed()) {
        say(tr("A well-formed action file. Actions: %1, steps: %2, stored texts: %3.")
                .arg(QString::number(actions.actionCount), QString::number(actions.eventCount), texts),
            false);
    } else {
        say(tr("Not a well-formed action file: %1. The image editor may refuse it, and a translation of it is not "
               "checked. Stored texts found before that point: %2.")
                .arg(QString::fromStdString(actions.error->message()), texts),
            true);
    }
}

void StringsViewController::countRuleMatches()
{
    QStringList texts;
    for (const StoredStringModel::Row &row : m_model->rows())
        texts << row.text;

    QStringList pairs;
    if (!m_rulFilePath.isEmpty()) {
        for (const std::string &text : rules::processRuleFile(m_rulFilePath.toStdString()))
            pairs << QString::fromStdString(text);
    }
    const RuleMatches matches = ::countRuleMatches(texts, pairs);
    m_model->setMatchCounts(matches.perText);

    const QString rulName = QFileInfo(m_rulFilePath).fileName();
    if (m_rulFilePath.isEmpty()) {
        m_ui->matchesLabel->setText(tr("Choose a rule file in the main window to see which of these texts its rules "
                                       "match."));
    } else if (matches.rules == 0) {
        m_ui->matchesLabel->setText(tr("%1 has no enabled rules, or cannot be read.").arg(rulName));
    } else {
        m_ui->matchesLabel->setText(
            tr("Enabled rules in %2: %1. Matches of their search texts: %3, in %4 of the stored texts (shown in "
               "bold). Each search text is counted in the texts as stored, capitals included, not in what the "
               "rules above it would make of them.")
                .arg(QString::number(matches.rules), rulName, QString::number(matches.occurrences),
                     QString::number(matches.strings)));
    }
}

QStringList StringsViewController::selectedTexts() const
{
    QModelIndexList rows = m_ui->stringsTableView->selectionModel()->selectedRows(StoredStringModel::TextColumn);
    std::sort(rows.begin(), rows.end(), [](const QModelIndex &a, const QModelIndex &b) { return a.row() < b.row(); });
    QStringList texts;
    for (const QModelIndex &row : std::as_const(rows)) {
        const QString text = row.data(StoredStringModel::StoredTextRole).toString();
        if (!texts.contains(text))
            texts << text;
    }
    return texts;
}

void StringsViewController::addRule()
{
    const QStringList texts = selectedTexts();
    if (texts.isEmpty() || !m_addRules)
        return;
    const std::optional<int> added = m_addRules(texts);
    if (!added)
        return;
    const qsizetype leftOut = texts.size() - *added;
    if (leftOut > 0) {
        m_ui->addRuleNoteLabel->setText(
            tr("Texts left out, as a rule cannot hold \";\" or a line break: %1").arg(QString::number(leftOut)));
    }
}

void StringsViewController::selectionChanged()
{
    m_ui->addRuleNoteLabel->clear();
    m_ui->addRuleButton->setEnabled(m_ui->stringsTableView->selectionModel()->hasSelection());
}
