// JSON literals for the People tests, and the api root their identifiers are made under.
#pragma once

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>

#include <gtest/gtest.h>

inline const QString kTestAPI = QStringLiteral("http://127.0.0.1:9/people");

inline QJsonObject jsonObject(const char *text)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(QByteArray(text), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << text;
    return document.object();
}

inline QString identifierOf(const char *resourceName)
{
    return kTestAPI + QStringLiteral("/v1/") + QLatin1String(resourceName);
}

// JSON as compact text, so a failing comparison shows what differs.
inline QString jsonText(const QJsonValue &value)
{
    const QByteArray text = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(text.mid(1, text.size() - 2));
}

#define EXPECT_JSON_EQ(actual, expected) EXPECT_EQ(jsonText(actual), jsonText(expected))
