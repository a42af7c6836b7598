// vCard files and dropped data come from any program: cutting them into cards, reading a card's
// values and filtering a card for export must never crash, hang or cut outside the input, and the
// filtered text must hold no line end other than CR LF.

#include "addressbook/vcards/vcardcardreader.h"
#include "addressbook/vcards/vcardcontentline.h"
#include "addressbook/vcards/vcardexportfilter.h"
#include "addressbook/vcards/vcardsplitter.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

// The first two bytes choose the export options, so every rule of the filter is reached.
VCardExportOptions optionsFrom(const QByteArray &bytes)
{
    const auto bits = bytes.size() >= 2 ? quint16(quint8(bytes[0]) | quint8(bytes[1]) << 8) : 0;
    VCardExportOptions options;
    options.notPicture = bits & 0x1;
    options.notNotes = bits & 0x2;
    options.notTag = bits & 0x4;
    options.notRelatedName = bits & 0x8;
    options.notEmail = bits & 0x10;
    options.notTelephone = bits & 0x20;
    options.notStreet = bits & 0x40;
    options.notIM = bits & 0x80;
    options.email = (bits >> 8) & 0x3;
    options.telephone = (bits >> 10) & 0x3;
    options.street = (bits >> 12) & 0x3;
    options.websites = (bits >> 14) & 0x3;
    options.im = options.street;
    return options;
}

bool hasOnlyCrLf(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r' && (i + 1 == text.size() || text[i + 1] != u'\n'))
            return false;
        if (text[i] == u'\n' && (i == 0 || text[i - 1] != u'\r'))
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const bool utf16 = bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
    qsizetype total = 0;
    for (const QByteArray &card : AddressBookTool::extractVCardDatas(bytes)) {
        total += card.size();
        if (!utf16 && !bytes.contains(card))
            std::abort();
        AddressBookTool::uidFromVCardData(card);
        AddressBookTool::groupsFromVCardData(card);
        for (const VCardContentLine &line : vcard::parseContentLines(QString::fromUtf8(card))) {
            line.textValue();
            line.binaryValue();
        }
        const QString filtered =
            vcard::filterExport(QString::fromUtf8(card), optionsFrom(bytes),
                                {QString::fromUtf8(card.left(40)), card.left(8)});
        if (!hasOnlyCrLf(filtered))
            std::abort();
    }
    if (!utf16 && total > bytes.size())
        std::abort();
    AddressBookTool::extractVCardStrings(QString::fromUtf8(bytes));
    return 0;
}
