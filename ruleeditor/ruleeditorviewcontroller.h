// The content of the rule editor window: the rules of one RUL file as an
// editable table, the row buttons, Load, Save, and OK to hand the file's path
// back to the window that opened the editor.
//
// The editor is made once, at its opener's first request, and shown again
// unchanged on later requests: the table, unsaved edits included, and the
// path stay as they were left by OK, Cancel or closing the window. Only when
// it is made does it read the rule file its opener names.
//
// OK never saves: `ruleFilePathHandedBack` carries the path of the file last
// loaded or saved. The window title names that file and marks unsaved edits
// with "*".
#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

#include <memory>
#include <vector>

#include "rules/rulefile.h"

class QTableView;
class RuleTableModel;
namespace Ui {
class RuleEditorViewController;
}

class RuleEditorViewController : public QWidget {
    Q_OBJECT

public:
    // Shows the rules of `ruleFilePath`, or the default rules when it is empty.
    explicit RuleEditorViewController(const QString &ruleFilePath = QString(), QWidget *parent = nullptr);
    ~RuleEditorViewController() override;
    Q_DISABLE_COPY_MOVE(RuleEditorViewController)

    [[nodiscard]] const QString &ruleFilePath() const { return m_ruleFilePath; }
    [[nodiscard]] const std::vector<rules::Rule> &dataArray() const;
    [[nodiscard]] RuleTableModel *model() const { return m_model; }
    [[nodiscard]] QTableView *tableView() const;
    [[nodiscard]] bool isModified() const;

    // Stores the path and shows it; the table is left alone.
    void setRuleFieldAndPath(const QString &path);
    // Replace the table by the rules of a file, or write it to one. A failed
    // read leaves the table empty; a failed write only goes to the log.
    void readData(const QString &path);
    rules::WriteReport writeData(const QString &path);

    // Appends one disabled rule per text, with an empty replacement, selects
    // the first of them and shows it. Texts a rule cannot hold (empty, or
    // with ";" or a line break) are left out. Returns how many were added.
    int addRules(const QStringList &searchTexts);

    // The title for a file path: its file name, or "Untitled" for none,
    // followed by " *" while there are unsaved changes.
    [[nodiscard]] static QString titleFor(const QString &path, bool modified);

signals:
    // OK was pressed; the path of the file last loaded or saved, or the one
    // the editor was made with.
    void ruleFilePathHandedBack(const QString &ruleFilePath);

public slots:
    void insertRow();
    void deleteRow();
    void moveupRow();
    void movedownRow();
    void selectAllRows();
    void deselectAll();
    void loadRule();
    void saveRule();
    void okPressed();
    void cancelWindow();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void viewDidLoad();
    void setUpTableView();
    void createShortcuts();
    [[nodiscard]] int selectedRow() const;
    void selectRow(int row);
    void updateTitle();
    void warnAboutLossyRows(const std::vector<rules::LossyRow> &lossyRows);
    [[nodiscard]] static QString describe(const rules::LossyRow &lossy);

    std::unique_ptr<Ui::RuleEditorViewController> m_ui;
    RuleTableModel *m_model;
    QString m_ruleFilePath;
};
