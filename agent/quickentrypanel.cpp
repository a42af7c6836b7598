#include "agent/quickentrypanel.h"

#include "agent/quickentrycontroller.h"
#include "platform/defaults/userdefaults.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QVBoxLayout>

namespace {

// The IM services in the order of their codes.
const char *const kIMServices[] = {"AIM", "Google Talk", "ICQ", "Jabber",
                                   "MSN", "QQ",          "Skype", "Yahoo"};

} // namespace

QuickEntryPanel::QuickEntryPanel(QuickEntryController *controller)
    : QWidget(nullptr, Qt::Tool), m_controller(controller)
{
    setWindowTitle(tr("New Contact"));
    setAttribute(Qt::WA_QuitOnClose, false);
    auto *layout = new QVBoxLayout(this);

    layout->addWidget(new QLabel(tr("Paste a signature or an address block:"), this));
    m_cardzapField = new QPlainTextEdit(this);
    m_cardzapField->setFixedHeight(70);
    connect(m_cardzapField, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_refreshing)
            m_controller->processExpressString(m_cardzapField->toPlainText());
    });
    layout->addWidget(m_cardzapField);

    auto *names = new QGridLayout;
    names->addWidget(addField(this, QStringLiteral("nameDict.first"), QuickEntryController::FirstNameTag,
                              tr("First")), 0, 0);
    names->addWidget(addField(this, QStringLiteral("nameDict.last"), QuickEntryController::LastNameTag,
                              tr("Last")), 0, 1);
    names->addWidget(addField(this, QStringLiteral("org"), 83, tr("Company")), 1, 0);
    names->addWidget(addField(this, QStringLiteral("job"), 84, tr("Job title")), 1, 1);
    names->addWidget(addField(this, QStringLiteral("mobilePhone"), QuickEntryController::MobilePhoneTag,
                              tr("Mobile phone")), 2, 0);
    names->addWidget(addField(this, QStringLiteral("faxPhone"), 85, tr("Fax")), 2, 1);
    layout->addLayout(names);

    m_tabs = new QTabWidget(this);
    m_tabs->addTab(makeAddressTab(QStringLiteral("home")), tr("Home"));
    m_tabs->addTab(makeAddressTab(QStringLiteral("work")), tr("Work"));
    m_tabs->addTab(makeNoteTab(), tr("Note"));
    static const QString kTabIdentifiers[] = {QStringLiteral("home"), QStringLiteral("work"),
                                              QStringLiteral("note")};
    connect(m_tabs, &QTabWidget::currentChanged, this,
            [this](int index) { m_controller->setSelectedTab(kTabIdentifiers[index]); });
    layout->addWidget(m_tabs, 1);
    layout->addWidget(makeTargets());

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Save | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, m_controller,
            &QuickEntryController::saveNewGoogleContact);
    connect(buttons, &QDialogButtonBox::rejected, m_controller, &QuickEntryController::closeCardzap);
    layout->addWidget(buttons);
    connect(m_controller, &QuickEntryController::contactChanged, this, &QuickEntryPanel::refresh);
    resize(460, 640);
}

QLineEdit *QuickEntryPanel::addField(QWidget *parent, const QString &path, int tag,
                                     const QString &placeholder)
{
    auto *edit = new QLineEdit(parent);
    edit->setPlaceholderText(placeholder);
    edit->setProperty("tag", tag);
    const Binding binding{path, tag, edit};
    m_bindings << binding;
    connect(edit, &QLineEdit::textEdited, this,
            [this, binding](const QString &text) { fieldEdited(binding, text); });
    connect(edit, &QLineEdit::editingFinished, this, [this, binding] { fieldFinished(binding); });
    return edit;
}

