#include "platform/gdata/gdataserviceticket.h"

void GDataServiceTicket::setProperty(const QString &key, const std::any &value)
{
    if (value.has_value())
        m_properties.insert(key, value);
    else
        m_properties.remove(key);
}
