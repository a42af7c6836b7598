#include "browser/tables/tablekeys.h"

#include <QKeyEvent>

namespace tablekeys {

Key keyOf(const QKeyEvent &event)
{
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return Key::Other;
    switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return Key::Return;
    case Qt::Key_Backspace:
        return Key::Delete;
    case Qt::Key_Delete:
        return Key::ForwardDelete;
    default:
        return Key::Other;
    }
}

} // namespace tablekeys
