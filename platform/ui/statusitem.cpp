#include "platform/ui/statusitem.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QVBoxLayout>
#include <QWidget>

namespace {

std::optional<bool> &trayAnswerForTesting()
{
    static std::optional<bool> answer;
    return answer;
}

constexpr int kIconSide = 32;

} // namespace

StatusItem::StatusItem(const QIcon &icon, const QString &toolTip, const QString &windowTitle,
                       QMenu *menu, QObject *parent)
    : QObject(parent), m_menu(menu)
{
    m_form = isTrayAvailable() ? Form::Tray : Form::Window;
    if (m_form == Form::Tray) {
        m_tray = std::make_unique<QSystemTrayIcon>(icon);
        m_tray->setToolTip(toolTip);
        m_tray->setContextMenu(menu);
        // A click of either button opens the menu, as a status bar item does.
        connect(m_tray.get(), &QSystemTrayIcon::activated, this,
                [this](QSystemTrayIcon::ActivationReason reason) {
                    if (reason == QSystemTrayIcon::Trigger && m_menu)
                        m_menu->popup(statusItemFrame().bottomLeft());
                });
        m_tray->show();
        return;
    }
    makeWindow(icon, windowTitle);
    m_window->setToolTip(toolTip);
}

StatusItem::~StatusItem() = default;

bool StatusItem::isTrayAvailable()
{
    if (trayAnswerForTesting())
        return *trayAnswerForTesting();
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void StatusItem::setTrayAvailableForTesting(std::optional<bool> available)
{
    trayAnswerForTesting() = available;
}

void StatusItem::makeWindow(const QIcon &icon, const QString &title)
{
    m_window = std::make_unique<QWidget>(nullptr, Qt::Window);
    m_window->setWindowTitle(title);
    m_window->setWindowIcon(icon);
    m_window->setAttribute(Qt::WA_QuitOnClose, false);

    m_iconLabel = new QLabel(m_window.get());
    m_iconLabel->setPixmap(icon.pixmap(kIconSide, kIconSide));
    m_iconLabel->setFixedSize(kIconSide, kIconSide);
    m_statusLabel = new QLabel(m_window.get());
    m_lastActionLabel = new QLabel(m_window.get());
    m_lastActionLabel->setForegroundRole(QPalette::PlaceholderText);
    m_menuButton = new QPushButton(QObject::tr("Menu"), m_window.get());
    m_menuButton->setMenu(m_menu);

    auto *lines = new QVBoxLayout;
    lines->addWidget(m_statusLabel);
    lines->addWidget(m_lastActionLabel);
    auto *row = new QHBoxLayout(m_window.get());
    row->addWidget(m_iconLabel, 0, Qt::AlignTop);
    row->addLayout(lines, 1);
    row->addWidget(m_menuButton, 0, Qt::AlignVCenter);
    m_window->setMinimumWidth(440);
    m_window->show();
}

QRect StatusItem::statusItemFrame() const
{
    if (m_tray) {
        const QRect geometry = m_tray->geometry();
        if (geometry.isValid())
            return geometry;
        // Some trays do not tell where the icon is: the top right corner of the screen then.
        const QScreen *screen = QGuiApplication::primaryScreen();
        const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 800, 600);
        return QRect(available.right() - kIconSide, available.top(), kIconSide, kIconSide);
    }
    return m_window ? m_window->frameGeometry() : QRect();
}

QMenu *StatusItem::menu() const
{
    if (m_tray)
        return m_tray->contextMenu();
    return m_menuButton ? m_menuButton->menu() : nullptr;
}

QWidget *StatusItem::window() const
{
    return m_window.get();
}

void StatusItem::setImage(const QIcon &icon)
{
    if (m_tray)
        m_tray->setIcon(icon);
    if (m_iconLabel)
        m_iconLabel->setPixmap(icon.pixmap(kIconSide, kIconSide));
}

void StatusItem::setStatusLine(const QString &text)
{
    m_statusLine = text;
    if (m_statusLabel)
        m_statusLabel->setText(text);
}

void StatusItem::setLastActionLine(const QString &text)
{
    m_lastActionLine = text;
    if (m_lastActionLabel)
        m_lastActionLabel->setText(text);
}

void StatusItem::remove()
{
    if (m_tray)
        m_tray->hide();
    if (m_window)
        m_window->close();
}
