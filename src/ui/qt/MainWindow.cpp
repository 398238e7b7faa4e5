#include "ui/qt/MainWindow.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTableView>
#include <algorithm>
#include <cmath>
#include <vector>

#include "ui/qt/GridDelegate.h"
#include "ui/qt/GridModel.h"
#include "ui/qt/ShapeWidget.h"

namespace tamvek::qt {
namespace {

using form::ControlKind;

QString qstr(const std::string& s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

std::string utf8(const QString& s) {
    return s.toUtf8().toStdString();
}

// Captions break lines with a lone carriage return.
QString captionText(const std::string& s) {
    QString text = qstr(s);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

QColor qcolour(const Rgb& c) {
    return QColor(c.r, c.g, c.b);
}

// The old faces were bitmap sans-serif fonts; any metric-compatible or plain
// sans-serif face stands in at the same point sizes.
QFont makeFont(const form::Font& f) {
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                      QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(f.points);
    font.setBold(f.bold);
    return font;
}

Qt::Alignment horizontal(form::Align a) {
    switch (a) {
        case form::Align::Centre:
            return Qt::AlignHCenter;
        case form::Align::Right:
            return Qt::AlignRight;
        case form::Align::Left:
            break;
    }
    return Qt::AlignLeft;
}

// Paints `back` into every colour group; the text colour only into the active
// and inactive groups, so a disabled control still looks disabled.
void setColours(QWidget* w, const form::Control& c, QPalette::ColorRole backRole,
                QPalette::ColorRole foreRole) {
    QPalette pal = w->palette();
    if (c.backColour()) pal.setColor(backRole, qcolour(*c.backColour()));
    if (c.foreColour()) {
        pal.setColor(QPalette::Active, foreRole, qcolour(*c.foreColour()));
        pal.setColor(QPalette::Inactive, foreRole, qcolour(*c.foreColour()));
    }
    w->setPalette(pal);
}

bool takesFocus(ControlKind kind) {
    switch (kind) {
        case ControlKind::TextBox:
        case ControlKind::Button:
        case ControlKind::OptionButton:
        case ControlKind::CheckBox:
        case ControlKind::Grid:
        case ControlKind::RichText:
        case ControlKind::DriveList:
        case ControlKind::DirList:
        case ControlKind::FileList:
            return true;
        default:
            return false;
    }
}

}  // namespace

int MainWindow::px(int twips) {
    return static_cast<int>(std::lround(twips / 15.0));
}

QIcon MainWindow::drawIcon() {
    // A small wheel: alternating red and black pockets, one green zero.
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF outer(1, 1, 30, 30);
    p.setPen(QPen(QColor(0x80, 0x50, 0x10), 1.5));
    p.setBrush(QColor(0xC0, 0x90, 0x30));
    p.drawEllipse(outer);
    const QRectF ring = outer.adjusted(2.5, 2.5, -2.5, -2.5);
    const int pockets = 12;
    for (int i = 0; i < pockets; ++i) {
        const QColor colour = i == 0  ? QColor(0x00, 0xA0, 0x00)
                              : i % 2 ? QColor(0xC0, 0x00, 0x00)
                                      : QColor(0x10, 0x10, 0x10);
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        p.drawPie(ring, (90 - 15) * 16 + i * 360 * 16 / pockets, 360 * 16 / pockets);
    }
    p.setBrush(QColor(0xE0, 0xE0, 0xE0));
    p.setPen(QPen(QColor(0x80, 0x50, 0x10), 1));
    p.drawEllipse(QPointF(16, 16), 5.5, 5.5);
    p.end();
    return QIcon(pixmap);
}

MainWindow::MainWindow(session::Session& session, QWidget* parent)
    : QWidget(parent), m_session(session) {
    form::MainForm& f = session.form();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromUtf8(f.title.data(), static_cast<qsizetype>(f.title.size())));
    setWindowIcon(drawIcon());
    QPalette pal = palette();
    pal.setColor(QPalette::Window, qcolour(form::MainForm::background));
    setPalette(pal);
    setAutoFillBackground(true);
    setFont(makeFont(form::Font{}));
    setFixedSize(px(form::MainForm::clientWidth), px(form::MainForm::clientHeight));

    m_options = new QButtonGroup(this);
    m_options->setExclusive(true);
    for (form::Control* c : f.controls()) {
        QWidget* parentWidget = c->parent() ? m_widgets.at(c->parent()) : this;
        QWidget* w = createWidget(*c, parentWidget);
        m_widgets[c] = w;
        syncAll(*c);
        connectInput(*c, w);
        c->addObserver(
            [this, alive = m_alive](const form::Control& ctl, const form::ChangeEvent& e) {
                if (*alive) onChange(ctl, e);
            });
    }
    // Labels, shapes and lines were drawn on the window surface itself, beneath
    // every control with a window of its own: the thin bars only show in the
    // gaps between the buttons they connect.
    for (auto it = f.controls().rbegin(); it != f.controls().rend(); ++it) {
        const ControlKind kind = (*it)->kind();
        if (kind == ControlKind::Label || kind == ControlKind::Shape || kind == ControlKind::Line)
            m_widgets.at(*it)->lower();
    }
    connect(m_options, &QButtonGroup::idClicked, this, [this](int index) {
        m_session.form().Option1.click(index);
        // A refused click must not leave the widget showing another choice.
        for (const auto& [i, member] : m_session.form().Option1.members())
            applyState(*member, m_widgets.at(member.get()));
    });
    orderTabs();
}

MainWindow::~MainWindow() {
    *m_alive = false;
}

QWidget* MainWindow::widgetFor(const std::string& name) const {
    const form::Control* c = m_session.form().find(name);
    if (c == nullptr) return nullptr;
    auto it = m_widgets.find(c);
    return it == m_widgets.end() ? nullptr : it->second;
}

QWidget* MainWindow::createWidget(form::Control& c, QWidget* parent) {
    QWidget* w = nullptr;
    switch (c.kind()) {
        case ControlKind::Label: {
            auto* label = new QLabel(parent);
            label->setTextFormat(Qt::PlainText);
            const bool centred = c.alignment() == form::Align::Centre;
            if (c.framed()) {
                label->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
                label->setAlignment(horizontal(c.alignment()) |
                                    (centred ? Qt::AlignVCenter : Qt::AlignTop));
                label->setIndent(2);
            } else {
                label->setAlignment(horizontal(c.alignment()) | Qt::AlignTop);
            }
            w = label;
            break;
        }
        case ControlKind::Button: {
            auto* button = new QPushButton(parent);
            button->setAutoDefault(false);
            w = button;
            break;
        }
        case ControlKind::TextBox: {
            auto* edit = new QLineEdit(parent);
            edit->setAlignment(horizontal(c.alignment()) | Qt::AlignVCenter);
            w = edit;
            break;
        }
        case ControlKind::OptionButton: {
            auto* radio = new QRadioButton(qstr(c.text()), parent);
            for (const auto& [index, member] : m_session.form().Option1.members())
                if (member.get() == &c) m_options->addButton(radio, index);
            w = radio;
            break;
        }
        case ControlKind::CheckBox:
            w = new QCheckBox(qstr(c.text()), parent);
            break;
        case ControlKind::Grid: {
            const auto& grid = static_cast<const form::Grid&>(c);
            auto* view = new QTableView(parent);
            auto* model = new GridModel(grid, view);
            view->setModel(model);
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
            m_gridModels[&grid] = model;
            w = view;
            break;
        }
        case ControlKind::RichText: {
            auto* edit = new QPlainTextEdit(parent);
            edit->setReadOnly(true);
            w = edit;
            break;
        }
        case ControlKind::Frame:
            w = new QGroupBox(parent);
            break;
        case ControlKind::Shape:
            w = new ShapeWidget(ShapeWidget::Form::Outline, parent);
            break;
        case ControlKind::Line:
            w = new ShapeWidget(ShapeWidget::Form::Line, parent);
            break;
        case ControlKind::DriveList:
            w = new QComboBox(parent);
            break;
        case ControlKind::DirList:
        case ControlKind::FileList:
            w = new QListWidget(parent);
            break;
    }
    const form::Geometry& g = c.geometry();
    w->setGeometry(px(g.left), px(g.top), std::max(1, px(g.width)), std::max(1, px(g.height)));
    w->setObjectName(qstr(c.name()));
    w->setFont(makeFont(c.font()));
    if (!c.toolTip().empty()) w->setToolTip(qstr(c.toolTip()));
    return w;
}

void MainWindow::connectInput(form::Control& c, QWidget* w) {
    switch (c.kind()) {
        case ControlKind::Button: {
            auto* button = static_cast<form::Button*>(&c);
            connect(static_cast<QPushButton*>(w), &QPushButton::clicked, this,
                    [button] { button->click(); });
            break;
        }
        case ControlKind::TextBox: {
            auto* box = static_cast<form::TextBox*>(&c);
            auto* edit = static_cast<QLineEdit*>(w);
            m_boxes[edit] = box;
            edit->installEventFilter(this);
            connect(edit, &QLineEdit::textEdited, this, [this, box, edit](const QString& text) {
                box->edit(utf8(text));
                // The model may have refused or rewritten the text (range rules).
                applyText(*box, edit);
            });
            break;
        }
        case ControlKind::CheckBox: {
            auto* check = static_cast<form::CheckBox*>(&c);
            connect(static_cast<QCheckBox*>(w), &QCheckBox::clicked, this, [this, check, w] {
                check->click();
                applyState(*check, w);
            });
            break;
        }
        case ControlKind::DriveList: {
            auto* drives = static_cast<form::DriveList*>(&c);
            auto* combo = static_cast<QComboBox*>(w);
            connect(combo, &QComboBox::activated, this, [this, drives, combo](int index) {
                if (drives->takesInput()) drives->setDrive(utf8(combo->itemText(index)));
                applyText(*drives, combo);
            });
            break;
        }
        case ControlKind::DirList: {
            auto* dirs = static_cast<form::DirList*>(&c);
            connect(static_cast<QListWidget*>(w), &QListWidget::itemActivated, this,
                    [dirs](QListWidgetItem* item) {
                        if (!dirs->takesInput()) return;
                        const QString folder = item->text();
                        const QString path = QDir::isAbsolutePath(folder)
                                                 ? folder
                                                 : qstr(dirs->path()) + QLatin1Char('/') + folder;
                        dirs->setPath(utf8(QDir::cleanPath(path)));
                    });
            break;
        }
        case ControlKind::FileList: {
            auto* files = static_cast<form::FileList*>(&c);
            auto* list = static_cast<QListWidget*>(w);
            m_fileLists[list->viewport()] = files;
            list->viewport()->installEventFilter(this);
            break;
        }
        default:
            break;  // option buttons go through the button group
    }
}

void MainWindow::syncAll(const form::Control& c) {
    QWidget* w = m_widgets.at(&c);
    applyLook(c, w);
    applyItems(c, w);
    applyText(c, w);
    applyState(c, w);
    applyCurrent(c, w);
    if (c.kind() == ControlKind::Grid) applyTopRow(static_cast<const form::Grid&>(c));
}

void MainWindow::onChange(const form::Control& c, const form::ChangeEvent& e) {
    auto it = m_widgets.find(&c);
    if (it == m_widgets.end()) return;
    QWidget* w = it->second;
    switch (e.what) {
        case form::Change::Text:
            applyText(c, w);
            break;
        case form::Change::State:
            applyState(c, w);
            break;
        case form::Change::Look:
            applyLook(c, w);
            break;
        case form::Change::Items:
            applyItems(c, w);
            break;
        case form::Change::Current:
            applyCurrent(c, w);
            break;
        case form::Change::Cell:
            if (c.kind() == ControlKind::Grid)
                m_gridModels.at(static_cast<const form::Grid*>(&c))->cellChanged(e.row, e.col);
            break;
        case form::Change::Rows:
            if (c.kind() == ControlKind::Grid) {
                const auto* grid = static_cast<const form::Grid*>(&c);
                m_gridModels.at(grid)->shapeChanged();
                m_layoutPending[grid] = true;
            }
            break;
        case form::Change::TopRow:
            if (c.kind() == ControlKind::Grid) scheduleTopRow(static_cast<const form::Grid&>(c));
            break;
    }
}

void MainWindow::applyText(const form::Control& c, QWidget* w) {
    const QSignalBlocker block(w);
    switch (c.kind()) {
        case ControlKind::Label:
            static_cast<QLabel*>(w)->setText(captionText(c.text()));
            break;
        case ControlKind::Frame:
            static_cast<QGroupBox*>(w)->setTitle(qstr(c.text()));
            break;
        case ControlKind::Button:
            static_cast<QPushButton*>(w)->setText(qstr(c.text()));
            break;
        case ControlKind::TextBox: {
            auto* edit = static_cast<QLineEdit*>(w);
            const QString text = qstr(c.text());
            // Equal text is left alone so the caret stays where the user typed.
            if (edit->text() != text) edit->setText(text);
            break;
        }
        case ControlKind::RichText: {
            auto* edit = static_cast<QPlainTextEdit*>(w);
            QString text = qstr(c.text());
            text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
            text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
            if (edit->toPlainText() != text) edit->setPlainText(text);
            break;
        }
        case ControlKind::DriveList: {
            auto* combo = static_cast<QComboBox*>(w);
            const QString drive = qstr(c.text());
            int index = combo->findText(drive);
            if (index < 0 && !drive.isEmpty()) {
                combo->addItem(drive);
                index = combo->count() - 1;
            }
            combo->setCurrentIndex(index);
            break;
        }
        default:
            break;
    }
}

void MainWindow::applyState(const form::Control& c, QWidget* w) {
    w->setEnabled(c.enabled());
    w->setVisible(c.visible());
    const QSignalBlocker block(w);
    switch (c.kind()) {
        case ControlKind::TextBox:
            static_cast<QLineEdit*>(w)->setReadOnly(static_cast<const form::TextBox&>(c).locked());
            break;
        case ControlKind::OptionButton: {
            // An exclusive group cannot show "none selected"; lift it while mirroring.
            m_options->setExclusive(false);
            static_cast<QRadioButton*>(w)->setChecked(
                static_cast<const form::OptionButton&>(c).selected());
            m_options->setExclusive(true);
            break;
        }
        case ControlKind::CheckBox:
            static_cast<QCheckBox*>(w)->setChecked(static_cast<const form::CheckBox&>(c).value() ==
                                                   1);
            break;
        case ControlKind::Frame:
        case ControlKind::RichText:
            // Both cover other controls while they are shown.
            if (c.visible()) w->raise();
            break;
        default:
            break;
    }
}

void MainWindow::applyLook(const form::Control& c, QWidget* w) {
    switch (c.kind()) {
        case ControlKind::Label:
        case ControlKind::Frame:
        case ControlKind::OptionButton:
        case ControlKind::CheckBox:
            setColours(w, c, QPalette::Window, QPalette::WindowText);
            // Buttons fill with their button colour by default; these show the back colour.
            w->setBackgroundRole(QPalette::Window);
            w->setAutoFillBackground(c.backColour().has_value());
            break;
        case ControlKind::Button:
            setColours(w, c, QPalette::Button, QPalette::ButtonText);
            break;
        case ControlKind::TextBox:
        case ControlKind::RichText:
        case ControlKind::DriveList:
        case ControlKind::DirList:
        case ControlKind::FileList:
        case ControlKind::Grid:
            setColours(w, c, QPalette::Base, QPalette::Text);
            break;
        case ControlKind::Shape:
        case ControlKind::Line:
            static_cast<ShapeWidget*>(w)->setColour(c.foreColour() ? qcolour(*c.foreColour())
                                                                   : QColor(Qt::black));
            break;
    }
    if (c.kind() == ControlKind::Grid) {
        const auto& grid = static_cast<const form::Grid&>(c);
        auto* view = static_cast<QTableView*>(w);
        for (int col = 0; col < grid.cols(); ++col)
            view->setColumnWidth(col, px(grid.colWidth(col)));
        m_gridModels.at(&grid)->lookChanged();
    }
}

void MainWindow::applyItems(const form::Control& c, QWidget* w) {
    const QSignalBlocker block(w);
    auto fill = [](QListWidget* list, const std::vector<std::string>& items) {
        list->clear();
        for (const std::string& item : items)
            list->addItem(qstr(item));
    };
    switch (c.kind()) {
        case ControlKind::DriveList: {
            auto* combo = static_cast<QComboBox*>(w);
            combo->clear();
            for (const std::string& d : static_cast<const form::DriveList&>(c).drives())
                combo->addItem(qstr(d));
            applyText(c, w);
            break;
        }
        case ControlKind::DirList:
            fill(static_cast<QListWidget*>(w), static_cast<const form::DirList&>(c).folders());
            break;
        case ControlKind::FileList:
            fill(static_cast<QListWidget*>(w), static_cast<const form::FileList&>(c).files());
            applyCurrent(c, w);
            break;
        default:
            break;
    }
}

void MainWindow::applyCurrent(const form::Control& c, QWidget* w) {
    if (c.kind() != ControlKind::FileList) return;  // a grid's current cell is not drawn
    const QSignalBlocker block(w);
    static_cast<QListWidget*>(w)->setCurrentRow(static_cast<const form::FileList&>(c).listIndex());
}

void MainWindow::applyTopRow(const form::Grid& grid) {
    auto* view = static_cast<QTableView*>(m_widgets.at(&grid));
    // The view lays out new rows lazily; the scroll range must know them first.
    if (m_layoutPending[&grid]) {
        view->doItemsLayout();
        m_layoutPending[&grid] = false;
    }
    view->verticalScrollBar()->setValue(grid.topRow());
}

// A halt-at run moves the first row after every spin. Scrolling the view each
// time would shift its pixels ten thousand times for one picture the user sees
// when the handler returns, so the last top row is applied then.
void MainWindow::scheduleTopRow(const form::Grid& grid) {
    m_scrollPending[&grid] = true;
    if (m_scrollQueued) return;
    m_scrollQueued = true;
    QMetaObject::invokeMethod(this, &MainWindow::applyPendingTopRows, Qt::QueuedConnection);
}

void MainWindow::applyPendingTopRows() {
    m_scrollQueued = false;
    for (auto& [grid, pending] : m_scrollPending) {
        if (!pending) continue;
        pending = false;
        applyTopRow(*grid);
    }
}

void MainWindow::orderTabs() {
    std::vector<std::pair<int, QWidget*>> order;
    for (const auto& [c, w] : m_widgets)
        if (c->tabIndex() >= 0 && takesFocus(c->kind())) order.emplace_back(c->tabIndex(), w);
    std::sort(order.begin(), order.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1].second, order[i].second);
    if (!order.empty()) {
        m_firstFocus = order.front().second;
        m_firstFocus->setFocus();
    }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::MouseButtonRelease) {
        auto it = m_fileLists.find(watched);
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (it != m_fileLists.end() && mouse->button() == Qt::LeftButton) {
            auto* list = static_cast<QListWidget*>(static_cast<QWidget*>(watched)->parentWidget());
            it->second->click(list->indexAt(mouse->position().toPoint()).row());
            applyCurrent(*it->second, list);
        }
    }
    if (type == QEvent::KeyRelease || type == QEvent::MouseButtonPress) {
        auto it = m_boxes.find(watched);
        if (it != m_boxes.end()) {
            if (type == QEvent::KeyRelease) {
                // The release lands in the box that has the focus by now: after a
                // Tab that is already the next box, as the old window did.
                if (!static_cast<QKeyEvent*>(event)->isAutoRepeat()) it->second->keyUp();
            } else if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
                it->second->click();
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void MainWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        if (m_firstFocus != nullptr) m_firstFocus->setFocus();
    }
    // The views know their real height only now; scroll them again.
    for (const auto& [grid, model] : m_gridModels) {
        m_layoutPending[grid] = true;
        applyTopRow(*grid);
    }
}

}  // namespace tamvek::qt
