#include "qt/ControlView.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTableView>
#include <algorithm>
#include <functional>

#include "form/FileLists.h"
#include "form/Grid.h"
#include "form/OptionGroup.h"
#include "qt/Deferred.h"
#include "qt/GridDelegate.h"
#include "qt/GridModel.h"
#include "qt/QtText.h"
#include "qt/ShapeWidget.h"

namespace tamvek::qt {

ControlView::ControlView(form::Control& control, QWidget* widget)
    : m_control(control), m_widget(widget) {
    const form::Geometry& g = control.geometry();
    widget->setGeometry(px(g.left), px(g.top), std::max(1, px(g.width)), std::max(1, px(g.height)));
    widget->setObjectName(qstr(control.name()));
    widget->setFont(makeFont(control.font()));
    if (!control.toolTip().empty()) widget->setToolTip(qstr(control.toolTip()));
}

ControlView::~ControlView() = default;

void ControlView::syncAll() {
    applyLook();
    applyItems();
    applyText();
    applyState();
    applyCurrent();
    applyTopRow();
}

void ControlView::changed(const form::ChangeEvent& e) {
    if (m_widget.isNull()) return;
    switch (e.what) {
        case form::Change::Text:
            applyText();
            break;
        case form::Change::State:
            applyState();
            break;
        case form::Change::Look:
            applyLook();
            break;
        case form::Change::Items:
            applyItems();
            break;
        case form::Change::Current:
            applyCurrent();
            break;
        case form::Change::Cell:
            applyCell(e.row, e.col);
            break;
        case form::Change::Rows:
            applyRows();
            break;
        case form::Change::TopRow:
            applyTopRow();
            break;
    }
}

void ControlView::applyState() {
    m_widget->setEnabled(m_control.enabled());
    m_widget->setVisible(m_control.visible());
}

void ControlView::setColours(QPalette::ColorRole backRole, QPalette::ColorRole foreRole) {
    QPalette pal = m_widget->palette();
    if (m_control.backColour()) pal.setColor(backRole, qcolour(*m_control.backColour()));
    if (m_control.foreColour()) {
        pal.setColor(QPalette::Active, foreRole, qcolour(*m_control.foreColour()));
        pal.setColor(QPalette::Inactive, foreRole, qcolour(*m_control.foreColour()));
    }
    m_widget->setPalette(pal);
}

void ControlView::colourOnWindow() {
    setColours(QPalette::Window, QPalette::WindowText);
    m_widget->setBackgroundRole(QPalette::Window);
    m_widget->setAutoFillBackground(m_control.backColour().has_value());
}

namespace {

// A view whose widget is of type W.
template <class W>
class ViewOf : public ControlView {
  protected:
    ViewOf(form::Control& control, W* widget) : ControlView(control, widget), m_w(widget) {}
    W* w() const { return m_w; }

  private:
    W* m_w;
};

class LabelView : public ViewOf<QLabel> {
  public:
    LabelView(form::Label& label, QWidget* parent)
        : ViewOf(label, new QLabel(parent)), m_label(label) {
        w()->setTextFormat(Qt::PlainText);
        const bool centred = label.alignment() == form::Align::Centre;
        if (label.framed()) {
            w()->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
            w()->setAlignment(horizontal(label.alignment()) |
                              (centred ? Qt::AlignVCenter : Qt::AlignTop));
            w()->setIndent(2);
        } else {
            w()->setAlignment(horizontal(label.alignment()) | Qt::AlignTop);
        }
    }

  protected:
    void applyText() override { w()->setText(lineText(m_label.caption())); }
    void applyLook() override { colourOnWindow(); }

  private:
    form::Label& m_label;
};

class ShapeView : public ViewOf<ShapeWidget> {
  public:
    ShapeView(form::Control& shape, QWidget* parent, ShapeWidget::Form form)
        : ViewOf(shape, new ShapeWidget(form, parent)) {}

  protected:
    void applyLook() override {
        const auto& fore = control().foreColour();
        w()->setColour(fore ? qcolour(*fore) : QColor(Qt::black));
    }
};

class FrameView : public ViewOf<QGroupBox> {
  public:
    FrameView(form::Label& frame, QWidget* parent)
        : ViewOf(frame, new QGroupBox(parent)), m_frame(frame) {}

  protected:
    void applyText() override { w()->setTitle(qstr(m_frame.caption())); }
    void applyState() override {
        ControlView::applyState();
        if (m_frame.visible()) w()->raise();  // it covers the right column
    }
    void applyLook() override { colourOnWindow(); }

  private:
    form::Label& m_frame;
};

class ButtonView : public ViewOf<QPushButton> {
  public:
    ButtonView(form::Button& button, QWidget* parent)
        : ViewOf(button, new QPushButton(parent)), m_button(button) {
        w()->setAutoDefault(false);
        connect(w(), &QPushButton::clicked, this, [this] { m_button.click(); });
    }

