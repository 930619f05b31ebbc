#include "stringsviewcontroller.h"

#include "ui_stringsviewcontroller.h"

#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QSortFilterProxyModel>
#include <QStyle>
#include <QStyledItemDelegate>

#include <algorithm>

#include "atnformat/actionfile.h"
#include "engine/console.h"
#include "engine/fileio.h"
#include "guisupport/localizedstringtable.h"
#include "storedstringmodel.h"
#include "translation/dryrun.h"

namespace {

// Marks the rows the translation changes; the model itself stays free of fonts.
class ChangeDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        if (index.data(StoredStringModel::ChangedRole).toBool())
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
    table->setItemDelegate(new ChangeDelegate(table));
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
    header->setSectionResizeMode(StoredStringModel::AfterColumn, QHeaderView::Stretch);
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

void StringsViewController::setFiles(const QString &atnFilePath, const QString &rulFilePath,
                                     const TranslationOptions &options)
{
    m_atnFilePath = atnFilePath;
    m_rulFilePath = rulFilePath;
    m_options = options;
    reload();
}

void StringsViewController::reload()
{
    readActionFile();
    previewTranslation();
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
    m_bytes.clear();
    if (m_atnFilePath.isEmpty()) {
        m_model->setStrings({});
        say(tr("Choose an input ATN file in the main window to see the texts stored in it."), false);
        return;
    }
    // The engine's reader, as a translation reads: it never waits on a pipe
    // or a device dropped on a field, and stops at its size limit.
    engine::ReadResult read = engine::readFile(m_atnFilePath.toStdString());
    if (!read.ok) {
        m_model->setStrings({});
        say(QString::fromStdString(read.message.text(LocalizedStringTable())), true);
        return;
    }
    m_bytes = std::move(read.bytes);
    const atnformat::ActionFile actions = atnformat::readActionFile(m_bytes);
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

void StringsViewController::previewTranslation()
{
    m_model->setAfterTexts({});
    const auto say = [this](const QString &text) { m_ui->previewLabel->setText(text); };
    const QString rulName = QFileInfo(m_rulFilePath).fileName();
    if (m_rulFilePath.isEmpty()) {
        say(tr("Choose a rule file in the main window to see what its rules would make of these texts."));
        return;
    }
    translation::Request request;
    request.ruleFile = m_rulFilePath.toStdString();
    const translation::PreparedPairs prepared = translation::preparePairs(request, engine::KeyEchoTable());
    // A rule file's pairs always pass the checks: its reader leaves out what would not.
    if (prepared.refused) {
        say(tr("%1 has no enabled rules, or cannot be read.").arg(rulName));
        return;
    }
    if (m_model->rowCount() == 0 && m_bytes.empty()) {
        say(QString());
        return;
    }

    // The translation's own lines are not for this window.
    engine::StringConsole console;
    const translation::TextPreview preview = translation::previewTexts(
        std::vector<std::uint8_t>(m_bytes), prepared.pairs, m_options.mode, m_options.lenient,
        console, engine::KeyEchoTable());
    if (!preview.before.isWellFormed()) {
        say(tr("No translation is previewed, as the file is not a well-formed action file."));
        return;
    }
    if (preview.translated.brokenResult) {
        say(tr("No translation is previewed: the translated file would no longer be a well-formed action file (%1), "
               "so it would not be written.")
                .arg(QString::fromStdString(*preview.translated.brokenResult)));
        return;
    }
    if (preview.after.empty()) {
        say(tr("No translation is previewed: a text would become longer than a stored text may be."));
        return;
    }
    m_model->setAfterTexts(preview.after);

    const auto changed = std::ranges::count_if(m_model->rows(), &StoredStringModel::Row::isChanged);
    QStringList idle;
    for (const translation::PairOutcome &pair : preview.translated.pairs) {
        if (pair.rewrittenTexts == 0) {
            idle << tr("\"%1\" \u2192 \"%2\"")
                        .arg(QString::fromStdString(pair.pair.search), QString::fromStdString(pair.pair.replacement));
        }
    }
    QString text = tr("%1 of %2 texts change by the enabled rules of %3 (shown in bold).")
                       .arg(QString::number(changed), QString::number(m_model->rowCount()), rulName);
    text += u' ';
    text += idle.isEmpty() ? tr("Every rule matches.") : tr("Rules that match nothing: %1.").arg(idle.join(u", "));
    say(text);
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
