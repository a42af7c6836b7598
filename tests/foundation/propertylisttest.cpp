#include "foundation/propertylist.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSize>
#include <QTemporaryDir>
#include <QTimeZone>

#include <cmath>
#include <cstring>
#include <limits>

#include <sys/stat.h>

namespace {

QDateTime utc(int year, int month, int day, int hour = 0, int minute = 0, int second = 0,
              int msec = 0)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second, msec), QTimeZone::utc());
}

// Integers come back as qint64 wherever they sit; QVariant's == alone would let an int pass.
void expectSameValue(const QVariant &actual, const QVariant &expected, const std::string &where)
{
    ASSERT_EQ(actual.typeId(), expected.typeId()) << where;
    if (expected.typeId() == QMetaType::QVariantList) {
        const QVariantList a = actual.toList(), e = expected.toList();
        ASSERT_EQ(a.size(), e.size()) << where;
        for (qsizetype i = 0; i < e.size(); ++i)
            expectSameValue(a[i], e[i], where + "[" + std::to_string(i) + "]");
    } else if (expected.typeId() == QMetaType::QVariantMap) {
        const QVariantMap a = actual.toMap(), e = expected.toMap();
        ASSERT_EQ(a.keys(), e.keys()) << where;
        for (auto it = e.cbegin(); it != e.cend(); ++it)
            expectSameValue(a.value(it.key()), it.value(), where + "." + it.key().toStdString());
    } else {
        EXPECT_EQ(actual, expected) << where;
    }
}

struct RoundTrip
{
    const char *name;
    QVariant written;
    QVariant read;
};

TEST(PropertyListTest, EveryKindOfValue_ComesBackAsWritten)
{
    const qint64 big = std::numeric_limits<qint64>::max();
    const qint64 small = std::numeric_limits<qint64>::min();
    const QVariantMap nested{{"inner", QVariantList{QVariantMap{{"deep", true}}, QVariantList{}}},
                             {"empty", QVariantMap{}}};
    const RoundTrip cases[] = {
        {"true", true, true},
        {"false", false, false},
        {"int", 42, qint64(42)},
        {"zero", qint64(0), qint64(0)},
        {"minus one", -1, qint64(-1)},
        {"largest integer", big, big},
        {"smallest integer", small, small},
        {"unsigned within range", quint64(1) << 62, qint64(1) << 62},
        {"a tenth", 0.1, 0.1},
        {"a third", 1.0 / 3, 1.0 / 3},
        {"huge real", -1.5e300, -1.5e300},
        {"tiny real", 5e-324, 5e-324},
        {"infinity", std::numeric_limits<double>::infinity(),
         std::numeric_limits<double>::infinity()},
        {"minus infinity", -std::numeric_limits<double>::infinity(),
         -std::numeric_limits<double>::infinity()},
        {"empty text", QString(), QString("")},
        {"markup in text", QString("a<b>&c;\"d\" 'e' ]]>"), QString("a<b>&c;\"d\" 'e' ]]>")},
        {"non-ASCII text", QString::fromUtf8("Zoë 東京 😀"), QString::fromUtf8("Zoë 東京 😀")},
        {"line ends and controls", QString("a\r\nb\rc\td\x01"), QString("a\r\nb\rc\td\x01")},
        {"surrounding spaces", QString("  two  "), QString("  two  ")},
        {"date", utc(2011, 3, 4, 5, 6, 7), utc(2011, 3, 4, 5, 6, 7)},
        {"date fraction dropped", utc(2011, 3, 4, 5, 6, 7, 890), utc(2011, 3, 4, 5, 6, 7)},
        {"date before 1970 fraction dropped", utc(1960, 1, 1, 0, 0, 0, 500), utc(1960, 1, 1)},
        {"first date", utc(1933, 12, 13), utc(1933, 12, 13)},
        {"last date", utc(2069, 1, 19, 3, 14, 7), utc(2069, 1, 19, 3, 14, 7)},
        {"date in another zone", QDateTime(QDate(2020, 6, 1), QTime(12, 0), QTimeZone(7200)),
         utc(2020, 6, 1, 10)},
        {"data", QByteArray("\x00\x01\xfe\xff", 4), QByteArray("\x00\x01\xfe\xff", 4)},
        {"empty data", QByteArray(), QByteArray()},
        {"text list", QStringList{"a", "b"}, QVariantList{"a", "b"}},
        {"empty list", QVariantList{}, QVariantList{}},
        {"nested", nested, nested},
        {"odd keys", QVariantMap{{"", 1}, {"a<&>", 2}, {"CF$UID", 3}, {"x", 4}},
         QVariantMap{
             {"", qint64(1)}, {"a<&>", qint64(2)}, {"CF$UID", qint64(3)}, {"x", qint64(4)}}},
    };
    QVariantMap everything;
    for (const RoundTrip &c : cases) {
        QString error;
        const std::optional<QByteArray> xml = propertylist::xmlData(c.written, &error);
        ASSERT_TRUE(xml) << c.name << ": " << error.toStdString();
        const std::optional<QVariant> back = propertylist::read(*xml, &error);
        ASSERT_TRUE(back) << c.name << ": " << error.toStdString() << "\n" << xml->toStdString();
        expectSameValue(*back, c.read, c.name);
        everything.insert(QString::fromLatin1(c.name), c.written);
    }
    // Through a file as well, all in one dictionary.
    QTemporaryDir folder;
    const QString path = folder.filePath("all.plist");
    QString error;
    ASSERT_TRUE(propertylist::writeFile(path, everything, &error)) << error.toStdString();
    const std::optional<QVariant> back = propertylist::readFile(path, &error);
    ASSERT_TRUE(back) << error.toStdString();
    for (const RoundTrip &c : cases)
        expectSameValue(back->toMap().value(QString::fromLatin1(c.name)), c.read, c.name);

    const std::optional<QVariant> nan =
        propertylist::read(*propertylist::xmlData(std::nan(""), nullptr), nullptr);
    ASSERT_TRUE(nan);
    EXPECT_TRUE(std::isnan(nan->toDouble()));
}

