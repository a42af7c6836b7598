#include "browser/actions/functiontabview.h"

#include "browser/actions/actionkeys.h"
#include "browser/actions/actiontexts.h"
#include "google/browser/bulkupdatekeys.h"
#include "platform/defaults/userdefaults.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

namespace {

// The fields find and replace can work on, by their tag.
const QStringList kBulkFields = {
    QStringLiteral("Name"),   QStringLiteral("Organization"), QStringLiteral("Job Title"),
    QStringLiteral("E-mail"), QStringLiteral("Phone"),        QStringLiteral("Address"),
    QStringLiteral("Notes"),
};
const QStringList kAddressModes = {QStringLiteral("All in To"), QStringLiteral("Others in CC"),
                                   QStringLiteral("Others in BCC")};

QHBoxLayout *buttonRow(QPushButton *cancel, QPushButton *action)
{
    auto *const row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(cancel);
    row->addWidget(action);
    action->setDefault(true);
    return row;
}

} // namespace

FunctionTabView::FunctionTabView(QWidget *notesPage, QWidget *parent)
    : QStackedWidget(parent)
    , m_notesPage(notesPage)
{
    setObjectName(QStringLiteral("functionTabView"));
    addWidget(m_notesPage);
    m_bulkPage = buildBulkPane();
    addWidget(m_bulkPage);
    m_messagePage = buildMessagePane();
    addWidget(m_messagePage);
    loadPreferences();
    selectTabViewItemWithIdentifier(actiontexts::singleNote);
}

QWidget *FunctionTabView::buildBulkPane()
{
    auto *const page = new QWidget;
    page->setObjectName(actiontexts::bulk);
    auto *const layout = new QVBoxLayout(page);
    auto *const form = new QFormLayout;
    m_bulkField = new QComboBox;
    m_bulkField->addItems(kBulkFields);
    m_findText = new QLineEdit;
    m_replaceText = new QLineEdit;
    form->addRow(QStringLiteral("Field:"), m_bulkField);
    form->addRow(QStringLiteral("Find:"), m_findText);
    form->addRow(QStringLiteral("Replace with:"), m_replaceText);
    layout->addLayout(form);
    auto *const options = new QHBoxLayout;
    m_ignoreCase = new QCheckBox(QStringLiteral("Ignore case"));
    m_addIfEmpty = new QCheckBox(QStringLiteral("Fill empty fields"));
    options->addWidget(m_ignoreCase);
    options->addWidget(m_addIfEmpty);
    options->addStretch(1);
    layout->addLayout(options);
    auto *const cancel = new QPushButton(QStringLiteral("Cancel"));
    auto *const apply = new QPushButton(QStringLiteral("Apply"));
    layout->addStretch(1);
    layout->addLayout(buttonRow(cancel, apply));
    connect(apply, &QPushButton::clicked, this, &FunctionTabView::applyBulkChanges);
    connect(cancel, &QPushButton::clicked, this, &FunctionTabView::cancelBulkEdit);

    UserDefaults &defaults = UserDefaults::standard();
    connect(m_bulkField, &QComboBox::currentIndexChanged, this,
            [&defaults](int tag) { defaults.setInteger(tag, bulkupdatekeys::bulkFieldTag); });
    connect(m_ignoreCase, &QCheckBox::toggled, this,
            [&defaults](bool on) { defaults.setBool(on, bulkupdatekeys::bulkIgnoreCase); });
    connect(m_addIfEmpty, &QCheckBox::toggled, this,
            [&defaults](bool on) { defaults.setBool(on, bulkupdatekeys::bulkAddIfEmpty); });
    connect(m_findText, &QLineEdit::editingFinished, this, [this] { endEditing(); });
    connect(m_replaceText, &QLineEdit::editingFinished, this, [this] { endEditing(); });
    return page;
}

QWidget *FunctionTabView::buildMessagePane()
{
    auto *const page = new QWidget;
    page->setObjectName(actiontexts::sendMessage);
    auto *const layout = new QVBoxLayout(page);
    auto *const form = new QFormLayout;
    m_msgSubject = new QLineEdit;
    m_addressMode = new QComboBox;
    m_addressMode->addItems(kAddressModes);
    form->addRow(QStringLiteral("Subject:"), m_msgSubject);
    form->addRow(QStringLiteral("Address:"), m_addressMode);
    layout->addLayout(form);
    m_msgBody = new QTextEdit;
    m_msgBody->setAcceptRichText(false);
    layout->addWidget(m_msgBody, 1);
    auto *const cancel = new QPushButton(QStringLiteral("Cancel"));
    auto *const send = new QPushButton(QStringLiteral("Send"));
    layout->addLayout(buttonRow(cancel, send));
    connect(send, &QPushButton::clicked, this, &FunctionTabView::sendMessage);
    connect(cancel, &QPushButton::clicked, this, &FunctionTabView::cancelMessage);

    connect(m_addressMode, &QComboBox::currentIndexChanged, this, [](int mode) {
        UserDefaults::standard().setInteger(mode, actionkeys::msgAddressMode);
    });
    connect(m_msgSubject, &QLineEdit::editingFinished, this, [this] { endEditing(); });
    return page;
}

void FunctionTabView::loadPreferences()
{
    UserDefaults &defaults = UserDefaults::standard();
    m_findText->setText(defaults.stringForKey(bulkupdatekeys::bulkFindString));
    m_replaceText->setText(defaults.stringForKey(bulkupdatekeys::bulkReplaceString));
    const int tag = defaults.integerForKey(bulkupdatekeys::bulkFieldTag);
    if (tag >= 0 && tag < m_bulkField->count())
        m_bulkField->setCurrentIndex(tag);
    m_ignoreCase->setChecked(defaults.boolForKey(bulkupdatekeys::bulkIgnoreCase));
    m_addIfEmpty->setChecked(defaults.boolForKey(bulkupdatekeys::bulkAddIfEmpty));
    m_msgSubject->setText(defaults.stringForKey(actionkeys::msgSubject));
    const int mode = defaults.integerForKey(actionkeys::msgAddressMode);
    if (mode >= 0 && mode < m_addressMode->count())
        m_addressMode->setCurrentIndex(mode);
}

void FunctionTabView::selectTabViewItemWithIdentifier(const QString &identifier)
{
    QWidget *page = nullptr;
    if (identifier == actiontexts::singleNote || identifier == actiontexts::multipleNote)
        page = m_notesPage;
    else if (identifier == actiontexts::bulk)
        page = m_bulkPage;
    else if (identifier == actiontexts::sendMessage)
        page = m_messagePage;
    if (!page)
        return;
    m_identifier = identifier;
    setCurrentWidget(page);
}

void FunctionTabView::endEditing()
{
    UserDefaults &defaults = UserDefaults::standard();
    defaults.setString(m_findText->text(), bulkupdatekeys::bulkFindString);
    defaults.setString(m_replaceText->text(), bulkupdatekeys::bulkReplaceString);
    defaults.setString(m_msgSubject->text(), actionkeys::msgSubject);
}

QString FunctionTabView::msgBodyString() const
{
    return m_msgBody->toPlainText();
}