  protected:
    void applyText() override {
        const QSignalBlocker block(w());
        w()->setText(qstr(m_button.caption()));
    }
    void applyLook() override { setColours(QPalette::Button, QPalette::ButtonText); }

  private:
    form::Button& m_button;
};

class TextBoxView : public ViewOf<QLineEdit> {
  public:
    TextBoxView(form::TextBox& box, QWidget* parent)
        : ViewOf(box, new QLineEdit(parent)), m_box(box) {
        w()->setAlignment(horizontal(box.alignment()) | Qt::AlignVCenter);
        w()->installEventFilter(this);
        connect(w(), &QLineEdit::textEdited, this, [this](const QString& text) {
            m_box.edit(utf8(text));
            // The model may have refused or rewritten the text (range rules).
            applyText();
        });
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyRelease) {
            // The release lands in the box that has the focus by now: after a
            // Tab that is already the next box, as the old window did.
            if (!static_cast<QKeyEvent*>(event)->isAutoRepeat()) m_box.keyUp();
        } else if (event->type() == QEvent::KeyPress) {
            // One press of Enter is one press of the button it stands for,
            // however long the key is held.
            const auto* key = static_cast<QKeyEvent*>(event);
            if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
                !key->isAutoRepeat())
                m_box.enter();
        } else if (event->type() == QEvent::MouseButtonPress &&
                   static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            m_box.click();
        }
        return ControlView::eventFilter(watched, event);
    }
    void applyText() override {
        const QSignalBlocker block(w());
        const QString text = qstr(m_box.text());
        // Equal text is left alone so the caret stays where the user typed.
        if (w()->text() != text) w()->setText(text);
        fitText(text);
    }
    void applyState() override {
        ControlView::applyState();
        w()->setReadOnly(m_box.locked());
    }
    // A figure wider than its box (a stake riding past 999) shows whole, in a
    // smaller face.
    void fitText(const QString& text) {
        QFont font = makeFont(m_box.font());
        const int room = w()->width() - 8;  // the frame and the text's margins
        while (font.pointSizeF() > 5 && QFontMetrics(font).horizontalAdvance(text) > room)
            font.setPointSizeF(font.pointSizeF() - 0.5);
        if (font != w()->font()) w()->setFont(font);
    }
    void applyLook() override { setColours(QPalette::Base, QPalette::Text); }

  private:
    form::TextBox& m_box;
};

class OptionView : public ViewOf<QRadioButton> {
  public:
    OptionView(form::OptionButton& option, QWidget* parent)
        : ViewOf(option, new QRadioButton(qstr(option.text()), parent)), m_option(option) {
        // The group decides which member is selected, not Qt.
        w()->setAutoExclusive(false);
        connect(w(), &QRadioButton::clicked, this, [this] {
            m_option.click();
            // A click on the selected member must not leave it unchecked.
            applyState();
        });
    }

  protected:
    void applyState() override {
        ControlView::applyState();
        const QSignalBlocker block(w());
        w()->setChecked(m_option.selected());
    }
    void applyLook() override { colourOnWindow(); }

  private:
    form::OptionButton& m_option;
};

class CheckBoxView : public ViewOf<QCheckBox> {
  public:
    CheckBoxView(form::CheckBox& check, QWidget* parent)
        : ViewOf(check, new QCheckBox(qstr(check.text()), parent)), m_check(check) {
        connect(w(), &QCheckBox::clicked, this, [this] {
            m_check.click();
            applyState();
        });
    }

  protected:
    void applyState() override {
        ControlView::applyState();
        const QSignalBlocker block(w());
        w()->setChecked(m_check.value() == 1);
    }
    void applyLook() override { colourOnWindow(); }

  private:
    form::CheckBox& m_check;
};

class GridView : public ViewOf<QTableView> {
  public:
    GridView(form::Grid& grid, QWidget* parent)
        : ViewOf(grid, new QTableView(parent)), m_grid(grid), m_model(new GridModel(grid, w())) {
        QTableView* view = w();
        view->setModel(m_model);
        view->setItemDelegate(new GridDelegate(view));
        for (QHeaderView* header : {view->horizontalHeader(), view->verticalHeader()}) {
            header->hide();
            header->setMinimumSectionSize(1);
            header->setSectionResizeMode(QHeaderView::Fixed);
        }
        view->verticalHeader()->setDefaultSectionSize(px(grid.rowHeight()));
        view->setSelectionMode(QAbstractItemView::NoSelection);
        view->setEditTriggers(QAbstractItemView::NoEditTriggers);
        view->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
        view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
        view->setWordWrap(false);
        view->setTextElideMode(Qt::ElideNone);
        view->setCornerButtonEnabled(false);
        // Tab leaves the grid for the next control; the arrow keys and
        // Page Up / Page Down still move through it.
        view->setTabKeyNavigation(false);
    }

