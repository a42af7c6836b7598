// The contact table's drags and drops. A drag gives other programs the e-mail list, the rows or a
// text card, and vCard files; a drop of address book records, vCards, vCard files or another
// window's contacts or groups copies them into this account, in the groups selected.
#pragma once

#include "browser/models/tabledragdrop.h"

#include <QStringList>

class BrowserDragDrop;

class ContactTableDragDrop : public TableDragDrop
{
public:
    explicit ContactTableDragDrop(BrowserDragDrop &browser);

    QString windowToken() const override;
    bool writeDrag(const QList<int> &rows, QMimeData &data) override;
    bool canDrop(const QMimeData *data, int row, const QModelIndex &parent) const override;
    bool drop(const QMimeData *data, int row, const QModelIndex &parent) override;

    // The jobs of the drops.
    void uploadABPeople(const QStringList &abids);
    void uploadABGroups(const QStringList &abids);
    void uploadGoogleContacts(const QString &sourceToken, const QStringList &gIDs);
    void uploadGoogleGroups(const QString &sourceToken);
    void uploadVCardData(const QByteArray &data);
    void uploadVCFFiles(const QStringList &paths);

private:
    // Runs the job after the drag has ended.
    void later(std::function<void()> job);

    BrowserDragDrop &m_browser;
};

namespace droprules {

// Whether the file is a vCard file by its extension, in any case.
bool isVCardFile(const QString &path);
QStringList vCardFiles(const QStringList &paths);

} // namespace droprules
