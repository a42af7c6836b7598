#include "app/sheets/contactsheet.h"

#include "app/apptexts.h"
#include "app/sheets/sheetkeys.h"
#include "app/sheets/sheettexts.h"
#include "foundation/parsers/linkscanner.h"
#include "platform/defaults/userdefaults.h"
#include "platform/ui/keypath.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
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

// The instant-messaging services in the order of their codes.
const char *const kIMServices[] = {"AIM", "Google Talk", "ICQ",   "Jabber",
                                   "MSN", "QQ",          "Skype", "Yahoo"};

// The notes keep the old line ends ("\r"); the text view shows "\n".
QString shownNotes(const QString &notes)
{
    return QString(notes).replace(u'\r', u'\n');
}

QString storedNotes(const QString &shown)
{
    return QString(shown).replace(u'\n', u'\r');
}

} // namespace

ContactSheet::ContactSheet(Mode mode, QWidget *parent)
    : QDialog(parent)
    , m_mode(mode)
{
    const bool isNew = mode == Mode::NewContact;
    setObjectName(isNew ? QStringLiteral("newContactPanel") : QStringLiteral("editContactPanel"));
    setWindowTitle(isNew ? sheettexts::newContactTitle : sheettexts::editContactTitle);
    setWindowModality(Qt::WindowModal);
    auto *const layout = new QVBoxLayout(this);

    layout->addWidget(new QLabel(sheettexts::pasteLabel, this));
    m_cardzapField = new QPlainTextEdit(this);
    m_cardzapField->setObjectName(QStringLiteral("cardzapField"));
    m_cardzapField->setProperty("tag", isNew ? kNewPasteTag : kEditPasteTag);
    m_cardzapField->setFixedHeight(56);
    connect(m_cardzapField, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_refreshing)
            emit controlTextChanged(m_cardzapField);
    });
    layout->addWidget(m_cardzapField);
    layout->addWidget(makeNamesPane());

    m_tabs = new QTabWidget(this);
    m_tabs->addTab(makeAddressTab(QStringLiteral("work"), kWorkPhoneTag), tr("Work"));
    m_tabs->addTab(makeAddressTab(QStringLiteral("home"), kHomePhoneTag), tr("Home"));
    m_tabs->addTab(makeNotesTab(), tr("Notes"));
    if (isNew)
        m_tabs->addTab(makeTargetsTab(), tr("Save to"));
    layout->addWidget(m_tabs, 1);

    auto *const buttons = new QDialogButtonBox(this);
    m_saveButton = buttons->addButton(QStringLiteral("Save"), QDialogButtonBox::AcceptRole);
    m_saveButton->setDefault(true);
    QPushButton *const cancel =
        buttons->addButton(apptexts::cancelButton, QDialogButtonBox::RejectRole);
    connect(m_saveButton, &QPushButton::clicked, this, &ContactSheet::saveRequested);
    connect(cancel, &QPushButton::clicked, this, &ContactSheet::cancelRequested);
    layout->addWidget(buttons);

    // The sizes the sheets have always had; the width may grow a little, the height not.
    if (isNew) {
        setMinimumSize(260, 570);
        setMaximumSize(400, 570);
    } else {
        setMinimumSize(264, 480);
        setMaximumSize(400, 480);
    }
}

ContactSheet::~ContactSheet()
{
    // The dialog hides itself as it goes, and a field losing the focus then would report an edit
    // to a sheet that is half gone.
    for (QWidget *const child : findChildren<QWidget *>())
        disconnect(child, nullptr, this, nullptr);
}

QWidget *ContactSheet::makeNamesPane()
{
    auto *const pane = new QWidget(this);
    auto *const grid = new QGridLayout(pane);
    grid->setContentsMargins(0, 0, 0, 0);
    const struct
    {
        const char *path;
        const char *placeholder;
        int tag;
    } fields[] = {
        {"nameDict.first", "First", 0},
        {"nameDict.last", "Last", 0},
        {"org", "Company", 0},
        {"job", "Job title", 0},
        {"mobilePhone", "Mobile phone", kMobilePhoneTag},
    };
    int index = 0;
    for (const auto &field : fields) {
        QLineEdit *const edit = addField(pane, QString::fromLatin1(field.path), field.tag);
        edit->setPlaceholderText(tr(field.placeholder));
        grid->addWidget(edit, index / 2, index % 2);
        ++index;
    }
    return pane;
}

