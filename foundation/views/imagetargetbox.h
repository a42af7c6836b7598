#pragma once

#include <QFrame>
#include <QPointer>

// A box that hands its mouse presses, drags and releases unchanged to its delegate. The delegate
// is not owned and is held weakly: once it is gone the box forwards nothing. Setting no delegate
// clears it.
class ImageTargetBox : public QFrame
{
    Q_OBJECT
    Q_PROPERTY(QObject *delegate READ delegate WRITE setDelegate NOTIFY delegateChanged)

public:
    explicit ImageTargetBox(QWidget *parent = nullptr);

    QObject *delegate() const { return m_delegate; }
    // The delegate implements ImageTargetBoxDelegate; any other object clears it.
    void setDelegate(QObject *delegate);

signals:
    void delegateChanged();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QPointer<QObject> m_delegate;
};
