#pragma once

#include "chart/Chart.h"

#include <QWidget>

#include <functional>

// A chart of the chart unit on screen: hovering near a point of a line shows its
// tooltip, a double click on a point reports it, and the chart can be taken as an image
// of the size it has on screen.
class ChartView : public QWidget {
    Q_OBJECT
public:
    // The tooltip of a point of a line series: its series and index.
    using PointText = std::function<QString(int series, int index)>;

    explicit ChartView(QWidget *parent = nullptr);

    void setChart(const Chart::Spec &spec, PointText pointText);
    const Chart::Spec &chart() const { return m_spec; }
    // What to show when the chart has nothing to draw ("" draws the empty axes).
    void setEmptyText(const QString &text);
    bool isEmpty() const;

    // The chart as the screen shows it.
    QImage image() const;
    // The point under pos, as the hover and the double click find it.
    Chart::Hit hitAt(QPointF pos) const;
    // The tooltip of the point under pos; empty when none is near.
    QString pointTextAt(QPointF pos) const;

signals:
    void pointActivated(int series, int index);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    QRectF chartRect() const;

    Chart::Spec m_spec;
    PointText m_pointText;
    QString m_emptyText;
    Chart::Hit m_hover;
};
