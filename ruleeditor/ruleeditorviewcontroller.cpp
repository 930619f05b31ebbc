#include "ruleeditorviewcontroller.h"

#include "ui_ruleeditorviewcontroller.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QKeySequence>
#include <QStyleOptionFrame>

#include "guisupport/desktop.h"
#include "ruleeditoralerts.h"
#include "rules/ruletable.h"
#include "ruletablemodel.h"
#include "ruletableview.h"

using namespace Qt::Literals::StringLiterals;

RuleEditorViewController::RuleEditorViewController(const QString &ruleFilePath, QWidget *parent)
    : QWidget(parent)
    , m_ui(std::make_unique<Ui::RuleEditorViewController>())
    , m_document(new RuleDocument(this))
    , m_ruleFilePath(ruleFilePath)
{
    m_ui->setupUi(this);
    QPalette hintPalette = m_ui->hintLabel->palette();
    hintPalette.setColor(QPalette::WindowText, hintPalette.color(QPalette::PlaceholderText));
    m_ui->hintLabel->setPalette(hintPalette);

    connect(m_document, &RuleDocument::modifiedChanged, this, &RuleEditorViewController::updateTitle);
    connect(m_document, &RuleDocument::rowToShow, this, &RuleEditorViewController::selectRow);
    createActions();

    viewDidLoad();
    setMinimumSizeForContents();
    m_baseline = baseline();
}

RuleEditorViewController::~RuleEditorViewController() = default;

void RuleEditorViewController::viewDidLoad()
{
    m_ui->tableView->setRuleModel(m_document->model());
    setFocusProxy(m_ui->tableView);
    m_ui->tableView->setFocus();
    setRuleFieldAndPath(m_ruleFilePath);
    if (!m_ruleFilePath.isEmpty())
        readFile(m_ruleFilePath);
}

void RuleEditorViewController::createActions()
{
    struct Command {
        QPushButton *button;
        void (RuleEditorViewController::*slot)();
        QKeySequence keys;
    };
    const Command commands[] = {
        {m_ui->insertButton, &RuleEditorViewController::insertRow, QKeySequence::New},
        {m_ui->deleteButton, &RuleEditorViewController::deleteRow, QKeySequence::Delete},
        {m_ui->moveupButton, &RuleEditorViewController::moveupRow, QKeySequence(Qt::CTRL | Qt::Key_Up)},
        {m_ui->movedownButton, &RuleEditorViewController::movedownRow, QKeySequence(Qt::CTRL | Qt::Key_Down)},
        {m_ui->selectAllButton, &RuleEditorViewController::selectAllRows, {}},
        {m_ui->deselectAllButton, &RuleEditorViewController::deselectAll, {}},
        {m_ui->swapButton, &RuleEditorViewController::swapSearchAndReplace, {}},
        {m_ui->loadRuleButton, &RuleEditorViewController::loadRule, QKeySequence::Open},
        {m_ui->saveRuleButton, &RuleEditorViewController::saveRule, QKeySequence::Save},
        {m_ui->okButton, &RuleEditorViewController::okPressed, {}},
        {m_ui->cancelButton, &RuleEditorViewController::cancelWindow, {}},
    };
    for (const Command &command : commands) {
        connect(command.button, &QPushButton::clicked, this, command.slot);
        if (command.keys.isEmpty())
            continue;
        // Delete only on the table itself: in an open cell editor it deletes a letter.
        const bool onTable = command.button == m_ui->deleteButton;
        QWidget *owner = onTable ? static_cast<QWidget *>(m_ui->tableView) : this;
        auto *action = new QAction(owner);
        action->setShortcut(command.keys);
        action->setShortcutContext(onTable ? Qt::WidgetShortcut : Qt::WidgetWithChildrenShortcut);
        owner->addAction(action);
        connect(action, &QAction::triggered, this, command.slot);
        command.button->setToolTip(
            u"%1 (%2)"_s.arg(command.button->toolTip(), command.keys.toString(QKeySequence::NativeText)));
    }

    const auto [undo, redo] = m_document->createUndoActions(this);
    auto *swap = new QAction(m_ui->swapButton->text(), this);
    connect(swap, &QAction::triggered, this, &RuleEditorViewController::swapSearchAndReplace);
    m_ui->tableView->setContextMenuActions({undo, redo, nullptr, swap});
}

void RuleEditorViewController::setMinimumSizeForContents()
{
    // The whole placeholder, which says what the field is for.
    QLineEdit *field = m_ui->ruleTextField;
    QStyleOptionFrame frame;
    frame.initFrom(field);
    const QSize text(field->fontMetrics().horizontalAdvance(field->placeholderText()) + 8, field->fontMetrics().height());
    field->setMinimumWidth(field->style()->sizeFromContents(QStyle::CT_LineEdit, &frame, text, field).width());
    // The hint wraps, and the layout's minimum takes it at one line: the
    // window is as tall as it needs to be at its narrowest.
    const int width = layout()->minimumSize().width();
    setMinimumSize(width, std::max(layout()->minimumSize().height(), layout()->heightForWidth(width)));
}

