#include "progressview/ChartView.h"

#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

ChartView::ChartView(QWidget *parent) : QWidget(parent)
{
    setMouseTracking(true);
    setMinimumSize(360, 220);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void ChartView::setChart(const Chart::Spec &spec, PointText pointText)
{
    m_spec = spec;
    m_pointText = std::move(pointText);
    m_hover = {};
    QToolTip::hideText();
    update();
}

void ChartView::setEmptyText(const QString &text)
{
    m_emptyText = text;
    update();
}

bool ChartView::isEmpty() const
{
    for (const Chart::LineSeries &line : m_spec.lines)
        if (!line.points.isEmpty())
            return false;
    return m_spec.bars.x.isEmpty();
}

QRectF ChartView::chartRect() const
{
    return QRectF(rect());
}

QImage ChartView::image() const
{
    return Chart::image(m_spec, size());
}

Chart::Hit ChartView::hitAt(QPointF pos) const
{
    if (isEmpty())
        return {};
    return Chart::nearestPoint(m_spec, chartRect(), pos);
}

QString ChartView::pointTextAt(QPointF pos) const
{
    const Chart::Hit hit = hitAt(pos);
    return hit.found() && m_pointText ? m_pointText(hit.series, hit.index) : QString();
}

void ChartView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (isEmpty() && !m_emptyText.isEmpty()) {
        painter.fillRect(rect(), m_spec.background);
        painter.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap, m_emptyText);
        return;
    }
    Chart::draw(painter, chartRect(), m_spec);
    // The hovered point gets a ring, so the tooltip's point is plain to see.
    if (m_hover.found() && m_hover.series < m_spec.lines.size()) {
        const Chart::LineSeries &line = m_spec.lines.at(m_hover.series);
        if (m_hover.index < line.points.size()) {
            const QPointF p = line.points.at(m_hover.index);
            const QPointF at = Chart::layout(m_spec, chartRect()).map(p.x(), p.y(), line.secondAxis);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setPen(QPen(line.color, 2));
            painter.setBrush(Qt::NoBrush);
            painter.drawEllipse(at, 6, 6);
        }
    }
}

void ChartView::mouseMoveEvent(QMouseEvent *event)
{
    const Chart::Hit hit = hitAt(event->position());
    if (hit.series != m_hover.series || hit.index != m_hover.index) {
        m_hover = hit;
        update();
    }
    if (const QString text = pointTextAt(event->position()); !text.isEmpty())
        QToolTip::showText(event->globalPosition().toPoint(), text, this);
    else
        QToolTip::hideText();
    QWidget::mouseMoveEvent(event);
}

void ChartView::mouseDoubleClickEvent(QMouseEvent *event)
{
    const Chart::Hit hit = hitAt(event->position());
    if (hit.found())
        emit pointActivated(hit.series, hit.index);
    QWidget::mouseDoubleClickEvent(event);
}

void ChartView::leaveEvent(QEvent *event)
{
    if (m_hover.found()) {
        m_hover = {};
        update();
    }
    QWidget::leaveEvent(event);
}
