#include "browser/window/namewithimagedelegate.h"

#include "foundation/views/imagetext.h"
#include "google/browser/browserdictionary.h"

#include <QApplication>
#include <QPainter>
#include <QSharedPointer>
#include <QTextDocument>

namespace {

constexpr int kMargin = 2;
constexpr int kIconSide = 15;
constexpr int kIconGap = 3;

} // namespace

NameWithImageDelegate::NameWithImageDelegate(int role, QObject *parent)
    : QStyledItemDelegate(parent)
    , m_role(role)
{}

const QImage &NameWithImageDelegate::icon(const QString &name) const
{
    auto found = m_icons.find(name);
    if (found == m_icons.end())
        found = m_icons.insert(name, imagetext::imageNamed(name));
    return *found;
}

QSize NameWithImageDelegate::sizeHint(const QStyleOptionViewItem &option,
                                      const QModelIndex &index) const
{
    const QSize size = QStyledItemDelegate::sizeHint(option, index);
    const QVariant value = index.data(m_role);
    if (!value.canConvert<tolvane::NameWithImage>())
        return size;
    const tolvane::NameWithImage name = value.value<tolvane::NameWithImage>();
    // As painted: two points each side, and the icon with its gap before the title.
    int width = kMargin * 2 + option.fontMetrics.horizontalAdvance(name.title);
    if (!icon(name.imageName).isNull())
        width += kIconSide + kIconGap;
    return QSize(width, size.height());
}

void NameWithImageDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                  const QModelIndex &index) const
{
    const QVariant value = index.data(m_role);
    const bool isName = value.canConvert<tolvane::NameWithImage>();
    const bool isDocument = value.canConvert<QSharedPointer<QTextDocument>>();
    if (!isName && !isDocument) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem background = option;
    initStyleOption(&background, index);
    background.text.clear();
    background.icon = QIcon();
    QStyle *const style = option.widget ? option.widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &background, painter, option.widget);
    if (isDocument) {
        // A group row's title with its icon, laid out once when the rows were built.
        const QSharedPointer<QTextDocument> document = value.value<QSharedPointer<QTextDocument>>();
        if (!document)
            return;
        painter->save();
        painter->translate(option.rect.topLeft());
        painter->setClipRect(QRect(QPoint(0, 0), option.rect.size()));
        document->drawContents(painter);
        painter->restore();
        return;
    }
    const tolvane::NameWithImage name = value.value<tolvane::NameWithImage>();

    const QRect area = option.rect.adjusted(kMargin, 0, -kMargin, 0);
    const int side = std::min(kIconSide, area.height());
    int textLeft = area.left();
    const QImage &image = icon(name.imageName);
    if (!image.isNull()) {
        const QRect target(area.left(), area.top() + (area.height() - side) / 2, side, side);
        painter->drawImage(target, image);
        textLeft = target.left() + side + kIconGap;
    }
    painter->save();
    painter->setFont(option.font);
    painter->setPen(option.palette.color(
        option.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text));
    const QRect textRect(textLeft, area.top(), area.right() - textLeft, area.height());
    painter->drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft,
                      option.fontMetrics.elidedText(name.title, Qt::ElideRight, textRect.width()));
    painter->restore();
}
