#pragma once

#include "platform/gdata/entries/gdataentrycontact.h"
#include "platform/gdata/entries/gdataextendedproperty.h"

#include <QString>

#include <gtest/gtest.h>

// Every test of the entry adapters starts with the program's property names, a data mask in the
// preferences, the log level at 0, the local time zone at a fixed offset (-0700 in March), so
// text dates read the same on every machine, and American address lines (city, state, ZIP) with
// "United States" as the country of an address without one.
class GoogleEntryTest : public ::testing::Test
{
protected:
    void SetUp() override;

    // The gd:extendedProperty elements of the contact as the feed writer writes them.
    static QString propertyXML(const GDataEntryContact &contact);
};

inline const QString kContactProperty = QStringLiteral("tolvaneContact");
inline const QString kGroupProperty = QStringLiteral("tolvaneGroup");
inline const QString kDataMask = QStringLiteral("dm1111111111000");
