#include "loader/review/googlepreviewwindowcontroller.h"

#include "app/delegate/appdelegate.h"
#include "foundation/log.h"
#include "google/lookups/contactlookups.h"
#include "loader/review/countrycompletion.h"
#include "loader/review/reviewrowmodels.h"
#include "loader/review/reviewtexts.h"
#include "loader/window/datamoverwindowcontroller.h"
#include "platform/ui/prompter.h"

#include <QCheckBox>
#include <QCompleter>
#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QStringListModel>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace {

const QString kClass = QStringLiteral("GooglePreviewWindowController");
constexpr char kTagProperty[] = "tag";
constexpr int kImageSide = 100;

// Fires after a window became active; the controller follows only its own window.
class ActivationWatcher : public QObject
{
public:
    ActivationWatcher(QWidget *window, std::function<void()> becameKey)
        : QObject(window)
        , m_becameKey(std::move(becameKey))
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::WindowActivate && watched == parent())
            m_becameKey();
        return false;
    }

private:
    std::function<void()> m_becameKey;
};

QString joined(const QStringList &items)
{
    return items.join(QStringLiteral(", "));
}

} // namespace

GooglePreviewWindowController::GooglePreviewWindowController()
    : WindowController(Kind::Preview)
{
    buildWindow();
    // The main menu's review command opens the window and has it load the names.
    registerCommand(QStringLiteral("loadNamesForReview:"),
                    [this](const QVariant &) { loadNamesForReview(); });
}

GooglePreviewWindowController::~GooglePreviewWindowController()
{
    // The engine must not call into a window that is gone.
    if (m_tool) {
        if (m_tool->uiDelegate() == this)
            m_tool->setUIDelegate(nullptr);
        if (m_tool->dataDelegate() == this)
            m_tool->setDataDelegate(nullptr);
    }
}

void GooglePreviewWindowController::buildWindow()
{
    auto *window = new QMainWindow;
    window->setObjectName(QStringLiteral("GooglePreview"));
    window->resize(1100, 600);
    auto *central = new QWidget(window);
    auto *layout = new QVBoxLayout(central);
    m_tabs = new QTabWidget(central);
    m_tabs->addTab(buildNamesTab(), reviewtexts::namesTab);
    m_tabs->addTab(buildAddressesTab(), reviewtexts::addressesTab);
    m_tabs->widget(0)->setProperty("identifier", reviewtexts::namesTabIdentifier);
    m_tabs->widget(1)->setProperty("identifier", reviewtexts::addressesTabIdentifier);
    layout->addWidget(m_tabs);
    auto *status = new QHBoxLayout;
    m_loadProgress = new QProgressBar(central);
    m_loadText = new QLabel(central);
    status->addWidget(m_loadProgress);
    status->addWidget(m_loadText, 1);
    layout->addLayout(status);
    m_loadProgress->hide();
    m_loadText->hide();
    window->setCentralWidget(central);
    window->setAcceptDrops(true);
    setWindow(window);
    buildImageMaker();
    new ActivationWatcher(window, [this] { windowDidBecomeKey(); });
}

QTableView *GooglePreviewWindowController::buildTable(QAbstractItemModel *model,
                                                      QSortFilterProxyModel *proxy, int tag)
{
    proxy->setSourceModel(model);
    auto *table = new QTableView;
    table->setModel(proxy);
    table->setProperty(kTagProperty, tag);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    table->setWordWrap(false);
    table->horizontalHeader()->setStretchLastSection(true);
    // Widths from the first rows only: measuring every row of a large account costs seconds.
    table->horizontalHeader()->setResizeContentsPrecision(50);
    // The list is sorted by title at load; the user's sort is the proxy's alone.
    table->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    table->setSortingEnabled(true);
    connect(table->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this, table] { rowTracker(table); });
    return table;
}

