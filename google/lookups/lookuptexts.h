// Texts of the engine's lookups and lists. Each text has this one definition.
#pragma once

#include <QString>

namespace lookuptexts {

inline const QString engineClass = QStringLiteral("GoogleContactTool");
inline const QString matchesName = QStringLiteral("t");

inline const QString nonUniqueGroupABID =
    QStringLiteral("ERROR: Non-unique Google Group with ABID");
inline const QString nonUniqueContactGID =
    QStringLiteral("ERROR: Non-unique Google Contact with GID");
inline const QString nonUniqueContactABID =
    QStringLiteral("ERROR: Non-unique Google Contact with ABID");
inline const QString nonUniqueGroupID = QStringLiteral("ERROR: Non-unique Google GroupID");
inline const QString nonUniqueContactID = QStringLiteral("ERROR: Non-unique Google ContactID");
inline const QString nonUniqueContactETag = QStringLiteral("ERROR: Non-unique Google Contact ETag");
inline const QString nonUniqueBrowserEntry =
    QStringLiteral("ERROR: Non-unique Google Entry found in browser");

inline const QString staleGroupID = QStringLiteral("A stale GoogleID wad cleared from");
inline const QString staleContactID = QStringLiteral("Alert: Stale Google ContactID removed");
// Links are kept when the list they were looked for in is not the whole account.
inline const QString linkKeptListIncomplete =
    QStringLiteral("Google link not found in an incomplete list; kept");
inline const QString groupNameMissing = QStringLiteral("Group lookup without a name");

// Progress message while the browser's rows are built.
inline const QString processingGoogleData = QStringLiteral("Processing Google Data");

} // namespace lookuptexts
