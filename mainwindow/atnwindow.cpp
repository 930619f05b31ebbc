#include "atnwindow.h"

#include "ui_atnwindow.h"

#include <QDialogButtonBox>

AtnWindow::AtnWindow(QWidget *parent)
    : QWidget(parent)
    , m_ui(std::make_unique<Ui::AtnWindow>())
{
    m_ui->setupUi(this);
    connect(m_ui->buttonBox, &QDialogButtonBox::rejected, this, &QWidget::close);
}

AtnWindow::~AtnWindow() = default;
