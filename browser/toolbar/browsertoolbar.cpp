#include "browser/toolbar/browsertoolbar.h"

#include "browser/toolbar/toolbaritems.h"
#include "browser/toolbar/toolbarkeys.h"
#include "foundation/views/imagetext.h"
#include "foundation/views/tolvanesearchfield.h"
#include "google/engine/googlekeys.h"
#include "platform/defaults/userdefaults.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QHBoxLayout>
#include <QMenu>
#include <QSlider>
#include <QToolButton>
#include <QWidgetAction>

namespace {

// The icons of the small size.
constexpr int kIconSize = 24;
constexpr int kSpaceWidth = 8;
constexpr int kSliderWidth = 80;
// The search item's width.
constexpr int kSearchMinimumWidth = 90;
constexpr int kSearchMaximumWidth = 150;
// The sliders' ranges, in points.
constexpr int kRowHeightRange[] = {12, 40};
constexpr int kRowFontSizeRange[] = {8, 20};
constexpr int kNoteFontSizeRange[] = {8, 24};

// The group types whose rows have no Google group to delete.
const QString kUndeletableTypes = QStringLiteral("abc");

} // namespace

BrowserToolbar::BrowserToolbar(const TolvaneSearchField &searchFieldOutlet, const Metrics &metrics,
                               bool useIntersection, QWidget *parent)
    : QToolBar(parent)
    , m_searchFieldOutlet(searchFieldOutlet)
    , m_metrics(metrics)
    , m_useIntersection(useIntersection)
{
    // The items' images and the image pane's toggle, found on the "images" search path.
    Q_INIT_RESOURCE(toolbarimages);
    setObjectName(toolbaritems::toolbarIdentifier);
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    setIconSize(QSize(kIconSize, kIconSize));
    setMovable(false);
    const QStringList stored =
        UserDefaults::standard().stringArrayForKey(toolbaritems::toolbarIdentifier);
    m_identifiers = stored.isEmpty() ? toolbaritems::toolbarDefaultItemIdentifiers() : stored;
    insertItems();
}

void BrowserToolbar::setItemIdentifiers(const QStringList &identifiers)
{
    m_identifiers = identifiers;
    UserDefaults::standard().setObject(identifiers, toolbaritems::toolbarIdentifier);
    for (QAction *action : actions()) {
        removeAction(action);
        delete action;
    }
    m_items.clear();
    insertItems();
}

QStringList BrowserToolbar::allowedItemIdentifiers() const
{
    return toolbaritems::toolbarAllowedItemIdentifiers();
}

QVariantMap BrowserToolbar::paletteLabels() const
{
    QVariantMap labels{{toolbaritems::flexibleSpace, tr("Flexible Space")},
                       {toolbaritems::space, tr("Space")},
                       {toolbaritems::separator, tr("Separator")}};
    for (const toolbaritems::ItemDefinition &definition : toolbaritems::items)
        labels.insert(definition.identifier, definition.paletteLabel);
    return labels;
}

void BrowserToolbar::insertItems()
{
    for (const QString &identifier : m_identifiers) {
        QAction *const made = itemForItemIdentifier(identifier);
        made->setObjectName(identifier);
        m_items.insert(identifier, made);
    }
}

QAction *BrowserToolbar::item(const QString &identifier) const
{
    return m_items.value(identifier);
}

QAbstractButton *BrowserToolbar::segment(bool intersection) const
{
    return intersection ? m_intersect : m_union;
}

QAction *BrowserToolbar::addControlItem(QWidget *control)
{
    // The item keeps the control's size.
    control->setFixedSize(control->sizeHint());
    auto *const action = new QWidgetAction(this);
    action->setDefaultWidget(control);
    addAction(action);
    return action;
}

QAction *BrowserToolbar::itemForItemIdentifier(const QString &identifier)
{
    using toolbaritems::Control;
    if (identifier == toolbaritems::separator)
        return addSeparator();
    if (identifier == toolbaritems::flexibleSpace || identifier == toolbaritems::space) {
        auto *const gap = new QWidget;
        if (identifier == toolbaritems::flexibleSpace)
            gap->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
        else
            gap->setFixedWidth(kSpaceWidth);
        return addWidget(gap);
    }
    const toolbaritems::ItemDefinition *const definition = toolbaritems::definitionOf(identifier);
    if (!definition) {
        // An item of an identifier the program does not know: no label, image or action.
        auto *const unknown = new QAction(this);
        addAction(unknown);
        return unknown;
    }
    QAction *made = nullptr;
    switch (definition->control) {
    case Control::None: {
        made = new QAction(QIcon(imagetext::imagePath(definition->image)), definition->label, this);
        const QString action = definition->action;
        connect(made, &QAction::triggered, this, [this, action] { emit itemActivated(action); });
        addAction(made);
        break;
    }
    case Control::SetOperator:
        made = addControlItem(makeSetOperator());
        m_setOperatorToolbarItem = made;
        break;
    case Control::RowHeight:
        m_rowHeight = makeSlider(kRowHeightRange[0], kRowHeightRange[1], m_metrics.rowHeight,
                                 &BrowserToolbar::rowHeightChanged);
        made = addControlItem(m_rowHeight);
        break;
    case Control::RowFontSize:
        m_rowFontSize = makeSlider(kRowFontSizeRange[0], kRowFontSizeRange[1],
                                   m_metrics.rowFontSize, &BrowserToolbar::rowFontSizeChanged);
        made = addControlItem(m_rowFontSize);
        break;
    case Control::NoteFontSize:
        m_noteFontSize = makeSlider(kNoteFontSizeRange[0], kNoteFontSizeRange[1],
                                    m_metrics.noteFontSize, &BrowserToolbar::noteFontSizeChanged);
        made = addControlItem(m_noteFontSize);
        break;
    case Control::DataField:
        made = addControlItem(makeDataField());
        break;
    case Control::Search: {
        auto *const action = new QWidgetAction(this);
        action->setDefaultWidget(makeSearchField());
        // The menu form, for a toolbar too narrow to show the field.
        auto *const menu = new QMenu(definition->label, this);
        QAction *const panel = menu->addAction(toolbaritems::searchPanel);
        panel->setObjectName(toolbaritems::searchPanelAction);
        panel->setEnabled(false);
        action->setMenu(menu);
        addAction(action);
        made = action;
        break;
    }
    }
    made->setText(definition->label);
    made->setIconText(definition->label);
    made->setToolTip(definition->toolTip);
    made->setProperty("paletteLabel", definition->paletteLabel);
    made->setPriority(definition->priority);
    if (definition->identifier == toolbaritems::deleteItem)
        m_deleteToolbarItem = made;
    return made;
}

