// The main window of the program's windows that take dropped pictures: a picture dropped on it
// goes to its controller's portrait editor a quarter of a second after the drop. Which drags a
// window takes is its controller's choice (setAcceptDrops).
#pragma once

#include <QMainWindow>

class QMimeData;

class TolvaneWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit TolvaneWindow(QWidget *parent = nullptr);

    // The checks of a drag over the window, on its data.
    Qt::DropAction draggingEntered(const QMimeData *data) const;
    bool performDragOperation(const QMimeData *data);

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
};
