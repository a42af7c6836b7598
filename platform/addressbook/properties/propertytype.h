#pragma once

// The type of a record property. A multi-valued type is its single-valued type with the
// MultiValueMask bit set, so `type & ~MultiValueMask` is the type of each entry.
enum class PropertyType : int {
    Error = 0,
    String = 1,
    Integer = 2,
    Real = 3,
    Date = 4, // a date-time: creation and modification dates
    Array = 5,
    Dictionary = 6,
    Data = 7,
    DateComponents = 8, // a date without a time: birthday, other dates
    MultiValueMask = 0x100,
    MultiString = 0x101,
    MultiInteger = 0x102,
    MultiReal = 0x103,
    MultiDate = 0x104,
    MultiArray = 0x105,
    MultiDictionary = 0x106,
    MultiData = 0x107,
    MultiDateComponents = 0x108,
};

inline bool isMultiValueType(PropertyType type)
{
    return (static_cast<int>(type) & static_cast<int>(PropertyType::MultiValueMask)) != 0;
}

inline PropertyType entryTypeOf(PropertyType type)
{
    return static_cast<PropertyType>(static_cast<int>(type) &
                                     ~static_cast<int>(PropertyType::MultiValueMask));
}