QWidget *GooglePreviewWindowController::buildNamesTab()
{
    auto *tab = new QWidget;
    auto *layout = new QVBoxLayout(tab);
    m_names = new NameReviewModel(this);
    m_namesProxy = new QSortFilterProxyModel(this);
    m_namesTable = buildTable(m_names, m_namesProxy, NamesTableTag);
    layout->addWidget(m_namesTable, 1);
    auto *form = new QFormLayout;
    const std::pair<int, QString> fields[] = {{FirstTag, QStringLiteral("First")},
                                              {MiddleTag, QStringLiteral("Middle")},
                                              {LastTag, QStringLiteral("Last")},
                                              {NickTag, QStringLiteral("Nick")},
                                              {CompanyTag, QStringLiteral("Company")}};
    for (const auto &[tag, label] : fields) {
        auto *field = new QLineEdit(tab);
        field->setProperty(kTagProperty, tag);
        m_nameFields.insert(tag, field);
        form->addRow(label, field);
        connect(field, &QLineEdit::editingFinished, this, [this, tag = tag] {
            takeNameFields();
            controlTextDidEndEditing(tag);
        });
    }
    m_companyBox = new QCheckBox(reviewtexts::isCompany, tab);
    form->addRow(QString(), m_companyBox);
    connect(m_companyBox, &QCheckBox::clicked, this, [this] { changeCoStatus(); });
    auto *details = new QHBoxLayout;
    details->addLayout(form, 1);
    m_imageView = new QLabel(tab);
    m_imageView->setFixedSize(kImageSide, kImageSide);
    m_imageView->setAlignment(Qt::AlignCenter);
    m_imageView->setFrameShape(QFrame::StyledPanel);
    auto *portrait = new QVBoxLayout;
    portrait->addWidget(m_imageView);
    auto *edit = new QPushButton(QStringLiteral("Edit Portrait…"), tab);
    connect(edit, &QPushButton::clicked, this, [this] { openImageView(); });
    portrait->addWidget(edit);
    portrait->addStretch();
    details->addLayout(portrait);
    layout->addLayout(details);
    m_sendNames = new QPushButton(reviewtexts::sendNames, tab);
    connect(m_sendNames, &QPushButton::clicked, this, [this] { updateGoogleNamesReview(); });
    layout->addWidget(m_sendNames, 0, Qt::AlignRight);
    return tab;
}

QWidget *GooglePreviewWindowController::buildAddressesTab()
{
    auto *tab = new QWidget;
    auto *layout = new QVBoxLayout(tab);
    m_addresses = new AddressReviewModel(this);
    m_addressesProxy = new QSortFilterProxyModel(this);
    m_addressesTable = buildTable(m_addresses, m_addressesProxy, AddressesTableTag);
    layout->addWidget(m_addressesTable, 1);
    auto *form = new QFormLayout;
    for (const QString &label :
         {QStringLiteral("Street"), QStringLiteral("Street 2"), QStringLiteral("City"),
          QStringLiteral("State"), QStringLiteral("Postal"), QStringLiteral("Country")}) {
        auto *field = new QLineEdit(tab);
        field->setProperty(kTagProperty, int(AddressFieldTag));
        m_addressFields << field;
        form->addRow(label, field);
        connect(field, &QLineEdit::editingFinished, this, [this] {
            takeAddressFields();
            controlTextDidEndEditing(AddressFieldTag);
        });
    }
    m_countryModel = new QStringListModel(this);
    m_countryCompleter = new QCompleter(m_countryModel, this);
    m_countryCompleter->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    QLineEdit *country = m_addressFields.last();
    country->setCompleter(m_countryCompleter);
    connect(country, &QLineEdit::textEdited, this, [this](const QString &typed) {
        m_countryModel->setStringList(completionsForSubstring(typed));
    });
    layout->addLayout(form);
    m_sendAddresses = new QPushButton(reviewtexts::sendAddresses, tab);
    connect(m_sendAddresses, &QPushButton::clicked, this, [this] { updateGoogleAddressReview(); });
    layout->addWidget(m_sendAddresses, 0, Qt::AlignRight);
    return tab;
}

void GooglePreviewWindowController::setGoogleTool(GoogleContactTool *tool)
{
    m_tool = tool;
    if (tool)
        windowDidLoad();
}

GoogleContactToolUIDelegate *GooglePreviewWindowController::engineUIDelegate()
{
    return this;
}

GoogleContactToolDataDelegate *GooglePreviewWindowController::engineDataDelegate()
{
    return this;
}

