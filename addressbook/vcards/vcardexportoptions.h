#pragma once

#include <QString>

class UserDefaults;

// The user's vCard export preferences. Every export reads them afresh; an unset key is NO or 0.
inline const QString kVCardNotPicture = QStringLiteral("vCardNotPicture");
inline const QString kVCardNotNotes = QStringLiteral("vCardNotNotes");
inline const QString kVCardNotBirthday = QStringLiteral("vCardNotBirthday");
inline const QString kVCardNotGroup = QStringLiteral("vCardNotGroup");
inline const QString kVCardNotNickname = QStringLiteral("vCardNotNickname");
inline const QString kVCardNotOrgName = QStringLiteral("vCardNotOrgName");
inline const QString kVCardNotJobTitle = QStringLiteral("vCardNotJobTitle");
inline const QString kVCardNotTag = QStringLiteral("vCardNotTag");
inline const QString kVCardNotRelatedName = QStringLiteral("vCardNotRelatedName");
inline const QString kVCardNotRelatedDate = QStringLiteral("vCardNotRelatedDate");
inline const QString kVCardEmail = QStringLiteral("vCardEmail");
inline const QString kVCardNotEmail = QStringLiteral("vCardNotEmail");
inline const QString kVCardTelephone = QStringLiteral("vCardTelephone");
inline const QString kVCardNotTelephone = QStringLiteral("vCardNotTelephone");
inline const QString kVCardStreet = QStringLiteral("vCardStreet");
inline const QString kVCardNotStreetl = QStringLiteral("vCardNotStreetl");
inline const QString kVCardIM = QStringLiteral("vCardIM");
inline const QString kVCardNotIM = QStringLiteral("vCardNotIM");
inline const QString kVCardWebsites = QStringLiteral("vCardWebsites");

// The modes of vCardEmail, vCardTelephone, vCardStreet and vCardIM; vCardWebsites uses 1 and 2 for
// the kind it removes and 3 for all.
enum VCardKeepMode { VCardKeepAll = 0, VCardKeepHome = 1, VCardKeepWork = 2, VCardKeepMobile = 3 };

struct VCardExportOptions
{
    bool notPicture = false;
    bool notNotes = false;
    bool notBirthday = false;
    bool notGroup = false;
    bool notNickname = false;
    bool notOrgName = false;
    bool notJobTitle = false;
    bool notTag = false;
    bool notRelatedName = false;
    bool notRelatedDate = false;
    int email = 0;
    bool notEmail = false; // with email above 0
    int telephone = 0;
    bool notTelephone = false; // whatever telephone says
    int street = 0;
    bool notStreet = false; // with street above 0
    int im = 0;
    bool notIM = false; // with im above 0
    int websites = 0;

    static VCardExportOptions fromDefaults(UserDefaults &defaults);
};
