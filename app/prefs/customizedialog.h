// The browser toolbar's customisation: the items the toolbar allows on one side, the items it
// shows, in order, on the other. Done hands back the chosen list; Cancel changes nothing.
#pragma once

#include <QDialog>
#include <QHash>
#include <QStringList>

class QListView;
class QStringListModel;

class CustomizeDialog : public QDialog
{
    Q_OBJECT

public:
    // Item identifiers with their palette labels, in the allowed order. An identifier the toolbar
    // shows but does not allow stays where it is and cannot be added again once removed.
    CustomizeDialog(const QStringList &allowed, const QHash<QString, QString> &labels,
                    const QStringList &shown, QWidget *parent = nullptr);

    QStringList chosenIdentifiers() const { return m_chosen; }

    // The list's row actions, by the buttons beside it.
    void addItem(int allowedRow);
    void removeItem(int shownRow);
    void moveItem(int shownRow, int by);

    QStringListModel *allowedModel() const { return m_allowedModel; }
    QStringListModel *shownModel() const { return m_shownModel; }

private:
    void showChosen();
    int currentRow(const QListView *view) const;

    QStringList m_allowed;
    QHash<QString, QString> m_labels;
    QStringList m_chosen;
    QStringListModel *m_allowedModel;
    QStringListModel *m_shownModel;
    QListView *m_allowedView;
    QListView *m_shownView;
};
