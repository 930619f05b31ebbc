// A window that explains ATN files and how atnlingo changes them.
#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class AtnWindow;
}

class AtnWindow : public QWidget {
    Q_OBJECT

public:
    explicit AtnWindow(QWidget *parent = nullptr);
    ~AtnWindow() override;
    Q_DISABLE_COPY_MOVE(AtnWindow)

private:
    std::unique_ptr<Ui::AtnWindow> m_ui;
};
