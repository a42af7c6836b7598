#include "model/push/abnotification.h"

void ABNotification::awakeFromInsert()
{
    TolvaneManagedObject::awakeFromInsert();
    setDateCreated(QDateTime::currentDateTime());
}
