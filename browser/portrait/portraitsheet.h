// The portrait editor's sheet: the editor with the image box over its portrait square, the zoom
// slider and the Remove, Cancel and Save buttons. A window-modal dialog on the window it is made
// for; what its buttons do is the window controller's. Closing it by the keyboard is Cancel. The
// sheet blocks its window, so a picture dropped while it is open is dropped on the sheet, which
// takes it as its window would.
#pragma once

#include <QDialog>
#include <QPointer>

class ImageTargetBox;
class QMimeData;
class PortraitMakerView;
class QPushButton;
class ZoomSlider;

class PortraitSheet : public QDialog
{
    Q_OBJECT

public:
    // Ending the sheet by Cancel or Save.
    static constexpr int kEndCode = -1001;

    explicit PortraitSheet(QWidget *window);

    PortraitMakerView *portraitView() const { return m_view; }
    ImageTargetBox *targetBox() const { return m_box; }
    ZoomSlider *imageSizeSlider() const { return m_slider; }
    QPushButton *removeButton() const { return m_remove; }
    QPushButton *cancelButton() const { return m_cancel; }
    QPushButton *saveButton() const { return m_save; }

    // The zoom, which the slider and the editor keep in step both ways; 1.0 when the sheet is made.
    float imageSize() const { return m_imageSize; }
    void setImageSize(float size);

    void reject() override { emit cancelRequested(); }

    // The controller (a PortraitController) that takes over pictures dropped on the sheet, as
    // its window does; held weakly.
    void setDropReceiver(QObject *receiver) { m_dropReceiver = receiver; }
    Qt::DropAction draggingEntered(const QMimeData *data) const;
    bool performDragOperation(const QMimeData *data);

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

signals:
    void removeRequested();
    void cancelRequested();
    void saveRequested();

private:
    PortraitMakerView *m_view;
    ImageTargetBox *m_box;
    ZoomSlider *m_slider;
    QPushButton *m_remove;
    QPushButton *m_cancel;
    QPushButton *m_save;
    QPointer<QObject> m_dropReceiver;
    float m_imageSize = 1.0f;
};