void RuleEditorViewController::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // Every opening starts a new baseline for Cancel, the one after OK too;
    // coming back from being minimised is no opening.
    if (!event->spontaneous())
        m_baseline = baseline();
}

void RuleEditorViewController::closeEvent(QCloseEvent *event)
{
    const bool closes = m_closingAsked || maySaveChanges(tr("Your changes will be lost if you don't save them."));
    if (closes && !m_closingAsked && isModified())
        m_document->revert(); // discarded
    event->setAccepted(closes);
}

const std::vector<rules::Rule> &RuleEditorViewController::dataArray() const
{
    return m_document->rules();
}

RuleTableModel *RuleEditorViewController::model() const
{
    return m_document->model();
}

QTableView *RuleEditorViewController::tableView() const
{
    return m_ui->tableView;
}

bool RuleEditorViewController::isModified() const
{
    return m_document->isModified();
}

void RuleEditorViewController::setRuleFieldAndPath(const QString &path)
{
    m_ruleFilePath = path;
    m_ui->ruleTextField->setText(path);
    updateTitle();
}

void RuleEditorViewController::readData(const QString &path)
{
    m_document->read(path);
}

rules::WriteReport RuleEditorViewController::writeData(const QString &path)
{
    return m_document->write(path);
}

int RuleEditorViewController::selectedRow() const
{
    const QModelIndexList rows = m_ui->tableView->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.constFirst().row();
}

void RuleEditorViewController::selectRow(int row)
{
    row = std::min(row, model()->rowCount() - 1);
    if (row < 0)
        return;
    const int currentColumn = m_ui->tableView->currentIndex().column();
    const QModelIndex index = model()->index(row, currentColumn >= 0 ? currentColumn : RuleTableModel::SearchColumn);
    m_ui->tableView->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect
                                                                  | QItemSelectionModel::Rows);
    m_ui->tableView->scrollTo(index);
}

void RuleEditorViewController::change(const QString &text, const std::vector<rules::Rule> &rows, int rowBefore,
                                      std::optional<int> rowAfter)
{
    m_document->change(text, rows, rowBefore >= 0 ? std::optional(rowBefore) : std::nullopt, rowAfter);
    if (rowAfter)
        selectRow(*rowAfter);
}

void RuleEditorViewController::insertRow()
{
    const int selected = selectedRow();
    rules::RuleTable table(dataArray());
    const std::optional<int> row = table.insertRow(selected);
    change(tr("Add Rule"), table.dataArray(), selected, row);
    // A new rule is empty: start with its search text.
    const QModelIndex search = model()->index(*row, RuleTableModel::SearchColumn);
    m_ui->tableView->setCurrentIndex(search);
    m_ui->tableView->edit(search);
}

void RuleEditorViewController::deleteRow()
{
    const int row = selectedRow();
    rules::RuleTable table(dataArray());
    if (!table.hasRow(row))
        return;
    (void)table.deleteRow(row);
    // The row that moved up into its place, so that Delete can go on.
    const int next = std::min(row, table.rowCount() - 1);
    change(tr("Delete Rule"), table.dataArray(), row, next >= 0 ? std::optional(next) : std::nullopt);
}

void RuleEditorViewController::moveupRow()
{
    moveRow(tr("Move Rule Up"), &rules::RuleTable::moveupRow);
}

void RuleEditorViewController::movedownRow()
{
    moveRow(tr("Move Rule Down"), &rules::RuleTable::movedownRow);
}

void RuleEditorViewController::moveRow(const QString &text, std::optional<int> (rules::RuleTable::*step)(int))
{
    const int row = selectedRow();
    rules::RuleTable table(dataArray());
    if (const auto moved = (table.*step)(row))
        change(text, table.dataArray(), row, moved);
}

void RuleEditorViewController::selectAllRows()
{
    rules::RuleTable table(dataArray());
    (void)table.selectAllRows(-1);
    change(tr("Enable All Rules"), table.dataArray(), -1, std::nullopt);
}

void RuleEditorViewController::deselectAll()
{
    rules::RuleTable table(dataArray());
    (void)table.deselectAll(-1);
    change(tr("Disable All Rules"), table.dataArray(), -1, std::nullopt);
}

