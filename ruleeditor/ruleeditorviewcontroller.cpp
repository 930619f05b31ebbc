#include "ruleeditorviewcontroller.h"

#include "ui_ruleeditorviewcontroller.h"

#include <QAction>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QKeySequence>

#include "guisupport/desktop.h"
#include "ruletablemodel.h"
#include "ruletextdelegate.h"

using namespace Qt::Literals::StringLiterals;

namespace {
// A save that leaves many new rows empty would otherwise fill the screen.
constexpr std::size_t kMaxListedProblems = 12;
} // namespace

RuleEditorViewController::RuleEditorViewController(const QString &ruleFilePath, QWidget *parent)
    : QWidget(parent)
    , m_ui(std::make_unique<Ui::RuleEditorViewController>())
    , m_model(new RuleTableModel(this))
    , m_ruleFilePath(ruleFilePath)
{
    m_ui->setupUi(this);
    QPalette hintPalette = m_ui->hintLabel->palette();
    hintPalette.setColor(QPalette::WindowText, hintPalette.color(QPalette::PlaceholderText));
    m_ui->hintLabel->setPalette(hintPalette);

    connect(m_ui->insertButton, &QPushButton::clicked, this, &RuleEditorViewController::insertRow);
    connect(m_ui->deleteButton, &QPushButton::clicked, this, &RuleEditorViewController::deleteRow);
    connect(m_ui->moveupButton, &QPushButton::clicked, this, &RuleEditorViewController::moveupRow);
    connect(m_ui->movedownButton, &QPushButton::clicked, this, &RuleEditorViewController::movedownRow);
    connect(m_ui->selectAllButton, &QPushButton::clicked, this, &RuleEditorViewController::selectAllRows);
    connect(m_ui->deselectAllButton, &QPushButton::clicked, this, &RuleEditorViewController::deselectAll);
    connect(m_ui->loadRuleButton, &QPushButton::clicked, this, &RuleEditorViewController::loadRule);
    connect(m_ui->saveRuleButton, &QPushButton::clicked, this, &RuleEditorViewController::saveRule);
    connect(m_ui->okButton, &QPushButton::clicked, this, &RuleEditorViewController::okPressed);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &RuleEditorViewController::cancelWindow);
    connect(m_model, &RuleTableModel::modifiedChanged, this, &RuleEditorViewController::updateTitle);
    createShortcuts();

    viewDidLoad();
}

RuleEditorViewController::~RuleEditorViewController() = default;

void RuleEditorViewController::viewDidLoad()
{
    setUpTableView();
    setRuleFieldAndPath(m_ruleFilePath);
    if (!m_ruleFilePath.isEmpty()) {
        readData(m_ruleFilePath);
        m_ui->ruleImageView->setImageNamed(u"rule_loaded"_s);
    }
    updateTitle();
}

void RuleEditorViewController::setUpTableView()
{
    QTableView *table = m_ui->tableView;
    table->setModel(m_model);
    auto *delegate = new RuleTextDelegate(table);
    table->setItemDelegateForColumn(RuleTableModel::SearchColumn, delegate);
    table->setItemDelegateForColumn(RuleTableModel::ReplaceColumn, delegate);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                           | QAbstractItemView::AnyKeyPressed);
    table->setTabKeyNavigation(true);
    table->setAlternatingRowColors(true);
    table->setWordWrap(false);
    table->setCornerButtonEnabled(false);

    QHeaderView *columns = table->horizontalHeader();
    columns->setSectionResizeMode(RuleTableModel::UseColumn, QHeaderView::ResizeToContents);
    columns->setSectionResizeMode(RuleTableModel::SearchColumn, QHeaderView::Stretch);
    columns->setSectionResizeMode(RuleTableModel::ReplaceColumn, QHeaderView::Stretch);
    columns->setHighlightSections(false);
    columns->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QHeaderView *rows = table->verticalHeader();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(fontMetrics().height() + 10);
    rows->setDefaultAlignment(Qt::AlignRight | Qt::AlignVCenter);
    rows->setHighlightSections(false);

    table->installEventFilter(this);
    setFocusProxy(table);
    table->setFocus();
}