// ---------------------------------------------------------------------------------------------
// Binary lists, put together object by object.

QByteArray bigEndian(quint64 value, int size)
{
    QByteArray bytes;
    for (int i = size - 1; i >= 0; --i)
        bytes += char((value >> (8 * i)) & 0xff);
    return bytes;
}

QByteArray marker(int kind, quint64 count)
{
    if (count < 15)
        return QByteArray(1, char((kind << 4) | int(count)));
    return QByteArray(1, char((kind << 4) | 0xf)) + char(0x13) + bigEndian(count, 8);
}

QByteArray ascii(const QByteArray &text)
{
    return marker(0x5, quint64(text.size())) + text;
}

QByteArray utf16(const QString &text)
{
    QByteArray bytes = marker(0x6, quint64(text.size()));
    for (const QChar c : text)
        bytes += bigEndian(c.unicode(), 2);
    return bytes;
}

QByteArray integer(qint64 value)
{
    return char(0x13) + bigEndian(quint64(value), 8);
}

QByteArray real(double value)
{
    quint64 bits;
    std::memcpy(&bits, &value, sizeof bits);
    return char(0x23) + bigEndian(bits, 8);
}

QByteArray date(double secondsFrom2001)
{
    return char(0x33) + real(secondsFrom2001).mid(1);
}

QByteArray container(int kind, const QList<quint64> &refs, int refSize, quint64 count)
{
    QByteArray bytes = marker(kind, count);
    for (quint64 ref : refs)
        bytes += bigEndian(ref, refSize);
    return bytes;
}

QByteArray array(const QList<quint64> &refs, int refSize = 1)
{
    return container(0xa, refs, refSize, quint64(refs.size()));
}

// keys then values, as the format lists them
QByteArray dict(const QList<quint64> &keys, const QList<quint64> &values, int refSize = 1)
{
    return container(0xd, keys + values, refSize, quint64(keys.size()));
}

QByteArray bplist(const QList<QByteArray> &objects, int refSize = 1, quint64 top = 0)
{
    QByteArray out = "bplist00";
    QList<quint64> offsets;
    for (const QByteArray &object : objects) {
        offsets << quint64(out.size());
        out += object;
    }
    const quint64 table = quint64(out.size());
    for (quint64 offset : offsets)
        out += bigEndian(offset, 4);
    out += QByteArray(6, '\0') + char(4) + char(refSize) + bigEndian(quint64(objects.size()), 8) +
           bigEndian(top, 8) + bigEndian(table, 8);
    return out;
}

// A chain of arrays, each holding the next, around one text.
QByteArray nestedArrays(int depth)
{
    QList<QByteArray> objects;
    for (int i = 0; i < depth; ++i)
        objects << array({quint64(i + 1)}, 2);
    objects << ascii("core");
    return bplist(objects, 2);
}