QWidget *ContactSheet::makeAddressTab(const QString &type, int phoneTag)
{
    auto *const tab = new QWidget(this);
    auto *const form = new QFormLayout(tab);
    const QString address = type + QStringLiteral("AddrDict.");
    form->addRow(tr("E-mail"), addField(tab, type + QStringLiteral("Email")));
    form->addRow(tr("Phone"), addField(tab, type + QStringLiteral("Phone"), phoneTag));
    auto *const im = new QHBoxLayout;
    im->addWidget(addField(tab, type + QStringLiteral("IM")), 1);
    auto *const service = new QComboBox(tab);
    for (const char *name : kIMServices)
        service->addItem(QString::fromLatin1(name));
    const QString servicePath = type + QStringLiteral("IMType");
    service->setObjectName(servicePath);
    connect(service, &QComboBox::activated, this,
            [this, servicePath](int index) { setValue(servicePath, index); });
    m_choices << qMakePair(service, servicePath);
    im->addWidget(service);
    form->addRow(tr("IM"), im);
    form->addRow(tr("Street"), addField(tab, address + QStringLiteral("street1")));
    form->addRow(QString(), addField(tab, address + QStringLiteral("street2")));
    form->addRow(tr("City"), addField(tab, address + QStringLiteral("city")));
    form->addRow(tr("State"), addField(tab, address + QStringLiteral("state")));
    form->addRow(tr("ZIP"), addField(tab, address + QStringLiteral("postal")));
    form->addRow(tr("Country"), addChoice(tab, address + QStringLiteral("country"), true));
    return tab;
}

QWidget *ContactSheet::makeNotesTab()
{
    auto *const tab = new QWidget(this);
    auto *const layout = new QVBoxLayout(tab);
    m_notesField = new QPlainTextEdit(tab);
    m_notesField->setObjectName(QStringLiteral("notesField"));
    connect(m_notesField, &QPlainTextEdit::textChanged, this, [this] {
        if (m_refreshing)
            return;
        emit notesEdited(storedNotes(m_notesField->toPlainText()));
        markNoteLinks();
    });
    layout->addWidget(m_notesField);
    return tab;
}

QWidget *ContactSheet::makeTargetsTab()
{
    auto *const tab = new QWidget(this);
    auto *const grid = new QGridLayout(tab);
    m_addressBook = new QCheckBox(tr("Address Book"), tab);
    m_google = new QCheckBox(tr("Google Contacts"), tab);
    connect(m_addressBook, &QCheckBox::toggled, this, [this](bool on) {
        if (!m_refreshing)
            emit addToAddressBookToggled(on);
    });
    connect(m_google, &QCheckBox::toggled, this, [this](bool on) {
        if (!m_refreshing)
            emit addToGoogleContactsToggled(on);
    });
    grid->addWidget(m_addressBook, 0, 0);
    grid->addWidget(m_google, 0, 1);
    int row = 1;
    for (const QString &path : {sheetkeys::abGroup1, sheetkeys::abGroup2, sheetkeys::abGroup3})
        grid->addWidget(addChoice(tab, path, false), row++, 0);
    grid->addWidget(addChoice(tab, sheetkeys::googleGroup, false), 1, 1);
    row = 2;
    for (const auto &[title, key] :
         {std::pair{tr("Family"), sheetkeys::family}, std::pair{tr("Friends"), sheetkeys::friends},
          std::pair{tr("Coworkers"), sheetkeys::coworkers}}) {
        // The memberships of the system groups are the user's standing choice, kept in the
        // preferences from one new contact to the next.
        auto *const check = new QCheckBox(title, tab);
        const QString preference = key;
        connect(check, &QCheckBox::toggled, this, [this, preference](bool on) {
            if (!m_refreshing)
                UserDefaults::standard().setBool(on, preference);
        });
        m_preferenceBoxes << qMakePair(check, preference);
        grid->addWidget(check, row++, 1);
    }
    grid->setRowStretch(row, 1);
    return tab;
}