void RuleEditorViewController::createShortcuts()
{
    const auto add = [this](QWidget *owner, const QKeySequence &keys, Qt::ShortcutContext context, QPushButton *button,
                            void (RuleEditorViewController::*slot)()) {
        auto *action = new QAction(owner);
        action->setShortcut(keys);
        action->setShortcutContext(context);
        owner->addAction(action);
        connect(action, &QAction::triggered, this, slot);
        button->setToolTip(u"%1 (%2)"_s.arg(button->toolTip(), keys.toString(QKeySequence::NativeText)));
    };
    add(this, QKeySequence::New, Qt::WidgetWithChildrenShortcut, m_ui->insertButton,
        &RuleEditorViewController::insertRow);
    add(this, QKeySequence::Open, Qt::WidgetWithChildrenShortcut, m_ui->loadRuleButton,
        &RuleEditorViewController::loadRule);
    add(this, QKeySequence::Save, Qt::WidgetWithChildrenShortcut, m_ui->saveRuleButton,
        &RuleEditorViewController::saveRule);
    add(this, QKeySequence(Qt::CTRL | Qt::Key_Up), Qt::WidgetWithChildrenShortcut, m_ui->moveupButton,
        &RuleEditorViewController::moveupRow);
    add(this, QKeySequence(Qt::CTRL | Qt::Key_Down), Qt::WidgetWithChildrenShortcut, m_ui->movedownButton,
        &RuleEditorViewController::movedownRow);
    // Only on the table itself: in an open cell editor Delete deletes a letter.
    add(m_ui->tableView, QKeySequence::Delete, Qt::WidgetShortcut, m_ui->deleteButton,
        &RuleEditorViewController::deleteRow);
}

