#pragma once

#include <QHeaderView>
#include <QMenu>
#include <QPointer>

// A table header that opens its menu where it is right-clicked.
class TolvanePopupTableHeader : public QHeaderView
{
    Q_OBJECT

public:
    explicit TolvanePopupTableHeader(Qt::Orientation orientation, QWidget *parent = nullptr);

    QMenu *menu() const { return m_menu; }
    // Not owned.
    void setMenu(QMenu *menu) { m_menu = menu; }

protected:
    void mousePressEvent(QMouseEvent *event) override;

private:
    QPointer<QMenu> m_menu;
};
