#pragma once
// A drawn decoration: the outline of a rectangle or a straight line in one
// colour. It takes no mouse input, so what lies under it stays reachable.

#include <QColor>
#include <QWidget>

namespace tamvek::qt {

class ShapeWidget : public QWidget {
    Q_OBJECT
  public:
    enum class Form { Outline, Line };
    ShapeWidget(Form form, QWidget* parent = nullptr);
    QColor colour() const { return m_colour; }
    void setColour(const QColor& colour);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    Form m_form;
    QColor m_colour{Qt::black};
};

}  // namespace tamvek::qt