void GooglePreviewWindowController::showWindow()
{
    WindowController::showWindow();
}

void GooglePreviewWindowController::windowDidLoad()
{
    windowDidBecomeKey();
}

void GooglePreviewWindowController::windowDidBecomeKey()
{
    if (!m_tool)
        return;
    m_tool->setGoogleUserDefaults();
    if (!otherWindowRunsJob())
        takeEngineDelegates();
}

bool GooglePreviewWindowController::otherWindowRunsJob() const
{
    if (!m_tool)
        return false;
    // The data loader reads its next steps and contact queue back from its delegate roles while
    // a process runs, and reports its end through them.
    const auto *loader = dynamic_cast<const DataMoverWindowController *>(m_tool->uiDelegate());
    if (loader && !loader->isIdle())
        return true;
    const auto *loaderData =
        dynamic_cast<const DataMoverWindowController *>(m_tool->dataDelegate());
    return loaderData && !loaderData->isIdle();
}

const QList<NameReviewRow> &GooglePreviewWindowController::googleNames() const
{
    return m_names->rows();
}

const QList<AddressReviewRow> &GooglePreviewWindowController::googleAddresses() const
{
    return m_addresses->rows();
}

QLineEdit *GooglePreviewWindowController::nameField(int tag) const
{
    return m_nameFields.value(tag);
}

void GooglePreviewWindowController::rowTracker(QTableView *table)
{
    const QModelIndexList selected = table->selectionModel()->selectedRows();
    const auto *proxy = static_cast<const QSortFilterProxyModel *>(table->model());
    const int source = selected.size() == 1 ? proxy->mapToSource(selected.front()).row() : -1;
    switch (table->property(kTagProperty).toInt()) {
    case NamesTableTag:
        if (table != m_namesTable)
            return;
        m_currentName = source;
        m_currentGoogleC =
            source < 0 || !m_tool
                ? nullptr
                : contactlookups::contactForID(m_tool->lists(), m_names->row(source).gID);
        showCurrentName();
        break;
    default:
        if (table != m_addressesTable)
            return;
        m_currentAddress = source;
        showCurrentAddress();
        break;
    }
}

void GooglePreviewWindowController::showCurrentName()
{
    const NameReviewRow row = m_currentName < 0 ? NameReviewRow{} : m_names->row(m_currentName);
    const std::pair<int, QString> values[] = {{FirstTag, row.aFirst},
                                              {MiddleTag, row.aMiddle},
                                              {LastTag, row.aLast},
                                              {NickTag, row.aNick},
                                              {CompanyTag, row.aCo}};
    for (const auto &[tag, value] : values) {
        QLineEdit *field = m_nameFields.value(tag);
        const QSignalBlocker blocker(field);
        field->setText(value);
        field->setEnabled(m_currentName >= 0);
    }
    const QSignalBlocker blocker(m_companyBox);
    m_companyBox->setChecked(row.isCompany);
    m_companyBox->setEnabled(m_currentName >= 0);
    m_imageView->setPixmap(row.gImage.isNull() ? QPixmap()
                                               : QPixmap::fromImage(row.gImage.scaled(
                                                     kImageSide, kImageSide, Qt::KeepAspectRatio,
                                                     Qt::SmoothTransformation)));
}

void GooglePreviewWindowController::showCurrentAddress()
{
    const AddressReviewRow row =
        m_currentAddress < 0 ? AddressReviewRow{} : m_addresses->row(m_currentAddress);
    const QString values[] = {row.aLine1, row.aLine2,  row.aCity,
                              row.aState, row.aPostal, row.aCountry};
    for (int i = 0; i < m_addressFields.size(); ++i) {
        const QSignalBlocker blocker(m_addressFields[i]);
        m_addressFields[i]->setText(values[i]);
        m_addressFields[i]->setEnabled(m_currentAddress >= 0);
    }
}

