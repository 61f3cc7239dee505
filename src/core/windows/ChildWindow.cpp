#include "ChildWindow.h"

#include "ChildWindows.h"
#include "Forms.h"
#include "core/logic/SharedState.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

ChildWindow::ChildWindow(Kind kind, QWidget* parent) : MenuBarWindow(parent), m_kind(kind) {
    setAttribute(Qt::WA_DeleteOnClose);
    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->hide();
    SQLWhere = new QLabel(this);
    SQLWhere->setObjectName(QStringLiteral("SQLWhere"));
    SQLWhere->hide();
    Forms::add(this);
}

ChildWindow::~ChildWindow() {
    Forms::remove(this);
}

QString ChildWindow::Tag() const {
    return Forms::tag(this);
}

void ChildWindow::setTag(const QString& tag) {
    Forms::setTag(this, tag);
}

QString ChildWindow::path() const {
    return Label2->text();
}

void ChildWindow::setPath(const QString& path) {
    Label2->setText(path);
}

QString ChildWindow::sqlWhereCaption() const {
    return SQLWhere->text();
}

void ChildWindow::setSqlWhereCaption(const QString& text) {
    SQLWhere->setText(text);
}

QString ChildWindow::sqlWhereTag() const {
    return SQLWhere->property("Tag").toString();
}

void ChildWindow::setSqlWhereTag(const QString& text) {
    SQLWhere->setProperty("Tag", text);
}

void ChildWindow::runPrologue() {
    ChildWindow::Form_Activate();
    gstrDatabasePath = path();
}

void ChildWindow::Form_Activate() {
    gblnDisplayActive = m_kind == Kind::Display;
    gblnEntryActive = m_kind == Kind::Entry;
    if (m_kind == Kind::Display)
        gstrDisplayIndex = Tag();
    else
        gstrEntryIndex = Tag();
}

void ChildWindow::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    if (event->isAccepted()) {
        m_closed = true;
        Forms::remove(this);
    }
}

QMenu* ChildWindow::addWindowMenu() {
    QMenu* mnuWindow = addMenu("mnuWindow", QStringLiteral("&Window"));
    QAction* mnuTileHorizontally = mnuWindow->addAction(QStringLiteral("Tile &Horizontally"));
    mnuTileHorizontally->setObjectName(QStringLiteral("mnuTileHorizontally"));
    connect(mnuTileHorizontally, &QAction::triggered, this, [] { TileWindowsHorizontally(); });
    QAction* mnuTileVertically = mnuWindow->addAction(QStringLiteral("Tile &Vertically"));
    mnuTileVertically->setObjectName(QStringLiteral("mnuTileVertically"));
    connect(mnuTileVertically, &QAction::triggered, this, [] { TileWindowsVertically(); });
    QAction* mnuCascade = mnuWindow->addAction(QStringLiteral("&Cascade"));
    mnuCascade->setObjectName(QStringLiteral("mnuCascade"));
    connect(mnuCascade, &QAction::triggered, this, [] { CascadeWindows(); });

    // The list of open child windows is built each time the menu opens.
    auto* separator = mnuWindow->addSeparator();
    connect(mnuWindow, &QMenu::aboutToShow, this, [mnuWindow, separator] {
        const QList<QAction*> actions = mnuWindow->actions();
        for (qsizetype i = actions.indexOf(separator) + 1; i < actions.size(); ++i)
            delete actions[i];
        const QList<QWidget*> windows = openWindowsInArea();
        separator->setVisible(!windows.isEmpty());
        const QMdiSubWindow* active = childWindowArea()->activeSubWindow();
        int number = 0;
        for (QWidget* w : windows) {
            ++number;
            const QString caption = w->windowTitle();
            QAction* item = mnuWindow->addAction(
                number < 10 ? QStringLiteral("&%1 %2").arg(number).arg(caption) : caption);
            item->setCheckable(true);
            item->setChecked(active && active->widget() == w);
            connect(item, &QAction::triggered, w, [w] { Forms::setFocus(w); });
        }
    });
    return mnuWindow;
}
