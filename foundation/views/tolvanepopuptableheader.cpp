#include "foundation/views/tolvanepopuptableheader.h"

#include "foundation/log.h"

#include <QMenu>
#include <QMouseEvent>

TolvanePopupTableHeader::TolvanePopupTableHeader(Qt::Orientation orientation, QWidget *parent)
    : QHeaderView(orientation, parent)
{}

void TolvanePopupTableHeader::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::RightButton) {
        QHeaderView::mousePressEvent(event);
        return;
    }
    tlog::message(QStringLiteral("TolvanePopupTableHeader"), QStringLiteral("rightMouseDown:"),
                  QStringLiteral("YO"));
    if (m_menu)
        m_menu->popup(event->globalPosition().toPoint());
    event->accept();
}