void GooglePreviewWindowController::takeNameFields()
{
    if (m_currentName < 0)
        return;
    NameReviewRow row = m_names->row(m_currentName);
    row.aFirst = m_nameFields.value(FirstTag)->text();
    row.aMiddle = m_nameFields.value(MiddleTag)->text();
    row.aLast = m_nameFields.value(LastTag)->text();
    row.aNick = m_nameFields.value(NickTag)->text();
    row.aCo = m_nameFields.value(CompanyTag)->text();
    m_names->setRow(m_currentName, row);
}

void GooglePreviewWindowController::takeAddressFields()
{
    if (m_currentAddress < 0)
        return;
    AddressReviewRow row = m_addresses->row(m_currentAddress);
    row.aLine1 = m_addressFields[0]->text();
    row.aLine2 = m_addressFields[1]->text();
    row.aCity = m_addressFields[2]->text();
    row.aState = m_addressFields[3]->text();
    row.aPostal = m_addressFields[4]->text();
    row.aCountry = m_addressFields[5]->text();
    m_addresses->setRow(m_currentAddress, row);
}

void GooglePreviewWindowController::controlTextDidEndEditing(int tag)
{
    if (tag >= FirstTag && tag <= CompanyTag)
        setNamesDeltaOn();
    else if (tag == AddressFieldTag)
        setAddressDeltaOn();
}

void GooglePreviewWindowController::setNamesDeltaOn()
{
    if (m_currentName < 0)
        return;
    NameReviewRow row = m_names->row(m_currentName);
    const bool namesDiffer = row.aFirst != row.oFirst || row.aMiddle != row.oMiddle ||
                             row.aLast != row.oLast || row.aNick != row.oNick ||
                             row.aCo != row.oCo || row.isCompany != row.oisCompany;
    // A saved portrait is a change of its own: ending an edit of unchanged names keeps it.
    row.delta = namesDiffer || row.gDelta;
    tlog::message(kClass, QStringLiteral("setNamesDeltaOn"),
                  row.delta ? QStringLiteral("delta on") : QStringLiteral("delta off"));
    // Written into the row that was edited, wherever the user's sort shows it.
    m_names->setRow(m_currentName, row);
}

void GooglePreviewWindowController::setAddressDeltaOn()
{
    if (m_currentAddress < 0)
        return;
    AddressReviewRow row = m_addresses->row(m_currentAddress);
    row.delta = row.aLine1 != row.oLine1 || row.aLine2 != row.oLine2 || row.aCity != row.oCity ||
                row.aState != row.oState || row.aPostal != row.oPostal ||
                row.aCountry != row.oCountry;
    m_addresses->setRow(m_currentAddress, row);
}

void GooglePreviewWindowController::changeCoStatus()
{
    if (m_currentName < 0)
        return;
    NameReviewRow row = m_names->row(m_currentName);
    row.isCompany = m_companyBox->isChecked();
    if (row.isCompany) {
        row.aFirst.clear();
        row.aMiddle.clear();
        row.aLast.clear();
        row.aNick.clear();
        row.aCo = row.gTitle;
    } else {
        row.aFirst = row.oFirst;
        row.aMiddle.clear();
        row.aLast = row.oLast;
        row.aNick = row.oNick;
        row.aCo = row.oCo;
    }
    m_names->setRow(m_currentName, row);
    setNamesDeltaOn();
    showCurrentName();
}

void GooglePreviewWindowController::showReviewTabViewItem(const QString &identifier)
{
    for (int i = 0; i < m_tabs->count(); ++i) {
        if (m_tabs->widget(i)->property("identifier").toString() == identifier)
            m_tabs->setCurrentIndex(i);
    }
}

void GooglePreviewWindowController::reviewGoogleNames()
{
    QStringList titles;
    for (const GDataEntryContactPtr &contact : m_contacts)
        titles << contact->title().value_or(QString());
    tlog::value(kClass, QStringLiteral("reviewGoogleNames:"), QStringLiteral("googleContactArray"),
                tlog::describe(titles));
}

QStringList GooglePreviewWindowController::countryNamesArray() const
{
    const AppDelegate *delegate = AppDelegate::shared();
    return delegate ? delegate->countryNamesArray() : QStringList();
}

QStringList GooglePreviewWindowController::countryMenuItems() const
{
    const AppDelegate *delegate = AppDelegate::shared();
    return delegate ? delegate->countryMenuItems() : QStringList();
}