QLineEdit *ContactSheet::addField(QWidget *parent, const QString &path, int tag)
{
    auto *const edit = new QLineEdit(parent);
    edit->setObjectName(path);
    if (tag)
        edit->setProperty("tag", tag);
    const Binding binding{path, edit};
    m_bindings << binding;
    connect(edit, &QLineEdit::textEdited, this,
            [this, path](const QString &text) { setValue(path, text); });
    connect(edit, &QLineEdit::editingFinished, this, [this, binding] { fieldFinished(binding); });
    return edit;
}

QComboBox *ContactSheet::addChoice(QWidget *parent, const QString &path, bool editable)
{
    auto *const choice = new QComboBox(parent);
    choice->setObjectName(path);
    choice->setEditable(editable);
    connect(choice, &QComboBox::currentTextChanged, this, [this, path](const QString &text) {
        if (!m_refreshing)
            setValue(path, text);
    });
    m_choices << qMakePair(choice, path);
    return choice;
}

void ContactSheet::setContact(QVariantMap *contact)
{
    m_contact = contact;
}

void ContactSheet::setChoices(const QStringList &abGroups, const QStringList &googleGroups,
                              const QStringList &countries)
{
    m_abGroups = abGroups;
    m_googleGroups = googleGroups;
    m_countries = countries;
}

void ContactSheet::setValue(const QString &path, const QVariant &value)
{
    if (m_contact && !m_refreshing)
        keypath::setValue(*m_contact, path, value);
}

void ContactSheet::fieldFinished(const Binding &binding)
{
    if (m_refreshing)
        return;
    emit controlTextShouldEndEditing(binding.edit);
    setValue(binding.path, binding.edit->text());
}

void ContactSheet::commitEditing()
{
    for (const Binding &binding : std::as_const(m_bindings))
        if (binding.edit->hasFocus())
            fieldFinished(binding);
}

void ContactSheet::refresh(const QString &notes, bool addToAddressBook, bool addToGoogleContacts)
{
    m_refreshing = true;
    const QVariantMap contact = m_contact ? *m_contact : QVariantMap();
    for (const Binding &binding : std::as_const(m_bindings)) {
        const QString text = keypath::value(contact, binding.path).toString();
        if (binding.edit->text() != text)
            binding.edit->setText(text);
    }
    for (const auto &[choice, path] : std::as_const(m_choices)) {
        const QVariant value = keypath::value(contact, path);
        if (path.endsWith(QStringLiteral("IMType"))) {
            choice->setCurrentIndex(value.toInt());
            continue;
        }
        const QStringList &names = path == sheetkeys::googleGroup               ? m_googleGroups
                                   : path.startsWith(QStringLiteral("abGroup")) ? m_abGroups
                                                                                : m_countries;
        choice->clear();
        choice->addItems(names);
        choice->setCurrentText(value.toString());
    }
    if (m_notesField->toPlainText() != shownNotes(notes))
        m_notesField->setPlainText(shownNotes(notes));
    markNoteLinks();
    if (m_addressBook)
        m_addressBook->setChecked(addToAddressBook);
    if (m_google)
        m_google->setChecked(addToGoogleContacts);
    for (const auto &[check, key] : std::as_const(m_preferenceBoxes))
        check->setChecked(UserDefaults::standard().boolForKey(key));
    m_refreshing = false;
}

void ContactSheet::clearPasteField()
{
    m_refreshing = true;
    m_cardzapField->clear();
    m_refreshing = false;
}

void ContactSheet::markNoteLinks()
{
    const bool wasRefreshing = m_refreshing;
    // Formats change the document too: the notes handler must not take that for an edit.
    m_refreshing = true;
    QTextCursor cursor(m_notesField->document());
    cursor.select(QTextCursor::Document);
    cursor.setCharFormat(QTextCharFormat());
    for (const zeltor::TextLink &link : zeltor::scanLinks(m_notesField->toPlainText())) {
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

QLineEdit *ContactSheet::field(const QString &path) const
{
    for (const Binding &binding : m_bindings)
        if (binding.path == path)
            return binding.edit;
    return nullptr;
}

QComboBox *ContactSheet::choice(const QString &path) const
{
    for (const auto &[choice, choicePath] : m_choices)
        if (choicePath == path)
            return choice;
    return nullptr;
}

void ContactSheet::reject()
{
    emit cancelRequested();
}
