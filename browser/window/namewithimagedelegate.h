// Paints the name column: the row's icon and title from its "nameWithImage", so that no row holds
// a laid-out document and no view measures its rows.
#pragma once

#include <QHash>
#include <QImage>
#include <QStyledItemDelegate>

class NameWithImageDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    // The role that holds the row's tolvane::NameWithImage.
    NameWithImageDelegate(int role, QObject *parent = nullptr);

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    // The width the icon and the title take, so that a column fitted to a name shows it whole.
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    const QImage &icon(const QString &name) const;

    int m_role;
    mutable QHash<QString, QImage> m_icons;
};
