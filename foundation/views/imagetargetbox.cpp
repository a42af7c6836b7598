#include "foundation/views/imagetargetbox.h"

#include "foundation/views/imagetargetboxdelegate.h"

#include <QMouseEvent>

namespace {

ImageTargetBoxDelegate *target(QObject *delegate)
{
    return qobject_cast<ImageTargetBoxDelegate *>(delegate);
}

} // namespace

ImageTargetBox::ImageTargetBox(QWidget *parent)
    : QFrame(parent)
{
    setFrameShape(QFrame::Box);
}

void ImageTargetBox::setDelegate(QObject *delegate)
{
    m_delegate = target(delegate) ? delegate : nullptr;
    emit delegateChanged();
}

void ImageTargetBox::mousePressEvent(QMouseEvent *event)
{
    if (ImageTargetBoxDelegate *to = target(m_delegate))
        to->mouseDown(event);
}

void ImageTargetBox::mouseMoveEvent(QMouseEvent *event)
{
    if (ImageTargetBoxDelegate *to = target(m_delegate))
        to->mouseDragged(event);
}

void ImageTargetBox::mouseReleaseEvent(QMouseEvent *event)
{
    if (ImageTargetBoxDelegate *to = target(m_delegate))
        to->mouseUp(event);
}
