#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariant>
#include <QVariantMap>
#include <QWidget>

#include <functional>

class GoogleContactTool;
class GoogleContactToolDataDelegate;
class GoogleContactToolUIDelegate;

// One window of the main program and what the application delegate asks of it. The controller
// owns its window; the application delegate owns the controller, which deletes itself once its
// window has closed, after telling the delegate, so that the delegate forgets it and takes back
// the engine's delegates before anything of the window is gone.
class WindowController : public QObject
{
    Q_OBJECT

public:
    // The windows that the application delegate opens through the window factory.
    enum class Kind { DataMover, Browser, Preview, WebView };

    explicit WindowController(Kind kind, QObject *parent = nullptr);
    ~WindowController() override;

    Kind kind() const { return m_kind; }
    QWidget *window() const { return m_window; }
    // The controller of a top-level window; null for a window that has none.
    static WindowController *forWindow(const QWidget *window);

    // Shows the window, brings it to the front and makes it key.
    virtual void showWindow();
    virtual void setWinTitle(const QString &title);

    // The engine the window works on: borrowed from the application delegate, or, for a browser
    // of a second account, its own. Null for a window without one.
    virtual GoogleContactTool *googleTool() const;
    virtual void setGoogleTool(GoogleContactTool *tool);
    // The window's own engine, made for a second account; its login sheet.
    virtual void setInternalGoogleTool();
    virtual void openLoginPanel();
    // The key under which the application delegate keeps a browser of a second account.
    QString cacheKey() const { return m_cacheKey; }
    void setCacheKey(const QString &key) { m_cacheKey = key; }

    // What the window answers as the engine's UI and data delegate; null when it takes neither.
    virtual GoogleContactToolUIDelegate *engineUIDelegate();
    virtual GoogleContactToolDataDelegate *engineDataDelegate();
    // Makes the window its engine's UI and data delegate, as it does when it becomes key.
    void takeEngineDelegates();

    // The browser's group set operator: union (false) or intersection (true).
    virtual bool useIntersection() const;
    virtual void setUseIntersection(bool intersection);

    // What the editor sheets open on: the contact the window shows (a browser dictionary) and the
    // first group row chosen in its group list. Empty for a window that shows neither.
    virtual QVariantMap currentContact() const;
    virtual QVariantMap firstSelectedGroup() const;

    // Whether the window's contact table shows a column with the identifier; false for a window
    // without one.
    virtual bool hasContactTableColumn(const QString &identifier) const;

    // Menu commands the window answers, by the command's name; the argument is the sender's
    // value where the command reads one (the tag of the data field menu item).
    bool respondsToCommand(const QString &name) const;
    bool performCommand(const QString &name, const QVariant &argument = QVariant());

signals:
    // The window is closing: sent once, while the whole controller is still alive.
    void windowClosing(WindowController *controller);

protected:
    // Takes ownership of the top-level window and follows its closing.
    void setWindow(QWidget *window);
    void registerCommand(const QString &name, std::function<void(const QVariant &)> command);
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Kind m_kind;
    QPointer<QWidget> m_window;
    QString m_cacheKey;
    QHash<QString, std::function<void(const QVariant &)>> m_commands;
    bool m_closing = false;
};