QByteArray nestedXml(int depth)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">" +
           QByteArray("<array>").repeated(depth) + "<true/>" +
           QByteArray("</array>").repeated(depth) + "</plist>\n";
}

QByteArray xmlPlist(const QByteArray &body)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">" + body +
           "</plist>\n";
}

TEST(PropertyListTest, BinaryList_ReadsEveryKindOfValue)
{
    const QByteArray data = bplist({
        dict({1, 2, 3, 4, 5, 6, 7}, {8, 9, 10, 11, 12, 13, 14}),
        ascii("name"),
        ascii("count"),
        ascii("ratio"),
        ascii("when"),
        ascii("flag"),
        ascii("bytes"),
        ascii("list"),
        utf16(QString::fromUtf8("Zoë 😀")),
        integer(-2),
        real(2.5),
        date(86400.5),
        QByteArray(1, char(0x09)),
        marker(0x4, 2) + QByteArray("\x00\x7f", 2),
        array({15, 15}),
        char(0x10) + QByteArray(1, char(200)),
    });
    QString error;
    const std::optional<QVariant> value = propertylist::read(data, &error);
    ASSERT_TRUE(value) << error.toStdString();
    expectSameValue(*value,
                    QVariantMap{{"name", QString::fromUtf8("Zoë 😀")},
                                {"count", qint64(-2)},
                                {"ratio", 2.5},
                                {"when", utc(2001, 1, 2, 0, 0, 0, 500)},
                                {"flag", true},
                                {"bytes", QByteArray("\x00\x7f", 2)},
                                {"list", QVariantList{qint64(200), qint64(200)}}},
                    "binary");
}

TEST(PropertyListTest, XmlFromAnotherWriter_IsRead)
{
    const QByteArray data =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
        "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
        "<plist version=\"1.0\">\n<!-- made elsewhere -->\n<dict>\n"
        "  <key>text</key><string>a &amp; b &lt;c&gt; &#233;&#x1F600;<![CDATA[<raw>]]></string>\n"
        "  <key>number</key><integer> -17 </integer>\n"
        "  <key>real</key><real>1E3</real>\n"
        "  <key>when</key><date>2020-02-29T23:59:59Z</date>\n"
        "  <key>yes</key><true></true>\n"
        "  <key>no</key><false/>\n"
        "  <key>bytes</key><data>\n\tAAEC\n\t/w==\n</data>\n"
        "  <key>empty</key><array/>\n"
        "</dict>\n</plist>\n";
    QString error;
    const std::optional<QVariant> value = propertylist::read(data, &error);
    ASSERT_TRUE(value) << error.toStdString();
    expectSameValue(*value,
                    QVariantMap{{"text", QString::fromUtf8("a & b <c> é😀<raw>")},
                                {"number", qint64(-17)},
                                {"real", 1000.0},
                                {"when", utc(2020, 2, 29, 23, 59, 59)},
                                {"yes", true},
                                {"no", false},
                                {"bytes", QByteArray("\x00\x01\x02\xff", 4)},
                                {"empty", QVariantList{}}},
                    "xml");
}

struct Refusal
{
    const char *name;
    QByteArray data;
    const char *why; // a piece of the error text
};

