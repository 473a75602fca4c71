#pragma once

#include "config/ColorValue.h"

#include <QColor>
#include <QComboBox>

#include <functional>
#include <optional>

// A drop-down colour chooser holding one ColorValue: "Custom...", then the 20 ordinary
// and the 30 system colours by name, each with a swatch. A value that is none of these
// (a custom colour, "clNone" or a number read from the file) gets an entry of its own
// under "Custom...", shown as its ColorToText text, and is kept exactly as it is.
class ColorChooser : public QComboBox {
    Q_OBJECT
public:
    // Asks the user for a custom colour; nullopt when cancelled.
    using CustomPicker = std::function<std::optional<QColor>(const QColor &initial, QWidget *parent)>;

    explicit ColorChooser(QWidget *parent = nullptr);

    ColorValue color() const { return m_color; }
    void setColor(ColorValue color);
    // Replaces the colour dialog (tests answer it themselves).
    void setCustomPicker(CustomPicker picker) { m_picker = std::move(picker); }

    static const QString CustomText;

signals:
    void colorChanged(ColorValue color);

protected:
    void changeEvent(QEvent *event) override;

private:
    void onActivated(int index);
    void hold(ColorValue color);
    void pickCustom();
    int indexOfValue(ColorValue color) const;
    int namedIndexOf(ColorValue color) const;
    void setExtraEntry(ColorValue color);
    QIcon swatch(ColorValue color) const;
    void refreshSwatches();

    ColorValue m_color = 0;
    CustomPicker m_picker;
};
