// The main window: the translation form as its content, with the
// application's menus.
#pragma once

#include <QMainWindow>

class ViewController;

class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);

    [[nodiscard]] ViewController *viewController() const { return m_viewController; }

private:
    void createMenus();
    void showAbout();

    ViewController *m_viewController;
};