bool RuleEditorViewController::eventFilter(QObject *watched, QEvent *event)
{
    // Space ticks the rule of the current row from any of its cells, not
    // only from the check box, instead of starting to edit a text with it.
    // While a cell is edited its editor has the keys, not the table.
    if (watched == m_ui->tableView && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const QModelIndex current = m_ui->tableView->currentIndex();
        if (key->key() == Qt::Key_Space && key->modifiers() == Qt::NoModifier && current.isValid()) {
            m_model->setData(m_model->index(current.row(), RuleTableModel::UseColumn), QVariant(), Qt::CheckStateRole);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

const std::vector<rules::Rule> &RuleEditorViewController::dataArray() const
{
    return m_model->dataArray();
}

QTableView *RuleEditorViewController::tableView() const
{
    return m_ui->tableView;
}

bool RuleEditorViewController::isModified() const
{
    return m_model->isModified();
}

void RuleEditorViewController::setRuleFieldAndPath(const QString &path)
{
    m_ruleFilePath = path;
    m_ui->ruleTextField->setText(path);
    updateTitle();
}

void RuleEditorViewController::readData(const QString &path)
{
    m_model->setDataArray(rules::readData(path.toStdString()));
}

rules::WriteReport RuleEditorViewController::writeData(const QString &path)
{
    rules::WriteReport report = rules::writeData(path.toStdString(), m_model->dataArray());
    if (report.written)
        m_model->setModified(false);
    return report;
}

int RuleEditorViewController::selectedRow() const
{
    const QModelIndexList rows = m_ui->tableView->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.constFirst().row();
}

void RuleEditorViewController::selectRow(int row)
{
    const int currentColumn = m_ui->tableView->currentIndex().column();
    const QModelIndex index = m_model->index(row, currentColumn >= 0 ? currentColumn : RuleTableModel::SearchColumn);
    m_ui->tableView->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect
                                                                  | QItemSelectionModel::Rows);
    m_ui->tableView->scrollTo(index);
}

void RuleEditorViewController::insertRow()
{
    if (const auto row = m_model->insertRow(selectedRow())) {
        selectRow(*row);
        // A new rule is empty: start with its search text.
        const QModelIndex search = m_model->index(*row, RuleTableModel::SearchColumn);
        m_ui->tableView->setCurrentIndex(search);
        m_ui->tableView->edit(search);
    }
}

void RuleEditorViewController::deleteRow()
{
    const int row = selectedRow();
    if (row < 0)
        return;
    (void)m_model->deleteRow(row);
    // The row that moved up into its place, so that Delete can go on.
    if (m_model->rowCount() > 0)
        selectRow(std::min(row, m_model->rowCount() - 1));
}

void RuleEditorViewController::moveupRow()
{
    if (const auto row = m_model->moveupRow(selectedRow()))
        selectRow(*row);
}

void RuleEditorViewController::movedownRow()
{
    if (const auto row = m_model->movedownRow(selectedRow()))
        selectRow(*row);
}

void RuleEditorViewController::selectAllRows()
{
    m_model->selectAllRows();
}

void RuleEditorViewController::deselectAll()
{
    m_model->deselectAll();
}

int RuleEditorViewController::addRules(const QStringList &searchTexts)
{
    const int before = m_model->rowCount();
    const std::optional<int> first = m_model->appendRules(searchTexts);
    if (!first)
        return 0;
    selectRow(*first);
    // Typing goes straight into the replacement, the one text still missing.
    m_ui->tableView->selectionModel()->setCurrentIndex(m_model->index(*first, RuleTableModel::ReplaceColumn),
                                                       QItemSelectionModel::NoUpdate);
    return m_model->rowCount() - before;
}

void RuleEditorViewController::loadRule()
{
    const OpenPanel panel{.title = tr("Load a RUL file"),
                          .allowedFileTypes = {u"rul"_s},
                          .allowsMultipleSelection = false,
                          .canChooseDirectories = false,
                          .canCreateDirectories = false,
                          .canChooseFiles = true};
    const std::optional<QString> path = Desktop::current().runOpenPanel(panel, window());
    if (!path)
        return;
    setRuleFieldAndPath(*path);
    readData(*path);
    m_ui->ruleImageView->setImageNamed(u"rule_loaded"_s);
}

void RuleEditorViewController::saveRule()
{
    const SavePanel panel{.title = tr("Save RUL file"), .nameFieldStringValue = m_ui->ruleTextField->text()};
    const std::optional<QString> path = Desktop::current().runSavePanel(panel, window());
    if (!path)
        return;
    setRuleFieldAndPath(*path);
    const rules::WriteReport report = writeData(*path);
    m_ui->ruleImageView->setImageNamed(u"rule_loaded"_s);
    // A failed write is only logged, like a failed read.
    if (report.written && !report.lossyRows.empty())
        warnAboutLossyRows(report.lossyRows);
}

void RuleEditorViewController::okPressed()
{
    emit ruleFilePathHandedBack(m_ruleFilePath);
    window()->close();
}

void RuleEditorViewController::cancelWindow()
{
    window()->close();
}

QString RuleEditorViewController::titleFor(const QString &path, bool modified)
{
    QString name = path.isEmpty() ? tr("Untitled") : QFileInfo(path).fileName();
    if (name.isEmpty())
        name = path;
    return modified ? name + u" *"_s : name;
}

void RuleEditorViewController::updateTitle()
{
    window()->setWindowTitle(titleFor(m_ruleFilePath, m_model->isModified()));
}

QString RuleEditorViewController::describe(const rules::LossyRow &lossy)
{
    const int row = int(lossy.row) + 1;
    const QString field = lossy.key == "search"    ? tr("the search text")
                          : lossy.key == "replace" ? tr("the replacement text")
                                                   : tr("the check mark");
    switch (lossy.problem) {
    case rules::RowProblem::NotUtf8:
        return tr("Row %1: %2 is not valid UTF-8, so the file will not load at all.").arg(row).arg(field);
    case rules::RowProblem::FlagNotBinary:
        return tr("Row %1: %2 is neither on nor off.").arg(row).arg(field);
    case rules::RowProblem::EmptyText:
        return tr("Row %1: %2 is empty, so the rule will be skipped.").arg(row).arg(field);
    case rules::RowProblem::LineBreak:
        return tr("Row %1: %2 holds a line break, which splits the rule in two.").arg(row).arg(field);
    case rules::RowProblem::Semicolon:
        return tr("Row %1: %2 holds \u201c;\u201d, which splits it in two.").arg(row).arg(field);
    case rules::RowProblem::MergesWithSeparator:
        return tr("Row %1: %2 begins or ends with a mark that joins the \u201c;\u201d next to it.").arg(row).arg(field);
    }
    return {};
}

void RuleEditorViewController::warnAboutLossyRows(const std::vector<rules::LossyRow> &lossyRows)
{
    QStringList lines;
    for (std::size_t i = 0; i < lossyRows.size() && i < kMaxListedProblems; ++i)
        lines << u"\u2022 "_s + describe(lossyRows[i]);
    if (lossyRows.size() > kMaxListedProblems)
        lines << tr("\u2026 and %n more.", nullptr, int(lossyRows.size() - kMaxListedProblems));

    Alert alert;
    alert.style = Alert::Style::Warning;
    alert.messageText = tr("Some rules will not load back as they are");
    alert.informativeText = tr("The file was saved, but these rules will not load back from it as they are:\n\n%1\n\n"
                               "Change them and save again, or they will differ the next time the file is loaded.")
                                .arg(lines.join(u'\n'));
    alert.buttons = {tr("OK")};
    Desktop::current().beginSheet(alert, window());
}
