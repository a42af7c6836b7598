#include "app/windows/mainwindow.h"

#include "app/bundleinfo.h"

#include <QLabel>
#include <QStatusBar>
#include <QVBoxLayout>

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
    , m_statusTextField(new QLabel(this))
{
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(bundleinfo::kBundleName);
    auto *const central = new QWidget(this);
    auto *const layout = new QVBoxLayout(central);
    auto *const heading = new QLabel(bundleinfo::kBundleName, central);
    QFont font = heading->font();
    font.setPointSizeF(font.pointSizeF() * 1.6);
    font.setBold(true);
    heading->setFont(font);
    layout->addWidget(heading);
    layout->addStretch();
    setCentralWidget(central);
    m_statusTextField->setObjectName(QStringLiteral("statusTextField"));
    statusBar()->addWidget(m_statusTextField, 1);
    resize(420, 160);
}

QString MainWindow::statusText() const
{
    return m_statusTextField->text();
}

void MainWindow::setStatusText(const QString &text)
{
    m_statusTextField->setText(text);
    m_statusTextField->update();
}