TEST(PropertyListTest, ListsBeyondTheLimitsOrWithUnreadValues_AreRefused)
{
    // 23 levels, each holding the next level twice: 2^23 values from a few hundred bytes.
    QList<QByteArray> bomb;
    for (quint64 i = 0; i < 23; ++i)
        bomb << array({i + 1, i + 1});
    bomb << ascii("x");
    const Refusal cases[] = {
        {"binary nested too deep", nestedArrays(513), "nest more than 512"},
        {"XML nested too deep", nestedXml(513), "nest more than 512"},
        {"XML nested far too deep", nestedXml(200000), "nest more than 512"},
        {"binary count bomb", bplist(bomb), "more than 4194304 values"},
        {"binary keyed-archive reference", bplist({array({1}), "\x80\x05"}), "keyed-archive"},
        {"XML keyed-archive reference",
         xmlPlist("<array><dict><key>CF$UID</key><integer>5</integer></dict></array>"),
         "keyed-archive"},
        {"binary date far ahead", bplist({date(1e12)}), "date"},
        {"binary date not a number", bplist({date(std::nan(""))}), "date"},
        {"XML date garbled", xmlPlist("<date>garbage</date>"), "date"},
        {"XML date not in the calendar", xmlPlist("<date>2021-02-29T00:00:00Z</date>"), "date"},
        {"XML date beyond 2069", xmlPlist("<date>2100-01-01T00:00:00Z</date>"), "date"},
        {"XML date without its time", xmlPlist("<date>2020-01-01</date>"), "date"},
        {"binary NUL in a text", bplist({ascii(QByteArray("a\0b", 3))}), "U+0000"},
        {"binary NUL in a UTF-16 text", bplist({utf16(QString("a") + QChar(0))}), "U+0000"},
        {"binary NUL in a key", bplist({dict({1}, {2}), ascii(QByteArray("\0", 1)), ascii("v")}),
         "U+0000"},
        {"XML NUL reference", xmlPlist("<string>a&#0;b</string>"), "U+0000"},
        {"XML raw NUL", xmlPlist(QByteArray("<string>a\0b</string>", 21)), "U+0000"},
        {"XML integer too large", xmlPlist("<integer>9223372036854775808</integer>"), "integer"},
        {"XML integer garbled", xmlPlist("<integer>12abc</integer>"), "integer"},
        {"XML integer empty", xmlPlist("<integer></integer>"), "integer"},
        {"binary 128-bit integer", bplist({char(0x14) + bigEndian(1, 8) + bigEndian(0, 8)}),
         "64 bits"},
    };
    for (const Refusal &c : cases) {
        QString error;
        EXPECT_FALSE(propertylist::read(c.data, &error)) << c.name;
        EXPECT_TRUE(error.contains(QLatin1String(c.why))) << c.name << ": " << error.toStdString();
    }
    // The limits themselves are allowed.
    EXPECT_TRUE(propertylist::read(nestedArrays(512), nullptr));
    EXPECT_TRUE(propertylist::read(nestedXml(512), nullptr));
}

TEST(PropertyListTest, DamagedOrTruncatedLists_AreRefusedWithAReason)
{
    const QByteArray binary = bplist(
        {dict({1, 2}, {3, 4}), ascii("a"), utf16("bé"), array({5, 5}), integer(7), real(1.5)});
    ASSERT_TRUE(propertylist::read(binary, nullptr));
    for (qsizetype size = 0; size < binary.size(); ++size) {
        QString error;
        EXPECT_FALSE(propertylist::read(binary.left(size), &error)) << size;
        EXPECT_FALSE(error.isEmpty()) << size;
    }
    const QByteArray xml = *propertylist::xmlData(
        QVariantMap{{"a", QVariantList{1, "two", 3.5}}, {"b", QByteArray("xyz")}}, nullptr);
    ASSERT_TRUE(propertylist::read(xml, nullptr));
    for (qsizetype size = 0; size < xml.size() - 9; ++size) {
        QString error;
        EXPECT_FALSE(propertylist::read(xml.left(size), &error)) << size;
        EXPECT_FALSE(error.isEmpty()) << size;
    }
    const Refusal damaged[] = {
        {"object holds itself", bplist({array({0})}), "holds itself"},
        {"reference to a missing object", bplist({array({1})}), "missing object"},
        {"offset beyond the objects", binary.left(binary.size() - 8) + bigEndian(1 << 20, 8),
         "trailer"},
        {"text longer than the list", bplist({marker(0x5, 1000) + "abc"}), "truncated"},
        {"dictionary key not a text", bplist({dict({1}, {1}), integer(1)}), "key"},
        {"lone surrogate", bplist({utf16(QString(QChar(0xd800)))}), "UTF-16"},
        {"not a property list", "hello, world", "damaged"},
        {"XML key without value", xmlPlist("<dict><key>a</key></dict>"), "damaged"},
        {"XML value without key", xmlPlist("<dict><string>a</string></dict>"), "damaged"},
        {"XML two values", xmlPlist("<true/><false/>"), "damaged"},
        {"XML unknown element", xmlPlist("<array><set/></array>"), "damaged"},
        {"XML unknown entity", xmlPlist("<string>&bogus;</string>"), "damaged"},
        {"XML bad Base64", xmlPlist("<data>!!!</data>"), "damaged"},
        {"XML mismatched end", xmlPlist("<array></dict>"), "damaged"},
    };
    for (const Refusal &c : damaged) {
        QString error;
        EXPECT_FALSE(propertylist::read(c.data, &error)) << c.name;
        EXPECT_TRUE(error.contains(QLatin1String(c.why))) << c.name << ": " << error.toStdString();
    }
    QString error;
    EXPECT_FALSE(propertylist::readFile(QDir::temp().filePath("no-such.plist"), &error));
    EXPECT_TRUE(error.contains("no-such.plist")) << error.toStdString();
}

