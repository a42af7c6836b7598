// The image well of the browser's portrait pane. It shows a picture only when its controller asked
// for the change right before (enableImageUpdate): any other setImage is ignored. A double click
// opens the portrait editor (with Alt, from the loaded portrait); pictures dropped on it go to the
// editor a quarter of a second after the drop. Its controller is its window's controller.
#pragma once

#include <QFrame>
#include <QImage>
#include <QVariant>

class QMimeData;

class ClickableImageView : public QFrame
{
    Q_OBJECT

public:
    explicit ClickableImageView(QWidget *parent = nullptr);

    void enableImageUpdate() { m_doImageUpdate = true; }
    bool doImageUpdate() const { return m_doImageUpdate; }
    // A picture, or anything else for none (the empty-string placeholder of a contact without
    // a portrait).
    void setImage(const QVariant &image);
    const QImage &image() const { return m_image; }

    // The checks of a drag over the well, on its data.
    Qt::DropAction draggingEntered(const QMimeData *data) const;
    bool performDragOperation(const QMimeData *data);

    QSize sizeHint() const override { return {200, 200}; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    QObject *controllerObject() const;

    QImage m_image;
    bool m_doImageUpdate = false;
};
