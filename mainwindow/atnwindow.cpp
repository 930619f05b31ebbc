#include "atnwindow.h"

#include "ui_atnwindow.h"

#include <QDialogButtonBox>
#include <QUrl>

AtnWindow::AtnWindow(QWidget *parent)
    : QWidget(parent)
    , m_ui(std::make_unique<Ui::AtnWindow>())
{
    m_ui->setupUi(this);
    //: The page the window shows: one for each language
    m_ui->atnTextBrowser->setSource(QUrl(tr("qrc:/atn/atnfiles.html")));
    connect(m_ui->buttonBox, &QDialogButtonBox::rejected, this, &QWidget::close);
}

AtnWindow::~AtnWindow() = default;