TEST(PropertyListTest, ValuesWithoutAFaithfulForm_AreNotWritten)
{
    QVariantList deep{true};
    for (int i = 0; i < 512; ++i)
        deep = QVariantList{deep};
    const struct
    {
        const char *name;
        QVariant value;
        const char *why;
    } cases[] = {
        {"NUL in a text", QString("a") + QChar(0), "U+0000"},
        {"NUL in a key", QVariantMap{{QString(QChar(0)), 1}}, "U+0000"},
        {"date before 1933-12-13", utc(1933, 12, 12, 23, 59, 59), "1933-12-13"},
        {"date after 2069-01-19 03:14:07", utc(2069, 1, 19, 3, 14, 8), "2069-01-19"},
        {"invalid date", QDateTime(), "date"},
        {"integer over 63 bits", std::numeric_limits<quint64>::max(), "64 signed bits"},
        {"nested too deep", deep, "nest more than 512"},
        {"keyed-archive look-alike", QVariantMap{{"CF$UID", 1}}, "keyed-archive"},
        {"no property-list form", QVariant::fromValue(QSize(1, 2)), "QSize"},
        {"null", QVariant(), "type"},
    };
    for (const auto &c : cases) {
        QString error;
        EXPECT_FALSE(propertylist::xmlData(c.value, &error)) << c.name;
        EXPECT_TRUE(error.contains(QLatin1String(c.why))) << c.name << ": " << error.toStdString();
    }
}

class PropertyListFileTest : public ::testing::Test
{
protected:
    QTemporaryDir folder;
    QString path = folder.filePath("list.plist");

    void SetUp() override
    {
        ASSERT_TRUE(propertylist::writeFile(path, QVariantList{"earlier"}, nullptr));
    }
    QVariant current() const { return propertylist::readFile(path, nullptr).value_or(QVariant()); }
};

TEST_F(PropertyListFileTest, Written_IsPrivateToTheUserAndLeavesNoCopyBehind)
{
    // A copy left by a crash, readable by others, is replaced rather than kept.
    QFile stale(path + ".new");
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write("stale");
    stale.close();
    ASSERT_TRUE(stale.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther));
    QString error;
    ASSERT_TRUE(propertylist::writeFile(path, QVariantList{"later"}, &error))
        << error.toStdString();
    EXPECT_EQ(current(), QVariant(QVariantList{"later"}));
    struct stat status;
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0600u);
    EXPECT_FALSE(QFileInfo::exists(path + ".new"));
}

TEST_F(PropertyListFileTest, TemporaryCopyThatCannotBeMade_LeavesTheOldFileWhole)
{
    ASSERT_TRUE(QDir().mkpath(path + ".new/blocked"));
    QString error;
    EXPECT_FALSE(propertylist::writeFile(path, QVariantList{"later"}, &error));
    EXPECT_TRUE(error.contains(path + ".new")) << error.toStdString();
    EXPECT_EQ(current(), QVariant(QVariantList{"earlier"}));
    // What stood in the way was not the writer's to remove.
    EXPECT_TRUE(QFileInfo::exists(path + ".new/blocked"));
}

TEST_F(PropertyListFileTest, RenameThatFails_RemovesTheCopyAndLeavesTheTargetWhole)
{
    const QString target = folder.filePath("occupied");
    ASSERT_TRUE(QDir().mkpath(target + "/inside"));
    QString error;
    EXPECT_FALSE(propertylist::writeFile(target, QVariantList{"later"}, &error));
    EXPECT_TRUE(error.contains("rename")) << error.toStdString();
    EXPECT_FALSE(QFileInfo::exists(target + ".new"));
    EXPECT_TRUE(QFileInfo::exists(target + "/inside"));
}

TEST_F(PropertyListFileTest, ValueThatCannotBeWritten_TouchesNoFile)
{
    QString error;
    EXPECT_FALSE(propertylist::writeFile(path, QVariantList{QString(QChar(0))}, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(current(), QVariant(QVariantList{"earlier"}));
    EXPECT_FALSE(QFileInfo::exists(path + ".new"));
}

} // namespace
