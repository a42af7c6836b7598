// The preferences sheet: the panes' toolbar over a stack of pages, one per pane. The application
// delegate gives it its toolbar and answers the toolbar's items; the sheet only shows pages.
#pragma once

#include <QDialog>
#include <QHash>
#include <QPointer>
#include <QString>
#include <QStringList>

class QStackedWidget;
class QToolBar;
class QVBoxLayout;

class PrefSheet : public QDialog
{
    Q_OBJECT

public:
    explicit PrefSheet(QWidget *parent = nullptr);

    // Put above the pages; the sheet owns it from then on.
    void setToolbar(QToolBar *toolbar);
    QToolBar *toolbar() const { return m_toolbar; }

    void addPage(const QString &tab, QWidget *page);
    QStringList tabs() const { return m_tabs; }
    // Shows the page of that identifier; false, showing none, for any other.
    bool showTab(const QString &tab);
    // The identifier of the page shown; empty while none is.
    QString currentTab() const;
    QWidget *page(const QString &tab) const { return m_pages.value(tab); }

    // The identifier of the toolbar's checked item; empty when none is checked.
    QString selectedItemIdentifier() const;
    // Checks the item of that identifier, unchecking the others; an unknown one checks none.
    void setSelectedItemIdentifier(const QString &identifier);

signals:
    // The user closed the sheet (Escape, the window's close button, the Close button).
    void closeRequested();

protected:
    void reject() override;

private:
    QVBoxLayout *m_layout;
    QPointer<QToolBar> m_toolbar;
    QStackedWidget *m_stack;
    QWidget *m_blank;
    QStringList m_tabs;
    QHash<QString, QWidget *> m_pages;
};
