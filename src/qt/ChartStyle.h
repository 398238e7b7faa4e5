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

}  // namespace tamvek::qt
