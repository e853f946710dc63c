#include "editor_main_window.h"

#include "recent_files.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenuBar>

#include <cstdio>

#include "dialogs.h"
#include "qt_command_menus.h"
#include "qt_png_encoder.h"
#include "qt_selector.h"
#include "qt_text.h"
#include "qt_tool_window.h"
#include "settings_store.h"

namespace quillo {

bool parseWindowGeometry(const std::string& text, int& x, int& y, int& width, int& height)
{
    char extra = 0;
    if (std::sscanf(text.c_str(), "%d %d %d %d %c", &x, &y, &width, &height, &extra) != 4) return false;
    return width > 0 && height > 0 && width <= 100000 && height <= 100000;
}

EditorMainWindow::EditorMainWindow(bool fullscreen) : fullscreen_(fullscreen), helpOpener_(desktopHelpOpener()) {}

EditorMainWindow::~EditorMainWindow() = default;

void EditorMainWindow::setCommands(const CommandTable& table, std::function<bool(int)> dispatch)
{
    dispatch_ = std::move(dispatch);
    actions_ = buildCommandMenus(*this, table, [this](int id) { runCommand(id); });
    if (fullscreen_) menuBar()->hide(); // shown on Alt
}

void EditorMainWindow::runCommand(int command)
{
    if (!active || !dispatch_) return;
    commandDone(dispatch_(command));
}

void EditorMainWindow::recentFilesChanged(const std::vector<std::string>& files)
{
    if (recentFirst_ <= 0) return;
    for (int i = 0; i < recentFileCount; ++i) {
        QAction* a = action(recentFirst_ + i);
        if (!a) continue;
        const bool used = i < int(files.size());
        a->setVisible(used);
        if (used) a->setText(toDisplay(RecentFiles::label(i, files[size_t(i)])));
    }
}

QAction* EditorMainWindow::action(int command) const
{
    const auto it = actions_.find(command);
    return it == actions_.end() ? nullptr : it->second;
}

Selector& EditorMainWindow::addSelector(int command, const SelectorKind& kind, std::function<void(int)> onSelect)
{
    auto& s = selectors_[command];
    s = std::make_unique<Selector>(kind, std::move(onSelect), this);
    return *s;
}

ToolWindow& EditorMainWindow::addToolWindow(const ToolWindowSpec& layout)
{
    auto& w = toolWindows_[layout.command];
    w = std::make_unique<ToolWindow>(layout, [this](int id) { runCommand(id); }, this);
    return *w;
}

Selector* EditorMainWindow::selector(int command) const
{
    const auto it = selectors_.find(command);
    return it == selectors_.end() ? nullptr : it->second.get();
}

ToolWindow* EditorMainWindow::toolWindow(int command) const
{
    const auto it = toolWindows_.find(command);
    return it == toolWindows_.end() ? nullptr : it->second.get();
}

void EditorMainWindow::fillSelector(int which, const std::vector<std::string>& names, int current)
{
    if (Selector* s = selector(which)) {
        s->fill(names);
        s->select(current);
    }
}

void EditorMainWindow::showToolWindow(int command)
{
    if (Selector* s = selector(command)) s->show();
    if (ToolWindow* t = toolWindow(command)) t->show();
}

void EditorMainWindow::openHelp(const std::string& page) { openHelpPage(toQt(page), helpOpener_); }

bool EditorMainWindow::saveWindowPicture(const std::string& path, std::string& why)
{
    if (savePng(grab().toImage(), path)) return true;
    why = "cannot write " + path;
    return false;
}

bool EditorMainWindow::resizeAndSettle(int width, int height)
{
    resize(width, height);
    QApplication::processEvents();
    return true;
}

void EditorMainWindow::rememberGeometry(SettingsStore& store)
{
    geometryStore_ = &store;
    int x, y, w, h;
    if (fullscreen_) return;
    if (const auto text = store.read("Window"); text && parseWindowGeometry(*text, x, y, w, h)) {
        resize(w, h);
        move(x, y);
    }
}

void EditorMainWindow::showAtStart(Dialogs& dialogs)
{
    if (fullscreen_) {
        dialogs.error(formatMessage("フルスクリーンモードに切り換えます\nこのモードではメニューバーが表示されません\n"
                                    "メニューを表示したい場合は ALT または GRAPH キーを押してください"));
        showFullScreen();
    } else {
        show();
    }
}

void EditorMainWindow::keyPressEvent(QKeyEvent* event)
{
    if (fullscreen_ && event->key() == Qt::Key_Alt) menuBar()->setVisible(!menuBar()->isVisible());
    QMainWindow::keyPressEvent(event);
}

void EditorMainWindow::closeEvent(QCloseEvent* event)
{
    if (geometryStore_ && !fullscreen_) {
        const QRect frame = geometry();
        char text[64];
        std::snprintf(text, sizeof text, "%d %d %d %d", int(pos().x()), int(pos().y()), frame.width(),
                      frame.height());
        geometryStore_->write("Window", text);
    }
    for (auto& [id, s] : selectors_) s->close();
    for (auto& [id, t] : toolWindows_) t->close();
    QMainWindow::closeEvent(event);
}

} // namespace quillo