    void shown() override {
        // The view knows its real height only now; scroll it again.
        m_layoutPending = true;
        scrollNow();
    }

  protected:
    void applyLook() override {
        setColours(QPalette::Base, QPalette::Text);
        for (int col = 0; col < m_grid.cols(); ++col)
            w()->setColumnWidth(col, px(m_grid.colWidth(col)));
        m_model->lookChanged();
    }
    void applyCell(int row, int col) override { m_model->cellChanged(row, col); }
    void applyRows() override {
        m_model->shapeChanged();
        m_layoutPending = true;
    }
    // A halt-at run moves the first row after every spin. Scrolling the view
    // each time would shift its pixels ten thousand times for one picture the
    // user sees when the handler returns, so the last top row is applied then.
    void applyTopRow() override {
        runOnceLater(this, m_scrollQueued, [this] { scrollNow(); });
    }

  private:
    void scrollNow() {
        // The view lays out new rows lazily; the scroll range must know them first.
        if (m_layoutPending) {
            w()->doItemsLayout();
            m_layoutPending = false;
        }
        w()->verticalScrollBar()->setValue(m_grid.topRow());
    }

    form::Grid& m_grid;
    GridModel* m_model;
    bool m_layoutPending = false;  // rows changed since the view laid out
    bool m_scrollQueued = false;
};

class RichTextView : public ViewOf<QPlainTextEdit> {
  public:
    RichTextView(form::RichText& rich, QWidget* parent)
        : ViewOf(rich, new QPlainTextEdit(parent)), m_rich(rich) {
        w()->setReadOnly(true);
    }

  protected:
    void applyText() override {
        const QSignalBlocker block(w());
        const QString text = lineText(m_rich.text());
        if (w()->toPlainText() != text) w()->setPlainText(text);
    }
    void applyState() override {
        ControlView::applyState();
        if (m_rich.visible()) w()->raise();  // it covers the middle of the window
    }
    void applyLook() override { setColours(QPalette::Base, QPalette::Text); }

  private:
    form::RichText& m_rich;
};

class DriveListView : public ViewOf<QComboBox> {
  public:
    DriveListView(form::DriveList& drives, QWidget* parent)
        : ViewOf(drives, new QComboBox(parent)), m_drives(drives) {
        connect(w(), &QComboBox::activated, this, [this](int index) {
            const auto& list = m_drives.drives();
            if (m_drives.takesInput() && index >= 0 && index < static_cast<int>(list.size()))
                m_drives.choose(list[static_cast<std::size_t>(index)]);
            applyText();
        });
    }

  protected:
    void applyText() override {
        const QSignalBlocker block(w());
        const auto& list = m_drives.drives();
        const auto it = std::find(list.begin(), list.end(), m_drives.drive());
        w()->setCurrentIndex(it == list.end() ? -1 : static_cast<int>(it - list.begin()));
    }
    void applyItems() override {
        const QSignalBlocker block(w());
        w()->clear();
        for (const std::string& d : m_drives.drives())
            w()->addItem(qstr(d));
        applyText();
    }
    void applyLook() override { setColours(QPalette::Base, QPalette::Text); }

  private:
    form::DriveList& m_drives;
};

// The lists are narrow: an entry too long for one loses its middle, and its
// tool tip holds it whole.
void fillList(QListWidget* list, const std::vector<std::string>& items,
              const std::function<QString(const QString&)>& shown = {}) {
    const QSignalBlocker block(list);
    list->clear();
    for (const std::string& item : items) {
        const QString whole = qstr(item);
        auto* entry = new QListWidgetItem(shown ? shown(whole) : whole, list);
        entry->setToolTip(whole);
    }
}

void fitEntries(QListWidget* list) {
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setTextElideMode(Qt::ElideMiddle);
}

// A list that tells when a key moved its current entry. The focus arriving
// moves nothing: Qt's list would make its first entry current then, so the
// first Down would skip it.
class KeyedList : public QListWidget {
  public:
    using QListWidget::QListWidget;
    std::function<void(int row)> onKeyMoved;
    std::function<void()> onFocusIn;

  protected:
    void focusInEvent(QFocusEvent* event) override {
        QListWidget::focusInEvent(event);
        if (onFocusIn) onFocusIn();
    }
    void keyPressEvent(QKeyEvent* event) override {
        const int before = currentRow();
        QListWidget::keyPressEvent(event);
        if (currentRow() != before && onKeyMoved) onKeyMoved(currentRow());
    }

