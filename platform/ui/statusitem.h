#pragma once

#include <QIcon>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QString>

#include <memory>
#include <optional>

class QLabel;
class QMenu;
class QPushButton;
class QSystemTrayIcon;
class QWidget;

// A program's item in the desktop's tray: an icon with a tool tip that opens the program's menu.
// Where the desktop has no tray the item is a small window instead, showing two lines of text
// and a button that opens the same menu. Which form is used is asked once, when the item is made.
class StatusItem : public QObject
{
    Q_OBJECT

public:
    enum class Form { Tray, Window };

    // The menu is not owned and must outlive the item.
    StatusItem(const QIcon &icon, const QString &toolTip, const QString &windowTitle, QMenu *menu,
               QObject *parent = nullptr);
    ~StatusItem() override;

    // Whether a tray is there: the desktop's answer unless a test has given one (nullopt: ask the
    // desktop again).
    static bool isTrayAvailable();
    static void setTrayAvailableForTesting(std::optional<bool> available);

    Form form() const { return m_form; }
    // The screen geometry of the icon, or of the window that stands for it; panels are placed
    // under it.
    QRect statusItemFrame() const;
    // The window of the windowed form; null in the tray.
    QWidget *window() const;

    void setImage(const QIcon &icon);
    // The two lines the window shows (the tray shows them in the menu).
    void setStatusLine(const QString &text);
    void setLastActionLine(const QString &text);
    QString statusLine() const { return m_statusLine; }
    QString lastActionLine() const { return m_lastActionLine; }
    // The window's button that opens the menu; null in the tray.
    QPushButton *menuButton() const { return m_menuButton; }
    // The menu the tray icon or the window's button opens.
    QMenu *menu() const;

    // Takes the item off the tray, or closes its window.
    void remove();

private:
    void makeWindow(const QIcon &icon, const QString &title);

    Form m_form = Form::Window;
    QMenu *m_menu = nullptr;
    std::unique_ptr<QSystemTrayIcon> m_tray;
    std::unique_ptr<QWidget> m_window;
    QLabel *m_iconLabel = nullptr;
    QLabel *m_statusLabel = nullptr;
    QLabel *m_lastActionLabel = nullptr;
    QPushButton *m_menuButton = nullptr;
    QString m_statusLine;
    QString m_lastActionLine;
};
