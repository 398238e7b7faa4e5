#pragma once
// The line below the client area for what is not the game's own business:
// where a printout or a picture went. A message that names a file shows it
// with its whole path; a click on it (or Enter or Space while the line has the
// keyboard focus) opens the file with the desktop's viewer. Only then does the
// line take the focus, as the last stop of the window's tab chain.

#include <QLabel>
#include <QString>
#include <functional>

namespace tamvek::qt {

class StatusLine : public QLabel {
    Q_OBJECT
  public:
    explicit StatusLine(QWidget* parent = nullptr);

    // The message as a whole, and the file it names (empty for none).
    const QString& message() const { return m_message; }
    const QString& file() const { return m_file; }
    void showMessage(const QString& message, const QString& file = {});

    // Opens a file and says whether that worked; the desktop's viewer unless
    // a test puts something else in.
    using Opener = std::function<bool(const QString& file)>;
    void setOpener(Opener opener) { m_opener = std::move(opener); }
    // Opens the file named now, if any.
    void openFile();

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void showFitting();

    QString m_message;
    QString m_file;
    Opener m_opener;
};

}  // namespace tamvek::qt
