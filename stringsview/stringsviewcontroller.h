// The content of the Stored Strings window: the texts stored in one action
// file, whether the file is well-formed, and how often the enabled rules of a
// rule file match those texts.
//
// The window only reads. Its owner hands it the two paths with `setFiles`
// whenever they change or the window is shown; "Add Rule" hands the selected
// texts to the handler its owner sets, which makes the rules.
#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class QSortFilterProxyModel;
class StoredStringModel;
namespace Ui {
class StringsViewController;
}

class StringsViewController : public QWidget {
    Q_OBJECT

public:
    explicit StringsViewController(QWidget *parent = nullptr);
    ~StringsViewController() override;
    Q_DISABLE_COPY_MOVE(StringsViewController)

    [[nodiscard]] const QString &atnFilePath() const { return m_atnFilePath; }
    [[nodiscard]] const QString &rulFilePath() const { return m_rulFilePath; }

    // Takes the two paths (empty: no file chosen) and reads both files.
    void setFiles(const QString &atnFilePath, const QString &rulFilePath);

    // The texts of the selected rows as stored, top to bottom in the view,
    // each once.
    [[nodiscard]] QStringList selectedTexts() const;

    [[nodiscard]] StoredStringModel *model() const { return m_model; }

    // Makes a rule for each search text it can and returns how many it made;
    // nothing when the user called it off.
    using AddRulesHandler = std::function<std::optional<int>(const QStringList &searchTexts)>;
    void setAddRulesHandler(AddRulesHandler handler) { m_addRules = std::move(handler); }

public slots:
    // Reads both files again.
    void reload();
    void addRule();

private:
    void readActionFile();
    void countRuleMatches();
    void selectionChanged();

    std::unique_ptr<Ui::StringsViewController> m_ui;
    StoredStringModel *m_model;
    QSortFilterProxyModel *m_proxy;
    QString m_atnFilePath;
    QString m_rulFilePath;
    AddRulesHandler m_addRules;
};
