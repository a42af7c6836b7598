#include "app/windows/welcomepanel.h"

#include "app/bundleinfo.h"

#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

WelcomePanel::WelcomePanel(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
    , m_launchStatus(new QLabel(this))
{
    setObjectName(QStringLiteral("welcomePanel"));
    auto *const layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 20);
    auto *const title = new QLabel(bundleinfo::kBundleName, this);
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 2);
    titleFont.setBold(true);
    title->setFont(titleFont);
    title->setAlignment(Qt::AlignCenter);
    auto *const version = new QLabel(QStringLiteral("Version %1").arg(bundleinfo::version()), this);
    version->setAlignment(Qt::AlignCenter);
    m_launchStatus->setObjectName(QStringLiteral("launchStatus"));
    m_launchStatus->setAlignment(Qt::AlignCenter);
    m_launchStatus->setMinimumWidth(280);
    layout->addWidget(title);
    layout->addWidget(version);
    layout->addSpacing(12);
    layout->addWidget(m_launchStatus);
    adjustSize();
    if (const QScreen *screen = QApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

QString WelcomePanel::launchStatus() const
{
    return m_launchStatus->text();
}

void WelcomePanel::setLaunchStatus(const QString &text, bool redraw)
{
    m_launchStatus->setText(text);
    if (redraw)
        m_launchStatus->repaint();
}
