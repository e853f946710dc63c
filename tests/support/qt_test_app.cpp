#include "qt_test_app.h"

#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

namespace quillo::test {

namespace {

class QtApplicationEnvironment : public testing::Environment {
public:
    void SetUp() override
    {
        // No display needed: CTest sets this too, a direct run may not.
        if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
        app_ = std::make_unique<QApplication>(argc_, argv_);
        // A dialog left up by a failing test must not hang the run.
        watchdog_ = std::make_unique<QTimer>();
        QObject::connect(watchdog_.get(), &QTimer::timeout, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal != watched_) {
                watched_ = modal;
                ticks_ = 0;
            } else if (modal && ++ticks_ > 100) {
                ADD_FAILURE() << "a modal " << modal->objectName().toStdString() << " stayed up; closed by force";
                if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
            }
        });
        watchdog_->start(100);
    }
    void TearDown() override
    {
        watchdog_.reset();
        app_.reset();
    }

private:
    int argc_ = 1;
    char name_[16] = "platform_qt";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QApplication> app_;
    std::unique_ptr<QTimer> watchdog_;
    QPointer<QWidget> watched_;
    int ticks_ = 0;
};

[[maybe_unused]] testing::Environment* const environment =
    testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

} // namespace

void onModalWidget(std::function<bool(QWidget*)> fits, std::function<void(QWidget*)> action)
{
    auto* timer = new QTimer;
    auto waited = std::make_shared<int>(0);
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, waited, fits, action] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->isVisible() && fits(modal)) {
            timer->stop();
            timer->deleteLater();
            action(modal);
            return;
        }
        if (++*waited > 1000) {
            timer->stop();
            timer->deleteLater();
            ADD_FAILURE() << "the expected dialog did not come up";
            if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
        }
    });
    timer->start();
}

int visibleWindows(const QString& objectName)
{
    int n = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == objectName && w->isVisible()) ++n;
    return n;
}

void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

} // namespace quillo::test
