#pragma once
// One look for the system test's charts: a plain light theme without
// animation (a chart of a million spins must draw at once), German figures on
// the axes and the window's own font.

class QChart;

namespace tamvek::qt {

void styleChart(QChart& chart);

}  // namespace tamvek::qt
