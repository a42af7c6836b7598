#include "browser/portrait/tolvanewindow.h"

#include "app/windows/windowcontroller.h"
#include "browser/portrait/picturedrops.h"

#include <QDragEnterEvent>
#include <QDropEvent>

TolvaneWindow::TolvaneWindow(QWidget *parent)
    : QMainWindow(parent)
{}

Qt::DropAction TolvaneWindow::draggingEntered(const QMimeData *data) const
{
    return picturedrops::windowEntryAction(data);
}

bool TolvaneWindow::performDragOperation(const QMimeData *data)
{
    const picturedrops::Drop drop = picturedrops::windowDrop(data);
    if (drop.handOver)
        picturedrops::scheduleHandOver(WindowController::forWindow(this), *drop.handOver);
    return drop.accepted;
}

void TolvaneWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (draggingEntered(event->mimeData()) == Qt::CopyAction) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void TolvaneWindow::dropEvent(QDropEvent *event)
{
    if (performDragOperation(event->mimeData())) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
}
