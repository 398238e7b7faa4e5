#pragma once
// A box for a count (spins, random permanences) that shows its figure in
// German with thousands dots while the player types it, not only once the box
// is left: "1.000.000 Würfe" as the keys go in, the cursor kept behind the
// same digit. Dots typed or pasted are taken as they are read. The word after
// the figure agrees with it: "1 Wurf", "2 Würfe".

#include <QSpinBox>

namespace tamvek::qt {

class CountBox : public QSpinBox {
    Q_OBJECT
  public:
    CountBox(int most, int value, const QString& one, const QString& many,
             QWidget* parent = nullptr);

  protected:
    QValidator::State validate(QString& input, int& pos) const override;
    int valueFromText(const QString& text) const override;
    QString textFromValue(int value) const override;

  private:
    QString wordFor(qlonglong value) const { return value == 1 ? m_one : m_many; }
    // The digits of `text` without the word after them and the dots; empty
    // when there is anything else in it.
    QString digitsOf(QString text, int* pos = nullptr) const;

    QString m_one;
    QString m_many;
};

}  // namespace tamvek::qt
