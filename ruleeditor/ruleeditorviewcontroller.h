// The content of the rule editor window: the rules of one RUL file as an
// editable table, the row buttons, Load, Save, and OK to hand the file's path
// back to the window that opened the editor.
//
// The editor is made once, at its opener's first request, and shown again on
// later requests. Only when it is made does it read the rule file its opener
// names. Every change of the table can be undone; the window title names the
// file last loaded or saved and marks unsaved changes with "*".
//
// Cancel takes the table and the path back to where they were when the window
// was last opened, saved or confirmed with OK. Load, OK and closing the window
// first ask whether to save unsaved changes; discarding them takes the table
// back to the file. OK never saves by itself: `ruleFilePathHandedBack`
// carries the path of the file last loaded or saved.
#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

#include <memory>
#include <optional>
#include <vector>

#include "ruledocument.h"
#include "rules/rulefile.h"

class QTableView;
class RuleTableModel;
namespace rules {
class RuleTable;
}
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
    [[nodiscard]] RuleTableModel *model() const;
    [[nodiscard]] QTableView *tableView() const;
    [[nodiscard]] bool isModified() const;

    // Stores the path and shows it; the table is left alone.
    void setRuleFieldAndPath(const QString &path);
    // Replace the table by the rules of a file, or write it to one. A failed
    // read leaves the table empty; a failed write changes nothing.
    void readData(const QString &path);
    rules::WriteReport writeData(const QString &path);

    // Makes `path` the editor's file, reading it unless the editor holds it
    // already; an empty path leaves the editor as it is. Asks first when
    // unsaved changes of another file would be lost: false when the user
    // keeps them.
    bool takeRuleFile(const QString &path);
    // Appends one disabled rule per text, with an empty replacement, selects
    // the first of them and shows it, as one step. Texts a rule cannot hold
    // (empty, or with ";" or a line break) are left out. Returns how many
    // were added.
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
    // The selected rule's search and replacement texts change places, or
    // every rule's when none is selected.
    void swapSearchAndReplace();
    void loadRule();
    void saveRule();
    void okPressed();
    void cancelWindow();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    struct Baseline {
        RuleDocument::State document;
        QString path;
        QString image;
    };

    void viewDidLoad();
    void createActions();
    void setMinimumSizeForContents();
    [[nodiscard]] int selectedRow() const;
    void selectRow(int row);
    void moveRow(const QString &text, std::optional<int> (rules::RuleTable::*step)(int));
    void change(const QString &text, const std::vector<rules::Rule> &rows, int rowBefore,
                std::optional<int> rowAfter);
    [[nodiscard]] bool maySaveChanges(const QString &consequence);
    // Shows the file and its rules, read or not.
    void readFile(const QString &path);
    bool saveWithPanel();
    bool saveTo(const QString &path);
    [[nodiscard]] Baseline baseline() const;
    void closeWithoutAsking();
    void updateTitle();

    std::unique_ptr<Ui::RuleEditorViewController> m_ui;
    RuleDocument *m_document;
    QString m_ruleFilePath;
    Baseline m_baseline;
    bool m_closingAsked = false;
};
