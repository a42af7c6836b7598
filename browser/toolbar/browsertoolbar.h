// The browser window's toolbar: icons only, small, with the stored item list when there is one and
// the default items otherwise. The window acts on what its items send and tells it which items the
// selection allows.
#pragma once

#include <QAbstractButton>
#include <QComboBox>
#include <QHash>
#include <QLineEdit>
#include <QPointer>
#include <QSlider>
#include <QStringList>
#include <QToolBar>
#include <QVariantMap>

class TolvaneSearchField;

// What the toolbar's items are enabled by.
struct ToolbarSelection
{
    // The last selection change came from the group table.
    bool isGroupSelection = false;
    // The "groupType" of each selected group row.
    QStringList selectedGroupTypes;
    int selectedContacts = 0;
};

class BrowserToolbar : public QToolBar
{
    Q_OBJECT

public:
    // The row metrics the sliders start from.
    struct Metrics
    {
        float rowHeight = 0;
        float rowFontSize = 0;
        float noteFontSize = 0;
    };

    // The search item is a copy of the window's search field.
    BrowserToolbar(const TolvaneSearchField &searchFieldOutlet, const Metrics &metrics,
                   bool useIntersection, QWidget *parent = nullptr);

    // The stored item list when there is one, else the default items.
    Q_INVOKABLE QStringList itemIdentifiers() const { return m_identifiers; }
    // Shows these items and stores them as the toolbar's configuration.
    Q_INVOKABLE void setItemIdentifiers(const QStringList &identifiers);
    // What the application delegate's customisation offers: the allowed items, and the palette
    // label of every item, by identifier.
    Q_INVOKABLE QStringList allowedItemIdentifiers() const;
    Q_INVOKABLE QVariantMap paletteLabels() const;
    // The item of that identifier while the toolbar shows it.
    QAction *item(const QString &identifier) const;
    QAction *deleteToolbarItem() const { return m_deleteToolbarItem; }
    QAction *setOperatorToolbarItem() const { return m_setOperatorToolbarItem; }

    // The controls of the items shown; null while their item is not.
    QLineEdit *searchField() const { return m_search; }
    QSlider *rowHeightSlider() const { return m_rowHeight; }
    QSlider *rowFontSizeSlider() const { return m_rowFontSize; }
    QSlider *noteFontSizeSlider() const { return m_noteFontSize; }
    QComboBox *dataFieldPopUp() const { return m_dataField; }
    QAbstractButton *segment(bool intersection) const;

    void setUseIntersection(bool useIntersection);
    void setSearchText(const QString &text);

    static bool validateToolbarItem(const QString &identifier, const ToolbarSelection &selection);
    void validateToolbarItems(const ToolbarSelection &selection);

signals:
    // An item with an image was chosen: the operation it sends ("deleteItems:").
    void itemActivated(const QString &action);
    void setOperatorChosen(bool useIntersection);
    void rowHeightChanged(float value);
    void rowFontSizeChanged(float value);
    void noteFontSizeChanged(float value);
    void searchChanged(const QString &text);

private:
    void insertItems();
    QAction *itemForItemIdentifier(const QString &identifier);
    QAction *addControlItem(QWidget *control);
    QWidget *makeSetOperator();
    QSlider *makeSlider(int minimum, int maximum, float value,
                        void (BrowserToolbar::*changed)(float));
    QComboBox *makeDataField();
    QLineEdit *makeSearchField();

    const TolvaneSearchField &m_searchFieldOutlet;
    Metrics m_metrics;
    bool m_useIntersection = false;
    QStringList m_identifiers;
    QHash<QString, QAction *> m_items;
    QPointer<QAction> m_deleteToolbarItem;
    QPointer<QAction> m_setOperatorToolbarItem;
    QPointer<QLineEdit> m_search;
    QPointer<QSlider> m_rowHeight;
    QPointer<QSlider> m_rowFontSize;
    QPointer<QSlider> m_noteFontSize;
    QPointer<QComboBox> m_dataField;
    QPointer<QAbstractButton> m_union;
    QPointer<QAbstractButton> m_intersect;
};