  public:
    // Typing the start of a name goes to the next entry that begins so, as in
    // any list; entries indented as a tree are found by their names.
    void keyboardSearch(const QString& search) override {
        if (!m_typed.isValid() || m_typed.elapsed() > QApplication::keyboardInputInterval())
            m_search.clear();
        m_typed.start();
        const bool again = m_search == search;  // the same letter again: the next one
        m_search = again ? m_search : m_search + search;
        const int rows = count();
        const int start = std::max(0, currentRow()) + (again || m_search.size() == 1 ? 1 : 0);
        for (int i = 0; i < rows; ++i) {
            const int row = (start + i) % rows;
            if (item(row)->text().trimmed().startsWith(m_search, Qt::CaseInsensitive)) {
                setCurrentRow(row);
                return;
            }
        }
    }

  private:
    QString m_search;
    QElapsedTimer m_typed;
};

// A folder by its own name, indented by its depth, as a tree of the path.
QString folderEntry(const QString& path) {
    const QStringList parts = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (parts.isEmpty()) return path;
    return QString(2 * static_cast<int>(parts.size()), QLatin1Char(' ')) + parts.last();
}

class DirListView : public ViewOf<KeyedList> {
  public:
    DirListView(form::DirList& dirs, QWidget* parent)
        : ViewOf(dirs, new KeyedList(parent)), m_dirs(dirs) {
        fitEntries(w());
        // The entry's row names the folder: its shown text may have lost bytes
        // that are not UTF-8.
        connect(w(), &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
            const int row = w()->row(item);
            const auto& folders = m_dirs.folders();
            if (m_dirs.takesInput() && row >= 0 && row < static_cast<int>(folders.size()))
                m_dirs.choose(folders[static_cast<std::size_t>(row)]);
        });
    }

  protected:
    void applyItems() override { fillList(w(), m_dirs.folders(), folderEntry); }
    void applyLook() override { setColours(QPalette::Base, QPalette::Text); }

  private:
    form::DirList& m_dirs;
};

class FileListView : public ViewOf<KeyedList> {
  public:
    FileListView(form::FileList& files, QWidget* parent)
        : ViewOf(files, new KeyedList(parent)), m_files(files) {
        fitEntries(w());
        // A click anywhere in the list reaches the model, on an entry or not,
        // so an empty list can switch OK off.
        w()->viewport()->installEventFilter(this);
        // Moving through the list with the keys chooses the file as a click
        // on it would.
        w()->onKeyMoved = [this](int row) {
            m_files.click(row);
            applyCurrent();
        };
        w()->onFocusIn = [this] { applyCurrent(); };
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonRelease) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton) {
                m_files.click(w()->indexAt(mouse->position().toPoint()).row());
                applyCurrent();
            }
        }
        return ControlView::eventFilter(watched, event);
    }
    void applyItems() override {
        fillList(w(), m_files.files());
        applyCurrent();
    }
    void applyCurrent() override {
        const QSignalBlocker block(w());
        w()->setCurrentRow(m_files.listIndex());
    }
    void applyLook() override { setColours(QPalette::Base, QPalette::Text); }

  private:
    form::FileList& m_files;
};

}  // namespace

std::unique_ptr<ControlView> makeView(form::Control& c, QWidget* parent) {
    using form::ControlKind;
    switch (c.kind()) {
        case ControlKind::Label:
            return std::make_unique<LabelView>(static_cast<form::Label&>(c), parent);
        case ControlKind::Shape:
            return std::make_unique<ShapeView>(c, parent, ShapeWidget::Form::Outline);
        case ControlKind::Line:
            return std::make_unique<ShapeView>(c, parent, ShapeWidget::Form::Line);
        case ControlKind::Frame:
            return std::make_unique<FrameView>(static_cast<form::Label&>(c), parent);
        case ControlKind::Button:
            return std::make_unique<ButtonView>(static_cast<form::Button&>(c), parent);
        case ControlKind::TextBox:
            return std::make_unique<TextBoxView>(static_cast<form::TextBox&>(c), parent);
        case ControlKind::OptionButton:
            return std::make_unique<OptionView>(static_cast<form::OptionButton&>(c), parent);
        case ControlKind::CheckBox:
            return std::make_unique<CheckBoxView>(static_cast<form::CheckBox&>(c), parent);
        case ControlKind::Grid:
            return std::make_unique<GridView>(static_cast<form::Grid&>(c), parent);
        case ControlKind::RichText:
            return std::make_unique<RichTextView>(static_cast<form::RichText&>(c), parent);
        case ControlKind::DriveList:
            return std::make_unique<DriveListView>(static_cast<form::DriveList&>(c), parent);
        case ControlKind::DirList:
            return std::make_unique<DirListView>(static_cast<form::DirList&>(c), parent);
        case ControlKind::FileList:
            return std::make_unique<FileListView>(static_cast<form::FileList&>(c), parent);
    }
    return nullptr;
}

}  // namespace tamvek::qt
