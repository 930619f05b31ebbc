// The content of the main window: the three files of a translation, the
// options, Start, and the console the translation writes to.
//
// The text of each file field is the path Start uses: typing, pasting, a
// panel and a dropped file all set it, and nothing else keeps a path. After
// every change the field check enables Start while the three texts end in
// ".atn", ".rul" and ".atn" (in any case), says under the fields why not
// otherwise, and sets each status image by what is on disk. Start asks before
// it replaces an output file the user has not chosen in Save As since its path
// last changed.
#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "consoleview.h"
#include "secondarywindows.h"

class DropView;
class ImageView;
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

    // What the fields hold.
    [[nodiscard]] QString atnFilePath() const;
    [[nodiscard]] QString rulFilePath() const;
    [[nodiscard]] QString atncopyFilePath() const;
    [[nodiscard]] bool isExactTranslation() const;
    // Whether the lenient little-endian check box calls for the option.
    [[nodiscard]] bool isLenient() const;

    // Made from this controller's storyboard "Main" on the first request and
    // owned by it from then on.
    [[nodiscard]] WindowController *editRuleWindow() const { return m_windows->editRuleWindow(); }
    [[nodiscard]] WindowController *atnWindow() const { return m_windows->atnWindow(); }
    [[nodiscard]] WindowController *stringsWindow() const { return m_windows->stringsWindow(); }

    // Files named when the program starts: each .atn file is taken as the
    // input and each .rul file as the rule file, as a confirmed panel choice
    // would take it; other files are named on standard error and left out.
    void openFiles(const QStringList &paths);
    // The rule editor's hand-back: puts the path in the rule field.
    void setRuleFieldAndPath(const QString &path);
    // Opens the rule editor on the rule file and appends a disabled rule to it
    // for each text it can hold; how many it appended. Nothing when the user
    // keeps unsaved changes the editor holds for another file.
    std::optional<int> addRulesInEditor(const QStringList &searchTexts);
    void checkTextFields();
    // Why Start cannot be used with the fields as they are; empty when it can.
    [[nodiscard]] QString fieldProblem() const;

    void printout(const QString &text) { m_console->appendPiece(text); }
    void clearConsole() { m_console->clear(); }
    [[nodiscard]] QString consoleText() const { return m_console->text(); }

    // A warning sheet on the application's active window, or on this one
    // when none is active. Returns while the sheet is open.
    void showWarningInKeyWindow(const QString &message);
    // The outcome line in bold beside its image: "outcome_succeeded",
    // "outcome_problems" (written, but a rule met a problem) or "outcome_failed".
    void showOutcome(const QString &line, const QString &image);
    // The check boxes as a translation takes them.
    [[nodiscard]] TranslationOptions translationOptions() const
    {
        return {isExactTranslation() ? translation::Mode::Exact : translation::Mode::ByteScan, isLenient()};
    }

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
    void clearOutput() { clearConsole(); }
    void copyOutput() { m_console->copyAll(); }
    void editRuleFile() { m_windows->showRuleEditor(); }
    void showAtnWindow() { m_windows->showAtnWindow(); }
    // Shows the texts stored in the input file; the window follows the input
    // and rule files while it is open.
    void showStringsWindow();
    // Brings the Stored Strings window up to date when it is open.
    void refreshStringsWindow();
    void showHelp() { m_windows->showHelp(window()); }
    void exitApp();

private:
    enum class FileKind { Atn, Rule, AtnCopy };
    // What one file has on the window: its field, its image and the stem of
    // the image's names ("<stem>_loaded", "<stem>_notloaded").
    struct FileSlot {
        DropView *field;
        ImageView *image;
        QString imageStem;
    };
    [[nodiscard]] std::array<FileSlot, 3> fileSlots() const;

    void viewDidLoad();
    void controlTextDidChange(FileKind kind);
    void takeFile(FileKind kind, const QString &path);
    void setStartEnabled(bool enabled);
    [[nodiscard]] bool mayWriteOutput();
    void refuse(const QString &summary, const QString &warning);

    std::unique_ptr<Ui::ViewController> m_ui;
    ConsoleView *m_console = nullptr; // of the form
    // The output path was chosen in Save As, which asked whether to replace
    // the file, and has not changed since.
    bool m_outputConfirmed = false;
    std::unique_ptr<SecondaryWindows> m_windows;
};
