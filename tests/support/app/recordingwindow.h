#pragma once

#include "app/windows/windowcontroller.h"
#include "google/engine/googlecontacttool.h"
#include "tests/support/google/enginedoubles.h"

#include <QStringList>

#include <memory>

// A window of the factory for the main program's tests: it records what the application delegate
// asks of it, and, as the engine's UI delegate, what the engine tells it, into one journal.
class RecordingWindow : public WindowController
{
    Q_OBJECT

public:
    RecordingWindow(Kind kind, QStringList &journal);
    ~RecordingWindow() override;

    GoogleContactTool *googleTool() const override { return m_tool; }
    void setGoogleTool(GoogleContactTool *tool) override;
    void setInternalGoogleTool() override;
    void openLoginPanel() override;
    void setWinTitle(const QString &title) override;
    GoogleContactToolUIDelegate *engineUIDelegate() override { return &m_ui; }
    GoogleContactToolDataDelegate *engineDataDelegate() override { return &m_data; }
    bool useIntersection() const override { return m_useIntersection; }
    void setUseIntersection(bool intersection) override { m_useIntersection = intersection; }

    // Offers a menu command that writes "command:<name>" (with its argument) when performed. A
    // sender argument is written as "item:<title>" for a menu item, else by its class name.
    void offerCommand(const QString &name);

    // The contact table columns the window shows, as the test sets them.
    bool hasContactTableColumn(const QString &identifier) const override
    {
        return shownColumns.contains(identifier);
    }
    QStringList shownColumns;

    // What the editor sheets open on, as the test sets it.
    QVariantMap currentContact() const override { return m_currentContact; }
    QVariantMap firstSelectedGroup() const override { return m_firstSelectedGroup; }
    void setCurrentContact(const QVariantMap &contact) { m_currentContact = contact; }
    void setFirstSelectedGroup(const QVariantMap &group) { m_firstSelectedGroup = group; }

private:
    QStringList &m_journal;
    GoogleContactTool *m_tool = nullptr;
    std::unique_ptr<GoogleContactTool> m_ownTool;
    RecordingUIDelegate m_ui;
    RecordingDataDelegate m_data;
    bool m_useIntersection = false;
    QVariantMap m_currentContact;
    QVariantMap m_firstSelectedGroup;
};

// Registers recording windows of every kind in the window factory; each window made is kept in
// the list (a guarded pointer: a closed window reads as null).
class RecordingWindowFactory
{
public:
    explicit RecordingWindowFactory(QStringList &journal);
    ~RecordingWindowFactory();

    QList<QPointer<RecordingWindow>> made;

private:
    QStringList &m_journal;
};
