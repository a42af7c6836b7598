// The browser's rows of a selection of groups and pseudo groups.
#include "google/browser/browserlist.h"
#include "google/browser/pseudogroups.h"
#include "google/engine/googlecontacttool.h"
#include "google/engine/googlecontacttooluidelegate.h"

void GoogleContactTool::setContactBrowserArrayForGroupSet(
    const pseudogroups::GroupSelection &selection, bool useIntersection)
{
    BrowserRowsProgress unseen;
    browserlist::setContactBrowserArray(
        m_lists, pseudogroups::contactsForGroupSet(m_lists, selection, useIntersection),
        m_uiDelegate ? *m_uiDelegate : unseen);
}
