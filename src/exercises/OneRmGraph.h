#pragma once

#include <QImage>
#include <QList>
#include <QString>

// The line graph of the best expected 1RM of each workout, as the exercise list window
// shows it: 465 × 185 pixels, black on white, y downwards from the top left corner.
namespace OneRmGraph {
constexpr int Width = 465;
constexpr int Height = 185;

// Vertical position of a point: 140 at the lowest value, 20 at the highest. Points
// that are all equal lie on the middle line, 80.
int pointY(float value, float lowest, float highest);

// Draws the axes, the value labels, the dates and the line through the points (the
// most recent 40 when there are more). A label shows the value that a point at its
// height has.
QImage draw(const QString &firstDate, const QString &lastDate, const QList<float> &points);

// Writes the image as a PNG file through the verified whole-file write: a failure
// raises IoError naming the file and the system's reason and leaves an older file of
// that name whole.
void savePng(const QImage &image, const QString &path);
}
