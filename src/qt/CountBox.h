#pragma once
// A box for a count (spins, random permanences) that shows its figure in
// German with thousands dots while the player types it, not only once the box
// is left: "1.000.000 Würfe" as the keys go in, the cursor kept behind the
// same digit. Dots typed or pasted are taken as they are read.

#include <QSpinBox>

namespace tamvek::qt {

class CountBox : public QSpinBox {
    Q_OBJECT
  public:
    CountBox(int most, int value, const QString& suffix, QWidget* parent = nullptr);

  protected:
    QValidator::State validate(QString& input, int& pos) const override;
    int valueFromText(const QString& text) const override;
};

}  // namespace tamvek::qt