QWidget *QuickEntryPanel::makeAddressTab(const QString &type)
{
    auto *tab = new QWidget(this);
    auto *form = new QFormLayout(tab);
    const bool home = type == QStringLiteral("home");
    const QString address = type + QStringLiteral("AddrDict.");
    form->addRow(tr("E-mail"), addField(tab, type + QStringLiteral("Email"),
                                        home ? QuickEntryController::HomeEmailTag
                                             : QuickEntryController::WorkEmailTag,
                                        QString()));
    form->addRow(tr("Phone"), addField(tab, type + QStringLiteral("Phone"),
                                       home ? QuickEntryController::HomePhoneTag
                                            : QuickEntryController::WorkPhoneTag,
                                       QString()));
    auto *im = new QHBoxLayout;
    im->addWidget(addField(tab, type + QStringLiteral("IM"), home ? 86 : 87, QString()), 1);
    auto *service = new QComboBox(tab);
    for (const char *name : kIMServices)
        service->addItem(QString::fromLatin1(name));
    const QString servicePath = type + QStringLiteral("IMType");
    connect(service, &QComboBox::activated, this,
            [this, servicePath](int index) { m_controller->setValue(servicePath, index); });
    m_choices << qMakePair(service, servicePath);
    im->addWidget(service);
    form->addRow(tr("IM"), im);
    form->addRow(tr("Street"), addField(tab, address + QStringLiteral("street1"), 88, QString()));
    form->addRow(QString(), addField(tab, address + QStringLiteral("street2"), 89, QString()));
    form->addRow(tr("City"), addField(tab, address + QStringLiteral("city"), 90, QString()));
    form->addRow(tr("State"), addField(tab, address + QStringLiteral("state"), 93, QString()));
    form->addRow(tr("ZIP"), addField(tab, address + QStringLiteral("postal"), 94, QString()));
    auto *country = new QComboBox(tab);
    country->setEditable(true);
    const QString countryPath = address + QStringLiteral("country");
    connect(country, &QComboBox::currentTextChanged, this, [this, countryPath](const QString &text) {
        if (!m_refreshing)
            m_controller->setValue(countryPath, text);
    });
    m_countryChoices << qMakePair(country, countryPath);
    form->addRow(tr("Country"), country);
    return tab;
}

QWidget *QuickEntryPanel::makeNoteTab()
{
    auto *tab = new QWidget(this);
    auto *layout = new QVBoxLayout(tab);
    m_notesField = new QPlainTextEdit(tab);
    connect(m_notesField, &QPlainTextEdit::textChanged, this, [this] {
        if (m_refreshing)
            return;
        m_controller->setValue(QStringLiteral("notes"),
                               m_notesField->toPlainText().replace(u'\n', u'\r'));
        markNoteLinks();
    });
    layout->addWidget(m_notesField, 1);
    auto *createDate = new QPushButton(tr("Creation Date"), tab);
    connect(createDate, &QPushButton::clicked, m_controller, &QuickEntryController::toggleCreateDate);
    layout->addWidget(createDate, 0, Qt::AlignLeft);
    return tab;
}

QWidget *QuickEntryPanel::makeTargets()
{
    auto *box = new QGroupBox(tr("Save to"), this);
    auto *grid = new QGridLayout(box);
    m_addressBook = new QCheckBox(tr("Address Book"), box);
    m_google = new QCheckBox(tr("Google Contacts"), box);
    connect(m_addressBook, &QCheckBox::toggled, m_controller, &QuickEntryController::setAddToAddressBook);
    connect(m_google, &QCheckBox::toggled, m_controller, &QuickEntryController::setAddToGoogleContacts);
    grid->addWidget(m_addressBook, 0, 0);
    grid->addWidget(m_google, 0, 1);
    int row = 1;
    for (const char *key : {"abGroup1", "abGroup2", "abGroup3"}) {
        auto *choice = new QComboBox(box);
        const QString path = QString::fromLatin1(key);
        connect(choice, &QComboBox::textActivated, this,
                [this, path](const QString &text) { m_controller->setValue(path, text); });
        m_choices << qMakePair(choice, path);
        grid->addWidget(choice, row++, 0);
    }
    auto *google = new QComboBox(box);
    connect(google, &QComboBox::textActivated, this, [this](const QString &text) {
        m_controller->setValue(QStringLiteral("googleGroup"), text);
    });
    m_choices << qMakePair(google, QStringLiteral("googleGroup"));
    grid->addWidget(google, 1, 1);
    row = 2;
    for (const auto &[title, key] : {std::pair{tr("Family"), QStringLiteral("family")},
                                     std::pair{tr("Friends"), QStringLiteral("friends")},
                                     std::pair{tr("Coworkers"), QStringLiteral("coworkers")}}) {
        auto *check = new QCheckBox(title, box);
        const QString preference = key;
        connect(check, &QCheckBox::toggled, this, [this, preference](bool on) {
            if (!m_refreshing)
                UserDefaults::standard().setBool(on, preference);
        });
        m_preferenceBoxes << qMakePair(check, preference);
        grid->addWidget(check, row++, 1);
    }
    return box;
}

