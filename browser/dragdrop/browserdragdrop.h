// The drags and drops of one browser window: the token that names it among the program's open
// browsers, the vCards of its contacts that other windows copy, and the import of dropped cards
// into its account. Rows of another window are honoured only while that window is open in this
// program.
#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <memory>

class BrowserWindowController;
class ContactTableDragDrop;
class GroupTableDragDrop;
class GoogleContactTool;

class BrowserDragDrop : public QObject
{
    Q_OBJECT

public:
    explicit BrowserDragDrop(BrowserWindowController &window, QObject *parent = nullptr);
    ~BrowserDragDrop() override;

    QString windowToken() const { return m_token; }
    // The open browser of this program with that token; null for any other.
    static BrowserDragDrop *forToken(const QString &token);

    ContactTableDragDrop &contactTable() { return *m_contactTable; }
    GroupTableDragDrop &groupTable() { return *m_groupTable; }
    BrowserWindowController &window() const { return m_window; }
    GoogleContactTool *tool() const;
    // The account's user name; "" without an engine.
    QString user() const;

    // The vCards of contacts, one after another in UTF-8: of these identifiers, of every contact
    // the window shows, of the members of the group with that title (without pictures). A
    // contact's picture is the one the window has loaded.
    QByteArray vCardDataForIDs(const QStringList &gIDs) const;
    QByteArray vCardDataForCurrentContacts() const;
    QByteArray vCardDataForMembersOfGroupName(const QString &name) const;
    // The contact rows the window shows, in its order.
    QList<QVariantMap> shownRows() const;

    // The files of a drag, written now into the drag folder of the program's tmp folder: one file
    // of all the rows' cards, or one per row named by its "name".
    QList<QUrl> writeVCardFiles(const QList<QVariantMap> &rows, bool oneFile) const;
    QString tmpFolderPath() const;

    // Imports the cards into the groups of the selected group rows (one selected row: that row's
    // group), with the source label.
    void abDropManager(const QList<QByteArray> &vCards, const QString &source);
    // Imports the cards into the group of that identifier, else as abDropManager.
    void abDropManager(const QList<QByteArray> &vCards, const QString &groupID,
                       const QString &source);

    // The cards of vCard data; data without any card gives none.
    static QList<QByteArray> cardsOf(const QByteArray &data);

    // The delay after which a drop's job runs, outside the drag.
    static constexpr int kDropDelayMs = 250;

private:
    QByteArray vCardOfRow(const QVariantMap &row, bool withPicture) const;

    BrowserWindowController &m_window;
    QString m_token;
    std::unique_ptr<ContactTableDragDrop> m_contactTable;
    std::unique_ptr<GroupTableDragDrop> m_groupTable;
};
