#include "qt/MainWindow.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPainter>
#include <QStatusBar>
#include <algorithm>
#include <utility>

#include "qt/ControlView.h"
#include "qt/Deferred.h"
#include "qt/FocusFrame.h"
#include "qt/MenuBar.h"
#include "qt/QtText.h"
#include "qt/SaldoCurveWindow.h"
#include "qt/StatisticsWindow.h"
#include "qt/StatusLine.h"
#include "qt/SystemTestWindow.h"

namespace tamvek::qt {
namespace {

using form::ControlKind;

bool kindTakesFocus(ControlKind kind) {
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

QString MainWindow::appId() {
    return QStringLiteral(TAMVEK_APP_ID);
}

QIcon MainWindow::icon() {
    return QIcon::fromTheme(appId(), drawIcon());
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
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(qstr(session.form().title));
    setWindowIcon(icon());
    QPalette pal = palette();
    pal.setColor(QPalette::Window, qcolour(form::MainForm::background));
    setPalette(pal);
    setAutoFillBackground(true);
    // The window has its one size: no button to maximise it.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);

    QStatusBar* bar = statusBar();
    bar->setSizeGripEnabled(false);
    bar->setFont(makeFont(form::Font{8.25, false}));
    m_status = new StatusLine(bar);
    bar->addWidget(m_status, 1);
    m_focusFrame = new FocusFrame(this);

    buildViews();
    // A replayed session starts on a fresh game: new controls, new views.
    session.onRenew(
        [this, alive = m_windowAlive] {
            if (*alive) dropViews();
        },
        [this, alive = m_windowAlive] {
            if (*alive) buildViews();
        });
    fitSize();
}

void MainWindow::setMenu(script::Menu& menu) {
    menu.setRun("Hilfe/Über Tamvek", [this](const std::string&) -> Result<std::string> {
        QMessageBox::about(this, QStringLiteral("Über Tamvek"), aboutText());
        return std::string();
    });
    menu.setRun("Auswertung/Saldo-Kurve", [this](const std::string&) -> Result<std::string> {
        openCurve();
        return std::string();
    });
    menu.setRun("Auswertung/Statistik der Permanenz",
                [this](const std::string&) -> Result<std::string> {
                    openStatistics();
                    return std::string();
                });
    menu.setRun("Auswertung/Systemtest", [this](const std::string&) -> Result<std::string> {
        openSystemTest();
        return std::string();
    });
    m_menu = new MenuBar(*this, m_session, menu, *m_status);
    connect(this, &MainWindow::inputHandled, m_menu, &MenuBar::update);
    connect(this, &MainWindow::inputHandled, this, &MainWindow::refreshBeside);
    connect(this, &MainWindow::inputHandled, this, &MainWindow::forgetOldMessages);
    fitSize();
}

SaldoCurveWindow* MainWindow::saldoCurve() const {
    return m_curve.data();
}

StatisticsWindow* MainWindow::statistics() const {
    return m_statistics.data();
}

namespace {

// Shows a window beside the main one, made on first use with `make`: where it
// stood before and as it was set, else beside `main`; always on the screen.
template <class W, class Make>
void openBeside(QPointer<W>& window, const Remembered& memory, const QWidget& main, Make make) {
    if (window.isNull()) {
        window = make();
        if (memory.at) {
            window->resize(memory.size);
            window->move(*memory.at);
            window->setOptions(memory.options);
        } else {
            window->move(besidePlace(main, window->size()));
        }
    }
    window->refresh();
    keepOnScreen(*window, main);
    bringUp(*window);
}

// What a window beside shows, before it goes with the game it reads.
template <class W>
void remember(QPointer<W>& window, Remembered& memory) {
    if (window.isNull()) return;
    memory = {window->pos(), window->size(), window->options(), window->isVisible()};
    delete window.data();
}

}  // namespace

void MainWindow::openCurve() {
    openBeside(m_curve, m_curvePlace, *this,
               [this] { return new SaldoCurveWindow(m_session.game().ledger, this); });
}

void MainWindow::openStatistics() {
    openBeside(m_statistics, m_statisticsPlace, *this,
               [this] { return new StatisticsWindow(m_session.game(), this); });
}

void MainWindow::openSystemTest() {
    if (m_systemTest.isNull()) {
        const QString program = QString::fromStdString(m_session.platform().programFolder());
        m_systemTest = new SystemTestWindow(program + QStringLiteral("/systems"),
                                            program + QStringLiteral("/samples"), this);
        m_systemTest->move(besidePlace(*this, m_systemTest->size()));
    }
    keepOnScreen(*m_systemTest, *this);
    bringUp(*m_systemTest);
}

SystemTestWindow* MainWindow::systemTest() const {
    return m_systemTest.data();
}

void MainWindow::forgetOldMessages() {
    // What the status line says belongs to the run it was said in.
    const std::uint64_t runs = m_session.game().ledger.runs();
    if (m_status->message() != m_statusMessage) {
        m_statusMessage = m_status->message();
    } else if (runs != m_statusRuns && !m_statusMessage.isEmpty()) {
        m_status->showMessage({});
        m_statusMessage.clear();
    }
    m_statusRuns = runs;
}

void MainWindow::refreshBeside() {
    // A closed window catches up when it opens again.
    if (!m_curve.isNull() && m_curve->isVisible()) m_curve->refresh();
    if (!m_statistics.isNull() && m_statistics->isVisible()) m_statistics->refresh();
}

QString MainWindow::aboutText() {
    return QStringLiteral(
               "<p><b>Tamvek %1</b></p>"
               "<p>Simulator für die sechs einfachen Chancen des Roulette mit einer Null: "
               "Rot/Schwarz, Manque/Passe und Gerade/Ungerade.</p>"
               "<p>Setzen, reiten lassen, absetzen, Permanenzen der Spielbanken einlesen "
               "und Systeme über ganze Permanenzen testen.</p>")
        .arg(QCoreApplication::applicationVersion());
}

void MainWindow::fitSize() {
    const int menuHeight = menuWidget() != nullptr ? menuWidget()->sizeHint().height() : 0;
    setFixedSize(m_client->width(),
                 menuHeight + m_client->height() + statusBar()->sizeHint().height());
}

void MainWindow::buildViews() {
    form::MainForm& f = m_session.form();
    m_alive = std::make_shared<bool>(true);
    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("clientArea"));
    m_client->setFont(makeFont(form::Font{}));
    m_client->setFixedSize(px(form::MainForm::clientWidth), px(form::MainForm::clientHeight));
    setCentralWidget(m_client);

    for (form::Control* c : f.controls()) {
        QWidget* parentWidget = c->parent() ? m_viewOf.at(c->parent())->widget() : m_client;
        std::unique_ptr<ControlView> view = makeView(*c, parentWidget);
        const bool panel = c->kind() == ControlKind::Frame || c->kind() == ControlKind::RichText;
        if (panel) {
            m_panels.push_back(view->widget());
            // Before the view shows or hides it: where the focus was matters.
            c->addObserver([this, w = view->widget(), alive = m_alive](const form::Control&,
                                                                       const form::ChangeEvent& e) {
                if (!*alive || e.what != form::Change::State) return;
                QWidget* focus = focusWidget();
                if (focus != nullptr && (focus == w || w->isAncestorOf(focus)))
                    m_focusWasInPanel = true;
            });
        }
        view->syncAll();
        ControlView* v = view.get();
        c->addObserver([v, alive = m_alive](const form::Control&, const form::ChangeEvent& e) {
            if (*alive) v->changed(e);
        });
        if (panel) {
            c->addObserver(
                [this, alive = m_alive](const form::Control&, const form::ChangeEvent& e) {
                    if (*alive && e.what == form::Change::State) coverControls();
                });
        }
        m_viewOf[c] = v;
        m_views.push_back(std::move(view));
    }
    // Labels, shapes and lines were drawn on the window surface itself, beneath
    // every control with a window of its own: the thin bars only show in the
    // gaps between the buttons they connect.
    for (auto it = m_views.rbegin(); it != m_views.rend(); ++it)
        if (drawnOnTheWindow((*it)->control().kind())) (*it)->widget()->lower();
    orderTabs();
    coverControls();
    m_focusFrame->raise();
    f.inputWatch().listen({}, [this, alive = m_alive] {
        if (*alive) runOnceLater(this, m_inputQueued, [this] { emit inputHandled(); });
    });
    if (std::exchange(m_curvePlace.open, false)) openCurve();
    if (std::exchange(m_statisticsPlace.open, false)) openStatistics();
    if (m_shown) {
        m_client->show();
        for (const auto& view : m_views)
            view->shown();
        if (!m_tabChain.empty()) m_tabChain.front()->setFocus();
    }
}

void MainWindow::dropViews() {
    // The windows beside read the game that goes: they are made anew for the
    // next, where they stood and as they were set.
    remember(m_curve, m_curvePlace);
    remember(m_statistics, m_statisticsPlace);
    if (QWidget* focus = focusWidget()) focus->clearFocus();
    *m_alive = false;
    // The widgets go first, while the views and controls they talk to live.
    delete takeCentralWidget();
    m_client = nullptr;
    m_tabChain.clear();
    m_focusPolicy.clear();
    m_panels.clear();
    m_focusBeforePanel = nullptr;
    m_focusWasInPanel = false;
    m_viewOf.clear();
    m_views.clear();
}

MainWindow::~MainWindow() {
    *m_alive = false;
    *m_windowAlive = false;
}

void MainWindow::orderTabs() {
    std::vector<std::pair<int, QWidget*>> order;
    for (const auto& view : m_views) {
        const form::Control& c = view->control();
        if (c.tabIndex() >= 0 && kindTakesFocus(c.kind()))
            order.emplace_back(c.tabIndex(), view->widget());
        else
            view->widget()->setFocusPolicy(Qt::NoFocus);
    }
    std::stable_sort(order.begin(), order.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& entry : order) {
        m_tabChain.push_back(entry.second);
        m_focusPolicy[entry.second] = entry.second->focusPolicy();
    }
    // The status line, when it names a file, is the last stop before the
    // chain starts again.
    m_tabChain.push_back(m_status);
    for (std::size_t i = 1; i < m_tabChain.size(); ++i)
        QWidget::setTabOrder(m_tabChain[i - 1], m_tabChain[i]);
    m_tabChain.pop_back();
    if (!m_tabChain.empty()) m_tabChain.front()->setFocus();
}

bool MainWindow::canTakeFocus(QWidget* w) const {
    return w != nullptr && w->isEnabled() && w->isVisibleTo(this) &&
           (w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus;
}

void MainWindow::coverControls() {
    std::vector<QRect> covers;
    std::vector<QWidget*> shown;
    for (const auto& view : m_views) {
        QWidget* w = view->widget();
        if (std::find(m_panels.begin(), m_panels.end(), w) != m_panels.end() &&
            view->control().visible()) {
            shown.push_back(w);
            covers.push_back(w->geometry());
        }
    }
    for (const auto& [w, policy] : m_focusPolicy) {
        const QRect area(w->mapTo(m_client, QPoint(0, 0)), w->size());
        bool covered = false;
        for (std::size_t i = 0; i < shown.size(); ++i)
            if (shown[i] != w && !shown[i]->isAncestorOf(w) && covers[i].intersects(area))
                covered = true;
        w->setFocusPolicy(covered ? Qt::NoFocus : policy);
    }
    runOnceLater(this, m_settleQueued, [this] { settleFocus(); });
}

void MainWindow::settleFocus() {
    QWidget* focus = focusWidget();
    const bool wasInPanel = std::exchange(m_focusWasInPanel, false);
    const auto made = m_focusPolicy.find(focus);
    if (made != m_focusPolicy.end() && made->second != Qt::NoFocus &&
        focus->focusPolicy() == Qt::NoFocus) {
        // Covered: into the panel that covers it, at its first control.
        m_focusBeforePanel = focus;
        if (QWidget* first = firstTaker(true)) first->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (!wasInPanel || insideShownPanel(focus)) return;
    QWidget* back = m_focusBeforePanel;
    m_focusBeforePanel = nullptr;
    if (!canTakeFocus(back)) back = firstTaker(false);
    if (back != nullptr) back->setFocus(Qt::OtherFocusReason);
}

bool MainWindow::insideShownPanel(QWidget* w) const {
    for (QWidget* panel : m_panels)
        if (w != nullptr && panel->isVisibleTo(this) && (panel == w || panel->isAncestorOf(w)))
            return true;
    return false;
}

QWidget* MainWindow::firstTaker(bool inPanel) const {
    for (QWidget* w : m_tabChain)
        if (canTakeFocus(w) && (!inPanel || insideShownPanel(w))) return w;
    return nullptr;
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        if (!m_tabChain.empty()) m_tabChain.front()->setFocus();
    }
    for (const auto& view : m_views)
        view->shown();
}

}  // namespace tamvek::qt
