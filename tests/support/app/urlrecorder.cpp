#include "tests/support/app/urlrecorder.h"

#include <QDesktopServices>

UrlRecorder::UrlRecorder(const QString &scheme)
    : m_scheme(scheme)
{
    QDesktopServices::setUrlHandler(scheme, this, "open");
}

UrlRecorder::~UrlRecorder()
{
    QDesktopServices::unsetUrlHandler(m_scheme);
}
