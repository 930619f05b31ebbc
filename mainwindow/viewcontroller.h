// The content of the main window: the three files of a translation, the
// lenient option, Start, and the console the translation writes to.
//
// The controller keeps three stored paths apart from the texts of the three
// fields. Panels and dropped files set both, typing sets only a field's text,
// Reset empties all; Start reads the stored paths only. After every confirmed
// choice and every edit the field check empties a field whose text lacks its
// extension and enables Start while all three fields hold text.
#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class DropView;
class ImageView;
class Storyboard;
class WindowController;
namespace Ui {
class ViewController;
}

class ViewController : public QWidget {
    Q_OBJECT

public:
    explicit ViewController(QWidget *parent = nullptr);
    ~ViewController() override;
    Q_DISABLE_COPY_MOVE(ViewController)

    [[nodiscard]] const QString &atnFilePath() const { return m_atnFilePath; }
    [[nodiscard]] const QString &rulFilePath() const { return m_rulFilePath; }
    [[nodiscard]] const QString &atncopyFilePath() const { return m_atncopyFilePath; }
    // Whether the lenient little-endian check box calls for the option.
    [[nodiscard]] bool isLenient() const;

    // Made from this controller's storyboard "Main" on the first request and
    // owned by it from then on.
    [[nodiscard]] WindowController *editRuleWindow() const { return m_editRuleWindow.get(); }
    [[nodiscard]] WindowController *atnWindow() const { return m_atnWindow.get(); }
    [[nodiscard]] WindowController *stringsWindow() const { return m_stringsWindow.get(); }

    // Files named when the program starts: each .atn file is taken as the
    // input and each .rul file as the rule file, as a confirmed panel choice
    // would take it; other files are named on standard error and left out.
    void openFiles(const QStringList &paths);
    // The rule editor's hand-back: stores the path and shows it, nothing else.
    void setRuleFieldAndPath(const QString &path);
    // Opens the rule editor on the rule file and appends a disabled rule to it
    // for each text it can hold; how many it appended. Nothing when the user
    // keeps unsaved changes the editor holds for another file.
    std::optional<int> addRulesInEditor(const QStringList &searchTexts);
    void checkTextFields();

    void printout(const QString &text);
    void clearConsole();
    [[nodiscard]] QString consoleText() const;

    // A warning sheet on the application's active window; nothing when no
    // window of the application is active. Returns while the sheet is open.
    void showWarningInKeyWindow(const QString &message);

    // The search and replacement texts of the enabled rules, in file order.
    [[nodiscard]] QStringList processRuleFile(const QString &pathname) const;
    // One whole translation from parameters shaped like a command line:
    // [--lenient-le] INPUT OUTPUT SEARCH REPLACEMENT ...
    void processTranslation(const QStringList &parameters);
    [[nodiscard]] std::vector<std::uint8_t> process(const std::vector<std::uint8_t> &buffer, const QString &searchString,
                                                    const QString &replacementString,
                                                    bool lenientLittleEndianHandling);

signals:
    void startEnabledChanged(bool enabled);

public slots:
    void selectAtnFile();
    void selectRuleFile();
    void saveAtnFile();
    void resetFiles();
    void toggleLittleEndian();
    void startTranslation();
    void clearOutput();
    void copyOutput();
    void editRuleFile();
    void showAtnWindow();
    // Shows the texts stored in the input file; the window follows the input
    // and rule files while it is open.
    void showStringsWindow();
    // Brings the Stored Strings window up to date when it is open.
    void refreshStringsWindow();
    void showHelp();
    void exitApp();

private:
    enum class FileKind { Atn, Rule, AtnCopy };
    // What one file has on the window: its stored path, its field, its image
    // and the stem of the image's names ("<stem>_loaded", "<stem>_notloaded").
    struct FileSlot {
        QString *path;
        DropView *field;
        ImageView *image;
        QString imageStem;
    };
    [[nodiscard]] std::array<FileSlot, 3> fileSlots();

    void viewDidLoad();
    void controlTextDidChange();
    void takeFile(FileKind kind, const QString &path);
    void setStartEnabled(bool enabled);
    WindowController *windowFor(std::unique_ptr<WindowController> &window, const QString &identifier);
    void showWindow(std::unique_ptr<WindowController> &window, const QString &identifier);

    std::unique_ptr<Ui::ViewController> m_ui;
    std::unique_ptr<const Storyboard> m_storyboard;
    QString m_atnFilePath;
    QString m_rulFilePath;
    QString m_atncopyFilePath;
    std::unique_ptr<WindowController> m_editRuleWindow;
    std::unique_ptr<WindowController> m_atnWindow;
    std::unique_ptr<WindowController> m_stringsWindow;
};
