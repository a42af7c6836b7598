#include "app/prefs/googleclientsection.h"

#include "app/delegate/appdelegate.h"
#include "app/signin/signintexts.h"
#include "foundation/log.h"
#include "google/engine/googleoauthclient.h"
#include "platform/ui/filechooser.h"

#include <QDir>
#include <QFile>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kClass = QStringLiteral("GoogleClientSection");

// Client files are a few hundred bytes; anything far larger is not one.
constexpr qint64 kMostClientFileBytes = 64 * 1024;

} // namespace

GoogleClientSection::GoogleClientSection(AppDelegate &delegate, QWidget *parent)
    : QGroupBox(signintexts::clientSection, parent)
    , m_delegate(delegate)
    , m_clientId(new QLabel(this))
    , m_import(new QPushButton(signintexts::importClientFile, this))
    , m_clear(new QPushButton(signintexts::clearClient, this))
    , m_signInAgain(new QPushButton(signintexts::signInAgain, this))
    , m_message(new QLabel(this))
{
    setObjectName(QStringLiteral("googleClientSection"));
    m_clientId->setObjectName(QStringLiteral("googleOAuthClientID"));
    m_clientId->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_clientId->setWordWrap(true);
    m_import->setObjectName(QStringLiteral("importClientFile"));
    m_clear->setObjectName(QStringLiteral("clearClient"));
    m_signInAgain->setObjectName(QStringLiteral("signInAgain"));
    m_message->setObjectName(QStringLiteral("clientMessage"));
    m_message->setWordWrap(true);

    auto *const buttons = new QHBoxLayout;
    buttons->addWidget(m_import);
    buttons->addWidget(m_clear);
    buttons->addStretch();
    buttons->addWidget(m_signInAgain);
    auto *const layout = new QVBoxLayout(this);
    layout->addWidget(m_clientId);
    layout->addLayout(buttons);
    layout->addWidget(m_message);

    connect(m_import, &QPushButton::clicked, this, &GoogleClientSection::importClientFile);
    connect(m_clear, &QPushButton::clicked, this, &GoogleClientSection::clearClient);
    connect(m_signInAgain, &QPushButton::clicked, this, &GoogleClientSection::signInAgain);
    reload();
}

void GoogleClientSection::reload()
{
    const std::optional<GoogleOAuthClient> client = googleoauthclient::currentClient();
    m_clientId->setText(client ? client->clientId : signintexts::noClient);
    m_clear->setEnabled(client.has_value());
    m_signInAgain->setVisible(AppDelegate::signsInWithBrowser());
    m_signInAgain->setEnabled(client.has_value());
    showMessage(QString());
}

void GoogleClientSection::importClientFile()
{
    FileChoice choice;
    choice.prompt = signintexts::clientFileTitle;
    choice.nameFilters = {QStringLiteral("Google client file (*.json)")};
    choice.directory = QDir::homePath();
    QPointer<GoogleClientSection> self(this);
    FileChooser::current().choose(choice, window(), [self](const QString &path) {
        if (self && !path.isEmpty())
            self->clientFileChosen(path);
    });
}

void GoogleClientSection::clientFileChosen(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMostClientFileBytes) {
        showMessage(signintexts::clientFileUnreadable);
        return;
    }
    QString why;
    const std::optional<GoogleOAuthClient> client =
        googleoauthclient::readClientFile(file.readAll(), &why);
    if (!client) {
        tlog::labelled(kClass, QStringLiteral("importClientFile:"), QStringLiteral("ERROR:"),
                       signintexts::clientFileRefused + QLatin1Char(' ') + why);
        showMessage(signintexts::clientFileRefused + QLatin1Char(' ') + why);
        return;
    }
    if (!googleoauthclient::storeClient(*client)) {
        showMessage(signintexts::clientKeyringRefused);
        return;
    }
    reload();
    m_delegate.googleClientChanged();
}

void GoogleClientSection::clearClient()
{
    googleoauthclient::clearClient();
    reload();
    m_delegate.googleClientChanged();
}

void GoogleClientSection::signInAgain()
{
    showMessage(signintexts::waitingForBrowser);
    m_signInAgain->setEnabled(false);
    QPointer<GoogleClientSection> self(this);
    m_delegate.signInAgain([self](const QString &message) {
        if (!self)
            return;
        self->m_signInAgain->setEnabled(true);
        self->showMessage(message);
    });
}

void GoogleClientSection::showMessage(const QString &message)
{
    m_message->setText(message);
    m_message->setVisible(!message.isEmpty());
}
