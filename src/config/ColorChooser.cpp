#include "config/ColorChooser.h"

#include "config/ColorDrawing.h"

#include <QColorDialog>
#include <QEvent>
#include <QPainter>
#include <QPixmap>

const QString ColorChooser::CustomText = QStringLiteral("Custom...");

namespace {
constexpr int CustomIndex = 0;
constexpr int ValueRole = Qt::UserRole;
constexpr int ExtraRole = Qt::UserRole + 1; // marks the entry of a value that has no name here

bool isNamedChoice(const ColorIdentifier &id)
{
    // The two special values are no colour to choose.
    return id.value != 0x1FFFFFFF && id.value != 0x20000000;
}

std::optional<QColor> askColorDialog(const QColor &initial, QWidget *parent)
{
    const QColor chosen = QColorDialog::getColor(initial, parent, QStringLiteral("Color"));
    if (!chosen.isValid())
        return std::nullopt;
    return chosen;
}
}

ColorChooser::ColorChooser(QWidget *parent) : QComboBox(parent), m_picker(askColorDialog)
{
    setMaxVisibleItems(16);
    setIconSize(QSize(24, 14));
    addItem(CustomText);
    for (const ColorIdentifier &id : colorIdentifiers())
        if (isNamedChoice(id))
            addItem(swatch(id.value), QString::fromLatin1(id.name), id.value);
    setColor(0);
    connect(this, &QComboBox::activated, this, &ColorChooser::onActivated);
}

void ColorChooser::setColor(ColorValue color)
{
    if (namedIndexOf(color) >= 0) {
        // A named colour needs no entry of its own; an old one goes.
        for (int i = count() - 1; i > CustomIndex; --i)
            if (itemData(i, ExtraRole).toBool())
                removeItem(i);
        setCurrentIndex(namedIndexOf(color));
    } else {
        setExtraEntry(color);
    }
    hold(color);
}

void ColorChooser::hold(ColorValue color)
{
    const bool changed = color != m_color;
    m_color = color;
    if (changed)
        emit colorChanged(color);
}

void ColorChooser::onActivated(int index)
{
    if (index == CustomIndex) {
        pickCustom();
        return;
    }
    // The entry of a value read stays, so the user can go back to it.
    hold(ColorValue(itemData(index, ValueRole).toUInt()));
}

void ColorChooser::pickCustom()
{
    const std::optional<QColor> chosen = m_picker(DrawingColor(m_color, palette()), this);
    if (chosen)
        setColor(ColorValueOf(*chosen));
    else
        setCurrentIndex(indexOfValue(m_color)); // back to the colour held
}

int ColorChooser::namedIndexOf(ColorValue color) const
{
    for (int i = CustomIndex + 1; i < count(); ++i)
        if (!itemData(i, ExtraRole).toBool() && itemData(i, ValueRole).toUInt() == color)
            return i;
    return -1;
}

int ColorChooser::indexOfValue(ColorValue color) const
{
    for (int i = CustomIndex + 1; i < count(); ++i)
        if (itemData(i, ValueRole).toUInt() == color)
            return i;
    return -1;
}

void ColorChooser::setExtraEntry(ColorValue color)
{
    const int extra = CustomIndex + 1;
    if (!itemData(extra, ExtraRole).toBool())
        insertItem(extra, QString());
    setItemText(extra, ColorToText(color));
    setItemIcon(extra, swatch(color));
    setItemData(extra, color, ValueRole);
    setItemData(extra, true, ExtraRole);
    setCurrentIndex(extra);
}

QIcon ColorChooser::swatch(ColorValue color) const
{
    QPixmap pixmap(iconSize());
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.setBrush(DrawingColor(color, palette()));
    painter.drawRect(QRect(QPoint(0, 0), iconSize()).adjusted(0, 0, -1, -1));
    return QIcon(pixmap);
}

void ColorChooser::refreshSwatches()
{
    for (int i = CustomIndex + 1; i < count(); ++i)
        setItemIcon(i, swatch(ColorValue(itemData(i, ValueRole).toUInt())));
}

void ColorChooser::changeEvent(QEvent *event)
{
    QComboBox::changeEvent(event);
    // System colours follow the desktop palette.
    if (event->type() == QEvent::PaletteChange)
        refreshSwatches();
}