void RuleEditorViewController::swapSearchAndReplace()
{
    // A rule without a replacement gets an empty search text: it is skipped
    // on reading either way, and Save says so.
    const int selected = selectedRow();
    std::vector<rules::Rule> rows = dataArray();
    for (int row = 0; row < int(rows.size()); ++row) {
        if (selected < 0 || row == selected)
            std::swap(rows[std::size_t(row)].search, rows[std::size_t(row)].replace);
    }
    change(tr("Swap Search and Replace"), rows, selected, selected >= 0 ? std::optional(selected) : std::nullopt);
}

int RuleEditorViewController::addRules(const QStringList &searchTexts)
{
    std::vector<rules::Rule> rows = dataArray();
    const int first = int(rows.size());
    for (const QString &text : searchTexts) {
        if (!text.isEmpty() && RuleTableModel::isStorableText(text))
            rows.push_back({0, text.toStdString(), {}});
    }
    if (int(rows.size()) == first)
        return 0;
    change(tr("Add Stored Texts as Rules"), rows, selectedRow(), first);
    // Typing goes straight into the replacement, the one text still missing.
    m_ui->tableView->selectionModel()->setCurrentIndex(model()->index(first, RuleTableModel::ReplaceColumn),
                                                       QItemSelectionModel::NoUpdate);
    return int(rows.size()) - first;
}

bool RuleEditorViewController::takeRuleFile(const QString &path)
{
    if (path.isEmpty() || path == m_ruleFilePath)
        return true;
    if (!maySaveChanges(tr("The new rules go to the main window's rule file \u201c%1\u201d, which then replaces the "
                           "rules in the table.")
                            .arg(QFileInfo(path).fileName())))
        return false;
    readFile(path);
    return true;
}

void RuleEditorViewController::loadRule()
{
    if (!maySaveChanges(tr("Loading a file replaces the rules in the table.")))
        return;
    const OpenPanel panel{.title = tr("Load a RUL file"),
                          .allowedFileTypes = {u"rul"_s},
                          .allowsMultipleSelection = false,
                          .canChooseDirectories = false,
                          .canCreateDirectories = false,
                          .canChooseFiles = true};
    const std::optional<QString> path = Desktop::current().runOpenPanel(panel, window());
    if (path)
        readFile(*path);
}

void RuleEditorViewController::readFile(const QString &path)
{
    setRuleFieldAndPath(path);
    readData(path);
    m_ui->ruleImageView->setImageNamed(u"rule_loaded"_s);
}

void RuleEditorViewController::saveRule()
{
    (void)saveWithPanel();
}

bool RuleEditorViewController::maySaveChanges(const QString &consequence)
{
    if (!isModified())
        return true;
    const Alert question = RuleEditorAlerts::unsavedChanges(titleFor(m_ruleFilePath, false), consequence);
    switch (Desktop::current().runAlert(question, window())) {
    case RuleEditorAlerts::Save:
        return m_ruleFilePath.isEmpty() ? saveWithPanel() : saveTo(m_ruleFilePath);
    case RuleEditorAlerts::Discard:
        return true;
    default:
        return false;
    }
}

bool RuleEditorViewController::saveWithPanel()
{
    const SavePanel panel{.title = tr("Save RUL file"),
                          .nameFieldStringValue = m_ui->ruleTextField->text(),
                          .allowedFileTypes = {u"rul"_s}};
    const std::optional<QString> path = Desktop::current().runSavePanel(panel, window());
    return path && saveTo(*path);
}

bool RuleEditorViewController::saveTo(const QString &path)
{
    setRuleFieldAndPath(path);
    const rules::WriteReport report = writeData(path);
    m_ui->ruleImageView->setImageNamed(u"rule_loaded"_s);
    if (!report.written) {
        Desktop::current().beginSheet(RuleEditorAlerts::saveFailed(path), window());
        return false;
    }
    m_baseline = baseline();
    if (!report.lossyRows.empty())
        Desktop::current().beginSheet(RuleEditorAlerts::lossyRows(report.lossyRows), window());
    return true;
}

void RuleEditorViewController::okPressed()
{
    if (!maySaveChanges(tr("A translation reads the rules from the file: unsaved changes take no part in it, and they "
                           "are lost if you don't save them.")))
        return;
    if (isModified())
        m_document->revert();
    emit ruleFilePathHandedBack(m_ruleFilePath);
    closeWithoutAsking();
}

void RuleEditorViewController::cancelWindow()
{
    m_document->restore(m_baseline.document);
    setRuleFieldAndPath(m_baseline.path);
    m_ui->ruleImageView->setImageNamed(m_baseline.image);
    closeWithoutAsking();
}

RuleEditorViewController::Baseline RuleEditorViewController::baseline() const
{
    return {m_document->state(), m_ruleFilePath, m_ui->ruleImageView->imageName()};
}

void RuleEditorViewController::closeWithoutAsking()
{
    m_closingAsked = true;
    window()->close();
    m_closingAsked = false;
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
    window()->setWindowTitle(titleFor(m_ruleFilePath, isModified()));
}
