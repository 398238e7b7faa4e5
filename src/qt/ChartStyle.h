#pragma once
// One look for the charts beside the game: a plain light theme without
// animation (a chart of a million spins must draw at once), German figures on
// the axes and the window's own font; and the axes they count on.

#include <Qt>

class QChart;
class QString;
class QValueAxis;

namespace tamvek::qt {

void styleChart(QChart& chart);
// A titled axis of whole numbers (spins, units, counts), put on `chart` at `side`.
QValueAxis* wholeAxis(QChart& chart, const QString& title, Qt::Alignment side);
// A step of 1, 2 or 5 times a power of ten, never below 1, that divides `span`
// into about `parts` parts: round figures on an axis of whole numbers at any
// scale, and no two ticks that read alike.
double wholeStep(double span, int parts);
// The axis from `low` to `high`, widened to whole steps, a tick on each.
void setWholeScale(QValueAxis& axis, double low, double high, int parts);

}  // namespace tamvek::qt