QStringList GooglePreviewWindowController::completionsForSubstring(const QString &typed) const
{
    return countrycompletion::completions(countryNamesArray(), typed);
}

bool GooglePreviewWindowController::mayStartSend()
{
    if (!m_tool)
        return false;
    // The engine follows one job at a time through its delegates: a send beside the data
    // loader's would run the loader's next steps at its end.
    if (!otherWindowRunsJob())
        return true;
    Prompter::current().beginSheet(Prompt{reviewtexts::otherJobRunning,
                                          reviewtexts::otherJobRunningText,
                                          {reviewtexts::okButton}},
                                   window(), [](int) {});
    return false;
}

void GooglePreviewWindowController::updateGoogleNamesReview()
{
    if (!mayStartSend())
        return;
    QList<NameReviewRow> changed;
    for (const NameReviewRow &row : m_names->rows()) {
        if (row.delta)
            changed << row;
    }
    takeEngineDelegates();
    ++m_sending;
    const QPointer<GooglePreviewWindowController> self(this);
    m_tool->updateContactNameExProps(changed,
                                     [self](const GoogleContactTool::ReviewSendOutcome &outcome) {
                                         if (self)
                                             self->namesSent(outcome);
                                     });
}

void GooglePreviewWindowController::updateGoogleAddressReview()
{
    if (!mayStartSend())
        return;
    QList<AddressReviewRow> changed;
    for (const AddressReviewRow &row : m_addresses->rows()) {
        if (row.delta)
            changed << row;
    }
    takeEngineDelegates();
    ++m_sending;
    const QPointer<GooglePreviewWindowController> self(this);
    m_tool->updateContactAddressExProps(
        changed, [self](const GoogleContactTool::ReviewSendOutcome &outcome) {
            if (self)
                self->addressesSent(outcome);
        });
}

void GooglePreviewWindowController::namesSent(const GoogleContactTool::ReviewSendOutcome &outcome)
{
    --m_sending;
    for (int i = 0; i < m_names->rowCount(); ++i) {
        NameReviewRow row = m_names->row(i);
        if (!row.delta || !outcome.acceptedIDs.contains(row.gID))
            continue;
        row.keepReviewedAsLoaded();
        if (row.gDelta && !outcome.failedPortraitIDs.contains(row.gID)) {
            row.oImage = row.gImage;
            row.gDelta = false;
        }
        // A portrait still to send keeps the row changed.
        row.delta = row.gDelta;
        m_names->setRow(i, row);
    }
    showOutcome(outcome);
}

void GooglePreviewWindowController::addressesSent(
    const GoogleContactTool::ReviewSendOutcome &outcome)
{
    --m_sending;
    for (int i = 0; i < m_addresses->rowCount(); ++i) {
        AddressReviewRow row = m_addresses->row(i);
        if (!row.delta || !outcome.acceptedIDs.contains(row.gID))
            continue;
        row.keepReviewedAsLoaded();
        row.delta = false;
        m_addresses->setRow(i, row);
    }
    showOutcome(outcome);
}

void GooglePreviewWindowController::showOutcome(const GoogleContactTool::ReviewSendOutcome &outcome)
{
    QStringList lines;
    if (!outcome.started)
        lines << reviewtexts::notStarted;
    if (!outcome.failedFeeds.isEmpty())
        lines << reviewtexts::failedFeeds.arg(joined(outcome.failedFeeds));
    if (!outcome.refused.isEmpty())
        lines << reviewtexts::refused.arg(joined(outcome.refused));
    if (!outcome.notFound.isEmpty())
        lines << reviewtexts::notFound.arg(joined(outcome.notFound));
    if (!outcome.noRoom.isEmpty())
        lines << reviewtexts::noRoom.arg(joined(outcome.noRoom));
    if (!outcome.failedPortraits.isEmpty())
        lines << reviewtexts::failedPortraits.arg(joined(outcome.failedPortraits));
    if (lines.isEmpty())
        return;
    Prompter::current().beginSheet(
        Prompt{reviewtexts::outcomeTitle, lines.join(u'\n'), {reviewtexts::okButton}}, window(),
        [](int) {});
}
