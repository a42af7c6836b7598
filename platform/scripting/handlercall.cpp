#include "platform/scripting/handlercall.h"

AppleEventDescriptor handlerCallEvent(const QString &handlerName,
                                      const AppleEventDescriptor &argumentList)
{
    constexpr std::int16_t kAutoGenerateReturnID = -1;
    AppleEventDescriptor event = AppleEventDescriptor::appleEvent(
        fourCharCode("ascr"), fourCharCode("psbr"), AppleEventDescriptor::nullDescriptor(),
        kAutoGenerateReturnID, 0);
    event.setDescriptorForKeyword(AppleEventDescriptor::descriptorWithString(handlerName.toLower()),
                                  fourCharCode("snam"));
    event.setDescriptorForKeyword(argumentList, fourCharCode("----"));
    return event;
}

AppleEventDescriptor argumentList(const QList<AppleEventDescriptor> &arguments)
{
    AppleEventDescriptor list = AppleEventDescriptor::listDescriptor();
    for (const AppleEventDescriptor &argument : arguments)
        list.insertDescriptor(argument, list.numberOfItems() + 1);
    return list;
}