void QuickEntryPanel::refresh()
{
    m_refreshing = true;
    for (const Binding &binding : std::as_const(m_bindings)) {
        const QString text = m_controller->value(binding.path).toString();
        if (binding.edit->text() != text)
            binding.edit->setText(text);
    }
    for (const auto &[choice, path] : std::as_const(m_choices)) {
        if (path.endsWith(QStringLiteral("IMType"))) {
            choice->setCurrentIndex(m_controller->value(path).toInt());
            continue;
        }
        const QStringList names = path == QStringLiteral("googleGroup")
                                      ? m_controller->googleGroupNamesArray()
                                      : m_controller->abGroupNamesArray();
        choice->clear();
        choice->addItems(names);
        choice->setCurrentText(m_controller->value(path).toString());
    }
    for (const auto &[choice, path] : std::as_const(m_countryChoices)) {
        choice->clear();
        choice->addItems(m_controller->countryNamesArray());
        choice->setCurrentText(m_controller->value(path).toString());
    }
    const QString notes = m_controller->value(QStringLiteral("notes")).toString();
    if (m_notesField->toPlainText() != QString(notes).replace(u'\r', u'\n'))
        m_notesField->setPlainText(QString(notes).replace(u'\r', u'\n'));
    markNoteLinks();
    m_addressBook->setChecked(m_controller->addToAddressBook());
    m_google->setChecked(m_controller->addToGoogleContacts());
    for (const auto &[check, key] : std::as_const(m_preferenceBoxes))
        check->setChecked(UserDefaults::standard().boolForKey(key));
    m_refreshing = false;
}

void QuickEntryPanel::markNoteLinks()
{
    const bool wasRefreshing = m_refreshing;
    // Formats change the document too: the notes handler must not take that for an edit.
    m_refreshing = true;
    QTextCursor cursor(m_notesField->document());
    cursor.select(QTextCursor::Document);
    cursor.setCharFormat(QTextCharFormat());
    for (const zeltor::TextLink &link : m_controller->linkifiedNotes()) {
        cursor.setPosition(int(link.start));
        cursor.setPosition(int(link.start + link.length), QTextCursor::KeepAnchor);
        QTextCharFormat format;
        format.setAnchor(true);
        format.setAnchorHref(link.url.toString());
        format.setFontUnderline(true);
        format.setForeground(palette().link());
        cursor.mergeCharFormat(format);
    }
    m_refreshing = wasRefreshing;
}

void QuickEntryPanel::showFilled()
{
    m_refreshing = true;
    m_cardzapField->clear();
    m_refreshing = false;
    m_tabs->setCurrentIndex(m_controller->selectedTab() == QStringLiteral("home") ? 0 : 1);
    refresh();
    show();
    raise();
    activateWindow();
}

void QuickEntryPanel::insertIntoPasteField(const QString &text)
{
    m_cardzapField->insertPlainText(text);
}

void QuickEntryPanel::fieldEdited(const Binding &binding, const QString &text)
{
    if (m_refreshing)
        return;
    if (binding.tag == QuickEntryController::FirstNameTag ||
        binding.tag == QuickEntryController::LastNameTag) {
        m_controller->setValue(binding.path, text);
        m_controller->nameFieldChanged(binding.tag, text);
        return;
    }
    // Validated entries are stored when their editing ends.
    if (binding.tag != QuickEntryController::HomeEmailTag &&
        binding.tag != QuickEntryController::WorkEmailTag &&
        (binding.tag < QuickEntryController::MobilePhoneTag ||
         binding.tag > QuickEntryController::HomePhoneTag))
        m_controller->setValue(binding.path, text);
}

bool QuickEntryPanel::fieldFinished(const Binding &binding)
{
    if (m_refreshing)
        return true;
    if (!m_controller->fieldShouldEndEditing(binding.tag, binding.path, binding.edit->text())) {
        binding.edit->setFocus();
        return false;
    }
    const QString stored = m_controller->value(binding.path).toString();
    if (binding.edit->text() != stored)
        binding.edit->setText(stored);
    return true;
}

bool QuickEntryPanel::endEditing()
{
    for (const Binding &binding : std::as_const(m_bindings))
        if (binding.edit->hasFocus())
            return fieldFinished(binding);
    return true;
}

QLineEdit *QuickEntryPanel::field(const QString &path) const
{
    for (const Binding &binding : m_bindings)
        if (binding.path == path)
            return binding.edit;
    return nullptr;
}
