// Renders the application's windows to PNG files, for looking at the layout
// without a desktop: run under xvfb-run. Not a test.
//
//   snapshot OUTPUT_FOLDER [LANGUAGE]
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <QTextBrowser>

#include "guisupport/systemdesktop.h"
#include "guisupport/windowcontroller.h"
#include "mainwindow/mainwindow.h"
#include "mainwindow/viewcontroller.h"
#include "ruleeditor/ruleeditorviewcontroller.h"
#include "resources/bundle.h"
#include "scripteddesktop.h"
#include "stringsview/stringsviewcontroller.h"
#include "tempdir.h"

using namespace Qt::Literals::StringLiterals;

namespace {

void save(QWidget *window, const QString &path)
{
    QApplication::processEvents();
    window->grab().save(path);
}

// Compressed as far as it goes, for pictures kept in the repository.
void saveSmall(QWidget *window, const QString &path)
{
    QApplication::processEvents();
    window->grab().save(path, "PNG", 0);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationDisplayName(u"atnlingo"_s);
    QApplication::setWindowIcon(bundle::applicationIcon());
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() < 2)
        return 2;
    const QDir out(arguments.at(1));
    bundle::installTranslations(QLocale(arguments.value(2, u"en"_s)));

    MainWindow main;
    ViewController *controller = main.viewController();
    main.resize(760, 580);
    main.show();
    (void)QTest::qWaitForWindowExposed(&main);
    save(&main, out.filePath(u"main-empty.png"_s));

    TempDir dir;
    const QDir resources(QStringLiteral(ATNLINGO_SOURCE_DIR "/resources"));
    QFile::copy(resources.filePath(u"samples/sample-en.atn"_s), QString::fromStdString(dir.file("Actions.atn")));
    QFile::copy(resources.filePath(u"rules/default-en-de.rul"_s),
                QString::fromStdString(dir.file("English to German.rul")));
    ScriptedDesktop desktop;
    desktop.answerNextPanel(QString::fromStdString(dir.file("Actions.atn")));
    controller->selectAtnFile();
    desktop.answerNextPanel(QString::fromStdString(dir.file("English to German.rul")));
    controller->selectRuleFile();
    desktop.answerNextPanel(QString::fromStdString(dir.file("Actions German.atn")));
    controller->saveAtnFile();
    controller->startTranslation();
    save(&main, out.filePath(u"main-translated.png"_s));

    for (const QSize size : {QSize(480, 360), QSize(1200, 800)}) {
        main.resize(size);
        QTest::qWait(50);
        save(&main, out.filePath(u"main-%1x%2.png"_s.arg(size.width()).arg(size.height())));
    }

    controller->editRuleFile();
    QWidget *editorWindow = controller->editRuleWindow()->window();
    (void)QTest::qWaitForWindowExposed(editorWindow);
    save(editorWindow, out.filePath(u"rule-editor.png"_s));
    auto *editor = qobject_cast<RuleEditorViewController *>(controller->editRuleWindow()->contentViewController());
    editor->addRules({u"Curves"_s, u"Vibrance"_s});
    editor->insertRow();
    save(editorWindow, out.filePath(u"rule-editor-edited.png"_s));
    desktop.answerNextPanel(QString::fromStdString(dir.file("Unfinished.rul")));
    editor->saveRule();
    if (!desktop.sheets.isEmpty()) {
        QMessageBox *sheet = SystemDesktop::makeAlert(desktop.sheets.constLast(), editorWindow);
        sheet->show();
        (void)QTest::qWaitForWindowExposed(sheet);
        save(sheet, out.filePath(u"rule-editor-warning.png"_s));
        sheet->close();
    }
    editorWindow->resize(420, 300);
    QTest::qWait(50);
    save(editorWindow, out.filePath(u"rule-editor-420x300.png"_s));
    editorWindow->resize(1000, 640);
    QTest::qWait(50);
    save(editorWindow, out.filePath(u"rule-editor-1000x640.png"_s));
    controller->showStringsWindow();
    QWidget *strings = controller->stringsWindow()->window();
    (void)QTest::qWaitForWindowExposed(strings);
    save(strings, out.filePath(u"strings-window.png"_s));
    // Texts no rule matches yet, chosen for new rules.
    if (auto *table = strings->findChild<QTableView *>()) {
        for (int row = 0; row < table->model()->rowCount(); ++row) {
            const QModelIndex index = table->model()->index(row, 1);
            if (index.data().toString() == u"Curves 1"_s || index.data().toString() == u"Hue/Saturation 1"_s)
                table->selectionModel()->select(index, QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
        saveSmall(strings, out.filePath(u"strings-window-selected.png"_s));
        qobject_cast<StringsViewController *>(controller->stringsWindow()->contentViewController())->addRule();
        save(controller->editRuleWindow()->window(), out.filePath(u"rule-editor-added.png"_s));
        table->clearSelection();
    }
    if (auto *filter = strings->findChild<QLineEdit *>(u"filterField"_s)) {
        filter->setText(u"layer"_s);
        save(strings, out.filePath(u"strings-window-filtered.png"_s));
        filter->clear();
    }
    strings->resize(460, 340);
    QTest::qWait(50);
    save(strings, out.filePath(u"strings-window-small.png"_s));
    std::vector<std::uint8_t> damaged = readBytes(dir.file("Actions.atn"));
    damaged.resize(damaged.size() / 2);
    writeBytes(dir.file("Damaged.atn"), damaged);
    desktop.answerNextPanel(QString::fromStdString(dir.file("Damaged.atn")));
    controller->selectAtnFile();
    save(strings, out.filePath(u"strings-window-damaged.png"_s));

    controller->showAtnWindow();
    (void)QTest::qWaitForWindowExposed(controller->atnWindow()->window());
    QWidget *atn = controller->atnWindow()->window();
    save(atn, out.filePath(u"atn-window.png"_s));
    if (auto *browser = atn->findChild<QTextBrowser *>()) {
        browser->verticalScrollBar()->setValue(browser->verticalScrollBar()->maximum());
        save(atn, out.filePath(u"atn-window-end.png"_s));
    }
    return 0;
}
