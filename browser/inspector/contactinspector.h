// The inspector's state: the current contact (a copy of the last selected contact's row), the
// switches it allows, and the notes the user types, which go to Google for the contacts that were
// selected when they were typed, named by their "gID".
#pragma once

#include "platform/gdata/entries/gdataentrycontact.h"

#include <QString>
#include <QStringList>
#include <QVariantMap>

class GoogleContactTool;

class ContactInspector
{
public:
    explicit ContactInspector(GoogleContactTool &tool);

    // The contacts selected now, in table order; the last one is shown. A pending edit of other
    // contacts is sent first. Showing the same contacts again reloads nothing while their row is
    // unchanged or while the user is editing the notes; a changed row is shown anew.
    void showContacts(const QStringList &gIDs);

    const QVariantMap &currentContact() const { return m_current; }
    // Sets keys of the current contact in place (its portrait once loaded or edited).
    void setCurrentContactValues(const QVariantMap &values);
    const GDataEntryContactPtr &currentTolvaneContact() const { return m_currentEntry; }
    bool canBeCo() const { return m_canBeCo; }
    bool canBeMale() const { return m_canBeMale; }
    bool canBeFemale() const { return m_canBeFemale; }

    // The notes of one contact as shown, and as the user edits them.
    const QString &notes() const { return m_notes; }
    void textChange(const QString &notes);
    // The text to append to the notes of several selected contacts.
    void setMultiNote(const QString &text);
    // An edit waits to be sent.
    bool updateRequired() const { return m_updateRequired; }

    // Sends the edit made since the notes were shown, once: the notes of the one contact when
    // they differ from its row's, or the multi-note appended (after a carriage return) to each
    // contact's notes. Text the user did not edit is never sent.
    void doUpdate();

private:
    void load(const QVariantMap &row);
    void showBlankContact();
    void sendNotes(const QString &gID, const QString &notes);

    GoogleContactTool &m_tool;
    QStringList m_targets;
    QVariantMap m_current;
    GDataEntryContactPtr m_currentEntry;
    bool m_canBeCo = false;
    bool m_canBeMale = false;
    bool m_canBeFemale = false;
    QString m_notes;
    QString m_multiNote;
    bool m_updateRequired = false;
};
