#include "ui/qt/MainWindow.h"

#include <QPainter>
#include <QStatusBar>
#include <algorithm>
#include <utility>

#include "ui/qt/ControlView.h"
#include "ui/qt/QtText.h"
#include "ui/qt/StatusLine.h"

namespace tamvek::qt {
namespace {

using form::ControlKind;

bool takesFocus(ControlKind kind) {
    switch (kind) {
        case ControlKind::Label:
        case ControlKind::Frame:
        case ControlKind::Shape:
        case ControlKind::Line:
            return false;
        default:
            return true;
    }
}

bool drawnOnTheWindow(ControlKind kind) {
    return kind == ControlKind::Label || kind == ControlKind::Shape || kind == ControlKind::Line;
}

}  // namespace

int MainWindow::px(int twips) {
    return qt::px(twips);
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
    : QMainWindow(parent), m_session(session) {
    form::MainForm& f = session.form();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(qstr(f.title));
    setWindowIcon(drawIcon());
    QPalette pal = palette();
    pal.setColor(QPalette::Window, qcolour(form::MainForm::background));
    setPalette(pal);
    setAutoFillBackground(true);

    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("clientArea"));
    m_client->setFont(makeFont(form::Font{}));
    m_client->setFixedSize(px(form::MainForm::clientWidth), px(form::MainForm::clientHeight));
    setCentralWidget(m_client);

    QStatusBar* bar = statusBar();
    bar->setSizeGripEnabled(false);
    bar->setFont(makeFont(form::Font{8.25, false}));
    m_status = new StatusLine(bar);
    bar->addWidget(m_status, 1);

    for (form::Control* c : f.controls()) {
        QWidget* parentWidget = c->parent() ? m_viewOf.at(c->parent())->widget() : m_client;
        std::unique_ptr<ControlView> view = makeView(*c, parentWidget);
        view->syncAll();
        ControlView* v = view.get();
        c->addObserver([v, alive = m_alive](const form::Control&, const form::ChangeEvent& e) {
            if (*alive) v->changed(e);
        });
        m_viewOf[c] = v;
        m_views.push_back(std::move(view));
    }
    // Labels, shapes and lines were drawn on the window surface itself, beneath
    // every control with a window of its own: the thin bars only show in the
    // gaps between the buttons they connect.
    for (auto it = m_views.rbegin(); it != m_views.rend(); ++it)
        if (drawnOnTheWindow((*it)->control().kind())) (*it)->widget()->lower();
    orderTabs();
    setFixedSize(m_client->width(), m_client->height() + bar->sizeHint().height());
}

MainWindow::~MainWindow() {
    *m_alive = false;
}

void MainWindow::orderTabs() {
    std::vector<std::pair<int, QWidget*>> order;
    for (const auto& view : m_views) {
        const form::Control& c = view->control();
        if (c.tabIndex() >= 0 && takesFocus(c.kind()))
            order.emplace_back(c.tabIndex(), view->widget());
    }
    std::sort(order.begin(), order.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    // The status line, when it names a file, is the last stop before the
    // chain starts again.
    order.emplace_back(0, m_status);
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1].second, order[i].second);
    if (!order.empty()) {
        m_firstFocus = order.front().second;
        m_firstFocus->setFocus();
    }
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        if (m_firstFocus != nullptr) m_firstFocus->setFocus();
    }
    for (const auto& view : m_views)
        view->shown();
}

}  // namespace tamvek::qt
