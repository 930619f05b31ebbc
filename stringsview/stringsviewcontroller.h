// The content of the Stored Strings window: the texts stored in one action
// file, whether the file is well-formed, and what a translation by the
// enabled rules of a rule file would make of each text.
//
// The window only reads: the preview is translated in memory, by the same
// translation a run does, and goes to no console. Its owner hands it the two
// paths and the options of a translation with `setFiles` whenever they change
// or the window is shown; "Add Rule" hands the selected texts to the handler
// its owner sets, which makes the rules.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "translation/translationrun.h"

class QSortFilterProxyModel;
class StoredStringModel;
namespace Ui {
class StringsViewController;
}

// What the main window would translate with.
struct TranslationOptions {
    translation::Mode mode = translation::Mode::ByteScan;
    bool lenient = false;
};

class StringsViewController : public QWidget {
    Q_OBJECT

public:
    explicit StringsViewController(QWidget *parent = nullptr);
    ~StringsViewController() override;
    Q_DISABLE_COPY_MOVE(StringsViewController)

    [[nodiscard]] const QString &atnFilePath() const { return m_atnFilePath; }
    [[nodiscard]] const QString &rulFilePath() const { return m_rulFilePath; }

    // Takes the two paths (empty: no file chosen) and the options the
    // preview translates with, and reads both files.
    void setFiles(const QString &atnFilePath, const QString &rulFilePath, const TranslationOptions &options = {});

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
    void previewTranslation();
    void selectionChanged();

    std::unique_ptr<Ui::StringsViewController> m_ui;
    StoredStringModel *m_model;
    QSortFilterProxyModel *m_proxy;
    QString m_atnFilePath;
    QString m_rulFilePath;
    TranslationOptions m_options;
    std::vector<std::uint8_t> m_bytes; // of the action file as last read
    AddRulesHandler m_addRules;
};