QWidget *BrowserToolbar::makeSetOperator()
{
    auto *const control = new QWidget;
    auto *const layout = new QHBoxLayout(control);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto *const group = new QButtonGroup(control);
    for (const bool intersection : {false, true}) {
        auto *const button = new QToolButton;
        button->setText(intersection ? toolbaritems::intersectSegment : toolbaritems::unionSegment);
        button->setCheckable(true);
        button->setChecked(intersection == m_useIntersection);
        group->addButton(button);
        layout->addWidget(button);
        (intersection ? m_intersect : m_union) = button;
        connect(button, &QToolButton::clicked, this, [this, intersection] {
            if (intersection == m_useIntersection)
                return;
            m_useIntersection = intersection;
            emit setOperatorChosen(intersection);
        });
    }
    return control;
}

void BrowserToolbar::setUseIntersection(bool useIntersection)
{
    m_useIntersection = useIntersection;
    if (QAbstractButton *const chosen = segment(useIntersection))
        chosen->setChecked(true);
}

QSlider *BrowserToolbar::makeSlider(int minimum, int maximum, float value,
                                    void (BrowserToolbar::*changed)(float))
{
    auto *const slider = new QSlider(Qt::Horizontal);
    slider->setRange(minimum, maximum);
    slider->setValue(qRound(value));
    slider->setFixedWidth(kSliderWidth);
    connect(slider, &QSlider::valueChanged, this,
            [this, changed](int chosen) { emit(this->*changed)(float(chosen)); });
    return slider;
}

QComboBox *BrowserToolbar::makeDataField()
{
    m_dataField = new QComboBox;
    const int stored = UserDefaults::standard().integerForKey(toolbarkeys::browserDataField);
    for (const toolbaritems::DataFieldChoice &choice : toolbaritems::dataFieldChoices) {
        m_dataField->addItem(choice.title, choice.value);
        if (choice.value == stored)
            m_dataField->setCurrentIndex(m_dataField->count() - 1);
    }
    // The pop-up is bound to the preference.
    connect(m_dataField, &QComboBox::activated, this, [this](int index) {
        UserDefaults::standard().setInteger(m_dataField->itemData(index).toInt(),
                                            toolbarkeys::browserDataField);
    });
    return m_dataField;
}

QLineEdit *BrowserToolbar::makeSearchField()
{
    m_search = m_searchFieldOutlet.copy().release();
    m_search->setMinimumWidth(kSearchMinimumWidth);
    m_search->setMaximumWidth(kSearchMaximumWidth);
    connect(m_search, &QLineEdit::textChanged, this, &BrowserToolbar::searchChanged);
    return m_search;
}

void BrowserToolbar::setSearchText(const QString &text)
{
    if (m_search && m_search->text() != text)
        m_search->setText(text);
}

bool BrowserToolbar::validateToolbarItem(const QString &identifier,
                                         const ToolbarSelection &selection)
{
    UserDefaults &ud = UserDefaults::standard();
    if (identifier == toolbaritems::inspector)
        return !selection.isGroupSelection && selection.selectedContacts == 1;
    if (identifier == toolbaritems::deleteItem) {
        if (!selection.isGroupSelection)
            return !ud.boolForKey(googlekeys::gmUpdateNeverRemoveContacts);
        if (ud.boolForKey(googlekeys::gmUpdateNeverRemoveGroups))
            return false;
        const QString types = selection.selectedGroupTypes.join(QString());
        return std::none_of(kUndeletableTypes.cbegin(), kUndeletableTypes.cend(),
                            [&types](QChar type) { return types.contains(type); });
    }
    if (identifier == toolbaritems::merge || identifier == toolbaritems::bulkEdit)
        return selection.selectedContacts >= 2;
    return true;
}

void BrowserToolbar::validateToolbarItems(const ToolbarSelection &selection)
{
    for (auto it = m_items.cbegin(); it != m_items.cend(); ++it) {
        // The set operator follows the group selection alone.
        if (it.value() != m_setOperatorToolbarItem)
            it.value()->setEnabled(validateToolbarItem(it.key(), selection));
    }
}
